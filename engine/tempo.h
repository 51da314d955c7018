// Time module: frame pacing in whole ticks, timed events, stopwatches.
#ifndef MORVALEN_TEMPO_H
#define MORVALEN_TEMPO_H

#include <cstdint>

int tempo_iniciar(char log, int32_t ticksPorSegundo);
int32_t tempo_aguardar();

#endif
