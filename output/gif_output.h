#pragma once

#include "model/global_state.h"
#include "output/image_outputs.h"

#include <QImage>
#include <filesystem>
#include <functional>
#include <string>

namespace vintrel {

// How frames are put into a GIF.
struct GifEncoding {
    int width = 0;
    int height = 0;
    int frameCount = 0;
    int delayCentiseconds = 0; // per frame; 0 for a still
    bool loop = false;         // the Netscape extension: play forever
    bool transparent = false;  // alpha < 128 -> the transparent index; otherwise frames are opaque
};

// Supplies frame `index` (width x height, any format) or fails.
using GifFrameSource = std::function<Result<QImage>(int index)>;

// Encodes the frames into GIF bytes. Every frame gets its own palette, made by libimagequant
// from that frame alone (at most 256 colours, 255 plus the transparent index when
// transparent), and a local colour table. Transparent frames restore to the background
// before the next one; opaque frames are left in place.
Result<std::string> encodeGif(const GifEncoding& how, const GifFrameSource& source);

// Frame delay for a frame rate: round(100 / fps) centiseconds, at least 2; fps below 1 counts
// as 1.
int gifDelayCentiseconds(int fps);

// All frames of the range as one looping GIF at g.project.fps, W x H. With g.write.isAlpha the
// rendered transparency is kept; otherwise frames are composed over the opaque background
// colour. The file is replaced atomically.
Status writeGif(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output);

} // namespace vintrel
