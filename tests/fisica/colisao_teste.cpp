// Collisions: records made by the contact hook, start, turn and end reports
// to entity functions, cancellation, and changes asked from handlers while
// the world steps.
#include "fisica_teste.h"

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Every handler call, in order, with the event state it saw.
struct Chamada {
    uint32_t entidade;
    std::string nome;
    uint32_t colisao;
    char iniciando, terminando;
    uint32_t segundo;  // the collision's side 2 at the time of the call
};
std::vector<Chamada> chamadas;
std::function<void(uint32_t, const std::string&)> acao;

void* anotar(uint32_t e, const char* nome)
{
    uint32_t c = fisica_colisaoDoEvento();
    chamadas.push_back(
        {e, nome, c, fisica_iniciandoColisao(), fisica_terminandoColisao(), fisica_colisao_pegarSegundoCorpo(c)});
    if (acao) acao(e, nome);
    return nullptr;
}
void* fA(uint32_t e) { return anotar(e, "a"); }
void* fB(uint32_t e) { return anotar(e, "b"); }
void* fC(uint32_t e) { return anotar(e, "c"); }

std::vector<std::string> nomes(const std::vector<Chamada>& cs)
{
    std::vector<std::string> r;
    for (const Chamada& c : cs) r.push_back(std::to_string(c.entidade) + c.nome);
    return r;
}

class Colisao : public Fisica {
protected:
    uint32_t modelo = 0;
    uint32_t piso = 0, caixa = 0;
    uint32_t figuraPiso = 0, figuraCaixa = 0;

    void SetUp() override
    {
        Fisica::SetUp();
        chamadas.clear();
        acao = nullptr;
        modelo = entidades_criarModelo(nullptr);
        entidades_modelo_criarFuncao(modelo, "a", fA);
        entidades_modelo_criarFuncao(modelo, "b", fB);
        entidades_modelo_criarFuncao(modelo, "c", fC);
    }
    void TearDown() override
    {
        acao = nullptr;
        Fisica::TearDown();
    }

    uint32_t entidade(int32_t x, int32_t y) { return entidades_criarEntidade(modelo, x, y); }

    // A kinematic floor 400 x 20 whose top is at y = 100, and a dynamic
    // 20 x 20 box centred on its origin, kept from turning, which rests on
    // the floor when its Y reads 900.
    void cena()
    {
        piso = entidade(0, 1000);
        figuraPiso = fisica_criarRetangulo(4000, 200);
        ASSERT_EQ(fisica_anexarFigura(piso, figuraPiso, 0, 0), nullptr);
        caixa = entidade(1500, 0);
        figuraCaixa = fisica_criarRetangulo(200, 200);
        // No bounce: the box stays on the floor once it lands.
        ASSERT_EQ(mudarFigura(figuraCaixa, FISICA_FIGURA_AMORTECIMENTO, 1000), nullptr);
        soltar(caixa, 1500, 0);
    }
    void soltar(uint32_t corpo, int32_t x, int32_t y)
    {
        if (composta(corpo)->getNumChildShapes() == 0) {
            ASSERT_EQ(fisica_anexarFigura(corpo, figuraCaixa, -100, -100), nullptr);
        }
        ASSERT_EQ(mudar(corpo, FISICA_PODE_RODAR, 'N'), nullptr);
        ASSERT_EQ(mudar(corpo, FISICA_DINAMICO, 'N'), nullptr);
        ASSERT_EQ(mudar(corpo, FISICA_X, x), nullptr);
        ASSERT_EQ(mudar(corpo, FISICA_Y, y), nullptr);
        ASSERT_EQ(mudar(corpo, FISICA_DINAMICO, 'S'), nullptr);
    }
    bool emRepouso(uint32_t corpo)
    {
        _engine_valor y = ler(corpo, FISICA_Y);
        return y >= 895 && y <= 905 && std::abs((double)ler(corpo, FISICA_VELOCIDADE_Y)) < 20;
    }
};

