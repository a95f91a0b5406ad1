#pragma once

#include "model/global_state.h"
#include "output/image_outputs.h"
#include "platform/result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

// ffmpeg's arguments for `format` (not None) from the numbered PNG frames `inputPattern` at
// `rate` frames a second ("60" or "60/2") into `target`, the container named explicitly so that
// the target needs no particular extension.
std::vector<std::string> animatedFormatArguments(AnimatedFormat format, const std::string& rate,
                                                 const std::string& inputPattern,
                                                 const std::filesystem::path& target);

// The exported frames at the project's rate (fps / step) as an animated PNG or WebP (looping),
// a VP9 WebM with alpha or a ProRes 4444 QuickTime with alpha: each frame over the transparent
// start (or the background when transparency is off), given the alpha mode, written as PNG into
// the render folder and handed to ffmpeg, whose output replaces `output` only when it
// succeeded. Fails with a message when ffmpeg is missing or fails.
Status writeAnimated(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output);

} // namespace vintrel
