// Standard files: the bottom layer of every chain of _arquivo layers, a disk
// file through the runtime's standard I/O. It belongs to the platform module
// and logs under its flag, but needs no window code, so tools link it alone.
#ifndef MORVALEN_PLATAFORMA_ARQUIVO_H
#define MORVALEN_PLATAFORMA_ARQUIVO_H

#include <cstdint>
#include <cstdio>

#include "arquivo/arquivo.h"

// The resource archive's key: its 16 character codes are the AES-128 key of
// the encrypted layer.
#define PLATAFORMA_CHAVE "senha0246813579#"

extern char plataformaLog;  // 'S' or 'N', set by plataforma_iniciar
int PLATAFORMA_logar(const char* texto, int32_t valor);

struct _plataforma_arquivo {
    char* caminho;  // own copy, for criar
    FILE* arquivo;
    char modo;      // 'S' opened with "rb", 'N' with "wb"
};

// Opens the file for reading ("rb"); null when it cannot be opened.
_arquivo* plataforma_lerArquivo(const char* caminho);
// Creates or empties the file for writing ("wb"); null when it cannot be
// opened. Writes no log.
_arquivo* plataforma_criarArquivo(const char* caminho);

#endif
