#include "engine/entidades.h"

const char* entidades_iniciar(char log)
{
    (void)log;
    return nullptr;
}

void entidades_finalizar()
{
}
