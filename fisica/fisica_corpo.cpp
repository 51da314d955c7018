// Bodies: creation and destruction, the 19 body properties, mass, the
// dynamic flag and the scale.
#include "fisica/fisica_interno.h"

#include <cstdlib>
#include <vector>

const char FISICA_ERRO_CORPO[] = "Corpo invalido";
static const char ERRO_VELOCIDADE[] = "Proibido mudar velocidade de corpo nao-dinamico";
static const char ERRO_IMPULSO[] = "Proibido aplicar impulso a corpo nao-dinamico";
static const char ERRO_ESCALA[] = "Escala nula";

_fisica_corpo* fisica_corpo(uint32_t entidade)
{
    return (_fisica_corpo*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, fisicaCorpos, entidade);
}

char fisica_existeCorpo(uint32_t entidade)
{
    return fisica_corpo(entidade) ? 'S' : 'N';
}

static btCompoundShape* FISICA_composta(const _fisica_corpo* c)
{
    return (btCompoundShape*)c->corpo->getCollisionShape();
}

static btTransform FISICA_transformada(const _fisica_corpo* c)
{
    btTransform t;
    c->corpo->getMotionState()->getWorldTransform(t);
    return t;
}

// ------------------------------------------------------------ creation

uint32_t fisica_criarCorpo(uint32_t entidade, int32_t x, int32_t y)
{
    if (!fisicaDiscreteDynamicsWorld) return 0;
    if (FISICA_corpoExistira(entidade)) {
        FISICA_logar("Corpo j\xE1 existe para entidade", (int32_t)entidade);
        return 0;
    }
    if (fisicaTravado == 'S' && entidade != 0) {
        FISICA_adiar(FISICA_PENDENTE_CRIAR_CORPO, entidade, 0, x, y, 0);
        return entidade;
    }
    _fisica_corpo* c = (_fisica_corpo*)calloc(1, sizeof(_fisica_corpo));
    const char* erro = c ? engine_vetorPonteiro_adicionarPonteiroEm(ENGINE_MODULO_FISICA, fisicaCorpos, c, entidade)
                         : "Memoria insuficiente";
    if (erro) {
        FISICA_logar("Falha ao criar corpo para entidade", (int32_t)entidade);
        FISICA_logar(erro, -1);
        free(c);
        return 0;
    }

    btCompoundShape* composta = new btCompoundShape(true);
    btTransform inicio;
    inicio.setIdentity();
    inicio.setOrigin(btVector3((btScalar)x * 0.1f, (btScalar)y * 0.1f, 0));
    btDefaultMotionState* estado = new btDefaultMotionState(inicio);
    btRigidBody::btRigidBodyConstructionInfo info(0, estado, composta, btVector3(0, 0, 0));
    c->corpo = new btRigidBody(info);
    // Kinematic until property 18 says otherwise; the custom-material flag
    // makes the contact hook run for every contact of the body.
    c->corpo->setCollisionFlags(c->corpo->getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT |
                                btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
    c->corpo->setActivationState(DISABLE_DEACTIVATION);
    c->corpo->setDamping(0.5f, 0.5f);
    // The world orders pairs and contacts by it.
    c->corpo->setUserIndex((int)entidade);
    fisicaDiscreteDynamicsWorld->addRigidBody(c->corpo);

    c->massa = 0;
    c->forcaX = c->forcaY = 0;
    c->torcao = 0;
    c->dinamico = 'N';
    c->reinserir = 'N';
    c->configuracoes = engine_criarVetorInteiro(ENGINE_MODULO_FISICA);
    c->tratadores = engine_criarVetorPonteiro(ENGINE_MODULO_FISICA);
    return entidade;
}

void FISICA_marcarReinsercao(uint32_t entidade)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    if (c) c->reinserir = 'S';
}

// ------------------------------------------------------------ destruction

