// What the physics module's files share: the module state, the unit
// conversions, the world lock with its queue of deferred changes, and the
// getters and setters registered with the engine.
#ifndef MORVALEN_FISICA_INTERNO_H
#define MORVALEN_FISICA_INTERNO_H

#include <btBulletDynamicsCommon.h>
#include <BulletCollision/CollisionDispatch/btConvex2dConvex2dAlgorithm.h>
#include <BulletCollision/CollisionShapes/btConvex2dShape.h>
#include <BulletCollision/NarrowPhaseCollision/btMinkowskiPenetrationDepthSolver.h>
#include <BulletCollision/NarrowPhaseCollision/btVoronoiSimplexSolver.h>

#include <cmath>
#include <cstdint>

#include "engine/engine.h"
#include "fisica/fisica.h"

// ------------------------------------------------------------ module state

extern char fisicaLog;
extern int32_t fisicaFps;
extern uint32_t fisicaTempo;

extern btDiscreteDynamicsWorld* fisicaDiscreteDynamicsWorld;
extern btSequentialImpulseConstraintSolver* fisicaSolver;
extern btCollisionDispatcher* fisicaDispatcher;
extern btDefaultCollisionConfiguration* fisicaCollisionConfiguration;
extern btBroadphaseInterface* fisicaBroadphase;
extern btVoronoiSimplexSolver* fisicaVoronoiSimplexSolver;
extern btMinkowskiPenetrationDepthSolver* fisicaMinkowskiPenetrationDepthSolver;
extern btConvex2dConvex2dAlgorithm::CreateFunc* fisicaConvexAlgo2d;

extern uint32_t fisicaCorpos;             // pointer vector, position = entity id
extern uint32_t fisicaFiguras;            // persistent vector of figures
extern uint32_t fisicaColisoes;           // persistent vector of collisions
extern uint32_t fisicaColisoesOrdenadas;  // name index: pair key -> uint32_t* collision id

extern uint32_t fisicaColisaoDoEvento;
extern char fisicaIniciandoColisao;
extern char fisicaTerminandoColisao;

// 'S' while stepSimulation runs: structural changes are queued meanwhile.
extern char fisicaTravado;

// 'N' (the default): the frame step keeps the bodies in the world, drops
// every contact point once a frame and re-adds only the bodies marked by a
// change of shape or kind. 'S': it removes and re-adds every body every
// frame, as the step did before; the tests and the benchmark compare the two.
extern char fisicaReinserirTodos;

// Marks a body for re-adding at the next frame (nothing for an id without one).
void FISICA_marcarReinsercao(uint32_t entidade);

extern const char FISICA_ERRO_CORPO[];  // "Corpo invalido"

// Starts the module over a collision configuration built from info. The
// module's own start uses the library's default; tests shrink the pools.
int FISICA_iniciarCom(char log, int32_t taxa, const btDefaultCollisionConstructionInfo& info);

// ------------------------------------------------------------ conversions

// Engine values are 32-bit whatever the width of _engine_valor.
inline int32_t FISICA_valor32(_engine_valor v) { return (int32_t)(uint32_t)v; }

// Truncation toward zero that saturates (NaN gives 0).
inline int32_t FISICA_truncar(double v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return (int32_t)v;
}

// A world value back into engine units: the float widened, times the factor
// in double, truncated (0.7f x 10 reads 6).
inline int32_t FISICA_paraMotor(btScalar f, double fator) { return FISICA_truncar((double)f * fator); }

// 32-bit wrapping arithmetic on 64-bit intermediates.
inline int32_t FISICA_somar32(int64_t a, int64_t b) { return (int32_t)(uint32_t)(uint64_t)(a + b); }
inline int32_t FISICA_multiplicar32(int64_t a, int64_t b) { return (int32_t)(uint32_t)(uint64_t)(a * b); }

const double FISICA_GRAU_PARA_RAD = 0.0017453292519943296;  // pi / 1800
const double FISICA_RAD_PARA_GRAU = 572.9577951308232;      // 1800 / pi

// ------------------------------------------------------------ world lock

enum _fisica_tipoPendencia {
    FISICA_PENDENTE_CRIAR_CORPO,
    FISICA_PENDENTE_DESTRUIR_CORPO,
    FISICA_PENDENTE_MASSA,
    FISICA_PENDENTE_DINAMICO,
    FISICA_PENDENTE_ESCALA_X,
    FISICA_PENDENTE_ESCALA_Y,
    FISICA_PENDENTE_ANEXAR,
    FISICA_PENDENTE_REMOVER_ANEXO,
    FISICA_PENDENTE_ADICIONAR_PONTO,
    FISICA_PENDENTE_DESTRUIR_FIGURA,
    FISICA_PENDENTE_DENSIDADE,
    FISICA_PENDENTE_PROPRIEDADE,  // an ordinary body property, through mudar
    FISICA_PENDENTE_TRATAR,       // a handler registration (valor: the name)
    FISICA_PENDENTE_PARAR_DE_TRATAR,
    FISICA_PENDENTE_CONFIGURACAO,  // a timeline application (valor) kept by the body
};

// One change asked while the world was locked, replayed after the step.
struct _fisica_pendencia {
    int32_t tipo;
    uint32_t entidade;
    uint32_t figura;
    int32_t x, y;
    _engine_valor valor;
    _engine_funcaoMudar mudar;
    uint32_t tratadora;  // a registration: the entity whose function it calls
};

