#include "ui/panels/curve_shapes.h"

#include <cmath>
#include <numbers>

namespace vintrel {
namespace {

// The eased shapes and the bell are sampled at every tenth of the life; the curve's table joins
// the samples with straight lines.
constexpr int kSampleCount = 10;
constexpr float kFull = 100.0f;

float valueAt(CurveShape shape, float t) {
    switch (shape) {
    case CurveShape::Flat:
        return 1.0f;
    case CurveShape::Rising:
        return t;
    case CurveShape::Falling:
        return 1.0f - t;
    case CurveShape::EaseIn:
        return t * t;
    case CurveShape::EaseOut:
        return 1.0f - (1.0f - t) * (1.0f - t);
    case CurveShape::Bell: {
        const float s = std::sin(std::numbers::pi_v<float> * t);
        return s * s;
    }
    }
    return 1.0f;
}

bool isStraight(CurveShape shape) {
    return shape == CurveShape::Flat || shape == CurveShape::Rising || shape == CurveShape::Falling;
}

// A value 0..1 as a top-down height, to a tenth of a percent. The speed curve's zero is its
// middle line.
float heightOf(float value, CurveKind kind) {
    const float span = kind == CurveKind::Speed ? kFull / 2 : kFull;
    return std::round((1.0f - value) * span * 10.0f) / 10.0f;
}

} // namespace

std::vector<CurvePoint> curveShapePoints(CurveShape shape, CurveKind kind) {
    const int samples = isStraight(shape) ? 1 : kSampleCount;
    std::vector<CurvePoint> points;
    points.reserve(static_cast<std::size_t>(samples) + 1);
    for (int i = 0; i <= samples; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(samples);
        points.push_back({t * kFull, heightOf(valueAt(shape, t), kind)});
    }
    return points;
}

} // namespace vintrel
