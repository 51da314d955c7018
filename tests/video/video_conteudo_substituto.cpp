// The game content's registration, which the entities module (linked
// through the physics module) calls at start: the video tests have none.
#include "conteudo/conteudo.h"

const char* conteudo_registrar_entidades() { return nullptr; }
