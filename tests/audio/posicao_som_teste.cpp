// Where the video module places a sound for the listener, and how loud:
// against the frame's screen regions, without them, and relative to the
// listener.
#include <gtest/gtest.h>

#include <SFML/Graphics/View.hpp>
#include <climits>
#include <cstdlib>

#include "engine/engine.h"
#include "video/video.h"
#include "video/video_interno.h"

namespace {

struct Regiao {
    float centroX, centroY, largura, altura;  // pixels
};

class AudioPosicaoSom : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
    }
    void TearDown() override { limpar(); }

    // Regions as the camera layout leaves them: a view and its world
    // rectangle in pixels.
    void regioes(const std::vector<Regiao>& lista)
    {
        limpar();
        for (const Regiao& g : lista) {
            _video_regiao* r = (_video_regiao*)malloc(sizeof(_video_regiao));
            r->vista = new sf::View(sf::Vector2f(g.centroX, g.centroY), sf::Vector2f(g.largura, g.altura));
            r->esquerda = g.centroX - g.largura / 2;
            r->direita = g.centroX + g.largura / 2;
            r->cima = g.centroY - g.altura / 2;
            r->baixo = g.centroY + g.altura / 2;
            ASSERT_NE(engine_vetorPonteiro_adicionarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, r), 0u);
        }
    }
    void limpar()
    {
        while (engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes) > 0) {
            _video_regiao* r = (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);
            delete r->vista;
            engine_vetorPonteiro_removerPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, 1);
        }
    }
};

struct Caso {
    const char* nome;
    std::vector<Regiao> regioes;
    int32_t x, y, profundidade, distancia;
    char flag;
    int32_t rx, ry, rz, volume;
};

const Regiao TELA = {320, 180, 640, 360};         // the whole internal picture
const Regiao DIREITA = {960, 180, 640, 360};      // the next picture to its right
const Regiao SEM_TAMANHO = {2000, 2000, 0, 0};

TEST_F(AudioPosicaoSom, CasosComESemRegioes)
{
    const Caso casos[] = {
        // Relative to the listener.
        {"at the listener", {}, 0, 0, 500, 500, 'N', 0, 0, 320, 1000},
        {"500 px away, vertical axis dominates", {}, 3000, 4000, 1000, 1000, 'N', 270, 360, 57, 500},
        {"at the audible distance", {}, 3000, 4000, 0, 500, 'N', 270, 360, 0, 0},
        {"beyond it", {}, 3000, 4000, 0, 400, 'N', 270, 360, 0, 0},
        {"distance 0: full volume", {}, 3000, 4000, 0, 0, 'N', 270, 360, 0, 1000},
        {"negative distance: full volume", {TELA}, -300, 100, 0, -5, 'N', -300, 100, 0, 1000},
        {"inside the box", {}, -500, 200, 1000, 1000, 'N', -500, 200, 640, 946},
        // On a body, without regions: against the internal picture's centre.
        {"no regions, at the centre", {}, 3200, 1800, 1000, 1000, 'S', 0, 0, 640, 1000},
        {"no regions, one picture left", {}, 0, 1800, 1000, 1000, 'S', 640, 0, 128, 995},
        {"no regions, out of range", {}, 100000, 1800, 1000, 100, 'S', 0, 0, 640, 0},
        // On a body, one region.
        {"region centre", {TELA}, 3200, 1800, 0, 1000, 'S', 0, 0, 0, 1000},
        {"left edge of the region", {TELA}, 0, 1800, 1000, 1000, 'S', 640, 0, 128, 565},
        {"below the region", {TELA}, 3200, 3600, 1000, 1000, 'S', 0, -360, 128, 755},
        {"far from the region", {TELA}, 60000, 1800, 1000, 1000, 'S', 0, 0, 640, 0},
        {"distance 0 keeps the direction", {TELA}, 0, 1800, 1000, 0, 'S', 640, 0, 128, 1000},
        // Two regions in range: their vectors are averaged, the loudest counts.
        {"between two regions", {TELA, DIREITA}, 6400, 1800, 0, 1000, 'S', 0, 0, 0, 565},
        {"centre of one of two", {TELA, DIREITA}, 3200, 1800, 0, 1000, 'S', 640, 0, 0, 1000},
        {"only one of two in range", {TELA, DIREITA}, 0, 1800, 0, 1000, 'S', 640, 0, 0, 565},
        {"a region without size counts nothing", {SEM_TAMANHO, TELA}, 0, 1800, 0, 1000, 'S', 640, 0, 0, 565},
    };
    for (const Caso& c : casos) {
        regioes(c.regioes);
        _video_audio* a = video_calcularAudio(c.x, c.y, c.profundidade, c.distancia, c.flag);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->x, c.rx) << c.nome;
        EXPECT_EQ(a->y, c.ry) << c.nome;
        EXPECT_EQ(a->z, c.rz) << c.nome;
        EXPECT_EQ(a->volume, c.volume) << c.nome;
        free(a);
    }
}

TEST_F(AudioPosicaoSom, PosicoesExtremasFicamNaCaixa)
{
    const int32_t extremos[] = {INT32_MIN, -100000000, -1, 0, 1, 100000000, INT32_MAX};
    for (const auto& r : {std::vector<Regiao>{}, std::vector<Regiao>{TELA, DIREITA}}) {
        regioes(r);
        for (char flag : {'N', 'S'})
            for (int32_t x : extremos)
                for (int32_t y : extremos)
                    for (int32_t distancia : {0, 1000, INT32_MAX}) {
                        _video_audio* a = video_calcularAudio(x, y, INT32_MAX, distancia, flag);
                        ASSERT_NE(a, nullptr);
                        EXPECT_LE(std::abs(a->x), 640) << x << "," << y;
                        EXPECT_LE(std::abs(a->y), 360) << x << "," << y;
                        EXPECT_GE(a->volume, 0);
                        EXPECT_LE(a->volume, 1000);
                        free(a);
                    }
    }
}

}  // namespace
