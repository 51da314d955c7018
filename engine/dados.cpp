// Data module: variables per scope, their element trees, random numbers and
// the wrappers of variable timelines.
//
// Slot entidade + 1 of dadosVariaveisIndice holds, as its pointer value, the
// id of that scope's name index, which maps names to top-level nodes (owned
// by dadosVariaveis). Element nodes are owned by their parent's filhos
// vector and are plain storage: writing one never passes through the engine.
#include "engine/dados.h"

#include <cstdarg>
#include <cstdlib>

#include "engine/engine_aleatorio.h"
#include "engine/engine_log.h"

static int32_t dadosTempo = 0;
static char dadosLog = 'N';
static uint32_t dadosVariaveis = 0;
static uint32_t dadosVariaveisIndice = 0;
static uint32_t dadosNumerosAleatorios = 0;

// Scopes (entity ids) and element positions from here up are refused: the
// vectors grow with empty slots up to the position they are given, and a
// larger one would wrap or take gigabytes.
static const uint32_t DADOS_POSICAO_LIMITE = 1u << 20;

static const char ERRO_VARIAVEL[] = "Variavel invalida";
static const char ERRO_ENTIDADE[] = "Entidade invalida";
static const char ERRO_POSICAO[] = "Posicao invalida";
static const char ERRO_MEMORIA[] = "Memoria insuficiente";

enum { M = ENGINE_MODULO_DADOS };

int DADOS_logar(const char* texto, int32_t valor)
{
    if (dadosLog == 'S') engine_escreverLog("DADOS - %s", texto, valor);
    return 1;
}

// ------------------------------------------------------------- properties

static _dados_variavel* DADOS_pegarVariavelPorId(uint32_t variavel)
{
    return (_dados_variavel*)engine_vetorPersistente_pegarPonteiro(M, dadosVariaveis, variavel);
}

static _dados_numeroAleatorio* DADOS_pegarNumero(uint32_t numero)
{
    return (_dados_numeroAleatorio*)engine_vetorPersistente_pegarPonteiro(M, dadosNumerosAleatorios, numero);
}

_engine_valor DADOS_variavel_pegarValor(uint32_t variavel)
{
    _dados_variavel* v = DADOS_pegarVariavelPorId(variavel);
    return v ? v->valor : 0;
}

const char* DADOS_variavel_mudarValor(uint32_t variavel, _engine_valor valor)
{
    _dados_variavel* v = DADOS_pegarVariavelPorId(variavel);
    if (!v) return ERRO_VARIAVEL;
    v->valor = valor;
    return nullptr;
}

// A draw over [minimo, maximo]. One draw of the generator covers up to 32767
// values; wider ranges chain draws (r * 32767 + next) until the span covers
// them. The count and the span are 64-bit and the product 128-bit, so every
// range of 32-bit bounds stays inside them.
_engine_valor DADOS_numeroAleatorio_pegarValor(uint32_t numero)
{
    _dados_numeroAleatorio* n = DADOS_pegarNumero(numero);
    if (!n) return 0;
    if (n->maximo <= n->minimo) return n->minimo;
    int64_t quantidade = (int64_t)n->maximo - n->minimo + 1;
    int64_t sorteio = engine_sortearAleatorio();
    int64_t extensao = 32768;
    if (quantidade > ENGINE_ALEATORIO_MAXIMO) {
        int64_t s = ENGINE_ALEATORIO_MAXIMO;
        do {
            s = (s + 1) * ENGINE_ALEATORIO_MAXIMO;
            sorteio = sorteio * ENGINE_ALEATORIO_MAXIMO + engine_sortearAleatorio();
        } while (s < quantidade);
        extensao = s + 1;
    }
    unsigned __int128 produto = (unsigned __int128)(uint64_t)quantidade * (uint64_t)sorteio;
    return (int32_t)(n->minimo + (int64_t)(produto / (uint64_t)extensao));
}

const char* DADOS_numeroAleatorio_mudarValor(uint32_t numero, _engine_valor valor)
{
    (void)numero;
    (void)valor;
    return nullptr;
}

// ------------------------------------------------------------- lifecycle

