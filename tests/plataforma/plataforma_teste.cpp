#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "arquivo/arquivo.h"
#include "engine/engine.h"
#include "plataforma/plataforma.h"
#include "plataforma/plataforma_interno.h"

namespace {

typedef std::vector<unsigned char> Bytes;

struct Entrada {
    std::string nome;
    Bytes bytes;
};

Bytes aleatorios(size_t n, uint32_t semente)
{
    std::mt19937 g(semente);
    Bytes b(n);
    for (unsigned char& c : b) c = (unsigned char)g();
    return b;
}

// An archive on disk, through the same writer chain the packer uses.
void escreverArquivo(const char* caminho, const std::vector<Entrada>& entradas, const char* chave)
{
    uint32_t lista = arquivo_criarArquivos(
        arquivo_criarXZ(arquivo_criarAES(plataforma_criarArquivo(caminho), (const unsigned char*)chave)));
    ASSERT_NE(lista, 0u);
    for (const Entrada& e : entradas) {
        _arquivo* h = arquivo_criarArquivo(lista, e.nome.c_str());
        if (!e.bytes.empty()) h->escrever(h, e.bytes.data(), (uint32_t)e.bytes.size());
        h->fechar(h);
    }
    testing::internal::CaptureStdout();
    EXPECT_EQ(arquivo_finalizarArquivos(lista), nullptr);
    testing::internal::GetCapturedStdout();
}

Bytes lerTudo(sf::InputStream& s)
{
    Bytes b((size_t)std::max<sf::Int64>(s.getSize(), 0) + 10);
    sf::Int64 n = s.read(b.data(), (sf::Int64)b.size());
    b.resize((size_t)std::max<sf::Int64>(n, 0));
    return b;
}

class Plataforma : public ::testing::Test {
protected:
    void SetUp() override
    {
        char modelo[] = "/tmp/morvalen_recursos_XXXXXX";
        ASSERT_NE(mkdtemp(modelo), nullptr);
        pasta = modelo;
        ASSERT_NE(getcwd(antes, sizeof antes), nullptr);
        ASSERT_EQ(chdir(pasta.c_str()), 0);
        engine_iniciar(true);
        arquivo_iniciar('N');
    }
    void TearDown() override
    {
        PLATAFORMA_liberarRecursos();
        plataformaLog = 'N';
        EXPECT_EQ(chdir(antes), 0);
        EXPECT_EQ(system(("rm -rf '" + pasta + "'").c_str()), 0);
    }
    // The samples encoded as the Ogg file `nome` in the test's folder, its
    // bytes (none when the encoder refused).
    Bytes emOgg(const char* nome, const std::vector<sf::Int16>& amostras, unsigned int taxa, unsigned int canais)
    {
        {
            sf::OutputSoundFile saida;
            if (!saida.openFromFile(pasta + "/" + nome, taxa, canais)) return {};
            saida.write(amostras.data(), amostras.size());
        }
        Bytes ogg;
        FILE* f = fopen(nome, "rb");
        if (!f) return ogg;
        int c;
        while ((c = fgetc(f)) != EOF) ogg.push_back((unsigned char)c);
        fclose(f);
        return ogg;
    }

