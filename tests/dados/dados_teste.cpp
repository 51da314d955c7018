#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/dados.h"
#include "engine/engine.h"
#include "engine/engine_aleatorio.h"

namespace {

class Dados : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        ASSERT_EQ(dados_iniciar('N'), nullptr);
    }
};

TEST_F(Dados, LeituraNaoCriaEEscopoEMaiusculasNomeiamVariaveis)
{
    EXPECT_EQ(dados_pegarVariavel(0, "vida", 0), 0);
    EXPECT_EQ(dados_pegarVariavel(0, "vida", 2, 1u, 1u), 0);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "vida", 0), 0u);
    // The reads made nothing: the first variable created takes id 1.
    EXPECT_EQ(dados_variavel_pegarPosicao(0, "vida"), 1u);
    EXPECT_EQ(dados_variavel_pegarPosicao(0, "VIDA"), 1u);
    EXPECT_EQ(dados_pegarVariavel(0, "vida", 0), 0);

    EXPECT_EQ(dados_mudarVariavel(0, "Massa", 10, 0), nullptr);
    EXPECT_EQ(dados_mudarVariavel(5, "massa", 20, 0), nullptr);
    EXPECT_EQ(dados_mudarVariavel(0, "MASSA", 11, 0), nullptr);
    EXPECT_EQ(dados_pegarVariavel(0, "massa", 0), 11);
    EXPECT_EQ(dados_pegarVariavel(5, "Massa", 0), 20);
    EXPECT_EQ(dados_pegarVariavel(6, "massa", 0), 0);
    uint32_t global = dados_variavel_pegarPosicao(0, "massa"), daEntidade = dados_variavel_pegarPosicao(5, "massa");
    EXPECT_NE(global, daEntidade);

    // The value is property 6.1.1 of the variable's id, and may be an address.
    EXPECT_EQ(engine_propriedade_pegarValor(6, 1, 1, daEntidade, nullptr), 20);
    static const char texto[] = "personagem.png";
    EXPECT_EQ(engine_propriedade_mudarValor(6, 1, 1, global, (_engine_valor)texto), nullptr);
    EXPECT_EQ(dados_pegarVariavel(0, "massa", 0), (_engine_valor)texto);
    EXPECT_STREQ(engine_propriedade_mudarValor(6, 1, 1, 99, 1), "Variavel invalida");
    EXPECT_EQ(engine_propriedade_pegarValor(6, 1, 1, 99, nullptr), 0);
}

TEST_F(Dados, ElementosAninhados)
{
    ASSERT_EQ(dados_mudarVariavel(3, "lista", 7, 1, 3u), nullptr);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 0), 0);
    EXPECT_EQ(dados_variavel_pegarTamanho(3, "lista", 0), 3u);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 1u), 0);  // empty slot
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 3u), 7);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 4u), 0);  // past the end

    // [2][5] where element 2 does not exist yet.
    ASSERT_EQ(dados_mudarVariavel(3, "lista", 9, 2, 2u, 5u), nullptr);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 2u), 0);
    EXPECT_EQ(dados_variavel_pegarTamanho(3, "lista", 1, 2u), 5u);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 2, 2u, 5u), 9);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 3, 2u, 5u, 1u), 0);  // a node without elements
    EXPECT_EQ(dados_variavel_pegarTamanho(3, "lista", 0), 3u);

    // A top-level write changes only the variable's own value; an element
    // write leaves the others alone.
    ASSERT_EQ(dados_mudarVariavel(3, "lista", 4, 0), nullptr);
    ASSERT_EQ(dados_mudarVariavel(3, "lista", 8, 1, 2u), nullptr);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 0), 4);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 2u), 8);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 2, 2u, 5u), 9);
    EXPECT_EQ(dados_pegarVariavel(3, "lista", 1, 3u), 7);
}

