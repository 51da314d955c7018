// The world: the module's start and end, the frame step, the log, and the
// lock that queues structural changes asked while the world steps.
#include "fisica/fisica_interno.h"
#include "fisica/fisica_contato.h"

#include <BulletCollision/CollisionDispatch/btSimulationIslandManager.h>

#include <algorithm>
#include <vector>

#include "engine/dados_texto.h"
#include "engine/engine_log.h"

char fisicaLog = 'N';
int32_t fisicaFps = 0;
uint32_t fisicaTempo = 0;

btDiscreteDynamicsWorld* fisicaDiscreteDynamicsWorld = nullptr;
btSequentialImpulseConstraintSolver* fisicaSolver = nullptr;
btCollisionDispatcher* fisicaDispatcher = nullptr;
btDefaultCollisionConfiguration* fisicaCollisionConfiguration = nullptr;
btBroadphaseInterface* fisicaBroadphase = nullptr;
btVoronoiSimplexSolver* fisicaVoronoiSimplexSolver = nullptr;
btMinkowskiPenetrationDepthSolver* fisicaMinkowskiPenetrationDepthSolver = nullptr;
btConvex2dConvex2dAlgorithm::CreateFunc* fisicaConvexAlgo2d = nullptr;

uint32_t fisicaCorpos = 0;
uint32_t fisicaFiguras = 0;
uint32_t fisicaColisoes = 0;
uint32_t fisicaColisoesOrdenadas = 0;

char fisicaTravado = 'N';
char fisicaReinserirTodos = 'N';

static std::vector<_fisica_pendencia> fisicaPendencias;

// Drops the queued changes unapplied, with the name copies they own.
static void FISICA_descartarPendencias()
{
    for (const _fisica_pendencia& p : fisicaPendencias)
        if (p.tipo == FISICA_PENDENTE_TRATAR) free((void*)p.valor);
    fisicaPendencias.clear();
}

int FISICA_logar(const char* texto, int32_t valor)
{
    if (fisicaLog == 'S') engine_escreverLog("F\xCD" "SICA - %s", texto, valor);
    return 1;
}

// ------------------------------------------------------------ order

// Everything the world does with several pairs or contacts at once follows
// the entity ids, never the order in which the broadphase happens to keep its
// pairs (which depends on when each body entered the world): pairs are
// dispatched by their entity ids, so collisions start and their handlers run
// in that order, and the solver takes the contacts in the same order. A body
// that leaves and re-enters the world therefore changes nothing but its own
// contacts.

static uint32_t FISICA_entidadeDe(const btCollisionObject* objeto)
{
    return (uint32_t)objeto->getUserIndex();
}

static uint64_t FISICA_chavePar(const btBroadphasePair& par)
{
    uint64_t a = FISICA_entidadeDe((const btCollisionObject*)par.m_pProxy0->m_clientObject);
    uint64_t b = FISICA_entidadeDe((const btCollisionObject*)par.m_pProxy1->m_clientObject);
    return a < b ? (a << 32 | b) : (b << 32 | a);
}

class _fisica_despachante : public btCollisionDispatcher {
public:
    explicit _fisica_despachante(btCollisionConfiguration* configuracao) : btCollisionDispatcher(configuracao) {}

    // The library's own dispatch, in the order of the pairs' entity ids. The
    // near callback never adds or removes pairs, so the array stays put.
    void dispatchAllCollisionPairs(btOverlappingPairCache* cache, const btDispatcherInfo& info, btDispatcher*) override
    {
        btBroadphasePairArray& pares = cache->getOverlappingPairArray();
        // The pairs seldom change between sub-steps: the last order is kept
        // while it still lists the same pairs in the same places.
        bool mesma = ordem.size() == (size_t)pares.size();
        for (size_t k = 0; mesma && k < ordem.size(); k++)
            mesma = FISICA_chavePar(pares[ordem[k].second]) == ordem[k].first;
        if (!mesma) {
            ordem.resize((size_t)pares.size());
            for (int i = 0; i < pares.size(); i++) ordem[(size_t)i] = {FISICA_chavePar(pares[i]), i};
            if (!std::is_sorted(ordem.begin(), ordem.end())) std::sort(ordem.begin(), ordem.end());
        }
        btNearCallback perto = getNearCallback();
        for (const auto& o : ordem) perto(pares[o.second], *this, info);
    }

private:
    std::vector<std::pair<uint64_t, int>> ordem;
};

