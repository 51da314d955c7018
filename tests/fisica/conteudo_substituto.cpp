// The game content's registration, which the entities module calls at start:
// the tests register their own models.
#include "conteudo/conteudo.h"

const char* conteudo_registrar_entidades() { return nullptr; }