    std::string pasta;
    char antes[4096];
    const std::vector<Entrada> entradas = {
        {"Fundo Azul.png", aleatorios(100000, 1)},
        {"texto.txt", Bytes{'o', 'l', 'a'}},
        {"vazio", {}},
    };
};

TEST_F(Plataforma, SemArquivoDeRecursosAPartidaFalha)
{
    testing::internal::CaptureStderr();
    EXPECT_STREQ(plataforma_iniciar('S'), "Erro ao abrir arquivo de recursos");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(plataformaRecursos, 0u);
    EXPECT_EQ(log, std::string("PLATAFORMA - Iniciando m\xF3" "dulo de plataforma\n"
                               "PLATAFORMA - Tentando ler arquivo:\n"
                               "PLATAFORMA - recursos.dad\n"
                               "PLATAFORMA - Erro ao abrir arquivo:\n"
                               "PLATAFORMA - ") +
                       strerror(ENOENT) + "\nPLATAFORMA - Erro ao abrir arquivo de recursos\n");
}

// Every line of a start-up, byte for byte, with the file module's lines
// between the platform's; with both flags 'N' nothing at all.
TEST_F(Plataforma, LinhasDeLogDaPartida)
{
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, entradas, PLATAFORMA_CHAVE);
    arquivoLog = 'S';
    testing::internal::CaptureStderr();
    EXPECT_EQ(plataforma_iniciar('S'), nullptr);
    EXPECT_EQ(PLATAFORMA_logar("um valor", 42), 1);
    EXPECT_EQ(PLATAFORMA_logar("sem valor", -1), 1);
    std::string log = testing::internal::GetCapturedStderr();
    arquivoLog = 'N';
    EXPECT_NE(plataformaRecursos, 0u);
    EXPECT_EQ(log,
              "PLATAFORMA - Iniciando m\xF3" "dulo de plataforma\n"
              "PLATAFORMA - Tentando ler arquivo:\n"
              "PLATAFORMA - recursos.dad\n"
              "PLATAFORMA - Arquivo aberto com sucesso\n"
              "ARQUIVO - Abrindo arquivo encriptado para leitura\n"
              "ARQUIVO - Arquivo encriptado aberto para leitura com sucesso\n"
              "ARQUIVO - Abrindo arquivo compactado para leitura\n"
              "ARQUIVO - Arquivo compactado aberto para leitura com sucesso\n"
              "PLATAFORMA - M\xF3" "dulo de plataforma iniciado com sucesso\n"
              "PLATAFORMA - um valor; Valor: 42\n"
              "PLATAFORMA - sem valor\n");

    PLATAFORMA_liberarRecursos();
    testing::internal::CaptureStderr();
    EXPECT_EQ(plataforma_iniciar('N'), nullptr);
    EXPECT_EQ(PLATAFORMA_logar("um valor", 42), 1);
    Recurso* r = plataforma_pegarRecurso("texto.txt");
    EXPECT_EQ(r->getSize(), 3);
    delete r;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Plataforma, RecursosPorNomeComoStreamDoSFML)
{
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, entradas, PLATAFORMA_CHAVE);
    ASSERT_EQ(plataforma_iniciar('N'), nullptr);
    ASSERT_NE(plataformaRecursos, 0u);

    Recurso* r = plataforma_pegarRecurso("fundo azul.PNG");
    const Bytes& fundo = entradas[0].bytes;
    const sf::Int64 tamanho = (sf::Int64)fundo.size();
    EXPECT_EQ(r->getSize(), tamanho);
    EXPECT_EQ(lerTudo(*r), fundo);
    unsigned char b[4];
    EXPECT_EQ(r->read(b, 4), 0);
    EXPECT_EQ(r->tell(), tamanho);

    // A seek to exactly the size lands there (the sound decoder finds a
    // file's length that way); reads then return nothing.
    r->seek(10);
    EXPECT_EQ(r->seek(tamanho), tamanho);
    EXPECT_EQ(r->tell(), tamanho);
    EXPECT_EQ(r->read(b, 4), 0);
    EXPECT_EQ(r->seek(tamanho - 1), tamanho - 1);
    ASSERT_EQ(r->read(b, 1), 1);
    EXPECT_EQ(b[0], fundo.back());
    // Positions it cannot reach are errors, and the position stays.
    r->seek(5);
    EXPECT_EQ(r->seek(-1), -1);
    EXPECT_EQ(r->seek(tamanho + 1), -1);
    EXPECT_EQ(r->tell(), 5);
    EXPECT_EQ(r->read(b, 0), 0);
    EXPECT_EQ(r->read(b, -3), 0);
    EXPECT_EQ(r->tell(), 5);
    delete r;

    Recurso* vazio = plataforma_pegarRecurso("vazio");
    EXPECT_NE(vazio->origem, nullptr);
    EXPECT_EQ(vazio->getSize(), 0);
    EXPECT_EQ(vazio->read(b, 4), 0);
    delete vazio;

    Recurso* falta = plataforma_pegarRecurso("nao existe.png");
    EXPECT_EQ(falta->origem, nullptr);
    EXPECT_EQ(falta->getSize(), 0);
    EXPECT_EQ(falta->read(b, 4), 0);
    EXPECT_EQ(falta->tell(), 0);
    EXPECT_EQ(falta->seek(3), 0);
    delete falta;
}

