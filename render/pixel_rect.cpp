#include "render/pixel_rect.h"

#include <algorithm>
#include <cmath>

namespace vintrel {

namespace {

// Pixels added on every side of the projected box: a pixel is written when its centre lies in
// a triangle, so one pixel covers the edges; the second covers the GPU's own rounding.
constexpr float kMarginPixels = 2.0f;
// Vertices closer to the eye plane than this (in clip w) make the footprint the whole target.
constexpr float kNearestW = 1e-6f;

Vec4 toClip(const PolyVertex& v, const Mat4& m) {
    const float in[4] = {v.x, v.y, v.z, 1.0f};
    float out[4] = {};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            out[c] += in[r] * m.m[r][c];
        }
    }
    return Vec4{out[0], out[1], out[2], out[3]};
}

int clampToRange(float value, int size) {
    return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(size)));
}

} // namespace

bool overlap(const PixelRect& a, const PixelRect& b) {
    return !a.empty() && !b.empty() && a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

PixelRect unite(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelRect stripFootprint(const Strip& strip, const ClipTransform& transform, int width, int height) {
    const PixelRect whole = PixelRect::whole(width, height);
    float left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
    for (const PolyVertex& v : strip) {
        const Vec4 clip = toClip(v, v.z == 0.0f ? transform.base : transform.tip);
        if (!(clip.w > kNearestW) || !std::isfinite(clip.x) || !std::isfinite(clip.y) ||
            !std::isfinite(clip.w)) {
            return whole;
        }
        const float x = (clip.x / clip.w * 0.5f + 0.5f) * static_cast<float>(width);
        const float y = (clip.y / clip.w * 0.5f + 0.5f) * static_cast<float>(height);
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    if (strip.empty()) {
        return {};
    }
    return {clampToRange(std::floor(left - kMarginPixels), width),
            clampToRange(std::floor(bottom - kMarginPixels), height),
            clampToRange(std::ceil(right + kMarginPixels), width),
            clampToRange(std::ceil(top + kMarginPixels), height)};
}

} // namespace vintrel
