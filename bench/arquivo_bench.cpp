// Reading the resource archive: every entry of a 20 MB archive of mixed
// media through the whole reader chain, beside the encrypted layer alone and
// liblzma's decoding of the same slots alone; and AES-128 deciphering.
//
// The archive is made on the first run (a minute or two: the writer
// compresses with preset 9e) and kept in the build folder for later runs;
// the media it is made of are written in the benchmark's own folder, which
// goes when the run ends.
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "arquivo/AES.h"
#include "arquivo/arquivo.h"
#include "arquivo/arquivo_interno.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"
#include "plataforma/plataforma_arquivo.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const std::string ARQUIVO = std::string(MORVALEN_CACHE_BENCH) + "/bench_recursos.dad";
const unsigned char* CHAVE = (const unsigned char*)PLATAFORMA_CHAVE;

Bytes lerDisco(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

// Music: a few minutes of tones and noise, as Ogg Vorbis.
Bytes musica(unsigned int segundos, uint32_t semente)
{
    const unsigned int taxa = 44100;
    std::mt19937 g(semente);
    std::vector<sf::Int16> a((size_t)taxa * segundos * 2);
    double fase = 0;
    for (size_t i = 0; i < a.size() / 2; i++) {
        double f = 110.0 * (1 + (i / taxa) % 7) + 40 * std::sin(i * 0.0001);
        fase += 2 * M_PI * f / taxa;
        double v = 6000 * std::sin(fase) + 3000 * std::sin(fase * 1.5) + (double)(g() % 2000) - 1000;
        a[2 * i] = (sf::Int16)v;
        a[2 * i + 1] = (sf::Int16)(v * 0.8);
    }
    std::string caminho = "bench_musica.ogg";
    {
        sf::OutputSoundFile saida;
        saida.openFromFile(caminho, taxa, 2);
        saida.write(a.data(), a.size());
    }
    Bytes b = lerDisco(caminho);
    remove(caminho.c_str());
    return b;
}

// Pictures: sprite sheets with flat areas, gradients and noise, as PNG.
Bytes imagem(unsigned int lado, uint32_t semente)
{
    std::mt19937 g(semente);
    sf::Image im;
    im.create(lado, lado);
    for (unsigned int y = 0; y < lado; y++)
        for (unsigned int x = 0; x < lado; x++) {
            bool quadro = ((x / 64) + (y / 64)) % 3 == 0;
            sf::Uint8 r = quadro ? 30 : (sf::Uint8)(x * 255 / lado);
            sf::Uint8 gg = quadro ? 120 : (sf::Uint8)((y * 255 / lado) ^ (g() % 24));
            sf::Uint8 b = (sf::Uint8)(g() % 256);
            im.setPixel(x, y, sf::Color(r, gg, b, quadro ? 0 : 255));
        }
    std::string caminho = "bench_imagem.png";
    im.saveToFile(caminho);
    Bytes bytes = lerDisco(caminho);
    remove(caminho.c_str());
    return bytes;
}

Bytes texto(size_t n, uint32_t semente)
{
    static const char* p[] = {"morvalen ", "ponte ", "mola ", "grande ", "pequeno\n", "camera ", "sensor ", "nivel "};
    std::mt19937 g(semente);
    Bytes b;
    while (b.size() < n) {
        const char* w = p[g() % 8];
        b.insert(b.end(), w, w + strlen(w));
    }
    return b;
}

void escreverArquivo()
{
    std::vector<std::pair<std::string, Bytes>> entradas;
    entradas.push_back({"Musica Tema.ogg", musica(300, 1)});
    entradas.push_back({"Musica Final.ogg", musica(200, 2)});
    entradas.push_back({"Som Pulo.ogg", musica(3, 3)});
    for (int i = 0; i < 5; i++) entradas.push_back({"Personagem " + std::to_string(i) + ".png", imagem(900, 10 + i)});
    entradas.push_back({"Pumpkin.otf", lerDisco("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")});
    entradas.push_back({"textos.txt", texto(600000, 4)});
    size_t total = 0;
    for (auto& e : entradas) total += e.second.size();
    fprintf(stderr, "Writing %s (%.1f MB of media, preset 9e)...\n", ARQUIVO.c_str(), total / 1e6);
    // Written under a name of this process's and renamed when complete, so
    // that an interrupted run leaves no half archive to be read later.
    mkdir(MORVALEN_CACHE_BENCH, 0755);
    const std::string temporario = ARQUIVO + "." + std::to_string(getpid());
    engine_semearAleatorio(1);
    uint32_t lista =
        arquivo_criarArquivos(arquivo_criarXZ(arquivo_criarAES(plataforma_criarArquivo(temporario.c_str()), CHAVE)));
    for (auto& e : entradas) {
        _arquivo* h = arquivo_criarArquivo(lista, e.first.c_str());
        if (!e.second.empty()) h->escrever(h, e.second.data(), (uint32_t)e.second.size());
        h->fechar(h);
    }
    const char* erro = arquivo_finalizarArquivos(lista);
    if (erro || rename(temporario.c_str(), ARQUIVO.c_str()) != 0) {
        fprintf(stderr, "%s\n", erro ? erro : "the archive could not be kept");
        remove(temporario.c_str());
        std::abort();
    }
}

struct Dados {
    uint32_t tabela = 0;
    std::vector<std::string> nomes;
    uint64_t bytesEntradas = 0;
    Bytes conteiner;           // the bytes under the encrypted layer
    std::vector<uint32_t> fins;  // the container's end offsets
};

const Dados& dados()
{
    static Dados d;
    static bool pronto = false;
    if (pronto) return d;
    pronto = true;
    engine_iniciar(true);
    arquivo_iniciar('N');
    if (FILE* f = fopen(ARQUIVO.c_str(), "rb"))
        fclose(f);
    else
        escreverArquivo();
    _arquivo* aes = arquivo_lerAES(plataforma_lerArquivo(ARQUIVO.c_str()), CHAVE);
    d.conteiner.resize(aes->tamanho(aes));
    aes->ler(aes, d.conteiner.data(), (uint32_t)d.conteiner.size());
    _arquivo* xz = arquivo_lerXZ(aes);
    const _arquivo_xz* x = (const _arquivo_xz*)xz->contexto;
    d.fins.assign(x->fins, x->fins + x->nBlocos);
    d.tabela = arquivo_lerArquivos(xz);
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_ARQUIVO, d.tabela);
    for (uint32_t i = 1; i <= n; i++) {
        _engine_parIndice* par =
            (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, d.tabela, i);
        const _arquivo_item* item = (const _arquivo_item*)par->valor;
        d.nomes.push_back(item->nome);
        d.bytesEntradas += item->fim - item->inicio;
    }
    return d;
}