const char* dados_iniciar(char log)
{
    dadosLog = log;
    DADOS_logar("Iniciando m\xF3" "dulo de dados", -1);
    const char* erro = engine_registrarModulo(M);
    if (erro) {
        DADOS_logar("Falha ao iniciar m\xF3" "dulo de dados", -1);
        DADOS_logar(erro, -1);
        return erro;
    }
    dadosTempo = 0;
    dadosVariaveis = engine_criarVetorPersistente(M);
    dadosVariaveisIndice = engine_criarVetorPonteiro(M);
    dadosNumerosAleatorios = engine_criarVetorPersistente(M);
    free((void*)engine_registrarModelo(M, 1));
    free((void*)engine_registrarPropriedade(M, 1, 1, DADOS_variavel_pegarValor, DADOS_variavel_mudarValor, 'N'));
    free((void*)engine_registrarModelo(M, 2));
    free((void*)engine_registrarPropriedade(M, 2, 1, DADOS_numeroAleatorio_pegarValor,
                                            DADOS_numeroAleatorio_mudarValor, 'N'));
    DADOS_logar("M\xF3" "dulo de dados iniciado com sucesso", -1);
    return nullptr;
}

int dados_atualizar(int32_t d)
{
    if (d <= 0) return 0;
    dadosTempo = (int32_t)((uint32_t)dadosTempo + (uint32_t)d);
    // Random numbers first, so that the timelines' expressions see this
    // frame's draws. Outside the expression graph the engine only answers
    // with an error text.
    uint32_t n = engine_vetorPersistente_pegarTamanho(M, dadosNumerosAleatorios);
    for (uint32_t id = 1; id <= n; id++)
        if (DADOS_pegarNumero(id)) engine_propriedade_invalidar(M, 2, 1, id);
    engine_config_configurar(M, 1, (uint32_t)dadosTempo, d);
    return 0;
}

int dados_finalizar()
{
    return 0;
}

// ------------------------------------------------------------- variables

// The id of the scope's name index, created on first use; 0 when the scope
// is refused or cannot be made.
static uint32_t DADOS_pegarEscopo(uint32_t entidade)
{
    if (entidade >= DADOS_POSICAO_LIMITE) return 0;
    uintptr_t indice = (uintptr_t)engine_vetorPonteiro_pegarPonteiro(M, dadosVariaveisIndice, entidade + 1);
    if (indice) return (uint32_t)indice;
    uint32_t novo = engine_criarVetorPonteiro(M);
    if (novo == 0) return 0;
    if (engine_vetorPonteiro_adicionarPonteiroEm(M, dadosVariaveisIndice, (void*)(uintptr_t)novo, entidade + 1)) {
        engine_destruirVetorPonteiro(M, novo);
        return 0;
    }
    return novo;
}

static _dados_variavel* DADOS_acharVariavel(uint32_t escopo, const char* nome)
{
    return (_dados_variavel*)engine_vetorPonteiro_indice_pegarPonteiro(M, escopo, nome);
}

// A new top-level node with value 0, entered in the scope's index.
static _dados_variavel* DADOS_criarVariavel(uint32_t escopo, const char* nome)
{
    _dados_variavel* v = (_dados_variavel*)calloc(1, sizeof(_dados_variavel));
    if (!v) return nullptr;
    v->id = engine_vetorPersistente_adicionarPonteiro(M, dadosVariaveis, v);
    if (v->id == 0) {
        free(v);
        return nullptr;
    }
    engine_vetorPonteiro_indice_adicionarPonteiro(M, escopo, nome, v);
    // The index reports no failure of its own: look the name up again.
    if (DADOS_acharVariavel(escopo, nome) != v) {
        engine_vetorPersistente_removerPosicao(M, dadosVariaveis, v->id);
        return nullptr;
    }
    return v;
}

// A new element with value 0 at an empty slot of pai's element vector,
// which is made when pai has none.
static _dados_variavel* DADOS_criarElemento(_dados_variavel* pai, uint32_t posicao)
{
    bool vetorNovo = false;
    if (pai->filhos == 0) {
        pai->filhos = engine_criarVetorPonteiro(M);
        if (pai->filhos == 0) return nullptr;
        vetorNovo = true;
    }
    _dados_variavel* elemento = (_dados_variavel*)calloc(1, sizeof(_dados_variavel));
    if (!elemento || engine_vetorPonteiro_adicionarPonteiroEm(M, pai->filhos, elemento, posicao)) {
        free(elemento);
        if (vetorNovo) {
            engine_destruirVetorPonteiro(M, pai->filhos);
            pai->filhos = 0;
        }
        return nullptr;
    }
    pai->nFilhos++;
    return elemento;
}

static _dados_variavel* DADOS_pegarElemento(const _dados_variavel* pai, uint32_t posicao)
{
    if (pai->filhos == 0) return nullptr;
    return (_dados_variavel*)engine_vetorPonteiro_pegarPonteiro(M, pai->filhos, posicao);
}

