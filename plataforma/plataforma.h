// Platform module: the resource archive at start-up, resource streams and
// the clipboard.
#ifndef MORVALEN_PLATAFORMA_H
#define MORVALEN_PLATAFORMA_H

#include <SFML/System/InputStream.hpp>

#define PLATAFORMA_ARQUIVO_RECURSOS "recursos.dad"

struct _arquivo;

// A seekable stream over one entry of the resource archive. A name the
// archive lacks still gives a stream, whose size, reads and position are 0.
class Recurso : public sf::InputStream {
public:
    explicit Recurso(const char* nome);
    ~Recurso() override;
    sf::Int64 read(void* data, sf::Int64 size) override;
    sf::Int64 seek(sf::Int64 position) override;
    sf::Int64 tell() override;
    sf::Int64 getSize() override;

    _arquivo* origem;  // the entry, owned; null when the archive has no such file
};

const char* plataforma_iniciar(char log);
void plataforma_atualizar();

// A new stream over the archived file of that name; never null; the caller
// deletes it.
Recurso* plataforma_pegarRecurso(const char* nome);

#endif
