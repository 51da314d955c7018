// Compressed block container: the stream in fixed 64 KiB slots, each one bare
// xz Block (preset 9e, no check), and after them a table of n 32-bit
// uncompressed end offsets, one per slot. A seek finds its slot from the table
// alone and decodes only that slot.
//
// A reader derives n from the container's length L (every slot but the last
// is 65,536 bytes and adds 4 bytes of table): n = ceil(L / 65,540).
//
// The writer fills each slot exactly: it searches for the input length whose
// Block is 65,536 bytes, starting from the length the previous slot took.
// When the search cannot hit that size it takes the longest length that fits
// and pads the slot with zeros, which the reader ignores.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "arquivo/arquivo_interno.h"

static const char ERRO_XZ_ESCRITA[] = "Erro ao escrever arquivo compactado";
static const char ERRO_XZ_COMPRESSAO[] = "Erro ao compactar arquivo";
static const char ERRO_XZ_TAMANHO[] = "Arquivo compactado grande demais";
static const char ERRO_XZ_MEMORIA[] = "Memoria insuficiente";

// Stream Header plus one Block that fills a slot exactly.
#define XZ_SAIDA_CHEIA (12u + ARQUIVO_XZ_FATIA)

static _arquivo* ARQUIVO_xz_novo(_arquivo_xz* x);

static bool ARQUIVO_xz_escritor(const _arquivo_xz* x)
{
    return x->posicaoBloco > x->tamanhoBloco;
}

// ------------------------------------------------------------------ reader

static uint32_t ARQUIVO_xz_inicioDoBloco(const _arquivo_xz* x, uint32_t i)
{
    return i == 0 ? 0 : x->fins[i - 1];
}

// Decodes slot i into a new block in hand. On any failure (short read, a first
// byte that is no Block Header, a header longer than the slot, a decoder error
// or a size other than the table's) nothing changes and false is returned.
static bool ARQUIVO_xz_decodificar(_arquivo_xz* x, uint32_t i)
{
    uint32_t inicioFatia = i * ARQUIVO_XZ_FATIA;
    uint32_t tamanhoFatia = i + 1 == x->nBlocos ? x->tamanhoCompactado - inicioFatia : ARQUIVO_XZ_FATIA;
    uint32_t tamanho = x->fins[i] - ARQUIVO_xz_inicioDoBloco(x, i);

    unsigned char* fatia = (unsigned char*)malloc(tamanhoFatia);
    unsigned char* saida = (unsigned char*)malloc(tamanho ? tamanho : 1);
    bool ok = false;
    if (fatia && saida) {
        x->base->irPara(x->base, inicioFatia);
        uint32_t cabecalho = 0;
        if (x->base->posicao(x->base) == inicioFatia &&
            x->base->ler(x->base, fatia, tamanhoFatia) == tamanhoFatia && fatia[0] != 0 &&
            (cabecalho = lzma_block_header_size_decode(fatia[0])) <= tamanhoFatia) {
            lzma_filter filtros[LZMA_FILTERS_MAX + 1];
            lzma_block bloco;
            memset(&bloco, 0, sizeof bloco);
            bloco.version = 1;
            bloco.header_size = cabecalho;
            bloco.check = LZMA_CHECK_NONE;
            bloco.filters = filtros;
            if (lzma_block_header_decode(&bloco, nullptr, fatia) == LZMA_OK) {
                // A Block starts with an empty dictionary, so no match reaches
                // further back than the Block's own bytes: a dictionary of that
                // size decodes it (preset 9 asks for 64 MiB, for every slot).
                for (int f = 0; filtros[f].id != LZMA_VLI_UNKNOWN; f++) {
                    if (filtros[f].id != LZMA_FILTER_LZMA2 || !filtros[f].options) continue;
                    lzma_options_lzma* lzma2 = (lzma_options_lzma*)filtros[f].options;
                    uint32_t basta = tamanho < LZMA_DICT_SIZE_MIN ? LZMA_DICT_SIZE_MIN : tamanho;
                    if (lzma2->dict_size > basta) lzma2->dict_size = basta;
                }
                if (lzma_raw_decoder_memusage(filtros) <= ARQUIVO_XZ_MEMORIA_MAXIMA) {
                    size_t entrada = cabecalho, produzido = 0;
                    lzma_ret r = lzma_block_buffer_decode(&bloco, nullptr, fatia, &entrada, tamanhoFatia, saida,
                                                          &produzido, tamanho);
                    ok = r == LZMA_OK && produzido == tamanho;
                }
                lzma_filters_free(filtros, nullptr);
            }
        }
    }
    free(fatia);
    if (!ok) {
        free(saida);
        ARQUIVO_logar("Erro ao descompactar bloco", (int32_t)i);
        return false;
    }
    free(x->bloco);
    x->bloco = saida;
    x->tamanhoBloco = tamanho;
    x->proximoBloco = i + 1;
    x->percorrido = inicioFatia + tamanhoFatia;
    return true;
}