// The key of a manifold: its two entities (the lower one is always body 0)
// and the figures' places in their compounds, which every point of it shares.
// A manifold without points gives the solver nothing and goes last.
struct _fisica_chaveManifold {
    uint64_t corpos, filhos;
    btPersistentManifold* manifold;
    bool operator<(const _fisica_chaveManifold& o) const
    {
        return corpos != o.corpos ? corpos < o.corpos : filhos < o.filhos;
    }
};

class _fisica_mundoOrdenado : public btDiscreteDynamicsWorld {
public:
    using btDiscreteDynamicsWorld::btDiscreteDynamicsWorld;

protected:
    // Runs between the collision detection and the solver, in place of the
    // library's islands: the manifolds are put in key order, which is the
    // order the solver takes them in.
    void calculateSimulationIslands() override
    {
        btDispatcher* despachante = getDispatcher();
        int n = despachante->getNumManifolds();
        if (n > 1) {
            btPersistentManifold** manifolds = despachante->getInternalManifoldPointer();
            chaves.resize((size_t)n);
            for (int i = 0; i < n; i++) {
                btPersistentManifold* m = manifolds[i];
                _fisica_chaveManifold& k = chaves[(size_t)i];
                k.manifold = m;
                if (m->getNumContacts() == 0) {
                    k.corpos = k.filhos = UINT64_MAX;
                    continue;
                }
                k.corpos = (uint64_t)FISICA_entidadeDe(m->getBody0()) << 32 | FISICA_entidadeDe(m->getBody1());
                const btManifoldPoint& p = m->getContactPoint(0);
                k.filhos = (uint64_t)(uint32_t)p.m_index0 << 32 | (uint32_t)p.m_index1;
            }
            if (!std::is_sorted(chaves.begin(), chaves.end())) {
                std::sort(chaves.begin(), chaves.end());
                for (int i = 0; i < n; i++) {
                    manifolds[i] = chaves[(size_t)i].manifold;
                    manifolds[i]->m_index1a = i;  // where the dispatcher looks for it on release
                }
            }
        }
        // The library's islands only decide which bodies may sleep; no body
        // of the module ever does, and the solving below makes its own groups.
    }