// Frees everything the body owns; the body must be out of the world.
static void FISICA_liberarCorpo(_fisica_corpo* c)
{
    engine_destruirVetorInteiro(ENGINE_MODULO_FISICA, c->configuracoes);
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, c->tratadores);
    for (uint32_t i = 1; i <= n; i++) free(engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, c->tratadores, i));
    engine_destruirVetorPonteiro(ENGINE_MODULO_FISICA, c->tratadores);
    btMotionState* estado = c->corpo->getMotionState();
    btCollisionShape* composta = c->corpo->getCollisionShape();
    delete c->corpo;
    delete estado;
    delete composta;
}

const char* fisica_destruirCorpo(uint32_t entidade)
{
    if (!FISICA_corpoExistira(entidade)) return FISICA_ERRO_CORPO;
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_DESTRUIR_CORPO, entidade, 0, 0, 0, 0);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(entidade);
    btCompoundShape* composta = FISICA_composta(c);
    // Each removal takes one child out of the compound (the most recent
    // attachment of that figure to this body); the last child first.
    while (composta->getNumChildShapes() > 0) {
        int ultimo = composta->getNumChildShapes() - 1;
        _fisica_figuraAnexada* a = (_fisica_figuraAnexada*)composta->getChildShape(ultimo)->getUserPointer();
        if (!a || fisica_removerFiguraAnexada(a->entidade, a->figura) != nullptr) {
            // Never expected: drop the child so the loop ends.
            btCollisionShape* filho = composta->getChildShape(ultimo);
            composta->removeChildShapeByIndex(ultimo);
            delete filho;
        }
    }
    fisicaDiscreteDynamicsWorld->removeCollisionObject(c->corpo);
    FISICA_liberarCorpo(c);
    const char* erro = engine_vetorPonteiro_limparPonteiro(ENGINE_MODULO_FISICA, fisicaCorpos, entidade);
    // A body made later for this entity starts without the old one's
    // expressions and timelines.
    engine_esquecerInstancia(ENGINE_MODULO_FISICA, 1, entidade);
    return erro;
}

void FISICA_liberarCorpos()
{
    uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, fisicaCorpos);
    for (uint32_t i = 1; i <= n; i++)
        if (fisica_corpo(i)) fisica_destruirCorpo(i);
    engine_destruirVetorPonteiro(ENGINE_MODULO_FISICA, fisicaCorpos);
    fisicaCorpos = 0;
}

// ------------------------------------------------------------ mass and kind

// Gives a dynamic body the mass m (thousandths): out of the world, new mass
// and inertia, back in at the transform its motion state reports, linear
// motion stopped.
static void FISICA_aplicarMassa(_fisica_corpo* c, int32_t m)
{
    btTransform t = FISICA_transformada(c);
    fisicaDiscreteDynamicsWorld->removeRigidBody(c->corpo);
    btScalar massa = (btScalar)m * 0.001f;
    btVector3 inercia(0, 0, 0);
    FISICA_composta(c)->calculateLocalInertia(massa, inercia);
    c->corpo->setMassProps(massa, inercia);
    c->corpo->updateInertiaTensor();
    fisicaDiscreteDynamicsWorld->addRigidBody(c->corpo);
    c->corpo->setCenterOfMassTransform(t);
    c->corpo->setLinearVelocity(btVector3(0, 0, 0));
}

const char* FISICA_mudarMassa(uint32_t e, _engine_valor v)
{
    if (!FISICA_corpoExistira(e)) return FISICA_ERRO_CORPO;
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_MASSA, e, 0, 0, 0, v);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(e);
    int32_t valor = FISICA_valor32(v);
    if (valor == c->massa) return nullptr;
    c->massa = valor;
    if (c->dinamico != 'S') return nullptr;  // a kinematic body only keeps it
    FISICA_aplicarMassa(c, valor);
    return nullptr;
}

