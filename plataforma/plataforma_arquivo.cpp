// Standard files over stdio. The stream's own position is the layer's
// position; the layer buffers nothing itself.
#include "plataforma/plataforma_arquivo.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "engine/engine_log.h"

char plataformaLog = 'N';

static const char ERRO_GRAVAR[] = "Erro ao gravar arquivo";

int PLATAFORMA_logar(const char* texto, int32_t valor)
{
    if (plataformaLog == 'S') engine_escreverLog("PLATAFORMA - %s", texto, valor);
    return 1;
}

static _plataforma_arquivo* PLATAFORMA_estado(_arquivo* a)
{
    return a ? (_plataforma_arquivo*)a->contexto : nullptr;
}

// ftell as an unsigned 32-bit position: an error reads as 0, a position past
// 4 GiB as the largest value.
static uint32_t PLATAFORMA_posicaoDe(FILE* f)
{
    long p = ftell(f);
    if (p < 0) return 0;
    return (unsigned long)p > UINT32_MAX ? UINT32_MAX : (uint32_t)p;
}

static uint32_t PLATAFORMA_ler(_arquivo* a, unsigned char* buffer, uint32_t n)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (!p || p->modo != 'S' || !buffer) return 0;
    return (uint32_t)fread(buffer, 1, n, p->arquivo);
}

static uint32_t PLATAFORMA_escrever(_arquivo* a, const unsigned char* dados, uint32_t n)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (!p || p->modo != 'N' || !dados) return 0;
    return (uint32_t)fwrite(dados, 1, n, p->arquivo);
}

static uint32_t PLATAFORMA_posicao(_arquivo* a)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    return p ? PLATAFORMA_posicaoDe(p->arquivo) : 0;
}

static void PLATAFORMA_irPara(_arquivo* a, uint32_t posicao)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (p && p->modo == 'S') fseek(p->arquivo, (long)posicao, SEEK_SET);
}

static uint32_t PLATAFORMA_tamanho(_arquivo* a)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (!p) return 0;
    long antes = ftell(p->arquivo);
    if (antes < 0 || fseek(p->arquivo, 0, SEEK_END) != 0) return 0;
    uint32_t tamanho = PLATAFORMA_posicaoDe(p->arquivo);
    fseek(p->arquivo, antes, SEEK_SET);
    return tamanho;
}

static const char* PLATAFORMA_fechar(_arquivo* a)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (!p) return nullptr;
    // fclose writes out what stdio still holds: a full disk shows here.
    bool falhou = ferror(p->arquivo) != 0;
    falhou = fclose(p->arquivo) != 0 || falhou;
    const char* erro = falhou && p->modo == 'N' ? ERRO_GRAVAR : nullptr;
    free(p->caminho);
    free(p);
    free(a);
    return erro;
}

static _arquivo* PLATAFORMA_criar(_arquivo* a)
{
    _plataforma_arquivo* p = PLATAFORMA_estado(a);
    if (!p) return nullptr;
    return p->modo == 'S' ? plataforma_lerArquivo(p->caminho) : plataforma_criarArquivo(p->caminho);
}

static _arquivo* PLATAFORMA_abrir(const char* caminho, char modo)
{
    if (!caminho) {
        errno = EINVAL;
        return nullptr;
    }
    FILE* f = fopen(caminho, modo == 'S' ? "rb" : "wb");
    if (!f) return nullptr;
    _plataforma_arquivo* p = (_plataforma_arquivo*)calloc(1, sizeof(_plataforma_arquivo));
    char* copia = strdup(caminho);
    _arquivo* a = (_arquivo*)malloc(sizeof(_arquivo));
    if (!p || !copia || !a) {
        fclose(f);
        free(p);
        free(copia);
        free(a);
        errno = ENOMEM;
        return nullptr;
    }
    p->caminho = copia;
    p->arquivo = f;
    p->modo = modo;
    a->ler = PLATAFORMA_ler;
    a->escrever = PLATAFORMA_escrever;
    a->posicao = PLATAFORMA_posicao;
    a->irPara = PLATAFORMA_irPara;
    a->tamanho = PLATAFORMA_tamanho;
    a->fechar = PLATAFORMA_fechar;
    a->criar = PLATAFORMA_criar;
    a->contexto = p;
    return a;
}

_arquivo* plataforma_lerArquivo(const char* caminho)
{
    PLATAFORMA_logar("Tentando ler arquivo:", -1);
    PLATAFORMA_logar(caminho ? caminho : "", -1);
    _arquivo* a = PLATAFORMA_abrir(caminho, 'S');
    if (!a) {
        int erro = errno;
        PLATAFORMA_logar("Erro ao abrir arquivo:", -1);
        PLATAFORMA_logar(strerror(erro), -1);
        return nullptr;
    }
    PLATAFORMA_logar("Arquivo aberto com sucesso", -1);
    return a;
}

_arquivo* plataforma_criarArquivo(const char* caminho)
{
    return PLATAFORMA_abrir(caminho, 'N');
}
