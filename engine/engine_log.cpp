#include "engine/engine_log.h"

#include <cstdio>

void engine_escreverLog(const char* formato, const char* texto, int32_t valor)
{
    fprintf(stderr, formato, texto ? texto : "");
    if (valor != -1) fprintf(stderr, "; Valor: %d", (int)valor);
    fputc('\n', stderr);
    fflush(stderr);
}
