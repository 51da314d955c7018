// Engine core: the registry of numbered modules, models and properties, the
// engine vectors that hold every module's records, property access, the
// expression graph between property instances and the timelines that drive
// property values over time.
//
// Handles are 1-based; 0 means none. Error texts are returned as const char*:
// null on success, a static text for fixed errors, or a new allocation for
// composed ones (which the caller owns).
#ifndef MORVALEN_ENGINE_H
#define MORVALEN_ENGINE_H

#include <cstdint>

// Module numbers of the registry; 5 is never registered.
enum {
    ENGINE_MODULO_ENGINE = 1,
    ENGINE_MODULO_FISICA = 2,
    ENGINE_MODULO_VIDEO = 3,
    ENGINE_MODULO_AUDIO = 4,
    ENGINE_MODULO_DADOS = 6,
    ENGINE_MODULO_ENTIDADES = 7,
    ENGINE_MODULO_TEMPO = 8,
    ENGINE_MODULO_ENTRADA = 9,
    ENGINE_MODULO_ARQUIVO = 10,
};

// A property value: a 32-bit quantity in the owning module's unit, or the
// address of a text, so it is pointer-sized. Arithmetic on values is 32-bit.
typedef intptr_t _engine_valor;

typedef _engine_valor (*_engine_funcaoPegar)(uint32_t instancia);
typedef const char* (*_engine_funcaoMudar)(uint32_t instancia, _engine_valor valor);

// Growable arrays with 1-based positions and no spare capacity.
struct _engine_vetorPonteiro {
    void** itens;
    uint32_t tamanho;
};

struct _engine_vetorInteiro {
    int32_t* itens;
    uint32_t tamanho;
};

// Owned elements with stable ids (slot index + 1); emptied slots are reused
// oldest first. The highest slot is always occupied.
struct _engine_vetorPersistente {
    void** itens;
    uint32_t tamanho;
    uint32_t* livres;
    uint32_t nLivres;
};

// One entry of a name index: the mapped value (not owned) and the index's own
// lower-case copy of the name.
struct _engine_parIndice {
    void* valor;
    char* chave;
};

struct _engine_modulo {
    _engine_vetorPersistente vetoresPonteiro;
    _engine_vetorPersistente vetoresInteiro;
    _engine_vetorPersistente vetoresPersistente;
    _engine_vetorPonteiro modelos;
};

struct _engine_modelo {
    _engine_vetorPonteiro propriedades;
    _engine_vetorPersistente configs;
    _engine_vetorPersistente configsAplicadas;
};

struct _engine_propriedade {
    _engine_funcaoPegar pegar;
    _engine_funcaoMudar mudar;
    _engine_vetorPonteiro posicoes;  // instances taking part in the expression graph
    char imediata;                   // 'S' eager, 'N' lazy
};

// Registry.
void engine_iniciar(bool log);
const char* engine_registrarModulo(uint32_t modulo);
const char* engine_registrarModelo(uint32_t modulo, uint32_t modelo);
const char* engine_registrarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                        _engine_funcaoPegar pegar, _engine_funcaoMudar mudar,
                                        char imediata);

// Property access.
_engine_valor engine_propriedade_pegarValor(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                            uint32_t instancia, char* recalculado);
const char* engine_propriedade_mudarValor(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                          uint32_t instancia, _engine_valor valor);
const char* engine_propriedade_invalidar(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                         uint32_t instancia);
// Every instance above the number this returns is outside the expression
// graph for that property (0 when none is in it, or for invalid numbers):
// reading or writing one goes straight to the module, and invalidating it
// does nothing. A module that walks many instances every frame skips the
// engine for those.
uint32_t engine_propriedade_pegarLimitePosicoes(uint32_t modulo, uint32_t modelo, uint32_t propriedade);

// Expression graph. Nodes (resources) are numbered engine-wide from 1: a
// reference reads one instance, an operation combines two nodes with an
// operator code (0 +, 1 -, 2 *, 3 /, 4 remainder, 5 power, 6 root, 7 absolute
// value of a, 8 min, 9 max; all in 32-bit arithmetic), code 10 makes a
// constant of a. An instance that an expression reads or drives enters the
// graph: writes set its base value and invalidate what depends on it; eager
// properties are recomputed and pushed into their module at once, lazy ones
// on their next engine_propriedade_pegarValor.
uint32_t engine_criarReferencia(uint32_t modulo, uint32_t modelo, uint32_t propriedade, uint32_t instancia);
uint32_t engine_criarOperacao(uint32_t a, int32_t operacao, uint32_t b);
const char* engine_propriedade_mudarRecurso(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                            uint32_t instancia, uint32_t recurso);
const char* engine_destruirRecurso(uint32_t recurso);
const char* engine_propriedade_removerPosicao(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                              uint32_t instancia);
// Called by a module when it frees the record behind an instance: takes the
// instance out of the expression graph for every property of the model (its
// bindings, and the reference nodes that read it, which then read 0) and
// cancels every timeline application running on it, so a record that later
// gets the same id starts clean. Safe from inside a setter that a timeline
// or an expression is calling.
const char* engine_esquecerInstancia(uint32_t modulo, uint32_t modelo, uint32_t instancia);

