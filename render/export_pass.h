#pragma once

#include "model/export_extras.h"
#include "platform/math.h"

#include <cstdint>
#include <unordered_map>

namespace vintrel {

// Where each particle of an exported frame is drawn, by its serial: world x view x projection
// (view x projection for a trail) as the frame's first walk draws it.
using ParticlePlacements = std::unordered_map<std::uint32_t, Mat4>;

// The 8-bit value of no motion. 128 rather than 127.5, so that a still pixel holds it exactly.
constexpr float kNoMotion = 128.0f / 255.0f;

// What the walks of one export frame draw. The colour and the motion walks move the frame on
// as the view's drawing does (the sort by distance, the atlas animations); the emissive and
// depth walks draw the frame that its colour walk has just drawn and change nothing, so an
// export with them draws the same colour frames as one without.
struct ExportPass {
    ExportChannel channel = ExportChannel::Color;
    // Colour: filled with the frame's placements, for the motion of the frame before it.
    ParticlePlacements* record = nullptr;
    // Motion: the placements of the next exported frame, `step` frames on. A particle missing
    // there (it dies before) moves on by its latest step's motion.
    const ParticlePlacements* next = nullptr;
    int step = 1;
    // Motion: the encoded value per frame width (or height) of motion, added to kNoMotion.
    float motionScale = 1;
    // Depth: the camera distance written as 1 (white); 0 is the eye.
    float depthFar = 1;

    bool changesTheFrame() const { return channel == ExportChannel::Color || channel == ExportChannel::Motion; }
};

} // namespace vintrel