TEST_F(Plataforma, DoisStreamsEmThreadsDiferentes)
{
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, entradas, PLATAFORMA_CHAVE);
    ASSERT_EQ(plataforma_iniciar('N'), nullptr);
    Recurso* principal = plataforma_pegarRecurso("Fundo Azul.png");
    Recurso* outro = plataforma_pegarRecurso("Fundo Azul.png");
    Bytes lidoNoOutro;
    std::thread t([&] {
        outro->seek(50000);
        lidoNoOutro = lerTudo(*outro);
    });
    Bytes lidoAqui = lerTudo(*principal);
    t.join();
    EXPECT_EQ(lidoAqui, entradas[0].bytes);
    EXPECT_EQ(lidoNoOutro, Bytes(entradas[0].bytes.begin() + 50000, entradas[0].bytes.end()));
    delete outro;
    delete principal;
}

// The bytes through the encrypted layer alone, or through it and the
// container, under the archive key.
void escreverCamadas(const char* caminho, const Bytes& bytes, bool comConteiner)
{
    _arquivo* a = arquivo_criarAES(plataforma_criarArquivo(caminho), (const unsigned char*)PLATAFORMA_CHAVE);
    if (comConteiner) a = arquivo_criarXZ(a);
    a->escrever(a, bytes.data(), (uint32_t)bytes.size());
    EXPECT_EQ(a->fechar(a), nullptr);
}

