// Time module: frame pacing in whole ticks with the leftover microseconds
// carried into the next frame, the game clock, frames per second, timed
// events (an entity function called by name when due) and stopwatches
// (property 8.1.1, the elapsed ticks).
#ifndef MORVALEN_TEMPO_H
#define MORVALEN_TEMPO_H

#include <cstdint>

#include "engine/engine.h"

// A reading of the wall clock: whole seconds and microseconds (0..999999).
struct _tempo_marca {
    int64_t segundos;
    int64_t microssegundos;
};

// The one function through which the module reads the wall clock.
typedef _tempo_marca (*_tempo_funcaoRelogio)();

struct _tempo_evento {
    uint32_t entidade;
    char* nome;       // the event's own copy of the function name
    uint32_t prazo;   // clock value at or after which it fires
    uint64_t serie;   // tells a record apart from a later one under the same id
};

struct _tempo_cronometro {
    uint32_t inicio;
};

// Returns 1, or 0 when module 8 cannot be registered or the rate gives no
// whole tick in microseconds (0, negative or above 1000000 per second).
int tempo_iniciar(char log, int32_t ticksPorSegundo);
// Sleeps until at least one tick has passed since the previous frame, fires
// the due events and returns the whole ticks that passed (at least 1).
int32_t tempo_aguardar();
uint32_t tempo_tempoAtual();
uint32_t tempo_pegarFPS();
uint32_t tempo_pegarVelocidade();

// An event calling the entity's function nome (copied) atraso ticks from now;
// its id, 0 when it cannot be stored.
uint32_t tempo_criarEvento(uint32_t entidade, const char* nome, int32_t atraso);
const char* tempo_destruirEvento(uint32_t evento);

uint32_t tempo_criarCronometro();
const char* tempo_destruirCronometro(uint32_t cronometro);

// Replaces the wall clock (null restores gettimeofday); for tests that run
// frames of exact lengths.
void tempo_mudarRelogio(_tempo_funcaoRelogio relogio);

// Internal functions and the stopwatch property's getter and setter.
_engine_valor TEMPO_cronometro_pegarTempo(uint32_t cronometro);
const char* TEMPO_cronometro_mudarTempo(uint32_t cronometro, _engine_valor valor);
int32_t TEMPO_passado();
void TEMPO_sleep(int32_t microssegundos);
int TEMPO_logar(const char* texto, int32_t valor);

#endif
