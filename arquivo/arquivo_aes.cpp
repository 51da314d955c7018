// Encrypted layer: the plain stream as AES-128 blocks (each on its own, no
// header), the last block holding the stream's final N bytes, filler drawn
// from the runtime generator seeded with the byte before it, and N in byte 15.
// A reader checks that filler at opening, so a wrong key fails there, and
// deciphers lazily, one 64 KiB chunk and one 16-byte block at a time.
//
// Each block goes to the cipher as four words read least significant byte
// first; the archive format depends on that order.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "arquivo/AES.h"
#include "arquivo/arquivo_interno.h"
#include "engine/engine_aleatorio.h"

static const char ERRO_AES_ESCRITA[] = "Erro ao escrever arquivo encriptado";
static const char ERRO_AES_TAMANHO[] = "Arquivo encriptado grande demais";

static void ARQUIVO_AES_cifrarBloco(AES* cifra, unsigned char* b, bool cifrar)
{
    unsigned int w[4];
    for (int i = 0; i < 4; i++) w[i] = ARQUIVO_lerU32(b + 4 * i);
    if (cifrar)
        cifra->encrypt(w, w);
    else
        cifra->decrypt(w, w);
    for (int i = 0; i < 4; i++) ARQUIVO_gravarU32(b + 4 * i, w[i]);
}

static uint32_t ARQUIVO_AES_tamanhoPlano(const _arquivo_AES* e)
{
    return e->tamanhoCifrado - 16 + e->bytesFinais;
}

// Loads the chunk that starts at inicio (a multiple of 16 below E). A short
// read leaves fewer bytes in it (carregado); reads stop there.
static void ARQUIVO_AES_carregar(_arquivo_AES* e, uint32_t inicio)
{
    e->inicioTrecho = inicio;
    e->decifrado = 0;
    e->carregado = 0;
    if (!e->trecho) {
        e->trecho = (unsigned char*)malloc(ARQUIVO_AES_TRECHO);
        if (!e->trecho) return;
    }
    uint32_t quer = e->tamanhoCifrado - inicio;
    if (quer > ARQUIVO_AES_TRECHO) quer = ARQUIVO_AES_TRECHO;
    e->base->irPara(e->base, inicio);
    uint32_t lido = e->base->ler(e->base, e->trecho, quer);
    e->carregado = lido < quer ? lido : quer;
}

static uint32_t ARQUIVO_AES_ler(_arquivo* a, unsigned char* buffer, uint32_t n)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e || e->modo != 'S' || !buffer) return 0;
    uint32_t tamanho = ARQUIVO_AES_tamanhoPlano(e);
    uint32_t posicao = e->inicioTrecho + e->posicaoTrecho;
    if (posicao >= tamanho) return 0;
    uint32_t falta = tamanho - posicao < n ? tamanho - posicao : n;
    if (!e->trecho) ARQUIVO_AES_carregar(e, e->inicioTrecho);

    uint32_t entregue = 0;
    while (falta > 0) {
        if (e->posicaoTrecho >= ARQUIVO_AES_TRECHO) {
            ARQUIVO_AES_carregar(e, e->inicioTrecho + ARQUIVO_AES_TRECHO);
            e->posicaoTrecho = 0;
        }
        uint32_t ate = e->posicaoTrecho + (falta < ARQUIVO_AES_TRECHO - e->posicaoTrecho
                                               ? falta
                                               : ARQUIVO_AES_TRECHO - e->posicaoTrecho);
        uint32_t inteiros = e->carregado & ~15u;  // whole blocks the chunk holds
        if (ate > inteiros) ate = inteiros;
        if (ate <= e->posicaoTrecho) break;  // a short read below: nothing unread is delivered
        // Positions only move inside the deciphered part or to a fresh chunk,
        // so this deciphers each block once, the first time it is read.
        while (e->decifrado < ate) {
            ARQUIVO_AES_cifrarBloco(e->cifra, e->trecho + e->decifrado, false);
            e->decifrado += 16;
        }
        uint32_t k = ate - e->posicaoTrecho;
        memcpy(buffer + entregue, e->trecho + e->posicaoTrecho, k);
        e->posicaoTrecho += k;
        entregue += k;
        falta -= k;
    }
    return entregue;
}

