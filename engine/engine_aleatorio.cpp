#include "engine/engine_aleatorio.h"

static _engine_gerador engineGerador = {1};

void engine_gerador_semear(_engine_gerador* gerador, uint32_t semente)
{
    gerador->estado = semente;
}

int32_t engine_gerador_sortear(_engine_gerador* gerador)
{
    gerador->estado = gerador->estado * 214013u + 2531011u;
    return (int32_t)((gerador->estado >> 16) & 0x7FFFu);
}

void engine_semearAleatorio(uint32_t semente)
{
    engine_gerador_semear(&engineGerador, semente);
}

int32_t engine_sortearAleatorio()
{
    return engine_gerador_sortear(&engineGerador);
}
