// The game content's registration, which the entities module (linked
// through the physics module) calls at start: the tests of the modules
// below the content have none.
#include "conteudo/conteudo.h"

const char* conteudo_registrar_entidades() { return nullptr; }
