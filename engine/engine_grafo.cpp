// Expression graph: nodes that read property instances or combine other
// nodes, entries that cache the computed value of every instance an
// expression reads or drives, and the walk that invalidates what depends on a
// changed instance.
//
// Values are cached per node and per entry and recomputed only when invalid.
// A write invalidates the entry and walks to everything that reads it; eager
// properties ('S') are recomputed during the walk and pushed into their
// module, lazy ones wait for their next read.
//
// Getters and setters run inside these walks and may change the graph, so a
// walk holds ids and instance numbers, not records, across such calls and
// fetches the record again afterwards.
#include "engine/engine_grafo.h"
#include "engine/engine_interno.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

static const char ERRO_RECURSO[] = "Recurso invalido";
static const char ERRO_INSERIR_POSICAO[] = "Erro ao inserir posicao";
static const char ERRO_PROFUNDIDADE[] = "Expressao profunda demais";

// How deep the evaluation and the invalidation walk are right now (each
// counts its own recursion; pushes made inside a walk start their own
// evaluations).
static uint32_t engineProfundidadeAvaliacao = 0;
static uint32_t engineProfundidadeInvalidacao = 0;
// The walks stop a little past the nodes' own limit: an expression made
// within it is never cut short.
static const uint32_t ENGINE_PROFUNDIDADE_PILHA = 2 * ENGINE_PROFUNDIDADE_MAXIMA;

// Every node of the program; a node's handle is its id here.
static _engine_vetorPersistente engineRecursos = {nullptr, 0, nullptr, 0};

static void ENGINE_invalidarRecurso(uint32_t id);

static _engine_recurso* ENGINE_pegarRecurso(uint32_t id)
{
    return (_engine_recurso*)ENGINE_pegarPersistente(&engineRecursos, id);
}

static _engine_posicao* ENGINE_pegarPosicao(const _engine_propriedade* p, uint32_t instancia)
{
    return (_engine_posicao*)ENGINE_pegarPonteiro(&p->posicoes, instancia);
}

// The low 32 bits of a value, as the operators and the timelines see it.
static int32_t ENGINE_32(_engine_valor v)
{
    return (int32_t)(uint32_t)v;
}

static void ENGINE_liberarRecurso(_engine_recurso* r)
{
    ENGINE_esvaziarVetorInteiro(&r->dependentes);
    ENGINE_esvaziarVetorInteiro(&r->modulos);
    ENGINE_esvaziarVetorInteiro(&r->modelos);
    ENGINE_esvaziarVetorInteiro(&r->propriedades);
    ENGINE_esvaziarVetorInteiro(&r->posicoes);
}

void ENGINE_grafo_iniciar()
{
    for (uint32_t i = 0; i < engineRecursos.tamanho; i++) {
        _engine_recurso* r = (_engine_recurso*)engineRecursos.itens[i];
        if (!r) continue;
        ENGINE_liberarRecurso(r);
        free(r);
    }
    ENGINE_esvaziarVetorPersistente(&engineRecursos);
}

void ENGINE_grafo_liberarPosicao(_engine_posicao* posicao)
{
    ENGINE_esvaziarVetorInteiro(&posicao->dependentes);
    free(posicao);
}

// Removes the last occurrence of n from v, if any.
static void ENGINE_retirarNumero(_engine_vetorInteiro* v, int32_t n)
{
    for (uint32_t i = v->tamanho; i > 0; i--) {
        if (v->itens[i - 1] == n) {
            ENGINE_apagarNumero(v, i);
            return;
        }
    }
}

// ---------------------------------------------------------------- operators

// A power computed in double precision, truncated toward zero; not a number
// or outside the signed 32-bit range gives INT32_MIN.
static int32_t ENGINE_truncarPotencia(double r)
{
    if (!(r > -2147483649.0 && r < 2147483648.0)) return INT32_MIN;
    return (int32_t)r;
}

