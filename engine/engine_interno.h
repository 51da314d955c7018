// Operations on engine vector records and registry lookups, shared by the
// engine core's own files (registry, expression graph, timelines).
#ifndef MORVALEN_ENGINE_INTERNO_H
#define MORVALEN_ENGINE_INTERNO_H

#include "engine/engine.h"

extern const char ENGINE_ERRO_POSICAO[];      // "Posicao invalida"
extern const char ENGINE_ERRO_MODULO[];       // "Modulo invalido"
extern const char ENGINE_ERRO_MODELO[];       // "Modelo invalido"
extern const char ENGINE_ERRO_PROPRIEDADE[];  // "Propriedade invalida"
extern const char ENGINE_ERRO_MEMORIA[];      // "Memoria insuficiente"

// Pointer vectors.
void ENGINE_construirVetorPonteiro(_engine_vetorPonteiro* v);
uint32_t ENGINE_inserirPonteiro(_engine_vetorPonteiro* v, void* p);
const char* ENGINE_inserirPonteiroEm(_engine_vetorPonteiro* v, void* p, uint32_t posicao);
const char* ENGINE_apagarPonteiro(_engine_vetorPonteiro* v, uint32_t posicao, char liberar);
const char* ENGINE_limparPonteiro(_engine_vetorPonteiro* v, uint32_t posicao);
// Inline: every property access and vector read goes through it.
inline void* ENGINE_pegarPonteiro(const _engine_vetorPonteiro* v, uint32_t posicao)
{
    if (posicao == 0 || posicao > v->tamanho) return nullptr;
    return v->itens[posicao - 1];
}
void ENGINE_esvaziarVetorPonteiro(_engine_vetorPonteiro* v);  // frees the array only

// Integer vectors.
void ENGINE_construirVetorInteiro(_engine_vetorInteiro* v);
uint32_t ENGINE_inserirNumero(_engine_vetorInteiro* v, int32_t n);
const char* ENGINE_apagarNumero(_engine_vetorInteiro* v, uint32_t posicao);
void ENGINE_esvaziarVetorInteiro(_engine_vetorInteiro* v);

// Persistent vectors.
void ENGINE_construirVetorPersistente(_engine_vetorPersistente* v);
uint32_t ENGINE_inserirPersistente(_engine_vetorPersistente* v, void* elemento);
const char* ENGINE_apagarPersistente(_engine_vetorPersistente* v, uint32_t id);
inline void* ENGINE_pegarPersistente(const _engine_vetorPersistente* v, uint32_t id)
{
    if (id == 0 || id > v->tamanho) return nullptr;
    return v->itens[id - 1];
}
void ENGINE_esvaziarVetorPersistente(_engine_vetorPersistente* v);  // frees the arrays, not the elements

// Name index.
void ENGINE_inserirIndice(_engine_vetorPonteiro* v, const char* nome, void* valor);
void* ENGINE_pegarValorEmIndice(const _engine_vetorPonteiro* v, const char* nome);
const char* ENGINE_apagarIndice(_engine_vetorPonteiro* v, const char* nome, char liberar);
uint32_t ENGINE_pegarIndice(const _engine_vetorPonteiro* v, const char* nome);

// Registry lookups: null for an invalid number.
uint32_t ENGINE_pegarNumeroModulos();  // slots of the registry, empty ones included
_engine_modulo* ENGINE_pegarModulo(uint32_t modulo);
_engine_modelo* ENGINE_pegarModelo(uint32_t modulo, uint32_t modelo);
_engine_propriedade* ENGINE_pegarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade);
// The checks every property operation starts with: the fixed text of the
// first invalid number, or null with *saida set.
const char* ENGINE_validarPropriedade(uint32_t modulo, uint32_t modelo, uint32_t propriedade,
                                      _engine_propriedade** saida);

#endif
