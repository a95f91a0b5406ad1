// One frame of a particle's life: motion, size, spin, death, emission, revolution, trail,
// colour and shake, in this order. All rates are per frame.
#include "engine/particle_math.h"
#include "engine/random.h"
#include "engine/random_state.h"
#include "engine/simulation.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace vintrel {

namespace {

constexpr float kDegToRad = kPi / 180.0f;

Vec3 toVec(const FloatXYZ& v) {
    return {v.x, v.y, v.z};
}

// sin and cos are the costliest part of the spin and the revolution, and the angles repeat: the
// particles of a node that share age, lifetime and factors turn by the same angle. The results
// are kept by the angle's bit pattern (so +0 and -0 stay apart); a miss computes them as
// pmath::sinCos() does.
class SinCosMemo {
public:
    pmath::SinCos get(float angle) {
        const std::uint32_t bits = std::bit_cast<std::uint32_t>(angle);
        Entry& e = entries_[(bits * 0x9E3779B1u) >> (32 - kBits)];
        if (!e.filled || e.bits != bits) {
            e.value = pmath::sinCos(angle);
            e.bits = bits;
            e.filled = true;
        }
        return e.value;
    }

private:
    static constexpr int kBits = 11;
    struct Entry {
        std::uint32_t bits;
        bool filled;
        pmath::SinCos value;
    };
    std::array<Entry, std::size_t{1} << kBits> entries_;
};

// Per thread, as the random source is; zero-initialised, so there is no set-up on access.
thread_local SinCosMemo t_sinCos{};

pmath::SinCos sinCosOf(float angle) {
    return t_sinCos.get(angle);
}

// randomAngle() draws (R mod 628) / 100: the sines and cosines of those 628 angles, computed
// once.
constexpr int kAngleSteps = 628;

struct AngleTable {
    std::array<pmath::SinCos, kAngleSteps> entry;