const char* FISICA_mudarDinamico(uint32_t e, _engine_valor v)
{
    if (!FISICA_corpoExistira(e)) return FISICA_ERRO_CORPO;
    if (fisicaTravado == 'S') {
        FISICA_adiar(FISICA_PENDENTE_DINAMICO, e, 0, 0, 0, v);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(e);
    char caractere = (char)(uint8_t)(v & 0xFF);
    if (caractere == c->dinamico) return nullptr;
    c->dinamico = caractere;
    c->reinserir = 'S';
    if (caractere == 'S') {
        c->corpo->setCollisionFlags(c->corpo->getCollisionFlags() & ~btCollisionObject::CF_KINEMATIC_OBJECT);
        // Through the mass rule, so the body is re-added with its stored
        // mass; with mass 0 it keeps its present mass properties.
        int32_t m = c->massa;
        c->massa = 0;
        return FISICA_mudarMassa(e, m);
    }
    fisicaDiscreteDynamicsWorld->removeRigidBody(c->corpo);
    c->corpo->setCollisionFlags(c->corpo->getCollisionFlags() | btCollisionObject::CF_KINEMATIC_OBJECT);
    fisicaDiscreteDynamicsWorld->addRigidBody(c->corpo);
    return nullptr;
}

// ------------------------------------------------------------ scale

void FISICA_recolocarFilhos(uint32_t entidade)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    if (!c) return;
    btCompoundShape* composta = FISICA_composta(c);
    btVector3 s = composta->getLocalScaling();
    for (int i = composta->getNumChildShapes() - 1; i >= 0; i--) {
        _fisica_figuraAnexada* a = (_fisica_figuraAnexada*)composta->getChildShape(i)->getUserPointer();
        if (!a) continue;
        btTransform t;
        t.setIdentity();
        t.setOrigin(btVector3(a->deslocamentoX * s.x(), a->deslocamentoY * s.y(), 0));
        composta->updateChildTransform(i, t, true);
    }
    fisicaDiscreteDynamicsWorld->updateSingleAabb(c->corpo);
    c->reinserir = 'S';
}

void FISICA_atualizarLimites(uint32_t entidade)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    if (!c) return;
    btCompoundShape* composta = FISICA_composta(c);
    // The same transforms again: the compound's tree takes each child's new
    // bounds from its (rescaled) shape.
    for (int i = 0; i < composta->getNumChildShapes(); i++)
        composta->updateChildTransform(i, composta->getChildTransform(i), false);
    composta->recalculateLocalAabb();
    fisicaDiscreteDynamicsWorld->updateSingleAabb(c->corpo);
    c->reinserir = 'S';
}

// The compound rescales every child's shape, and figures share one shape
// across all their attachments: the other bodies that carry one of these
// figures get new bounds too.
static void FISICA_atualizarCorposCompartilhados(uint32_t entidade)
{
    btCompoundShape* composta = FISICA_composta(fisica_corpo(entidade));
    std::vector<uint32_t> outros;
    for (int i = 0; i < composta->getNumChildShapes(); i++) {
        _fisica_figuraAnexada* a = (_fisica_figuraAnexada*)composta->getChildShape(i)->getUserPointer();
        _fisica_figura* f = a ? fisica_figura(a->figura) : nullptr;
        if (!f) continue;
        uint32_t n = engine_vetorPonteiro_pegarTamanho(ENGINE_MODULO_FISICA, f->anexos);
        for (uint32_t j = 1; j <= n; j++) {
            _fisica_figuraAnexada* b =
                (_fisica_figuraAnexada*)engine_vetorPonteiro_pegarPonteiro(ENGINE_MODULO_FISICA, f->anexos, j);
            if (!b || b->entidade == entidade) continue;
            bool visto = false;
            for (uint32_t o : outros) visto = visto || o == b->entidade;
            if (!visto) outros.push_back(b->entidade);
        }
    }
    for (uint32_t o : outros) FISICA_atualizarLimites(o);
}

static const char* FISICA_mudarEscala(uint32_t e, _engine_valor v, int eixo)
{
    if (!FISICA_corpoExistira(e)) return FISICA_ERRO_CORPO;
    btScalar fator = (btScalar)FISICA_valor32(v) * 0.001f;
    // A zero factor cannot be undone: the library divides by the old scale.
    if (fator == 0) return ERRO_ESCALA;
    if (fisicaTravado == 'S') {
        FISICA_adiar(eixo == 0 ? FISICA_PENDENTE_ESCALA_X : FISICA_PENDENTE_ESCALA_Y, e, 0, 0, 0, v);
        return nullptr;
    }
    _fisica_corpo* c = fisica_corpo(e);
    btCompoundShape* composta = FISICA_composta(c);
    btVector3 s = composta->getLocalScaling();
    if (eixo == 0)
        s = btVector3(fator, s.y(), 1);
    else
        s = btVector3(s.x(), fator, 1);
    composta->setLocalScaling(s);
    FISICA_recolocarFilhos(e);
    FISICA_atualizarCorposCompartilhados(e);
    return nullptr;
}

