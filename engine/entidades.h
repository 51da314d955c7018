// Entities module: models with functions registered by name, entities whose
// id is also their body's id and their variables' scope.
//
// An entity's id is its record's id plus 1, so the first entity is 2 (1 is
// the mouse pointer's body, which has no entity record; 0 means none).
// Models and entities live until the process ends.
#ifndef MORVALEN_ENTIDADES_H
#define MORVALEN_ENTIDADES_H

#include <cstdint>

// An entity function or a model's start function; its result is ignored.
typedef void* (*_entidades_funcao)(uint32_t entidade);

struct _entidades_modelo {
    _entidades_funcao criador;  // start function, may be null
    uint32_t funcoes;           // name index of _entidades_funcao (pointer vector of module 7)
};

struct _entidades_entidade {
    uint32_t modelo;
};

// Registers module 7 and runs the game content's registration, which creates
// the models and the level entity.
const char* entidades_iniciar(char log);
void entidades_finalizar();

// A new model with its own function table; its id, 0 on failure.
uint32_t entidades_criarModelo(_entidades_funcao criador);
// Registers funcao under nome (any letter case; an existing one is replaced).
// The name is copied.
const char* entidades_modelo_criarFuncao(uint32_t modelo, const char* nome, _entidades_funcao funcao);

// Creates the entity's body at (x, y) and then runs the model's start
// function; returns the entity id, 0 for an unknown model.
uint32_t entidades_criarEntidade(uint32_t modelo, int32_t x, int32_t y);
// Removes the entity record; its body and variables stay. Returns 0.
int entidades_destruirEntidade(uint32_t entidade);

// The model of an entity; 0 for an id without an entity record.
uint32_t entidades_entidade_pegarModelo(uint32_t entidade);

// Calls the function that the entity's model registered under nome.
const char* entidades_entidade_chamarFuncao(uint32_t entidade, const char* nome);

// Writes "ENTIDADES - texto" when the module's log flag is 'S'; returns 1.
int ENTIDADES_logar(const char* texto, int32_t valor);

#endif
