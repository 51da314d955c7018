// Level 0 as its start leaves it: the models, the entities in creation
// order, the collision geometry scaled to a tenth, and the two tile layers.
#include <BulletCollision/CollisionShapes/btCompoundShape.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "conteudo_apoio.h"

using namespace conteudo_apoio;

namespace {

class Level : public Jogo {
protected:
    struct Figura {
        uint32_t id;
        double esquerda, cima, direita, baixo;  // pixels, in the body's frame
    };
    // The figures attached to a body, in creation order, with their boxes.
    std::vector<Figura> figuras(uint32_t entidade)
    {
        std::vector<Figura> lista;
        btCompoundShape* c = (btCompoundShape*)fisica_corpo(entidade)->corpo->getCollisionShape();
        for (int i = 0; i < c->getNumChildShapes(); i++) {
            btVector3 min, max;
            c->getChildShape(i)->getAabb(c->getChildTransform(i), min, max);
            auto* anexo = (_fisica_figuraAnexada*)c->getChildShape(i)->getUserPointer();
            lista.push_back({anexo->figura, min.x(), min.y(), max.x(), max.y()});
        }
        std::sort(lista.begin(), lista.end(), [](const Figura& a, const Figura& b) { return a.id < b.id; });
        return lista;
    }
    void caixa(const Figura& f, double esquerda, double cima, double direita, double baixo)
    {
        EXPECT_NEAR(f.esquerda, esquerda, 0.1) << "figure " << f.id;
        EXPECT_NEAR(f.cima, cima, 0.1) << "figure " << f.id;
        EXPECT_NEAR(f.direita, direita, 0.1) << "figure " << f.id;
        EXPECT_NEAR(f.baixo, baixo, 0.1) << "figure " << f.id;
    }
    // The tile prints of a layer: (X, Y) in engine units to the picture's name.
    std::map<std::pair<int32_t, int32_t>, std::string> tiles(int32_t camada)
    {
        std::map<std::pair<int32_t, int32_t>, std::string> mapa;
        for (uint32_t h : apoio::impressoesDaCamada(camada)) {
            EXPECT_EQ(CONTEUDO_impressao(h, CONTEUDO_IMPRESSAO_ENTIDADE), (int32_t)level);
            _video_textura* t = VIDEO_pegarTextura(VIDEO_pegarAnimacao(h)->textura);
            auto chave = std::make_pair(CONTEUDO_impressao(h, CONTEUDO_IMPRESSAO_X), CONTEUDO_impressao(h, CONTEUDO_IMPRESSAO_Y));
            EXPECT_EQ(mapa.count(chave), 0u);
            mapa[chave] = t ? t->nome : "?";
        }
        return mapa;
    }
};

TEST_F(Level, ModelosEEntidadesNaOrdemDeCriacao)
{
    EXPECT_EQ(std::make_tuple(conteudoVazio, conteudoPersonagem, conteudoFim, conteudoEvento, conteudoJogador),
              std::make_tuple(1u, 2u, 3u, 4u, 5u));
    EXPECT_EQ(std::make_tuple(conteudoPonte, conteudoTrampolim, conteudoSensor, conteudoLevel_0),
              std::make_tuple(6u, 7u, 8u, 9u));
    // Level 2; sensors N 3 and Q 4; spring pad 5 with its sensors 6 and 7
    // and spring parts 8 to 12; bridge 13 with its sides 14 and 15 and
    // sensors 16 and 17; controller 18 and its character 19; the seven texts
    // 20 to 26; the end zone 27; the sensor beyond the level's edges 28.
    EXPECT_EQ(jogador, JOGADOR);
    EXPECT_EQ(personagem, PERSONAGEM);
    EXPECT_EQ(CONTEUDO_lerEm(3, "plataforma", 1), 'S');
    EXPECT_EQ(CONTEUDO_lerEm(3, "plataforma", 2), 0);
    EXPECT_EQ(CONTEUDO_lerEm(4, "plataforma", 2), 'S');
    const int32_t posicoes[][3] = {{5, 12405, 7976}, {13, 9100, 8400}, {18, 8000, 7000}, {20, 9100, 9100},
                                   {21, 7690, 9100}, {22, 6925, 9100}, {23, 5215, 6300}, {24, 7000, 5000},
                                   {25, 12505, 6300}, {26, 11200, 6550}, {27, 12600, 4900}};
    for (const auto& p : posicoes) {
        EXPECT_NEAR(CONTEUDO_corpo((uint32_t)p[0], CONTEUDO_CORPO_X), p[1], 1) << "entity " << p[0];
        EXPECT_NEAR(CONTEUDO_corpo((uint32_t)p[0], CONTEUDO_CORPO_Y), p[2], 1) << "entity " << p[0];
    }
    EXPECT_EQ(CONTEUDO_ler(0, "fora do nivel"), 28);
    EXPECT_EQ(fisica_existeCorpo(29), 'N');
    for (uint32_t e = 20; e <= 26; e++) {
        EXPECT_EQ(CONTEUDO_ler(e, "vezes"), e == 26 ? 3 : 1);
        EXPECT_NEAR(CONTEUDO_corpo(e, CONTEUDO_CORPO_ROTACAO), e == 20 || e == 26 ? -900 : 0, 1);
    }
    EXPECT_STREQ(CONTEUDO_lerTexto(21, "texto"), "You can jump out of the passage.\nPress \"space bar\" to jump!");
    EXPECT_EQ(CONTEUDO_lerTexto(0, "tiles"), nullptr);

    // "gambiarra" makes a bare character and an empty entity, nothing more.
    entidades_entidade_chamarFuncao(level, "gambiarra");
    EXPECT_EQ(fisica_existeCorpo(29), 'S');
    EXPECT_EQ(fisica_existeCorpo(30), 'S');
    EXPECT_EQ(CONTEUDO_ler(29, "animacao"), 0);
}

TEST_F(Level, GeometriaEscaladaAUmDecimo)
{
    for (uint32_t e : {2u, 3u, 4u}) {
        EXPECT_EQ(CONTEUDO_corpo(e, CONTEUDO_CORPO_ESCALA_X), 100);
        EXPECT_EQ(CONTEUDO_corpo(e, CONTEUDO_CORPO_ESCALA_Y), 100);
    }
    std::vector<Figura> l = figuras(level), n = figuras(3), q = figuras(4), fora = figuras(28);
    ASSERT_EQ(l.size(), 27u);
    ASSERT_EQ(n.size(), 6u);
    ASSERT_EQ(q.size(), 7u);
    // Figure 2, the floor 615 x 170 at (4900, 8010); its strips above it.
    caixa(l[1], 490, 801, 551.5, 818);
    caixa(n[0], 490, 791, 551.5, 801);
    caixa(q[0], 490, 799, 551.5, 801);
    caixa(l[2], 543, 801, 560, 818);          // figure 5, circle of radius 85
    caixa(l[12], 1050, 840, 1330, 857);       // figure 21
    caixa(l[15], 1291, 598.5, 1960, 1278);    // polygon 26, the slide
    caixa(l[19], 650, 490, 706, 630);         // block 30, over the small passage
    caixa(l[23], 630, 662, 770, 968);         // polygon 36
    caixa(l[25], 638.5, 660, 678, 677);       // figure 38, ground for the small size only
    caixa(q[6], 638.5, 658, 678, 660);        // its Q strip, figure 39
    caixa(n[5], 770, 830, 910, 840);          // figure 34, over block 33
    // Beyond wall 24 over the slide, below the lowest floors, in the trench
    // on block 28 and above the ceiling; clear of the end zone (1260..1330,
    // 490..560), of floor 17's underside (1137), of the small passage (below
    // 630), of the room under figure 31 (below 490) and of triangle 27's top
    // (1190, 490).
    ASSERT_EQ(fora.size(), 4u);
    caixa(fora[0], 1360, 560, 2300, 1700);
    caixa(fora[1], 300, 1160, 1360, 1700);
    caixa(fora[2], 706, 495, 1185, 620);
    caixa(fora[3], 473, 0, 1120, 480);
    // Creation order across the three bodies: 1, 2 (L), 3 (N), 4 (Q), 5 (L)...
    EXPECT_LT(l[1].id, n[0].id);
    EXPECT_LT(n[0].id, q[0].id);
    EXPECT_LT(q[0].id, l[2].id);
}

TEST_F(Level, CamadasDeTiles)
{
    auto fundo = tiles(5000);
    auto principal = tiles(10000);
    EXPECT_EQ(fundo.size(), 65u);
    EXPECT_EQ(principal.size(), 496u);
    EXPECT_EQ(std::count_if(principal.begin(), principal.end(), [](const auto& t) { return t.second == "SMM.png"; }),
              427);
    // Tile i of a row lies at ("x" + 700 i, "y") from the level's origin, in
    // tenths of the print's units before the level's scale.
    EXPECT_EQ(principal[std::make_pair(7000 * 18, 63000)], "GHH.png");
    EXPECT_EQ(principal[std::make_pair(7000 * 16, 42000)], "EXIT.png");
    EXPECT_EQ(principal[std::make_pair(7000 * 27, 161000)], "GSL1.png");
    EXPECT_EQ(principal.count(std::make_pair(7000 * 11, 70000)), 0u);  // column 12 of row 7000: a gap
    EXPECT_EQ(principal.count(std::make_pair(7000 * 16, 0)), 0u);      // the first rows hold 16
    // The back layer's last row: columns 3 to 8 only, though "tiles" holds 12.
    for (int32_t c = 1; c <= 12; c++)
        EXPECT_EQ(fundo.count(std::make_pair(49000 + 7000 * (c - 1), 105000)), c >= 3 && c <= 8 ? 1u : 0u) << c;
    EXPECT_EQ(fundo[std::make_pair(49000 + 7000 * 11, 56000)], "SFSL.png");
    // The backdrop, on no entity.
    auto fundoDoQuadro = apoio::impressoesDaCamada(1000);
    ASSERT_EQ(fundoDoQuadro.size(), 1u);
    EXPECT_EQ(CONTEUDO_impressao(fundoDoQuadro[0], CONTEUDO_IMPRESSAO_ENTIDADE), 0);
}

// Without the archive the level builds with gaps: no pictures, a character
// without a sheet (mass 0, so no capsule), and the frames run.
class LevelSemArquivo : public Level {
    std::vector<std::pair<std::string, std::string>> midia() override { return {}; }
    char logDasEntidades() override { return 'S'; }
};

TEST_F(LevelSemArquivo, ConstroiComLacunas)
{
    EXPECT_EQ(figuras(level).size(), 27u);
    EXPECT_TRUE(apoio::impressoesDaCamada(10000).empty());
    EXPECT_EQ(CONTEUDO_ler(personagem, "animacao"), 0);
    EXPECT_EQ(CONTEUDO_ler(personagem, "massa"), 0);
    EXPECT_NE(logDoInicio.find("ENTIDADES - Quadro da folha do personagem fora do tamanho suportado; massa limitada; "
                               "Valor: 0\n"),
              std::string::npos)
        << logDoInicio;
    andar(1);
    chamar("pular");
    quadros(1000);
    chamar("diminuir");
    quadros(1000);
    EXPECT_EQ(var("tamanho"), 2);
}

}  // namespace
