#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

#include "arquivo/AES.h"
#include "arquivo/arquivo_interno.h"
#include "arquivo_apoio.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"

namespace {

class CamadaAES : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        arquivo_iniciar('N');
    }
};

// One block as the layer stores it (words read least significant byte first).
void cifrarComoACamada(unsigned char* bloco, const unsigned char* chave, bool cifrar)
{
    AES aes;
    aes.makeKey(chave, 16, AES::DIR_BOTH);
    unsigned int w[4];
    for (int i = 0; i < 4; i++) w[i] = ARQUIVO_lerU32(bloco + 4 * i);
    if (cifrar)
        aes.encrypt(w, w);
    else
        aes.decrypt(w, w);
    for (int i = 0; i < 4; i++) ARQUIVO_gravarU32(bloco + 4 * i, w[i]);
}

TEST_F(CamadaAES, TamanhosGravadosELidosDeVolta)
{
    const struct {
        size_t plano, cifrado;
    } casos[] = {{0, 16},         {1, 16},         {15, 16},        {16, 32},          {17, 32},
                  {65535, 65536}, {65536, 65552}, {65537, 65552}, {131077, 131088}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.plano);
        Bytes plano = apoio_aleatorios(c.plano, (uint32_t)c.plano);
        Memoria m = memoria_nova(apoio_cifrar(plano, APOIO_CHAVE));
        EXPECT_EQ(m->bytes.size(), c.cifrado);
        _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->tamanho(a), c.plano);
        EXPECT_EQ(apoio_lerTudo(a, 65536), plano);
        EXPECT_EQ(a->posicao(a), c.plano);
        a->fechar(a);
    }
}

TEST_F(CamadaAES, ExemploDoPadraoNaOrdemDaCamada)
{
    // The FIPS-197 AES-128 example: a stored block holding its plaintext
    // with each group of four bytes reversed enciphers to its ciphertext
    // reversed the same way.
    const unsigned char chave[16] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                     0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f};
    const Bytes plano = {0x33, 0x22, 0x11, 0x00, 0x77, 0x66, 0x55, 0x44,
                         0xbb, 0xaa, 0x99, 0x88, 0xff, 0xee, 0xdd, 0xcc};
    const Bytes cifrado = {0xd8, 0xe0, 0xc4, 0x69, 0x30, 0x04, 0x7b, 0x6a,
                           0x80, 0xb7, 0xcd, 0xd8, 0x5a, 0xc5, 0xb4, 0x70};
    Memoria m = memoria_nova(apoio_cifrar(plano, chave));
    ASSERT_EQ(m->bytes.size(), 32u);
    EXPECT_EQ(Bytes(m->bytes.begin(), m->bytes.begin() + 16), cifrado);
    _arquivo* a = arquivo_lerAES(memoria_ler(m), chave);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(apoio_lerTudo(a, 16), plano);
    a->fechar(a);
}

TEST_F(CamadaAES, UltimoBlocoCom15BytesNaoTemEnchimento)
{
    // Any 15 bytes with 15 in byte 15 open, whatever the generator would draw.
    unsigned char bloco[16];
    for (int i = 0; i < 15; i++) bloco[i] = (unsigned char)(0xA0 + i);
    bloco[15] = 15;
    cifrarComoACamada(bloco, APOIO_CHAVE, true);
    Memoria m = memoria_nova(Bytes(bloco, bloco + 16));
    _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
    ASSERT_NE(a, nullptr);
    Bytes lido = apoio_lerTudo(a, 100);
    ASSERT_EQ(lido.size(), 15u);
    EXPECT_EQ(lido[0], 0xA0);
    EXPECT_EQ(lido[14], 0xAE);
    a->fechar(a);
}

