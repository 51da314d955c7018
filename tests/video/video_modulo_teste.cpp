#include "engine/engine_interno.h"
#include "video_apoio.h"

namespace {

using apoio::ler;
using apoio::mudar;
using apoio::Video;

// Must run in a process where the module never started (ctest runs every
// test in a process of its own).
TEST(VideoSemInicio, FuncoesPublicasRecusamSemFalhar)
{
    if (videoIniciado) GTEST_SKIP() << "the module was started earlier in this process";
    engine_iniciar(true);
    const std::string naoIniciado = "Modulo de video nao iniciado";
    EXPECT_EQ(video_criarJanela(), -1);
    EXPECT_EQ(video_mudarTelaCheia('S'), -1);
    EXPECT_EQ(video_mudarLargura(800), -1);
    EXPECT_EQ(video_mudarLarguraInterna(320), -1);
    EXPECT_EQ(video_atualizar(16), -1);
    EXPECT_EQ(video_abrirImagem("a.png", 1, 1), 0u);
    EXPECT_EQ(video_abrirFonte("a.ttf"), 0u);
    EXPECT_EQ(video_criarAnimacao(1), 0u);
    EXPECT_EQ(video_criarEscritura(1, "a", 10), 0u);
    EXPECT_EQ(video_copiarImpressao(1), 0u);
    EXPECT_EQ(video_destruirImpressao(1), naoIniciado);
    EXPECT_EQ(video_destruirTextura(1), naoIniciado);
    EXPECT_EQ(video_fecharFonte(1), naoIniciado);
    EXPECT_EQ(video_finalizar(), 0);
}

struct CasoPropriedade {
    uint32_t modelo, primeira, ultima;
    const char* erro;  // what the setter answers for an unknown handle; "" for none
};

TEST_F(Video, RegistraAsPropriedadesDosTresModelosComSeusErros)
{
    // Unknown handle 77 everywhere: each setter answers with its own text.
    const CasoPropriedade casos[] = {
        {1, 1, 1, "Textura invalida"},  // the image is checked before the print
        {1, 2, 3, "Animacao invalida"},
        {1, 4, 4, "Fonte invalida"},    // the font is checked before the print
        {1, 5, 9, "Escritura invalida"},
        {1, 10, 24, "Sistema de particulas invalido"},
        {1, 25, 25, ""},                // read-only: writing changes nothing
        {1, 26, 38, "Impressao invalida"},
        {2, 1, 4, "Referencia invalida"},
        {3, 1, 3, "Camera invalida"},
    };
    for (const CasoPropriedade& c : casos) {
        for (uint32_t p = c.primeira; p <= c.ultima; p++) {
            _engine_valor valor = (c.modelo == 1 && p == 33) ? (_engine_valor) "FFFFFF" : 1;
            const char* erro = engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, c.modelo, p, 77, valor);
            EXPECT_EQ(std::string(erro ? erro : ""), c.erro) << c.modelo << "." << p;
            EXPECT_EQ(engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, c.modelo, p, 77, nullptr), 0)
                << c.modelo << "." << p;
            // Every property is eager: the expression graph pushes its value at once.
            _engine_propriedade* registrada = ENGINE_pegarPropriedade(ENGINE_MODULO_VIDEO, c.modelo, p);
            ASSERT_NE(registrada, nullptr) << c.modelo << "." << p;
            EXPECT_EQ(registrada->imediata, 'S') << c.modelo << "." << p;
        }
    }
    EXPECT_STREQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 1, 39, 1, 0), "Propriedade invalida");
    EXPECT_STREQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 2, 5, 1, 0), "Propriedade invalida");
    EXPECT_STREQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 3, 4, 1, 0), "Propriedade invalida");
    EXPECT_STREQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 4, 1, 1, 0), "Modelo invalido");
}

