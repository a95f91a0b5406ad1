#include "render/view_passes.h"

#include <algorithm>
#include <cmath>

namespace vintrel {

namespace {

// Filtering several texels may come out a few units in the last place above the largest of
// them; a particle is taken as never opaque only with this much room below 1.
constexpr float kFilterMargin = 1.0f / 1024.0f;

// A corner counts as clearly in front of the eye from this clip-space w on (the near plane
// lies at 0.1), and as safely measured within this distance of the view's centre (in units of
// half the view: rounding then moves a corner by far less than kLeastHeight).
constexpr float kNearestW = 1e-3f;
constexpr float kFarthestCorner = 1e3f;
// The first triangle counts as clearly turned one way when it is at least this high over its
// longest side, in units of half the view: a few pixels of the largest export, a fraction of a
// pixel of the view, and hundreds of times what rounding or the rasteriser's snapping of the
// corners to sub-pixels can move.
constexpr float kLeastHeight = 1e-3f;

struct ScreenPoint {
    float x = 0;
    float y = 0;
    bool usable = false;
};

ScreenPoint project(const Mat4& wvp, const Vec3& p) {
    // Row j of the transposed matrix is column j of world x view x projection.
    const auto clip = [&](int j) {
        return p.x * wvp.m[j][0] + p.y * wvp.m[j][1] + p.z * wvp.m[j][2] + wvp.m[j][3];
    };
    const float w = clip(3);
    if (!(w > kNearestW)) {
        return {};
    }
    const ScreenPoint point{clip(0) / w, clip(1) / w, true};
    const bool near = std::fabs(point.x) <= kFarthestCorner && std::fabs(point.y) <= kFarthestCorner;
    return near ? point : ScreenPoint{};
}

} // namespace

Facing flatMeshFacing(const Mat4& wvp, const Vec3& a, const Vec3& b, const Vec3& c) {
    const ScreenPoint p[3] = {project(wvp, a), project(wvp, b), project(wvp, c)};
    if (!p[0].usable || !p[1].usable || !p[2].usable) {
        return Facing::Either;
    }
    float doubledArea = 0;
    float longestSide = 0;
    for (int i = 0; i < 3; ++i) {
        const ScreenPoint& next = p[(i + 1) % 3];
        doubledArea += p[i].x * next.y - next.x * p[i].y;
        longestSide = std::max(longestSide, std::hypot(next.x - p[i].x, next.y - p[i].y));
    }
    if (!(std::fabs(doubledArea) >= kLeastHeight * longestSide) || longestSide == 0.0f) {
        return Facing::Either;
    }
    // Counter-clockwise (positive area) with y up is a back face here.
    return doubledArea > 0 ? Facing::Back : Facing::Front;
}

ViewPassPlan planViewPasses(float colourAlpha, const TextureAlpha& texture) {
    ViewPassPlan plan;
    plan.opaquePass = !(texture.highest * colourAlpha < 1.0f - kFilterMargin);
    plan.blendedPass = !(std::isfinite(colourAlpha) && colourAlpha <= 0.0f);
    return plan;
}

} // namespace vintrel