static uint32_t ARQUIVO_xz_ler(_arquivo* a, unsigned char* buffer, uint32_t n)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x || ARQUIVO_xz_escritor(x) || !buffer) return 0;
    uint32_t copiado = 0;
    for (;;) {
        if (x->proximoBloco > 0) {
            uint32_t k = x->tamanhoBloco - x->posicaoBloco;
            if (k > n - copiado) k = n - copiado;
            memcpy(buffer + copiado, x->bloco + x->posicaoBloco, k);
            x->posicaoBloco += k;
            copiado += k;
        }
        if (copiado == n || x->proximoBloco == x->nBlocos) break;
        // A slot that fails to decode stops the read at its start.
        if (!ARQUIVO_xz_decodificar(x, x->proximoBloco)) break;
        x->posicaoBloco = 0;
    }
    return copiado;
}

static uint32_t ARQUIVO_xz_posicao(_arquivo* a)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x) return 0;
    if (ARQUIVO_xz_escritor(x)) return x->percorrido + x->tamanhoBloco;
    return (x->proximoBloco == 0 ? 0 : ARQUIVO_xz_inicioDoBloco(x, x->proximoBloco - 1)) + x->posicaoBloco;
}

static void ARQUIVO_xz_irPara(_arquivo* a, uint32_t posicao)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x || ARQUIVO_xz_escritor(x)) return;
    if (x->proximoBloco > 0) {
        uint32_t inicio = ARQUIVO_xz_inicioDoBloco(x, x->proximoBloco - 1);
        if (posicao >= inicio && posicao - inicio < x->tamanhoBloco) {
            x->posicaoBloco = posicao - inicio;
            return;
        }
    }
    if (posicao >= x->fins[x->nBlocos - 1]) return;
    // The first slot whose end lies past the position.
    uint32_t baixo = 0, alto = x->nBlocos - 1;
    while (baixo < alto) {
        uint32_t meio = baixo + (alto - baixo) / 2;
        if (x->fins[meio] > posicao)
            alto = meio;
        else
            baixo = meio + 1;
    }
    // A slot that fails to decode is unreachable: the position stays.
    if (ARQUIVO_xz_decodificar(x, baixo)) x->posicaoBloco = posicao - ARQUIVO_xz_inicioDoBloco(x, baixo);
}

