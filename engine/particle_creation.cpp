// Birth of a particle: where it is placed, which way it travels and its random factors. The
// random draws happen in a fixed order, which is part of the effect's reproducibility.
#include "engine/particle_math.h"
#include "engine/random.h"
#include "engine/simulation.h"

#include <algorithm>

namespace vintrel {

namespace {

constexpr float kDegToRad = kPi / 180.0f;

Vec3 scaled(const Vec3& v, const FloatXYZ& s) {
    return pmath::scale(v, s.x, s.y, s.z);
}

Vec3 toVec(const FloatXYZ& v) {
    return {v.x, v.y, v.z};
}

// Radius inside the shape: on the rim for the surface scopes, else denser towards the rim.
float emitterRadius(const EmitterParams& e) {
    if (e.scope != EmitterParams::Inside) {
        return 0.5f;
    }
    const float u = static_cast<float>(rng::draw() % 100) / 100.0f;
    if (e.type == EmitterParams::Sphere || e.type == EmitterParams::Hemisphere) {
        return (1.0f - u * u * u * u) * 0.5f;
    }
    return (1.0f - u * u) * 0.5f;
}

// Angle around a circle: evenly spread over the parent's burst, or random.
float circleAngle(const EmitterParams& e, const Particle* parent) {
    if (e.isEvenInterval == 0) {
        return randomAngle();
    }
    if (parent == nullptr || parent->burstCount == 0) {
        return 0.0f;
    }
    return 2.0f * kPi / static_cast<float>(parent->burstCount) * static_cast<float>(parent->burstIndex);
}

Vec3 boxPosition(const EmitterParams& e) {
    Vec3 p;
    p.x = randomHalf(e.size.x);
    p.y = randomHalf(e.size.y);
    p.z = randomHalf(e.size.z);
    if (e.scope != EmitterParams::Inside) {
        switch (rng::draw() % 3) {
        case 0:
            p.x = e.size.x / 2.0f;
            break;
        case 1:
            p.y = e.size.y / 2.0f;
            break;
        default:
            p.z = e.size.z / 2.0f;
            break;
        }
        if (rng::draw() % 2 != 0) {
            p = {-p.x, -p.y, -p.z};
        }
    }
    return p;
}

// Position relative to the emitter, before the parent's size and spin.
Vec3 emitterPosition(const EmitterParams& e, const Particle* parent) {
    const float r = emitterRadius(e);
    switch (e.type) {
    case EmitterParams::VerticalCircle: {
        const Vec3 v = pmath::rotate(Vec3{r, 0, 0}, pmath::rotationZ(pmath::sinCos(circleAngle(e, parent))));
        return scaled(v, e.size);
    }
    case EmitterParams::HorizontalCircle:
    case EmitterParams::Cylinder: {
        const float h = e.type == EmitterParams::Cylinder ? randomHalf(e.size.y) : 0.0f;
        const Vec3 v = pmath::rotate(Vec3{r, h, 0}, pmath::rotationY(pmath::sinCos(circleAngle(e, parent))));
        return scaled(v, {e.size.x, 1.0f, e.size.z});
    }
    case EmitterParams::Sphere:
    case EmitterParams::Hemisphere: {
        const float ax = randomAngle();
        const float ay = randomAngle();
        const float az = randomAngle();
        Vec3 v = pmath::rotate(Vec3{r, 0, 0}, pmath::rotationY(pmath::sinCos(ay)));
        v = pmath::rotate(v, pmath::rotationZ(pmath::sinCos(az)));
        v = pmath::rotate(v, pmath::rotationX(pmath::sinCos(ax)));
        v = scaled(v, e.size);
        if (e.type == EmitterParams::Hemisphere && v.y < 0.0f) {
            v.y = -v.y;
        }
        return v;
    }
    case EmitterParams::Box:
        return boxPosition(e);
    default:
        return {}; // an unknown shape emits from its centre
    }
}

// Scope "custom": moves the point up to err percent inwards.
void shrinkRange(const EmitterParams& e, Vec3& local) {
    const long long range = std::min<long long>(static_cast<long long>(e.err) * 100, 0x7FFFFFFF);
    if (e.scope != EmitterParams::Custom || range <= 0) {
        return;
    }
    const float q = static_cast<float>(rng::draw() % range) / 100.0f;
    const float keepY = local.y;
    local = local * (1.0f - q / 100.0f);
    if (e.type == EmitterParams::Cylinder) {
        local.y = keepY;
    }
}

Vec3 oneWayDirection(const MoveParams& m) {
    Vec3 dir = pmath::rotate(Vec3{0, 1, 0}, pmath::rotationX(pmath::sinCos(m.dirX * kDegToRad)));
    dir = pmath::rotate(dir, pmath::rotationY(pmath::sinCos(m.dirY * kDegToRad)));
    if (m.oneway_err != 0) {
        const float a = randomSigned();
        const float b = randomSigned();
        const float c = randomSigned();
        const Vec3 axis = cross(dir, Vec3{a, b, c});
        const float angle = static_cast<float>(rng::draw() % m.oneway_err) * kDegToRad * 0.5f;
        dir = pmath::rotate(dir, pmath::rotationAxis(axis, pmath::sinCos(angle)));
    }
    return dir;
}

Vec3 axisVector(int axis) {
    switch (axis) {
    case 0:
        return {1, 0, 0};
    case 1:
        return {0, 1, 0};
    case 2:
        return {0, 0, 1};
    default:
        return {};
    }
}

int rotationSign(int direction) {
    if (direction == RotateParams::Reversed) {
        return 1;
    }
    if (direction == RotateParams::RandomDirection) {
        return rng::draw() % 100 % 2 != 0 ? 1 : -1;
    }
    return -1;
}

void randomFacing(const ShapeParams& shape, Particle& p) {
    const float w1 = static_cast<float>(rng::draw() % 1000 - 500) / 100.0f;
    const float w2 = static_cast<float>(rng::draw() % 1000 - 500) / 100.0f;
    const float w3 = static_cast<float>(rng::draw() % 1000 - 500) / 100.0f;
    Vec3 axis{w3, w2, w1};
    if (shape.type == ShapeParams::Billboard) {
        axis.x = 0;
        axis.y = 0;
    }
    p.ownFacing = matrixRotationAxis(axis, static_cast<float>(rng::draw() % 360) * kDegToRad);
    p.facing = &p.ownFacing;
}

} // namespace

Particle* Simulation::create(NodeRuntime& node, Particle* parent) {
    const NodeParams& params = node.params;
    const EmitterParams& e = params.m_emitter;
    Particle* p = allocate();
    if (p == nullptr) {
        return nullptr;
    }
    p->node = &node;
    p->serial = ++births_;
    p->attachToParent(parent);
    p->facing = &facing(params.m_shape.dir);

    Vec3 local = emitterPosition(e, parent);
    shrinkRange(e, local);
    if (e.scaleFix == 0 && parent != nullptr) {
        const int age = parent->age;
        const int life = parent->lifetimeForCurves();
        const NodeRuntime& pn = *parent->node;
        const float overall = pn.curve(SlotOverallSize, age, life);
        local =
            pmath::scale(local, pn.curve(SlotWidth, age, life) * overall,
                         pn.curve(SlotHeight, age, life) * overall, pn.curve(SlotDepth, age, life) * overall);
    }
    Vec3 radial{local.x, 0, local.z};
    if (e.fix == 0 && parent != nullptr) {
        radial = pmath::transformPoint(radial, parent->spinMatrix);
        local = pmath::transformPoint(local, parent->spinMatrix);
    }
    p->pos = local + toVec(e.pos);
    if (parent != nullptr) {
        p->pos += parent->pos;
    }

    if (params.m_move.isOneWay == 1) {
        p->dir = oneWayDirection(params.m_move);
    } else {
        const bool fromRoot = parent == nullptr || parent->node->isRoot;
        if (fromRoot) {
            p->dir = p->pos - toVec(e.pos);
            if (e.type == EmitterParams::Cylinder) {
                p->dir.y = 0;
            }
        } else if (e.type == EmitterParams::Cylinder) {
            p->dir = radial;
        } else {
            p->dir = p->pos - parent->pos - toVec(e.pos);
        }
        if (pmath::length(p->dir) == 0.0f) {
            p->dir.z = randomSigned();
            p->dir.y = randomSigned();
            p->dir.x = randomSigned();
            if (e.type == EmitterParams::HorizontalCircle) {
                p->dir.y = 0;
            }
            if (e.type == EmitterParams::VerticalCircle) {
                p->dir.z = 0;
            }
        }
    }
    p->dir = pmath::normalize(p->dir);

    const RotateParams& r = params.m_rotate;
    p->spinAxis = axisVector(r.axis);
    p->spinSign = rotationSign(r.dir);
    p->orbitAxis =
        r.revAxis == RotateParams::RevParentOrientation || r.revAxis == RotateParams::RevParentTravel
            ? (parent != nullptr ? parent->delta : Vec3{})
            : axisVector(r.revAxis);
    p->orbitSign = rotationSign(r.revDir);
    if (params.m_shape.dir == ShapeParams::Random) {
        randomFacing(params.m_shape, *p);
    }

    p->scale = {1, 1, 1};
    p->color = {1, 1, 1, 1};
    p->lifetime =
        truncateToUnsigned(static_cast<float>(params.m_kill.span) * percentFactor(params.m_kill.span_err));
    p->killFrame =
        truncateToUnsigned(static_cast<float>(params.m_kill.frame) * percentFactor(params.m_kill.frame_err));
    p->speedFactor = percentFactor(params.m_move.speed_err);
    p->sizeFactor = percentFactor(params.m_scale.max_err);
    p->spinFactor = percentFactor(r.angle_err);
    p->orbitFactor = percentFactor(r.revAngle_err);
    p->brightFactor = percentFactor(params.m_color.brigRnd);
    p->alphaFactor = percentFactor(params.m_color.alphaRnd);
    p->prevPos = p->pos;
    if (node.isRoot) {
        p->dir = {};
        p->scale = {};
    }
    return p;
}

void Simulation::emitDuringLife(NodeRuntime& child, Particle& parent) {
    const TimingParams& t = child.params.m_timing;
    if (t.often == 0 || t.type == TimingParams::ParentDeath) {
        return;
    }
    const long long frame =
        t.type == TimingParams::AbsoluteFrames ? static_cast<long long>(currentFrame_) : parent.age;
    if (frame < t.start || frame > t.end) {
        return;
    }
    const int every = truncateToInt(static_cast<float>(t.often) * percentFactor(t.often_err));
    if (every != 0 && (frame - t.start) % every != 0) {
        return;
    }
    const int count = truncateToInt(static_cast<float>(t.num) * percentFactor(t.num_err));
    parent.burstCount = count;
    for (int i = 0; i < count && list_.size() < kMaxParticles; ++i) {
        parent.burstIndex = i;
        Particle* born = create(child, &parent);
        if (born == nullptr) {
            return;
        }
        append(*born);
    }
}

void Simulation::emitAtDeath(NodeRuntime& child, Particle& dying) {
    if (child.params.m_timing.type != TimingParams::ParentDeath) {
        return;
    }
    const TimingParams& t = child.params.m_timing;
    const int count = truncateToInt(static_cast<float>(t.num) * percentFactor(t.num_err));
    dying.burstCount = count;
    for (int i = 0; i < count && list_.size() < kMaxParticles; ++i) {
        dying.burstIndex = i;
        Particle* born = create(child, &dying);
        if (born == nullptr) {
            return;
        }
        // Its first update happens at once, with the dying particle still its parent; whatever
        // that update says, the particle joins the list and the walk reaches it again.
        update(*born);
        born->detachFromParent();
        append(*born);
    }
}

} // namespace vintrel
