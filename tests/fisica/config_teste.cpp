// Body and figure timelines, and what the frame step tells the expression
// graph.
#include "fisica_teste.h"

#include <cstdlib>

namespace {

using Config = Fisica;

std::string tomar(const char* t)
{
    std::string s = texto(t);
    free((void*)t);
    return s;
}

TEST_F(Config, LinhaDoTempoMoveOCorpoNoRelogioDoModulo)
{
    fisica_atualizar(500);  // the module clock is not at 0
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    uint32_t config = fisica_configurarCorpo();
    ASSERT_NE(config, 0u);
    ASSERT_EQ(fisica_config_passarTempo(config, 100), nullptr);
    ASSERT_EQ(engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, 1, config, FISICA_X, 1000), nullptr);
    EXPECT_EQ(fisica_aplicarConfiguracao(config, 3), 0u);  // no body
    uint32_t aplicacao = fisica_aplicarConfiguracao(config, 2);
    ASSERT_NE(aplicacao, 0u);
    fisica_atualizar(50);
    EXPECT_GT(ler(2, FISICA_X), 400);  // on its way
    EXPECT_LT(ler(2, FISICA_X), 600);
    fisica_atualizar(50);
    EXPECT_EQ(ler(2, FISICA_X), 1000);

    const _fisica_corpo* c = fisica_corpo(2);
    ASSERT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->configuracoes), 1u);
    EXPECT_EQ(fisica_cancelarConfiguracao(aplicacao), nullptr);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->configuracoes), 0u);
    // Cancelled already: the engine's refusal, in a text the caller owns.
    EXPECT_EQ(tomar(fisica_cancelarConfiguracao(aplicacao)).rfind("Erro ao cancelar configuracao: ", 0), 0u);

    // Started through the engine, not through the body.
    uint32_t direta = engine_config_aplicar(ENGINE_MODULO_FISICA, 1, config, 2, fisicaTempo);
    EXPECT_EQ(texto(fisica_cancelarConfiguracao(direta)), "Configuracao cancelada nao encontrada no corpo");
    EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_FISICA, 1, direta), 0u);  // cancelled all the same
    // Destroying the body ends its timelines with it.
    aplicacao = fisica_aplicarConfiguracao(config, 2);
    ASSERT_EQ(fisica_destruirCorpo(2), nullptr);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_FISICA, 1, aplicacao), 0u);
    EXPECT_EQ(tomar(fisica_cancelarConfiguracao(aplicacao)).rfind("Erro ao cancelar configuracao: ", 0), 0u);
    // A timeline started through the engine on an entity without a body.
    direta = engine_config_aplicar(ENGINE_MODULO_FISICA, 1, config, 9, fisicaTempo);
    EXPECT_EQ(texto(fisica_cancelarConfiguracao(direta)), "Corpo configurado inexistente");
}

TEST_F(Config, LinhaDoTempoDeFigura)
{
    uint32_t f = fisica_criarCirculo(10);
    uint32_t config = fisica_configurarFigura();
    ASSERT_EQ(fisica_configFigura_passarTempo(config, 100), nullptr);
    ASSERT_EQ(engine_config_mudarPropriedadeContinua(ENGINE_MODULO_FISICA, 2, config, FISICA_FIGURA_ATRITO, 900),
              nullptr);
    EXPECT_EQ(fisica_configFigura_criarPonto(config, 0, -3), 2);
    EXPECT_EQ(fisica_aplicarConfigFigura(config, f + 1), 0u);
    uint32_t aplicacao = fisica_aplicarConfigFigura(config, f);
    ASSERT_NE(aplicacao, 0u);
    fisica_atualizar(100);
    EXPECT_EQ(lerFigura(f, FISICA_FIGURA_ATRITO), 900);
    EXPECT_EQ(fisica_cancelarConfigFigura(aplicacao), nullptr);
}

TEST_F(Config, LogDasLinhasDoTempo)
{
    fisicaLog = 'S';
    testing::internal::CaptureStderr();
    uint32_t corpo = fisica_configurarCorpo();
    fisica_config_criarPonto(corpo, 0, -3);
    uint32_t figura = fisica_configurarFigura();
    fisica_configFigura_criarPonto(figura, 0, -3);
    std::string log = testing::internal::GetCapturedStderr();
    fisicaLog = 'N';
    EXPECT_EQ(log, std::string("F\xCD" "SICA - Configurando corpo\n") +
                       "F\xCD" "SICA - Criando ponto para a configura\xE7\xE3" "o de corpo; Valor: " +
                       std::to_string(corpo) + "\n" + "F\xCD" "SICA - Configurando figura\n" +
                       "F\xCD" "SICA - Criando ponto para a configura\xE7\xE3" "o de figura; Valor: " +
                       std::to_string(figura) + "\n");
}

// Position, rotation and velocities change by themselves: after each frame
// an expression that reads them sees the new values.
TEST_F(Config, QuadroInvalidaPosicaoEVelocidade)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_anexarFigura(2, fisica_criarCirculo(100), -100, -100), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    const uint32_t propriedades[] = {FISICA_X, FISICA_Y, FISICA_ROTACAO,
                                     FISICA_VELOCIDADE_X, FISICA_VELOCIDADE_Y, FISICA_VELOCIDADE_ROT};
    for (uint32_t p : propriedades) ASSERT_NE(engine_criarReferencia(ENGINE_MODULO_FISICA, 1, p, 2), 0u);
    ASSERT_EQ(mudar(2, FISICA_VELOCIDADE_X, 300), nullptr);
    ASSERT_EQ(mudar(2, FISICA_VELOCIDADE_ROT, 2000), nullptr);
    _engine_valor antes[6];
    for (int i = 0; i < 6; i++) antes[i] = ler(2, propriedades[i]);
    fisica_atualizar(17);
    const _engine_valor agora[6] = {FISICA_pegarX(2), FISICA_pegarY(2), FISICA_pegarRotacao(2),
                                    FISICA_pegarVelocidadeX(2), FISICA_pegarVelocidadeY(2),
                                    FISICA_pegarVelocidadeRot(2)};
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(propriedades[i]);
        EXPECT_NE(agora[i], antes[i]);
        EXPECT_EQ(ler(2, propriedades[i]), agora[i]);
    }
}

// The force is read through the engine, so an expression bound to it acts.
TEST_F(Config, ForcaLidaPeloMotor)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_MASSA, 1000), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    ASSERT_EQ(mudar(2, FISICA_DIFICULDADE_MOV, 0), nullptr);
    uint32_t cinco = engine_criarOperacao(5, 10, 0);
    ASSERT_EQ(engine_propriedade_mudarRecurso(ENGINE_MODULO_FISICA, 1, FISICA_FORCA_X, 2, cinco), nullptr);
    fisica_atualizar(17);
    EXPECT_EQ(ler(2, FISICA_VELOCIDADE_X), 83);
}

}  // namespace
