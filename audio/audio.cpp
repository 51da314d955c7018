#include "audio/audio.h"

int audio_iniciar(char log)
{
    (void)log;
    return 1;
}

int audio_atualizar(int32_t d)
{
    (void)d;
    return 1;
}

int audio_finalizar()
{
    return 1;
}