// Every entry opened by name and read to its end, as the game reads them.
void BM_LerTodasAsEntradas(benchmark::State& estado)
{
    const Dados& d = dados();
    Bytes pedaco(65536);
    for (auto _ : estado) {
        for (const std::string& nome : d.nomes) {
            _arquivo* h = arquivo_lerArquivo(d.tabela, nome.c_str());
            while (h->ler(h, pedaco.data(), (uint32_t)pedaco.size()) > 0) {
            }
            h->fechar(h);
        }
    }
    estado.SetBytesProcessed((int64_t)estado.iterations() * (int64_t)d.bytesEntradas);
    estado.counters["entries"] = (double)d.nomes.size();
}
BENCHMARK(BM_LerTodasAsEntradas)->Unit(benchmark::kMillisecond);

// The encrypted layer alone: the whole file deciphered to the container.
void BM_CamadaAES(benchmark::State& estado)
{
    const Dados& d = dados();
    Bytes pedaco(65536);
    for (auto _ : estado) {
        _arquivo* aes = arquivo_lerAES(plataforma_lerArquivo(ARQUIVO.c_str()), CHAVE);
        while (aes->ler(aes, pedaco.data(), (uint32_t)pedaco.size()) > 0) {
        }
        aes->fechar(aes);
    }
    estado.SetBytesProcessed((int64_t)estado.iterations() * (int64_t)d.conteiner.size());
}
BENCHMARK(BM_CamadaAES)->Unit(benchmark::kMillisecond);