    // The library's solving, with the bodies that touch one another grouped
    // by these contacts instead of by the broadphase's pairs: each group's
    // contacts in the order above, groups in the order of their lowest
    // entity id, and groups gathered into batches of the library's size, so
    // that each batch's data stays in the cache. Rows of different groups
    // share no moving body, so how groups are batched changes no result.
    void solveConstraints(btContactSolverInfo& info) override
    {
        if (getNumConstraints() > 0) {  // the module makes none
            btDiscreteDynamicsWorld::solveConstraints(info);
            return;
        }
        btDispatcher* despachante = getDispatcher();
        btCollisionObjectArray& objetos = getCollisionObjectArray();
        m_constraintSolver->prepareSolve(objetos.size(), despachante->getNumManifolds());

        corpos.clear();
        for (int i = 0; i < objetos.size(); i++) {
            btCollisionObject* o = objetos[i];
            if (o->isStaticOrKinematicObject()) {
                o->setIslandTag(-1);
                continue;
            }
            corpos.push_back(o);
        }
        auto antes = [](const btCollisionObject* a, const btCollisionObject* b) {
            return FISICA_entidadeDe(a) < FISICA_entidadeDe(b);
        };
        if (!std::is_sorted(corpos.begin(), corpos.end(), antes)) std::sort(corpos.begin(), corpos.end(), antes);
        const int nCorpos = (int)corpos.size();
        grupo.resize((size_t)nCorpos);
        for (int i = 0; i < nCorpos; i++) {
            corpos[(size_t)i]->setIslandTag(i);  // the tags are made again at the next sub-step
            grupo[(size_t)i] = i;
        }
        int nManifolds = despachante->getNumManifolds();
        btPersistentManifold** manifolds = nManifolds ? despachante->getInternalManifoldPointer() : nullptr;
        for (int k = 0; k < nManifolds; k++) {
            btPersistentManifold* m = manifolds[k];
            int a = m->getBody0()->getIslandTag(), b = m->getBody1()->getIslandTag();
            if (m->getNumContacts() > 0 && a >= 0 && b >= 0) unir(a, b);
        }
        // Each group is known by its lowest body; bodies and contacts are
        // counted out into their groups keeping their order.
        inicioCorpos.assign((size_t)nCorpos + 1, 0);
        inicioManifolds.assign((size_t)nCorpos + 1, 0);
        for (int i = 0; i < nCorpos; i++) inicioCorpos[(size_t)raiz(i) + 1]++;
        for (int k = 0; k < nManifolds; k++) {
            int g = grupoDe(manifolds[k]);
            if (g >= 0) inicioManifolds[(size_t)g + 1]++;
        }
        for (int i = 0; i < nCorpos; i++) {
            inicioCorpos[(size_t)i + 1] += inicioCorpos[(size_t)i];
            inicioManifolds[(size_t)i + 1] += inicioManifolds[(size_t)i];
        }
        corposEmGrupos.resize((size_t)nCorpos);
        manifoldsEmGrupos.resize((size_t)inicioManifolds[(size_t)nCorpos]);
        posicao = inicioCorpos;
        for (int i = 0; i < nCorpos; i++) corposEmGrupos[(size_t)posicao[(size_t)raiz(i)]++] = corpos[(size_t)i];
        posicao = inicioManifolds;
        for (int k = 0; k < nManifolds; k++) {
            int g = grupoDe(manifolds[k]);
            if (g >= 0) manifoldsEmGrupos[(size_t)posicao[(size_t)g]++] = manifolds[k];
        }

        // Whole groups into batches, as the library gathers islands.
        int loteCorpos = 0, loteManifolds = 0;
        auto resolver = [&](int fimCorpos, int fimManifolds) {
            int nc = fimCorpos - loteCorpos, nm = fimManifolds - loteManifolds;
            if (nc > 0 || nm > 0)
                m_constraintSolver->solveGroup(nc ? &corposEmGrupos[(size_t)loteCorpos] : nullptr, nc,
                                               nm ? &manifoldsEmGrupos[(size_t)loteManifolds] : nullptr, nm, nullptr,
                                               0, info, m_debugDrawer, despachante);
            loteCorpos = fimCorpos;
            loteManifolds = fimManifolds;
        };
        for (int g = 0; g < nCorpos; g++) {
            if (inicioCorpos[(size_t)g + 1] == inicioCorpos[(size_t)g]) continue;  // not a group's lowest body
            int fimManifolds = inicioManifolds[(size_t)g + 1];
            if (info.m_minimumSolverBatchSize <= 1 || fimManifolds - loteManifolds > info.m_minimumSolverBatchSize)
                resolver(inicioCorpos[(size_t)g + 1], fimManifolds);
        }
        resolver(nCorpos, inicioManifolds[(size_t)nCorpos]);
        m_constraintSolver->allSolved(info, m_debugDrawer);
    }

private:
    std::vector<_fisica_chaveManifold> chaves;
    std::vector<btCollisionObject*> corpos, corposEmGrupos;
    std::vector<btPersistentManifold*> manifoldsEmGrupos;
    std::vector<int> grupo, inicioCorpos, inicioManifolds, posicao;

