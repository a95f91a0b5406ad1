#include "ui/panels/colour_gradient.h"

#include <algorithm>
#include <cmath>

namespace vintrel {
namespace {

constexpr float kFull = 100.0f;

// The curves' top-down height as a component 0..1, and back.
float componentOf(float height) {
    return std::clamp((kFull - height) / kFull, 0.0f, 1.0f);
}
float heightOf(float component) {
    return std::clamp(kFull - component * kFull, 0.0f, kFull);
}

float tableHeight(const Graph& curve, float x) {
    const float at = std::clamp(x, 0.0f, kFull);
    const int below = static_cast<int>(std::floor(at));
    const int above = std::min(below + 1, Graph::kTableSize - 1);
    const float t = at - static_cast<float>(below);
    return curve.tableEntry(below) * (1.0f - t) + curve.tableEntry(above) * t;
}

// A curve's own point at exactly `x`, else its table there: the height the particles get.
float heightAt(const Graph& curve, float x) {
    for (const CurvePoint& p : curve.points()) {
        if (p.x == x) {
            return p.y;
        }
    }
    return tableHeight(curve, x);
}

GradientColour colourFrom(const EffectNode& node, float x, float (*height)(const Graph&, float)) {
    const auto& slots = History::kGradientSlots;
    return {componentOf(height(node.graph(slots[0]), x)), componentOf(height(node.graph(slots[1]), x)),
            componentOf(height(node.graph(slots[2]), x)), componentOf(height(node.graph(slots[3]), x))};
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

GradientColour colourOverLife(const EffectNode& node, float x) {
    return colourFrom(node, x, tableHeight);
}

ColourGradient ColourGradient::of(const EffectNode& node) {
    std::vector<float> xs;
    for (const CurveSlot slot : History::kGradientSlots) {
        for (const CurvePoint& p : node.graph(slot).points()) {
            xs.push_back(std::clamp(p.x, 0.0f, kFull));
        }
    }
    xs.push_back(0.0f);
    xs.push_back(kFull);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<GradientStop> stops;
    stops.reserve(xs.size());
    for (const float x : xs) {
        stops.push_back({x, colourFrom(node, x, heightAt)});
    }
    return ColourGradient(std::move(stops));
}

bool ColourGradient::isInner(int index) const {
    return index > 0 && index < stopCount() - 1;
}

GradientColour ColourGradient::colourBetweenStops(float x) const {
    const auto next = std::find_if(stops_.begin(), stops_.end(), [x](const GradientStop& s) { return s.x >= x; });
    if (next == stops_.begin()) {
        return stops_.front().colour;
    }
    if (next == stops_.end()) {
        return stops_.back().colour;
    }
    const GradientStop& a = *(next - 1);
    const GradientStop& b = *next;
    const float t = b.x > a.x ? (x - a.x) / (b.x - a.x) : 0.0f;
    return {mix(a.colour.red, b.colour.red, t), mix(a.colour.green, b.colour.green, t),
            mix(a.colour.blue, b.colour.blue, t), mix(a.colour.alpha, b.colour.alpha, t)};
}

int ColourGradient::addStop(float x) {
    if (stops_.empty()) {
        return -1;
    }
    const float at = std::clamp(x, 0.0f, kFull);
    const bool crowded = std::any_of(stops_.begin(), stops_.end(),
                                     [at](const GradientStop& s) { return std::abs(s.x - at) < kMinGap; });
    if (crowded) {
        return -1;
    }
    const GradientStop stop{at, colourBetweenStops(at)};
    const auto place = std::upper_bound(stops_.begin(), stops_.end(), at,
                                        [](float value, const GradientStop& s) { return value < s.x; });
    return static_cast<int>(stops_.insert(place, stop) - stops_.begin());
}

bool ColourGradient::removeStop(int index) {
    if (!isInner(index)) {
        return false;
    }
    stops_.erase(stops_.begin() + index);
    return true;
}

void ColourGradient::moveStop(int index, float x) {
    if (!isInner(index)) {
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    const float lowest = stops_[i - 1].x + kMinGap;
    const float highest = stops_[i + 1].x - kMinGap;
    if (lowest <= highest) {
        stops_[i].x = std::clamp(x, lowest, highest);
    }
}

void ColourGradient::setColour(int index, GradientColour colour) {
    if (index >= 0 && index < stopCount()) {
        stops_[static_cast<std::size_t>(index)].colour = colour;
    }
}

History::GradientCurves ColourGradient::curves() const {
    History::GradientCurves curves;
    for (const GradientStop& s : stops_) {
        curves[0].push_back({s.x, heightOf(s.colour.red)});
        curves[1].push_back({s.x, heightOf(s.colour.green)});
        curves[2].push_back({s.x, heightOf(s.colour.blue)});
        curves[3].push_back({s.x, heightOf(s.colour.alpha)});
    }
    return curves;
}

} // namespace vintrel
