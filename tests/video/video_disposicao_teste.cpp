// The camera layout: cameras, references and bodies in, screen regions out.
#include <SFML/Graphics/View.hpp>
#include <cmath>

#include "fisica/fisica.h"
#include "video_apoio.h"

namespace {

// A followed body at (x, y) with its four margins in pixels.
struct Seguido {
    int32_t x, y;
    int32_t esq, dir, cim, bai;
};

struct Camera {
    int32_t zoom, x, y;
    std::vector<Seguido> seguidos;
};

// A region: view centre and size, viewport (left, top, width, height; all 0
// when not checked), all in pixels or fractions.
struct Regiao {
    float cx, cy, w, h;
    float vl = 0, vt = 0, vw = 0, vh = 0;
};

struct Caso {
    const char* nome;
    std::vector<Camera> cameras;
    std::vector<Regiao> regioes;
};

class Disposicao : public apoio::Video {
protected:
    void SetUp() override
    {
        apoio::Video::SetUp();
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
    }
    void TearDown() override
    {
        apoio::Video::TearDown();
        fisica_finalizar();
    }

    // Makes the cameras, their references and bodies (ids from 2 on).
    std::vector<uint32_t> montar(const std::vector<Camera>& cameras)
    {
        std::vector<uint32_t> handles;
        for (const Camera& c : cameras) {
            uint32_t h = video_criarCamera();
            video_camera_mudarZoom(h, (uint32_t)c.zoom);
            video_camera_mudarX(h, (uint32_t)c.x);
            video_camera_mudarY(h, (uint32_t)c.y);
            for (const Seguido& s : c.seguidos) {
                uint32_t corpo = proximoCorpo++;
                EXPECT_NE(fisica_criarCorpo(corpo, s.x, s.y), 0u);
                uint32_t r = video_criarReferencia(corpo);
                video_referencia_mudarMargemEsq(r, (uint32_t)s.esq);
                video_referencia_mudarMargemDir(r, (uint32_t)s.dir);
                video_referencia_mudarMargemCim(r, (uint32_t)s.cim);
                video_referencia_mudarMargemBai(r, (uint32_t)s.bai);
                video_camera_adicionarReferencia(h, r);
            }
            handles.push_back(h);
        }
        return handles;
    }

    // Everything made by montar goes; the next case starts afresh.
    void desmontar()
    {
        apoio::liberarVideo();
        fisica_finalizar();
        engine_iniciar(true);
        ASSERT_EQ(video_iniciar('N', 'N', 'S', nullptr), nullptr);
        ASSERT_EQ(fisica_iniciar('N', 1000), 1);
        proximoCorpo = 2;
    }

    uint32_t proximoCorpo = 2;
};

uint32_t regioes()
{
    return engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_VIDEO, videoRegioes);
}

_video_regiao* regiao(uint32_t i)
{
    return (_video_regiao*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_VIDEO, videoRegioes, i);
}

// Whether the body's position (world units) lies in the region's world rectangle.
bool mostra(const _video_regiao* r, int32_t x, int32_t y)
{
    return r->esquerda <= x * 0.1f && x * 0.1f <= r->direita && r->cima <= y * 0.1f && y * 0.1f <= r->baixo;
}