const char* FISICA_mudarEscalaX(uint32_t e, _engine_valor v) { return FISICA_mudarEscala(e, v, 0); }
const char* FISICA_mudarEscalaY(uint32_t e, _engine_valor v) { return FISICA_mudarEscala(e, v, 1); }

_engine_valor FISICA_pegarEscalaX(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(FISICA_composta(c)->getLocalScaling().x(), 1000.0) : 0;
}

_engine_valor FISICA_pegarEscalaY(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(FISICA_composta(c)->getLocalScaling().y(), 1000.0) : 0;
}

// ------------------------------------------------------------ position

_engine_valor FISICA_pegarX(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(FISICA_transformada(c).getOrigin().x(), 10.0) : 0;
}

_engine_valor FISICA_pegarY(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(FISICA_transformada(c).getOrigin().y(), 10.0) : 0;
}

// A dynamic body is sent towards the target (it gets there in one second if
// nothing else acts); a kinematic one is put there.
static const char* FISICA_mudarPosicao(uint32_t e, _engine_valor v, int eixo)
{
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    btScalar alvo = (btScalar)FISICA_valor32(v) * 0.1f;
    btTransform t = FISICA_transformada(c);
    if (c->dinamico == 'S') {
        btVector3 vel = c->corpo->getLinearVelocity();
        vel[eixo] = alvo - t.getOrigin()[eixo];
        vel.setZ(0);
        c->corpo->setLinearVelocity(vel);
        return nullptr;
    }
    btVector3 origem = t.getOrigin();
    origem[eixo] = alvo;
    origem.setZ(0);
    t.setOrigin(origem);
    c->corpo->getMotionState()->setWorldTransform(t);
    fisicaDiscreteDynamicsWorld->updateSingleAabb(c->corpo);
    return nullptr;
}

const char* FISICA_mudarX(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarX, v) ? nullptr : FISICA_mudarPosicao(e, v, 0);
}

const char* FISICA_mudarY(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarY, v) ? nullptr : FISICA_mudarPosicao(e, v, 1);
}

// The signed rotation about z in radians: axis z times angle of the
// transform's quaternion.
static btScalar FISICA_rotacao(const btTransform& t)
{
    btQuaternion q = t.getRotation();
    btScalar w = btClamped(q.w(), btScalar(-1), btScalar(1));
    btScalar angulo = 2 * btAcos(w);
    btScalar resto = 1 - w * w;
    btScalar eixoZ = resto < btScalar(1.1920929e-6) ? 0 : q.z() / btSqrt(resto);
    return eixoZ * angulo;
}

_engine_valor FISICA_pegarRotacao(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(FISICA_rotacao(FISICA_transformada(c)), FISICA_RAD_PARA_GRAU) : 0;
}

const char* FISICA_mudarRotacao(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarRotacao, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    double alvo = (double)FISICA_valor32(v) * FISICA_GRAU_PARA_RAD;
    btTransform t = FISICA_transformada(c);
    if (c->dinamico == 'S') {
        c->corpo->setAngularVelocity(btVector3(0, 0, (btScalar)(alvo - (double)FISICA_rotacao(t))));
        return nullptr;
    }
    t.setRotation(btQuaternion(0, 0, (btScalar)sin(alvo / 2), (btScalar)cos(alvo / 2)));
    c->corpo->getMotionState()->setWorldTransform(t);
    fisicaDiscreteDynamicsWorld->updateSingleAabb(c->corpo);
    return nullptr;
}

// ------------------------------------------------------------ velocity

