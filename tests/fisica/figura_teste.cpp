// Figures: shapes, attachments with their offsets and masses, properties.
#include "fisica_teste.h"

namespace {

using Figura = Fisica;

btVector3 origemDoFilho(uint32_t entidade, int i) { return composta(entidade)->getChildTransform(i).getOrigin(); }

void caixa(const btCollisionShape* forma, btVector3& min, btVector3& max)
{
    btTransform t;
    t.setIdentity();
    forma->getAabb(t, min, max);
}

TEST_F(Figura, CriacaoRecusada)
{
    fisicaLog = 'S';
    testing::internal::CaptureStderr();
    EXPECT_EQ(fisica_criarRetangulo(0, 50), 0u);
    EXPECT_EQ(fisica_criarRetangulo(-5, 50), 0u);
    EXPECT_EQ(fisica_criarRetangulo(50, 0), 0u);
    EXPECT_EQ(fisica_criarCirculo(0), 4294967295u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "F\xCD" "SICA - Dimensoes incorretas ao criar quadrilatero\n"
              "F\xCD" "SICA - Dimensoes incorretas ao criar quadrilatero\n"
              "F\xCD" "SICA - Dimensoes incorretas ao criar quadrilatero\n"
              "F\xCD" "SICA - Raio incorreto ao criar circulo\n");
    fisicaLog = 'N';
    // No id was used, and the circle's answer names no figure.
    EXPECT_EQ(fisica_criarPoligono(), 1u);
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    EXPECT_EQ(texto(fisica_anexarFigura(2, 4294967295u, 0, 0)), "Figura nao encontrada");
}

TEST_F(Figura, AnexarColocaOCentroESomaMassa)
{
    const struct {
        const char* nome;
        uint32_t (*criar)();
        int32_t x, y;
        btScalar cx, cy;
        int32_t massa;
    } casos[] = {
        {"retangulo", [] { return fisica_criarRetangulo(700, 700); }, 0, 0, 35, 35, 49000},
        {"retangulo deslocado", [] { return fisica_criarRetangulo(700, 700); }, 300, -100, 65, 25, 49000},
        {"circulo", [] { return fisica_criarCirculo(1000); }, 0, 0, 100, 100, 173000},
        // Radius times density passes 2^31 and wraps in 32 bits.
        {"circulo denso",
         [] {
             uint32_t f = fisica_criarCirculo(1000);
             EXPECT_EQ(mudarFigura(f, FISICA_FIGURA_DENSIDADE, 20000000), nullptr);
             return f;
         },
         0, 0, 100, 100, (int32_t)(uint32_t)(173ull * 20000000ull)},
    };
    uint32_t id = 2;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_EQ(fisica_criarCorpo(id, 0, 0), id);
        uint32_t f = c.criar();
        ASSERT_NE(f, 0u);
        ASSERT_EQ(fisica_anexarFigura(id, f, c.x, c.y), nullptr);
        EXPECT_FLOAT_EQ(origemDoFilho(id, 0).x(), c.cx);
        EXPECT_FLOAT_EQ(origemDoFilho(id, 0).y(), c.cy);
        EXPECT_EQ(ler(id, FISICA_MASSA), c.massa);
        id++;
    }
}

TEST_F(Figura, AnexarADinamicoDaMassaAoCorpo)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(mudar(2, FISICA_DINAMICO, 'S'), nullptr);
    uint32_t f = fisica_criarRetangulo(700, 700);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    EXPECT_FLOAT_EQ(fisica_corpo(2)->corpo->getInvMass(), 1.0f / 49.0f);
}

TEST_F(Figura, DensidadeSomaAreaVezesCemVezesADiferenca)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    uint32_t f = fisica_criarRetangulo(700, 700);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, f, 0, 0), nullptr);
    ASSERT_EQ(mudarFigura(f, FISICA_FIGURA_DENSIDADE, 2000), nullptr);
    EXPECT_EQ(ler(2, FISICA_MASSA), 49000 + 490000000);
    EXPECT_EQ(ler(3, FISICA_MASSA), 49000 + 490000000);
    // The same density changes nothing; another raise wraps in 32 bits.
    ASSERT_EQ(mudarFigura(f, FISICA_FIGURA_DENSIDADE, 2000), nullptr);
    EXPECT_EQ(ler(2, FISICA_MASSA), 490049000);
    ASSERT_EQ(mudarFigura(f, FISICA_FIGURA_DENSIDADE, 10000), nullptr);
    EXPECT_EQ(ler(2, FISICA_MASSA), (int32_t)(uint32_t)(490049000ull + 490000ull * 8000ull));
}