static int32_t ENGINE_operar(int32_t operacao, int32_t a, int32_t b)
{
    switch (operacao) {
    case ENGINE_OPERACAO_SOMA: return (int32_t)((uint32_t)a + (uint32_t)b);
    case ENGINE_OPERACAO_SUBTRACAO: return (int32_t)((uint32_t)a - (uint32_t)b);
    case ENGINE_OPERACAO_MULTIPLICACAO: return (int32_t)((uint32_t)a * (uint32_t)b);
    case ENGINE_OPERACAO_DIVISAO:
        // A zero divisor gives 0; the one quotient that does not fit wraps.
        if (b == 0) return 0;
        if (a == INT32_MIN && b == -1) return INT32_MIN;
        return a / b;
    case ENGINE_OPERACAO_RESTO:
        if (b == 0 || b == -1) return 0;
        return a % b;
    case ENGINE_OPERACAO_POTENCIA: return ENGINE_truncarPotencia(pow((double)a, (double)b));
    case ENGINE_OPERACAO_RAIZ:
        return ENGINE_truncarPotencia(pow((double)a, b == 0 ? HUGE_VAL : 1.0 / (double)b));
    case ENGINE_OPERACAO_MODULO: return a < 0 ? (int32_t)(0u - (uint32_t)a) : a;
    case ENGINE_OPERACAO_MINIMO: return b < a ? b : a;
    case ENGINE_OPERACAO_MAXIMO: return b > a ? b : a;
    default: return 0;
    }
}

// ------------------------------------------------------------- evaluation

// Recomputes an invalid entry. While it is being recomputed it counts as
// valid with its base as value, so an expression that reads the instance it
// drives reads that instance's base.
static void ENGINE_corrigirPosicao(_engine_posicao* e, char* valido)
{
    if (e->valido == 'S') return;
    e->valido = 'S';
    e->valor = e->base;
    if (e->recurso != 0) e->valor = ENGINE_pegarValor(e->recurso, valido);
    e->valido = *valido;
}

// The data module's random numbers: a reference to them never becomes valid.
static bool ENGINE_ehAleatorio(const _engine_recurso* r)
{
    return r->modulo == ENGINE_MODULO_DADOS && r->modelo == 2;
}

static _engine_valor ENGINE_pegarReferencia(_engine_recurso* r, char* valido)
{
    _engine_propriedade* p = ENGINE_pegarPropriedade(r->modulo, r->modelo, r->propriedade);
    if (!p) return 0;
    bool aleatorio = ENGINE_ehAleatorio(r);
    if (aleatorio) *valido = 'N';
    _engine_posicao* e = ENGINE_pegarPosicao(p, r->instancia);
    if (!e) {
        r->valor = p->pegar(r->instancia);
        return r->valor;
    }
    if (e->valido == 'S') {
        r->valor = e->valor;
        return r->valor;
    }
    if (aleatorio) {
        // A new number is drawn for every evaluation through a reference.
        e->base = p->pegar(r->instancia);
        e = ENGINE_pegarPosicao(p, r->instancia);
        if (!e) return 0;
        *valido = 'S';
        ENGINE_corrigirPosicao(e, valido);
        *valido = 'N';
        r->valor = e->valor;
        return r->valor;
    }
    *valido = 'S';
    ENGINE_corrigirPosicao(e, valido);
    r->valido = *valido;
    r->valor = e->valor;
    return r->valor;
}

static _engine_valor ENGINE_avaliar(_engine_recurso* r, char* valido);

_engine_valor ENGINE_pegarValor(uint32_t recurso, char* valido)
{
    _engine_recurso* r = ENGINE_pegarRecurso(recurso);
    if (!r) return 0;
    if (r->valido == 'S') return r->valor;
    if (engineProfundidadeAvaliacao >= ENGINE_PROFUNDIDADE_PILHA) {
        *valido = 'N';
        return 0;
    }
    engineProfundidadeAvaliacao++;
    _engine_valor v = ENGINE_avaliar(r, valido);
    engineProfundidadeAvaliacao--;
    return v;
}

// One node that is not valid, below the depth check.
static _engine_valor ENGINE_avaliar(_engine_recurso* r, char* valido)
{
    if (r->tipo == 0) return ENGINE_pegarReferencia(r, valido);
    if (r->operacao < 0 || r->operacao > ENGINE_OPERACAO_CONSTANTE) return 0;
    if (r->operacao == ENGINE_OPERACAO_CONSTANTE) {
        r->valor = (int32_t)r->a;
        r->valido = *valido;
        *valido = 'S';
        return r->valor;
    }
    int32_t a = ENGINE_32(ENGINE_pegarValor(r->a, valido));
    r->valor = a;
    r->valido = *valido;
    *valido = 'S';
    int32_t b = 0;
    if (r->operacao != ENGINE_OPERACAO_MODULO) b = ENGINE_32(ENGINE_pegarValor(r->b, valido));
    r->valor = ENGINE_operar(r->operacao, a, b);
    r->valido = (r->valido == 'S' && *valido == 'S') ? 'S' : 'N';
    return r->valor;
}

