// Expression graph: entries of instances and their recomputation.
#include "engine/engine_grafo.h"
#include "engine/engine_interno.h"

#include <cstdlib>

void ENGINE_grafo_iniciar()
{
}

void ENGINE_grafo_liberarPosicao(_engine_posicao* posicao)
{
    ENGINE_esvaziarVetorInteiro(&posicao->dependentes);
    free(posicao);
}

void ENGINE_grafo_liberarConfigs(_engine_modelo* modelo)
{
    ENGINE_esvaziarVetorPersistente(&modelo->configs);
    ENGINE_esvaziarVetorPersistente(&modelo->configsAplicadas);
}

_engine_valor ENGINE_grafo_lerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                      char* recalculado)
{
    (void)p;
    (void)instancia;
    (void)recalculado;
    return posicao->base;
}

void ENGINE_grafo_escreverPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao,
                                  _engine_valor valor)
{
    (void)p;
    (void)instancia;
    posicao->base = valor;
}

void ENGINE_grafo_relerPosicao(_engine_propriedade* p, uint32_t instancia, _engine_posicao* posicao)
{
    posicao->base = p->pegar(instancia);
}
