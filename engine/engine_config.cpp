// Timelines (configurations): per model, sequences of points made of timed
// steps with continuous and discrete targets per property, and their
// applications, which run a timeline on one instance on the owning module's
// clock. Each module advances the applications of its models every frame
// with engine_config_configurar.
//
// Setters and getters run inside an advance and may cancel applications or
// destroy timelines; the advance keeps ids and indexes across those calls
// and checks that its records still stand before touching them again.
#include "engine/engine_grafo.h"
#include "engine/engine_interno.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

static const char ERRO_CONFIG[] = "Configuracao invalida";
static const char ERRO_APLICADA[] = "Configuracao aplicada invalida";

// One step: a duration and, per property number, at most one target, either
// continuous (approached during the step) or discrete (set when it ends).
struct _engine_passo {
    _engine_vetorPonteiro continuas;  // slots hold a heap _engine_valor or are empty
    _engine_vetorPonteiro discretas;
    int32_t duracao;  // milliseconds
};

// One point: its steps (always at least one) and its end rule.
struct _engine_ponto {
    _engine_vetorPonteiro passos;
    int32_t alvo;  // 0-based point to jump to
    int32_t modo;  // -1 jump, -2 next then alvo, -3 hold, n >= 0 repeat n times
};

struct _engine_config {
    _engine_vetorPonteiro pontos;
    _engine_vetorInteiro aplicacoes;  // ids of its running applications, in start order
    uint32_t recursoVelocidade;       // node giving the speed in thousandths; 0 none
};

struct _engine_configAplicada {
    uint32_t config;
    uint32_t ponto, passo;       // 0-based current point and step
    uint32_t inicioPasso;        // module time at which the current step started
    int32_t restoVelocidade;     // thousandths of a millisecond left by the speed
    uint32_t restanteAnterior;   // remaining time + 1 at the previous interpolation; 0 new step
    float* acumuladores;         // one per property of the model (index = number - 1)
    uint32_t nAcumuladores;
    int32_t* repeticoes;         // one counter per point
    uint32_t nRepeticoes;
    uint32_t posicao;            // the instance driven
};

// ------------------------------------------------------------------ records

static _engine_passo* ENGINE_config_novoPasso(int32_t duracao)
{
    _engine_passo* s = (_engine_passo*)calloc(1, sizeof(_engine_passo));
    if (!s) return nullptr;
    ENGINE_construirVetorPonteiro(&s->continuas);
    ENGINE_construirVetorPonteiro(&s->discretas);
    s->duracao = duracao;
    return s;
}

static void ENGINE_config_liberarPasso(_engine_passo* s)
{
    for (uint32_t i = 0; i < s->continuas.tamanho; i++) free(s->continuas.itens[i]);
    for (uint32_t i = 0; i < s->discretas.tamanho; i++) free(s->discretas.itens[i]);
    ENGINE_esvaziarVetorPonteiro(&s->continuas);
    ENGINE_esvaziarVetorPonteiro(&s->discretas);
    free(s);
}

// A point holding one step of duration 0 without targets; end rule (0, 0).
static _engine_ponto* ENGINE_config_novoPonto()
{
    _engine_ponto* pt = (_engine_ponto*)calloc(1, sizeof(_engine_ponto));
    if (!pt) return nullptr;
    ENGINE_construirVetorPonteiro(&pt->passos);
    _engine_passo* s = ENGINE_config_novoPasso(0);
    if (!s || ENGINE_inserirPonteiro(&pt->passos, s) == 0) {
        free(s);
        free(pt);
        return nullptr;
    }
    return pt;
}

static void ENGINE_config_liberarPonto(_engine_ponto* pt)
{
    for (uint32_t i = 0; i < pt->passos.tamanho; i++)
        if (pt->passos.itens[i]) ENGINE_config_liberarPasso((_engine_passo*)pt->passos.itens[i]);
    ENGINE_esvaziarVetorPonteiro(&pt->passos);
    free(pt);
}

// Frees what a timeline owns; the record itself belongs to `configs`.
static void ENGINE_config_liberarConteudo(_engine_config* c)
{
    for (uint32_t i = 0; i < c->pontos.tamanho; i++)
        if (c->pontos.itens[i]) ENGINE_config_liberarPonto((_engine_ponto*)c->pontos.itens[i]);
    ENGINE_esvaziarVetorPonteiro(&c->pontos);
    ENGINE_esvaziarVetorInteiro(&c->aplicacoes);
}

