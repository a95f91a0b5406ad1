#pragma once

#include "model/global_state.h"
#include "platform/result.h"
#include "render/export_pass.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

// The channels an export draws: the project's choice for a classic sheet, only the colour for
// the other outputs (which cannot hold the extra sheets), as they pass over the sheet's other
// options.
ExportChannels drawnChannels(const GlobalState& g);
// Whether the chosen output can take the chosen channels; the message says why not (for an
// explicit request, as on the command line).
Status checkChannelsFitOutput(const GlobalState& g);

// The extra channels of `channels`, in channel order.
std::vector<ExportChannel> extraChannels(ExportChannels channels);
std::string_view channelName(ExportChannel channel);

// The intermediate frames of an extra channel: "<renderFolder>/<name>/%05d.png".
std::filesystem::path channelFolder(const std::filesystem::path& renderFolder, ExportChannel channel);
// The output file of an extra channel: "fire.png" -> "fire_motion.png" beside it.
std::filesystem::path channelOutputPath(const std::filesystem::path& output, ExportChannel channel);

// The motion's strength: the largest motion of a particle's centre from one exported frame
// to the next (in frame widths or heights), with a quarter more for the particles' corners,
// and never below 1/256. `frames[k]` are the placements of exported frame k.
float motionStrength(const std::vector<ParticlePlacements>& frames);
// The shader's scale for `strength`: the values 0 .. 1 span -strength .. +strength.
inline float motionScaleFor(float strength) {
    return 1.0f / (2.0f * strength);
}

inline float strengthOfScale(float scale) {
    return 1.0f / (2.0f * scale);
}

// A motion frame as the game reads it: opaque and blue 0; where something was drawn, the vector
// the particles composed there (that of the most visible one, each weighted by its opacity),
// however faint the pixel; around it, out to `reach` pixels, the nearest of those vectors (so
// that a shader sampling back along them finds the content moving in); beyond, no motion.
QImage flattenMotionFrame(const QImage& straight, int reach = 0);
// How far the vectors reach out around what was drawn: as far as the largest motion goes in a
// frame of `size`, at least 1 and at most kMostMotionReach pixels.
constexpr int kMostMotionReach = 8;
int motionReach(float strength, QSize size);

// What an extra channel's sheet is drawn over: no motion (opaque) for the motion, far and
// transparent for the depth, the colour's fill for the emissive layer.
QColor channelFill(ExportChannel channel, const QColor& colorFill);

} // namespace vintrel