TEST_F(Dados, PosicaoZeroNaoGuardaNemContaElemento)
{
    EXPECT_STREQ(dados_mudarVariavel(0, "v", 5, 1, 0u), "Posicao invalida");
    EXPECT_EQ(dados_pegarVariavel(0, "v", 0), 0);  // the variable made on the way keeps 0
    EXPECT_EQ(dados_pegarVariavel(0, "v", 1, 0u), 0);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "v", 0), 0u);

    EXPECT_STREQ(dados_mudarVariavel(0, "v", 6, 2, 2u, 0u), "Posicao invalida");
    EXPECT_EQ(dados_pegarVariavel(0, "v", 1, 2u), 0);  // element 2 made on the way keeps 0
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "v", 1, 2u), 0u);
    // Element 2 is the only one counted: removing it leaves a plain value.
    dados_destruirVariavel(0, "v", 1, 2u);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "v", 0), 0u);
}

TEST_F(Dados, RemocaoDeElementosEDeVariaveis)
{
    dados_mudarVariavel(0, "a", 1, 1, 1u);
    dados_mudarVariavel(0, "a", 2, 1, 2u);
    dados_mudarVariavel(0, "a", 3, 2, 2u, 4u);
    dados_destruirVariavel(0, "a", 2, 3u, 1u);  // path missing: nothing changes
    dados_destruirVariavel(0, "a", 1, 0u);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "a", 0), 2u);

    dados_destruirVariavel(0, "a", 1, 2u);  // with everything beneath it
    EXPECT_EQ(dados_pegarVariavel(0, "a", 1, 1u), 1);
    EXPECT_EQ(dados_pegarVariavel(0, "a", 1, 2u), 0);
    EXPECT_EQ(dados_pegarVariavel(0, "a", 2, 2u, 4u), 0);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "a", 0), 2u);  // the vector keeps its length
    dados_destruirVariavel(0, "a", 1, 1u);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "a", 0), 0u);  // a plain value again
    dados_mudarVariavel(0, "a", 5, 1, 1u);
    EXPECT_EQ(dados_variavel_pegarTamanho(0, "a", 0), 1u);

    // The whole variable: its id is free for the next one.
    uint32_t id = dados_variavel_pegarPosicao(0, "a");
    dados_mudarVariavel(0, "b", 6, 0);
    dados_destruirVariavel(0, "A", 0);
    EXPECT_EQ(dados_pegarVariavel(0, "a", 1, 1u), 0);
    EXPECT_EQ(dados_pegarVariavel(0, "b", 0), 6);
    EXPECT_EQ(dados_variavel_pegarPosicao(7, "c"), id);
    EXPECT_EQ(dados_destruirVariavel(0, "nenhuma", 0), 0);
}

TEST_F(Dados, EscoposEPosicoesGrandesDemaisSaoRecusados)
{
    for (uint32_t entidade : {UINT32_MAX, 1u << 20, 4000000000u}) {
        EXPECT_STREQ(dados_mudarVariavel(entidade, "x", 1, 0), "Entidade invalida") << entidade;
        EXPECT_EQ(dados_variavel_pegarPosicao(entidade, "x"), 0u);
        EXPECT_EQ(dados_pegarVariavel(entidade, "x", 0), 0);
    }
    EXPECT_STREQ(dados_mudarVariavel(0, "x", 1, 1, UINT32_MAX), "Posicao invalida");
    EXPECT_EQ(dados_mudarVariavel((1u << 20) - 1, "x", 1, 0), nullptr);
    EXPECT_EQ(dados_pegarVariavel((1u << 20) - 1, "x", 0), 1);
}

// The number of draws that `f` took from the project generator.
template <class F>
int sorteiosDe(F f)
{
    engine_semearAleatorio(1234);
    f();
    int32_t seguinte = engine_sortearAleatorio();
    _engine_gerador g;
    engine_gerador_semear(&g, 1234);
    for (int n = 0; n < 10; n++)
        if (engine_gerador_sortear(&g) == seguinte) return n;
    return -1;
}

