#pragma once

#include "platform/math.h"
#include "render/mesh_geometry.h"

namespace vintrel {

// A rectangle of target pixels, x0..x1 by y0..y1 with the ends excluded, rows counted from the
// bottom as OpenGL counts them.
struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool empty() const { return x1 <= x0 || y1 <= y0; }
    static PixelRect whole(int width, int height) { return {0, 0, width, height}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Whether the two share a pixel.
bool overlap(const PixelRect& a, const PixelRect& b);
// The smallest rectangle holding both (an empty one adds nothing).
PixelRect unite(const PixelRect& a, const PixelRect& b);

// How a strip's vertices reach clip space: those on the base ring (z = 0) by `base`, the others
// by `tip` (a cylinder scales its two ends apart; other meshes pass one matrix twice). Row
// vectors, as the CPU side builds the matrices.
struct ClipTransform {
    Mat4 base;
    Mat4 tip;
};

// The pixels a strip can write in a width x height target: the box around its projected
// vertices, widened by a margin that covers rasterisation and rounding. The whole target when a
// vertex is not in front of the eye or not finite, where clipping makes the box unreliable.
PixelRect stripFootprint(const Strip& strip, const ClipTransform& transform, int width, int height);

} // namespace vintrel
