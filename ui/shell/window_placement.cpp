#include "ui/shell/window_placement.h"

namespace vintrel {

namespace {

bool contains(const LayoutRect& r, long long x, long long y) {
    return x >= r.x && y >= r.y && x < static_cast<long long>(r.x) + r.w && y < static_cast<long long>(r.y) + r.h;
}

} // namespace

WindowPlacement placeOnScreens(WindowPlacement stored, std::span<const LayoutRect> screens) {
    // In 64 bits: the stored values come from a file and may be anything.
    const long long centreX = static_cast<long long>(stored.x) + stored.width / 2;
    const long long centreY = static_cast<long long>(stored.y) + stored.height / 2;
    for (const LayoutRect& screen : screens) {
        if (contains(screen, centreX, centreY)) {
            return stored;
        }
    }
    stored.x = 0;
    stored.y = 0;
    return stored;
}

} // namespace vintrel