TEST_F(Dados, NumerosAleatoriosComOGeradorDoProjeto)
{
    _engine_gerador g;
    engine_gerador_semear(&g, 1234);
    int64_t r1 = engine_gerador_sortear(&g), r2 = engine_gerador_sortear(&g);

    uint32_t unico = dados_criarNumeroAleatorio(5, 5);
    uint32_t dado = dados_criarNumeroAleatorio(1, 6);
    uint32_t largo = dados_criarNumeroAleatorio(0, 32767);
    _engine_valor v = -1;
    EXPECT_EQ(sorteiosDe([&] { v = dados_numeroAleatorio_pegarValor(unico); }), 0);
    EXPECT_EQ(v, 5);
    EXPECT_EQ(sorteiosDe([&] { v = dados_numeroAleatorio_pegarValor(dado); }), 1);
    EXPECT_EQ(v, 1 + 6 * r1 / 32768);
    EXPECT_EQ(sorteiosDe([&] { v = dados_numeroAleatorio_pegarValor(largo); }), 2);
    EXPECT_EQ(v, 32768 * (r1 * 32767 + r2) / 1073709057);
    // Read as property 6.2.1 outside the expression graph: a new draw each time.
    EXPECT_EQ(sorteiosDe([&] { engine_propriedade_pegarValor(6, 2, 1, dado, nullptr); }), 1);
    EXPECT_EQ(engine_propriedade_mudarValor(6, 2, 1, dado, 3), nullptr);  // ignored

    engine_semearAleatorio(99);
    for (int i = 0; i < 2000; i++) {
        v = dados_numeroAleatorio_pegarValor(dado);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
    }

    EXPECT_EQ(dados_criarNumeroAleatorio(2, 1), 0u);
    EXPECT_EQ(dados_numeroAleatorio_pegarValor(99), 0);
    EXPECT_EQ(dados_destruirNumeroAleatorio(dado), nullptr);
    EXPECT_STREQ(dados_destruirNumeroAleatorio(dado), "Posicao invalida");
    EXPECT_EQ(sorteiosDe([&] { v = dados_numeroAleatorio_pegarValor(dado); }), 0);
    EXPECT_EQ(v, 0);
}

TEST(DadosRegistro, LinhasEscritasComOSinalS)
{
    engine_iniciar(true);
    testing::internal::CaptureStderr();
    ASSERT_EQ(dados_iniciar('S'), nullptr);
    dados_criarNumeroAleatorio(3, 1);
    dados_numeroAleatorio_pegarValor(7);
    dados_mudarVariavel(0, "x", 1, 0);
    dados_pegarVariavel(0, "y", 0);
    uint32_t config = dados_configurarVariavel();
    dados_config_criarPonto(config, 0, -1);
    dados_config_passarTempo(config, 300);
    dados_config_mudarValor(config, 5);
    dados_cancelarConfigVariavel(dados_aplicarConfigVariavel(config, 0, "x"));
    std::string esperado = std::string() +
        "DADOS - Iniciando m\xF3" "dulo de dados\n"
        "DADOS - M\xF3" "dulo de dados iniciado com sucesso\n"
        "DADOS - Limites inv\xE1" "lidos na cria\xE7\xE3" "o de n\xFA" "mero aleat\xF3" "rio\n"
        "DADOS - N\xFA" "mero aleat\xF3" "rio inv\xE1" "lido ao pegar valor\n"
        "DADOS - Configurando variavel\n"
        "DADOS - Criando ponto para a configura\xE7\xE3" "o de variavel; Valor: " + std::to_string(config) + "\n"
        "DADOS - Passando; Valor: 300\n"
        "DADOS - ...na configura\xE7\xE3" "o; Valor: " + std::to_string(config) + "\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), esperado);
}

TEST(DadosRegistro, NumeroRecusadoPeloVetorELogadoELiberado)
{
    engine_iniciar(true);
    testing::internal::CaptureStderr();
    ASSERT_EQ(dados_iniciar('S'), nullptr);
    testing::internal::GetCapturedStderr();
    engine_iniciar(true);  // the registry is emptied under the module: its vector is gone
    testing::internal::CaptureStderr();
    EXPECT_EQ(dados_criarNumeroAleatorio(1, 6), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "DADOS - Erro ao inserir n\xFA" "mero aleat\xF3" "rio no vetor\n");
}

