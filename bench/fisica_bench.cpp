// The physics frame step with n boxes resting on a floor, against two plain
// Bullet worlds with the same bodies, stepped the same way (17 ms frames):
// one that keeps its bodies and contacts from frame to frame, and one that
// keeps its bodies but empties every contact manifold once a frame (what the
// module must do: no contact survives a frame). Neither has a contact hook.
// BM_FisicaQuadroReinserindo is the module's step that re-adds every body
// every frame instead, for comparison.
//
// Each benchmark reports the time per frame; "por_caixa" is that time divided
// by the number of boxes.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/engine.h"
#include "fisica/fisica_interno.h"

// The entities module calls the game content's registration; the benchmark
// has no content.
const char* conteudo_registrar_entidades() { return nullptr; }

namespace {

// Boxes of 20 x 20 world units, 30 apart, resting on one long floor whose
// top is at y = 100.
const int32_t LADO = 200, PASSO = 300, TOPO = 1000;
const int ASSENTAR = 60;  // frames before timing, so the boxes rest
const float QUADRO = 17 * 0.001f;

void contar(benchmark::State& estado, int n)
{
    estado.counters["caixas"] = n;
    estado.counters["por_caixa"] =
        benchmark::Counter((double)n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void quadroDoModulo(benchmark::State& estado, char reinserirTodos)
{
    const int n = (int)estado.range(0);
    engine_iniciar(true);
    fisica_iniciar('N', 1000);
    fisicaReinserirTodos = reinserirTodos;
    uint32_t piso = fisica_criarRetangulo(PASSO * (n + 2), 200);
    fisica_criarCorpo(2, 0, TOPO);
    fisica_anexarFigura(2, piso, 0, 0);
    uint32_t caixa = fisica_criarRetangulo(LADO, LADO);
    // The references' contacts: friction 0.5 x 0.5, no bounce.
    for (uint32_t f : {piso, caixa}) {
        engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 2, FISICA_FIGURA_ATRITO, f, 250);
        engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 2, FISICA_FIGURA_AMORTECIMENTO, f, 1000);
    }
    for (int i = 0; i < n; i++) {
        uint32_t e = 3 + (uint32_t)i;
        fisica_criarCorpo(e, PASSO * (i + 1), TOPO - LADO / 2 - 5);
        fisica_anexarFigura(e, caixa, -LADO / 2, -LADO / 2);
        engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, FISICA_PODE_RODAR, e, 'N');
        engine_propriedade_mudarValor(ENGINE_MODULO_FISICA, 1, FISICA_DINAMICO, e, 'S');
    }
    for (int i = 0; i < ASSENTAR; i++) fisica_atualizar(17);
    for (auto _ : estado) fisica_atualizar(17);
    contar(estado, n);
    fisica_finalizar();
    fisicaReinserirTodos = 'N';
}

void BM_FisicaQuadro(benchmark::State& estado) { quadroDoModulo(estado, 'N'); }
void BM_FisicaQuadroReinserindo(benchmark::State& estado) { quadroDoModulo(estado, 'S'); }

// The same world built straight on the library.
struct MundoPuro {
    btDbvtBroadphase broadphase;
    btDefaultCollisionConfiguration configuracao;
    btCollisionDispatcher dispatcher{&configuracao};
    btVoronoiSimplexSolver simplex;
    btMinkowskiPenetrationDepthSolver profundidade;
    btConvex2dConvex2dAlgorithm::CreateFunc algoritmo2d{&simplex, &profundidade};
    btSequentialImpulseConstraintSolver solver;
    btDiscreteDynamicsWorld mundo{&dispatcher, &broadphase, &solver, &configuracao};
    btBoxShape formaPiso, formaCaixa;
    std::vector<std::unique_ptr<btConvex2dShape>> envoltorios;
    std::vector<std::unique_ptr<btCompoundShape>> compostas;
    std::vector<std::unique_ptr<btDefaultMotionState>> estados;
    std::vector<std::unique_ptr<btRigidBody>> corpos;

