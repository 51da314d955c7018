// Video timelines: print timelines at the video clock, camera timelines
// before print timelines, and what destroying a print does to them.
#include "video_apoio.h"

namespace {

using apoio::ler;

class Configuracoes : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::Video::SetUp();
        recursos = new apoio::Recursos({{"grade.png", apoio::png(40, 10)}});
        imagem = video_abrirImagem("grade.png", 4, 1);
        ASSERT_NE(imagem, 0u);
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        delete recursos;
    }
    // A timeline of one step of `duracao` ms moving QuadroX to `alvo`.
    static uint32_t quadros(int32_t duracao, uint32_t alvo)
    {
        uint32_t c = video_configurarImpressao();
        EXPECT_EQ(video_configuracao_impressao_passarTempo(c, duracao), nullptr);
        EXPECT_EQ(video_configuracao_animacao_mudarQuadroX(c, alvo), nullptr);
        return c;
    }
    apoio::Recursos* recursos = nullptr;
    uint32_t imagem = 0;
};

TEST_F(Configuracoes, PassosContamDoRelogioDoVideoNoMomentoDeAplicar)
{
    uint32_t p = video_criarAnimacao(imagem);
    for (int i = 0; i < 3; i++) video_atualizar(100);
    ASSERT_EQ(videoTempo, 300u);
    uint32_t a = video_aplicarConfiguracaoImpressao(quadros(100, 10), p);
    ASSERT_NE(a, 0u);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_VIDEO, 1, a), p);
    // Halfway through the step (the engine's interpolation rounds down).
    video_atualizar(50);
    const _engine_valor meio = ler(2, p);
    EXPECT_TRUE(meio >= 4 && meio <= 5) << meio;
    // Frames without time move neither the clock nor the timeline.
    video_atualizar(0);
    video_atualizar(-5);
    EXPECT_EQ(videoTempo, 350u);
    EXPECT_EQ(ler(2, p), meio);
    video_atualizar(50);
    EXPECT_EQ(ler(2, p), 10);
    // Cancelled, it drives nothing more.
    uint32_t b = video_aplicarConfiguracaoImpressao(quadros(100, 0), p);
    EXPECT_EQ(video_cancelarConfiguracaoImpressao(b), nullptr);
    EXPECT_STREQ(video_cancelarConfiguracaoImpressao(b), "Configuracao aplicada invalida");
    video_atualizar(100);
    EXPECT_EQ(ler(2, p), 10);
}

TEST_F(Configuracoes, SoComecaEmImpressaoQueExiste)
{
    uint32_t c = quadros(100, 10);
    uint32_t p = video_criarAnimacao(imagem);
    uint32_t q = video_criarAnimacao(imagem);
    ASSERT_EQ(video_destruirImpressao(q), nullptr);
    EXPECT_EQ(video_aplicarConfiguracaoImpressao(c, 0), 0u);
    EXPECT_EQ(video_aplicarConfiguracaoImpressao(c, q), 0u);
    EXPECT_EQ(video_aplicarConfiguracaoImpressao(99, p), 0u);  // the engine refuses an unknown timeline
    // Nothing was started: the first application gets the first id.
    EXPECT_EQ(video_aplicarConfiguracaoImpressao(c, p), 1u);
}

TEST_F(Configuracoes, CamerasAvancamAntesDasImpressoes)
{
    // The print timeline runs at the speed of the camera's zoom (thousandths);
    // the camera timeline sets the zoom to 2000 as soon as it runs.
    uint32_t camera = video_criarCamera();
    uint32_t zoom = engine_criarConfig(ENGINE_MODULO_VIDEO, 3);
    ASSERT_EQ(video_configuracao_camera_mudarZoom(zoom, 2000), nullptr);
    uint32_t p = video_criarAnimacao(imagem);
    uint32_t c = quadros(1000, 1000);
    ASSERT_EQ(engine_config_vincularVelocidade(ENGINE_MODULO_VIDEO, 1, c,
                                               engine_criarReferencia(ENGINE_MODULO_VIDEO, 3, 3, camera)),
              nullptr);
    ASSERT_NE(engine_config_aplicar(ENGINE_MODULO_VIDEO, 3, zoom, camera, videoTempo), 0u);
    ASSERT_NE(video_aplicarConfiguracaoImpressao(c, p), 0u);
    video_atualizar(100);
    EXPECT_EQ(ler(3, 0), 0);
    EXPECT_EQ(engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 3, 3, camera, nullptr), 2000);
    // 100 ms at double speed within the same frame (about 100 at normal speed).
    EXPECT_GE(ler(2, p), 195);
}

TEST_F(Configuracoes, DestruirImpressaoCancelaSuasAplicacoes)
{
    // A looping timeline on p, and one that destroys q when its step ends.
    uint32_t laco = quadros(100, 3);
    video_configuracao_impressao_criarPonto(laco, 0, -1);
    uint32_t p = video_criarAnimacao(imagem);
    uint32_t q = video_criarAnimacao(imagem);
    uint32_t aplicacao = video_aplicarConfiguracaoImpressao(laco, p);
    uint32_t fim = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(fim, 50);
    video_configuracao_impressao_destruirImpressao(fim);
    uint32_t aplicacaoFim = video_aplicarConfiguracaoImpressao(fim, q);
    video_atualizar(60);
    EXPECT_EQ(VIDEO_pegarImpressao(q), nullptr);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_VIDEO, 1, aplicacaoFim), 0u);

    ASSERT_EQ(video_destruirImpressao(p), nullptr);
    EXPECT_EQ(engine_configAplicada_pegarPosicao(ENGINE_MODULO_VIDEO, 1, aplicacao), 0u);
    // Prints made later under the same handles are driven by nothing.
    uint32_t novas[] = {video_criarAnimacao(imagem), video_criarAnimacao(imagem)};
    ASSERT_EQ(std::min(novas[0], novas[1]), std::min(p, q));
    ASSERT_EQ(std::max(novas[0], novas[1]), std::max(p, q));
    for (int i = 0; i < 10; i++) video_atualizar(40);
    EXPECT_EQ(ler(2, p), 0);
    EXPECT_NE(VIDEO_pegarImpressao(q), nullptr);
}

TEST_F(Configuracoes, CamadaContinuaPassaPelasCamadasDoCaminho)
{
    uint32_t p = video_criarAnimacao(imagem);
    uint32_t c = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(c, 300);
    video_configuracao_impressao_mudarCamada(c, 10003);
    video_aplicarConfiguracaoImpressao(c, p);
    std::vector<int32_t> vistas;
    for (int i = 0; i < 10; i++) {
        video_atualizar(40);
        int32_t camada = (int32_t)ler(27, p);
        if (vistas.empty() || vistas.back() != camada) vistas.push_back(camada);
        // Filed in the layer it names, and in no other.
        EXPECT_EQ(apoio::numerosDasCamadas(), std::vector<int32_t>{camada});
    }
    EXPECT_EQ(vistas, (std::vector<int32_t>{10000, 10001, 10002, 10003}));
}

}  // namespace