// ---------------------------------------------------- pushing and the walk

// Recomputes an invalid entry and hands its value to the module when the
// getter reports another one. Returns the entry's value.
static _engine_valor ENGINE_empurrar(_engine_propriedade* p, uint32_t instancia, _engine_posicao* e)
{
    if (e->valido == 'S') return e->valor;
    char valido = 'S';
    ENGINE_corrigirPosicao(e, &valido);
    _engine_valor valor = e->valor;
    if (p->pegar(instancia) != valor) p->mudar(instancia, valor);
    return valor;
}

// Invalidates the nodes that read an instance, last added first.
static void ENGINE_percorrerLeitores(_engine_propriedade* p, uint32_t instancia)
{
    _engine_posicao* e = ENGINE_pegarPosicao(p, instancia);
    for (uint32_t i = e ? e->dependentes.tamanho : 0; i > 0; i--) {
        e = ENGINE_pegarPosicao(p, instancia);
        if (!e) return;
        if (i > e->dependentes.tamanho) continue;
        ENGINE_invalidarRecurso((uint32_t)e->dependentes.itens[i - 1]);
    }
}

// The part of the walk inside an entry that has just been made invalid:
// push it when eager, then invalidate the nodes that read it.
//
// While the walk is inside the entry it is marked, and reaching it again
// through a cycle of expressions only invalidates it ('R'): an eager
// instance bound to an expression over itself would otherwise be pushed and
// walked without end. Such an eager entry was pushed before the nodes of its
// cycle were invalidated, so it is pushed again, now reading its own base as
// a lazy cycle does; when that changes its value its readers are walked once
// more, and a last push leaves it valid with its module holding its value.
static void ENGINE_percorrerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* e)
{
    e->emInvalidacao = 'S';
    const bool imediata = p->imediata == 'S';
    _engine_valor empurrado = imediata ? ENGINE_empurrar(p, instancia, e) : 0;
    ENGINE_percorrerLeitores(p, instancia);
    for (int volta = 0; imediata && volta < 2; volta++) {
        e = ENGINE_pegarPosicao(p, instancia);
        if (!e || e->emInvalidacao != 'R') break;
        e->emInvalidacao = 'S';
        char valido = 'S';
        ENGINE_corrigirPosicao(e, &valido);
        _engine_valor valor = e->valor;
        if (p->pegar(instancia) != valor) p->mudar(instancia, valor);
        if (volta == 0 && valor != empurrado) ENGINE_percorrerLeitores(p, instancia);
    }
    e = ENGINE_pegarPosicao(p, instancia);
    if (e) e->emInvalidacao = 'N';
}

static void ENGINE_invalidarPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* e)
{
    e->valido = 'N';
    if (e->emInvalidacao != 'N') {
        e->emInvalidacao = 'R';  // the walk is inside it already
        return;
    }
    ENGINE_percorrerPosicao(p, instancia, e);
}

static void ENGINE_invalidarRecursoDentro(uint32_t id);

static void ENGINE_invalidarRecurso(uint32_t id)
{
    if (engineProfundidadeInvalidacao >= ENGINE_PROFUNDIDADE_PILHA) return;
    engineProfundidadeInvalidacao++;
    ENGINE_invalidarRecursoDentro(id);
    engineProfundidadeInvalidacao--;
}

static void ENGINE_invalidarRecursoDentro(uint32_t id)
{
    _engine_recurso* r = ENGINE_pegarRecurso(id);
    if (!r) return;
    r->valido = 'N';
    for (uint32_t i = r->modulos.tamanho; i > 0; i--) {
        r = ENGINE_pegarRecurso(id);
        if (!r) return;
        if (i > r->modulos.tamanho) continue;
        uint32_t instancia = (uint32_t)r->posicoes.itens[i - 1];
        _engine_propriedade* p = ENGINE_pegarPropriedade((uint32_t)r->modulos.itens[i - 1],
                                                         (uint32_t)r->modelos.itens[i - 1],
                                                         (uint32_t)r->propriedades.itens[i - 1]);
        if (!p) continue;
        _engine_posicao* e = ENGINE_pegarPosicao(p, instancia);
        // An entry that is invalid already is skipped with its dependants.
        if (!e || e->valido != 'S') continue;
        e->valido = 'N';
        if (e->emInvalidacao != 'N') {
            e->emInvalidacao = 'R';
            continue;
        }
        ENGINE_percorrerPosicao(p, instancia, e);
    }
    r = ENGINE_pegarRecurso(id);
    for (uint32_t i = r ? r->dependentes.tamanho : 0; i > 0; i--) {
        r = ENGINE_pegarRecurso(id);
        if (!r) return;
        if (i > r->dependentes.tamanho) continue;
        ENGINE_invalidarRecurso((uint32_t)r->dependentes.itens[i - 1]);
    }
}

