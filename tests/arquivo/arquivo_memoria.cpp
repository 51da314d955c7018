#include "arquivo_memoria.h"

#include <cstring>

namespace {

struct Estado {
    Memoria dados;
    uint32_t posicao;
    char modo;
};

Estado* estado(_arquivo* a)
{
    return (Estado*)a->contexto;
}

uint32_t tamanhoDe(const Estado* e)
{
    return e->dados->tamanhoAnunciado != UINT32_MAX ? e->dados->tamanhoAnunciado
                                                    : (uint32_t)e->dados->bytes.size();
}

uint32_t ler(_arquivo* a, unsigned char* buffer, uint32_t n)
{
    Estado* e = estado(a);
    if (e->modo != 'S' || e->posicao >= e->dados->bytes.size()) return 0;
    uint32_t k = (uint32_t)std::min<size_t>(n, e->dados->bytes.size() - e->posicao);
    memcpy(buffer, e->dados->bytes.data() + e->posicao, k);
    e->posicao += k;
    if (k) e->dados->leituras++;
    return k;
}

uint32_t escrever(_arquivo* a, const unsigned char* dados, uint32_t n)
{
    Estado* e = estado(a);
    if (e->modo != 'N') return 0;
    size_t livre = e->dados->limiteEscrita > e->dados->bytes.size() ? e->dados->limiteEscrita - e->dados->bytes.size() : 0;
    uint32_t k = (uint32_t)std::min<size_t>(n, livre);
    e->dados->bytes.insert(e->dados->bytes.end(), dados, dados + k);
    return k;
}

uint32_t posicao(_arquivo* a)
{
    Estado* e = estado(a);
    return e->modo == 'S' ? e->posicao : (uint32_t)e->dados->bytes.size();
}

void irPara(_arquivo* a, uint32_t p)
{
    Estado* e = estado(a);
    if (e->modo == 'S') e->posicao = p;
}

uint32_t tamanho(_arquivo* a)
{
    return tamanhoDe(estado(a));
}

const char* fechar(_arquivo* a)
{
    delete estado(a);
    delete a;
    return nullptr;
}

_arquivo* criar(_arquivo* a)
{
    Estado* e = estado(a);
    return e->modo == 'S' ? memoria_ler(e->dados) : memoria_escrever(e->dados);
}

_arquivo* abrir(const Memoria& m, char modo)
{
    return new _arquivo{ler, escrever, posicao, irPara, tamanho, fechar, criar, new Estado{m, 0, modo}};
}

}  // namespace

Memoria memoria_nova(std::vector<unsigned char> bytes)
{
    Memoria m = std::make_shared<MemoriaDados>();
    m->bytes = std::move(bytes);
    return m;
}

_arquivo* memoria_ler(const Memoria& m)
{
    return abrir(m, 'S');
}

_arquivo* memoria_escrever(const Memoria& m)
{
    m->bytes.clear();
    return abrir(m, 'N');
}
