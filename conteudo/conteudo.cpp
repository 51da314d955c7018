#include "conteudo/conteudo.h"

const char* conteudo_registrar_entidades()
{
    return nullptr;
}