static void ENGINE_config_liberarAplicada(_engine_configAplicada* a)
{
    free(a->acumuladores);
    free(a->repeticoes);
    a->acumuladores = nullptr;
    a->repeticoes = nullptr;
}

void ENGINE_config_liberarModelo(_engine_modelo* modelo)
{
    for (uint32_t i = 0; i < modelo->configs.tamanho; i++) {
        _engine_config* c = (_engine_config*)modelo->configs.itens[i];
        if (!c) continue;
        ENGINE_config_liberarConteudo(c);
        free(c);
    }
    ENGINE_esvaziarVetorPersistente(&modelo->configs);
    for (uint32_t i = 0; i < modelo->configsAplicadas.tamanho; i++) {
        _engine_configAplicada* a = (_engine_configAplicada*)modelo->configsAplicadas.itens[i];
        if (!a) continue;
        ENGINE_config_liberarAplicada(a);
        free(a);
    }
    ENGINE_esvaziarVetorPersistente(&modelo->configsAplicadas);
}

void ENGINE_config_esquecerRecurso(uint32_t recurso)
{
    for (uint32_t i = 1; i <= ENGINE_pegarNumeroModulos(); i++) {
        _engine_modulo* m = ENGINE_pegarModulo(i);
        if (!m) continue;
        for (uint32_t j = 1; j <= m->modelos.tamanho; j++) {
            _engine_modelo* modelo = (_engine_modelo*)ENGINE_pegarPonteiro(&m->modelos, j);
            if (!modelo) continue;
            for (uint32_t k = 0; k < modelo->configs.tamanho; k++) {
                _engine_config* c = (_engine_config*)modelo->configs.itens[k];
                if (c && c->recursoVelocidade == recurso) c->recursoVelocidade = ENGINE_RECURSO_DESTRUIDO;
            }
        }
    }
}

// ------------------------------------------------------------------ lookups

static const char* ENGINE_config_pegarModelo(uint32_t modulo, uint32_t modelo, _engine_modelo** saida)
{
    *saida = nullptr;
    if (!ENGINE_pegarModulo(modulo)) return ENGINE_ERRO_MODULO;
    *saida = ENGINE_pegarModelo(modulo, modelo);
    return *saida ? nullptr : ENGINE_ERRO_MODELO;
}

static _engine_config* ENGINE_config_pegar(const _engine_modelo* m, uint32_t config)
{
    return (_engine_config*)ENGINE_pegarPersistente(&m->configs, config);
}

static _engine_configAplicada* ENGINE_config_pegarAplicada(const _engine_modelo* m, uint32_t aplicacao)
{
    return (_engine_configAplicada*)ENGINE_pegarPersistente(&m->configsAplicadas, aplicacao);
}

// Point and step by 0-based index; null past the end.
static _engine_ponto* ENGINE_config_ponto(const _engine_config* c, uint32_t ponto)
{
    if (ponto >= c->pontos.tamanho) return nullptr;
    return (_engine_ponto*)c->pontos.itens[ponto];
}

static _engine_passo* ENGINE_config_passo(const _engine_config* c, uint32_t ponto, uint32_t passo)
{
    _engine_ponto* pt = ENGINE_config_ponto(c, ponto);
    if (!pt || passo >= pt->passos.tamanho) return nullptr;
    return (_engine_passo*)pt->passos.itens[passo];
}

static _engine_passo* ENGINE_config_ultimoPasso(const _engine_config* c)
{
    _engine_ponto* pt = ENGINE_config_ponto(c, c->pontos.tamanho - 1);
    return pt ? (_engine_passo*)ENGINE_pegarPonteiro(&pt->passos, pt->passos.tamanho) : nullptr;
}

// Timeline of a model, with the checks every building operation starts with.
static const char* ENGINE_config_validar(uint32_t modulo, uint32_t modelo, uint32_t config, _engine_modelo** m,
                                         _engine_config** c)
{
    *c = nullptr;
    const char* erro = ENGINE_config_pegarModelo(modulo, modelo, m);
    if (erro) return erro;
    *c = ENGINE_config_pegar(*m, config);
    return *c ? nullptr : ERRO_CONFIG;
}

// -------------------------------------------------------------- building