TEST_F(Figura, PropriedadesENovaFigura)
{
    uint32_t f = fisica_criarCirculo(50);
    EXPECT_EQ(lerFigura(f, FISICA_FIGURA_DENSIDADE), 1000);
    EXPECT_EQ(lerFigura(f, FISICA_FIGURA_ATRITO), 500);
    EXPECT_EQ(lerFigura(f, FISICA_FIGURA_AMORTECIMENTO), 500);
    const struct { uint32_t p; _engine_valor v; const char* erro; } casos[] = {
        {FISICA_FIGURA_DENSIDADE, -1, "Densidade negativa"},
        {FISICA_FIGURA_DENSIDADE, 0, nullptr},
        {FISICA_FIGURA_ATRITO, -1, "Atrito negativo"},
        {FISICA_FIGURA_ATRITO, 0, nullptr},
        {FISICA_FIGURA_AMORTECIMENTO, 1001, "Amortecimento fora da faixa de 0 a 100%"},
        {FISICA_FIGURA_AMORTECIMENTO, -1, "Amortecimento fora da faixa de 0 a 100%"},
        {FISICA_FIGURA_AMORTECIMENTO, 0, nullptr},
        {FISICA_FIGURA_AMORTECIMENTO, 1000, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.p) + " " + std::to_string(c.v));
        _engine_valor antes = lerFigura(f, c.p);
        EXPECT_EQ(texto(mudarFigura(f, c.p, c.v)), texto(c.erro));
        EXPECT_EQ(lerFigura(f, c.p), c.erro ? antes : c.v);
        EXPECT_EQ(texto(mudarFigura(f + 1, c.p, c.v)), "Figura invalida");
        EXPECT_EQ(lerFigura(f + 1, c.p), 0);
    }
}

TEST_F(Figura, PoligonoFicaNosVerticesAteAEscalaMudar)
{
    uint32_t r = fisica_criarRetangulo(10, 10);
    EXPECT_EQ(texto(fisica_poligono_adicionarPonto(r, 1, 1)), "Figura nao e poligono");
    EXPECT_EQ(texto(fisica_poligono_adicionarPonto(r + 7, 1, 1)), "Figura invalida");

    uint32_t p = fisica_criarPoligono();
    const int32_t vertices[][2] = {{1291, 606}, {1298, 598}, {1960, 1260}};
    for (const auto& v : vertices) ASSERT_EQ(fisica_poligono_adicionarPonto(p, v[0], v[1]), nullptr);
    const btConvexHullShape* casco = (const btConvexHullShape*)fisica_figura(p)->forma;
    ASSERT_EQ(casco->getNumPoints(), 3);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(casco->getUnscaledPoints()[i].x(), (btScalar)vertices[i][0] * 0.1f);
        EXPECT_EQ(casco->getUnscaledPoints()[i].y(), (btScalar)vertices[i][1] * 0.1f);
    }
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    ASSERT_EQ(fisica_anexarFigura(2, p, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, p, 100, 0), nullptr);
    EXPECT_EQ(origemDoFilho(2, 0), btVector3(0, 0, 0));
    EXPECT_EQ(origemDoFilho(3, 0), btVector3(0, 0, 0));
    ASSERT_EQ(mudar(3, FISICA_ESCALA_X, 1000), nullptr);
    EXPECT_FLOAT_EQ(origemDoFilho(3, 0).x(), 10.0f);
}

TEST_F(Figura, VerticeNovoRefazOsAnexos)
{
    uint32_t p = fisica_criarPoligono();
    ASSERT_EQ(fisica_poligono_adicionarPonto(p, 0, 0), nullptr);
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_anexarFigura(2, p, 100, 0), nullptr);
    int32_t massa = (int32_t)ler(2, FISICA_MASSA);
    ASSERT_EQ(fisica_poligono_adicionarPonto(p, 100, 0), nullptr);
    ASSERT_EQ(composta(2)->getNumChildShapes(), 1);
    // A fresh wrapper at the offset times the scaling; the mass stays.
    EXPECT_FLOAT_EQ(origemDoFilho(2, 0).x(), 10.0f);
    EXPECT_EQ(composta(2)->getChildShape(0)->getUserPointer(),
              engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisica_figura(p)->anexos, 1));
    EXPECT_EQ(ler(2, FISICA_MASSA), massa);
}

TEST_F(Figura, Linhas)
{
    const struct { const char* nome; int32_t x1, y1, x2, y2; btScalar minX, minY, maxX, maxY; } casos[] = {
        {"para a direita", 0, 0, 100, 0, -1, -1, 11, 1},
        {"para a esquerda", 100, 0, 0, 0, -1, -1, 11, 1},
        // Both ends at one x: the thin box around the segment, not NaN.
        {"vertical", 100, 500, 100, 0, 9, -1, 11, 51},
        {"um ponto", 30, 30, 30, 30, 2, 2, 4, 4},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        uint32_t f = fisica_criarLinha(c.x1, c.y1, c.x2, c.y2);
        ASSERT_NE(f, 0u);
        btVector3 min, max;
        caixa(fisica_figura(f)->forma, min, max);
        // Within the hull's margins.
        EXPECT_NEAR(min.x(), c.minX, 0.1);
        EXPECT_NEAR(min.y(), c.minY, 0.1);
        EXPECT_NEAR(max.x(), c.maxX, 0.1);
        EXPECT_NEAR(max.y(), c.maxY, 0.1);
    }
    // Ends one tenth apart, far out, where both x are the same float: the
    // direction comes from the integers, so the hull is finite.
    btVector3 min, max;
    caixa(fisica_figura(fisica_criarLinha(16777217, 0, 16777216, 0))->forma, min, max);
    EXPECT_NEAR(max.x() - min.x(), 2.0, 0.3);
    EXPECT_NEAR(max.y() - min.y(), 2.0, 0.2);
}