TEST_F(CamadaAES, PedacosDe1E5ETudoAtravesDosTrechos)
{
    Bytes plano = apoio_aleatorios(131077, 7);
    Memoria m = memoria_nova(apoio_cifrar(plano, APOIO_CHAVE));
    for (uint32_t pedaco : {1u, 5u, 131077u}) {
        SCOPED_TRACE(pedaco);
        _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(apoio_lerTudo(a, pedaco), plano);
        a->fechar(a);
    }
    // A first read in the middle of a chunk, running on into the next chunk,
    // which then starts at a block boundary rather than at 65,536.
    for (uint32_t inicio : {70001u, 65535u, 131060u}) {
        SCOPED_TRACE(inicio);
        _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
        a->irPara(a, inicio);
        EXPECT_EQ(a->posicao(a), inicio);
        EXPECT_EQ(apoio_lerTudo(a, 5), Bytes(plano.begin() + inicio, plano.end()));
        a->fechar(a);
    }
}

TEST_F(CamadaAES, IrParaDentroEForaDoTamanho)
{
    Bytes plano = apoio_aleatorios(20, 3);
    Memoria m = memoria_nova(apoio_cifrar(plano, APOIO_CHAVE));  // E = 32
    _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
    unsigned char b[20];
    ASSERT_EQ(a->ler(a, b, 10), 10u);
    a->irPara(a, 32);  // at E: ignored
    EXPECT_EQ(a->posicao(a), 10u);
    a->irPara(a, 25);  // between the plain size and E: accepted, nothing to read
    EXPECT_EQ(a->posicao(a), 25u);
    EXPECT_EQ(a->ler(a, b, 5), 0u);
    // Back into the part already deciphered: the same plain bytes again.
    a->irPara(a, 3);
    ASSERT_EQ(a->ler(a, b, 17), 17u);
    EXPECT_EQ(Bytes(b, b + 17), Bytes(plano.begin() + 3, plano.end()));
    a->fechar(a);
}

TEST_F(CamadaAES, CriarAbreUmLeitorIndependenteQueConfereDeNovo)
{
    Bytes plano = apoio_aleatorios(1000, 4);
    Memoria m = memoria_nova(apoio_cifrar(plano, APOIO_CHAVE));
    _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
    unsigned char b[100];
    a->ler(a, b, 100);
    _arquivo* c = a->criar(a);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->posicao(c), 0u);
    EXPECT_EQ(apoio_lerTudo(c, 7), plano);
    EXPECT_EQ(a->posicao(a), 100u);
    // The copy checks the last block again: spoiled now, it fails.
    m->bytes[m->bytes.size() - 3] ^= 1;
    EXPECT_EQ(a->criar(a), nullptr);
    c->fechar(c);
    a->fechar(a);
}

TEST_F(CamadaAES, ChaveErradaQuaseSempreRecusadaEGeradorResemeado)
{
    Memoria m = memoria_nova(apoio_cifrar(apoio_aleatorios(3, 5), APOIO_CHAVE));
    int abertos = 0;
    for (uint32_t i = 0; i < 300; i++) {
        Bytes chave = apoio_aleatorios(16, 1000 + i);
        engine_semearAleatorio(7);
        uint32_t antes = (uint32_t)time(nullptr);
        _arquivo* base = memoria_ler(m);
        _arquivo* a = arquivo_lerAES(base, chave.data());
        uint32_t depois = (uint32_t)time(nullptr);
        int32_t sorteio = engine_sortearAleatorio();
        if (a) {
            abertos++;
            a->fechar(a);
        } else {
            base->fechar(base);  // a refused base stays the caller's
        }
        // Unless byte 15 already ruled the block out, the filler comparison
        // ran and the generator now runs from the time, not from the 7.
        unsigned char ultimo[16];
        memcpy(ultimo, m->bytes.data(), 16);
        cifrarComoACamada(ultimo, chave.data(), false);
        bool doTempo = false;
        for (uint32_t t = antes; t <= depois; t++) {
            _engine_gerador g;
            engine_gerador_semear(&g, t);
            doTempo = doTempo || engine_gerador_sortear(&g) == sorteio;
        }
        _engine_gerador sete;
        engine_gerador_semear(&sete, 7);
        if (ultimo[15] <= 15)
            EXPECT_TRUE(doTempo);
        else
            EXPECT_EQ(engine_gerador_sortear(&sete), sorteio);
    }
    // A wrong key passes only when its noise says 15 in byte 15 (1 in 256)
    // or matches the filler.
    EXPECT_LT(abertos, 10);
}