uint32_t engine_criarConfig(uint32_t modulo, uint32_t modelo)
{
    _engine_modelo* m;
    if (ENGINE_config_pegarModelo(modulo, modelo, &m)) return 0;
    _engine_config* c = (_engine_config*)calloc(1, sizeof(_engine_config));
    if (!c) return 0;
    ENGINE_construirVetorPonteiro(&c->pontos);
    ENGINE_construirVetorInteiro(&c->aplicacoes);
    c->recursoVelocidade = 0;
    _engine_ponto* pt = ENGINE_config_novoPonto();
    uint32_t id = 0;
    if (pt && ENGINE_inserirPonteiro(&c->pontos, pt) != 0) id = ENGINE_inserirPersistente(&m->configs, c);
    else if (pt) ENGINE_config_liberarPonto(pt);
    if (id == 0) {
        ENGINE_config_liberarConteudo(c);
        free(c);
    }
    return id;
}

const char* engine_config_passarTempo(uint32_t modulo, uint32_t modelo, uint32_t config, int32_t duracao)
{
    _engine_modelo* m;
    _engine_config* c;
    const char* erro = ENGINE_config_validar(modulo, modelo, config, &m, &c);
    if (erro) return erro;
    _engine_ponto* pt = ENGINE_config_ponto(c, c->pontos.tamanho - 1);
    // A step cannot last less than nothing: with unsigned clock arithmetic a
    // negative duration would move the step's start backwards or never end.
    _engine_passo* s = ENGINE_config_novoPasso(duracao < 0 ? 0 : duracao);
    if (!pt || !s || ENGINE_inserirPonteiro(&pt->passos, s) == 0) {
        if (s) ENGINE_config_liberarPasso(s);
        return ENGINE_ERRO_MEMORIA;
    }
    return nullptr;
}

// Stores a target for `propriedade` in the last step of the last point,
// emptying that property's slot in the other list.
static const char* ENGINE_config_mudarAlvo(uint32_t modulo, uint32_t modelo, uint32_t config,
                                           uint32_t propriedade, _engine_valor valor, bool continua)
{
    _engine_modelo* m;
    _engine_config* c;
    const char* erro = ENGINE_config_validar(modulo, modelo, config, &m, &c);
    if (erro) return erro;
    if (!ENGINE_pegarPonteiro(&m->propriedades, propriedade)) return ENGINE_ERRO_PROPRIEDADE;
    _engine_passo* s = ENGINE_config_ultimoPasso(c);
    _engine_valor* alvo = (_engine_valor*)malloc(sizeof(_engine_valor));
    if (!s || !alvo) {
        free(alvo);
        return ENGINE_ERRO_MEMORIA;
    }
    *alvo = valor;
    // Both lists grow together, with empty slots, to reach the property.
    if ((s->continuas.tamanho < propriedade &&
         ENGINE_inserirPonteiroEm(&s->continuas, nullptr, propriedade) != nullptr) ||
        (s->discretas.tamanho < propriedade &&
         ENGINE_inserirPonteiroEm(&s->discretas, nullptr, propriedade) != nullptr)) {
        free(alvo);
        return ENGINE_ERRO_MEMORIA;
    }
    _engine_vetorPonteiro* esta = continua ? &s->continuas : &s->discretas;
    _engine_vetorPonteiro* outra = continua ? &s->discretas : &s->continuas;
    free(outra->itens[propriedade - 1]);
    outra->itens[propriedade - 1] = nullptr;
    free(esta->itens[propriedade - 1]);
    esta->itens[propriedade - 1] = alvo;
    return nullptr;
}

const char* engine_config_mudarPropriedadeContinua(uint32_t modulo, uint32_t modelo, uint32_t config,
                                                   uint32_t propriedade, _engine_valor valor)
{
    return ENGINE_config_mudarAlvo(modulo, modelo, config, propriedade, valor, true);
}

const char* engine_config_mudarPropriedadeDiscreta(uint32_t modulo, uint32_t modelo, uint32_t config,
                                                   uint32_t propriedade, _engine_valor valor)
{
    return ENGINE_config_mudarAlvo(modulo, modelo, config, propriedade, valor, false);
}

