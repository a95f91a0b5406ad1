#pragma once

// Placement of the 3D view inside the main window's free area.

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