static uint32_t ARQUIVO_AES_escrever(_arquivo* a, const unsigned char* dados, uint32_t n)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e || e->modo != 'N' || e->falha || !dados || n == 0) return 0;
    if ((uint64_t)e->inicioTrecho + e->posicaoTrecho + n > ARQUIVO_TAMANHO_MAXIMO) {
        e->falha = ERRO_AES_TAMANHO;
        return 0;
    }
    uint32_t feito = 0;
    while (feito < n) {
        uint32_t k = ARQUIVO_AES_TRECHO - e->posicaoTrecho;
        if (k > n - feito) k = n - feito;
        memcpy(e->trecho + e->posicaoTrecho, dados + feito, k);
        uint32_t bloco = e->posicaoTrecho & ~15u;
        e->posicaoTrecho += k;
        feito += k;
        for (; bloco + 16 <= e->posicaoTrecho; bloco += 16) ARQUIVO_AES_cifrarBloco(e->cifra, e->trecho + bloco, true);
        if (e->posicaoTrecho == ARQUIVO_AES_TRECHO) {
            if (e->base->escrever(e->base, e->trecho, ARQUIVO_AES_TRECHO) != ARQUIVO_AES_TRECHO) {
                e->falha = ERRO_AES_ESCRITA;
                return 0;
            }
            e->inicioTrecho += ARQUIVO_AES_TRECHO;
            e->posicaoTrecho = 0;
        }
    }
    return n;
}

static uint32_t ARQUIVO_AES_posicao(_arquivo* a)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    return e ? e->inicioTrecho + e->posicaoTrecho : 0;
}

static void ARQUIVO_AES_irPara(_arquivo* a, uint32_t posicao)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e || e->modo != 'S' || posicao >= e->tamanhoCifrado) return;
    if (e->inicioTrecho <= posicao && posicao - e->inicioTrecho <= e->decifrado) {
        e->posicaoTrecho = posicao - e->inicioTrecho;
        return;
    }
    ARQUIVO_AES_carregar(e, posicao & ~15u);
    e->posicaoTrecho = posicao & 15u;
}

static uint32_t ARQUIVO_AES_tamanho(_arquivo* a)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e) return 0;
    return e->modo == 'S' ? ARQUIVO_AES_tamanhoPlano(e) : e->inicioTrecho + e->posicaoTrecho;
}

// Writes the last block: the final plain bytes (or one drawn seed byte), the
// filler drawn after seeding with the byte before it, and their count.
static void ARQUIVO_AES_finalizar(_arquivo_AES* e)
{
    uint32_t p = e->posicaoTrecho;
    uint32_t n = p % 16;
    uint32_t b = p - n;
    if (n == 0) e->trecho[p++] = (unsigned char)(engine_sortearAleatorio() % 256);
    // The filler comes from a generator of the same algorithm as the runtime's,
    // seeded the same way, which leaves the runtime's own state alone.
    _engine_gerador gerador;
    engine_gerador_semear(&gerador, e->trecho[p - 1]);
    for (; p < b + 15; p++) e->trecho[p] = (unsigned char)(engine_gerador_sortear(&gerador) % 256);
    engine_semearAleatorio((uint32_t)time(nullptr));
    e->trecho[b + 15] = (unsigned char)n;
    ARQUIVO_AES_cifrarBloco(e->cifra, e->trecho + b, true);
    if (e->base->escrever(e->base, e->trecho, b + 16) != b + 16) e->falha = ERRO_AES_ESCRITA;
}

static const char* ARQUIVO_AES_fechar(_arquivo* a)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e) return nullptr;
    // A writer whose layer below already refused bytes writes nothing more
    // (its chunk may be full and its last block would not fit).
    if (e->modo == 'N' && !e->falha) ARQUIVO_AES_finalizar(e);
    const char* falha = e->falha;
    free(e->trecho);
    const char* erroBase = e->base->fechar(e->base);
    delete e->cifra;
    free(e);
    free(a);
    return falha ? falha : erroBase;
}

