#pragma once

// What the export dialog shows and proposes, without widgets: the column count it proposes for a
// new range, the summary line, and the cells of the sheet sketch.

#include "model/global_state.h"

#include <string>
#include <vector>

namespace vintrel {

// The sheet's column count for a range: ⌈√((end − start + 1) div step)⌉, 0 for an empty range.
int proposedColumns(int start, int end, int step);

// The summary under the sketch: "%d枚" (the number of frames written) for images, "約%d.%d秒"
// (the video's length in seconds, one decimal truncated) for a video.
std::string exportSummary(const WriteSettings& write, int fps);

struct SketchCell {
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};

// The cells of the sheet for the sketch: columns × rows frames of the project's shape, scaled
// by one factor so the whole sheet fits the picture inset by 8 pixels on each side, centred.
std::vector<SketchCell> sheetSketch(const WriteSettings& write, int frameWidth, int frameHeight, int pictureWidth,
                                    int pictureHeight);

} // namespace vintrel
