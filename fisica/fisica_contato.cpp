// The contact-storing step (the library's own body of addContactPoint, with
// the hook asked before the store) and the near callback that uses it.
#include "fisica/fisica_contato.h"

#include <BulletCollision/CollisionDispatch/btCollisionObject.h>
#include <BulletCollision/CollisionDispatch/btCollisionObjectWrapper.h>
#include <BulletCollision/BroadphaseCollision/btCollisionAlgorithm.h>

#include <cstdint>

_fisica_resultadoContato::_fisica_resultadoContato(const btCollisionObjectWrapper* corpo0,
                                                   const btCollisionObjectWrapper* corpo1)
    : btManifoldResult(corpo0, corpo1)
{
    // The library leaves these to the algorithms; a pair of plain convex
    // shapes never sets them.
    m_partId0 = m_partId1 = -1;
    m_index0 = m_index1 = -1;
}

void _fisica_resultadoContato::addContactPoint(const btVector3& normalOnBInWorld, const btVector3& pointInWorld,
                                               btScalar depth)
{
    btAssert(m_manifoldPtr);
    if (depth > m_manifoldPtr->getContactBreakingThreshold()) return;

    const btCollisionObject* objeto0 = m_body0Wrap->getCollisionObject();
    const btCollisionObject* objeto1 = m_body1Wrap->getCollisionObject();
    // The manifold keeps its own order of the pair; the algorithm may have
    // received it the other way round.
    bool trocado = m_manifoldPtr->getBody0() != objeto0;
    bool colisaoNova = m_manifoldPtr->getNumContacts() == 0;

    btVector3 pontoA = pointInWorld + normalOnBInWorld * depth;
    btVector3 localA, localB;
    if (trocado) {
        localA = objeto1->getWorldTransform().invXform(pontoA);
        localB = objeto0->getWorldTransform().invXform(pointInWorld);
    } else {
        localA = objeto0->getWorldTransform().invXform(pontoA);
        localB = objeto1->getWorldTransform().invXform(pointInWorld);
    }

    btManifoldPoint ponto(localA, localB, normalOnBInWorld, depth);
    ponto.m_positionWorldOnA = pontoA;
    ponto.m_positionWorldOnB = pointInWorld;

    int indice = m_manifoldPtr->getCacheEntry(ponto);

    ponto.m_combinedFriction = gCalculateCombinedFrictionCallback(objeto0, objeto1);
    ponto.m_combinedRestitution = gCalculateCombinedRestitutionCallback(objeto0, objeto1);
    ponto.m_combinedRollingFriction = gCalculateCombinedRollingFrictionCallback(objeto0, objeto1);
    ponto.m_combinedSpinningFriction = gCalculateCombinedSpinningFrictionCallback(objeto0, objeto1);

    int flags = objeto0->getCollisionFlags() | objeto1->getCollisionFlags();
    if (flags & btCollisionObject::CF_HAS_CONTACT_STIFFNESS_DAMPING) {
        ponto.m_combinedContactDamping1 = gCalculateCombinedContactDampingCallback(objeto0, objeto1);
        ponto.m_combinedContactStiffness1 = gCalculateCombinedContactStiffnessCallback(objeto0, objeto1);
        ponto.m_contactPointFlags |= BT_CONTACT_FLAG_CONTACT_STIFFNESS_DAMPING;
    }
    if (flags & btCollisionObject::CF_HAS_FRICTION_ANCHOR) ponto.m_contactPointFlags |= BT_CONTACT_FLAG_FRICTION_ANCHOR;

    btPlaneSpace1(ponto.m_normalWorldOnB, ponto.m_lateralFrictionDir1, ponto.m_lateralFrictionDir2);

    if (trocado) {
        ponto.m_partId0 = m_partId1;
        ponto.m_partId1 = m_partId0;
        ponto.m_index0 = m_index1;
        ponto.m_index1 = m_index0;
    } else {
        ponto.m_partId0 = m_partId0;
        ponto.m_partId1 = m_partId1;
        ponto.m_index0 = m_index0;
        ponto.m_index1 = m_index1;
    }

    // The hook sees the point before it is stored, with the wrappers in the
    // manifold's order; what it changes in the point is stored with it.
    if (gContactAddedCallback && (flags & btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK)) {
        const btCollisionObjectWrapper* envoltorio0 = trocado ? m_body1Wrap : m_body0Wrap;
        const btCollisionObjectWrapper* envoltorio1 = trocado ? m_body0Wrap : m_body1Wrap;
        bool guardar = (*gContactAddedCallback)(ponto, envoltorio0, ponto.m_partId0, ponto.m_index0, envoltorio1,
                                                ponto.m_partId1, ponto.m_index1);
        if (!guardar) {
            if (indice >= 0) m_manifoldPtr->removeContactPoint(indice);
            return;
        }
    }

    if (indice >= 0)
        m_manifoldPtr->replaceContactPoint(ponto, indice);
    else
        m_manifoldPtr->addManifoldPoint(ponto);

    if (gContactStartedCallback && colisaoNova) gContactStartedCallback(m_manifoldPtr);
}

void FISICA_nearCallback(btBroadphasePair& par, btCollisionDispatcher& dispatcher, const btDispatcherInfo& info)
{
    btCollisionObject* objeto0 = (btCollisionObject*)par.m_pProxy0->m_clientObject;
    btCollisionObject* objeto1 = (btCollisionObject*)par.m_pProxy1->m_clientObject;
    // The body of the lower entity id comes first (the broadphase orders a
    // pair by when its bodies entered the world); the pair's algorithm, and
    // so its manifold, keep that order.
    if ((uint32_t)objeto1->getUserIndex() < (uint32_t)objeto0->getUserIndex()) btSwap(objeto0, objeto1);
    if (!dispatcher.needsCollision(objeto0, objeto1)) return;

    btCollisionObjectWrapper envoltorio0(0, objeto0->getCollisionShape(), objeto0, objeto0->getWorldTransform(), -1, -1);
    btCollisionObjectWrapper envoltorio1(0, objeto1->getCollisionShape(), objeto1, objeto1->getWorldTransform(), -1, -1);

    // The dispatcher keeps the algorithm in the pair while the pair lives.
    if (!par.m_algorithm)
        par.m_algorithm = dispatcher.findAlgorithm(&envoltorio0, &envoltorio1, 0, BT_CONTACT_POINT_ALGORITHMS);
    if (!par.m_algorithm) return;

    _fisica_resultadoContato resultado(&envoltorio0, &envoltorio1);
    if (info.m_dispatchFunc == btDispatcherInfo::DISPATCH_DISCRETE) {
        par.m_algorithm->processCollision(&envoltorio0, &envoltorio1, info, &resultado);
    } else {
        btScalar toi = par.m_algorithm->calculateTimeOfImpact(objeto0, objeto1, info, &resultado);
        if (info.m_timeOfImpact > toi) info.m_timeOfImpact = toi;
    }
}
