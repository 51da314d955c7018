// The runtime's random generator. One global state serves main, the data
// module, the archive's encrypted layer and the particle systems; every draw
// is 0..32767 and the same seed repeats the same sequence. A local generator
// of the same algorithm lets a caller check a sequence without touching the
// global state.
#ifndef MORVALEN_ENGINE_ALEATORIO_H
#define MORVALEN_ENGINE_ALEATORIO_H

#include <cstdint>

#define ENGINE_ALEATORIO_MAXIMO 32767

struct _engine_gerador {
    uint32_t estado;
};

void engine_gerador_semear(_engine_gerador* gerador, uint32_t semente);
int32_t engine_gerador_sortear(_engine_gerador* gerador);

// The global generator (what srand and rand are to the rest of the system).
void engine_semearAleatorio(uint32_t semente);
int32_t engine_sortearAleatorio();

#endif
