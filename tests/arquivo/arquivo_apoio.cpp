#include "arquivo_apoio.h"

#include <lzma.h>

#include <cstring>
#include <random>

#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"

const unsigned char APOIO_CHAVE[16] = {'s', 'e', 'n', 'h', 'a', '0', '2', '4', '6', '8', '1', '3', '5', '7', '9', '#'};

Bytes apoio_aleatorios(size_t n, uint32_t semente)
{
    std::mt19937 g(semente);
    Bytes b(n);
    for (unsigned char& c : b) c = (unsigned char)g();
    return b;
}

Bytes apoio_compressiveis(size_t n, uint32_t semente)
{
    static const char* palavras[] = {"morvalen ", "ponte ", "mola ", "grande ", "pequeno ", "pulo\n",
                                     "camera ", "sensor ", "nivel ", "zero "};
    std::mt19937 g(semente);
    Bytes b;
    b.reserve(n + 16);
    while (b.size() < n) {
        const char* p = palavras[g() % 10];
        b.insert(b.end(), p, p + strlen(p));
    }
    b.resize(n);
    return b;
}

Bytes apoio_misturados(size_t n, uint32_t semente)
{
    std::mt19937 g(semente);
    Bytes b;
    b.reserve(n);
    while (b.size() < n) {
        size_t run = 1000 + g() % 20000;
        Bytes parte = g() % 2 ? apoio_aleatorios(run, g()) : apoio_compressiveis(run, g());
        b.insert(b.end(), parte.begin(), parte.end());
    }
    b.resize(n);
    return b;
}

Bytes apoio_cifrar(const Bytes& plano, const unsigned char* chave)
{
    Memoria m = memoria_nova();
    _arquivo* a = arquivo_criarAES(memoria_escrever(m), chave);
    if (!plano.empty()) a->escrever(a, plano.data(), (uint32_t)plano.size());
    a->fechar(a);
    return m->bytes;
}

Bytes apoio_compactar(const Bytes& plano)
{
    Memoria m = memoria_nova();
    _arquivo* a = arquivo_criarXZ(memoria_escrever(m));
    if (!plano.empty()) a->escrever(a, plano.data(), (uint32_t)plano.size());
    a->fechar(a);
    return m->bytes;
}

Bytes apoio_empacotar(const std::vector<ArquivoNomeado>& arquivos, const unsigned char* chave)
{
    Memoria m = memoria_nova();
    uint32_t lista = arquivo_criarArquivos(arquivo_criarXZ(arquivo_criarAES(memoria_escrever(m), chave)));
    for (const ArquivoNomeado& a : arquivos) {
        _arquivo* h = arquivo_criarArquivo(lista, a.nome.c_str());
        if (!a.bytes.empty()) h->escrever(h, a.bytes.data(), (uint32_t)a.bytes.size());
        h->fechar(h);
    }
    arquivo_finalizarArquivos(lista);
    return m->bytes;
}

