// Overlap queries: a body's figures at another scale or place against the
// other bodies, without touching the body or the world's collision records.
#include <vector>

#include "fisica_teste.h"

namespace {

class Sobreposicao : public Fisica {
protected:
    // A floor (body 2, top at y 100 px) and a ceiling (body 3, bottom at
    // y 20 px), 400 px wide; body 4, a 20 x 20 px box centred on its origin
    // at (200, 90), at half its size: 10 x 10 px.
    void SetUp() override
    {
        Fisica::SetUp();
        ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
        ASSERT_EQ(fisica_anexarFigura(2, fisica_criarRetangulo(4000, 200), 0, 1000), nullptr);
        ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
        ASSERT_EQ(fisica_anexarFigura(3, fisica_criarRetangulo(4000, 200), 0, 0), nullptr);
        ASSERT_EQ(fisica_criarCorpo(4, 2000, 900), 4u);
        caixa = fisica_criarRetangulo(200, 200);
        ASSERT_EQ(fisica_anexarFigura(4, caixa, -100, -100), nullptr);
        ASSERT_EQ(mudar(4, FISICA_ESCALA_X, 500), nullptr);
        ASSERT_EQ(mudar(4, FISICA_ESCALA_Y, 500), nullptr);
        quadros(1);
    }
    std::vector<uint32_t> sobre(uint32_t entidade, int32_t escala, int32_t dx, int32_t dy, int32_t folga)
    {
        uint32_t corpos[8] = {};
        uint32_t n = fisica_sobreposicoes(entidade, escala, dx, dy, folga, corpos, 8);
        return std::vector<uint32_t>(corpos, corpos + (n < 8 ? n : 8));
    }
    uint32_t caixa = 0;
};

TEST_F(Sobreposicao, EscalaEDeslocamentoContraOsOutrosCorpos)
{
    using V = std::vector<uint32_t>;
    const struct {
        const char* nome;
        int32_t escala, dx, dy, folga;
        V corpos;
    } casos[] = {
        {"as it is", 500, 0, 0, 0, {}},
        {"twice: the box's bottom on the floor's top", 1000, 0, 0, 10, {}},
        {"four times: 10 px into the floor", 2000, 0, 0, 10, {2}},
        {"four times, 15 px allowed", 2000, 0, 0, 150, {}},
        {"twice, 70 px up: 10 px into the ceiling", 1000, 0, -700, 10, {3}},
        {"sixteen times: both, in id order", 8000, 0, 0, 10, {2, 3}},
        {"beyond the floor's end", 2000, 5000, 0, 0, {}},
    };
    for (const auto& c : casos) EXPECT_EQ(sobre(4, c.escala, c.dx, c.dy, c.folga), c.corpos) << c.nome;
}

TEST_F(Sobreposicao, NadaMudaNoCorpoNemNoMundo)
{
    // The box's figure is shared with a fifth body at another scale.
    ASSERT_EQ(fisica_criarCorpo(5, 3000, 500), 5u);
    ASSERT_EQ(fisica_anexarFigura(5, caixa, -100, -100), nullptr);
    quadros(1);
    btVector3 antes = composta(4)->getChildShape(0)->getLocalScaling();
    btVector3 filho = composta(4)->getChildTransform(0).getOrigin();
    btVector3 outro = composta(5)->getChildShape(0)->getLocalScaling();
    uint32_t colisoes = engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoes);

    EXPECT_EQ(sobre(4, 8000, 0, 0, 0), (std::vector<uint32_t>{2, 3}));
    EXPECT_EQ(ler(4, FISICA_ESCALA_X), 500);
    EXPECT_EQ(ler(4, FISICA_X), 2000);
    EXPECT_EQ(ler(4, FISICA_Y), 900);
    EXPECT_EQ(composta(4)->getChildShape(0)->getLocalScaling(), antes);
    EXPECT_EQ(composta(4)->getChildTransform(0).getOrigin(), filho);
    EXPECT_EQ(composta(5)->getChildShape(0)->getLocalScaling(), outro);
    // The query stores no contact and makes no collision record.
    EXPECT_EQ(engine_vetorPersistente_pegarTamanho(ENGINE_MODULO_FISICA, fisicaColisoes), colisoes);

    // No body, no figures, or a scale of 0: nothing to overlap.
    EXPECT_EQ(sobre(9, 1000, 0, 0, 0), std::vector<uint32_t>{});
    ASSERT_EQ(fisica_criarCorpo(6, 2000, 900), 6u);
    EXPECT_EQ(sobre(6, 1000, 0, 0, 0), std::vector<uint32_t>{});
    EXPECT_EQ(sobre(4, 0, 0, 0, 0), std::vector<uint32_t>{});
    // More bodies than the caller's room: all are counted, the first kept.
    uint32_t um = 0;
    EXPECT_EQ(fisica_sobreposicoes(4, 8000, 0, 0, 0, &um, 1), 2u);
    EXPECT_EQ(um, 2u);
}

}  // namespace