    AngleTable() {
        for (int k = 0; k < kAngleSteps; ++k) {
            // Read back through volatile, so that the compiler cannot work the values out itself
            // at build time, which could round differently from the run-time library.
            volatile float angle = static_cast<float>(k) / 100.0f;
            entry[static_cast<std::size_t>(k)] = pmath::sinCos(angle);
        }
    }
};

const AngleTable& angleTable() {
    static const AngleTable table;
    return table;
}

// A random angle drawn as randomAngle() draws it, given by its sine and cosine.
pmath::SinCos randomAngleSinCos(const AngleTable& table) {
    return table.entry[static_cast<std::size_t>(rng::detail::draw() % kAngleSteps)];
}

void applyGravity(Particle& p, const MoveParams& m) {
    p.pos += p.fall;
    p.fall.y -= static_cast<float>(m.gravity) * 0.0001f;
}

bool hasNegativeZero(const Vec3& v) {
    constexpr std::uint32_t kNegativeZero = 0x80000000u;
    return std::bit_cast<std::uint32_t>(v.x) == kNegativeZero ||
           std::bit_cast<std::uint32_t>(v.y) == kNegativeZero ||
           std::bit_cast<std::uint32_t>(v.z) == kNegativeZero;
}

// std::acos(x) > kPi / 2 without the call where the answer is plain: acos falls from pi at -1
// to pi/2 at 0, and is NaN beyond -1 and 1. Only just below 0 does the answer depend on how the
// library rounds values next to pi/2; there it is asked. (Checked against the library for every
// float.)
bool beyondRightAngle(float x) {
    constexpr float kNearZero = -0x1p-20f;
    if (x >= kNearZero && x < 0.0f) {
        return std::acos(x) > kPi / 2.0f;
    }
    return x < kNearZero && x >= -1.0f;
}

void applyAttractor(Particle& p, const MoveParams& m) {
    p.pos += p.pull;
    const float strength = m.absorbPawer * 0.0001f;
    // Without strength the pull gains only zeros, which leave every component as it is unless
    // one is -0 (the pull starts at +0 and sums of floats give -0 only from two -0).
    if (strength == 0.0f && !hasNegativeZero(p.pull)) {
        return;
    }
    const Vec3 a = pmath::normalize(toVec(m.absorbPos) * 0.1f - p.pos) * strength;
    p.pull += a;
    const Vec3 b = pmath::normalize(toVec(m.absorbPos) - p.pos);
    const Vec3 d = pmath::normalize(p.delta);
    // Moving away from the point in the last frame: pull twice as hard.
    if (beyondRightAngle(d.x * b.x + d.y * b.y + d.z * b.z)) {
        p.pull += a;
    }
}

void applyTravel(Particle& p, const MoveParams& m, const float* curve) {
    const float v = curve[SlotSpeed] * (static_cast<float>(m.speed) * p.speedFactor) / 50.0f;
    p.pos += pmath::normalize(p.dir) * v;
}

void applySize(Particle& p, const ScaleParams& s, const float* curve) {
    const float max = static_cast<float>(s.max);
    const float overall = curve[SlotOverallSize];
    p.scale.x = curve[SlotWidth] * max / 10.0f * overall;
    p.scale.y = curve[SlotHeight] * max / 10.0f * overall;
    p.scale.z = curve[SlotDepth] * max / 10.0f * overall;
    p.scale = p.scale * p.sizeFactor;
}

// (0, 0, -1) turned by the parent's facing and spin.
Vec3 parentOrientation(const Particle& parent) {
    return pmath::transformPoint(pmath::transformPoint(Vec3{0, 0, -1}, *parent.facing), parent.spinMatrix);
}

// The spin axis across the travel direction, or the fallback where the travel is too short to
// tell. One root serves both the test and the normalisation; the fallback is a unit basis
// vector, which normalize() leaves as it is. Returns whether the axis is that fallback.
bool travelAxis(Particle& p, const Vec3& across, const Vec3& fallback) {
    const float lengthSq = across.x * across.x + across.y * across.y + across.z * across.z;
    const float length = std::sqrt(lengthSq);
    if (length < 0.01f) {
        p.spinAxis = fallback;
        return true;
    }
    p.spinAxis = pmath::normalize(across, lengthSq, length);
    return false;
}

// Sets this frame's spin axis, normalised; returns whether it is a unit basis vector (a fixed
// axis kept from birth or a fallback), which a second normalisation leaves as it is.
bool updateSpinAxis(Particle& p, int axis) {
    const Vec3& d = p.delta;
    switch (axis) {
    case RotateParams::TravelX:
        return travelAxis(p, {-d.z, 0, d.x}, {1, 0, 0});
    case RotateParams::TravelY:
        return travelAxis(p, {0, d.z, -d.y}, {0, 1, 0});
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
        // The fixed axes were set at birth.
        p.spinAxis = pmath::normalizeAxis(p.spinAxis);
        return true;
    }
    p.spinAxis = pmath::normalize(p.spinAxis);
    return false;
}

void applySpin(Particle& p, const RotateParams& r, const float* curve) {
    const bool fixedAxis = updateSpinAxis(p, r.axis);
    p.spinAngle =
        curve[SlotSpin] * (static_cast<float>(r.angle) * p.spinFactor * static_cast<float>(p.spinSign));
    // The matrix normalises the axis once more.
    const Vec3 unit = fixedAxis ? pmath::normalizeAxis(p.spinAxis) : pmath::normalize(p.spinAxis);
    pmath::setRotationAboutUnit(p.spinMatrix, unit, sinCosOf(p.spinAngle * kDegToRad));
}

bool diesNow(const Particle& p, const NodeParams& params, std::uint32_t frame) {
    if (static_cast<std::uint32_t>(p.age) >= p.lifetime) {
        return true;
    }
    if (params.m_kill.isFrame != 0 && frame >= p.killFrame) {
        return true;
    }
    return params.m_kill.isLand != 0 && p.pos.y < 0.0f && p.delta.y < 0.0f;
}

// A turn by an angle of zero: cos is exactly 1 and sin and 1 - cos are zeros, so the rotation
// has ones on its diagonal and signed zeros elsewhere. For a finite point every product with a
// zero is a zero, and the sum ends in "+ 0" from the translation row; a coordinate comes out
// as itself, with -0 turned into +0, which is what adding +0 does.
Vec3 turnByZero(const Vec3& v) {
    return {v.x + 0.0f, v.y + 0.0f, v.z + 0.0f};
}

// Turns the particle's position about the centre and its direction about the origin.
inline void turnAbout(Particle& p, const Vec3& centre, const Vec3& unitAxis, float angle) {
    const Vec3 offset = p.pos - centre;
    if (angle == 0.0f && pmath::isFinite(offset) && pmath::isFinite(p.dir)) {
        p.pos = turnByZero(offset) + centre;
        p.dir = turnByZero(p.dir);
        return;
    }
    const pmath::Rotation turn = pmath::rotationAboutUnit(unitAxis, sinCosOf(angle));
    p.pos = pmath::rotate(offset, turn) + centre;
    p.dir = pmath::rotate(p.dir, turn);
}

// Keeps the particle at the revolution curve's angle about its centre: the last frame's turn
// is undone, then this frame's applied. orbitBefore and orbitNow are the revolution curve at the
// last frame's age and at this one's.
void applyRevolution(Particle& p, const NodeParams& params, float orbitBefore, float orbitNow) {
    const RotateParams& r = params.m_rotate;
    const bool parentAxis =
        r.revAxis == RotateParams::RevParentOrientation || r.revAxis == RotateParams::RevParentTravel;
    if (p.parent != nullptr) {
        if (r.revAxis == RotateParams::RevParentOrientation) {
            p.orbitAxis = parentOrientation(*p.parent);
        } else if (r.revAxis == RotateParams::RevParentTravel) {
            p.orbitAxis = p.parent->delta;
        }
    }
    const Vec3 centre = p.parent != nullptr ? p.parent->pos : toVec(params.m_emitter.pos);
    const float amount = static_cast<float>(r.revAngle) * p.orbitFactor * static_cast<float>(p.orbitSign);
    const float before = orbitBefore * amount;
    const float now = orbitNow * amount;
    const float undoAngle = -before * kDegToRad;
    const float turnAngle = now * kDegToRad;
    // Both turns are about the same axis, normalised once and only when a turn is not by zero.
    Vec3 axis;
    if (undoAngle != 0.0f || turnAngle != 0.0f) {
        axis = parentAxis ? pmath::normalize(p.orbitAxis) : pmath::normalizeAxis(p.orbitAxis);
    }
    turnAbout(p, centre, axis, undoAngle);
    p.orbitAngle = now;
    turnAbout(p, centre, axis, turnAngle);
}

void appendTrailPoint(Particle& p, const NodeParams& params, const float* curve) {
    if (params.m_shape.type != ShapeParams::Trail) {
        return;
    }
    if (!p.trail) {
        p.trail = std::make_unique<TrailHistory>();
    }
    const Vec3 at = p.pos + p.shake;
    const float width = curve[SlotOverallSize] * static_cast<float>(params.m_scale.max) / 10.0f;
    p.trail->append({at.x, at.y, at.z, width}, params.m_scale.trailLength);
}

void applyColour(Particle& p, const NodeParams& params, const float* curve) {
    p.color.x = std::min(curve[SlotRed] * p.brightFactor, 255.0f);
    p.color.y = std::min(curve[SlotGreen] * p.brightFactor, 255.0f);
    p.color.z = std::min(curve[SlotBlue] * p.brightFactor, 255.0f);
    p.color.w = std::min(curve[SlotAlpha] * p.alphaFactor, 255.0f);
    if (params.m_color.isAlphaParent != 0) {
        p.color.w = p.parent != nullptr ? p.color.w * p.parent->color.w : 0.0f;
    }
}

// (x, 0, 0) turned about Y, then Z, then X, as three transformCoord() calls with the rotation
// matrices would turn it, for a finite x far below overflow. Each coordinate there is a sum
// ((a + b) + c) + 0 of products with the matrix entries, and w is exactly 1. Where an entry is 0
// or a coordinate is a zero, the product is a zero; adding a zero changes no sum except for the
// sign of a zero result, and the closing "+ 0" turns any zero into +0 anyway. So the sums
// below keep only the other products, in the same order, and end in the same "+ 0". No
// intermediate coordinate is -0 or grows beyond twice |x|.
Vec3 turnShake(float x, pmath::SinCos ax, pmath::SinCos ay, pmath::SinCos az) {
    // About Y: (x c, 0, x (-s)).
    const float x1 = x * ay.c + 0.0f;
    const float z1 = x * -ay.s + 0.0f;
    // About Z: (x1 c, x1 s, z1).
    const float x2 = x1 * az.c + 0.0f;
    const float y2 = x1 * az.s + 0.0f;
    // About X: (x2, y2 c + z1 (-s), y2 s + z1 c).
    return {x2, y2 * ax.c + z1 * -ax.s + 0.0f, y2 * ax.s + z1 * ax.c + 0.0f};
}

void applyShake(Particle& p, const MoveParams& m, const float* curve) {
    const float range = static_cast<float>(m.shake) / 100.0f * 100.0f;
    // truncateToInt() for the values an int percentage gives, which all fit an int.
    const int s = std::fabs(range) < 2147483648.0f ? static_cast<int>(range) : truncateToInt(range);
    const float amount = s > 0 ? static_cast<float>(rng::detail::draw() % s) / 100.0f : 0.0f;
    Vec3 shake = Vec3{amount, 0, 0} * curve[SlotShake];
    const AngleTable& angles = angleTable();
    const pmath::SinCos ax = randomAngleSinCos(angles);
    const pmath::SinCos ay = randomAngleSinCos(angles);
    const pmath::SinCos az = randomAngleSinCos(angles);
    // Turning a zero vector gives +0 in every coordinate: each product is a zero and each sum
    // ends in "+ 0". The angles are drawn all the same.
    if (shake.x == 0.0f && shake.y == 0.0f && shake.z == 0.0f) {
        p.shake = {};
        return;
    }
    // The usual case, (x, 0, 0) with x of sane size, is turned term by term below; anything else
    // takes the whole matrices.
    if (shake.y == 0.0f && shake.z == 0.0f && std::fabs(shake.x) <= 1e30f) {
        p.shake = turnShake(shake.x, ax, ay, az);
        return;
    }
    shake = pmath::rotate(shake, pmath::rotationY(ay));
    shake = pmath::rotate(shake, pmath::rotationZ(az));
    p.shake = pmath::rotate(shake, pmath::rotationX(ax));
}

} // namespace

