// Physics module: one body per entity in a two-dimensional world.
#ifndef MORVALEN_FISICA_H
#define MORVALEN_FISICA_H

#include <cstdint>

int fisica_iniciar(char log, int32_t taxa);
int fisica_atualizar(int32_t d);
int fisica_finalizar();
uint32_t fisica_criarCorpo(uint32_t entidade, int32_t x, int32_t y);
char fisica_existeCorpo(uint32_t entidade);

#endif