TEST_F(Video, InicioEFimEscrevemSuasLinhasDeLog)
{
    std::string log;
    {
        apoio::CapturaErro captura;
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('S', 'N', 'S', nullptr), nullptr);
        video_finalizar();
        log = captura.texto();
    }
    EXPECT_EQ(log,
              "VIDEO - Iniciando m\xF3" "dulo de v\xED" "deo\n"
              "VIDEO - M\xF3" "dulo de v\xED" "deo iniciado com sucesso\n"
              "VIDEO - Finalizando m\xF3" "dulo de v\xED" "deo\n");
    // Without the flag nothing is written.
    apoio::CapturaErro captura;
    engine_iniciar(true);
    ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
    video_atualizar(5);
    video_finalizar();
    EXPECT_EQ(captura.texto(), "");
}

TEST_F(Video, QuadroAvancaORelogioEDesenhaAsCamadasEmOrdem)
{
    apoio::Recursos recursos({{"a.png", apoio::png(4, 4)}});
    apoio::ligarLog();
    uint32_t imagem = video_abrirImagem("a.png", 1, 1);
    ASSERT_NE(imagem, 0u);

    apoio::CapturaErro captura;
    EXPECT_EQ(video_atualizar(0), 0);
    EXPECT_EQ(video_atualizar(-5), 0);  // neither counts nor logs
    EXPECT_EQ(video_atualizar(16), 0);
    ASSERT_NE(video_criarAnimacao(imagem), 0u);
    uint32_t b = video_criarAnimacao(imagem);
    ASSERT_EQ(mudar(27, b, 3), "");
    EXPECT_EQ(video_atualizar(4), 0);
    EXPECT_EQ(captura.texto(),
              "VIDEO - Iniciando impress\xE3" "o com tempo atual; Valor: 16\n"
              "VIDEO - Terminando impress\xE3" "o de; Valor: 0\n"
              "VIDEO - ... camadas.\n"
              "VIDEO - Iniciando impress\xE3" "o com tempo atual; Valor: 20\n"
              "VIDEO - Imprimindo camada; Valor: 3\n"
              "VIDEO - Camada impressa; Valor: 3\n"
              "VIDEO - Imprimindo camada; Valor: 10000\n"
              "VIDEO - Camada impressa; Valor: 10000\n"
              "VIDEO - Terminando impress\xE3" "o de; Valor: 2\n"
              "VIDEO - ... camadas.\n");
}

TEST_F(Video, QuadroAvancaAsLinhasDoTempoDasImpressoesNoRelogioDoVideo)
{
    apoio::Recursos recursos({{"a.png", apoio::png(4, 4)}});
    uint32_t p = video_criarAnimacao(video_abrirImagem("a.png", 1, 1));
    ASSERT_NE(p, 0u);
    uint32_t config = engine_criarConfig(ENGINE_MODULO_VIDEO, 1);
    ASSERT_EQ(engine_config_passarTempo(ENGINE_MODULO_VIDEO, 1, config, 100), nullptr);
    ASSERT_EQ(engine_config_mudarPropriedadeContinua(ENGINE_MODULO_VIDEO, 1, config, 28, 1000), nullptr);
    ASSERT_NE(engine_config_aplicar(ENGINE_MODULO_VIDEO, 1, config, p, 0), 0u);
    video_atualizar(50);
    _engine_valor meio = ler(28, p);
    EXPECT_GT(meio, 400);
    EXPECT_LT(meio, 600);
    video_atualizar(0);
    video_atualizar(-5);
    EXPECT_EQ(ler(28, p), meio);
    video_atualizar(50);
    EXPECT_EQ(ler(28, p), 1000);
}

TEST_F(Video, PropriedadesSoDeEscritaLeemZeroEASoDeLeituraNaoMuda)
{
    apoio::Recursos recursos({{"a.png", apoio::png(4, 4)}});
    uint32_t p = video_criarAnimacao(video_abrirImagem("a.png", 1, 1));
    ASSERT_NE(p, 0u);
    for (uint32_t prop : {11u, 12u, 13u, 38u}) EXPECT_EQ(ler(prop, p), 0) << prop;
    EXPECT_EQ(mudar(25, p, 9), "");
    EXPECT_EQ(ler(25, p), 0);
}

}  // namespace