TEST_F(Plataforma, ArquivoQueUmaCamadaRecusaDeixaTudoVazio)
{
    escreverArquivo("outra.dad", entradas, "outra chave 1234");
    // A container of 3 bytes: too short for even one table entry.
    escreverCamadas("conteiner.dad", Bytes{1, 2, 3}, false);
    // A stream whose directory offset points at its own last bytes.
    escreverCamadas("diretorio.dad", Bytes{'a', 'b', 'c', 3, 0, 0, 0, 1, 'x', 5, 0, 0, 0}, true);
    const struct {
        const char* nome;
        const char* camada;
    } casos[] = {
        {"outra.dad", "ARQUIVO - Erro ao abrir arquivo encriptado para leitura\n"},
        {"conteiner.dad", "ARQUIVO - Erro ao abrir arquivo compactado para leitura\n"},
        {"diretorio.dad", "ARQUIVO - Erro ao ler diret\xF3rio de arquivos\n"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_EQ(rename(c.nome, PLATAFORMA_ARQUIVO_RECURSOS), 0);
        arquivoLog = 'S';
        testing::internal::CaptureStderr();
        EXPECT_EQ(plataforma_iniciar('S'), nullptr);
        std::string log = testing::internal::GetCapturedStderr();
        arquivoLog = 'N';
        EXPECT_NE(log.find(c.camada), std::string::npos) << log;
        EXPECT_EQ(plataformaRecursos, 0u);
        for (const Entrada& e : entradas) {
            Recurso* r = plataforma_pegarRecurso(e.nome.c_str());
            EXPECT_EQ(r->getSize(), 0);
            delete r;
        }
    }
}

TEST_F(Plataforma, OggPeloStreamContaAmostrasESalta)
{
    const unsigned int taxa = 22050, segundos = 3;
    std::vector<sf::Int16> amostras(taxa * segundos);
    for (size_t i = 0; i < amostras.size(); i++)
        amostras[i] = (sf::Int16)(8000 * std::sin(i * 2 * M_PI * (220.0 + i / 200.0) / taxa));
    Bytes ogg = emOgg("tom.ogg", amostras, taxa, 1);
    ASSERT_FALSE(ogg.empty());
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, {{"Musica.ogg", ogg}, {"depois", aleatorios(3000, 2)}},
                    PLATAFORMA_CHAVE);
    ASSERT_EQ(plataforma_iniciar('N'), nullptr);

    Recurso* r = plataforma_pegarRecurso("Musica.ogg");
    sf::InputSoundFile pelaCadeia, doDisco;
    ASSERT_TRUE(pelaCadeia.openFromStream(*r));
    ASSERT_TRUE(doDisco.openFromFile(pasta + "/tom.ogg"));
    EXPECT_EQ(pelaCadeia.getSampleCount(), amostras.size());
    EXPECT_EQ(pelaCadeia.getSampleRate(), taxa);
    EXPECT_EQ(pelaCadeia.getChannelCount(), 1u);

    pelaCadeia.seek(sf::seconds(2));
    doDisco.seek(sf::seconds(2));
    std::vector<sf::Int16> a(taxa / 2), b(taxa / 2);
    ASSERT_EQ(pelaCadeia.read(a.data(), a.size()), a.size());
    ASSERT_EQ(doDisco.read(b.data(), b.size()), b.size());
    EXPECT_EQ(a, b);
    // And it is the signal that was written at 2 s, give or take the codec.
    double erro = 0;
    for (size_t i = 0; i < a.size(); i++) erro += std::abs(a[i] - amostras[2 * taxa + i]);
    EXPECT_LT(erro / a.size(), 400.0);
    delete r;
}

// Flips one bit of slot k's block header in the archive file, so that the
// slot no longer decodes (the encrypted layer keeps offsets).
void danificarFatia(const char* caminho, uint32_t k)
{
    FILE* f = fopen(caminho, "r+b");
    ASSERT_NE(f, nullptr);
    long posicao = (long)k * 65536 + 2;
    ASSERT_EQ(fseek(f, posicao, SEEK_SET), 0);
    int c = fgetc(f);
    ASSERT_NE(c, EOF);
    ASSERT_EQ(fseek(f, posicao, SEEK_SET), 0);
    ASSERT_NE(fputc(c ^ 0x08, f), EOF);
    ASSERT_EQ(fclose(f), 0);
}

// A read that meets a slot that cannot be decoded ends the stream there: it
// returns what came before, and the stream then stands at its end (reads 0,
// position at the size), so that no reader waits for bytes that never come.
TEST_F(Plataforma, FatiaDanificadaTerminaOStream)
{
    const Bytes grande = aleatorios(300000, 3);
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, {{"grande", grande}}, PLATAFORMA_CHAVE);
    danificarFatia(PLATAFORMA_ARQUIVO_RECURSOS, 2);
    ASSERT_EQ(plataforma_iniciar('N'), nullptr);
    Recurso* r = plataforma_pegarRecurso("grande");
    const sf::Int64 tamanho = (sf::Int64)grande.size();
    ASSERT_EQ(r->getSize(), tamanho);

    // Read in pieces: every read gives bytes or leaves the stream at its end.
    Bytes lido;
    unsigned char b[10000];
    for (;;) {
        sf::Int64 n = r->read(b, sizeof b);
        if (n <= 0) break;
        lido.insert(lido.end(), b, b + n);
    }
    EXPECT_EQ(r->tell(), tamanho);
    EXPECT_EQ(r->read(b, sizeof b), 0);
    // Two whole slots came through, and they are the entry's bytes.
    ASSERT_GT(lido.size(), 2 * 60000u);
    ASSERT_LT(lido.size(), grande.size());
    EXPECT_TRUE(std::equal(lido.begin(), lido.end(), grande.begin()));
    const sf::Int64 falha = (sf::Int64)lido.size();

    // A seek brings it back; into the damaged slot it cannot go.
    EXPECT_EQ(r->seek(5), 5);
    EXPECT_EQ(r->tell(), 5);
    ASSERT_EQ(r->read(b, 3), 3);
    EXPECT_TRUE(std::equal(b, b + 3, grande.begin() + 5));
    EXPECT_EQ(r->seek(falha + 100), -1);
    EXPECT_EQ(r->tell(), 8);
    // One read across the damage: the bytes before it, then the end.
    ASSERT_EQ(r->seek(falha - 4), falha - 4);
    EXPECT_EQ(r->read(b, 10), 4);
    EXPECT_EQ(r->tell(), tamanho);
    EXPECT_EQ(r->read(b, 10), 0);
    // Past the damaged slot the entry reads to its end again.
    ASSERT_EQ(r->seek(tamanho - 1000), tamanho - 1000);
    Bytes fim = lerTudo(*r);
    EXPECT_EQ(fim, Bytes(grande.end() - 1000, grande.end()));
    delete r;
}