TEST_F(Colisao, CaixaCaiRepousaETerminaDepoisDe40ms)
{
    cena();
    ASSERT_EQ(fisica_tratarColisoes(piso, piso, "a"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(caixa, piso, "b"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(caixa, caixa, "c"), nullptr);
    quadros(120);
    EXPECT_TRUE(emRepouso(caixa)) << ler(caixa, FISICA_Y);

    // One start: side 1 is the floor (the lower id), its newest
    // registration first, then the box's.
    ASSERT_EQ(nomes(chamadas), (std::vector<std::string>{"3b", "2a", "3c"}));
    uint32_t id = chamadas[0].colisao;
    for (const Chamada& c : chamadas) {
        EXPECT_EQ(c.iniciando, 'S');
        EXPECT_EQ(c.terminando, 'N');
        EXPECT_EQ(c.colisao, id);
    }
    EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(id), piso);
    EXPECT_EQ(fisica_colisao_pegarSegundoCorpo(id), caixa);
    EXPECT_EQ(fisica_colisao_pegarAngulo(id, piso), 2700);  // the box is above

    // The floor leaves; the end comes in the first frame more than 40 ms
    // after the last contact: the third frame of 17 ms.
    chamadas.clear();
    ASSERT_EQ(mudar(piso, FISICA_Y, 100000), nullptr);
    quadros(2);
    EXPECT_TRUE(chamadas.empty());
    quadros(1);
    ASSERT_EQ(nomes(chamadas), (std::vector<std::string>{"3b", "2a", "3c"}));
    for (const Chamada& c : chamadas) {
        EXPECT_EQ(c.terminando, 'S');
        EXPECT_EQ(c.iniciando, 'N');
        EXPECT_EQ(c.colisao, id);
    }
    EXPECT_EQ(fisica_terminandoColisao(), 'N');
    quadros(10);
    EXPECT_EQ(chamadas.size(), 3u);
    EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(id), 0u);  // the record is gone
}

TEST_F(Colisao, DoisFinsEmQuadrosSeguidosNaOrdemDasChaves)
{
    cena();
    // Body 10 without an entity: its key 2-1-10-2 sorts before 2-1-3-2.
    ASSERT_EQ(fisica_criarCorpo(10, 0, 0), 10u);
    soltar(10, 2500, 0);
    ASSERT_EQ(fisica_tratarColisoes(piso, piso, "a"), nullptr);
    quadros(120);
    ASSERT_EQ(chamadas.size(), 2u);
    chamadas.clear();
    ASSERT_EQ(mudar(piso, FISICA_Y, 100000), nullptr);
    std::vector<uint32_t> fins;
    for (int i = 0; i < 6; i++) {
        size_t antes = chamadas.size();
        fisica_atualizar(17);
        for (size_t j = antes; j < chamadas.size(); j++) {
            EXPECT_EQ(chamadas[j].terminando, 'S');
            fins.push_back(chamadas[j].segundo);
        }
        // None in the first two frames, one in each of the next two.
        EXPECT_EQ(chamadas.size(), antes + (i >= 2 && i < 4 ? 1 : 0)) << "frame " << i;
    }
    EXPECT_EQ(fins, (std::vector<uint32_t>{10, caixa}));
}

TEST_F(Colisao, CancelarNoInicioDeixaPassarAteOFim)
{
    cena();
    ASSERT_EQ(fisica_tratarColisoes(piso, piso, "a"), nullptr);
    acao = [](uint32_t, const std::string&) {
        if (fisica_iniciandoColisao() == 'S') fisica_colisao_mudarCancelada(fisica_colisaoDoEvento(), 'S');
    };
    quadros(120);
    // Through the floor, one start, and the end once it is left behind.
    EXPECT_GT(ler(caixa, FISICA_Y), 1300);
    int inicios = 0, fins = 0;
    for (const Chamada& c : chamadas) {
        inicios += c.iniciando == 'S';
        fins += c.terminando == 'S';
    }
    EXPECT_EQ(inicios, 1);
    EXPECT_EQ(fins, 1);
    uint32_t primeira = chamadas[0].colisao;

    // A new contact after the end starts uncancelled.
    acao = nullptr;
    chamadas.clear();
    soltar(caixa, 1500, 0);
    quadros(120);
    EXPECT_TRUE(emRepouso(caixa)) << ler(caixa, FISICA_Y);
    ASSERT_EQ(chamadas.size(), 1u);
    EXPECT_EQ(chamadas[0].iniciando, 'S');
    EXPECT_EQ(fisica_colisao_pegarCancelada(chamadas[0].colisao), 'N');
    EXPECT_EQ(chamadas[0].colisao, primeira);  // the freed id, reused
}

