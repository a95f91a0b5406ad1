#pragma once

#include "ui/shell/layout.h"

#include <span>

namespace vintrel {

// Where the main window opens: the outer position and client size stored in the application
// settings, and whether it was maximised.
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 1200;
    int height = 720;
    bool zoomed = false;
};

// The stored placement, moved to (0, 0) when no screen contains the centre of the stored
// rectangle (a monitor that is gone, or a position from another desk). The size is kept.
WindowPlacement placeOnScreens(WindowPlacement stored, std::span<const LayoutRect> screens);

} // namespace vintrel
