// The end zone and the ending.
// The model's behaviour is still to come: its functions do nothing yet.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"

void* CONTEUDO_fim_inicio(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_fim_colisao(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_fim_mudou_tamanho(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_fim_fim(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_fim_terra(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}