TEST_F(Colisao, TratadorQueSeRetiraEFimQueDestroiOsCorpos)
{
    cena();
    ASSERT_EQ(fisica_tratarColisoes(piso, piso, "a"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(caixa, piso, "b"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(caixa, caixa, "c"), nullptr);
    uint32_t p = piso, cx = caixa;
    acao = [p, cx](uint32_t e, const std::string& nome) {
        // "b" leaves at the start; at the end "a" destroys both bodies, so
        // the box's own handler is not called.
        if (nome == "b") {
            EXPECT_EQ(fisica_pararDeTratarColisoes(e, p), nullptr);
        }
        if (nome == "a" && fisica_terminandoColisao() == 'S') {
            EXPECT_EQ(fisica_destruirCorpo(cx), nullptr);
            EXPECT_EQ(fisica_destruirCorpo(p), nullptr);
        }
    };
    quadros(60);
    ASSERT_EQ(nomes(chamadas), (std::vector<std::string>{"3b", "2a", "3c"}));
    chamadas.clear();
    ASSERT_EQ(mudar(piso, FISICA_Y, 100000), nullptr);
    quadros(5);
    EXPECT_EQ(nomes(chamadas), (std::vector<std::string>{"2a"}));
    EXPECT_EQ(fisica_existeCorpo(piso), 'N');
    EXPECT_EQ(fisica_existeCorpo(caixa), 'N');
}

// Writing Massa, Dinamico and EscalaX, creating and destroying bodies and
// attaching figures from a handler inside the step: all of it waits for the
// end of the step. The library's pools are shrunk to one element, and that
// element is taken for the whole test, so every algorithm and manifold of
// the step comes from the heap: a change applied inside the step would free
// them under the library's feet, and the sanitizer build (freed blocks
// filled, below) crashes on it.
class ColisaoPoolsPequenos : public Colisao {
protected:
    btSphereShape formaOcupante{1};
    btCollisionObject ocupante;
    btPersistentManifold* manifoldOcupante = nullptr;
    void* algoritmoOcupante = nullptr;

    int iniciar() override
    {
        btDefaultCollisionConstructionInfo info;
        info.m_defaultMaxPersistentManifoldPoolSize = 1;
        info.m_defaultMaxCollisionAlgorithmPoolSize = 1;
        int r = FISICA_iniciarCom('N', 1000, info);
        ocupante.setCollisionShape(&formaOcupante);
        manifoldOcupante = fisicaDispatcher->getNewManifold(&ocupante, &ocupante);
        algoritmoOcupante = fisicaDispatcher->allocateCollisionAlgorithm(1);
        return r;
    }
    void TearDown() override
    {
        fisicaDispatcher->releaseManifold(manifoldOcupante);
        fisicaDispatcher->freeCollisionAlgorithm(algoritmoOcupante);
        Colisao::TearDown();
    }
};

TEST_F(ColisaoPoolsPequenos, MudancasDoTratadorEsperamOFimDoPasso)
{
    cena();
    uint32_t outro = entidade(3000, 0);
    soltar(outro, 3000, 0);
    ASSERT_EQ(fisica_tratarColisoes(caixa, caixa, "c"), nullptr);
    uint32_t p = piso, cx = caixa, fc = figuraCaixa;
    uint32_t config = fisica_configurarCorpo(), aplicacao = 0;
    ASSERT_EQ(fisica_config_passarTempo(config, 100), nullptr);
    std::vector<_engine_valor> durante;
    acao = [&durante, &aplicacao, config, p, cx, fc](uint32_t, const std::string&) {
        if (fisica_iniciandoColisao() != 'S') return;
        EXPECT_EQ(mudar(cx, FISICA_MASSA, 30000), nullptr);
        EXPECT_EQ(mudar(cx, FISICA_ESCALA_X, 2000), nullptr);
        EXPECT_EQ(mudar(cx, FISICA_DINAMICO, 'N'), nullptr);
        // Behind the queued kind, this places the body instead of setting a
        // velocity; the new body gets its position too.
        EXPECT_EQ(mudar(cx, FISICA_X, 5000), nullptr);
        EXPECT_EQ(fisica_criarCorpo(20, 0, 0), 20u);
        EXPECT_EQ(fisica_criarCorpo(20, 0, 0), 0u);
        EXPECT_EQ(mudar(20, FISICA_Y, 700), nullptr);
        EXPECT_EQ(fisica_anexarFigura(20, fc, 0, 0), nullptr);
        // The new body's handler and timeline are kept for it.
        // from a buffer that is gone before the registration is replayed.
        EXPECT_EQ(fisica_tratarColisoes(cx, 20, std::string("a").c_str()), nullptr);
        aplicacao = fisica_aplicarConfiguracao(config, 20);
        EXPECT_EQ(mudarFigura(fc, FISICA_FIGURA_DENSIDADE, 3000), nullptr);
        EXPECT_EQ(fisica_destruirCorpo(p), nullptr);
        EXPECT_EQ(texto(fisica_anexarFigura(p, fc, 0, 0)), "Corpo nao encontrado");
        durante = {ler(cx, FISICA_MASSA), ler(cx, FISICA_ESCALA_X), ler(cx, FISICA_DINAMICO),
                   fisica_existeCorpo(20), fisica_existeCorpo(p)};
    };
    for (int i = 0; i < 120 && chamadas.empty(); i++) fisica_atualizar(17);
    ASSERT_EQ(chamadas.size(), 1u);
    // Inside the step nothing had changed yet.
    EXPECT_EQ(durante, (std::vector<_engine_valor>{15000, 1000, 'S', 'N', 'S'}));
    // Right after it, everything had, in the order asked.
    EXPECT_EQ(ler(caixa, FISICA_ESCALA_X), 2000);
    EXPECT_EQ(ler(caixa, FISICA_DINAMICO), 'N');
    EXPECT_EQ(ler(caixa, FISICA_X), 5000);
    EXPECT_EQ(ler(20, FISICA_Y), 700);
    EXPECT_EQ(fisica_existeCorpo(piso), 'N');
    EXPECT_EQ(fisica_existeCorpo(20), 'S');
    EXPECT_EQ(composta(20)->getNumChildShapes(), 1);
    const _fisica_corpo* vinte = fisica_corpo(20);
    ASSERT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, vinte->tratadores), 1u);
    EXPECT_STREQ(
        ((_fisica_tratador*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, vinte->tratadores, 1))->nome, "a");
    EXPECT_EQ(fisica_pararDeTratarColisoes(caixa, 20), nullptr);
    ASSERT_NE(aplicacao, 0u);
    EXPECT_EQ(fisica_cancelarConfiguracao(aplicacao), nullptr);
    // The box's scale had already stretched the shared figure to 40 x 20
    // when it was attached to 20 (radius 22) and when its density changed
    // (area 800, times 100, times 2000 more).
    EXPECT_EQ(ler(caixa, FISICA_MASSA), 30000 + 800 * 100 * 2000);
    EXPECT_EQ(ler(20, FISICA_MASSA), 22000 + 800 * 100 * 2000);
    acao = nullptr;
    quadros(30);
}