_arquivo* arquivo_lerXZ(_arquivo* base)
{
    ARQUIVO_logar("Abrindo arquivo compactado para leitura", -1);
    uint32_t* fins = nullptr;
    _arquivo_xz* x = nullptr;
    _arquivo* a = nullptr;
    if (!base) goto falhou;
    {
        uint32_t l = base->tamanho(base);
        uint32_t resto = l % ARQUIVO_XZ_FATIA_E_FIM;
        // A remainder of 1 to 4 bytes leaves the last slot empty or negative.
        if (l == 0 || (resto >= 1 && resto <= 4)) goto falhou;
        uint32_t n = l / ARQUIVO_XZ_FATIA_E_FIM + (resto ? 1 : 0);
        uint32_t p = l - 4 * n;
        fins = (uint32_t*)malloc((size_t)n * 4);
        unsigned char* tabela = (unsigned char*)malloc((size_t)n * 4);
        bool ok = fins && tabela;
        if (ok) {
            base->irPara(base, p);
            ok = base->posicao(base) == p && base->ler(base, tabela, 4 * n) == 4 * n;
        }
        // Ends must not decrease, and no slot may hold more than a block's worth.
        for (uint32_t i = 0; ok && i < n; i++) {
            fins[i] = ARQUIVO_lerU32(tabela + 4 * i);
            uint32_t anterior = i == 0 ? 0 : fins[i - 1];
            ok = fins[i] >= anterior && fins[i] - anterior <= ARQUIVO_XZ_BLOCO_MAXIMO;
        }
        free(tabela);
        if (!ok) goto falhou;
        base->irPara(base, 0);
        x = (_arquivo_xz*)calloc(1, sizeof(_arquivo_xz));
        if (!x) goto falhou;
        x->base = base;
        x->tamanhoCompactado = p;
        x->nBlocos = n;
        x->fins = fins;
    }
    a = ARQUIVO_xz_novo(x);
    if (!a) goto falhou;
    ARQUIVO_logar("Arquivo compactado aberto para leitura com sucesso", -1);
    return a;

falhou:
    free(fins);
    free(x);
    ARQUIVO_logar("Erro ao abrir arquivo compactado para leitura", -1);
    return nullptr;
}

// ------------------------------------------------------------------ writer

// Compresses g bytes as a new xz stream holding one Block (the 12-byte Stream
// Header, then the Block). t is the output's length, usado the input taken.
static bool ARQUIVO_xz_comprimir(_arquivo_xz* x, const unsigned char* dados, uint32_t g, unsigned char* saida,
                                 size_t capacidade, uint32_t* t, uint32_t* usado)
{
    lzma_stream* s = &x->compressor;
    // Initialising the same stream again reuses the encoder's memory.
    if (lzma_easy_encoder(s, 9 | LZMA_PRESET_EXTREME, LZMA_CHECK_NONE) != LZMA_OK) return false;
    x->compressorIniciado = true;
    s->next_in = dados;
    s->avail_in = g;
    s->next_out = saida;
    s->avail_out = capacidade;
    lzma_ret r;
    do {
        r = lzma_code(s, LZMA_FULL_FLUSH);
    } while (r == LZMA_OK && s->avail_out > 0);
    if (r != LZMA_STREAM_END || s->total_out > capacidade || s->total_in != g) return false;
    *t = (uint32_t)s->total_out;
    *usado = (uint32_t)s->total_in;
    return true;
}

static size_t ARQUIVO_xz_capacidade(uint32_t g)
{
    size_t c = lzma_stream_buffer_bound(g);
    return c < XZ_SAIDA_CHEIA ? XZ_SAIDA_CHEIA : c;
}

static bool ARQUIVO_xz_anotarFim(_arquivo_xz* x, uint32_t fim)
{
    if (x->nBlocos == x->capacidadeFins) {
        uint32_t nova = x->capacidadeFins ? x->capacidadeFins * 2 : 64;
        uint32_t* fins = (uint32_t*)realloc(x->fins, (size_t)nova * 4);
        if (!fins) return false;
        x->fins = fins;
        x->capacidadeFins = nova;
    }
    x->fins[x->nBlocos++] = fim;
    return true;
}

// The next input length to try after g gave t bytes of output.
static int64_t ARQUIVO_xz_corrigir(uint32_t g, uint32_t t)
{
    int64_t alvo = XZ_SAIDA_CHEIA;
    int64_t gg = g, tt = t;
    if (tt < alvo - 200) return gg + (int64_t)pow((double)(alvo - tt), 1.1);
    if (tt <= alvo + 1) return gg + (alvo - tt);
    if (tt <= alvo + 100) return gg - (tt - alvo + 1) / 2;
    return gg - (tt - alvo);
}

