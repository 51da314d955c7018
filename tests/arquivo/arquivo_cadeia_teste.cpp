#include <gtest/gtest.h>

#include "arquivo/arquivo_interno.h"
#include "arquivo_apoio.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"

namespace {

class Cadeia : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        arquivo_iniciar('N');
    }
    // Written with a fixed seed, so the damaged copies below are always the
    // same bytes.
    Bytes empacotar(const std::vector<ArquivoNomeado>& arquivos)
    {
        engine_semearAleatorio(12345);
        testing::internal::CaptureStdout();
        Bytes b = apoio_empacotar(arquivos, APOIO_CHAVE);
        testing::internal::GetCapturedStdout();
        return b;
    }
};

TEST_F(Cadeia, ArquivoGravadoELidoPorTodasAsCamadas)
{
    std::vector<ArquivoNomeado> arquivos = {
        {"Musica Tema.ogg", apoio_aleatorios(150000, 1)},
        {"texto.txt", apoio_compressiveis(300000, 2)},
        {"vazio", {}},
        {"Misto.bin", apoio_misturados(200000, 3)},
    };
    // Entries on either side of a block and of a 64 KiB chunk.
    for (uint32_t n : {1u, 15u, 16u, 17u, 65535u, 65536u, 65537u, 131077u})
        arquivos.push_back({"de " + std::to_string(n) + " bytes", apoio_misturados(n, n)});
    Memoria m = memoria_nova(empacotar(arquivos));
    uint32_t t = apoio_abrirTabela(m, APOIO_CHAVE);
    ASSERT_NE(t, 0u);
    for (const ArquivoNomeado& a : arquivos) {
        SCOPED_TRACE(a.nome);
        for (uint32_t pedaco : {1u, 5u, 1u << 20}) {
            _arquivo* h = arquivo_lerArquivo(t, a.nome.c_str());
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(h->tamanho(h), a.bytes.size());
            EXPECT_EQ(apoio_lerTudo(h, pedaco), a.bytes) << pedaco;
            h->fechar(h);
        }
    }
    // Around every slot boundary of the container and every 64 KiB chunk of
    // the encrypted layer, in the entry's own positions.
    _engine_parIndice* par = (_engine_parIndice*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_ARQUIVO, t, 1);
    const _arquivo_xz* xz = (const _arquivo_xz*)((_arquivo_item*)par->valor)->base->contexto;
    std::vector<uint32_t> limites(xz->fins, xz->fins + xz->nBlocos);
    ASSERT_GE(limites.size(), 3u);
    for (uint32_t k = 1; k < 12; k++) limites.push_back(k * 65536);
    uint32_t inicio = 0;
    for (const ArquivoNomeado& a : arquivos) {
        _arquivo* h = arquivo_lerArquivo(t, a.nome.c_str());
        for (uint32_t limite : limites)
            for (uint32_t alvo : {limite - 1, limite, limite + 1}) {
                if (alvo < inicio || alvo - inicio >= a.bytes.size()) continue;
                uint32_t p = alvo - inicio;
                h->irPara(h, p == 0 ? (uint32_t)a.bytes.size() - 1 : 0);
                h->irPara(h, p);
                unsigned char b[8];
                uint32_t n = h->ler(h, b, 8);
                ASSERT_EQ(Bytes(b, b + n), Bytes(a.bytes.begin() + p, a.bytes.begin() + p + n)) << a.nome << " " << p;
                EXPECT_EQ(n, std::min<size_t>(8, a.bytes.size() - p));
            }
        h->fechar(h);
        inicio += (uint32_t)a.bytes.size();
    }
    std::string falha;
    EXPECT_TRUE(apoio_exercitar(t, &falha)) << falha;
    ARQUIVO_liberarArquivos(t);
}

TEST_F(Cadeia, MesmasEntradasDaoOMesmoArquivo)
{
    std::vector<ArquivoNomeado> arquivos = {{"a", apoio_aleatorios(5000, 1)}, {"b", apoio_compressiveis(5000, 2)}};
    EXPECT_EQ(empacotar(arquivos), empacotar(arquivos));
}

// Cuts the bytes of one layer at every position and flips bits of every
// byte from trocarDesde on, wraps each damaged copy in the layers above it,
// and reads it through the whole chain: it is refused, or it reads
// consistently and never past what it holds. Returns how many damaged copies
// opened.
int varrer(const Bytes& camada, Bytes (*embrulhar)(const Bytes&), size_t trocarDesde = 0)
{
    int abertos = 0;
    for (size_t posicao = 0; posicao < camada.size(); posicao++) {
        std::vector<Bytes> copias = {Bytes(camada.begin(), camada.begin() + posicao)};
        for (unsigned char mascara : {0x01, 0x80, 0xFF}) {
            if (posicao < trocarDesde) break;
            copias.push_back(camada);
            copias.back()[posicao] ^= mascara;
        }
        for (const Bytes& c : copias) {
            Memoria m = memoria_nova(embrulhar(c));
            uint32_t t = apoio_abrirTabela(m, APOIO_CHAVE);
            if (!t) continue;
            abertos++;
            std::string falha;
            EXPECT_TRUE(apoio_exercitar(t, &falha)) << "position " << posicao << ": " << falha;
            ARQUIVO_liberarArquivos(t);
        }
    }
    return abertos;
}

Bytes nada(const Bytes& b)
{
    return b;
}

Bytes cifrar(const Bytes& b)
{
    return apoio_cifrar(b, APOIO_CHAVE);
}

Bytes guardarECifrar(const Bytes& b)
{
    return apoio_cifrar(apoio_conteiner({b}, 0, false), APOIO_CHAVE);
}

TEST_F(Cadeia, CortesEBytesTrocadosEmTodaPosicaoDeCadaCamada)
{
    const Bytes arquivo = empacotar({
        {"logo.png", apoio_aleatorios(300, 1)},
        {"Pumpkin.otf", apoio_compressiveis(1500, 2)},
        {"vazio", {}},
        {"som.ogg", apoio_misturados(400, 3)},
    });
    // The layers as they lie inside one another.
    Memoria m = memoria_nova(arquivo);
    _arquivo* aes = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
    ASSERT_NE(aes, nullptr);
    const Bytes conteiner = apoio_lerTudo(aes, 4096);
    _arquivo* xz = arquivo_lerXZ(aes);
    ASSERT_NE(xz, nullptr);
    const Bytes fluxo = apoio_lerTudo(xz, 4096);
    xz->fechar(xz);
    uint32_t t = apoio_abrirTabela(memoria_nova(guardarECifrar(fluxo)), APOIO_CHAVE);
    uint32_t entradas = 0;
    std::string falha;
    EXPECT_TRUE(apoio_exercitar(t, &falha, &entradas)) << falha;
    EXPECT_EQ(entradas, 4u);
    ARQUIVO_liberarArquivos(t);

    // The cipher spreads any damage over a whole block, which its own check,
    // the container or the directory then refuses.
    EXPECT_EQ(varrer(arquivo, nada), 0);
    varrer(conteiner, cifrar);
    // Damage to the stream itself passes the layers above. The files' own
    // bytes carry no check, so only the directory's bytes are flipped; the
    // damaged directories that still open must read consistently.
    EXPECT_GT(varrer(fluxo, guardarECifrar, ARQUIVO_lerU32(fluxo.data() + fluxo.size() - 4)), 0);
}

}  // namespace
