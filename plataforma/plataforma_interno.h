// The platform module's own state, for tests.
#ifndef MORVALEN_PLATAFORMA_INTERNO_H
#define MORVALEN_PLATAFORMA_INTERNO_H

#include <cstdint>

// Id of the archive's file table; 0 before start-up and when the archive
// could not be read.
extern uint32_t plataformaRecursos;

// Releases the table and the chain it was read from. The program keeps them
// until it ends; tests that start the module several times release them.
void PLATAFORMA_liberarRecursos();

#endif