    int raiz(int i)
    {
        while (grupo[(size_t)i] != i) i = grupo[(size_t)i] = grupo[(size_t)grupo[(size_t)i]];
        return i;
    }
    void unir(int a, int b)
    {
        a = raiz(a);
        b = raiz(b);
        if (a < b) grupo[(size_t)b] = a;
        else if (b < a) grupo[(size_t)a] = b;
    }
    // The group of a contact that gives the solver rows: that of its moving
    // body (one that touches only kinematic bodies gives none).
    int grupoDe(btPersistentManifold* m)
    {
        if (m->getNumContacts() == 0) return -1;
        int a = m->getBody0()->getIslandTag(), b = m->getBody1()->getIslandTag();
        if (a >= 0) return raiz(a);
        return b >= 0 ? raiz(b) : -1;
    }
};

// ------------------------------------------------------------ start

static void FISICA_construirMundo(const btDefaultCollisionConstructionInfo& info)
{
    fisicaBroadphase = new btDbvtBroadphase();
    fisicaCollisionConfiguration = new btDefaultCollisionConfiguration(info);
    fisicaDispatcher = new _fisica_despachante(fisicaCollisionConfiguration);
    fisicaDispatcher->setNearCallback(FISICA_nearCallback);
    fisicaVoronoiSimplexSolver = new btVoronoiSimplexSolver();
    fisicaMinkowskiPenetrationDepthSolver = new btMinkowskiPenetrationDepthSolver();
    fisicaConvexAlgo2d =
        new btConvex2dConvex2dAlgorithm::CreateFunc(fisicaVoronoiSimplexSolver, fisicaMinkowskiPenetrationDepthSolver);
    // The flat shapes meet through the planar algorithm, in the step and in
    // the overlap queries (which ask for closest points) alike.
    const int planas[][2] = {{CONVEX_2D_SHAPE_PROXYTYPE, CONVEX_2D_SHAPE_PROXYTYPE},
                             {BOX_2D_SHAPE_PROXYTYPE, CONVEX_2D_SHAPE_PROXYTYPE},
                             {CONVEX_2D_SHAPE_PROXYTYPE, BOX_2D_SHAPE_PROXYTYPE}};
    for (const auto& par : planas) {
        fisicaDispatcher->registerCollisionCreateFunc(par[0], par[1], fisicaConvexAlgo2d);
        fisicaDispatcher->registerClosestPointsCreateFunc(par[0], par[1], fisicaConvexAlgo2d);
    }
    fisicaSolver = new btSequentialImpulseConstraintSolver();
    fisicaDiscreteDynamicsWorld = new _fisica_mundoOrdenado(fisicaDispatcher, fisicaBroadphase, fisicaSolver,
                                                            fisicaCollisionConfiguration);
    fisicaDiscreteDynamicsWorld->setGravity(btVector3(0, 980, 0));
    // Motion states report the transform at the world's own time, and
    // contacts correct penetration as strongly, as in the library version
    // the game was tuned with.
    fisicaDiscreteDynamicsWorld->setLatencyMotionStateInterpolation(false);
    fisicaDiscreteDynamicsWorld->getSolverInfo().m_erp2 = 0.8f;
}