TEST_F(Disposicao, CamerasViramRegioes)
{
    const Seguido corpo = {50000, 20000, 0, 0, 0, 0};
    const Regiao cheia = {320, 180, 640, 360, 0, 0, 1, 1};
    const Caso casos[] = {
        {"fixed camera", {{1000, 0, 0, {}}}, {cheia}},
        {"fixed camera elsewhere, never above 0", {{1000, 1000, -500, {}}}, {{420, 180, 640, 360, 0, 0, 1, 1}}},
        {"following a body", {{1000, 0, 0, {corpo}}}, {{5000, 2000, 640, 360, 0, 0, 1, 1}}},
        {"body near the origin: pushed to 0", {{1000, 0, 0, {{1000, 500, 0, 0, 0, 0}}}}, {cheia}},
        {"a negative position counts as 0", {{1000, 0, 0, {{-5000, -3000, 0, 0, 0, 0}}}}, {cheia}},
        {"zoom 2500", {{2500, 0, 0, {corpo}}}, {{5000, 2000, 256, 144}}},
        {"zoom 604", {{604, 0, 0, {corpo}}}, {{5000, 2000, 1059.60f, 596.03f}}},
        {"right margin 100: centred on its middle", {{1000, 0, 0, {{50000, 20000, 0, 100, 0, 0}}}},
         {{5050, 2000, 640, 360}}},
        {"X 300 widens to the right", {{1000, 300, 0, {corpo}}}, {{5015, 2000, 640, 360}}},
        {"X -300 widens to the left", {{1000, -300, 0, {corpo}}}, {{4985, 2000, 640, 360}}},
        {"but not below 0", {{1000, -300, 0, {{100, 20000, 0, 0, 0, 0}}}}, {{320, 2000, 640, 360}}},
        {"Y 300 widens downwards", {{1000, 0, 300, {corpo}}}, {{5000, 2015, 640, 360}}},
        {"two references: the area holds both",
         {{1000, 0, 0, {{50000, 20000, 0, 0, 0, 0}, {60000, 20000, 0, 0, 0, 0}}}},
         {{5500, 2000.05f, 1000, 562.5f}}},
        {"equal cameras merge", {{1000, 1000, 0, {}}, {1000, 1000, 0, {}}}, {{420, 180, 640, 360, 0, 0, 1, 1}}},
        {"neighbours meet halfway and merge",
         {{1000, 0, 0, {{10000, 20000, 100, 100, 100, 100}}}, {1000, 0, 0, {{14000, 20000, 100, 100, 100, 100}}}},
         {{1200, 2000, 640, 360, 0, 0, 1, 1}}},
        {"different zooms never merge", {{1000, 0, 0, {}}, {2000, 0, 0, {}}},
         {{320, 180, 640, 360}, {320, 180, 320, 180}}},
        // Each camera of a row or a column in its own part of the window; an
        // area wider than its half is shown smaller, never stretched.
        {"side by side: left and right halves", {{1000, 0, 0, {}}, {1000, 10000, 0, {}}},
         {{320, 360, 640, 720, 0, 0, 0.5f, 1}, {1320, 360, 640, 720, 0.5f, 0, 0.5f, 1}}},
        {"side by side at different heights", {{1000, 0, 100, {}}, {1000, 10000, 0, {}}},
         {{320, 360, 640, 720, 0, 0, 0.5f, 1}, {1320, 360, 640, 720, 0.5f, 0, 0.5f, 1}}},
        {"zooms 1000 and 2000 side by side", {{1000, 0, 0, {}}, {2000, 10000, 0, {}}},
         {{320, 360, 640, 720, 0, 0, 0.5f, 1}, {1320, 360, 320, 360, 0.5f, 0, 0.5f, 1}}},
        {"zoom 2000 on the left: the list puts it second", {{2000, 0, 0, {}}, {1000, 10000, 0, {}}},
         {{1320, 360, 640, 720, 0.5f, 0, 0.5f, 1}, {320, 360, 320, 360, 0, 0, 0.5f, 1}}},
        {"stacked: upper and lower halves", {{1000, 0, 0, {}}, {1000, 0, 4000, {}}},
         {{640, 180, 1280, 360, 0, 0, 1, 0.5f}, {640, 580, 1280, 360, 0, 0.5f, 1, 0.5f}}},
        {"stacked, zoom 2000 above", {{2000, 0, 0, {}}, {1000, 0, 4000, {}}},
         {{640, 580, 1280, 360, 0, 0.5f, 1, 0.5f}, {640, 180, 640, 180, 0, 0, 1, 0.5f}}},
        {"zoom 0 is taken as 1 thousandth", {{0, 0, 0, {}}}, {{320, 180, 640000, 360000, 0, 0, 1, 1}}},
        {"a negative zoom likewise", {{-40, 0, 0, {}}}, {{320, 180, 640000, 360000, 0, 0, 1, 1}}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        montar(caso.cameras);
        ASSERT_EQ(video_atualizar(16), 0);
        ASSERT_EQ(regioes(), caso.regioes.size());
        for (uint32_t i = 0; i < caso.regioes.size(); i++) {
            const Regiao& e = caso.regioes[i];
            const sf::View& v = *regiao(i + 1)->vista;
            EXPECT_NEAR(v.getCenter().x, e.cx, 0.01) << i;
            EXPECT_NEAR(v.getCenter().y, e.cy, 0.01) << i;
            EXPECT_NEAR(v.getSize().x, e.w, 0.01 + e.w * 1e-6) << i;
            EXPECT_NEAR(v.getSize().y, e.h, 0.01 + e.h * 1e-6) << i;
            // The world rectangle is the view's before the zoom.
            EXPECT_NEAR(regiao(i + 1)->esquerda + regiao(i + 1)->direita, 2 * e.cx, 0.05) << i;
            if (e.vw > 0) {
                const sf::FloatRect& r = v.getViewport();
                EXPECT_EQ((std::vector<float>{r.left, r.top, r.width, r.height}),
                          (std::vector<float>{e.vl, e.vt, e.vw, e.vh}))
                    << i;
            }
        }
        desmontar();
    }
}

TEST_F(Disposicao, CamposDoEncontroDeDuasCameras)
{
    std::vector<uint32_t> c = montar({{1000, 0, 0, {{10000, 20000, 100, 100, 100, 100}}},
                                      {1000, 0, 0, {{14000, 20000, 100, 100, 100, 100}}}});
    ASSERT_EQ(video_atualizar(16), 0);
    _video_camera* a = VIDEO_pegarCamera(c[0]);
    _video_camera* b = VIDEO_pegarCamera(c[1]);
    EXPECT_EQ(a->larguraMax, 3200);
    EXPECT_EQ(b->larguraMax, 3200);
    EXPECT_EQ(a->alturaMax, 3600);
    EXPECT_EQ(b->alturaMax, 3600);
    EXPECT_EQ(a->deslocamentoX, 400);
    EXPECT_EQ(b->deslocamentoX, -400);
    // Fitted to 8800..12000 and 12000..15200, then merged into the first.
    EXPECT_EQ(b->esquerda, 12000);
    EXPECT_EQ(b->direita, 15200);
    EXPECT_EQ(a->esquerda, 8800);
    EXPECT_EQ(a->direita, 15200);
    EXPECT_EQ(a->cima, 18200);
    EXPECT_EQ(a->baixo, 21800);
    ASSERT_EQ(regioes(), 1u);
    EXPECT_EQ(regiao(1)->esquerda, 880.0f);
    EXPECT_EQ(regiao(1)->baixo, 2180.0f);
}

TEST_F(Disposicao, CamerasDistantesMantemCadaCorpoEmVista)
{
    struct {
        const char* nome;
        int32_t margem, x2;
    } const casos[] = {
        {"margins 100, far apart", 100, 40000},
        {"zero margins: areas of no size", 0, 60000},
        {"zero margins, one pixel apart", 0, 10010},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const int32_t m = caso.margem;
        montar({{1000, 0, 0, {{10000, 20000, m, m, m, m}}}, {1000, 0, 0, {{caso.x2, 20000, m, m, m, m}}}});
        ASSERT_EQ(video_atualizar(16), 0);
        ASSERT_GE(regioes(), 1u);
        for (int32_t x : {10000, caso.x2}) {
            bool visto = false;
            for (uint32_t i = 1; i <= regioes(); i++) visto = visto || mostra(regiao(i), x, 20000);
            EXPECT_TRUE(visto) << x;
        }
        for (uint32_t i = 1; i <= regioes(); i++) {
            const sf::View& v = *regiao(i)->vista;
            EXPECT_TRUE(std::isfinite(v.getSize().x) && v.getSize().x > 0) << i;
            EXPECT_TRUE(std::isfinite(v.getSize().y) && v.getSize().y > 0) << i;
        }
        desmontar();
    }
}

TEST_F(Disposicao, CamerasDestruidasFicamDeForaEARegiaoSegueAOrdemDaLista)
{
    std::vector<uint32_t> c = montar({{1000, 100000, 0, {}}, {1000, 50000, 0, {}}, {2000, 0, 0, {}}});
    ASSERT_EQ(video_destruirCamera(c[1]), nullptr);
    ASSERT_EQ(video_atualizar(16), 0);
    ASSERT_EQ(regioes(), 2u);
    // Ordered by left edge, not by handle.
    EXPECT_LT(regiao(1)->esquerda, regiao(2)->esquerda);
    EXPECT_NEAR(regiao(1)->vista->getSize().x, 320, 0.01);  // the zoom-2000 camera at X 0
    // No camera: no region.
    apoio::liberarVideo();
    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_EQ(regioes(), 0u);
}

TEST_F(Disposicao, CorpoOuReferenciaQueSomemNaoPuxamACameraPara0)
{
    std::vector<uint32_t> c = montar({{1000, 0, 0, {{50000, 20000, 0, 0, 0, 0}}}});
    uint32_t r = (uint32_t)engine_vetorInteiro_pegarNumero(ENGINE_MODULO_VIDEO, VIDEO_pegarCamera(c[0])->referencias, 1);
    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_EQ(regiao(1)->vista->getCenter(), sf::Vector2f(5000, 2000));
    // The body goes: the camera stays where it was.
    ASSERT_EQ(fisica_destruirCorpo(2), nullptr);
    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_EQ(regiao(1)->vista->getCenter(), sf::Vector2f(5000, 2000));
    // A new body under that id is followed again.
    ASSERT_NE(fisica_criarCorpo(2, 30000, 10000), 0u);
    ASSERT_EQ(video_atualizar(16), 0);
    EXPECT_EQ(regiao(1)->vista->getCenter(), sf::Vector2f(3000, 1000));
    // The reference goes: still in place, also for a later reference under its handle.
    ASSERT_EQ(video_destruirReferencia(r), nullptr);
    ASSERT_EQ(video_criarReferencia(3), r);
    ASSERT_EQ(video_atualizar(16), 0);
    ASSERT_EQ(regioes(), 1u);
    EXPECT_EQ(regiao(1)->vista->getCenter(), sf::Vector2f(3000, 1000));
    // A camera whose bodies were never there shows its X, Y.
    uint32_t outra = video_criarCamera();
    video_camera_adicionarReferencia(outra, r);
    video_camera_mudarZoom(outra, 500);
    ASSERT_EQ(video_atualizar(16), 0);
    ASSERT_EQ(regioes(), 2u);
    EXPECT_EQ(regiao(1)->vista->getCenter(), sf::Vector2f(320, 180));
}

}  // namespace
