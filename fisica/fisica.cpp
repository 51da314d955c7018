#include "fisica/fisica.h"

int fisica_iniciar(char log, int32_t taxa)
{
    (void)log;
    (void)taxa;
    return 1;
}

int fisica_atualizar(int32_t d)
{
    (void)d;
    return 1;
}

int fisica_finalizar()
{
    return 1;
}

uint32_t fisica_criarCorpo(uint32_t entidade, int32_t x, int32_t y)
{
    (void)x;
    (void)y;
    return entidade;
}

char fisica_existeCorpo(uint32_t entidade)
{
    (void)entidade;
    return 'N';
}