uint32_t engine_config_criarPonto(uint32_t modulo, uint32_t modelo, uint32_t config, int32_t alvo, int32_t modo)
{
    _engine_modelo* m;
    _engine_config* c;
    if (ENGINE_config_validar(modulo, modelo, config, &m, &c)) return 0;
    _engine_ponto* ultimo = ENGINE_config_ponto(c, c->pontos.tamanho - 1);
    _engine_ponto* novo = ENGINE_config_novoPonto();
    if (!ultimo || !novo || ENGINE_inserirPonteiro(&c->pontos, novo) == 0) {
        if (novo) ENGINE_config_liberarPonto(novo);
        return 0;
    }
    ultimo->alvo = alvo;
    ultimo->modo = modo;
    return c->pontos.tamanho;
}

const char* engine_config_vincularVelocidade(uint32_t modulo, uint32_t modelo, uint32_t config, uint32_t recurso)
{
    _engine_modelo* m;
    _engine_config* c;
    const char* erro = ENGINE_config_validar(modulo, modelo, config, &m, &c);
    if (erro) return erro;
    c->recursoVelocidade = recurso;
    return nullptr;
}

// ------------------------------------------------------------- applications

uint32_t engine_config_aplicar(uint32_t modulo, uint32_t modelo, uint32_t config, uint32_t posicao,
                               uint32_t inicio)
{
    _engine_modelo* m;
    _engine_config* c;
    if (ENGINE_config_validar(modulo, modelo, config, &m, &c)) return 0;
    _engine_configAplicada* a = (_engine_configAplicada*)calloc(1, sizeof(_engine_configAplicada));
    if (!a) return 0;
    a->config = config;
    a->inicioPasso = inicio;
    a->posicao = posicao;
    a->nAcumuladores = m->propriedades.tamanho;
    a->nRepeticoes = c->pontos.tamanho;
    if (a->nAcumuladores > 0) a->acumuladores = (float*)calloc(a->nAcumuladores, sizeof(float));
    if (a->nRepeticoes > 0) a->repeticoes = (int32_t*)calloc(a->nRepeticoes, sizeof(int32_t));
    uint32_t id = 0;
    if ((a->nAcumuladores == 0 || a->acumuladores) && (a->nRepeticoes == 0 || a->repeticoes))
        id = ENGINE_inserirPersistente(&m->configsAplicadas, a);
    if (id != 0 && ENGINE_inserirNumero(&c->aplicacoes, (int32_t)id) == 0) {
        ENGINE_config_liberarAplicada(a);
        ENGINE_apagarPersistente(&m->configsAplicadas, id);
        return 0;
    }
    if (id == 0) {
        ENGINE_config_liberarAplicada(a);
        free(a);
    }
    return id;
}

uint32_t engine_configAplicada_pegarPosicao(uint32_t modulo, uint32_t modelo, uint32_t aplicacao)
{
    _engine_modelo* m;
    if (ENGINE_config_pegarModelo(modulo, modelo, &m)) return 0;
    _engine_configAplicada* a = ENGINE_config_pegarAplicada(m, aplicacao);
    return a ? a->posicao : 0;
}

static const char* ENGINE_config_cancelar(_engine_modelo* m, uint32_t aplicacao)
{
    _engine_configAplicada* a = ENGINE_config_pegarAplicada(m, aplicacao);
    if (!a) return ERRO_APLICADA;
    _engine_config* c = ENGINE_config_pegar(m, a->config);
    if (c) {
        for (uint32_t i = c->aplicacoes.tamanho; i > 0; i--) {
            if ((uint32_t)c->aplicacoes.itens[i - 1] == aplicacao) {
                ENGINE_apagarNumero(&c->aplicacoes, i);
                break;
            }
        }
    }
    ENGINE_config_liberarAplicada(a);
    return ENGINE_apagarPersistente(&m->configsAplicadas, aplicacao);
}

const char* engine_config_cancelar(uint32_t modulo, uint32_t modelo, uint32_t aplicacao)
{
    _engine_modelo* m;
    const char* erro = ENGINE_config_pegarModelo(modulo, modelo, &m);
    if (erro) return erro;
    return ENGINE_config_cancelar(m, aplicacao);
}