// The sound decoder over music with a damaged slot some 10 KB after its
// start, within what the media library's readers look at when they try the
// file (one of them used to wait there for ever for the end): opening ends,
// and when it succeeds the music reads up to the damage and stops.
TEST_F(Plataforma, MusicaComFatiaDanificadaAbreEPara)
{
    const unsigned int taxa = 44100, segundos = 16;
    std::vector<sf::Int16> amostras(2 * taxa * segundos);
    std::mt19937 g(7);
    for (sf::Int16& a : amostras) a = (sf::Int16)((int)(g() % 16001) - 8000);
    Bytes ogg = emOgg("ruido.ogg", amostras, taxa, 2);
    ASSERT_GT(ogg.size(), 2 * 65536u);
    escreverArquivo(PLATAFORMA_ARQUIVO_RECURSOS, {{"antes", aleatorios(55000, 4)}, {"Musica.ogg", ogg}},
                    PLATAFORMA_CHAVE);
    danificarFatia(PLATAFORMA_ARQUIVO_RECURSOS, 1);
    ASSERT_EQ(plataforma_iniciar('N'), nullptr);

    Recurso* r = plataforma_pegarRecurso("Musica.ogg");
    sf::InputSoundFile musica;
    if (musica.openFromStream(*r)) {
        std::vector<sf::Int16> lidas(2 * taxa);
        sf::Uint64 total = 0, n;
        while ((n = musica.read(lidas.data(), lidas.size())) > 0) total += n;
        EXPECT_GT(total, 0u);
        EXPECT_LT(total, (sf::Uint64)amostras.size());
    }
    delete r;
}

TEST_F(Plataforma, AreaDeTransferencia)
{
    const char* tela = getenv("DISPLAY");
    if (!tela || !*tela) GTEST_SKIP() << "needs a display (run under xvfb-run)";
    EXPECT_EQ(plataforma_copiarTexto("Ol\xC3\xA1, Morvalen"), 0);
    char* texto = plataforma_pegarTextoCopiado();
    ASSERT_NE(texto, nullptr);
    EXPECT_STREQ(texto, "Ol\xC3\xA1, Morvalen");
    free(texto);  // always the caller's
}

// In a fresh process: no display gives the empty text, not the end of the
// program.
TEST(PlataformaMorte, AreaDeTransferenciaSemTela)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("DISPLAY", ":9999", 1);  // a display nobody serves
            char* semServidor = plataforma_pegarTextoCopiado();
            plataforma_copiarTexto("x");
            bool vazio = semServidor && !*semServidor;
            free(semServidor);
            exit(vazio ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            char* semTela = plataforma_pegarTextoCopiado();
            bool vazio = semTela && !*semTela;
            free(semTela);
            exit(vazio ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
