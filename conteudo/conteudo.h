// Game content: the entity models of the game and level 0.
#ifndef MORVALEN_CONTEUDO_H
#define MORVALEN_CONTEUDO_H

const char* conteudo_registrar_entidades();

#endif