// liblzma alone on the same slots, in memory: header and buffer decoding.
// With limitar, the dictionary is sized to the block, as the reader does;
// without, it is the 64 MiB the headers ask for.
void decodificarFatias(benchmark::State& estado, bool limitar)
{
    const Dados& d = dados();
    const uint32_t n = (uint32_t)d.fins.size();
    const uint32_t p = (uint32_t)d.conteiner.size() - 4 * n;
    Bytes saida(ARQUIVO_XZ_BLOCO_MAXIMO);
    for (auto _ : estado) {
        for (uint32_t i = 0; i < n; i++) {
            const unsigned char* fatia = d.conteiner.data() + (size_t)i * ARQUIVO_XZ_FATIA;
            size_t tamanhoFatia = i + 1 == n ? p - (size_t)i * ARQUIVO_XZ_FATIA : ARQUIVO_XZ_FATIA;
            size_t tamanho = d.fins[i] - (i ? d.fins[i - 1] : 0);
            lzma_filter filtros[LZMA_FILTERS_MAX + 1];
            lzma_block bloco;
            memset(&bloco, 0, sizeof bloco);
            bloco.version = 1;
            bloco.header_size = lzma_block_header_size_decode(fatia[0]);
            bloco.check = LZMA_CHECK_NONE;
            bloco.filters = filtros;
            if (lzma_block_header_decode(&bloco, nullptr, fatia) != LZMA_OK) estado.SkipWithError("header");
            if (limitar) ((lzma_options_lzma*)filtros[0].options)->dict_size = (uint32_t)std::max<size_t>(tamanho, 4096);
            size_t entrada = bloco.header_size, produzido = 0;
            if (lzma_block_buffer_decode(&bloco, nullptr, fatia, &entrada, tamanhoFatia, saida.data(), &produzido,
                                         tamanho) != LZMA_OK)
                estado.SkipWithError("decode");
            lzma_filters_free(filtros, nullptr);
            benchmark::DoNotOptimize(saida.data());
        }
    }
    estado.SetBytesProcessed((int64_t)estado.iterations() * (int64_t)d.fins.back());
}

void BM_BlocosXZ(benchmark::State& estado)
{
    decodificarFatias(estado, true);
}
BENCHMARK(BM_BlocosXZ)->Unit(benchmark::kMillisecond);

void BM_BlocosXZ_DicionarioDoCabecalho(benchmark::State& estado)
{
    decodificarFatias(estado, false);
}
BENCHMARK(BM_BlocosXZ_DicionarioDoCabecalho)->Unit(benchmark::kMillisecond);

// AES-128 deciphering of 1 MiB in place, block by block, in the encrypted
// layer's word order.
void BM_AES128Decifrar(benchmark::State& estado)
{
    AES aes;
    aes.makeKey(CHAVE, 16, AES::DIR_DECRYPT);
    Bytes dados(1 << 20);
    std::mt19937 g(1);
    for (unsigned char& c : dados) c = (unsigned char)g();
    for (auto _ : estado) {
        for (size_t i = 0; i < dados.size(); i += 16) {
            unsigned int w[4];
            for (int k = 0; k < 4; k++) w[k] = ARQUIVO_lerU32(&dados[i + 4 * k]);
            aes.decrypt(w, w);
            for (int k = 0; k < 4; k++) ARQUIVO_gravarU32(&dados[i + 4 * k], w[k]);
        }
        benchmark::DoNotOptimize(dados.data());
    }
    estado.SetBytesProcessed((int64_t)estado.iterations() * (int64_t)dados.size());
}
BENCHMARK(BM_AES128Decifrar);

}  // namespace