_engine_valor FISICA_pegarVelocidadeX(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(c->corpo->getLinearVelocity().x(), 10.0) : 0;
}

_engine_valor FISICA_pegarVelocidadeY(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(c->corpo->getLinearVelocity().y(), 10.0) : 0;
}

_engine_valor FISICA_pegarVelocidadeRot(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(c->corpo->getAngularVelocity().z(), 1000.0) : 0;
}

static const char* FISICA_mudarVelocidade(uint32_t e, _engine_valor v, int eixo)
{
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    if (c->dinamico != 'S') return ERRO_VELOCIDADE;
    btVector3 vel = c->corpo->getLinearVelocity();
    vel[eixo] = (btScalar)FISICA_valor32(v) * 0.1f;
    vel.setZ(0);
    c->corpo->setLinearVelocity(vel);
    return nullptr;
}

const char* FISICA_mudarVelocidadeX(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarVelocidadeX, v) ? nullptr : FISICA_mudarVelocidade(e, v, 0);
}

const char* FISICA_mudarVelocidadeY(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarVelocidadeY, v) ? nullptr : FISICA_mudarVelocidade(e, v, 1);
}

const char* FISICA_mudarVelocidadeRot(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarVelocidadeRot, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    if (c->dinamico != 'S') return ERRO_VELOCIDADE;
    c->corpo->setAngularVelocity(btVector3(0, 0, (btScalar)FISICA_valor32(v) * 0.001f));
    return nullptr;
}

// ------------------------------------------------------------ force

_engine_valor FISICA_pegarForcaX(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? c->forcaX : 0;
}

_engine_valor FISICA_pegarForcaY(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? c->forcaY : 0;
}

_engine_valor FISICA_pegarTorcao(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? c->torcao : 0;
}

const char* FISICA_mudarForcaX(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarForcaX, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->forcaX = FISICA_valor32(v);
    return nullptr;
}

const char* FISICA_mudarForcaY(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarForcaY, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->forcaY = FISICA_valor32(v);
    return nullptr;
}

const char* FISICA_mudarTorcao(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarTorcao, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->torcao = FISICA_valor32(v);
    return nullptr;
}

// ------------------------------------------------------------ impulse

_engine_valor FISICA_pegarImpulsoX(uint32_t) { return 0; }
_engine_valor FISICA_pegarImpulsoY(uint32_t) { return 0; }
_engine_valor FISICA_pegarImpulsoRot(uint32_t) { return 0; }

static const char* FISICA_mudarImpulso(uint32_t e, _engine_valor v, int eixo)
{
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    if (c->dinamico != 'S') return ERRO_IMPULSO;
    btVector3 vel = c->corpo->getLinearVelocity();
    vel[eixo] += c->corpo->getLinearFactor()[eixo] * c->corpo->getInvMass() * 10.0f * (btScalar)FISICA_valor32(v);
    c->corpo->setLinearVelocity(vel);
    return nullptr;
}

const char* FISICA_mudarImpulsoX(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarImpulsoX, v) ? nullptr : FISICA_mudarImpulso(e, v, 0);
}

const char* FISICA_mudarImpulsoY(uint32_t e, _engine_valor v)
{
    return FISICA_adiarAtras(e, FISICA_mudarImpulsoY, v) ? nullptr : FISICA_mudarImpulso(e, v, 1);
}

const char* FISICA_mudarImpulsoRot(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarImpulsoRot, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    if (c->dinamico != 'S') return ERRO_IMPULSO;
    c->corpo->applyTorqueImpulse(btVector3(0, 0, (btScalar)FISICA_valor32(v) * 0.1f));
    return nullptr;
}

// ------------------------------------------------------------ damping, rotating

_engine_valor FISICA_pegarDificuldadeMov(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(c->corpo->getLinearDamping(), 2000.0) : 0;
}

_engine_valor FISICA_pegarDificuldadeRot(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? FISICA_paraMotor(c->corpo->getAngularDamping(), 2000.0) : 0;
}

const char* FISICA_mudarDificuldadeMov(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarDificuldadeMov, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->corpo->setDamping((btScalar)FISICA_valor32(v) * 0.0005f, c->corpo->getAngularDamping());
    return nullptr;
}

