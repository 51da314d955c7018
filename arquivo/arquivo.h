// File module (engine module 10): layered file objects and the resource
// archive's format.
//
// An _arquivo is seven operations over one layer's state. A layer is opened
// over the _arquivo below it, owns it from then on and closes it in its own
// fechar, so a chain of layers looks like one plain file to its user. The
// resource archive is a standard file (plataforma_arquivo.h) holding the
// encrypted layer, which holds the compressed block container, which holds the
// file table's stream. The same layers in write mode make an archive.
//
// Positions and sizes are unsigned 32-bit byte counts. An opening function
// that fails returns null (or table id 0) and leaves the _arquivo it was given
// untouched, neither closed nor freed; a null _arquivo below makes it fail.
#ifndef MORVALEN_ARQUIVO_H
#define MORVALEN_ARQUIVO_H

#include <cstdint>

struct _arquivo {
    // Read mode: copies up to n bytes at the position and advances; 0 at the
    // end. Write mode: 0.
    uint32_t (*ler)(_arquivo* self, unsigned char* buffer, uint32_t n);
    // Write mode: appends n bytes and returns how many were taken (fewer when
    // a layer below failed). Read mode: 0.
    uint32_t (*escrever)(_arquivo* self, const unsigned char* dados, uint32_t n);
    // Read mode: the position. Write mode: bytes written so far.
    uint32_t (*posicao)(_arquivo* self);
    // Read mode: moves to an absolute position; a position the layer cannot
    // reach is ignored. Write mode: nothing.
    void (*irPara)(_arquivo* self, uint32_t posicao);
    uint32_t (*tamanho)(_arquivo* self);
    // Ends the handle and everything below it (a writer completes its format
    // first). Returns null, or an error text when a writer could not write
    // everything out; the handle is gone either way.
    const char* (*fechar)(_arquivo* self);
    // A second, independent handle on the same data, in the same mode; a
    // reader's starts at position 0, a writer's starts an empty file. Null
    // when the layers below cannot be reopened.
    _arquivo* (*criar)(_arquivo* self);
    void* contexto;
};

// Module.
extern char arquivoLog;
void arquivo_iniciar(char log);
void arquivo_atualizar();
void arquivo_finalizar();
int ARQUIVO_logar(const char* texto, int32_t valor);

// Encrypted layer: AES-128 blocks with a self-checking last block. The key is
// 16 bytes. A reader whose last block does not check under the key fails.
_arquivo* arquivo_lerAES(_arquivo* base, const unsigned char* chave);
_arquivo* arquivo_criarAES(_arquivo* base, const unsigned char* chave);

// Compressed block container: 64 KiB slots of one xz Block each and a table
// of uncompressed end offsets.
_arquivo* arquivo_lerXZ(_arquivo* base);
_arquivo* arquivo_criarXZ(_arquivo* base);

// File table: named files back to back and a directory at the end.
//
// Reading: the table's id (0 when the stream is null or its directory is
// damaged). On success the table keeps the stream for the rest of the
// program. Names are looked up ignoring ASCII case.
uint32_t arquivo_lerArquivos(_arquivo* fluxo);
// A read handle on the named file, positioned at its start, over a private
// copy of the whole chain below the table; null when the name is not there.
_arquivo* arquivo_lerArquivo(uint32_t tabela, const char* nome);

// Writing: a list over the stream to write (0 for a null stream).
uint32_t arquivo_criarArquivos(_arquivo* fluxo);
// Adds a file and returns a write handle on it; the file must be complete
// before the next one is added. Null for an unknown list or a name longer
// than 255 bytes.
_arquivo* arquivo_criarArquivo(uint32_t lista, const char* nome);
// Writes the directory and closes the stream with every layer below it.
// Null on success, otherwise an error text.
const char* arquivo_finalizarArquivos(uint32_t lista);

#define ARQUIVO_NOME_MAXIMO 255

#endif