    explicit MundoPuro(int n)
        : formaPiso(btVector3(PASSO * (n + 2) * 0.05f, 10, 5)), formaCaixa(btVector3(LADO * 0.05f, LADO * 0.05f, 5))
    {
        for (int a : {CONVEX_2D_SHAPE_PROXYTYPE, BOX_2D_SHAPE_PROXYTYPE})
            for (int b : {CONVEX_2D_SHAPE_PROXYTYPE, BOX_2D_SHAPE_PROXYTYPE})
                if (a == CONVEX_2D_SHAPE_PROXYTYPE || b == CONVEX_2D_SHAPE_PROXYTYPE)
                    dispatcher.registerCollisionCreateFunc(a, b, &algoritmo2d);
        mundo.setGravity(btVector3(0, 980, 0));
        mundo.setLatencyMotionStateInterpolation(false);
        mundo.getSolverInfo().m_erp2 = 0.8f;
        corpo(&formaPiso, btVector3(0, TOPO * 0.1f, 0), btVector3(PASSO * (n + 2) * 0.05f, 10, 0), 0);
        for (int i = 0; i < n; i++)
            corpo(&formaCaixa, btVector3(PASSO * (i + 1) * 0.1f, (TOPO - LADO / 2 - 5) * 0.1f, 0), btVector3(0, 0, 0),
                  15);
    }
    ~MundoPuro()
    {
        for (auto& c : corpos) mundo.removeRigidBody(c.get());
    }
    // A compound body with one 2-D child at the offset; mass 0 is the
    // kinematic floor.
    void corpo(btBoxShape* forma, const btVector3& origem, const btVector3& deslocamento, btScalar massa)
    {
        envoltorios.emplace_back(new btConvex2dShape(forma));
        compostas.emplace_back(new btCompoundShape(true));
        btTransform t;
        t.setIdentity();
        t.setOrigin(deslocamento);
        compostas.back()->addChildShape(t, envoltorios.back().get());
        t.setOrigin(origem);
        estados.emplace_back(new btDefaultMotionState(t));
        btVector3 inercia(0, 0, 0);
        if (massa > 0) compostas.back()->calculateLocalInertia(massa, inercia);
        btRigidBody::btRigidBodyConstructionInfo info(massa, estados.back().get(), compostas.back().get(), inercia);
        corpos.emplace_back(new btRigidBody(info));
        btRigidBody* c = corpos.back().get();
        if (massa == 0) c->setCollisionFlags(c->getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT);
        else c->setAngularFactor(btVector3(0, 0, 0));
        c->setActivationState(DISABLE_DEACTIVATION);
        c->setDamping(0.5f, 0.5f);
        mundo.addRigidBody(c);
    }
    void limparContatos()
    {
        int m = dispatcher.getNumManifolds();
        btPersistentManifold** manifolds = dispatcher.getInternalManifoldPointer();
        for (int k = 0; k < m; k++) manifolds[k]->clearManifold();
    }
};

void quadroPuro(benchmark::State& estado, bool limpar)
{
    const int n = (int)estado.range(0);
    gContactAddedCallback = nullptr;
    auto mundo = std::make_unique<MundoPuro>(n);
    for (int i = 0; i < ASSENTAR; i++) {
        if (limpar) mundo->limparContatos();
        mundo->mundo.stepSimulation(QUADRO, 10, 1.0f / 60.0f);
    }
    for (auto _ : estado) {
        if (limpar) mundo->limparContatos();
        mundo->mundo.stepSimulation(QUADRO, 10, 1.0f / 60.0f);
    }
    contar(estado, n);
}

void BM_BulletPuro(benchmark::State& estado) { quadroPuro(estado, false); }
void BM_BulletLimpandoContatos(benchmark::State& estado) { quadroPuro(estado, true); }

BENCHMARK(BM_BulletPuro)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BulletLimpandoContatos)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FisicaQuadro)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FisicaQuadroReinserindo)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