TEST(DadosRegistro, NadaEscritoComOSinalN)
{
    engine_iniciar(true);
    testing::internal::CaptureStderr();
    ASSERT_EQ(dados_iniciar('N'), nullptr);
    dados_criarNumeroAleatorio(3, 1);
    dados_numeroAleatorio_pegarValor(7);
    dados_config_passarTempo(dados_configurarVariavel(), 300);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace

namespace {

TEST_F(Dados, LinhaDoTempoDeVariavelAvancaComOModulo)
{
    uint32_t config = dados_configurarVariavel();
    ASSERT_NE(config, 0u);
    ASSERT_EQ(dados_config_passarTempo(config, 100), nullptr);
    ASSERT_EQ(dados_config_mudarValor(config, 1000), nullptr);
    dados_atualizar(60);  // the timeline starts at the module clock, 60
    uint32_t aplicacao = dados_aplicarConfigVariavel(config, 2, "altura");
    ASSERT_NE(aplicacao, 0u);
    dados_atualizar(50);
    _engine_valor meio = dados_pegarVariavel(2, "altura", 0);
    EXPECT_GT(meio, 0);
    EXPECT_LT(meio, 1000);  // had it started at 0, the step would be over
    for (int32_t d : {0, -20}) {
        dados_atualizar(d);  // nothing moves
        EXPECT_EQ(dados_pegarVariavel(2, "altura", 0), meio);
    }
    dados_atualizar(50);
    EXPECT_EQ(dados_pegarVariavel(2, "altura", 0), 1000);

    // A cancelled application leaves the value where it was.
    ASSERT_EQ(dados_config_mudarValor(config, 0), nullptr);
    aplicacao = dados_aplicarConfigVariavel(config, 2, "altura");
    dados_atualizar(50);
    _engine_valor parado = dados_pegarVariavel(2, "altura", 0);
    EXPECT_EQ(dados_cancelarConfigVariavel(aplicacao), nullptr);
    dados_atualizar(100);
    EXPECT_EQ(dados_pegarVariavel(2, "altura", 0), parado);
    EXPECT_GT(parado, 0);
    EXPECT_EQ(dados_aplicarConfigVariavel(config, UINT32_MAX, "altura"), 0u);
}

TEST_F(Dados, VariavelLigadaAExpressaoEElementos)
{
    uint32_t id = dados_variavel_pegarPosicao(0, "soma");
    uint32_t sete = engine_criarOperacao(7, 10, 0);
    ASSERT_EQ(engine_propriedade_mudarRecurso(6, 1, 1, id, sete), nullptr);
    EXPECT_EQ(dados_pegarVariavel(0, "soma", 0), 7);
    ASSERT_EQ(dados_mudarVariavel(0, "soma", 3, 1, 1u), nullptr);
    EXPECT_EQ(dados_pegarVariavel(0, "soma", 0), 7);  // the binding holds
    EXPECT_EQ(dados_pegarVariavel(0, "soma", 1, 1u), 3);
}

TEST_F(Dados, AleatorioLidoPorExpressaoMudaUmaVezPorQuadro)
{
    uint32_t n = dados_criarNumeroAleatorio(0, 1000000);
    uint32_t id = dados_variavel_pegarPosicao(0, "sorteio");
    ASSERT_EQ(engine_propriedade_mudarRecurso(6, 1, 1, id, engine_criarReferencia(6, 2, 1, n)), nullptr);
    _engine_valor primeiro = dados_pegarVariavel(0, "sorteio", 0);
    // Within a frame every read sees one draw, and no update draws nothing.
    EXPECT_EQ(sorteiosDe([&] {
                  EXPECT_EQ(dados_pegarVariavel(0, "sorteio", 0), primeiro);
                  dados_atualizar(0);
                  EXPECT_EQ(dados_pegarVariavel(0, "sorteio", 0), primeiro);
              }),
              0);
    // A frame draws anew.
    _engine_valor segundo = 0;
    EXPECT_GT(sorteiosDe([&] {
                  dados_atualizar(16);
                  segundo = dados_pegarVariavel(0, "sorteio", 0);
                  EXPECT_EQ(dados_pegarVariavel(0, "sorteio", 0), segundo);
              }),
              0);
    EXPECT_GE(segundo, 0);
    EXPECT_LE(segundo, 1000000);
}

}  // namespace