const char* engine_esquecerInstancia(uint32_t modulo, uint32_t modelo, uint32_t instancia)
{
    _engine_modelo* m;
    const char* erro = ENGINE_config_pegarModelo(modulo, modelo, &m);
    if (erro) return erro;
    if (instancia == 0) return ENGINE_ERRO_POSICAO;
    for (uint32_t id = 1; id <= m->configsAplicadas.tamanho; id++) {
        _engine_configAplicada* a = ENGINE_config_pegarAplicada(m, id);
        if (a && a->posicao == instancia) ENGINE_config_cancelar(m, id);
    }
    for (uint32_t p = 1; p <= m->propriedades.tamanho; p++) {
        // An instance outside the graph answers "Posicao invalida": nothing to do.
        if (ENGINE_pegarPonteiro(&m->propriedades, p)) engine_propriedade_removerPosicao(modulo, modelo, p, instancia);
    }
    return nullptr;
}

const char* engine_destruirConfig(uint32_t modulo, uint32_t modelo, uint32_t config)
{
    _engine_modelo* m;
    _engine_config* c;
    const char* erro = ENGINE_config_validar(modulo, modelo, config, &m, &c);
    if (erro) return erro;
    // Last first; each cancellation takes its id off the end of the list.
    while (c->aplicacoes.tamanho > 0) {
        uint32_t ultimo = c->aplicacoes.tamanho;
        uint32_t aplicacao = (uint32_t)c->aplicacoes.itens[ultimo - 1];
        if (ENGINE_config_cancelar(m, aplicacao) != nullptr || c->aplicacoes.tamanho == ultimo)
            ENGINE_apagarNumero(&c->aplicacoes, ultimo);
    }
    ENGINE_config_liberarConteudo(c);
    return ENGINE_apagarPersistente(&m->configs, config);
}

// --------------------------------------------------------------- advancing

// Module times are compared by their difference, so that a step start that
// the speed moved back past 0 (or a clock that wrapped) stays in order: a
// timeline that runs fast from time 0 would otherwise wait for the clock to
// reach 2^32.
static bool ENGINE_config_antes(uint32_t a, uint32_t b)
{
    return (int32_t)(a - b) < 0;
}

// One application being advanced, with what it needs to check, after every
// call into a module, that its records still stand.
struct _engine_avanco {
    uint32_t modulo, modelo;
    _engine_modelo* m;
    uint32_t id;
    _engine_configAplicada* a;
    _engine_config* c;
};

static bool ENGINE_config_segue(const _engine_avanco* av)
{
    if (ENGINE_config_pegarAplicada(av->m, av->id) != av->a) return false;
    return ENGINE_config_pegar(av->m, av->a->config) == av->c;
}

// Accumulators and counters were sized when the application started; a
// property registered or a point added later gets its own, starting at 0.
static bool ENGINE_config_garantir(void** itens, uint32_t* n, uint32_t minimo, size_t tamanho)
{
    if (minimo <= *n) return true;
    void* novo = realloc(*itens, (size_t)minimo * tamanho);
    if (!novo) return false;
    memset((char*)novo + (size_t)*n * tamanho, 0, (size_t)(minimo - *n) * tamanho);
    *itens = novo;
    *n = minimo;
    return true;
}

static float* ENGINE_config_acumulador(_engine_configAplicada* a, uint32_t propriedade)
{
    if (!ENGINE_config_garantir((void**)&a->acumuladores, &a->nAcumuladores, propriedade, sizeof(float)))
        return nullptr;
    return &a->acumuladores[propriedade - 1];
}

// Sets one target value on the driven instance as a write from outside does.
// False when the call ended the application or its timeline.
static bool ENGINE_config_escrever(const _engine_avanco* av, uint32_t propriedade, _engine_valor valor)
{
    engine_propriedade_mudarValor(av->modulo, av->modelo, propriedade, av->a->posicao, valor);
    return ENGINE_config_segue(av);
}

// The end targets of the current step, by ascending property: a continuous
// one (which also clears the property's accumulator), then a discrete one.
static bool ENGINE_config_aplicarAlvos(const _engine_avanco* av)
{
    uint32_t ponto = av->a->ponto, passo = av->a->passo;
    for (uint32_t j = 1;; j++) {
        _engine_passo* s = ENGINE_config_passo(av->c, ponto, passo);
        if (!s || (j > s->continuas.tamanho && j > s->discretas.tamanho)) return true;
        _engine_valor* alvo = (_engine_valor*)ENGINE_pegarPonteiro(&s->continuas, j);
        if (alvo) {
            if (!ENGINE_config_escrever(av, j, *alvo)) return false;
            float* acumulador = ENGINE_config_acumulador(av->a, j);
            if (acumulador) *acumulador = 0.0f;
            s = ENGINE_config_passo(av->c, ponto, passo);
            if (!s) return true;
        }
        alvo = (_engine_valor*)ENGINE_pegarPonteiro(&s->discretas, j);
        if (alvo && !ENGINE_config_escrever(av, j, *alvo)) return false;
    }
}

