#include "arquivo/arquivo.h"

void arquivo_iniciar(char log)
{
    (void)log;
}

void arquivo_finalizar()
{
}