// ------------------------------------------------- property access (graph)

_engine_valor ENGINE_grafo_lerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                      char* recalculado)
{
    if (posicao->valido == 'S') return posicao->valor;
    if (recalculado) *recalculado = 'S';
    return ENGINE_empurrar(p, instancia, posicao);
}

void ENGINE_grafo_escreverPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                  _engine_valor valor)
{
    if (valor == posicao->base) return;
    posicao->base = valor;
    ENGINE_invalidarPosicao(p, instancia, posicao);
}

void ENGINE_grafo_relerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao)
{
    _engine_valor base = p->pegar(instancia);
    posicao = ENGINE_pegarPosicao(p, instancia);
    if (!posicao) return;
    posicao->base = base;
    ENGINE_invalidarPosicao(p, instancia, posicao);
}

// ------------------------------------------------------ nodes and entries

// The entry of an instance, created (base from the getter, unbound, invalid)
// when it has none; null for instance 0 or when memory runs out.
static _engine_posicao* ENGINE_obterPosicao(_engine_propriedade* p, uint32_t instancia, bool* criada)
{
    *criada = false;
    if (instancia == 0) return nullptr;
    _engine_posicao* e = ENGINE_pegarPosicao(p, instancia);
    if (e) return e;
    _engine_valor base = p->pegar(instancia);
    e = ENGINE_pegarPosicao(p, instancia);  // the getter may have made one
    if (e) return e;
    e = (_engine_posicao*)calloc(1, sizeof(_engine_posicao));
    if (!e) return nullptr;
    e->base = base;
    e->valor = base;
    e->recurso = 0;
    e->valido = 'N';
    e->emInvalidacao = 'N';
    ENGINE_construirVetorInteiro(&e->dependentes);
    if (ENGINE_inserirPonteiroEm(&p->posicoes, e, instancia) != nullptr) {
        free(e);
        return nullptr;
    }
    *criada = true;
    return e;
}

static _engine_recurso* ENGINE_novoRecurso(char tipo)
{
    _engine_recurso* r = (_engine_recurso*)calloc(1, sizeof(_engine_recurso));
    if (!r) return nullptr;
    r->tipo = tipo;
    r->valido = 'N';
    ENGINE_construirVetorInteiro(&r->dependentes);
    ENGINE_construirVetorInteiro(&r->modulos);
    ENGINE_construirVetorInteiro(&r->modelos);
    ENGINE_construirVetorInteiro(&r->propriedades);
    ENGINE_construirVetorInteiro(&r->posicoes);
    return r;
}

uint32_t engine_criarReferencia(uint32_t modulo, uint32_t modelo, uint32_t propriedade, uint32_t instancia)
{
    _engine_propriedade* p = ENGINE_pegarPropriedade(modulo, modelo, propriedade);
    // Instance 0 can have no entry, so nothing could ever invalidate the node.
    if (!p || instancia == 0) return 0;
    uint32_t altura = 1;
    if (_engine_posicao* ligada = ENGINE_pegarPosicao(p, instancia)) {
        _engine_recurso* abaixo = ENGINE_pegarRecurso(ligada->recurso);
        if (abaixo) altura += abaixo->altura;
    }
    if (altura > ENGINE_PROFUNDIDADE_MAXIMA) return 0;
    _engine_recurso* r = ENGINE_novoRecurso(0);
    if (!r) return 0;
    r->altura = altura;
    r->modulo = modulo;
    r->modelo = modelo;
    r->propriedade = propriedade;
    r->instancia = instancia;
    uint32_t id = ENGINE_inserirPersistente(&engineRecursos, r);
    if (id == 0) {
        free(r);
        return 0;
    }
    bool criada;
    _engine_posicao* e = ENGINE_obterPosicao(p, instancia, &criada);
    if (e && criada) {
        ENGINE_invalidarPosicao(p, instancia, e);
        e = ENGINE_pegarPosicao(p, instancia);
    }
    if (!e || ENGINE_inserirNumero(&e->dependentes, (int32_t)id) == 0) {
        ENGINE_apagarPersistente(&engineRecursos, id);
        return 0;
    }
    return id;
}

