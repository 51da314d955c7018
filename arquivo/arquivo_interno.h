// The layers' state records and the helpers they share.
#ifndef MORVALEN_ARQUIVO_INTERNO_H
#define MORVALEN_ARQUIVO_INTERNO_H

#include <lzma.h>

#include <cstdint>

#include "arquivo/arquivo.h"

class AES;

#define ARQUIVO_AES_TRECHO 65536u
#define ARQUIVO_XZ_FATIA 65536u
// A slot and its table entry.
#define ARQUIVO_XZ_FATIA_E_FIM 65540u
// The block a slot holds uncompresses to at most this many bytes: the reader
// refuses a table that says more, and the writer never puts more in a slot.
#define ARQUIVO_XZ_BLOCO_MAXIMO (16u << 20)
// Memory a slot's decoder may ask for; preset 9 needs 64 MiB and a little.
#define ARQUIVO_XZ_MEMORIA_MAXIMA (96ull << 20)
// The largest stream any layer writes, so that sizes stay 32-bit.
#define ARQUIVO_TAMANHO_MAXIMO 0xFFFFFFE0u

struct _arquivo_AES {
    _arquivo* base;
    uint32_t tamanhoCifrado;  // reader: E, the size below
    uint8_t bytesFinais;      // reader: plain bytes in the last block
    unsigned char* trecho;    // the 64 KiB chunk
    uint32_t inicioTrecho;    // reader: offset of the chunk below; writer: bytes already written out
    uint32_t posicaoTrecho;   // reader: position in the chunk; writer: bytes held in the chunk
    uint32_t decifrado;       // reader: the chunk is plain below this offset
    uint32_t carregado;       // reader: bytes the chunk holds (fewer after a short read)
    AES* cifra;
    unsigned char chave[16];
    char modo;                // 'S' reader, 'N' writer
    const char* falha;        // writer: set when the layer below took fewer bytes
};

struct _arquivo_xz {
    _arquivo* base;
    uint32_t tamanhoCompactado;  // reader: P, bytes of the slots
    uint32_t nBlocos;            // reader: n; writer: slots written
    uint32_t* fins;              // end-offset table
    uint32_t tamanhoBloco;       // reader: size of the block in hand; writer: pending bytes
    unsigned char* bloco;        // reader: the block in hand; writer: the pending bytes
    uint32_t percorrido;         // writer: uncompressed bytes in the slots written
    uint32_t posicaoBloco;       // reader: position in the block; writer: tamanhoBloco + 1
    uint32_t palpite;            // writer: input length the next slot is first tried with
    uint32_t proximoBloco;       // reader: index of the block after the one in hand (0: none)
    // Writer only.
    uint32_t capacidadeBloco;
    uint32_t capacidadeFins;
    lzma_stream compressor;      // reused from slot to slot
    bool compressorIniciado;
    const char* falha;
};

struct _arquivo_item {
    char nome[ARQUIVO_NOME_MAXIMO + 1];
    uint32_t inicio;
    uint32_t fim;
    _arquivo* base;
    char modo;
};

extern const char ARQUIVO_ERRO_ESCRITA[];  // "Erro ao escrever arquivo"

// A new record with the seven operations, over contexto; null when memory
// runs out.
_arquivo* ARQUIVO_novo(uint32_t (*ler)(_arquivo*, unsigned char*, uint32_t),
                       uint32_t (*escrever)(_arquivo*, const unsigned char*, uint32_t),
                       uint32_t (*posicao)(_arquivo*), void (*irPara)(_arquivo*, uint32_t),
                       uint32_t (*tamanho)(_arquivo*), const char* (*fechar)(_arquivo*),
                       _arquivo* (*criar)(_arquivo*), void* contexto);

// Unsigned 32-bit values stored least significant byte first.
inline uint32_t ARQUIVO_lerU32(const unsigned char* p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

inline void ARQUIVO_gravarU32(unsigned char* p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

// Releases a table with its records and closes the stream it was read from.
// The program keeps its table until it ends; tests and tools that read many
// archives in one process release theirs with this.
void ARQUIVO_liberarArquivos(uint32_t tabela);

#endif