static _arquivo* ARQUIVO_AES_criar(_arquivo* a)
{
    _arquivo_AES* e = a ? (_arquivo_AES*)a->contexto : nullptr;
    if (!e) return nullptr;
    _arquivo* novaBase = e->base->criar(e->base);
    if (!novaBase) return nullptr;
    _arquivo* novo = e->modo == 'S' ? arquivo_lerAES(novaBase, e->chave) : arquivo_criarAES(novaBase, e->chave);
    if (!novo) novaBase->fechar(novaBase);
    return novo;
}

// State and record over base with a cipher prepared in the given direction.
static _arquivo* ARQUIVO_AES_abrir(_arquivo* base, const unsigned char* chave, char modo, AES* cifra)
{
    _arquivo_AES* e = (_arquivo_AES*)calloc(1, sizeof(_arquivo_AES));
    if (!e) return nullptr;
    _arquivo* a = ARQUIVO_novo(ARQUIVO_AES_ler, ARQUIVO_AES_escrever, ARQUIVO_AES_posicao, ARQUIVO_AES_irPara,
                               ARQUIVO_AES_tamanho, ARQUIVO_AES_fechar, ARQUIVO_AES_criar, e);
    if (!a) {
        free(e);
        return nullptr;
    }
    e->base = base;
    e->cifra = cifra;
    memcpy(e->chave, chave, 16);
    e->modo = modo;
    return a;
}

_arquivo* arquivo_lerAES(_arquivo* base, const unsigned char* chave)
{
    ARQUIVO_logar("Abrindo arquivo encriptado para leitura", -1);
    AES* cifra = nullptr;
    _arquivo* a = nullptr;
    unsigned char ultimo[16];
    uint32_t e = 0;
    if (!base || !chave) goto falhou;
    e = base->tamanho(base);
    if (e < 16 || e % 16 != 0) goto falhou;
    base->irPara(base, e - 16);
    if (base->ler(base, ultimo, 16) != 16) goto falhou;
    cifra = new (std::nothrow) AES();
    if (!cifra) goto falhou;
    cifra->makeKey(chave, 128, AES::DIR_DECRYPT);
    ARQUIVO_AES_cifrarBloco(cifra, ultimo, false);
    {
        uint32_t n = ultimo[15];
        if (n > 15) goto falhou;
        // Checked on a local generator of the runtime's algorithm, so that an
        // opening off the main thread draws nothing from the shared one.
        _engine_gerador gerador;
        engine_gerador_semear(&gerador, ultimo[n == 0 ? 0 : n - 1]);
        bool confere = true;
        for (uint32_t i = n == 0 ? 1 : n; i <= 14 && confere; i++)
            confere = ultimo[i] == (unsigned char)(engine_gerador_sortear(&gerador) % 256);
        engine_semearAleatorio((uint32_t)time(nullptr));
        if (!confere) goto falhou;
    }
    base->irPara(base, 0);
    a = ARQUIVO_AES_abrir(base, chave, 'S', cifra);
    if (!a) goto falhou;
    {
        _arquivo_AES* estado = (_arquivo_AES*)a->contexto;
        estado->tamanhoCifrado = e;
        estado->bytesFinais = ultimo[15];
    }
    ARQUIVO_logar("Arquivo encriptado aberto para leitura com sucesso", -1);
    return a;

falhou:
    delete cifra;
    ARQUIVO_logar("Erro ao abrir arquivo encriptado para leitura", -1);
    return nullptr;
}

_arquivo* arquivo_criarAES(_arquivo* base, const unsigned char* chave)
{
    if (!base || !chave) return nullptr;
    AES* cifra = new (std::nothrow) AES();
    if (!cifra) return nullptr;
    cifra->makeKey(chave, 128, AES::DIR_ENCRYPT);
    _arquivo* a = ARQUIVO_AES_abrir(base, chave, 'N', cifra);
    if (!a) {
        delete cifra;
        return nullptr;
    }
    _arquivo_AES* e = (_arquivo_AES*)a->contexto;
    e->trecho = (unsigned char*)malloc(ARQUIVO_AES_TRECHO);
    if (!e->trecho) {
        delete cifra;
        free(e);
        free(a);
        return nullptr;
    }
    return a;
}