bool Simulation::update(Particle& p) {
    NodeRuntime& node = *p.node;
    const NodeParams& params = node.params;
    p.prevPos = p.pos;
    // Every curve at the particle's age in this frame, in one row shared by the node's particles
    // of this age and lifetime.
    const float* curve = node.curveRow(p.age, p.lifetime);
    const float orbitBefore = curve[SlotOrbit];
    if (!node.isRoot) {
        applyGravity(p, params.m_move);
        applyAttractor(p, params.m_move);
        if (params.m_move.isFollow != 0 && p.parent != nullptr) {
            p.pos += p.parent->delta;
        }
        applyTravel(p, params.m_move, curve);
        applySize(p, params.m_scale, curve);
        applySpin(p, params.m_rotate, curve);
    }
    if (diesNow(p, params, currentFrame_)) {
        return true;
    }
    for (NodeRuntime* child : node.children) {
        emitDuringLife(*child, p);
    }
    ++p.age;
    curve = node.curveRow(p.age, p.lifetime);
    applyRevolution(p, params, orbitBefore, curve[SlotOrbit]);
    appendTrailPoint(p, params, curve);
    applyColour(p, params, curve);
    p.delta = p.pos - p.prevPos;
    applyShake(p, params.m_move, curve);
    return false;
}

} // namespace vintrel