// ------------------------------------------------------------ the hook

// Calls the contact hook as the contact-storing step would, for a point
// whose direction from side 1 towards side 2 is angulo (tenths of a degree).
class Gancho : public Colisao {
protected:
    std::optional<btCollisionObjectWrapper> w0, w1;  // the library forbids them on the heap

    void par(uint32_t e0, uint32_t e1)
    {
        btRigidBody* c0 = fisica_corpo(e0)->corpo;
        btRigidBody* c1 = fisica_corpo(e1)->corpo;
        w0.emplace(nullptr, c0->getCollisionShape(), c0, c0->getWorldTransform(), -1, 0);
        w1.emplace(nullptr, c1->getCollisionShape(), c1, c1->getWorldTransform(), -1, 0);
    }
    // The normal on B points from B to A: the opposite of the direction.
    // Half a tenth towards the inside keeps the truncation on angulo.
    static btVector3 normal(int32_t angulo)
    {
        double a = (angulo + (angulo < 1800 ? 0.5 : -0.5)) * M_PI / 1800;
        return -btVector3((btScalar)cos(a), (btScalar)sin(a), 0);
    }
    bool tocar(int32_t angulo, bool trocado = false, btVector3 localA = btVector3(0, 0, 0),
               btVector3 localB = btVector3(0, 0, 0), btScalar distancia = -0.5f)
    {
        btVector3 n = trocado ? -normal(angulo) : normal(angulo);
        btManifoldPoint cp(localA, localB, n, distancia);
        ultimo = cp;
        bool r = trocado ? CustomContactAddedCallback(cp, &*w1, -1, 0, &*w0, -1, 0)
                         : CustomContactAddedCallback(cp, &*w0, -1, 0, &*w1, -1, 0);
        ultimo = cp;
        return r;
    }
    btManifoldPoint ultimo;
};

