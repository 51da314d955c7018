#include <gtest/gtest.h>

#include <cstring>

#include "arquivo/arquivo_interno.h"
#include "arquivo_apoio.h"
#include "engine/engine.h"

namespace {

class Conteiner : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        arquivo_iniciar('N');
    }
};

_arquivo* abrir(const Memoria& m)
{
    return arquivo_lerXZ(memoria_ler(m));
}

const _arquivo_xz* estado(_arquivo* a)
{
    return (const _arquivo_xz*)a->contexto;
}

TEST_F(Conteiner, GravadoELidoDeVoltaEmVariosTamanhos)
{
    for (size_t n : {0u, 1u, 15u, 16u, 17u, 65535u, 65536u, 65537u, 131077u}) {
        SCOPED_TRACE(n);
        Bytes dados = apoio_aleatorios(n, (uint32_t)n);
        Memoria m = memoria_nova(apoio_compactar(dados));
        // Every slot but the last is full, and n follows from the length.
        size_t l = m->bytes.size();
        uint32_t fatias = (uint32_t)((l + ARQUIVO_XZ_FATIA_E_FIM - 1) / ARQUIVO_XZ_FATIA_E_FIM);
        EXPECT_EQ(ARQUIVO_lerU32(m->bytes.data() + l - 4), n);
        _arquivo* a = abrir(m);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(estado(a)->nBlocos, fatias);
        EXPECT_EQ(a->tamanho(a), n);
        EXPECT_EQ(a->posicao(a), 0u);
        EXPECT_EQ(apoio_lerTudo(a, 5), dados);
        EXPECT_EQ(a->posicao(a), n);
        a->fechar(a);
    }
}

TEST_F(Conteiner, VariasFatiasDeCadaTipoEmPedacosEPorSaltos)
{
    const struct {
        const char* nome;
        Bytes dados;
    } casos[] = {
        {"incompressible", apoio_aleatorios(200000, 1)},
        {"highly compressible", apoio_compressiveis(800000, 2)},
        {"mixed", apoio_misturados(400000, 3)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Memoria m = memoria_nova(apoio_compactar(c.dados));
        _arquivo* a = abrir(m);
        ASSERT_NE(a, nullptr);
        ASSERT_GE(estado(a)->nBlocos, 2u);
        for (uint32_t pedaco : {1u, 5u, (uint32_t)c.dados.size()}) {
            a->irPara(a, 0);
            EXPECT_EQ(apoio_lerTudo(a, pedaco), c.dados) << pedaco;
        }
        // Around every slot boundary, from far away each time.
        std::vector<uint32_t> fins(estado(a)->fins, estado(a)->fins + estado(a)->nBlocos);
        for (uint32_t fim : fins) {
            for (uint32_t alvo : {fim - 1, fim, fim + 1}) {
                if (alvo >= c.dados.size()) continue;
                a->irPara(a, alvo < 100 ? (uint32_t)c.dados.size() - 1 : 0);
                a->irPara(a, alvo);
                ASSERT_EQ(a->posicao(a), alvo);
                unsigned char b[10];
                uint32_t k = a->ler(a, b, 10);
                ASSERT_EQ(Bytes(b, b + k), Bytes(c.dados.begin() + alvo, c.dados.begin() + alvo + k));
                EXPECT_EQ(k, std::min<size_t>(10, c.dados.size() - alvo));
            }
        }
        a->fechar(a);
    }
}

TEST_F(Conteiner, SaltosDecodificamSoAFatiaDoAlvo)
{
    Bytes a1(100, 'a'), a2(200, 'b'), a3(300, 'c');
    Memoria m = memoria_nova(apoio_conteiner({a1, a2, a3}));
    _arquivo* a = abrir(m);
    unsigned char b;
    a->irPara(a, 150);  // slot 1
    uint32_t leituras = m->leituras;
    a->irPara(a, 299);  // inside the block in hand: nothing read
    EXPECT_EQ(m->leituras, leituras);
    EXPECT_EQ(a->posicao(a), 299u);
    a->irPara(a, 599);  // the last slot while another is in hand: one slot read
    EXPECT_EQ(m->leituras, leituras + 1);
    ASSERT_EQ(a->ler(a, &b, 1), 1u);
    EXPECT_EQ(b, 'c');
    a->irPara(a, 600);  // exactly the size: ignored
    EXPECT_EQ(a->posicao(a), 600u);
    a->irPara(a, 5000);
    EXPECT_EQ(a->posicao(a), 600u);
    EXPECT_EQ(a->ler(a, &b, 1), 0u);
    a->fechar(a);
}

TEST_F(Conteiner, ComprimentoDaUltimaFatia)
{
    // A last slot of exactly 65,536 bytes: L is a multiple of 65,540.
    Bytes um = apoio_aleatorios(1000, 1), dois = apoio_aleatorios(2000, 2);
    Memoria cheia = memoria_nova(apoio_conteiner({um, dois}, ARQUIVO_XZ_FATIA));
    ASSERT_EQ(cheia->bytes.size(), 2u * ARQUIVO_XZ_FATIA_E_FIM);
    _arquivo* a = abrir(cheia);
    ASSERT_NE(a, nullptr);
    Bytes tudo = um;
    tudo.insert(tudo.end(), dois.begin(), dois.end());
    EXPECT_EQ(apoio_lerTudo(a, 777), tudo);
    a->fechar(a);

    // A last slot of 1 byte: the table is still found, and that slot, too
    // short for its Block Header, stops the read where it begins.
    Bytes c = apoio_conteiner({um, dois});
    Bytes curta(c.begin(), c.begin() + ARQUIVO_XZ_FATIA + 1);
    curta.insert(curta.end(), c.end() - 8, c.end());
    Memoria m = memoria_nova(curta);
    a = abrir(m);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->tamanho(a), 3000u);
    EXPECT_EQ(apoio_lerTudo(a, 4096), um);
    a->fechar(a);
}

