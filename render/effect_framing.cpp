#include "render/effect_framing.h"

#include "engine/simulation.h"
#include "model/global_state.h"
#include "platform/math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vintrel {

namespace {

constexpr float kFieldOfViewY = kPi / 3; // the view's projection
constexpr float kNearest = 0.3f;         // as near as a zoom goes

struct Bounds {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};
    bool empty = true;

    void add(const Vec3& centre, float radius) {
        low = Vec3{std::min(low.x, centre.x - radius), std::min(low.y, centre.y - radius),
                   std::min(low.z, centre.z - radius)};
        high = Vec3{std::max(high.x, centre.x + radius), std::max(high.y, centre.y + radius),
                    std::max(high.z, centre.z + radius)};
        empty = false;
    }
};

bool isShown(const Particle& p) {
    const EffectNode* node = p.node != nullptr ? p.node->node : nullptr;
    return node != nullptr && !p.node->isRoot && node->m_ID != EffectNode::kCameraPositionId &&
           node->m_ID != EffectNode::kCameraTargetId;
}

Bounds boundsOverTheWholeLength(GlobalState& project) {
    Simulation simulation(project);
    simulation.reset();
    Bounds bounds;
    for (int frame = 1; frame <= std::max(project.project.frame, 1); ++frame) {
        simulation.step();
        for (const Particle* p : simulation.particles()) {
            if (p != nullptr && isShown(*p)) {
                const float size =
                    std::max({std::fabs(p->scale.x), std::fabs(p->scale.y), std::fabs(p->scale.z)});
                const Vec3 at = p->pos + p->shake;
                if (std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z) &&
                    std::isfinite(size)) {
                    bounds.add(at, size / 2);
                }
            }
        }
    }
    return bounds;
}

Vec3 vec(const FloatXYZ& v) {
    return Vec3{v.x, v.y, v.z};
}

FloatXYZ xyz(const Vec3& v) {
    return FloatXYZ{v.x, v.y, v.z};
}

} // namespace

ViewCameraPose framingPose(GlobalState& project, const ViewCameraPose& current, float aspect) {
    const Bounds bounds = boundsOverTheWholeLength(project);
    if (bounds.empty) {
        return current;
    }
    const Vec3 centre = (bounds.low + bounds.high) * 0.5f;
    const float radius = std::max(length(bounds.high - bounds.low) * 0.5f, 0.01f);
    // The narrower of the two angles of view decides how far the sphere must be.
    const float halfY = kFieldOfViewY / 2;
    const float halfX = std::atan(std::tan(halfY) * std::max(aspect, 0.01f));
    const float distance = std::max(radius / std::sin(std::min(halfX, halfY)), radius + kNearest);
    Vec3 back = vec(current.eye) - vec(current.target);
    back = length(back) > 0 ? normalize(back) : Vec3{0, 0, -1};
    return ViewCameraPose{xyz(centre + back * distance), xyz(centre)};
}

} // namespace vintrel