// Writes every full slot the pending bytes make and keeps the rest, which
// compresses to less than a slot.
static bool ARQUIVO_xz_gravarFatias(_arquivo_xz* x)
{
    uint32_t inicio = 0, resto = x->tamanhoBloco;
    uint32_t maior = resto < ARQUIVO_XZ_BLOCO_MAXIMO ? resto : ARQUIVO_XZ_BLOCO_MAXIMO;
    size_t capacidade = ARQUIVO_xz_capacidade(maior);
    unsigned char* saida = (unsigned char*)malloc(capacidade);
    if (!saida) {
        x->falha = ERRO_XZ_MEMORIA;
        return false;
    }

    uint32_t g = x->palpite;
    // The longest length tried whose Block fits a slot and the shortest whose
    // Block does not (0: none yet), with their output lengths.
    uint32_t cabe = 0, naoCabe = 0, tCabe = 0, tNaoCabe = 0;
    uint32_t tentativas = 0;
    while (resto > 0) {
        uint32_t limite = resto < ARQUIVO_XZ_BLOCO_MAXIMO ? resto : ARQUIVO_XZ_BLOCO_MAXIMO;
        if (g > limite) g = limite;
        if (g == 0) g = 1;
        uint32_t t, usado;
        if (!ARQUIVO_xz_comprimir(x, x->bloco + inicio, g, saida, capacidade, &t, &usado)) {
            x->falha = ERRO_XZ_COMPRESSAO;
            break;
        }
        if (t < XZ_SAIDA_CHEIA && g == resto) break;  // the rest fits in less than a slot

        // Full when the Block is exactly a slot, or when it is the most one
        // slot may hold; otherwise narrow the search and try again.
        bool cheia = t == XZ_SAIDA_CHEIA || (t < XZ_SAIDA_CHEIA && g == limite);
        if (!cheia) {
            if (t < XZ_SAIDA_CHEIA) {
                cabe = g;
                tCabe = t;
            } else {
                naoCabe = g;
                tNaoCabe = t;
            }
            uint32_t teto = naoCabe ? naoCabe : limite + 1;
            int64_t proposto = ARQUIVO_xz_corrigir(g, t);
            // The corrections can crawl (data that compresses well) or
            // alternate between two lengths for ever (an output that jumps by
            // more than a byte for one more input byte). After a few rounds,
            // or when they leave the open range between the bounds, the
            // search interpolates and bisects by turns.
            if (++tentativas > 6 || proposto <= cabe || proposto >= teto) {
                int64_t meio = cabe + (teto - cabe) / 2;
                proposto = meio;
                if (tentativas % 2 == 1) {
                    if (cabe && naoCabe)
                        proposto = cabe + (int64_t)((double)(naoCabe - cabe) * (XZ_SAIDA_CHEIA - tCabe) /
                                                    (double)(tNaoCabe - tCabe));
                    else if (cabe)
                        proposto = (int64_t)((double)cabe * XZ_SAIDA_CHEIA / tCabe);
                    else
                        proposto = (int64_t)((double)naoCabe * XZ_SAIDA_CHEIA / tNaoCabe);
                }
                if (proposto <= cabe || proposto >= teto) proposto = meio;
            }
            if (proposto > cabe) {
                g = (uint32_t)proposto;
                continue;
            }
            // Nothing left between the two: the longest length that fits,
            // padded to the slot with zeros.
            if (cabe == 0 ||
                !ARQUIVO_xz_comprimir(x, x->bloco + inicio, cabe, saida, capacidade, &t, &usado) ||
                t > XZ_SAIDA_CHEIA) {
                x->falha = ERRO_XZ_COMPRESSAO;
                break;
            }
        }
        memset(saida + t, 0, XZ_SAIDA_CHEIA - t);
        if (x->base->escrever(x->base, saida + 12, ARQUIVO_XZ_FATIA) != ARQUIVO_XZ_FATIA) {
            x->falha = ERRO_XZ_ESCRITA;
            break;
        }
        inicio += usado;
        resto -= usado;
        x->percorrido += usado;
        if (!ARQUIVO_xz_anotarFim(x, x->percorrido)) {
            x->falha = ERRO_XZ_MEMORIA;
            break;
        }
        x->palpite = usado;
        g = usado;
        cabe = naoCabe = tCabe = tNaoCabe = tentativas = 0;
    }
    free(saida);
    memmove(x->bloco, x->bloco + inicio, resto);
    x->tamanhoBloco = resto;
    x->posicaoBloco = resto + 1;
    return !x->falha;
}

