// Cameras and references: records, linking, properties and destruction.
#include "video_apoio.h"

namespace {

using apoio::Video;

_engine_valor lerCamera(uint32_t propriedade, uint32_t camera)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 3, propriedade, camera, nullptr);
}

_engine_valor lerReferencia(uint32_t propriedade, uint32_t referencia)
{
    return engine_propriedade_pegarValor(ENGINE_MODULO_VIDEO, 2, propriedade, referencia, nullptr);
}

std::string texto(const char* erro)
{
    return erro ? erro : "";
}

TEST_F(Video, CameraEReferenciaNascemComOsValoresPadraoEGuardamOQueRecebem)
{
    uint32_t c = video_criarCamera();
    uint32_t r = video_criarReferencia(7);
    ASSERT_NE(c, 0u);
    ASSERT_NE(r, 0u);
    EXPECT_EQ(lerCamera(3, c), 1000);
    EXPECT_EQ(lerCamera(1, c), 0);
    EXPECT_EQ(lerCamera(2, c), 0);
    for (uint32_t p = 1; p <= 4; p++) EXPECT_EQ(lerReferencia(p, r), 0) << p;
    EXPECT_EQ(VIDEO_pegarReferencia(r)->entidade, 7u);

    // Stored as given, through the engine and through the public setters
    // (whose unsigned bits land unchanged in the signed field).
    EXPECT_EQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 2, 1, r, -25), nullptr);
    EXPECT_EQ(lerReferencia(1, r), -25);
    EXPECT_EQ(video_referencia_mudarMargemDir(r, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(video_referencia_mudarMargemCim(r, 30), nullptr);
    EXPECT_EQ(video_referencia_mudarMargemBai(r, 40), nullptr);
    EXPECT_EQ(lerReferencia(2, r), -1);
    EXPECT_EQ(lerReferencia(3, r), 30);
    EXPECT_EQ(lerReferencia(4, r), 40);
    EXPECT_EQ(video_camera_mudarX(c, (uint32_t)-300), nullptr);
    EXPECT_EQ(video_camera_mudarY(c, 45), nullptr);
    EXPECT_EQ(video_camera_mudarZoom(c, 0), nullptr);  // no range check
    EXPECT_EQ(lerCamera(1, c), -300);
    EXPECT_EQ(lerCamera(2, c), 45);
    EXPECT_EQ(lerCamera(3, c), 0);

    // Unknown handles.
    EXPECT_EQ(texto(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 3, 3, 0, 500)), "Camera invalida");
    EXPECT_EQ(lerCamera(3, 0), 0);
    EXPECT_EQ(texto(video_camera_mudarZoom(99, 1)), "Camera invalida");
    EXPECT_EQ(texto(video_referencia_mudarMargemEsq(99, 1)), "Referencia invalida");
}

TEST_F(Video, UmaCameraListaSuasReferenciasNaOrdemEComRepeticao)
{
    uint32_t c = video_criarCamera();
    uint32_t r1 = video_criarReferencia(2), r2 = video_criarReferencia(3);
    EXPECT_EQ(video_camera_adicionarReferencia(c, r1), 1u);
    EXPECT_EQ(video_camera_adicionarReferencia(c, r2), 2u);
    EXPECT_EQ(video_camera_adicionarReferencia(c, r1), 3u);  // twice: listed twice
    EXPECT_EQ(video_camera_adicionarReferencia(c, 99), 0u);
    EXPECT_EQ(video_camera_adicionarReferencia(99, r1), 0u);
    EXPECT_EQ(video_camera_adicionarReferencia(0, 0), 0u);
    uint32_t lista = VIDEO_pegarCamera(c)->referencias;
    ASSERT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, lista), 3u);
    EXPECT_EQ(engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, lista, 2), (int32_t)r2);
    // Another camera may follow the same reference.
    uint32_t outra = video_criarCamera();
    EXPECT_EQ(video_camera_adicionarReferencia(outra, r1), 1u);
}

TEST_F(Video, DestruirCameraOuReferenciaDeixaOHandleLimpoParaOProximo)
{
    uint32_t c = video_criarCamera();
    uint32_t r = video_criarReferencia(2);
    video_camera_adicionarReferencia(c, r);
    // A camera timeline and an expression binding on each.
    uint32_t zoom = engine_criarConfig(ENGINE_MODULO_VIDEO, 3);
    engine_config_passarTempo(ENGINE_MODULO_VIDEO, 3, zoom, 1000);
    engine_config_mudarPropriedadeContinua(ENGINE_MODULO_VIDEO, 3, zoom, 3, 3000);
    ASSERT_NE(engine_config_aplicar(ENGINE_MODULO_VIDEO, 3, zoom, c, 0), 0u);
    uint32_t sete = engine_criarOperacao(7, 10, 0);
    ASSERT_EQ(engine_propriedade_mudarRecurso(ENGINE_MODULO_VIDEO, 2, 1, r, sete), nullptr);
    EXPECT_EQ(lerReferencia(1, r), 7);

    EXPECT_EQ(video_destruirReferencia(r), nullptr);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, VIDEO_pegarCamera(c)->referencias), 0u);
    EXPECT_EQ(video_destruirCamera(c), nullptr);
    EXPECT_EQ(texto(video_destruirCamera(c)), "Posicao invalida");
    EXPECT_EQ(texto(video_destruirReferencia(r)), "Posicao invalida");
    EXPECT_EQ(lerCamera(3, c), 0);

    // The next records under the same handles are driven by nothing.
    ASSERT_EQ(video_criarCamera(), c);
    ASSERT_EQ(video_criarReferencia(3), r);
    EXPECT_EQ(lerReferencia(1, r), 0);
    EXPECT_EQ(engine_vetorInteiro_pegarTamanho(ENGINE_MODULO_VIDEO, VIDEO_pegarCamera(c)->referencias), 0u);
    for (int i = 0; i < 10; i++) video_atualizar(100);
    EXPECT_EQ(lerCamera(3, c), 1000);
    EXPECT_EQ(engine_propriedade_mudarValor(ENGINE_MODULO_VIDEO, 2, 1, r, 12), nullptr);
    EXPECT_EQ(lerReferencia(1, r), 12);
}

}  // namespace