TEST_F(Gancho, LimiarDeViragem)
{
    // The first angle starts the collision; then each angle notifies or not.
    const struct { std::vector<int32_t> angulos; std::vector<bool> avisa; } casos[] = {
        {{900, 1150, 1200, 1201, 1500, 1502}, {false, false, true, false, true}},
        {{900, 600, 599}, {false, true}},
        {{900, 1100, 1250}, {false, true}},  // slow turns add up
        {{3590, 10}, {true}},                // no wrapping around 3600
        {{10, 3590}, {true}},
    };
    uint32_t figura = fisica_criarCirculo(10);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.angulos[0]);
        uint32_t a = entidade(0, 0), b = entidade(0, 0);
        ASSERT_EQ(fisica_anexarFigura(a, figura, 0, 0), nullptr);
        ASSERT_EQ(fisica_anexarFigura(b, figura, 0, 0), nullptr);
        ASSERT_EQ(fisica_tratarColisoes(a, a, "a"), nullptr);
        par(a, b);
        chamadas.clear();
        EXPECT_TRUE(tocar(c.angulos[0]));
        ASSERT_EQ(chamadas.size(), 1u);
        EXPECT_EQ(chamadas[0].iniciando, 'S');
        uint32_t id = chamadas[0].colisao;
        ASSERT_EQ(fisica_colisao_pegarAngulo(id, a), c.angulos[0]);
        for (size_t i = 0; i < c.avisa.size(); i++) {
            SCOPED_TRACE(c.angulos[i + 1]);
            chamadas.clear();
            tocar(c.angulos[i + 1]);
            ASSERT_EQ(fisica_colisao_pegarAngulo(id, a), c.angulos[i + 1]);
            ASSERT_EQ(chamadas.size(), c.avisa[i] ? 1u : 0u);
            if (c.avisa[i]) {
                EXPECT_EQ(chamadas[0].iniciando, 'N');
                EXPECT_EQ(chamadas[0].terminando, 'N');
                EXPECT_EQ(chamadas[0].colisao, id);
            }
        }
    }
}

// With the module clock still at 0, a collision touched now is not ended by
// the pass, nor when its last point is exactly 40 ms old; at 41 it ends.
TEST_F(Gancho, FimSoPassadosQuarentaMs)
{
    uint32_t figura = fisica_criarCirculo(10);
    uint32_t a = entidade(0, 0), b = entidade(0, 0);
    ASSERT_EQ(fisica_anexarFigura(a, figura, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(b, figura, 0, 0), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(a, a, "a"), nullptr);
    par(a, b);
    ASSERT_EQ(fisicaTempo, 0u);
    EXPECT_TRUE(tocar(900));
    uint32_t id = fisica_colisaoDoEvento();
    chamadas.clear();
    for (uint32_t agora : {0u, 40u}) {
        fisicaTempo = agora;
        FISICA_terminarColisoes();
        EXPECT_TRUE(chamadas.empty()) << agora;
        EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(id), a) << agora;
    }
    fisicaTempo = 41;
    FISICA_terminarColisoes();
    ASSERT_EQ(chamadas.size(), 1u);
    EXPECT_EQ(chamadas[0].terminando, 'S');
    EXPECT_EQ(chamadas[0].colisao, id);
    EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(id), 0u);
}

