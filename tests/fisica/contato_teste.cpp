// The contact-storing step on its own: a real manifold between two collision
// objects, points handed to the step as a collision algorithm would.
#include <gtest/gtest.h>

#include <btBulletCollisionCommon.h>

#include <memory>
#include <optional>
#include <vector>

#include "fisica/fisica_contato.h"

namespace {

// What the hook saw and what it answers.
struct Gancho {
    int chamadas = 0;
    bool resposta = true;
    const btCollisionObjectWrapper* primeiro = nullptr;
    int indice0 = 0, indice1 = 0;
    btScalar atrito = 0.75f;
} gancho;

bool ganchoTeste(btManifoldPoint& cp, const btCollisionObjectWrapper* w0, int, int index0,
                 const btCollisionObjectWrapper*, int, int index1)
{
    gancho.chamadas++;
    gancho.primeiro = w0;
    gancho.indice0 = index0;
    gancho.indice1 = index1;
    cp.m_combinedFriction = gancho.atrito;
    return gancho.resposta;
}

int liberados = 0;
bool contarLiberado(void*) { liberados++; return true; }

int marcas[4];

class Contato : public ::testing::Test {
protected:
    btSphereShape forma{1};
    btCollisionObject a, b;
    std::optional<btCollisionObjectWrapper> wa, wb;  // the library forbids them on the heap
    std::unique_ptr<btPersistentManifold> manifold;