int FISICA_iniciarCom(char log, int32_t taxa, const btDefaultCollisionConstructionInfo& info)
{
    fisicaLog = log;
    FISICA_logar("Iniciando m\xF3" "dulo de f\xEDsica", -1);
    const char* erro = engine_registrarModulo(ENGINE_MODULO_FISICA);
    if (erro) {
        FISICA_logar("Falha ao iniciar m\xF3" "dulo de f\xEDsica", -1);
        FISICA_logar(erro, -1);
        free((void*)erro);  // composed by the engine; ours to release
        return 0;
    }
    fisicaColisaoDoEvento = 0;
    gContactAddedCallback = CustomContactAddedCallback;
    fisicaFps = taxa;
    fisicaTempo = 0;
    fisicaTravado = 'N';
    FISICA_descartarPendencias();

    FISICA_construirMundo(info);

    fisicaIniciandoColisao = 'N';
    fisicaTerminandoColisao = 'N';

    fisicaCorpos = engine_criarVetorPonteiro(ENGINE_MODULO_FISICA);
    fisicaFiguras = engine_criarVetorPersistente(ENGINE_MODULO_FISICA);
    FISICA_iniciarColisoes();

    engine_registrarModelo(ENGINE_MODULO_FISICA, 1);
    FISICA_registrarPropriedadesCorpo();
    engine_registrarModelo(ENGINE_MODULO_FISICA, 2);
    FISICA_registrarPropriedadesFigura();

    FISICA_logar("M\xF3" "dulo de f\xEDsica iniciado com sucesso", -1);
    return 1;
}

int fisica_iniciar(char log, int32_t taxa)
{
    return FISICA_iniciarCom(log, taxa, btDefaultCollisionConstructionInfo());
}

// ------------------------------------------------------------ frame step

// A force read through the engine, so that an expression bound to it counts;
// an instance outside the graph would only reach the getter, so the stored
// value is read at once.
static int32_t FISICA_lerForca(uint32_t i, uint32_t propriedade, uint32_t limite, int32_t guardada)
{
    if (i > limite) return guardada;
    return FISICA_valor32(engine_propriedade_pegarValor(ENGINE_MODULO_FISICA, 1, propriedade, i, nullptr));
}

// Adds the stored force and torque of a dynamic body for this frame's step.
static void FISICA_aplicarForcas(uint32_t i, _fisica_corpo* c, uint32_t limiteX, uint32_t limiteY)
{
    int32_t fx = FISICA_lerForca(i, FISICA_FORCA_X, limiteX, c->forcaX);
    int32_t fy = FISICA_lerForca(i, FISICA_FORCA_Y, limiteY, c->forcaY);
    if (fx != 0 || fy != 0) {
        // applyCentralForce multiplies by the linear factor.
        c->corpo->applyCentralForce(
            btVector3((btScalar)FISICA_multiplicar32(fx, 100), (btScalar)FISICA_multiplicar32(fy, 100), 0));
    }
    if (c->torcao != 0) c->corpo->applyTorque(btVector3(0, 0, (btScalar)c->torcao));
}

