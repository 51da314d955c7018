// The bridge: two slabs that swing down under the big character and close
// again.
// The model's behaviour is still to come: its functions do nothing yet.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"

void* CONTEUDO_ponte_inicio(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_ponte_colisao(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_ponte_voltar(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}
