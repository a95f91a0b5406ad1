#pragma once

// The colour over a particle's life as a gradient of stops, built from and written back to a
// node's red, green, blue and opacity curves. A stop stands at every x where one of the four
// curves has a point; its colour is what the four curves give there. Written back, every curve
// gets a point at every stop, so that the four curves share their x positions and the gradient
// and the curves describe the same colours.

#include "edit/history.h"

#include <vector>

namespace vintrel {

// Components 0..1, as the curves give them (the particle's colour is this times its brightness).
struct GradientColour {
    float red = 1, green = 1, blue = 1, alpha = 1;
    friend bool operator==(const GradientColour&, const GradientColour&) = default;
};

struct GradientStop {
    float x = 0; // percent of the life, 0..100
    GradientColour colour;
};

// The colour that the node's four curves give at `x` (0..100), read from their tables as the
// particles are coloured.
GradientColour colourOverLife(const EffectNode& node, float x);

class ColourGradient {
public:
    static constexpr float kMinGap = 1.0f; // percent between two stops

    static ColourGradient of(const EffectNode& node);
    explicit ColourGradient(std::vector<GradientStop> stops) : stops_(std::move(stops)) {}

    const std::vector<GradientStop>& stops() const { return stops_; }
    int stopCount() const { return static_cast<int>(stops_.size()); }

    // A stop at `x` with the colour the gradient has there; its index, or −1 when `x` lies
    // within the minimum gap of a stop that is already there.
    int addStop(float x);
    // Removes an inner stop; the first and the last stay. False when nothing was removed.
    bool removeStop(int index);
    // Moves an inner stop along the life, at least the minimum gap from its neighbours; the
    // ends stay at 0 and 100.
    void moveStop(int index, float x);
    void setColour(int index, GradientColour colour);

    // The four curves in slot order (red, green, blue, opacity), one point per stop each.
    History::GradientCurves curves() const;

private:
    bool isInner(int index) const;
    GradientColour colourBetweenStops(float x) const;

    std::vector<GradientStop> stops_;
};

} // namespace vintrel
