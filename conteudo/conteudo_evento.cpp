// Text events: invisible triggers that show a tutorial text once the player's
// character has passed through them often enough.
// The model's behaviour is still to come: its functions do nothing yet.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"

void* CONTEUDO_evento_iniciar(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_evento_colisao(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_evento_remover_ret(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_evento_mostrar_texto(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_evento_mostrou_texto(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_evento_pressionou(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}