static Bytes APOIO_bloco(const Bytes& dados)
{
    lzma_options_lzma opcoes;
    lzma_lzma_preset(&opcoes, 0);
    lzma_filter filtros[2] = {{LZMA_FILTER_LZMA2, &opcoes}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_block bloco;
    memset(&bloco, 0, sizeof bloco);
    bloco.version = 1;
    bloco.check = LZMA_CHECK_NONE;
    bloco.filters = filtros;
    Bytes saida(lzma_block_buffer_bound(dados.size()));
    size_t pos = 0;
    if (lzma_block_buffer_encode(&bloco, nullptr, dados.data(), dados.size(), saida.data(), &pos, saida.size()) !=
        LZMA_OK)
        return {};
    saida.resize(pos);
    return saida;
}

Bytes apoio_conteiner(const std::vector<Bytes>& blocos, size_t ultimaFatia)
{
    Bytes c;
    std::vector<uint32_t> fins;
    uint32_t fim = 0;
    for (size_t i = 0; i < blocos.size(); i++) {
        Bytes b = APOIO_bloco(blocos[i]);
        size_t fatia = i + 1 < blocos.size() ? ARQUIVO_XZ_FATIA : std::max(b.size(), ultimaFatia);
        b.resize(fatia, 0);
        c.insert(c.end(), b.begin(), b.end());
        fim += (uint32_t)blocos[i].size();
        fins.push_back(fim);
    }
    for (uint32_t f : fins) {
        unsigned char p[4];
        ARQUIVO_gravarU32(p, f);
        c.insert(c.end(), p, p + 4);
    }
    return c;
}

Bytes apoio_fluxo(const std::vector<ArquivoNomeado>& arquivos)
{
    Bytes s, diretorio;
    unsigned char p[4];
    for (const ArquivoNomeado& a : arquivos) {
        s.insert(s.end(), a.bytes.begin(), a.bytes.end());
        ARQUIVO_gravarU32(p, (uint32_t)s.size());
        diretorio.insert(diretorio.end(), p, p + 4);
        diretorio.push_back((unsigned char)a.nome.size());
        diretorio.insert(diretorio.end(), a.nome.begin(), a.nome.end());
    }
    ARQUIVO_gravarU32(p, (uint32_t)s.size());
    s.insert(s.end(), diretorio.begin(), diretorio.end());
    s.insert(s.end(), p, p + 4);
    return s;
}

uint32_t apoio_abrirTabela(const Memoria& m, const unsigned char* chave)
{
    _arquivo* base = memoria_ler(m);
    _arquivo* aes = arquivo_lerAES(base, chave);
    if (!aes) {
        base->fechar(base);
        return 0;
    }
    _arquivo* xz = arquivo_lerXZ(aes);
    if (!xz) {
        aes->fechar(aes);
        return 0;
    }
    uint32_t tabela = arquivo_lerArquivos(xz);
    if (!tabela) xz->fechar(xz);
    return tabela;
}

Bytes apoio_lerTudo(_arquivo* a, uint32_t pedaco)
{
    Bytes tudo, buffer(pedaco);
    uint32_t n;
    while ((n = a->ler(a, buffer.data(), pedaco)) > 0) tudo.insert(tudo.end(), buffer.begin(), buffer.begin() + n);
    return tudo;
}

// 1 when the entry opened and agreed, 0 when it did not open, -1 on a
// disagreement.
static int APOIO_exercitarEntrada(uint32_t tabela, const char* nome, std::string* falha)
{
    _arquivo* h = arquivo_lerArquivo(tabela, nome);
    if (!h) return 0;  // an entry whose start cannot be reached does not open
    const uint32_t tamanho = h->tamanho(h);
    std::string erro;
    Bytes tudo = apoio_lerTudo(h, 4093);
    unsigned char um;
    if (tudo.size() > tamanho)
        erro = "read past the entry's size";
    else if (h->ler(h, &um, 1) != 0)
        erro = "read after the end returned bytes";
    const uint32_t alvos[] = {0, tamanho / 2, tamanho ? tamanho - 1 : 0, tamanho, tamanho + 1, UINT32_MAX};
    for (uint32_t alvo : alvos) {
        if (!erro.empty()) break;
        uint32_t antes = h->posicao(h);
        h->irPara(h, alvo);
        uint32_t depois = h->posicao(h);
        if (alvo >= tamanho) {
            if (depois != antes) erro = "a seek at or past the size moved the position";
            continue;
        }
        // Every byte read in sequence lies in a slot that decodes: a seek
        // there must land and read the same byte.
        if (alvo < tudo.size()) {
            if (depois != alvo)
                erro = "a seek into bytes already read did not land";
            else if (h->ler(h, &um, 1) != 1 || um != tudo[alvo])
                erro = "a seek read a different byte";
        } else if (depois != alvo && depois != antes) {
            erro = "a refused seek moved the position";
        }
    }
    if (erro.empty()) {
        _arquivo* outro = h->criar(h);
        if (outro) {
            Bytes inicio(64);
            uint32_t n = outro->ler(outro, inicio.data(), (uint32_t)inicio.size());
            if (outro->posicao(outro) != n)
                erro = "a second handle's position is off";
            else if (n > tudo.size() || memcmp(inicio.data(), tudo.data(), n) != 0)
                erro = "a second handle read different bytes";
            outro->fechar(outro);
        }
    }
    h->fechar(h);
    if (!erro.empty() && falha) *falha = std::string(nome) + ": " + erro;
    return erro.empty() ? 1 : -1;
}

bool apoio_exercitar(uint32_t tabela, std::string* falha, uint32_t* entradas)
{
    if (entradas) *entradas = 0;
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, tabela);
    for (uint32_t i = 1; i <= n; i++) {
        _engine_parIndice* par =
            (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, tabela, i);
        int r = APOIO_exercitarEntrada(tabela, par->chave, falha);
        if (r < 0) return false;
        if (entradas) *entradas += (uint32_t)r;
    }
    return true;
}
