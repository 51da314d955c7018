// Platform module: the resource archive at start-up, resource streams and
// the clipboard. The standard-file layer is in plataforma_arquivo.h.
#ifndef MORVALEN_PLATAFORMA_H
#define MORVALEN_PLATAFORMA_H

#include <SFML/System/InputStream.hpp>

#include "plataforma/plataforma_arquivo.h"

#define PLATAFORMA_ARQUIVO_RECURSOS "recursos.dad"

struct _arquivo;

// A seekable stream over one entry of the resource archive. A name the
// archive lacks still gives a stream, whose size, reads and position are 0.
// Each stream has its own chain of layers down to its own open file, so
// streams may be read on different threads, each by one thread at a time.
class Recurso : public sf::InputStream {
public:
    explicit Recurso(const char* nome);
    ~Recurso() override;
    // Up to size bytes; 0 at the end, for a size of 0 or less and for a
    // missing entry. A read that fails (a damaged part of the archive) puts
    // the stream at its end: it returns what it got, and from then on reads
    // return 0 and the position is the size, until a seek.
    sf::Int64 read(void* data, sf::Int64 size) override;
    // A position from 0 to the size inclusive (at the size, reads return 0);
    // -1 for any other position, or one the entry cannot reach.
    sf::Int64 seek(sf::Int64 position) override;
    sf::Int64 tell() override;
    sf::Int64 getSize() override;

    _arquivo* origem;  // the entry, owned; null when the archive has no such file
    bool noFim;        // at the end: sought to exactly the size (which the entry
                       // itself refuses), or after a read that failed
};

// Opens "recursos.dad" in the working directory through its three layers.
// Null when the file could be opened, even if a layer refused it (then every
// stream is empty); "Erro ao abrir arquivo de recursos" when it could not.
const char* plataforma_iniciar(char log);
// 'S' when start-up read the archive's file table, 'N' when the archive
// could not be opened or one of its layers refused it (a damaged archive).
char plataforma_recursosLidos();
void plataforma_atualizar();
void plataforma_finalizar();

// A new stream over the archived file of that name; never null; the caller
// deletes it.
Recurso* plataforma_pegarRecurso(const char* nome);

// The clipboard's text as UTF-8, a new allocation the caller frees; the
// empty text when there is none or no display. Main thread only.
char* plataforma_pegarTextoCopiado();
// Puts the text (UTF-8) on the clipboard; returns 0.
int plataforma_copiarTexto(const char* texto);

#endif
