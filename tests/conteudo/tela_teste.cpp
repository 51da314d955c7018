// Level 0 drawn from the game's own archive on the virtual display: at the
// start in a 640 x 360 window, the tiles and the character show; and the
// spring pad at every squeeze stays out of the rock it stands on. The
// pictures are left beside the test (nivel_0.png, trampolim_*.png).
#include <unistd.h>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cmath>
#include <set>
#include <vector>

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
        t.create(janelaDoTeste.getSize().x, janelaDoTeste.getSize().y);
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

// The spring pad (picture 70 x 42.4 px from its origin at (1240.5, 797.6),
// standing on rock from y 840) at rest, half and fully squeezed, at the big
// size's zoom in a window twice the internal picture: below the floor line,
// across the pad, the picture is the same as with the pad and its five
// spring parts not drawn, but for the one row the line's antialiasing may
// touch. The pad shows above the line, and its springs reach down to it.
TEST_F(Tela, TrampolimApertadoNaoEntraNaRocha)
{
    ASSERT_EQ(video_mudarLargura(1280), 0);
    ASSERT_EQ(video_mudarAltura(720), 0);
    desarmarTextos();
    quadros(14500);  // past the intro
    // The character, hidden and held in the air above the pad, keeps the
    // camera still there.
    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_DINAMICO, 'N');
    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_X, 12750);
    CONTEUDO_mudarCorpo(personagem, CONTEUDO_CORPO_Y, 7200);
    transparencia({(uint32_t)var("animacao")}, 1000);
    std::set<int32_t> corpos = {(int32_t)TRAMPOLIM};
    for (const char* v : {"meiamolaB", "meiamolaT", "molaB", "molaM", "molaT"})
        corpos.insert(CONTEUDO_ler(TRAMPOLIM, v));
    std::vector<uint32_t> trampolim;
    for (int32_t camada : {9000, 13000, 14000})
        for (uint32_t h : apoio::impressoesDaCamada(camada))
            if (corpos.count(VIDEO_pegarImpressao(h)->entidade)) trampolim.push_back(h);
    ASSERT_EQ(trampolim.size(), 6u);

    struct Caso {
        const char* nome;
        int32_t aperto;   // ms of squeezing, then stopped; 0 none
        int32_t descida;  // where the pad stands then, below its rest
    };
    const Caso casos[] = {{"repouso", 0, 0}, {"meio", 500, 50}, {"apertado", 1100, 100}};
    for (const Caso& c : casos) {
        if (c.aperto) {
            entidades_entidade_chamarFuncao(TRAMPOLIM, "pressionar");
            quadros(c.aperto);
            entidades_entidade_chamarFuncao(TRAMPOLIM, "cancelar_movimento");
        }
        int32_t descida = CONTEUDO_corpo(TRAMPOLIM, CONTEUDO_CORPO_Y) - CONTEUDO_ler(TRAMPOLIM, "altura");
        EXPECT_NEAR(descida, c.descida, 2) << c.nome;
        quadro();
        sf::Image com = ler();
        EXPECT_TRUE(com.saveToFile(std::string(MORVALEN_PASTA_DO_TESTE) + "/trampolim_" + c.nome + ".png"));
        transparencia(trampolim, 1000);
        quadro();
        sf::Image sem = ler();
        transparencia(trampolim, 0);

        sf::Vector2f a = naJanela(janelaDoTeste, 1240.5f, 797.6f + descida / 10.0f);
        sf::Vector2f linha = naJanela(janelaDoTeste, 1310.5f, 840.0f);
        sf::Vector2f b = naJanela(janelaDoTeste, 1310.5f, 870.0f);
        unsigned x0 = (unsigned)std::floor(a.x), x1 = (unsigned)std::ceil(linha.x);
        unsigned antes = (unsigned)std::floor(linha.y), abaixo = antes + 1, y1 = (unsigned)std::ceil(b.y);
        ASSERT_GT(linha.y - a.y, 60) << c.nome << ": the pad is drawn at the big size's zoom";
        ASSERT_LE(y1, com.getSize().y) << c.nome;
        EXPECT_EQ(diferentes(com, sem, x0, abaixo, x1, y1), 0) << c.nome << ": the pad shows in the rock";
        EXPECT_GT(diferentes(com, sem, x0, (unsigned)a.y, x1, antes), 2000) << c.nome;
        unsigned perto = (unsigned)std::floor(naJanela(janelaDoTeste, 0, 838.5f).y);
        EXPECT_GT(diferentes(com, sem, x0, perto, x1, antes), 0) << c.nome << ": nothing of the pad meets the floor";
    }
}

}  // namespace