// How many zero-length steps in a row a catch-up may take before it stops
// for this advance. A run of steps without time that ends must pass through
// distinct states (point, step, repetition counters), so a longer run is a
// cycle of points without time, which would otherwise never end.
static uint32_t ENGINE_config_limiteSemTempo(const _engine_config* c)
{
    const uint64_t teto = 1u << 20;
    uint64_t passos = 0, estados = 1;
    for (uint32_t i = 0; i < c->pontos.tamanho; i++) {
        const _engine_ponto* pt = (const _engine_ponto*)c->pontos.itens[i];
        passos += pt->passos.tamanho;
        if (pt->modo > 0) estados = std::min<uint64_t>(teto, estados * ((uint64_t)pt->modo + 1));
    }
    return (uint32_t)std::min<uint64_t>(teto, passos * estados);
}

// Applies the end rule of the current point, whose last step has just
// ended. False when the application holds (it stays on the last step).
static bool ENGINE_config_regraFinal(_engine_configAplicada* a, const _engine_config* c, const _engine_ponto* pt)
{
    uint32_t seguinte = a->ponto + 1;
    switch (pt->modo) {
    case -1: a->ponto = (uint32_t)pt->alvo; break;
    case -2: a->ponto = seguinte < c->pontos.tamanho ? seguinte : (uint32_t)pt->alvo; break;
    case -3: a->passo = pt->passos.tamanho - 1; return false;
    default:
        if (pt->modo >= 0 && ENGINE_config_garantir((void**)&a->repeticoes, &a->nRepeticoes, a->ponto + 1,
                                                    sizeof(int32_t))) {
            int32_t* contador = &a->repeticoes[a->ponto];
            if (*contador < pt->modo) {
                (*contador)++;
                a->ponto = (uint32_t)pt->alvo;
            } else {
                *contador = 0;
                a->ponto = seguinte;
            }
        } else {
            a->ponto = seguinte;
        }
        break;
    }
    // A negative or too large alvo lands past the last point: inert.
    a->passo = 0;
    return true;
}

// Moves every continuous target of step s a share of the remaining distance.
static void ENGINE_config_interpolar(const _engine_avanco* av, uint32_t agora)
{
    _engine_configAplicada* a = av->a;
    _engine_passo* s = ENGINE_config_passo(av->c, a->ponto, a->passo);
    if (!s || !ENGINE_config_antes(a->inicioPasso, agora)) return;
    uint32_t duracao1 = (uint32_t)s->duracao + 1u;
    uint32_t restante = duracao1 + a->inicioPasso - agora;  // remaining time + 1
    // The divisor stays in extended precision; only the share is rounded to
    // single precision (a 16 ms step toward 17 moves 10 at 10 ms, not 9).
    long double divisor;
    if (a->restanteAnterior == 0) {
        divisor = (long double)duracao1 / (long double)(duracao1 - restante);
    } else {
        if (a->restanteAnterior <= restante) return;
        divisor = (long double)a->restanteAnterior / (long double)(a->restanteAnterior - restante);
    }
    a->restanteAnterior = restante;
    if (!(divisor > 0.0L) || (s->continuas.tamanho == 0 && s->discretas.tamanho == 0)) return;
    // Past the step's end (a hold runs on after it) the share stays whole, so
    // the value never moves beyond its target.
    if (divisor < 1.0L) divisor = 1.0L;
    const float fracao = (float)(1.0L / divisor);
    const long double escala = 4294967298.0L;  // 2^32 + 2
    const float umSobre32 = 1.0f / 4294967296.0f, dois32 = 4294967296.0f;

    uint32_t ponto = a->ponto, passo = a->passo;
    for (uint32_t j = 1;; j++) {
        s = ENGINE_config_passo(av->c, ponto, passo);
        if (!s || j > s->continuas.tamanho) return;
        _engine_valor* alvo = (_engine_valor*)ENGINE_pegarPonteiro(&s->continuas, j);
        if (!alvo) continue;
        int32_t destino = (int32_t)(uint32_t)*alvo;
        _engine_propriedade* p = ENGINE_pegarPropriedade(av->modulo, av->modelo, j);
        if (!p) continue;
        _engine_posicao* e = (_engine_posicao*)ENGINE_pegarPonteiro(&p->posicoes, a->posicao);
        int32_t atual = (int32_t)(uint32_t)(e ? e->base : p->pegar(a->posicao));
        if (!e && !ENGINE_config_segue(av)) return;
        float* acumulador = ENGINE_config_acumulador(a, j);
        if (!acumulador) continue;
        int32_t diferenca = (int32_t)((uint32_t)destino - (uint32_t)atual);
        long double l = (long double)diferenca * escala * (long double)fracao + (long double)*acumulador;
        long double passos = truncl(l * umSobre32);
        int32_t mover = passos >= 2147483647.0L ? INT32_MAX : passos <= -2147483648.0L ? INT32_MIN
                                                                                          : (int32_t)passos;
        *acumulador = (float)(l - (long double)mover * escala);
        if (l >= dois32 || l <= -dois32) {
            if (!ENGINE_config_escrever(av, j, (int32_t)((uint32_t)atual + (uint32_t)mover))) return;
        }
    }
}

