#pragma once

#include "model/export_extras.h"

#include <QRect>
#include <QSize>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {

// One frame as a data file describes it.
struct AtlasFrame {
    std::string name;
    QRect onSheet;     // the pixels of the frame on its page
    QPoint trimOffset; // where those pixels were in the untrimmed frame
    QSize sourceSize;  // the untrimmed frame
    int durationMs = 0;
};

// One page of a sheet and what its data file says about the whole animation.
struct AtlasPage {
    std::string imagePath; // the page's image, relative to the data file
    QSize imageSize;
    std::vector<AtlasFrame> frames;
    std::string animation;      // the animation's (and the frame tag's) name
    double framesPerSecond = 0; // the exported animation's speed
    bool loops = false;
    AlphaMode alpha = AlphaMode::Straight;
    // With extra channels: every channel's name and image ("color" first), the motion's
    // strength and the far end of the depth; empty for a colour sheet alone.
    std::vector<std::pair<std::string, std::string>> channelImages;
    double motionStrength = 0;
    double depthFar = 0;
};

// The text of the page's data file in `format` (not None): TexturePacker's JSON in its hash or
// array form, Aseprite's JSON, or a Godot 4 SpriteFrames resource of AtlasTextures.
std::string atlasData(AtlasFormat format, const AtlasPage& page);

// A frame's duration in whole milliseconds at `fps` frames a second, every `step`-th frame
// exported: 1000 · step / fps, rounded; at least 1.
int frameDurationMs(int fps, int step);

} // namespace vintrel
