// What the file tests and the fuzzer share: data of known kinds, writers of
// each layer into memory, hand-built containers and streams, the reader
// chain, and a walk that reads and seeks every entry of a table.
//
// Everything here expects engine_iniciar and arquivo_iniciar to have run.
#ifndef MORVALEN_TESTE_ARQUIVO_APOIO_H
#define MORVALEN_TESTE_ARQUIVO_APOIO_H

#include <cstdint>
#include <string>
#include <vector>

#include "arquivo_memoria.h"

typedef std::vector<unsigned char> Bytes;

struct ArquivoNomeado {
    std::string nome;
    Bytes bytes;
};

extern const unsigned char APOIO_CHAVE[16];

// Incompressible, highly compressible (text of a small vocabulary) and
// mixed (runs of both) data; the same seed gives the same bytes.
Bytes apoio_aleatorios(size_t n, uint32_t semente);
Bytes apoio_compressiveis(size_t n, uint32_t semente);
Bytes apoio_misturados(size_t n, uint32_t semente);

// The bytes each writer leaves below it.
Bytes apoio_cifrar(const Bytes& plano, const unsigned char* chave);
Bytes apoio_compactar(const Bytes& plano);
Bytes apoio_empacotar(const std::vector<ArquivoNomeado>& arquivos, const unsigned char* chave);

// A container built by hand: each block compressed cheaply into its own
// slot, every slot but the last padded to 65,536 bytes with zeros, the last
// padded to ultimaFatia bytes when that is larger; then the end-offset table.
Bytes apoio_conteiner(const std::vector<Bytes>& blocos, size_t ultimaFatia = 0);
// A file table's stream built by hand: the files, their records, the offset.
Bytes apoio_fluxo(const std::vector<ArquivoNomeado>& arquivos);

// The reader chain over the bytes: encrypted layer, container, file table.
// 0 when a layer refuses; then nothing stays open.
uint32_t apoio_abrirTabela(const Memoria& m, const unsigned char* chave);

// Opens every entry of the table, reads it whole in pieces, seeks to its
// start, middle, last byte, size and beyond, opens a second handle with
// criar, and checks that all of it agrees. False with a description on the
// first disagreement. *entradas counts the entries that opened.
bool apoio_exercitar(uint32_t tabela, std::string* falha, uint32_t* entradas = nullptr);

// Reads a handle to its end in pieces of the given size.
Bytes apoio_lerTudo(_arquivo* a, uint32_t pedaco);

#endif