// Timelines of a model: points of timed steps with per-property continuous
// or discrete targets and an end rule (alvo = 0-based point; modo -1 jump,
// -2 next point then alvo, -3 hold, n >= 0 jump n times then go on).
// Applications run a timeline on one instance from a start time on the
// module's clock; the module advances them with engine_config_configurar.
uint32_t engine_criarConfig(uint32_t modulo, uint32_t modelo);
const char* engine_config_passarTempo(uint32_t modulo, uint32_t modelo, uint32_t config, int32_t duracao);
const char* engine_config_mudarPropriedadeContinua(uint32_t modulo, uint32_t modelo, uint32_t config,
                                                   uint32_t propriedade, _engine_valor valor);
const char* engine_config_mudarPropriedadeDiscreta(uint32_t modulo, uint32_t modelo, uint32_t config,
                                                   uint32_t propriedade, _engine_valor valor);
uint32_t engine_config_criarPonto(uint32_t modulo, uint32_t modelo, uint32_t config, int32_t alvo, int32_t modo);
const char* engine_config_vincularVelocidade(uint32_t modulo, uint32_t modelo, uint32_t config, uint32_t recurso);
uint32_t engine_config_aplicar(uint32_t modulo, uint32_t modelo, uint32_t config, uint32_t posicao,
                               uint32_t inicio);
uint32_t engine_configAplicada_pegarPosicao(uint32_t modulo, uint32_t modelo, uint32_t aplicacao);
const char* engine_config_cancelar(uint32_t modulo, uint32_t modelo, uint32_t aplicacao);
const char* engine_destruirConfig(uint32_t modulo, uint32_t modelo, uint32_t config);
const char* engine_config_configurar(uint32_t modulo, uint32_t modelo, uint32_t agora, int32_t d);

// Vectors in a module's pools.
uint32_t engine_criarVetorPonteiro(uint32_t modulo);
uint32_t engine_criarVetorInteiro(uint32_t modulo);
uint32_t engine_criarVetorPersistente(uint32_t modulo);
const char* engine_destruirVetorPonteiro(uint32_t modulo, uint32_t vetor);
const char* engine_destruirVetorInteiro(uint32_t modulo, uint32_t vetor);
const char* engine_destruirVetorPersistente(uint32_t modulo, uint32_t vetor);

uint32_t engine_vetorPonteiro_adicionarPonteiro(uint32_t modulo, uint32_t vetor, void* ponteiro);
const char* engine_vetorPonteiro_adicionarPonteiroEm(uint32_t modulo, uint32_t vetor, void* ponteiro,
                                                     uint32_t posicao);
void* engine_vetorPonteiro_pegarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao);
uint32_t engine_vetorPonteiro_pegarTamanho(uint32_t modulo, uint32_t vetor);
const char* engine_vetorPonteiro_limparPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao);
const char* engine_vetorPonteiro_removerPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao);
void* engine_vetorPonteiro_retirarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t posicao);

uint32_t engine_vetorInteiro_adicionarNumero(uint32_t modulo, uint32_t vetor, int32_t valor);
int32_t engine_vetorInteiro_pegarNumero(uint32_t modulo, uint32_t vetor, uint32_t posicao);
uint32_t engine_vetorInteiro_pegarTamanho(uint32_t modulo, uint32_t vetor);
const char* engine_vetorInteiro_removerNumero(uint32_t modulo, uint32_t vetor, uint32_t posicao);

uint32_t engine_vetorPersistente_adicionarPonteiro(uint32_t modulo, uint32_t vetor, void* elemento);
void* engine_vetorPersistente_pegarPonteiro(uint32_t modulo, uint32_t vetor, uint32_t id);
uint32_t engine_vetorPersistente_pegarTamanho(uint32_t modulo, uint32_t vetor);
const char* engine_vetorPersistente_removerPosicao(uint32_t modulo, uint32_t vetor, uint32_t id);

// Name index over a pointer vector: case-insensitive (ASCII), sorted, unique.
uint32_t engine_vetorPonteiro_indice_adicionarPonteiro(uint32_t modulo, uint32_t vetor, const char* nome,
                                                       void* ponteiro);
void* engine_vetorPonteiro_indice_pegarPonteiro(uint32_t modulo, uint32_t vetor, const char* nome);
const char* engine_vetorPonteiro_indice_removerPonteiro(uint32_t modulo, uint32_t vetor, const char* nome,
                                                        char liberar);

#endif