int fisica_atualizar(int32_t d)
{
    if (!fisicaDiscreteDynamicsWorld) return 1;
    fisicaTempo += (uint32_t)d;
    FISICA_logar("Atualizando m\xF3" "dulo de f\xEDsica com tempo atual", (int32_t)fisicaTempo);

    FISICA_avancarConfiguracoes(d);

    // No contact point survives from one frame to the next: every contact of
    // this step is new to the contact hook (within the step, contacts persist
    // from sub-step to sub-step). Emptying the manifolds is what re-adding
    // every body would do to them; a body whose shape or kind changed is
    // re-added all the same, so that its pairs start over from the library's
    // own state for its new shape.
    if (fisicaReinserirTodos != 'S') {
        int m = fisicaDispatcher->getNumManifolds();
        btPersistentManifold** manifolds = fisicaDispatcher->getInternalManifoldPointer();
        for (int k = 0; k < m; k++) manifolds[k]->clearManifold();
    }
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, fisicaCorpos);
    const uint32_t limiteX = engine_propriedade_pegarLimitePosicoes(ENGINE_MODULO_FISICA, 1, FISICA_FORCA_X);
    const uint32_t limiteY = engine_propriedade_pegarLimitePosicoes(ENGINE_MODULO_FISICA, 1, FISICA_FORCA_Y);
    for (uint32_t i = 1; i <= n; i++) {
        _fisica_corpo* c = fisica_corpo(i);
        if (!c) continue;
        if (fisicaReinserirTodos == 'S' || c->reinserir == 'S') {
            fisicaDiscreteDynamicsWorld->removeRigidBody(c->corpo);
            fisicaDiscreteDynamicsWorld->addRigidBody(c->corpo);
            c->reinserir = 'N';
        }
        FISICA_logar("Ajustando corpo", (int32_t)i);
        if (c->dinamico == 'S') FISICA_aplicarForcas(i, c, limiteX, limiteY);
        FISICA_logar("Corpo ajustado", (int32_t)i);
    }

    // Handlers called from inside the step must not free what the step is
    // iterating; their structural changes wait in the queue.
    fisicaTravado = 'S';
    fisicaDiscreteDynamicsWorld->stepSimulation((btScalar)d * 0.001f, 10, 1.0f / 60.0f);
    fisicaTravado = 'N';
    FISICA_aplicarPendencias();

    // What the step changed by itself, for readers in the expression graph.
    // Instances outside the graph have nothing to invalidate: only bodies up
    // to the highest one in it are walked.
    static const uint32_t mudadas[] = {FISICA_X, FISICA_Y, FISICA_ROTACAO,
                                       FISICA_VELOCIDADE_X, FISICA_VELOCIDADE_Y, FISICA_VELOCIDADE_ROT};
    uint32_t limites[6], maior = 0;
    for (int k = 0; k < 6; k++) {
        limites[k] = engine_propriedade_pegarLimitePosicoes(ENGINE_MODULO_FISICA, 1, mudadas[k]);
        maior = std::max(maior, limites[k]);
    }
    for (uint32_t i = 1; i <= n && i <= maior; i++) {
        if (!fisica_corpo(i)) continue;
        for (int k = 0; k < 6; k++)
            if (i <= limites[k]) engine_propriedade_invalidar(ENGINE_MODULO_FISICA, 1, mudadas[k], i);
    }

    FISICA_terminarColisoes();
    return 1;
}

// ------------------------------------------------------------ end

int fisica_finalizar()
{
    FISICA_descartarPendencias();
    // Bodies leave the world before it goes; the world's destructor touches
    // the objects still in it.
    if (fisicaDiscreteDynamicsWorld) {
        FISICA_liberarCorpos();
        FISICA_liberarFiguras();
        FISICA_liberarColisoes();
    }
    delete fisicaDiscreteDynamicsWorld;
    delete fisicaSolver;
    delete fisicaDispatcher;
    delete fisicaCollisionConfiguration;
    delete fisicaBroadphase;
    delete fisicaVoronoiSimplexSolver;
    delete fisicaMinkowskiPenetrationDepthSolver;
    delete fisicaConvexAlgo2d;
    fisicaDiscreteDynamicsWorld = nullptr;
    fisicaSolver = nullptr;
    fisicaDispatcher = nullptr;
    fisicaCollisionConfiguration = nullptr;
    fisicaBroadphase = nullptr;
    fisicaVoronoiSimplexSolver = nullptr;
    fisicaMinkowskiPenetrationDepthSolver = nullptr;
    fisicaConvexAlgo2d = nullptr;
    if (gContactAddedCallback == CustomContactAddedCallback) gContactAddedCallback = nullptr;
    FISICA_logar("M\xF3" "dulo de f\xEDsica finalizado", -1);
    return 1;
}

// ------------------------------------------------------------ world lock

void FISICA_adiar(int32_t tipo, uint32_t entidade, uint32_t figura, int32_t x, int32_t y, _engine_valor valor,
                  uint32_t tratadora)
{
    fisicaPendencias.push_back({tipo, entidade, figura, x, y, valor, nullptr, tratadora});
}

bool FISICA_temPendencias(uint32_t entidade)
{
    if (fisicaTravado != 'S') return false;
    for (const _fisica_pendencia& p : fisicaPendencias)
        if (p.entidade == entidade) return true;
    return false;
}

