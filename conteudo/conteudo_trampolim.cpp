// The spring pad: squeezed by the big character, it throws the character up
// when it turns small on the squeezed pad.
// The model's behaviour is still to come: its functions do nothing yet.
#include <cstdint>

#include "conteudo/conteudo_funcoes.h"

void* CONTEUDO_trampolim_inicio(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_colisao(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_mudou_tamanho(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_cancelar_movimento(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_pressionou(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_pressionar(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_soltar(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}

void* CONTEUDO_trampolim_atirar(uint32_t entidade)
{
    (void)entidade;
    return nullptr;
}