// Frees every element under the node, and its element vector.
static void DADOS_liberarElementos(_dados_variavel* no)
{
    if (no->filhos == 0) return;
    uint32_t n = engine_vetorPonteiro_pegarTamanho(M, no->filhos);
    for (uint32_t posicao = 1; posicao <= n; posicao++) {
        _dados_variavel* elemento = DADOS_pegarElemento(no, posicao);
        if (!elemento) continue;
        DADOS_liberarElementos(elemento);
        free(elemento);
    }
    engine_destruirVetorPonteiro(M, no->filhos);
    no->filhos = 0;
    no->nFilhos = 0;
}

// The node that the name and the positions reach, or null.
static _dados_variavel* DADOS_seguir(uint32_t entidade, const char* nome, uint32_t quantidade, va_list posicoes)
{
    if (!nome) return nullptr;
    uint32_t escopo = DADOS_pegarEscopo(entidade);
    if (escopo == 0) return nullptr;
    _dados_variavel* no = DADOS_acharVariavel(escopo, nome);
    for (uint32_t i = 0; no && i < quantidade; i++) no = DADOS_pegarElemento(no, va_arg(posicoes, uint32_t));
    return no;
}

const char* dados_mudarVariavel(uint32_t entidade, const char* nome, _engine_valor valor, uint32_t quantidade, ...)
{
    if (!nome) return ERRO_VARIAVEL;
    uint32_t escopo = DADOS_pegarEscopo(entidade);
    if (escopo == 0) return ERRO_ENTIDADE;
    _dados_variavel* no = DADOS_acharVariavel(escopo, nome);
    if (!no) {
        no = DADOS_criarVariavel(escopo, nome);
        if (!no) return ERRO_MEMORIA;
    }
    if (quantidade == 0) return engine_propriedade_mudarValor(M, 1, 1, no->id, valor);

    va_list posicoes;
    va_start(posicoes, quantidade);
    const char* erro = nullptr;
    for (uint32_t i = 0; i < quantidade; i++) {
        uint32_t posicao = va_arg(posicoes, uint32_t);
        // Position 0 addresses no element: what was made on the way stays
        // with value 0 and nothing is stored.
        if (posicao == 0 || posicao >= DADOS_POSICAO_LIMITE) {
            erro = ERRO_POSICAO;
            break;
        }
        _dados_variavel* elemento = DADOS_pegarElemento(no, posicao);
        if (!elemento) elemento = DADOS_criarElemento(no, posicao);
        if (!elemento) {
            erro = ERRO_MEMORIA;
            break;
        }
        no = elemento;
    }
    va_end(posicoes);
    if (!erro) no->valor = valor;
    return erro;
}

_engine_valor dados_pegarVariavel(uint32_t entidade, const char* nome, uint32_t quantidade, ...)
{
    va_list posicoes;
    va_start(posicoes, quantidade);
    _dados_variavel* no = DADOS_seguir(entidade, nome, quantidade, posicoes);
    va_end(posicoes);
    if (!no) return 0;
    // The top level reads through the engine, so that a variable bound to an
    // expression gives the expression's value.
    if (quantidade == 0) return engine_propriedade_pegarValor(M, 1, 1, no->id, nullptr);
    return no->valor;
}

uint32_t dados_variavel_pegarPosicao(uint32_t entidade, const char* nome)
{
    if (!nome) return 0;
    uint32_t escopo = DADOS_pegarEscopo(entidade);
    if (escopo == 0) return 0;
    _dados_variavel* v = DADOS_acharVariavel(escopo, nome);
    if (!v) {
        dados_mudarVariavel(entidade, nome, 0, 0);
        v = DADOS_acharVariavel(escopo, nome);
    }
    return v ? v->id : 0;
}

uint32_t dados_variavel_pegarTamanho(uint32_t entidade, const char* nome, uint32_t quantidade, ...)
{
    va_list posicoes;
    va_start(posicoes, quantidade);
    _dados_variavel* no = DADOS_seguir(entidade, nome, quantidade, posicoes);
    va_end(posicoes);
    if (!no || no->filhos == 0) return 0;
    return engine_vetorPonteiro_pegarTamanho(M, no->filhos);
}

