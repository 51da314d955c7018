// A file layer in memory for tests: the bottom of a chain, like a standard
// file. It can claim more bytes than it holds (reads come up short, as with a
// file cut off after its size was taken) and refuse writes past a limit (a
// full disk).
#ifndef MORVALEN_TESTE_ARQUIVO_MEMORIA_H
#define MORVALEN_TESTE_ARQUIVO_MEMORIA_H

#include <cstdint>
#include <memory>
#include <vector>

#include "arquivo/arquivo.h"

struct MemoriaDados {
    std::vector<unsigned char> bytes;
    uint32_t tamanhoAnunciado = UINT32_MAX;  // when set, what tamanho answers
    uint32_t limiteEscrita = UINT32_MAX;     // bytes a writer takes in all
    uint32_t leituras = 0;                   // calls of ler that returned bytes
};

typedef std::shared_ptr<MemoriaDados> Memoria;

Memoria memoria_nova(std::vector<unsigned char> bytes = {});
// A reader at 0; every handle opened with criar shares the same bytes.
_arquivo* memoria_ler(const Memoria& m);
// A writer that first empties the bytes.
_arquivo* memoria_escrever(const Memoria& m);

#endif