uint32_t engine_criarOperacao(uint32_t a, int32_t operacao, uint32_t b)
{
    _engine_recurso* ra = nullptr;
    _engine_recurso* rb = nullptr;
    if (operacao != ENGINE_OPERACAO_CONSTANTE) {
        ra = ENGINE_pegarRecurso(a);
        rb = ENGINE_pegarRecurso(b);
        if (!ra || !rb) return 0;
    }
    uint32_t altura = ra ? 1 + std::max(ra->altura, rb->altura) : 1;
    if (altura > ENGINE_PROFUNDIDADE_MAXIMA) return 0;
    _engine_recurso* r = ENGINE_novoRecurso(1);
    if (!r) return 0;
    r->altura = altura;
    r->a = a;
    r->b = b;
    r->operacao = operacao;
    uint32_t id = ENGINE_inserirPersistente(&engineRecursos, r);
    if (id == 0) {
        free(r);
        return 0;
    }
    if (operacao != ENGINE_OPERACAO_CONSTANTE) {
        ENGINE_inserirNumero(&ra->dependentes, (int32_t)id);
        ENGINE_inserirNumero(&rb->dependentes, (int32_t)id);
    }
    return id;
}

const char* engine_propriedade_mudarRecurso(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                            uint32_t instancia, uint32_t recurso)
{
    if (recurso != 0 && !ENGINE_pegarRecurso(recurso)) return ERRO_RECURSO;
    _engine_propriedade* p;
    const char* erro = ENGINE_validarPropriedade(modulo, modelo, propriedade, &p);
    if (erro) return erro;
    // What reads the instance would read through the node too.
    if (recurso != 0 && ENGINE_pegarRecurso(recurso)->altura >= ENGINE_PROFUNDIDADE_MAXIMA) return ERRO_PROFUNDIDADE;
    bool criada;
    _engine_posicao* e = ENGINE_obterPosicao(p, instancia, &criada);
    if (!e) return ERRO_INSERIR_POSICAO;
    // The getter that made the entry may have destroyed the node.
    _engine_recurso* r = recurso != 0 ? ENGINE_pegarRecurso(recurso) : nullptr;
    if (recurso != 0 && !r) return ERRO_RECURSO;
    e->recurso = recurso;
    if (r) {
        ENGINE_inserirNumero(&r->modulos, (int32_t)modulo);
        ENGINE_inserirNumero(&r->modelos, (int32_t)modelo);
        ENGINE_inserirNumero(&r->propriedades, (int32_t)propriedade);
        ENGINE_inserirNumero(&r->posicoes, (int32_t)instancia);
    } else {
        _engine_valor base = p->pegar(instancia);
        e = ENGINE_pegarPosicao(p, instancia);
        if (!e) return nullptr;
        e->base = base;
    }
    ENGINE_invalidarPosicao(p, instancia, e);
    return nullptr;
}

