// Platform module: the resource archive at start-up, resource streams and
// the clipboard.
#ifndef MORVALEN_PLATAFORMA_H
#define MORVALEN_PLATAFORMA_H

#define PLATAFORMA_ARQUIVO_RECURSOS "recursos.dad"

const char* plataforma_iniciar(char log);
void plataforma_atualizar();

#endif