bool FISICA_adiarAtras(uint32_t entidade, _engine_funcaoMudar mudar, _engine_valor valor)
{
    if (!FISICA_temPendencias(entidade)) return false;
    fisicaPendencias.push_back({FISICA_PENDENTE_PROPRIEDADE, entidade, 0, 0, 0, valor, mudar, 0});
    return true;
}

bool FISICA_corpoExistira(uint32_t entidade)
{
    bool existe = fisica_corpo(entidade) != nullptr;
    if (fisicaTravado != 'S') return existe;
    for (const _fisica_pendencia& p : fisicaPendencias) {
        if (p.entidade != entidade) continue;
        if (p.tipo == FISICA_PENDENTE_CRIAR_CORPO) existe = true;
        if (p.tipo == FISICA_PENDENTE_DESTRUIR_CORPO) existe = false;
    }
    return existe;
}

bool FISICA_figuraExistira(uint32_t figura)
{
    if (!fisica_figura(figura)) return false;
    if (fisicaTravado != 'S') return true;
    for (const _fisica_pendencia& p : fisicaPendencias)
        if (p.tipo == FISICA_PENDENTE_DESTRUIR_FIGURA && p.figura == figura) return false;
    return true;
}

// Replays the queued changes through the same calls, now unlocked. A change
// that no longer applies (its body went away first) only logs its error.
void FISICA_aplicarPendencias()
{
    std::vector<_fisica_pendencia> pendencias;
    pendencias.swap(fisicaPendencias);
    for (const _fisica_pendencia& p : pendencias) {
        const char* erro = nullptr;
        switch (p.tipo) {
        case FISICA_PENDENTE_CRIAR_CORPO: fisica_criarCorpo(p.entidade, p.x, p.y); break;
        case FISICA_PENDENTE_DESTRUIR_CORPO: erro = fisica_destruirCorpo(p.entidade); break;
        case FISICA_PENDENTE_MASSA: erro = FISICA_mudarMassa(p.entidade, p.valor); break;
        case FISICA_PENDENTE_DINAMICO: erro = FISICA_mudarDinamico(p.entidade, p.valor); break;
        case FISICA_PENDENTE_ESCALA_X: erro = FISICA_mudarEscalaX(p.entidade, p.valor); break;
        case FISICA_PENDENTE_ESCALA_Y: erro = FISICA_mudarEscalaY(p.entidade, p.valor); break;
        case FISICA_PENDENTE_ANEXAR: erro = fisica_anexarFigura(p.entidade, p.figura, p.x, p.y); break;
        case FISICA_PENDENTE_REMOVER_ANEXO: erro = fisica_removerFiguraAnexada(p.entidade, p.figura); break;
        case FISICA_PENDENTE_ADICIONAR_PONTO: erro = fisica_poligono_adicionarPonto(p.figura, p.x, p.y); break;
        case FISICA_PENDENTE_DESTRUIR_FIGURA: erro = fisica_destruirFigura(p.figura); break;
        case FISICA_PENDENTE_DENSIDADE: erro = FISICA_figura_mudarDensidade(p.figura, p.valor); break;
        case FISICA_PENDENTE_PROPRIEDADE: erro = p.mudar(p.entidade, p.valor); break;
        case FISICA_PENDENTE_TRATAR:
            erro = fisica_tratarColisoes(p.tratadora, p.entidade, (const char*)p.valor);
            free((void*)p.valor);
            break;
        case FISICA_PENDENTE_PARAR_DE_TRATAR: erro = fisica_pararDeTratarColisoes(p.tratadora, p.entidade); break;
        case FISICA_PENDENTE_CONFIGURACAO: erro = FISICA_guardarAplicacao(p.entidade, (uint32_t)p.valor); break;
        }
        if (erro) FISICA_logar(erro, -1);
    }
}
