// One frame of a particle's life: motion, size, spin, death, emission, revolution, trail,
// colour and shake, in this order. All rates are per frame.
#include "engine/random.h"
#include "engine/simulation.h"

#include <cmath>

namespace vintrel {

namespace {

constexpr float kDegToRad = kPi / 180.0f;

Vec3 toVec(const FloatXYZ& v) {
    return {v.x, v.y, v.z};
}

void applyGravity(Particle& p, const MoveParams& m) {
    p.pos += p.fall;
    p.fall.y -= static_cast<float>(m.gravity) * 0.0001f;
}

void applyAttractor(Particle& p, const MoveParams& m) {
    p.pos += p.pull;
    const Vec3 a = normalize(toVec(m.absorbPos) * 0.1f - p.pos) * (m.absorbPawer * 0.0001f);
    p.pull += a;
    const Vec3 b = normalize(toVec(m.absorbPos) - p.pos);
    const Vec3 d = normalize(p.delta);
    // Moving away from the point in the last frame: pull twice as hard.
    if (std::acos(dot(d, b)) > kPi / 2.0f) {
        p.pull += a;
    }
}

void applyTravel(Particle& p, const MoveParams& m) {
    const float v = p.curve(SlotSpeed) * (static_cast<float>(m.speed) * p.speedFactor) / 50.0f;
    p.pos += normalize(p.dir) * v;
}

void applySize(Particle& p, const ScaleParams& s) {
    const float max = static_cast<float>(s.max);
    const float overall = p.curve(SlotOverallSize);
    p.scale.x = p.curve(SlotWidth) * max / 10.0f * overall;
    p.scale.y = p.curve(SlotHeight) * max / 10.0f * overall;
    p.scale.z = p.curve(SlotDepth) * max / 10.0f * overall;
    p.scale = p.scale * p.sizeFactor;
}

// (0, 0, -1) turned by the parent's facing and spin.
Vec3 parentOrientation(const Particle& parent) {
    return transformCoord(transformCoord(Vec3{0, 0, -1}, *parent.facing), parent.spinMatrix);
}

void updateSpinAxis(Particle& p, int axis) {
    const Vec3& d = p.delta;
    switch (axis) {
    case RotateParams::TravelX:
        p.spinAxis = {-d.z, 0, d.x};
        if (length(p.spinAxis) < 0.01f) {
            p.spinAxis = {1, 0, 0};
        }
        break;
    case RotateParams::TravelY:
        p.spinAxis = {0, d.z, -d.y};
        if (length(p.spinAxis) < 0.01f) {
            p.spinAxis = {0, 1, 0};
        }
        break;
    case RotateParams::TravelZ:
        p.spinAxis = p.pos - p.prevPos;
        break;
    case RotateParams::ParentOrientation:
        p.spinAxis = p.parent != nullptr ? parentOrientation(*p.parent) : Vec3{0, 0, -1};
        break;
    case RotateParams::ParentTravel:
        if (p.parent != nullptr) {
            p.spinAxis = p.parent->delta;
        }
        break;
    default:
        break; // the fixed axes were set at birth
    }
    p.spinAxis = normalize(p.spinAxis);
}

void applySpin(Particle& p, const RotateParams& r) {
    updateSpinAxis(p, r.axis);
    p.spinAngle =
        p.curve(SlotSpin) * (static_cast<float>(r.angle) * p.spinFactor * static_cast<float>(p.spinSign));
    p.spinMatrix = matrixRotationAxis(p.spinAxis, p.spinAngle * kDegToRad);
}

bool diesNow(const Particle& p, const NodeParams& params, std::uint32_t frame) {
    if (static_cast<std::uint32_t>(p.age) >= p.lifetime) {
        return true;
    }
    if (params.kill.isFrame != 0 && frame >= p.killFrame) {
        return true;
    }
    return params.kill.isLand != 0 && p.pos.y < 0.0f && p.delta.y < 0.0f;
}

// Keeps the particle at the revolution curve's angle about its centre: the last frame's turn
// is undone, then this frame's applied.
void applyRevolution(Particle& p, const NodeParams& params) {
    const RotateParams& r = params.rotate;
    if (p.parent != nullptr) {
        if (r.revAxis == RotateParams::RevParentOrientation) {
            p.orbitAxis = parentOrientation(*p.parent);
        } else if (r.revAxis == RotateParams::RevParentTravel) {
            p.orbitAxis = p.parent->delta;
        }
    }
    const Vec3 centre = p.parent != nullptr ? p.parent->pos : toVec(params.emitter.pos);
    const float amount = static_cast<float>(r.revAngle) * p.orbitFactor * static_cast<float>(p.orbitSign);
    const int life = p.lifetimeForCurves();
    const float before = p.node->curve(SlotOrbit, p.age - 1, life) * amount;
    const Mat4 undo = matrixRotationAxis(p.orbitAxis, -before * kDegToRad);
    p.pos = transformCoord(p.pos - centre, undo) + centre;
    p.dir = transformCoord(p.dir, undo);
    const float now = p.node->curve(SlotOrbit, p.age, life) * amount;
    p.orbitAngle = now;
    const Mat4 turn = matrixRotationAxis(p.orbitAxis, now * kDegToRad);
    p.pos = transformCoord(p.pos - centre, turn) + centre;
    p.dir = transformCoord(p.dir, turn);
}

void appendTrailPoint(Particle& p, const NodeParams& params) {
    if (params.shape.type != ShapeParams::Trail) {
        return;
    }
    if (!p.trail) {
        p.trail = std::make_unique<TrailHistory>();
    }
    const Vec3 at = p.pos + p.shake;
    const float width = p.curve(SlotOverallSize) * static_cast<float>(params.scale.max) / 10.0f;
    p.trail->append({at.x, at.y, at.z, width}, params.scale.trailLength);
}

void applyColour(Particle& p, const NodeParams& params) {
    p.color.x = std::min(p.curve(SlotRed) * p.brightFactor, 255.0f);
    p.color.y = std::min(p.curve(SlotGreen) * p.brightFactor, 255.0f);
    p.color.z = std::min(p.curve(SlotBlue) * p.brightFactor, 255.0f);
    p.color.w = std::min(p.curve(SlotAlpha) * p.alphaFactor, 255.0f);
    if (params.color.isAlphaParent != 0) {
        p.color.w = p.parent != nullptr ? p.color.w * p.parent->color.w : 0.0f;
    }
}

void applyShake(Particle& p, const MoveParams& m) {
    const int s = truncateToInt(static_cast<float>(m.shake) / 100.0f * 100.0f);
    const float amount = s > 0 ? static_cast<float>(rng::draw() % s) / 100.0f : 0.0f;
    Vec3 shake = Vec3{amount, 0, 0} * p.curve(SlotShake);
    const float ax = randomAngle();
    const float ay = randomAngle();
    const float az = randomAngle();
    shake = transformCoord(shake, matrixRotationY(ay));
    shake = transformCoord(shake, matrixRotationZ(az));
    p.shake = transformCoord(shake, matrixRotationX(ax));
}

} // namespace

bool Simulation::update(Particle& p) {
    NodeRuntime& node = *p.node;
    const NodeParams& params = node.params;
    p.prevPos = p.pos;
    if (!node.isRoot) {
        applyGravity(p, params.move);
        applyAttractor(p, params.move);
        if (params.move.isFollow != 0 && p.parent != nullptr) {
            p.pos += p.parent->delta;
        }
        applyTravel(p, params.move);
        applySize(p, params.scale);
        applySpin(p, params.rotate);
    }
    if (diesNow(p, params, currentFrame_)) {
        return true;
    }
    for (NodeRuntime* child : node.children) {
        emitDuringLife(*child, p);
    }
    ++p.age;
    applyRevolution(p, params);
    appendTrailPoint(p, params);
    applyColour(p, params);
    p.delta = p.pos - p.prevPos;
    applyShake(p, params.move);
    return false;
}

} // namespace vintrel
