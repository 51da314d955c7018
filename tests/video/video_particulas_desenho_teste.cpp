// A particle system and a link drawn through a camera, read back from the
// window's pixels on the virtual display (640 by 360: one pixel of the
// internal picture is one pixel of the window).
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <algorithm>

#include "engine/engine_aleatorio.h"
#include "fisica/fisica.h"
#include "video_apoio.h"

namespace {

using apoio::mudar;

// A link's piece: 10 by 20 pixels, its upper half red, its lower half blue.
std::string elo()
{
    sf::Image imagem;
    imagem.create(10, 20, sf::Color::Blue);
    for (unsigned x = 0; x < 10; x++)
        for (unsigned y = 0; y < 10; y++) imagem.setPixel(x, y, sf::Color::Red);
    imagem.saveToFile("/tmp/morvalen_elo_teste.png");
    std::string bytes = apoio::lerArquivo("/tmp/morvalen_elo_teste.png");
    unlink("/tmp/morvalen_elo_teste.png");
    return bytes;
}

bool vermelho(sf::Color c)
{
    return c.r > 200 && c.g < 60 && c.b < 60;
}

bool azul(sf::Color c)
{
    return c.b > 200 && c.r < 60 && c.g < 60;
}

bool branco(sf::Color c)
{
    return c.r > 200 && c.g > 200 && c.b > 200;
}

// The bounding box of the pixels of a colour inside an area, and their count.
const auto caixa = apoio::caixaEm<bool (*)(sf::Color)>;

class ParticulasNaTela : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);
        apoio::manterContextoGrafico();
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('N', 'N', 'N', &janela), nullptr);
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        recursos = new apoio::Recursos({{"elo.png", elo()}, {"ponto.png", apoio::png(4, 4)}});
        ASSERT_EQ(video_mudarLargura(640), 0);
        ASSERT_EQ(video_mudarAltura(360), 0);
        engine_semearAleatorio(99);
    }
    void TearDown() override
    {
        apoio::liberarVideo();
        fisica_finalizar();
        delete recursos;
    }
    sf::Image ler()
    {
        sf::Texture t;
        t.create(640, 360);
        t.update(janela);
        return t.copyToImage();
    }
    sf::RenderWindow janela;
    apoio::Recursos* recursos = nullptr;
};

TEST_F(ParticulasNaTela, LigacaoEParticulasAtravesDaCamera)
{
    // The camera shows the world from x = 100 pixels on, at zoom 1000.
    uint32_t camera = video_criarCamera();
    ASSERT_EQ(video_camera_mudarX(camera, 1000), nullptr);
    // A link from (200, 200) to (450, 200) pixels in pieces of 100 pixels,
    // each piece 20 pixels wide: two whole, the third cut to 50 pixels.
    ASSERT_NE(fisica_criarCorpo(2, 2000, 2000), 0u);
    ASSERT_NE(fisica_criarCorpo(3, 4500, 2000), 0u);
    uint32_t peca = video_criarAnimacao(video_abrirImagem("elo.png", 1, 1));
    mudar(30, peca, 200);
    mudar(31, peca, 1000);
    uint32_t l = video_criarLigacao(2, 3, peca);
    ASSERT_EQ(video_ligacao_mudarPreenchimento(l, 0, 100), nullptr);
    // A system on a body at (450, 100) pixels, every particle born at its centre.
    ASSERT_NE(fisica_criarCorpo(4, 4500, 1000), 0u);
    uint32_t ponto = video_criarAnimacao(video_abrirImagem("ponto.png", 1, 1));
    mudar(30, ponto, 100);
    mudar(31, ponto, 100);
    uint32_t s = video_criarParticulas(ponto);
    mudar(26, s, 4);
    mudar(15, s, 1000);
    mudar(23, s, 62500);  // one particle a frame of 16 ms

    video_atualizar(16);
    sf::Image img = ler();
    img.saveToFile("/tmp/morvalen_particulas_ligacao.png");
    const sf::IntRect tudo(0, 0, 640, 360);
    // Each piece runs from A toward B, its top (red) at A's end, 20 pixels
    // above the line; seen 100 pixels to the left.
    const int vermelhos[3] = {100, 200, 300}, azuis[2] = {150, 250};
    for (int x : vermelhos)
        EXPECT_EQ(caixa(img, sf::IntRect(x, 170, 50, 40), vermelho).r, sf::IntRect(x, 180, 50, 20)) << x;
    for (int x : azuis) EXPECT_EQ(caixa(img, sf::IntRect(x, 170, 50, 40), azul).r, sf::IntRect(x, 180, 50, 20)) << x;
    EXPECT_EQ(caixa(img, tudo, vermelho).pixels + caixa(img, tudo, azul).pixels, 250 * 20);
    // The particle's picture has its corner at the body.
    EXPECT_EQ(caixa(img, tudo, branco).r, sf::IntRect(350, 100, 10, 10));

    // The camera moves: so does everything.
    ASSERT_EQ(video_camera_mudarX(camera, 0), nullptr);
    video_atualizar(16);
    img = ler();
    EXPECT_EQ(caixa(img, sf::IntRect(0, 0, 640, 360), vermelho).r, sf::IntRect(200, 180, 250, 20));
    EXPECT_EQ(caixa(img, tudo, branco).r, sf::IntRect(450, 100, 10, 10));
}

TEST_F(ParticulasNaTela, UmJatoQueSeOlha)
{
    // A picture to look at: a fountain of small squares from a rectangle's
    // rim, falling, beside a chain between two bodies.
    video_criarCamera();
    ASSERT_NE(fisica_criarCorpo(2, 1000, 500), 0u);
    ASSERT_NE(fisica_criarCorpo(3, 5500, 2500), 0u);
    ASSERT_NE(fisica_criarCorpo(4, 3200, 2400), 0u);
    uint32_t peca = video_criarAnimacao(video_abrirImagem("elo.png", 1, 1));
    uint32_t l = video_criarLigacao(2, 3, peca);
    video_ligacao_mudarPreenchimento(l, 1, 12);
    uint32_t ponto = video_criarAnimacao(video_abrirImagem("ponto.png", 1, 1));
    mudar(35, ponto, 600);
    mudar(30, ponto, 60);
    mudar(31, ponto, 60);
    uint32_t s = video_criarParticulas(ponto);
    mudar(26, s, 4);
    mudar(14, s, 1);
    mudar(15, s, -1000);
    mudar(30, s, 1200);
    mudar(31, s, 300);
    mudar(17, s, -12000);
    mudar(18, s, 6000);
    mudar(19, s, 2000);
    mudar(22, s, 900000);
    mudar(23, s, 60000);
    uint32_t morre = video_configurarImpressao();
    video_configuracao_impressao_passarTempo(morre, 1500);
    video_configuracao_impressao_mudarTransparencia(morre, 900);
    video_configuracao_impressao_destruirImpressao(morre);
    mudar(11, s, morre);
    for (int i = 0; i < 90; i++) video_atualizar(16);
    sf::Image img = ler();
    img.saveToFile("/tmp/morvalen_jato.png");
    // Particles lie around and below the emitter; the chain is drawn.
    EXPECT_GT(caixa(img, sf::IntRect(0, 0, 640, 360), [](sf::Color c) { return c.r > 100 && c.g > 60 && c.b > 100; })
                  .pixels,
              0);
    EXPECT_GT(caixa(img, sf::IntRect(0, 0, 640, 360), vermelho).pixels, 0);
}

}  // namespace
