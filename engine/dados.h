// Data module: named variables per entity scope, random numbers, data
// timelines and the text helpers.
#ifndef MORVALEN_DADOS_H
#define MORVALEN_DADOS_H

#include <cstdint>

#include "engine/dados_texto.h"

const char* dados_iniciar(char log);
int dados_atualizar(int32_t d);
int dados_finalizar();

#endif