TEST_F(Figura, RemoverAnexosDoMaisRecente)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    uint32_t f = fisica_criarRetangulo(100, 100);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(2, f, 500, 0), nullptr);
    int32_t massa = (int32_t)ler(2, FISICA_MASSA);
    ASSERT_EQ(fisica_removerFiguraAnexada(2, f), nullptr);
    ASSERT_EQ(composta(2)->getNumChildShapes(), 1);
    EXPECT_FLOAT_EQ(origemDoFilho(2, 0).x(), 5.0f);  // the earlier one stays
    ASSERT_EQ(fisica_removerFiguraAnexada(2, f), nullptr);
    EXPECT_EQ(composta(2)->getNumChildShapes(), 0);
    EXPECT_EQ(texto(fisica_removerFiguraAnexada(2, f)), "Figura anexada invalida");
    EXPECT_EQ(ler(2, FISICA_MASSA), massa);

    EXPECT_EQ(texto(fisica_removerFiguraAnexada(3, f)), "Entidade invalida");
    EXPECT_EQ(texto(fisica_removerFiguraAnexada(2, f + 1)), "Figura invalida");
    EXPECT_EQ(texto(fisica_anexarFigura(3, f, 0, 0)), "Corpo nao encontrado");
    EXPECT_EQ(texto(fisica_anexarFigura(2, f + 1, 0, 0)), "Figura nao encontrada");
}

// A figure destroyed while attached leaves no wrapper around its deleted
// shape in any body; masses stay.
TEST_F(Figura, DestruirFiguraAnexadaSoltaDeTodosOsCorpos)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 50), 3u);
    uint32_t f = fisica_criarRetangulo(100, 100);
    uint32_t g = fisica_criarCirculo(20);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, g, 0, 0), nullptr);
    int32_t massa = (int32_t)ler(3, FISICA_MASSA);
    ASSERT_EQ(mudar(3, FISICA_DINAMICO, 'S'), nullptr);
    EXPECT_EQ(fisica_destruirFigura(f), nullptr);
    EXPECT_EQ(composta(2)->getNumChildShapes(), 0);
    ASSERT_EQ(composta(3)->getNumChildShapes(), 1);
    EXPECT_EQ(composta(3)->getChildShape(0)->getUserPointer(),
              engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisica_figura(g)->anexos, 1));
    EXPECT_EQ(ler(3, FISICA_MASSA), massa);
    EXPECT_EQ(texto(fisica_destruirFigura(f)), "Figura invalida");
    quadros(3);
    EXPECT_EQ(fisica_criarRetangulo(10, 10), f);  // the id is reused
}

// Scaling one body rescales a shared figure's shape on every body: the
// others' compound bounds follow.
TEST_F(Figura, EscalaDeFiguraCompartilhadaAtualizaOsOutrosCorpos)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    uint32_t f = fisica_criarRetangulo(100, 100);
    ASSERT_EQ(fisica_anexarFigura(2, f, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, f, 0, 0), nullptr);
    btVector3 min, max;
    caixa(composta(3), min, max);
    EXPECT_NEAR(max.x() - min.x(), 10.0, 0.1);

    ASSERT_EQ(mudar(2, FISICA_ESCALA_X, 2000), nullptr);
    EXPECT_EQ(ler(2, FISICA_ESCALA_X), 2000);
    EXPECT_EQ(ler(3, FISICA_ESCALA_X), 1000);
    EXPECT_FLOAT_EQ(origemDoFilho(2, 0).x(), 10.0f);
    caixa(composta(3), min, max);
    EXPECT_NEAR(max.x() - min.x(), 20.0, 0.1);
    EXPECT_NEAR(max.y() - min.y(), 10.0, 0.1);
}

TEST_F(Figura, EscalaNulaRecusada)
{
    ASSERT_EQ(fisica_criarCorpo(2, 0, 0), 2u);
    ASSERT_EQ(fisica_anexarFigura(2, fisica_criarRetangulo(100, 100), 0, 0), nullptr);
    EXPECT_EQ(texto(mudar(2, FISICA_ESCALA_Y, 0)), "Escala nula");
    ASSERT_EQ(mudar(2, FISICA_ESCALA_Y, 500), nullptr);
    EXPECT_EQ(ler(2, FISICA_ESCALA_Y), 500);
    EXPECT_FLOAT_EQ(origemDoFilho(2, 0).y(), 2.5f);
}

}  // namespace
