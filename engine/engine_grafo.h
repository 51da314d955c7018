// The expression graph's records and the internal calls that the registry
// (engine.cpp) and the timelines (engine_config.cpp) make into it.
#ifndef MORVALEN_ENGINE_GRAFO_H
#define MORVALEN_ENGINE_GRAFO_H

#include "engine/engine.h"

// Operator codes of operation nodes; 10 makes a constant.
enum {
    ENGINE_OPERACAO_SOMA = 0,
    ENGINE_OPERACAO_SUBTRACAO = 1,
    ENGINE_OPERACAO_MULTIPLICACAO = 2,
    ENGINE_OPERACAO_DIVISAO = 3,
    ENGINE_OPERACAO_RESTO = 4,
    ENGINE_OPERACAO_POTENCIA = 5,
    ENGINE_OPERACAO_RAIZ = 6,
    ENGINE_OPERACAO_MODULO = 7,
    ENGINE_OPERACAO_MINIMO = 8,
    ENGINE_OPERACAO_MAXIMO = 9,
    ENGINE_OPERACAO_CONSTANTE = 10,
};

// What an entry or a timeline holds in place of a node that was destroyed:
// never a live id, so it evaluates to 0 like the released id did, and a node
// created later under the old id is not mistaken for it.
const uint32_t ENGINE_RECURSO_DESTRUIDO = UINT32_MAX;

// How deep an expression may be, counted in nodes from its top down to its
// constants and the instances it reads (through what those are bound to).
// No game expression comes near it; evaluating and invalidating walk the
// graph by recursion, and a deeper chain would exhaust the stack. Creating a
// node past it fails, binding an instance to a node at it is refused, and a
// walk that still gets deeper (through bindings made later) stops there: a
// node below reads 0 and is not kept, and what lies further up is not
// invalidated.
const uint32_t ENGINE_PROFUNDIDADE_MAXIMA = 1000;

// One node of the graph: a reference to an instance (tipo 0) or an operation
// or constant (tipo 1).
struct _engine_recurso {
    // Reference: the instance read.
    uint32_t modulo, modelo, propriedade, instancia;
    // Operation: operand ids and operator; a constant keeps its value in a.
    uint32_t a, b;
    int32_t operacao;
    _engine_valor valor;  // cached value, meaningful while valido is 'S'
    uint32_t altura;      // nodes from this one down, as it was when it was made
    char tipo;
    char valido;
    _engine_vetorInteiro dependentes;  // operation nodes that use this one, in creation order
    // Every binding of an instance to this node, in binding order; only
    // appended to (a rebound instance leaves its entry here).
    _engine_vetorInteiro modulos, modelos, propriedades, posicoes;
};

// One instance taking part in the graph.
struct _engine_posicao {
    _engine_valor base;   // last value written from outside or re-read from the getter
    _engine_valor valor;  // computed value, meaningful while valido is 'S'
    uint32_t recurso;     // bound node, 0 when unbound
    char valido;
    char emInvalidacao;   // 'N'; 'S' while the invalidation walk is inside it, 'R' reached again
    _engine_vetorInteiro dependentes;  // reference nodes that read this instance
};

// Empties the vector of nodes (engine start).
void ENGINE_grafo_iniciar();
void ENGINE_grafo_liberarPosicao(_engine_posicao* posicao);

// The graph paths of property access.
_engine_valor ENGINE_grafo_lerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                      char* recalculado);
void ENGINE_grafo_escreverPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                  _engine_valor valor);
void ENGINE_grafo_relerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao);

// Evaluates node `recurso`; *valido reports whether the value may be kept.
_engine_valor ENGINE_pegarValor(uint32_t recurso, char* valido);

// Timelines (engine_config.cpp): frees a model's timelines and applications,
// and clears the speed bindings to a node that is being destroyed.
void ENGINE_config_liberarModelo(_engine_modelo* modelo);
void ENGINE_config_esquecerRecurso(uint32_t recurso);

#endif
