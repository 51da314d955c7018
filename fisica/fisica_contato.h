// The changed contact-storing step of the narrow phase. The contact hook is
// asked about each new point before it is stored: true stores it (replacing
// the cached point it matches, whose impulses and life time it keeps), false
// stores nothing and removes the cached point it would have replaced. This
// is what lets a cancelled collision pass through: its manifold never keeps
// a point, so the solver never pushes the bodies apart.
#ifndef MORVALEN_FISICA_CONTATO_H
#define MORVALEN_FISICA_CONTATO_H

#include <BulletCollision/CollisionDispatch/btCollisionDispatcher.h>
#include <BulletCollision/CollisionDispatch/btManifoldResult.h>

class _fisica_resultadoContato : public btManifoldResult {
public:
    _fisica_resultadoContato(const btCollisionObjectWrapper* corpo0, const btCollisionObjectWrapper* corpo1);
    void addContactPoint(const btVector3& normalOnBInWorld, const btVector3& pointInWorld,
                         btScalar depth) override;
};

// The dispatcher's near callback: the library's default one, with the result
// object above.
void FISICA_nearCallback(btBroadphasePair& par, btCollisionDispatcher& dispatcher, const btDispatcherInfo& info);

#endif
