#include "engine/entidades.h"

const char* entidades_iniciar(char log)
{
    (void)log;
    return nullptr;
}

void entidades_finalizar()
{
}

const char* entidades_entidade_chamarFuncao(uint32_t entidade, const char* nome)
{
    (void)entidade;
    (void)nome;
    return "Entidade invalida";
}
