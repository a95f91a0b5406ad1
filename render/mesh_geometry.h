#pragma once

// Geometry of the particle meshes, the trail ribbon, the floor grid and the emitter guides,
// built on the CPU so that the renderer only uploads it.

#include "platform/math.h"

#include <array>
#include <deque>
#include <vector>

namespace vintrel {

// Vertex layout of every particle mesh: position then texture coordinate, 20 bytes.
struct PolyVertex {
    float x, y, z, u, v;
};
static_assert(sizeof(PolyVertex) == 20, "PolyVertex is uploaded as five packed floats");

// A triangle strip.
using Strip = std::vector<PolyVertex>;

// The unit square facing -z: one strip of 4 vertices, top-left first, v growing downwards.
std::vector<Strip> squareStrips();

// An open cylinder of radius 0.5 from z = 0 (u along the rim, v = 1) to z = -1 (v = 0); one strip.
// Detail 0 steps 45 degrees (18 vertices), any other detail 5 degrees (146 vertices).
std::vector<Strip> cylinderStrips(int detail);

// A hemisphere of radius 0.5 with its pole at (0, 0, -0.5) and its rim in the x-y plane, one strip
// per band of longitude. Detail 0 steps 15 degrees (24 bands of 14 vertices), any other detail
// 5 degrees (72 bands of 38 vertices). Texture coordinates are the x-y projection.
std::vector<Strip> hemisphereStrips(int detail);

// The ribbon of a trail: history holds positions with the ribbon width in w. Each section but the
// last two points gets two vertices spread across the view direction from `eye`; widths come
// from each point (thickChange) or all from the newest point. Fewer than 3 points give an empty
// strip, 3 points give 2 vertices (nothing visible), n points 2 * (n - 2). A section whose
// direction is (nearly) parallel to the view, or whose points coincide, has zero width.
Strip trailStrip(const std::deque<Vec4>& history, const Vec3& eye, bool thickChange);

// A coloured line; colour channels are 0..1.
struct LineSegment {
    Vec3 a, b;
    Vec4 color;
};

// The editor's floor: 40 grey grid lines in the x-z plane, 10 units out, then the axes (the
// negative x half and the whole z axis light grey, +y blue, +x red). 44 lines.
std::vector<LineSegment> floorGrid();

// Guide shapes of unit size drawn around an emitter, by emitter shape:
// 0 circle in x-y, 1 circle in x-z, 2 sphere, 3 hemisphere above y = 0, 4 cylinder along y,
// 5 box, 6 position marker. All white with alpha 50/255.
constexpr int kGuideSetCount = 7;
std::array<std::vector<LineSegment>, kGuideSetCount> guideSets();

// The fixed particle orientations: none, flipped about x, turned -90 / +90 degrees about y,
// +90 / -90 degrees about x.
std::array<Mat4, 6> fixedOrientations();

} // namespace vintrel
