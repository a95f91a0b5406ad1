#pragma once

// Placement of the 3D view inside the main window's free area.

#include "render/pixel_rect.h"

namespace vintrel {

struct ViewRect {
    int x, y, w, h;
};

// Fits the project's aspect ratio into the free area (availableW x availableH): full height when
// it fits, otherwise full width and a shorter height; centred horizontally, offset by the
// left-hand panel (210) and the toolbars (67). Sizes of 0 or less are treated as 1, and the result
// is always at least 1 x 1.
ViewRect fitViewRect(int availableW, int availableH, int projectW, int projectH);

} // namespace vintrel

namespace vintrel {

// The two halves of a side-by-side view of viewW x viewH pixels: each of the project's aspect,
// as large as half the width (less the gap) and the whole height allow, the two against a black
// gap of kSideBySideGap pixels in the middle, both centred vertically. PixelRect rows count from
// the bottom; sizes of 0 or less are treated as 1, each half is at least 1 x 1, and a view too
// narrow for two gives both halves its first column.
constexpr int kSideBySideGap = 4;
struct SideBySideHalves {
    PixelRect left;
    PixelRect right;
};
SideBySideHalves sideBySideHalves(int viewW, int viewH, int projectW, int projectH);

} // namespace vintrel