    void SetUp() override
    {
        gancho = Gancho();
        liberados = 0;
        gContactAddedCallback = ganchoTeste;
        gContactDestroyedCallback = contarLiberado;
        for (btCollisionObject* o : {&a, &b}) {
            o->setCollisionShape(&forma);
            o->setCollisionFlags(btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
            o->setFriction(0.5f);
            o->setRestitution(0.5f);
        }
        btTransform t;
        t.setIdentity();
        a.setWorldTransform(t);
        t.setOrigin(btVector3(10, 0, 0));
        b.setWorldTransform(t);
        wa.emplace(nullptr, &forma, &a, a.getWorldTransform(), -1, 0);
        wb.emplace(nullptr, &forma, &b, b.getWorldTransform(), -1, 1);
        manifold.reset(new btPersistentManifold(&a, &b, 0, 0.5f, 0.5f));
    }
    void TearDown() override
    {
        manifold->clearManifold();
        gContactAddedCallback = nullptr;
        gContactDestroyedCallback = nullptr;
    }

    // A point as an algorithm reports it, the pair in the given order.
    void adicionar(btManifoldResult& r, btScalar x, btScalar profundidade)
    {
        r.setPersistentManifold(manifold.get());
        r.setShapeIdentifiersA(-1, 0);
        r.setShapeIdentifiersB(-1, 1);
        r.addContactPoint(btVector3(0, 1, 0), btVector3(x, 0, 0), profundidade);
    }
    void adicionar(btScalar x, btScalar profundidade = -0.1f)
    {
        _fisica_resultadoContato r(&*wa, &*wb);
        adicionar(r, x, profundidade);
    }

    // Three cached points at x = 0, 2, 4, each with its persistent data,
    // impulse and life time.
    void guardarTres()
    {
        for (int i = 0; i < 3; i++) {
            btManifoldPoint p(btVector3(2.0f * i, -0.1f, 0), btVector3(2.0f * i - 10, 0, 0), btVector3(0, 1, 0),
                              -0.1f);
            p.m_userPersistentData = &marcas[i];
            p.m_appliedImpulse = 7.0f + i;
            p.m_lifeTime = 5 + i;
            manifold->addManifoldPoint(p);
        }
    }
    btScalar xLocalA(int i) { return manifold->getContactPoint(i).m_localPointA.x(); }
};

TEST_F(Contato, PontoAlemDoLimiteNaoGuardaNemPergunta)
{
    adicionar(0, 0.6f);
    EXPECT_EQ(manifold->getNumContacts(), 0);
    EXPECT_EQ(gancho.chamadas, 0);
}

// Without the hook, or without the custom-material flag on either object,
// the manifold ends exactly as the library's own step leaves it.
TEST_F(Contato, SemGanchoOuSemMarcaIgualAoPassoDaBiblioteca)
{
    for (int caso = 0; caso < 2; caso++) {
        SCOPED_TRACE(caso == 0 ? "sem gancho" : "sem marca");
        if (caso == 0) gContactAddedCallback = nullptr;
        if (caso == 1) {
            gContactAddedCallback = ganchoTeste;
            a.setCollisionFlags(0);
            b.setCollisionFlags(0);
        }
        // Six points, one of them close to an earlier one, one past a full cache.
        auto rodar = [&](bool nosso) {
            manifold.reset(new btPersistentManifold(&a, &b, 0, 0.5f, 0.5f));
            for (btScalar x : {0.0f, 3.0f, 6.0f, 3.2f, 9.0f, 12.0f}) {
                std::unique_ptr<btManifoldResult> r(nosso ? new _fisica_resultadoContato(&*wa, &*wb)
                                                          : new btManifoldResult(&*wa, &*wb));
                adicionar(*r, x, -0.1f);
            }
            return *manifold;
        };
        btPersistentManifold nosso = rodar(true), deles = rodar(false);
        ASSERT_EQ(nosso.getNumContacts(), deles.getNumContacts());
        EXPECT_EQ(nosso.getNumContacts(), 4);
        for (int i = 0; i < nosso.getNumContacts(); i++) {
            const btManifoldPoint &p = nosso.getContactPoint(i), &q = deles.getContactPoint(i);
            EXPECT_EQ(p.m_localPointA, q.m_localPointA);
            EXPECT_EQ(p.m_localPointB, q.m_localPointB);
            EXPECT_EQ(p.m_positionWorldOnA, q.m_positionWorldOnA);
            EXPECT_EQ(p.m_distance1, q.m_distance1);
            EXPECT_EQ(p.m_combinedFriction, q.m_combinedFriction);
            EXPECT_EQ(p.m_combinedRestitution, q.m_combinedRestitution);
            EXPECT_EQ(p.m_lateralFrictionDir1, q.m_lateralFrictionDir1);
            EXPECT_EQ(p.m_index0, q.m_index0);
            EXPECT_EQ(p.m_index1, q.m_index1);
        }
        EXPECT_EQ(gancho.chamadas, 0);
    }
}

TEST_F(Contato, NaoSemPontoParecidoDeixaOManifoldComoEstava)
{
    guardarTres();
    gancho.resposta = false;
    adicionar(8);
    EXPECT_EQ(gancho.chamadas, 1);
    ASSERT_EQ(manifold->getNumContacts(), 3);
    for (int i = 0; i < 3; i++) EXPECT_EQ(xLocalA(i), 2.0f * i);
    EXPECT_EQ(liberados, 0);
}

TEST_F(Contato, NaoComPontoParecidoRemoveOPontoGuardado)
{
    // Matching the first of three: it is released and the last moves in.
    guardarTres();
    gancho.resposta = false;
    adicionar(0.1f);
    ASSERT_EQ(manifold->getNumContacts(), 2);
    EXPECT_EQ(liberados, 1);
    EXPECT_EQ(xLocalA(0), 4.0f);
    EXPECT_EQ(manifold->getContactPoint(0).m_userPersistentData, &marcas[2]);
    EXPECT_EQ(xLocalA(1), 2.0f);

    // Matching the last cached point: it is just dropped from the count.
    adicionar(2.1f);
    ASSERT_EQ(manifold->getNumContacts(), 1);
    EXPECT_EQ(liberados, 2);
    EXPECT_EQ(xLocalA(0), 4.0f);
}

TEST_F(Contato, SimComPontoParecidoGuardaONovoComImpulsoEVidaDoAntigo)
{
    guardarTres();
    adicionar(2.1f, -0.2f);
    ASSERT_EQ(manifold->getNumContacts(), 3);
    const btManifoldPoint& p = manifold->getContactPoint(1);
    EXPECT_FLOAT_EQ(p.m_localPointA.x(), 2.1f);
    EXPECT_FLOAT_EQ(p.m_distance1, -0.2f);
    EXPECT_EQ(p.m_combinedFriction, 0.75f);  // what the hook set
    EXPECT_EQ(p.m_appliedImpulse, 8.0f);
    EXPECT_EQ(p.getLifeTime(), 6);
    EXPECT_EQ(p.m_userPersistentData, &marcas[1]);
    EXPECT_EQ(liberados, 0);
}

TEST_F(Contato, SimSemPontoParecidoAcrescentaOPonto)
{
    guardarTres();
    adicionar(8);
    ASSERT_EQ(manifold->getNumContacts(), 4);
    EXPECT_FLOAT_EQ(xLocalA(3), 8.0f);
    EXPECT_EQ(manifold->getContactPoint(3).m_combinedFriction, 0.75f);
    EXPECT_EQ(manifold->getContactPoint(3).m_appliedImpulse, 0.0f);
}

// The algorithm got the pair as (a, b) but the manifold keeps (b, a): the
// hook sees b's wrapper first with b's index, and the local points follow
// the manifold's order.
TEST_F(Contato, GanchoRecebeOsEnvoltoriosNaOrdemDoManifold)
{
    manifold.reset(new btPersistentManifold(&b, &a, 0, 0.5f, 0.5f));
    adicionar(12);
    EXPECT_EQ(gancho.primeiro, &*wb);
    EXPECT_EQ(gancho.indice0, 1);
    EXPECT_EQ(gancho.indice1, 0);
    ASSERT_EQ(manifold->getNumContacts(), 1);
    const btManifoldPoint& p = manifold->getContactPoint(0);
    EXPECT_FLOAT_EQ(p.m_localPointA.x(), 2.0f);   // (12, -0.1) in b's frame
    EXPECT_FLOAT_EQ(p.m_localPointB.x(), 12.0f);  // (12, 0) in a's frame
}

}  // namespace
