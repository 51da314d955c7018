// Audio module: sound lists streamed from the archive.
#ifndef MORVALEN_AUDIO_H
#define MORVALEN_AUDIO_H

#include <cstdint>

int audio_iniciar(char log);
int audio_atualizar(int32_t d);
int audio_finalizar();

#endif