TEST_F(Gancho, ChaveDoParELados)
{
    // Entity 12 with figure 7 against entity 3 with figure 40.
    uint32_t figuras[41] = {};
    for (int i = 1; i <= 40; i++) figuras[i] = fisica_criarCirculo(10);
    ASSERT_EQ(figuras[40], 40u);
    ASSERT_EQ(fisica_criarCorpo(3, 0, 0), 3u);
    ASSERT_EQ(fisica_criarCorpo(12, 0, 0), 12u);
    ASSERT_EQ(fisica_anexarFigura(12, 7, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(3, 40, 0, 0), nullptr);
    uint32_t e = entidade(0, 0);
    ASSERT_EQ(fisica_tratarColisoes(e, 12, "a"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(e, 3, "b"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(e, 3, "c"), nullptr);
    par(12, 3);  // the algorithm's order: the higher id first
    EXPECT_TRUE(tocar(900));
    EXPECT_NE(engine_vetorPonteiro_indice_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaColisoesOrdenadas, "3-40-12-7"),
              nullptr);
    uint32_t id = fisica_colisaoDoEvento();
    EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(id), 3u);
    EXPECT_EQ(fisica_colisao_pegarFigura(id, 3), 40u);
    EXPECT_EQ(fisica_colisao_pegarFigura(id, 12), 7u);
    EXPECT_EQ(nomes(chamadas), (std::vector<std::string>{std::to_string(e) + "c", std::to_string(e) + "b",
                                                         std::to_string(e) + "a"}));
}

TEST_F(Gancho, ConsultasDaColisao)
{
    uint32_t a = entidade(0, 0), b = entidade(0, 0);
    uint32_t fa = fisica_criarRetangulo(10, 10), fb = fisica_criarRetangulo(10, 10);
    ASSERT_EQ(fisica_anexarFigura(a, fa, 0, 0), nullptr);
    ASSERT_EQ(fisica_anexarFigura(b, fb, 0, 0), nullptr);
    ASSERT_EQ(mudarFigura(fa, FISICA_FIGURA_ATRITO, 200), nullptr);
    ASSERT_EQ(mudarFigura(fb, FISICA_FIGURA_ATRITO, 800), nullptr);
    ASSERT_EQ(mudarFigura(fb, FISICA_FIGURA_AMORTECIMENTO, 1000), nullptr);
    par(a, b);
    // Side 1 is wrapper 0: point on A is side 1's, the direction is -normal.
    EXPECT_TRUE(tocar(900, false, btVector3(1.5f, 2.25f, 0), btVector3(-3, 4, 0), -0.55f));
    uint32_t c = fisica_colisaoDoEvento();
    EXPECT_FLOAT_EQ(ultimo.m_combinedFriction, 0.4f);
    EXPECT_FLOAT_EQ(ultimo.m_combinedRestitution, 0.0f);

    EXPECT_EQ(fisica_colisao_pegarSegundoCorpo(c), b);
    EXPECT_EQ(fisica_colisao_pegarOutroCorpo(c, a), b);
    EXPECT_EQ(fisica_colisao_pegarOutroCorpo(c, b), a);
    EXPECT_EQ(fisica_colisao_pegarOutroCorpo(c, 99), 0u);
    EXPECT_EQ(fisica_colisao_pegarFigura(c, 99), 0u);
    const struct { uint32_t corpo; int32_t x, y, angulo, impactoY; } lados[] = {
        {a, 1500, 2250, 900, -5}, {b, -3000, 4000, 2700, 5}, {99, 0, 0, 2700, 5},
    };
    for (const auto& l : lados) {
        SCOPED_TRACE(l.corpo);
        EXPECT_EQ(fisica_colisao_pegarX(c, l.corpo), l.x);
        EXPECT_EQ(fisica_colisao_pegarY(c, l.corpo), l.y);
        EXPECT_EQ(fisica_colisao_pegarAngulo(c, l.corpo), l.angulo);
        EXPECT_EQ(fisica_colisao_pegarImpactoY(c, l.corpo), l.impactoY);
        EXPECT_EQ(fisica_colisao_pegarImpactoX(c, l.corpo), 0);
    }
    const struct { uint32_t corpo, figura; char esperado; } comFigura[] = {
        {a, fa, 'S'}, {a, fb, 'N'}, {b, fb, 'S'}, {a, 0, 'S'}, {0, fb, 'S'}, {0, 0, 'N'}, {99, 0, 'N'},
    };
    for (const auto& f : comFigura)
        EXPECT_EQ(fisica_colisao_comFigura(c, f.corpo, f.figura), f.esperado) << f.corpo << " " << f.figura;
    EXPECT_EQ(fisica_colisao_entreCorpos(c, a, b), 'S');
    EXPECT_EQ(fisica_colisao_entreCorpos(c, b, a), 'S');
    EXPECT_EQ(fisica_colisao_entreCorpos(c, a, 99), 'N');

    // The other wrapper order: side 1's point is now the point on B, and
    // the direction the normal itself.
    EXPECT_TRUE(tocar(900, true, btVector3(7, 0, 0), btVector3(1, 2, 0)));
    EXPECT_EQ(fisica_colisao_pegarX(c, a), 1000);
    EXPECT_EQ(fisica_colisao_pegarX(c, b), 7000);
    EXPECT_EQ(fisica_colisao_pegarAngulo(c, a), 900);

    // Cancelled: the hook answers false from then on.
    EXPECT_EQ(fisica_colisao_pegarCancelada(c), 'N');
    EXPECT_EQ(fisica_colisao_mudarCancelada(c, 'S'), nullptr);
    EXPECT_FALSE(tocar(900));

    // A collision id without a record.
    EXPECT_EQ(texto(fisica_colisao_mudarCancelada(c + 1, 'S')), "Colisao invalida ao mudar cancelada");
    EXPECT_EQ(fisica_colisao_pegarCancelada(c + 1), 'N');
    EXPECT_EQ(fisica_colisao_comFigura(c + 1, a, fa), 'N');
    EXPECT_EQ(fisica_colisao_entreCorpos(c + 1, a, b), 'N');
    EXPECT_EQ(fisica_colisao_pegarPrimeiroCorpo(c + 1), 0u);
    EXPECT_EQ(fisica_colisao_pegarAngulo(c + 1, a), 0);
}

TEST_F(Colisao, RegistrosDeTratadores)
{
    uint32_t e = entidade(0, 0), corpo = entidade(0, 0);
    EXPECT_EQ(texto(fisica_tratarColisoes(e, 99, "a")), "Corpo invalido ao tratar colisoes");
    EXPECT_EQ(texto(fisica_pararDeTratarColisoes(e, 99)), "Corpo invalido ao cancelar evento");
    EXPECT_EQ(texto(fisica_tratarColisoes(e, corpo, nullptr)), "Erro ao tratar colisoes");
    // The name is copied: the caller's buffer may change or go.
    char nome[] = "a";
    ASSERT_EQ(fisica_tratarColisoes(e, corpo, nome), nullptr);
    nome[0] = 'x';
    ASSERT_EQ(fisica_tratarColisoes(corpo, corpo, "b"), nullptr);
    ASSERT_EQ(fisica_tratarColisoes(e, corpo, "c"), nullptr);
    // The later registration of e goes first.
    EXPECT_EQ(fisica_pararDeTratarColisoes(e, corpo), nullptr);
    const _fisica_corpo* c = fisica_corpo(corpo);
    ASSERT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores), 2u);
    EXPECT_STREQ(((_fisica_tratador*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, 1))->nome,
                 "a");
    EXPECT_EQ(fisica_pararDeTratarColisoes(e, corpo), nullptr);
    EXPECT_EQ(texto(fisica_pararDeTratarColisoes(e, corpo)), "Evento invalido a ser cancelado");
    EXPECT_EQ(engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores), 1u);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The library is not instrumented, so the sanitizer cannot see it read
// freed memory; filling freed blocks makes such a read crash instead.
extern "C" const char* __asan_default_options() { return "max_free_fill_size=65536:free_fill_byte=255"; }
#endif
