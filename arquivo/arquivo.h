// File module: layered file objects and the resource archive's format.
#ifndef MORVALEN_ARQUIVO_H
#define MORVALEN_ARQUIVO_H

void arquivo_iniciar(char log);
void arquivo_finalizar();

#endif