static uint32_t ARQUIVO_xz_escrever(_arquivo* a, const unsigned char* dados, uint32_t n)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x || !ARQUIVO_xz_escritor(x) || x->falha || !dados || n == 0) return 0;
    uint64_t q = (uint64_t)x->tamanhoBloco + n;
    if (x->percorrido + q > ARQUIVO_TAMANHO_MAXIMO) {
        x->falha = ERRO_XZ_TAMANHO;
        return 0;
    }
    if (q > x->capacidadeBloco) {
        uint64_t nova = (uint64_t)x->capacidadeBloco * 2;
        if (nova < q) nova = q;
        if (nova > ARQUIVO_TAMANHO_MAXIMO) nova = ARQUIVO_TAMANHO_MAXIMO;
        unsigned char* bloco = (unsigned char*)realloc(x->bloco, (size_t)nova);
        if (!bloco) {
            x->falha = ERRO_XZ_MEMORIA;
            return 0;
        }
        x->bloco = bloco;
        x->capacidadeBloco = (uint32_t)nova;
    }
    memcpy(x->bloco + x->tamanhoBloco, dados, n);
    x->tamanhoBloco = (uint32_t)q;
    x->posicaoBloco = x->tamanhoBloco + 1;
    // Too few bytes to fill a slot even if they do not compress at all.
    if (q * 11 / 10 < XZ_SAIDA_CHEIA) return n;
    return ARQUIVO_xz_gravarFatias(x) ? n : 0;
}

// The pending bytes as the last slot: its Block after the Stream Header.
static bool ARQUIVO_xz_comprimirResto(_arquivo_xz* x, unsigned char** saida, uint32_t* t, uint32_t* usado)
{
    size_t capacidade = ARQUIVO_xz_capacidade(x->tamanhoBloco);
    *saida = (unsigned char*)malloc(capacidade);
    if (!*saida) return false;
    return ARQUIVO_xz_comprimir(x, x->bloco, x->tamanhoBloco, *saida, capacidade, t, usado) &&
           *t - 12 <= ARQUIVO_XZ_FATIA;
}

// An empty stream is one slot holding an empty Block: a container needs at
// least one table entry to open. t is the Block's length.
static bool ARQUIVO_xz_blocoVazio(unsigned char* saida, size_t capacidade, size_t* t)
{
    lzma_options_lzma opcoes;
    if (lzma_lzma_preset(&opcoes, 9 | LZMA_PRESET_EXTREME)) return false;
    lzma_filter filtros[2] = {{LZMA_FILTER_LZMA2, &opcoes}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_block bloco;
    memset(&bloco, 0, sizeof bloco);
    bloco.version = 1;
    bloco.check = LZMA_CHECK_NONE;
    bloco.filters = filtros;
    *t = 0;
    return lzma_block_buffer_encode(&bloco, nullptr, nullptr, 0, saida, t, capacidade) == LZMA_OK;
}

static void ARQUIVO_xz_gravarVazio(_arquivo_xz* x)
{
    unsigned char saida[64];
    size_t t;
    if (!ARQUIVO_xz_blocoVazio(saida, sizeof saida, &t))
        x->falha = ERRO_XZ_COMPRESSAO;
    else if (x->base->escrever(x->base, saida, (uint32_t)t) != t)
        x->falha = ERRO_XZ_ESCRITA;
    else if (!ARQUIVO_xz_anotarFim(x, 0))
        x->falha = ERRO_XZ_MEMORIA;
}

static uint32_t ARQUIVO_xz_tamanho(_arquivo* a)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x) return 0;
    if (!ARQUIVO_xz_escritor(x)) return x->fins[x->nBlocos - 1];
    // The size the container would have if it were closed now.
    uint64_t tamanho = (uint64_t)x->base->tamanho(x->base) + 4ull * x->nBlocos;
    if (x->nBlocos == 0 && x->tamanhoBloco == 0) {
        unsigned char saida[64];
        size_t t;
        if (ARQUIVO_xz_blocoVazio(saida, sizeof saida, &t)) tamanho += t + 4;
    } else if (x->tamanhoBloco > 0) {
        unsigned char* saida = nullptr;
        uint32_t t = 0, usado = 0;
        if (ARQUIVO_xz_comprimirResto(x, &saida, &t, &usado)) tamanho += (t - 12) + 4;
        free(saida);
    }
    return tamanho > UINT32_MAX ? UINT32_MAX : (uint32_t)tamanho;
}