// Advances one application to module time `agora`.
static void ENGINE_config_avancar(_engine_avanco* av, uint32_t agora, int32_t d)
{
    _engine_configAplicada* a = av->a;
    _engine_config* c = av->c;
    if (c->recursoVelocidade != 0) {
        // Speed in thousandths: the step's start moves by (v - 1000) * d / 1000
        // milliseconds, the remainder carried to the next advance.
        char valido = 'S';
        int32_t v = (int32_t)(uint32_t)ENGINE_pegarValor(c->recursoVelocidade, &valido);
        if (!ENGINE_config_segue(av)) return;
        int32_t t = (int32_t)(((uint32_t)v - 1000u) * (uint32_t)d + (uint32_t)a->restoVelocidade);
        int32_t q = t / 1000;
        a->inicioPasso -= (uint32_t)q;
        a->restoVelocidade = (int32_t)((uint32_t)t - (uint32_t)q * 1000u);
    }
    if (ENGINE_config_antes(agora, a->inicioPasso) || !ENGINE_config_passo(c, a->ponto, a->passo)) return;

    // Catch-up: every step that has ended since the previous advance.
    uint32_t semTempo = 0, limite = 0;
    for (;;) {
        _engine_passo* s = ENGINE_config_passo(c, a->ponto, a->passo);
        if (!s) return;
        uint32_t duracao = (uint32_t)s->duracao;
        if (ENGINE_config_antes(agora, a->inicioPasso + duracao)) break;
        if (!ENGINE_config_aplicarAlvos(av)) return;
        a->inicioPasso += duracao;
        a->restanteAnterior = 0;
        a->passo++;
        _engine_ponto* pt = ENGINE_config_ponto(c, a->ponto);
        if (!pt) return;
        if (a->passo >= pt->passos.tamanho) {
            if (!ENGINE_config_regraFinal(a, c, pt)) break;  // hold
            if (!ENGINE_config_ponto(c, a->ponto)) return;   // inert
        }
        if (duracao != 0) {
            semTempo = 0;
        } else if (++semTempo > c->pontos.tamanho) {
            if (limite == 0) limite = ENGINE_config_limiteSemTempo(c);
            if (semTempo > limite) return;
        }
    }
    ENGINE_config_interpolar(av, agora);
}

const char* engine_config_configurar(uint32_t modulo, uint32_t modelo, uint32_t agora, int32_t d)
{
    _engine_modelo* m;
    const char* erro = ENGINE_config_pegarModelo(modulo, modelo, &m);
    if (erro) return erro;
    // The slot count is read again every time: setters may start applications.
    for (uint32_t id = 1; id <= m->configsAplicadas.tamanho; id++) {
        _engine_avanco av = {modulo, modelo, m, id, ENGINE_config_pegarAplicada(m, id), nullptr};
        if (!av.a) continue;
        av.c = ENGINE_config_pegar(m, av.a->config);
        if (!av.c) continue;
        ENGINE_config_avancar(&av, agora, d);
    }
    return nullptr;
}
