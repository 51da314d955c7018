// A frame whose drawing destroys prints and empties layers while the layers
// are walked, after a timeline destroyed prints and a camera lost its
// reference. The bodies are those of a stand-in for the physics module
// (module 2) whose getters can destroy prints, as a drained particle system
// destroys itself while its layer is drawn.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "video_apoio.h"

namespace {

using apoio::mudar;

const uint32_t CORPO_BOMBA = 5;
std::vector<uint32_t> aDestruir;

_engine_valor pegarZero(uint32_t)
{
    return 0;
}

// Reading the bomb body's scale destroys the prints listed.
_engine_valor pegarEscala(uint32_t corpo)
{
    if (corpo == CORPO_BOMBA) {
        std::vector<uint32_t> lista;
        lista.swap(aDestruir);
        for (uint32_t h : lista) EXPECT_EQ(video_destruirImpressao(h), nullptr) << h;
    }
    return 1000;
}

const char* mudarNada(uint32_t, _engine_valor)
{
    return nullptr;
}

class DesenhoRobusto : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);
        apoio::manterContextoGrafico();
        engine_iniciar(true);
        // The stand-in registers before the video module, as the physics module does.
        ASSERT_EQ(engine_registrarModulo(ENGINE_MODULO_FISICA), nullptr);
        ASSERT_EQ(engine_registrarModelo(ENGINE_MODULO_FISICA, 1), nullptr);
        for (uint32_t p = 1; p <= 5; p++)
            ASSERT_EQ(engine_registrarPropriedade(ENGINE_MODULO_FISICA, 1, p, p >= 4 ? pegarEscala : pegarZero,
                                                  mudarNada, 'S'),
                      nullptr);
        ASSERT_EQ(video_iniciar('N', 'N', 'N', &janela), nullptr);
        recursos = new apoio::Recursos({{"branca.png", apoio::png(10, 10)}});
        imagem = video_abrirImagem("branca.png", 1, 1);
        ASSERT_EQ(video_mudarLargura(640), 0);
        ASSERT_EQ(video_mudarAltura(360), 0);
    }
    void TearDown() override
    {
        apoio::liberarVideo();
        delete recursos;
    }
    uint32_t impressao(int32_t camada, int32_t corpo, int32_t x)
    {
        uint32_t p = video_criarAnimacao(imagem);
        mudar(27, p, camada);
        mudar(26, p, corpo);
        mudar(28, p, x);
        return p;
    }
    sf::RenderWindow janela;
    apoio::Recursos* recursos = nullptr;
    uint32_t imagem = 0;
};

TEST_F(DesenhoRobusto, QuadroSobreviveAImpressoesECamadasQueSomem)
{
    // Layer 10: a, b (on the bomb body), c; layer 20: d; layer 30: e, f.
    uint32_t a = impressao(10, 0, 0);
    uint32_t b = impressao(10, CORPO_BOMBA, 0);
    uint32_t c = impressao(10, 0, 0);
    uint32_t d = impressao(20, 0, 0);
    uint32_t e = impressao(30, 0, 1000);
    uint32_t f = impressao(30, 0, 2000);
    // Drawing b destroys b itself, a and c (layer 10 goes) and d (layer 20 goes).
    aDestruir = {b, a, c, d};
    // A timeline destroys f in this frame, before the drawing.
    uint32_t fim = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(fim, 10);
    video_configuracao_impressao_destruirImpressao(fim);
    ASSERT_NE(video_aplicarConfiguracaoImpressao(fim, f), 0u);
    // A camera whose reference is destroyed before the frame.
    uint32_t camera = video_criarCamera();
    uint32_t r = video_criarReferencia(CORPO_BOMBA);
    video_camera_adicionarReferencia(camera, r);
    ASSERT_EQ(video_destruirReferencia(r), nullptr);

    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_TRUE(aDestruir.empty());
    for (uint32_t h : {a, b, c, d, f}) EXPECT_EQ(VIDEO_pegarImpressao(h), nullptr) << h;
    EXPECT_EQ(apoio::numerosDasCamadas(), std::vector<int32_t>{30});
    // e was drawn, at (100, 0).
    sf::Texture t;
    t.create(640, 360);
    t.update(janela);
    sf::Image img = t.copyToImage();
    EXPECT_EQ(img.getPixel(105, 5), sf::Color::White);
    EXPECT_EQ(img.getPixel(205, 5), sf::Color::Black);
    // And the next frame is an ordinary one.
    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_NE(VIDEO_pegarImpressao(e), nullptr);
}

}  // namespace
