// Data module: named variables per entity scope (0 is the global scope),
// each with a tree of numbered elements; random numbers over an inclusive
// range; data timelines; and the text helpers.
//
// A variable's value is property 6.1.1 (instance = the variable's id) and a
// random number property 6.2.1 (instance = the range's id), both lazy.
// Values are pointer-sized, since the game content keeps texts in variables
// by address.
//
// The variable functions are variadic: after the count come that many
// element positions, each a uint32_t (1-based), outermost first.
#ifndef MORVALEN_DADOS_H
#define MORVALEN_DADOS_H

#include <cstdint>

#include "engine/dados_texto.h"
#include "engine/engine.h"

// One node of a variable tree.
struct _dados_variavel {
    _engine_valor valor;
    uint32_t filhos;   // pointer vector of module 6 holding the elements; 0 for none
    uint32_t nFilhos;  // live elements directly under the node
    uint32_t id;       // id in the variables vector; top-level nodes only
};

struct _dados_numeroAleatorio {
    int32_t minimo;
    int32_t maximo;
};

const char* dados_iniciar(char log);
// Advances the module clock by d (ignored when not positive), draws the
// random numbers that expressions read anew and advances variable timelines.
int dados_atualizar(int32_t d);
int dados_finalizar();

// Count 0 writes the variable through the engine; a count > 0 writes the
// element reached, creating the variable and the elements on the way.
const char* dados_mudarVariavel(uint32_t entidade, const char* nome, _engine_valor valor, uint32_t quantidade, ...);
// The value; 0 when the variable or an element on the path is missing.
_engine_valor dados_pegarVariavel(uint32_t entidade, const char* nome, uint32_t quantidade, ...);
// The variable's id, creating it with value 0 when missing; 0 on failure.
uint32_t dados_variavel_pegarPosicao(uint32_t entidade, const char* nome);
// Slot count (empty slots included) of the element vector reached.
uint32_t dados_variavel_pegarTamanho(uint32_t entidade, const char* nome, uint32_t quantidade, ...);
// Count 0 removes the whole variable; a count > 0 the element reached, with
// everything beneath it.
int dados_destruirVariavel(uint32_t entidade, const char* nome, uint32_t quantidade, ...);

uint32_t dados_criarNumeroAleatorio(int32_t minimo, int32_t maximo);
_engine_valor dados_numeroAleatorio_pegarValor(uint32_t numero);
const char* dados_destruirNumeroAleatorio(uint32_t numero);

// Variable timelines (model 6.1), started at the module clock.
uint32_t dados_configurarVariavel();
uint32_t dados_config_criarPonto(uint32_t config, uint32_t alvo, int32_t modo);
const char* dados_config_passarTempo(uint32_t config, int32_t duracao);
const char* dados_config_mudarValor(uint32_t config, _engine_valor valor);
uint32_t dados_aplicarConfigVariavel(uint32_t config, uint32_t entidade, const char* nome);
const char* dados_cancelarConfigVariavel(uint32_t aplicacao);

// Internal functions and the registered getters and setters.
int DADOS_logar(const char* texto, int32_t valor);
_engine_valor DADOS_variavel_pegarValor(uint32_t variavel);
const char* DADOS_variavel_mudarValor(uint32_t variavel, _engine_valor valor);
_engine_valor DADOS_numeroAleatorio_pegarValor(uint32_t numero);
const char* DADOS_numeroAleatorio_mudarValor(uint32_t numero, _engine_valor valor);

#endif
