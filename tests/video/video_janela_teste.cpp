// The window, under a virtual display.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/VideoMode.hpp>

#include "video_apoio.h"
#include "video_x11.h"

namespace {

VistaX11 verNaTela(sf::RenderWindow& janela)
{
    return x11_verJanela((unsigned long)janela.getSystemHandle());
}

class Janela : public ::testing::Test {
protected:
    void SetUp() override
    {
        sf::err().rdbuf(nullptr);
        apoio::manterContextoGrafico();
        engine_iniciar(true);
        desktop = sf::VideoMode::getDesktopMode();
    }
    void TearDown() override { apoio::liberarVideo(); }
    sf::RenderWindow janela;
    sf::VideoMode desktop;
};

TEST_F(Janela, AbreNoTamanhoDaAreaDeTrabalhoComOTituloEAImagemInterna)
{
    ASSERT_EQ(video_iniciar('S', 'N', 'S', &janela), nullptr);
    EXPECT_FALSE(janela.isOpen());  // the start leaves the window alone
    EXPECT_EQ(video_pegarLargura(), 0);
    std::string log;
    {
        apoio::CapturaErro captura;
        EXPECT_EQ(video_criarJanela(), 0);
        log = captura.texto();
    }
    ASSERT_TRUE(janela.isOpen());
    EXPECT_EQ(log, "VIDEO - Criando janela com largura; Valor: " + std::to_string(desktop.width) +
                       "\nVIDEO - ... e altura; Valor: " + std::to_string(desktop.height) + "\n");
    EXPECT_EQ(video_pegarLargura(), (int32_t)desktop.width);
    EXPECT_EQ(video_pegarAltura(), (int32_t)desktop.height);
    EXPECT_EQ(janela.getSize(), sf::Vector2u(desktop.width, desktop.height));
    VistaX11 v = verNaTela(janela);
    EXPECT_EQ(v.titulo, "Morvalen");
    EXPECT_EQ(v.largura, (int)desktop.width);
    EXPECT_FALSE(v.sobreposta);
    EXPECT_EQ(janela.getView().getSize(), sf::Vector2f(640, 360));
    EXPECT_EQ(janela.getView().getCenter(), sf::Vector2f(320, 180));
    EXPECT_EQ(video_pegarTelaCheia(), 'N');
}

TEST_F(Janela, TelaCheiaAPedidoEDeVoltaEmJanela)
{
    ASSERT_EQ(video_iniciar('N', 'S', 'N', &janela), nullptr);
    ASSERT_EQ(video_criarJanela(), 0);
    VistaX11 v = verNaTela(janela);
    EXPECT_TRUE(v.sobreposta);
    EXPECT_EQ(v.largura, (int)desktop.width);
    EXPECT_EQ(v.altura, (int)desktop.height);
    EXPECT_EQ(v.titulo, "Morvalen");
    EXPECT_EQ(video_mudarTelaCheia('N'), 0);
    EXPECT_FALSE(verNaTela(janela).sobreposta);
    EXPECT_EQ(video_pegarTelaCheia(), 'N');
}

TEST_F(Janela, NovoTamanhoRecriaAJanelaEMantemAImagemInterna)
{
    ASSERT_EQ(video_iniciar('N', 'N', 'S', &janela), nullptr);
    // A size set before the first window replaces the desktop's on that side only.
    ASSERT_EQ(video_mudarLargura(800), 0);
    EXPECT_EQ(janela.getSize(), sf::Vector2u(800, desktop.height));
    ASSERT_EQ(video_mudarAltura(500), 0);
    EXPECT_EQ(janela.getSize(), sf::Vector2u(800, 500));
    VistaX11 v = verNaTela(janela);
    EXPECT_EQ(v.titulo, "Morvalen");
    EXPECT_EQ(v.largura, 800);
    EXPECT_EQ(janela.getView().getSize(), sf::Vector2f(640, 360));
    // Centred on the desktop, also vertically (no window manager places it).
    EXPECT_EQ(janela.getPosition(),
              sf::Vector2i(((int)desktop.width - 800) / 2, ((int)desktop.height - 500) / 2));
    for (int32_t ruim : {0, -1, INT32_MIN}) {
        EXPECT_EQ(video_mudarLargura(ruim), -1);
        EXPECT_EQ(video_mudarAltura(ruim), -1);
        EXPECT_EQ(video_mudarLarguraInterna(ruim), -1);
        EXPECT_EQ(video_mudarAlturaInterna(ruim), -1);
    }
    EXPECT_EQ(janela.getSize(), sf::Vector2u(800, 500));
    EXPECT_EQ(video_pegarLarguraInterna(), 640);
    // A new internal size reaches the view at the next window creation.
    EXPECT_EQ(video_mudarLarguraInterna(320), 0);
    EXPECT_EQ(video_mudarAlturaInterna(180), 0);
    EXPECT_EQ(janela.getView().getSize(), sf::Vector2f(640, 360));
    ASSERT_EQ(video_criarJanela(), 0);
    EXPECT_EQ(janela.getView().getSize(), sf::Vector2f(320, 180));
}

TEST_F(Janela, CadaQuadroLimpaEMostraAJanela)
{
    ASSERT_EQ(video_iniciar('N', 'N', 'S', &janela), nullptr);
    ASSERT_EQ(video_criarJanela(), 0);
    auto pixel = [&]() {
        sf::Texture t;
        t.create(janela.getSize().x, janela.getSize().y);
        t.update(janela);
        return t.copyToImage().getPixel(janela.getSize().x / 2, janela.getSize().y / 2);
    };
    janela.clear(sf::Color::Red);
    EXPECT_EQ(pixel(), sf::Color::Red);
    // No time: the picture is left as it is.
    EXPECT_EQ(video_atualizar(0), 0);
    EXPECT_EQ(pixel(), sf::Color::Red);
    EXPECT_EQ(video_atualizar(16), 0);
    EXPECT_EQ(pixel(), sf::Color::Black);
}

}  // namespace