const char* engine_destruirRecurso(uint32_t recurso)
{
    _engine_recurso* r = ENGINE_pegarRecurso(recurso);
    if (!r) return ERRO_RECURSO;
    int32_t id = (int32_t)recurso;
    // Take the node out of the lists of what it reads, so that a node created
    // later under this id is not walked in its place.
    if (r->tipo == 0) {
        _engine_propriedade* p = ENGINE_pegarPropriedade(r->modulo, r->modelo, r->propriedade);
        _engine_posicao* e = p ? ENGINE_pegarPosicao(p, r->instancia) : nullptr;
        if (e) ENGINE_retirarNumero(&e->dependentes, id);
    } else if (r->operacao != ENGINE_OPERACAO_CONSTANTE) {
        _engine_recurso* ra = ENGINE_pegarRecurso(r->a);
        if (ra) ENGINE_retirarNumero(&ra->dependentes, id);
        _engine_recurso* rb = ENGINE_pegarRecurso(r->b);
        if (rb) ENGINE_retirarNumero(&rb->dependentes, id);
    }
    // What uses the node keeps a dead reference, which evaluates to 0: an
    // operand becomes 0, a binding or a timeline's speed the destroyed mark.
    for (uint32_t i = 0; i < r->dependentes.tamanho; i++) {
        _engine_recurso* d = ENGINE_pegarRecurso((uint32_t)r->dependentes.itens[i]);
        if (!d || d->tipo != 1 || d->operacao == ENGINE_OPERACAO_CONSTANTE) continue;
        if (d->a == recurso) d->a = 0;
        if (d->b == recurso) d->b = 0;
    }
    for (uint32_t i = 0; i < r->modulos.tamanho; i++) {
        _engine_propriedade* p = ENGINE_pegarPropriedade((uint32_t)r->modulos.itens[i],
                                                         (uint32_t)r->modelos.itens[i],
                                                         (uint32_t)r->propriedades.itens[i]);
        _engine_posicao* e = p ? ENGINE_pegarPosicao(p, (uint32_t)r->posicoes.itens[i]) : nullptr;
        if (e && e->recurso == recurso) e->recurso = ENGINE_RECURSO_DESTRUIDO;
    }
    ENGINE_config_esquecerRecurso(recurso);
    // What used the node had its value cached; it is recomputed without it.
    _engine_vetorInteiro operacoes = r->dependentes, modulos = r->modulos, modelos = r->modelos,
                         propriedades = r->propriedades, posicoes = r->posicoes;
    ENGINE_construirVetorInteiro(&r->dependentes);
    ENGINE_construirVetorInteiro(&r->modulos);
    ENGINE_construirVetorInteiro(&r->modelos);
    ENGINE_construirVetorInteiro(&r->propriedades);
    ENGINE_construirVetorInteiro(&r->posicoes);
    ENGINE_liberarRecurso(r);
    const char* erro = ENGINE_apagarPersistente(&engineRecursos, recurso);
    for (uint32_t i = operacoes.tamanho; i > 0; i--) ENGINE_invalidarRecurso((uint32_t)operacoes.itens[i - 1]);
    for (uint32_t i = posicoes.tamanho; i > 0; i--) {
        _engine_propriedade* p = ENGINE_pegarPropriedade((uint32_t)modulos.itens[i - 1], (uint32_t)modelos.itens[i - 1],
                                                         (uint32_t)propriedades.itens[i - 1]);
        uint32_t instancia = (uint32_t)posicoes.itens[i - 1];
        _engine_posicao* e = p ? ENGINE_pegarPosicao(p, instancia) : nullptr;
        if (e && e->recurso == ENGINE_RECURSO_DESTRUIDO && e->valido == 'S') ENGINE_invalidarPosicao(p, instancia, e);
    }
    ENGINE_esvaziarVetorInteiro(&operacoes);
    ENGINE_esvaziarVetorInteiro(&modulos);
    ENGINE_esvaziarVetorInteiro(&modelos);
    ENGINE_esvaziarVetorInteiro(&propriedades);
    ENGINE_esvaziarVetorInteiro(&posicoes);
    return erro;
}

const char* engine_propriedade_removerPosicao(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                              uint32_t instancia)
{
    _engine_propriedade* p;
    const char* erro = ENGINE_validarPropriedade(modulo, modelo, propriedade, &p);
    if (erro) return erro;
    _engine_posicao* e = ENGINE_pegarPosicao(p, instancia);
    if (!e) return ENGINE_ERRO_POSICAO;
    // Destroying a reference takes it out of e->dependentes: work on a copy.
    uint32_t n = e->dependentes.tamanho;
    int32_t* leitores = nullptr;
    if (n > 0) {
        leitores = (int32_t*)malloc((size_t)n * sizeof(int32_t));
        if (!leitores) return ENGINE_ERRO_MEMORIA;
        memcpy(leitores, e->dependentes.itens, (size_t)n * sizeof(int32_t));
    }
    for (uint32_t i = 0; i < n; i++) engine_destruirRecurso((uint32_t)leitores[i]);
    free(leitores);
    e = ENGINE_pegarPosicao(p, instancia);
    if (!e) return nullptr;
    // The node it is bound to forgets the binding too: its walk would
    // otherwise reach an entry that a later record makes at this instance.
    _engine_recurso* r = ENGINE_pegarRecurso(e->recurso);
    for (uint32_t i = r ? r->posicoes.tamanho : 0; i > 0; i--) {
        if ((uint32_t)r->posicoes.itens[i - 1] != instancia || (uint32_t)r->modulos.itens[i - 1] != modulo ||
            (uint32_t)r->modelos.itens[i - 1] != modelo || (uint32_t)r->propriedades.itens[i - 1] != propriedade)
            continue;
        ENGINE_apagarNumero(&r->modulos, i);
        ENGINE_apagarNumero(&r->modelos, i);
        ENGINE_apagarNumero(&r->propriedades, i);
        ENGINE_apagarNumero(&r->posicoes, i);
    }
    ENGINE_grafo_liberarPosicao(e);
    p->posicoes.itens[instancia - 1] = nullptr;
    return nullptr;
}