void FISICA_adiar(int32_t tipo, uint32_t entidade, uint32_t figura, int32_t x, int32_t y, _engine_valor valor,
                  uint32_t tratadora = 0);
// Whether the step is running and the body has changes waiting for its end
// (its creation among them). Ordinary writes, handler registrations and
// timeline applications to such a body wait behind them, so that everything
// reaches the body in the order asked.
bool FISICA_temPendencias(uint32_t entidade);
// An ordinary property write queued that way; true when it was.
bool FISICA_adiarAtras(uint32_t entidade, _engine_funcaoMudar mudar, _engine_valor valor);
void FISICA_aplicarPendencias();
// Whether the entity will have a body once the queued changes are applied
// (outside the step: whether it has one now).
bool FISICA_corpoExistira(uint32_t entidade);
// The same for figures.
bool FISICA_figuraExistira(uint32_t figura);

// ------------------------------------------------------------ shared steps

void FISICA_registrarPropriedadesCorpo();
void FISICA_registrarPropriedadesFigura();
void FISICA_liberarCorpos();
void FISICA_liberarFiguras();
void FISICA_iniciarColisoes();  // the collision vectors of a new world
void FISICA_liberarColisoes();
void FISICA_terminarColisoes();  // the end-of-collision pass
void FISICA_avancarConfiguracoes(int32_t d);  // body, then figure timelines
// Keeps a timeline application in the body's list; 0 when it has no body.
const char* FISICA_guardarAplicacao(uint32_t entidade, uint32_t aplicacao);

// Re-places the children of a body's compound at their offsets times its
// scaling (Rotacao-free: children are never rotated).
void FISICA_recolocarFilhos(uint32_t entidade);
// Recomputes a body's compound bounds after a shared shape changed.
void FISICA_atualizarLimites(uint32_t entidade);

// The contact hook installed as gContactAddedCallback.
bool CustomContactAddedCallback(btManifoldPoint& cp, const btCollisionObjectWrapper* colObj0Wrap, int partId0,
                                int index0, const btCollisionObjectWrapper* colObj1Wrap, int partId1, int index1);

// Body properties.
_engine_valor FISICA_pegarX(uint32_t e);
_engine_valor FISICA_pegarY(uint32_t e);
_engine_valor FISICA_pegarRotacao(uint32_t e);
_engine_valor FISICA_pegarEscalaX(uint32_t e);
_engine_valor FISICA_pegarEscalaY(uint32_t e);
_engine_valor FISICA_pegarVelocidadeX(uint32_t e);
_engine_valor FISICA_pegarVelocidadeY(uint32_t e);
_engine_valor FISICA_pegarVelocidadeRot(uint32_t e);
_engine_valor FISICA_pegarForcaX(uint32_t e);
_engine_valor FISICA_pegarForcaY(uint32_t e);
_engine_valor FISICA_pegarTorcao(uint32_t e);
_engine_valor FISICA_pegarImpulsoX(uint32_t e);
_engine_valor FISICA_pegarImpulsoY(uint32_t e);
_engine_valor FISICA_pegarImpulsoRot(uint32_t e);
_engine_valor FISICA_pegarDificuldadeMov(uint32_t e);
_engine_valor FISICA_pegarDificuldadeRot(uint32_t e);
_engine_valor FISICA_pegarMassa(uint32_t e);
_engine_valor FISICA_pegarDinamico(uint32_t e);
_engine_valor FISICA_pegarPodeRodar(uint32_t e);

const char* FISICA_mudarX(uint32_t e, _engine_valor v);
const char* FISICA_mudarY(uint32_t e, _engine_valor v);
const char* FISICA_mudarRotacao(uint32_t e, _engine_valor v);
const char* FISICA_mudarEscalaX(uint32_t e, _engine_valor v);
const char* FISICA_mudarEscalaY(uint32_t e, _engine_valor v);
const char* FISICA_mudarVelocidadeX(uint32_t e, _engine_valor v);
const char* FISICA_mudarVelocidadeY(uint32_t e, _engine_valor v);
const char* FISICA_mudarVelocidadeRot(uint32_t e, _engine_valor v);
const char* FISICA_mudarForcaX(uint32_t e, _engine_valor v);
const char* FISICA_mudarForcaY(uint32_t e, _engine_valor v);
const char* FISICA_mudarTorcao(uint32_t e, _engine_valor v);
const char* FISICA_mudarImpulsoX(uint32_t e, _engine_valor v);
const char* FISICA_mudarImpulsoY(uint32_t e, _engine_valor v);
const char* FISICA_mudarImpulsoRot(uint32_t e, _engine_valor v);
const char* FISICA_mudarDificuldadeMov(uint32_t e, _engine_valor v);
const char* FISICA_mudarDificuldadeRot(uint32_t e, _engine_valor v);
const char* FISICA_mudarMassa(uint32_t e, _engine_valor v);
const char* FISICA_mudarDinamico(uint32_t e, _engine_valor v);
const char* FISICA_mudarPodeRodar(uint32_t e, _engine_valor v);

// Figure properties.
_engine_valor FISICA_figura_pegarDensidade(uint32_t f);
_engine_valor FISICA_figura_pegarAtrito(uint32_t f);
_engine_valor FISICA_figura_pegarAmortecimento(uint32_t f);
const char* FISICA_figura_mudarDensidade(uint32_t f, _engine_valor v);
const char* FISICA_figura_mudarAtrito(uint32_t f, _engine_valor v);
const char* FISICA_figura_mudarAmortecimento(uint32_t f, _engine_valor v);

#endif
