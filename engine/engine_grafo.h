// The expression graph's side of property access: instances that an
// expression reads or drives have an entry in their property's posicoes.
#ifndef MORVALEN_ENGINE_GRAFO_H
#define MORVALEN_ENGINE_GRAFO_H

#include "engine/engine.h"

// One instance taking part in the graph.
struct _engine_posicao {
    _engine_valor base;   // last value written from outside or re-read from the getter
    _engine_valor valor;  // computed value, meaningful while valido is 'S'
    uint32_t recurso;     // bound node, 0 when unbound
    char valido;
    _engine_vetorInteiro dependentes;  // reference nodes that read this instance
};

void ENGINE_grafo_iniciar();
void ENGINE_grafo_liberarPosicao(_engine_posicao* posicao);
void ENGINE_grafo_liberarConfigs(_engine_modelo* modelo);

_engine_valor ENGINE_grafo_lerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                      char* recalculado);
void ENGINE_grafo_escreverPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                  _engine_valor valor);
void ENGINE_grafo_relerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao);

#endif