static void ARQUIVO_xz_finalizar(_arquivo_xz* x)
{
    if (x->nBlocos == 0 && x->tamanhoBloco == 0 && !x->falha) ARQUIVO_xz_gravarVazio(x);
    if (x->tamanhoBloco > 0 && !x->falha) {
        unsigned char* saida = nullptr;
        uint32_t t = 0, usado = 0;
        if (!ARQUIVO_xz_comprimirResto(x, &saida, &t, &usado))
            x->falha = ERRO_XZ_COMPRESSAO;
        else if (x->base->escrever(x->base, saida + 12, t - 12) != t - 12)
            x->falha = ERRO_XZ_ESCRITA;
        else {
            x->percorrido += usado;
            if (!ARQUIVO_xz_anotarFim(x, x->percorrido)) x->falha = ERRO_XZ_MEMORIA;
        }
        free(saida);
    }
    if (x->falha || x->nBlocos == 0) return;
    unsigned char* tabela = (unsigned char*)malloc((size_t)x->nBlocos * 4);
    if (!tabela) {
        x->falha = ERRO_XZ_MEMORIA;
        return;
    }
    for (uint32_t i = 0; i < x->nBlocos; i++) ARQUIVO_gravarU32(tabela + 4 * i, x->fins[i]);
    if (x->base->escrever(x->base, tabela, 4 * x->nBlocos) != 4 * x->nBlocos) x->falha = ERRO_XZ_ESCRITA;
    free(tabela);
}

static const char* ARQUIVO_xz_fechar(_arquivo* a)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x) return nullptr;
    if (ARQUIVO_xz_escritor(x)) ARQUIVO_xz_finalizar(x);
    if (x->compressorIniciado) lzma_end(&x->compressor);
    const char* falha = x->falha;
    const char* erroBase = x->base->fechar(x->base);
    free(x->bloco);
    free(x->fins);
    free(x);
    free(a);
    return falha ? falha : erroBase;
}

static _arquivo* ARQUIVO_xz_criar(_arquivo* a)
{
    _arquivo_xz* x = a ? (_arquivo_xz*)a->contexto : nullptr;
    if (!x) return nullptr;
    _arquivo* novaBase = x->base->criar(x->base);
    if (!novaBase) return nullptr;
    _arquivo* novo = ARQUIVO_xz_escritor(x) ? arquivo_criarXZ(novaBase) : arquivo_lerXZ(novaBase);
    if (!novo) novaBase->fechar(novaBase);
    return novo;
}

_arquivo* arquivo_criarXZ(_arquivo* base)
{
    if (!base) return nullptr;
    _arquivo_xz* x = (_arquivo_xz*)calloc(1, sizeof(_arquivo_xz));
    if (!x) return nullptr;
    _arquivo* a = ARQUIVO_xz_novo(x);
    if (!a) {
        free(x);
        return nullptr;
    }
    x->base = base;
    x->posicaoBloco = 1;
    x->palpite = ARQUIVO_XZ_FATIA;
    x->compressor = LZMA_STREAM_INIT;
    return a;
}

// Both modes share the operations; each tests the mode first.
static _arquivo* ARQUIVO_xz_novo(_arquivo_xz* x)
{
    return ARQUIVO_novo(ARQUIVO_xz_ler, ARQUIVO_xz_escrever, ARQUIVO_xz_posicao, ARQUIVO_xz_irPara,
                        ARQUIVO_xz_tamanho, ARQUIVO_xz_fechar, ARQUIVO_xz_criar, x);
}