TEST_F(CamadaAES, ArquivosDanificadosSaoRecusados)
{
    Bytes bom = apoio_cifrar(apoio_aleatorios(40, 6), APOIO_CHAVE);  // 48 bytes
    Bytes enchimentoErrado = bom;
    {
        unsigned char* ultimo = enchimentoErrado.data() + 32;
        cifrarComoACamada(ultimo, APOIO_CHAVE, false);
        ultimo[14] ^= 0x40;
        cifrarComoACamada(ultimo, APOIO_CHAVE, true);
    }
    Bytes nAcimaDe15 = bom;
    {
        unsigned char* ultimo = nAcimaDe15.data() + 32;
        cifrarComoACamada(ultimo, APOIO_CHAVE, false);
        ultimo[15] = 16;
        cifrarComoACamada(ultimo, APOIO_CHAVE, true);
    }
    const struct {
        const char* nome;
        Bytes bytes;
        uint32_t anunciado;
    } casos[] = {
        {"empty", {}, UINT32_MAX},
        {"shorter than a block", Bytes(bom.begin(), bom.begin() + 8), UINT32_MAX},
        {"not a multiple of 16", Bytes(bom.begin(), bom.begin() + 40), UINT32_MAX},
        {"last block cut short", Bytes(bom.begin(), bom.begin() + 40), 48},
        {"filler differs", enchimentoErrado, UINT32_MAX},
        {"count above 15", nAcimaDe15, UINT32_MAX},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Memoria m = memoria_nova(c.bytes);
        m->tamanhoAnunciado = c.anunciado;
        _arquivo* base = memoria_ler(m);
        EXPECT_EQ(arquivo_lerAES(base, APOIO_CHAVE), nullptr);
        EXPECT_EQ(base->tamanho(base), c.anunciado == UINT32_MAX ? c.bytes.size() : c.anunciado);
        base->fechar(base);
    }
    EXPECT_EQ(arquivo_lerAES(nullptr, APOIO_CHAVE), nullptr);
    EXPECT_EQ(arquivo_criarAES(nullptr, APOIO_CHAVE), nullptr);
}

TEST_F(CamadaAES, LeituraCurtaEmbaixoNaoEntregaBytesNaoLidos)
{
    Bytes plano = apoio_aleatorios(200000, 8);
    Memoria m = memoria_nova(apoio_cifrar(plano, APOIO_CHAVE));
    _arquivo* a = arquivo_lerAES(memoria_ler(m), APOIO_CHAVE);
    ASSERT_NE(a, nullptr);
    m->bytes.resize(100007);  // the file cut after opening, inside a block of the second chunk
    Bytes lido = apoio_lerTudo(a, 4096);
    EXPECT_EQ(lido.size(), 100000u);
    EXPECT_EQ(lido, Bytes(plano.begin(), plano.begin() + 100000));
    a->fechar(a);
}

TEST_F(CamadaAES, EscritaCurtaEmbaixoFazOFechamentoFalhar)
{
    for (uint32_t limite : {0u, 100u, 65536u, 70000u}) {
        SCOPED_TRACE(limite);
        Memoria m = memoria_nova();
        m->limiteEscrita = limite;
        _arquivo* a = arquivo_criarAES(memoria_escrever(m), APOIO_CHAVE);
        Bytes dados = apoio_aleatorios(100000, 9);
        uint32_t aceitos = a->escrever(a, dados.data(), (uint32_t)dados.size());
        EXPECT_EQ(aceitos == dados.size(), limite >= 65536u);
        EXPECT_NE(a->fechar(a), nullptr);
    }
}

}  // namespace
