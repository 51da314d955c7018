// Overlap queries: which bodies a body's figures would overlap at another
// scale or place, asked without moving or rescaling the body itself.
#include "fisica/fisica_interno.h"

#include <BulletCollision/CollisionShapes/btUniformScalingShape.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Collects the other bodies that the probe overlaps by more than a depth.
struct _fisica_coletor : btCollisionWorld::ContactResultCallback {
    const btCollisionObject* sonda = nullptr;
    const btCollisionObject* proprio = nullptr;
    btScalar profundidade = 0;
    std::vector<uint32_t> corpos;

    bool needsCollision(btBroadphaseProxy* proxy) const override
    {
        return proxy->m_clientObject != proprio && btCollisionWorld::ContactResultCallback::needsCollision(proxy);
    }
    btScalar addSingleResult(btManifoldPoint& ponto, const btCollisionObjectWrapper* a, int, int,
                             const btCollisionObjectWrapper* b, int, int) override
    {
        if (ponto.getDistance() >= -profundidade) return 0;
        const btCollisionObject* outro =
            a->getCollisionObject() == sonda ? b->getCollisionObject() : a->getCollisionObject();
        uint32_t entidade = (uint32_t)outro->getUserIndex();
        if (std::find(corpos.begin(), corpos.end(), entidade) == corpos.end()) corpos.push_back(entidade);
        return 0;
    }
};

}  // namespace

uint32_t fisica_sobreposicoes(uint32_t entidade, int32_t escala, int32_t dx, int32_t dy, int32_t folga,
                              uint32_t* corpos, uint32_t maximo)
{
    _fisica_corpo* c = fisica_corpo(entidade);
    // Inside the step the world's bounds and transforms are half-way through
    // a change.
    if (!c || fisicaTravado == 'S' || escala <= 0) return 0;
    btCompoundShape* composta = (btCompoundShape*)c->corpo->getCollisionShape();
    btScalar atual = composta->getLocalScaling().x();
    if (!(atual > 0)) return 0;
    btScalar fator = (btScalar)escala * 0.001f / atual;

    // A copy of the compound whose children wrap the body's own shapes in a
    // uniform scaling: the shapes themselves, shared with other bodies, stay
    // as they are.
    btCompoundShape sonda(true);
    std::vector<std::unique_ptr<btUniformScalingShape>> escaladas;
    std::vector<std::unique_ptr<btConvex2dShape>> planas;
    for (int i = 0; i < composta->getNumChildShapes(); i++) {
        btConvex2dShape* filho = (btConvex2dShape*)composta->getChildShape(i);
        escaladas.emplace_back(new btUniformScalingShape(filho->getChildShape(), fator));
        planas.emplace_back(new btConvex2dShape(escaladas.back().get()));
        btTransform t = composta->getChildTransform(i);
        t.setOrigin(t.getOrigin() * fator);
        sonda.addChildShape(t, planas.back().get());
    }
    if (sonda.getNumChildShapes() == 0) return 0;

    btCollisionObject objeto;
    objeto.setCollisionShape(&sonda);
    btTransform lugar = c->corpo->getWorldTransform();
    lugar.setOrigin(lugar.getOrigin() + btVector3((btScalar)dx * 0.1f, (btScalar)dy * 0.1f, 0));
    objeto.setWorldTransform(lugar);

    _fisica_coletor coletor;
    coletor.sonda = &objeto;
    coletor.proprio = c->corpo;
    coletor.profundidade = (btScalar)(folga > 0 ? folga : 0) * 0.1f;
    fisicaDiscreteDynamicsWorld->contactTest(&objeto, coletor);

    std::sort(coletor.corpos.begin(), coletor.corpos.end());
    for (uint32_t i = 0; i < maximo && i < coletor.corpos.size(); i++) corpos[i] = coletor.corpos[i];
    return (uint32_t)coletor.corpos.size();
}