TEST_F(Conteiner, TabelaDanificadaRecusaAAbertura)
{
    Bytes bom = apoio_conteiner({Bytes(100, 'x'), Bytes(100, 'y')});
    Bytes decrescente = bom;
    ARQUIVO_gravarU32(decrescente.data() + decrescente.size() - 4, 50);
    Bytes grandeDemais = bom;
    ARQUIVO_gravarU32(grandeDemais.data() + grandeDemais.size() - 4, 100 + ARQUIVO_XZ_BLOCO_MAXIMO + 1);
    const struct {
        const char* nome;
        Bytes bytes;
        uint32_t anunciado;
    } casos[] = {
        {"empty", {}, UINT32_MAX},
        {"1 byte", Bytes(1, 0), UINT32_MAX},
        {"4 bytes", Bytes(4, 0), UINT32_MAX},
        {"one slot and 1 byte", Bytes(ARQUIVO_XZ_FATIA_E_FIM + 1, 0), UINT32_MAX},
        {"one slot and 4 bytes", Bytes(ARQUIVO_XZ_FATIA_E_FIM + 4, 0), UINT32_MAX},
        {"decreasing table", decrescente, UINT32_MAX},
        {"a slot of more than a block's worth", grandeDemais, UINT32_MAX},
        {"table cut short", Bytes(bom.begin(), bom.end() - 3), (uint32_t)bom.size()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Memoria m = memoria_nova(c.bytes);
        m->tamanhoAnunciado = c.anunciado;
        _arquivo* base = memoria_ler(m);
        EXPECT_EQ(arquivo_lerXZ(base), nullptr);
        base->fechar(base);  // still the caller's
    }
    EXPECT_EQ(arquivo_lerXZ(nullptr), nullptr);
    EXPECT_EQ(arquivo_criarXZ(nullptr), nullptr);
}

TEST_F(Conteiner, FatiaDanificadaParaALeituraNoSeuInicio)
{
    Bytes um = apoio_aleatorios(3000, 5), dois = apoio_compressiveis(5000, 6), tres = apoio_aleatorios(100, 7);
    const Bytes bom = apoio_conteiner({um, dois, tres});
    const size_t tabela = bom.size() - 12;
    const size_t s1 = ARQUIVO_XZ_FATIA;  // slot 1 starts here

    Bytes semCabecalho = bom;
    semCabecalho[s1] = 0;  // the Index indicator, not a Block Header
    Bytes cabecalhoLongo = bom;
    cabecalhoLongo[s1] = 0xFF;  // 1,024 bytes: fits the slot but its check fails
    Bytes dadosCorrompidos = bom;
    for (size_t i = 40; i < 60; i++) dadosCorrompidos[s1 + i] ^= 0x5A;
    Bytes tamanhoMenor = bom;  // the table says slot 1 holds fewer bytes than its Block
    ARQUIVO_gravarU32(tamanhoMenor.data() + tabela + 4, 3000 + 4999);
    ARQUIVO_gravarU32(tamanhoMenor.data() + tabela + 8, 3000 + 4999 + 100);
    Bytes tamanhoMaior = bom;  // more
    ARQUIVO_gravarU32(tamanhoMaior.data() + tabela + 4, 3000 + 5001);
    ARQUIVO_gravarU32(tamanhoMaior.data() + tabela + 8, 3000 + 5001 + 100);

    const struct {
        const char* nome;
        Bytes bytes;
        size_t corte;  // cut the bytes to this length after opening (0: no cut)
    } casos[] = {
        {"no Block Header", semCabecalho, 0},
        {"header check fails", cabecalhoLongo, 0},
        {"corrupt data", dadosCorrompidos, 0},
        {"fewer bytes than the block holds", tamanhoMenor, 0},
        {"more bytes than the block holds", tamanhoMaior, 0},
        {"slot cut short after opening", bom, s1 + 100},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        Memoria m = memoria_nova(c.bytes);
        _arquivo* a = abrir(m);
        ASSERT_NE(a, nullptr);
        if (c.corte) m->bytes.resize(c.corte);
        EXPECT_EQ(apoio_lerTudo(a, 1000), um);
        EXPECT_EQ(a->posicao(a), 3000u);
        // The damaged slot cannot be reached; the slot after it can.
        a->irPara(a, 10);
        a->irPara(a, 3500);
        EXPECT_EQ(a->posicao(a), 10u);
        if (!c.corte) {
            uint32_t fim = a->tamanho(a);
            a->irPara(a, fim - 1);
            unsigned char b = 0;
            EXPECT_EQ(a->ler(a, &b, 1), 1u);
            EXPECT_EQ(b, tres.back());
        }
        a->fechar(a);
    }
}

TEST_F(Conteiner, EscritaCurtaEmbaixoFazOFechamentoFalhar)
{
    Bytes dados = apoio_aleatorios(150000, 11);
    for (uint32_t limite : {0u, 65536u, 131072u + 100u}) {
        SCOPED_TRACE(limite);
        Memoria m = memoria_nova();
        m->limiteEscrita = limite;
        _arquivo* a = arquivo_criarXZ(memoria_escrever(m));
        a->escrever(a, dados.data(), (uint32_t)dados.size());
        EXPECT_NE(a->fechar(a), nullptr);
    }
}

TEST_F(Conteiner, EscritorSemPendentesAoFecharAindaGravaATabela)
{
    // How many bytes a first slot takes of this data...
    Bytes dados = apoio_aleatorios(100000, 13);
    Memoria m = memoria_nova();
    _arquivo* a = arquivo_criarXZ(memoria_escrever(m));
    a->escrever(a, dados.data(), (uint32_t)dados.size());
    const uint32_t primeira = estado(a)->percorrido;
    ASSERT_GT(primeira, 0u);
    a->fechar(a);

    // ...so that a writer given exactly those bytes is left with none pending.
    dados.resize(primeira);
    a = arquivo_criarXZ(memoria_escrever(m));
    a->escrever(a, dados.data(), primeira);
    ASSERT_EQ(estado(a)->nBlocos, 1u);
    ASSERT_EQ(estado(a)->tamanhoBloco, 0u);
    EXPECT_EQ(a->tamanho(a), ARQUIVO_XZ_FATIA_E_FIM);
    EXPECT_EQ(a->fechar(a), nullptr);
    ASSERT_EQ(m->bytes.size(), ARQUIVO_XZ_FATIA_E_FIM);
    EXPECT_EQ(ARQUIVO_lerU32(m->bytes.data() + ARQUIVO_XZ_FATIA), primeira);
    a = abrir(m);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(apoio_lerTudo(a, 4096), dados);
    a->fechar(a);
}

TEST_F(Conteiner, EscritorInformaPosicaoETamanho)
{
    // Nothing taken: the one empty slot and its table entry.
    Memoria vazio = memoria_nova();
    _arquivo* v = arquivo_criarXZ(memoria_escrever(vazio));
    uint32_t previstoVazio = v->tamanho(v);
    EXPECT_EQ(v->fechar(v), nullptr);
    EXPECT_EQ(vazio->bytes.size(), previstoVazio);


    Bytes dados = apoio_aleatorios(70000, 12);
    Memoria m = memoria_nova();
    _arquivo* a = arquivo_criarXZ(memoria_escrever(m));
    EXPECT_EQ(a->escrever(a, dados.data(), 30000), 30000u);
    EXPECT_EQ(a->escrever(a, dados.data() + 30000, 40000), 40000u);
    EXPECT_EQ(a->posicao(a), 70000u);
    uint32_t previsto = a->tamanho(a);
    unsigned char b;
    EXPECT_EQ(a->ler(a, &b, 1), 0u);
    EXPECT_EQ(a->fechar(a), nullptr);
    EXPECT_EQ(m->bytes.size(), previsto);
}

}  // namespace
