#pragma once

#include "model/export_extras.h"

#include <span>
#include <string>

namespace vintrel {

// What the 3D view shows behind the effect: a display setting of the project, the same from
// every viewpoint, and never part of an export.
struct ViewBackdrop {
    enum class Kind {
        Color,        // the project's background colour, as always
        Checkerboard, // grey squares, to judge transparency
        Image,        // a picture file, filling the view
        VideoFrame,   // one frame of a video file, filling the view
    };
    Kind kind = Kind::Color;
    std::string file; // the image or the video (UTF-8), for Image and VideoFrame
    int frame = 0;    // the video's frame, counted from 0

    bool operator==(const ViewBackdrop&) const = default;
    bool usesFile() const { return kind == Kind::Image || kind == Kind::VideoFrame; }
};

// The kinds' names in the settings file ("color", "checkerboard", "image", "video").
std::span<const ChoiceName> backdropKindNames();

// The highest video frame a backdrop may name (a day at 60 frames a second).
constexpr int kMaxBackdropFrame = 60 * 60 * 60 * 24;

} // namespace vintrel