const char* FISICA_mudarDificuldadeRot(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarDificuldadeRot, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->corpo->setDamping(c->corpo->getLinearDamping(), (btScalar)FISICA_valor32(v) * 0.0005f);
    return nullptr;
}

_engine_valor FISICA_pegarMassa(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? c->massa : 0;
}

_engine_valor FISICA_pegarDinamico(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    return c ? (_engine_valor)(signed char)c->dinamico : 0;
}

_engine_valor FISICA_pegarPodeRodar(uint32_t e)
{
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return 'N';
    return c->corpo->getAngularFactor().z() == btScalar(1) ? 'S' : 'N';
}

const char* FISICA_mudarPodeRodar(uint32_t e, _engine_valor v)
{
    if (FISICA_adiarAtras(e, FISICA_mudarPodeRodar, v)) return nullptr;
    _fisica_corpo* c = fisica_corpo(e);
    if (!c) return FISICA_ERRO_CORPO;
    c->corpo->setAngularFactor(v == 'S' ? btVector3(1, 1, 1) : btVector3(0, 0, 0));
    return nullptr;
}

// ------------------------------------------------------------ registration

void FISICA_registrarPropriedadesCorpo()
{
    struct Propriedade {
        uint32_t numero;
        _engine_funcaoPegar pegar;
        _engine_funcaoMudar mudar;
        char imediata;
    };
    static const Propriedade propriedades[] = {
        {FISICA_DINAMICO, FISICA_pegarDinamico, FISICA_mudarDinamico, 'N'},
        {FISICA_X, FISICA_pegarX, FISICA_mudarX, 'S'},
        {FISICA_Y, FISICA_pegarY, FISICA_mudarY, 'S'},
        {FISICA_ROTACAO, FISICA_pegarRotacao, FISICA_mudarRotacao, 'S'},
        {FISICA_ESCALA_X, FISICA_pegarEscalaX, FISICA_mudarEscalaX, 'S'},
        {FISICA_ESCALA_Y, FISICA_pegarEscalaY, FISICA_mudarEscalaY, 'S'},
        {FISICA_VELOCIDADE_X, FISICA_pegarVelocidadeX, FISICA_mudarVelocidadeX, 'S'},
        {FISICA_VELOCIDADE_Y, FISICA_pegarVelocidadeY, FISICA_mudarVelocidadeY, 'S'},
        {FISICA_VELOCIDADE_ROT, FISICA_pegarVelocidadeRot, FISICA_mudarVelocidadeRot, 'S'},
        {FISICA_FORCA_X, FISICA_pegarForcaX, FISICA_mudarForcaX, 'N'},
        {FISICA_FORCA_Y, FISICA_pegarForcaY, FISICA_mudarForcaY, 'N'},
        {FISICA_TORCAO, FISICA_pegarTorcao, FISICA_mudarTorcao, 'N'},
        {FISICA_IMPULSO_X, FISICA_pegarImpulsoX, FISICA_mudarImpulsoX, 'S'},
        {FISICA_IMPULSO_Y, FISICA_pegarImpulsoY, FISICA_mudarImpulsoY, 'S'},
        {FISICA_IMPULSO_ROT, FISICA_pegarImpulsoRot, FISICA_mudarImpulsoRot, 'S'},
        {FISICA_DIFICULDADE_MOV, FISICA_pegarDificuldadeMov, FISICA_mudarDificuldadeMov, 'S'},
        {FISICA_DIFICULDADE_ROT, FISICA_pegarDificuldadeRot, FISICA_mudarDificuldadeRot, 'S'},
        {FISICA_MASSA, FISICA_pegarMassa, FISICA_mudarMassa, 'S'},
        {FISICA_PODE_RODAR, FISICA_pegarPodeRodar, FISICA_mudarPodeRodar, 'S'},
    };
    for (const Propriedade& p : propriedades)
        engine_registrarPropriedade(ENGINE_MODULO_FISICA, 1, p.numero, p.pegar, p.mudar, p.imediata);
}
