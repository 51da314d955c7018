#include "engine/tempo.h"

int tempo_iniciar(char log, int32_t ticksPorSegundo)
{
    (void)log;
    (void)ticksPorSegundo;
    return 1;
}

int32_t tempo_aguardar()
{
    return 1;
}
