// Entities module: models with functions registered by name, entities whose
// id is also their body's id and their variables' scope.
#ifndef MORVALEN_ENTIDADES_H
#define MORVALEN_ENTIDADES_H

#include <cstdint>

typedef void* (*_entidades_funcao)(uint32_t entidade);

const char* entidades_iniciar(char log);
void entidades_finalizar();

// Calls the function that the entity's model registered under nome.
const char* entidades_entidade_chamarFuncao(uint32_t entidade, const char* nome);

#endif
