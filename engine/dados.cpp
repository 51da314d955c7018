#include "engine/dados.h"

const char* dados_iniciar(char log)
{
    (void)log;
    return nullptr;
}

int dados_atualizar(int32_t d)
{
    (void)d;
    return 0;
}

int dados_finalizar()
{
    return 0;
}