int dados_destruirVariavel(uint32_t entidade, const char* nome, uint32_t quantidade, ...)
{
    if (!nome) return 0;
    uint32_t escopo = DADOS_pegarEscopo(entidade);
    if (escopo == 0) return 0;
    _dados_variavel* variavel = DADOS_acharVariavel(escopo, nome);
    if (!variavel) return 0;
    if (quantidade == 0) {
        uint32_t id = variavel->id;
        DADOS_liberarElementos(variavel);
        engine_vetorPonteiro_indice_removerPonteiro(M, escopo, nome, 'S');
        engine_vetorPersistente_removerPosicao(M, dadosVariaveis, id);
        // A variable made later under this id starts without the old one's
        // expressions and timelines.
        engine_esquecerInstancia(M, 1, id);
        return 0;
    }

    // Every node on the path must exist.
    va_list posicoes;
    va_start(posicoes, quantidade);
    _dados_variavel* pai = variavel;
    _dados_variavel* no = variavel;
    uint32_t posicao = 0;
    for (uint32_t i = 0; no && i < quantidade; i++) {
        pai = no;
        posicao = va_arg(posicoes, uint32_t);
        no = DADOS_pegarElemento(pai, posicao);
    }
    va_end(posicoes);
    if (!no) return 0;
    DADOS_liberarElementos(no);
    engine_vetorPonteiro_limparPonteiro(M, pai->filhos, posicao);  // frees the element
    pai->nFilhos--;
    // While other elements remain the vector keeps its length; with none
    // left the parent is a plain value again.
    if (pai->nFilhos == 0) {
        engine_destruirVetorPonteiro(M, pai->filhos);
        pai->filhos = 0;
    }
    return 0;
}

// ------------------------------------------------------------- random numbers

uint32_t dados_criarNumeroAleatorio(int32_t minimo, int32_t maximo)
{
    if (maximo < minimo) {
        DADOS_logar("Limites inv\xE1" "lidos na cria\xE7\xE3" "o de n\xFA" "mero aleat\xF3" "rio", -1);
        return 0;
    }
    _dados_numeroAleatorio* n = (_dados_numeroAleatorio*)malloc(sizeof(_dados_numeroAleatorio));
    if (!n) return 0;
    n->minimo = minimo;
    n->maximo = maximo;
    uint32_t id = engine_vetorPersistente_adicionarPonteiro(M, dadosNumerosAleatorios, n);
    if (id == 0) {
        DADOS_logar("Erro ao inserir n\xFA" "mero aleat\xF3" "rio no vetor", -1);
        free(n);
    }
    return id;
}

_engine_valor dados_numeroAleatorio_pegarValor(uint32_t numero)
{
    if (!DADOS_pegarNumero(numero)) {
        DADOS_logar("N\xFA" "mero aleat\xF3" "rio inv\xE1" "lido ao pegar valor", -1);
        return 0;
    }
    return engine_propriedade_pegarValor(M, 2, 1, numero, nullptr);
}

const char* dados_destruirNumeroAleatorio(uint32_t numero)
{
    const char* erro = engine_vetorPersistente_removerPosicao(M, dadosNumerosAleatorios, numero);
    // A range made later under this id draws its own numbers at once.
    if (!erro) engine_esquecerInstancia(M, 2, numero);
    return erro;
}

// ------------------------------------------------------------- timelines

uint32_t dados_configurarVariavel()
{
    DADOS_logar("Configurando variavel", -1);
    return engine_criarConfig(M, 1);
}

uint32_t dados_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo)
{
    DADOS_logar("Criando ponto para a configura\xE7\xE3" "o de variavel", (int32_t)config);
    return engine_config_criarPonto(M, 1, config, (int32_t)alvo, modo);
}

const char* dados_config_passarTempo(uint32_t config, int32_t duracao)
{
    DADOS_logar("Passando", duracao);
    DADOS_logar("...na configura\xE7\xE3" "o", (int32_t)config);
    return engine_config_passarTempo(M, 1, config, duracao);
}

const char* dados_config_mudarValor(uint32_t config, _engine_valor valor)
{
    return engine_config_mudarPropriedadeContinua(M, 1, config, 1, valor);
}

uint32_t dados_aplicarConfigVariavel(uint32_t config, uint32_t entidade, const char* nome)
{
    uint32_t variavel = dados_variavel_pegarPosicao(entidade, nome);
    if (variavel == 0) return 0;
    return engine_config_aplicar(M, 1, config, variavel, (uint32_t)dadosTempo);
}

const char* dados_cancelarConfigVariavel(uint32_t aplicacao)
{
    return engine_config_cancelar(M, 1, aplicacao);
}
