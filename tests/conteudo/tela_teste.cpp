// Level 0 at the start, drawn from the game's own archive in a 640 x 360
// window on the virtual display: the tiles and the character show. The
// picture is left beside the test as nivel_0.png.
#include <unistd.h>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "arquivo/arquivo.h"
#include "conteudo_apoio.h"
#include "plataforma/plataforma.h"

using namespace conteudo_apoio;

namespace {

class Tela : public JogoDoArquivo {
protected:
    void SetUp() override
    {
        apoio::manterContextoGrafico();
        janela = &janelaDoTeste;
        JogoDoArquivo::SetUp();
        ASSERT_EQ(video_mudarLargura(640), 0);
        ASSERT_EQ(video_mudarAltura(360), 0);
        ASSERT_EQ(janelaDoTeste.getSize(), sf::Vector2u(640, 360));
    }
    void TearDown() override
    {
        JogoDoArquivo::TearDown();
        janelaDoTeste.close();
    }
    sf::Image ler()
    {
        sf::Texture t;
        t.create(640, 360);
        t.update(janelaDoTeste);
        return t.copyToImage();
    }
    // Pixels that differ between two pictures within a box.
    static int diferentes(const sf::Image& a, const sf::Image& b, unsigned x0, unsigned y0, unsigned x1, unsigned y1)
    {
        int n = 0;
        for (unsigned y = y0; y < y1; y++)
            for (unsigned x = x0; x < x1; x++)
                if (a.getPixel(x, y) != b.getPixel(x, y)) n++;
        return n;
    }
    void transparencia(const std::vector<uint32_t>& impressoes, int32_t valor)
    {
        for (uint32_t h : impressoes) CONTEUDO_mudarImpressao(h, CONTEUDO_IMPRESSAO_TRANSPARENCIA, valor);
    }

    sf::RenderWindow janelaDoTeste;
};

TEST_F(Tela, NivelNoInicioMostraTilesEPersonagem)
{
    quadros(14500);  // the intro's white screen is gone; the character stands on the start block
    sf::Image tudo = ler();
    std::string caminho = std::string(MORVALEN_PASTA_DO_TESTE) + "/nivel_0.png";
    EXPECT_TRUE(tudo.saveToFile(caminho));

    // The character is followed by the camera: it shows around the middle.
    uint32_t sprite = (uint32_t)var("animacao");
    transparencia({sprite}, 1000);
    quadro();
    sf::Image semPersonagem = ler();
    EXPECT_GT(diferentes(tudo, semPersonagem, 260, 120, 380, 240), 1000);
    EXPECT_EQ(diferentes(tudo, semPersonagem, 0, 0, 640, 60), 0);

    // The tiles cover most of the picture.
    transparencia(apoio::impressoesDaCamada(10000), 1000);
    transparencia(apoio::impressoesDaCamada(5000), 1000);
    quadro();
    sf::Image semTiles = ler();
    EXPECT_GT(diferentes(semPersonagem, semTiles, 0, 0, 640, 360), 640 * 360 / 2);
}

}  // namespace
