#include "plataforma/plataforma.h"

#include <cstdio>

static char plataformaLog = 'N';

const char* plataforma_iniciar(char log)
{
    plataformaLog = log;
    FILE* arquivo = fopen(PLATAFORMA_ARQUIVO_RECURSOS, "rb");
    if (!arquivo) return "Erro ao abrir arquivo de recursos";
    fclose(arquivo);
    return nullptr;
}

void plataforma_atualizar()
{
}

Recurso::Recurso(const char* nome) : origem(nullptr)
{
    (void)nome;
}

Recurso::~Recurso()
{
}

sf::Int64 Recurso::read(void* data, sf::Int64 size)
{
    (void)data;
    (void)size;
    return 0;
}

sf::Int64 Recurso::seek(sf::Int64 position)
{
    (void)position;
    return 0;
}

sf::Int64 Recurso::tell()
{
    return 0;
}

sf::Int64 Recurso::getSize()
{
    return 0;
}

Recurso* plataforma_pegarRecurso(const char* nome)
{
    return new Recurso(nome);
}
