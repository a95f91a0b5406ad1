#pragma once

#include "engine/node_runtime.h"
#include "platform/math.h"

#include <cstdint>
#include <deque>
#include <memory>

namespace vintrel {

// Path of a trail particle: its recent positions, each with the ribbon width there.
class TrailHistory {
public:
    // Appends a point; when more than limit + 3 points are kept, the oldest goes.
    void append(const Vec4& point, int limit);
    const std::deque<Vec4>& points() const { return points_; }

private:
    std::deque<Vec4> points_;
};

// One live particle.
struct Particle {
    NodeRuntime* node = nullptr;
    Particle* parent = nullptr;          // null for the root particle and once the parent has died
    std::unique_ptr<TrailHistory> trail; // made on the first trail point
    int age = 0;
    const Mat4* facing = nullptr;
    Vec3 pos;
    Vec3 prevPos;
    Vec3 scale;
    Vec3 shake;
    float spinAngle = 0;
    Vec3 spinAxis;
    int spinSign = -1;
    float orbitAngle = 0;
    Vec3 orbitAxis;
    int orbitSign = -1;
    Mat4 spinMatrix = Mat4::identity();
    Vec3 dir;
    Vec4 color;
    Mat4 ownFacing; // the facing of a particle with a random orientation
    float animPosition = 0;
    Vec3 delta;
    Vec3 fall;
    Vec3 pull;
    std::uint32_t lifetime = 0;
    std::uint32_t killFrame = 0;
    float speedFactor = 1, sizeFactor = 1, spinFactor = 1, orbitFactor = 1, brightFactor = 1, alphaFactor = 1;
    int burstCount = 0;
    int burstIndex = 0;
    float viewDistance = 0;

    // The particles emitted from this one that still have it as their parent, so that its death
    // can clear their parent links without a search of the whole list.
    Particle* firstChild = nullptr;
    Particle* nextSibling = nullptr;
    Particle* prevSibling = nullptr;
    bool dead = false;
    // Which birth of the run this is (1 for the root particle): tells a particle from the one
    // that later takes its recycled record, so an export can follow it from frame to frame.
    std::uint32_t serial = 0;

    bool ownsFacing() const { return facing == &ownFacing; }
    int lifetimeForCurves() const { return static_cast<int>(lifetime); }
    float curve(int slot) const { return node->curve(slot, age, lifetimeForCurves()); }
    const NodeParams& params() const { return node->params; }

    // Links to / unlinks from the parent's list of children.
    void attachToParent(Particle* newParent);
    void detachFromParent();
    // Gives every child a null parent (the parent died).
    void orphanChildren();
};

} // namespace vintrel
