#pragma once

// Shapes a curve can start from, offered in the curve's right-click menu. Each is given as the
// property's value over the life (0 at the bottom, full at the top); a speed curve takes them
// between standing still and full speed, so that no shape reverses the particles.

#include "ui/panels/curve_geometry.h"

#include <array>
#include <vector>

namespace vintrel {

enum class CurveShape { Flat, Rising, Falling, EaseIn, EaseOut, Bell };

struct CurveShapeEntry {
    CurveShape shape;
    const char* menuText; // the menu item, translated in the "CurveMenu" context
};

// The shapes in menu order.
inline constexpr std::array<CurveShapeEntry, 6> kCurveShapes{{
    {CurveShape::Flat, "平ら"},
    {CurveShape::Rising, "上昇"},
    {CurveShape::Falling, "下降"},
    {CurveShape::EaseIn, "イーズイン"},
    {CurveShape::EaseOut, "イーズアウト"},
    {CurveShape::Bell, "山形"},
}};

// The points of `shape` for a curve of `kind`: the first at x = 0, the last at x = 100, sorted by
// x, y in the curves' top-down percent.
std::vector<CurvePoint> curveShapePoints(CurveShape shape, CurveKind kind);

} // namespace vintrel
