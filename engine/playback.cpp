#include "engine/playback.h"

#include "engine/simulation.h"

#include <algorithm>

namespace vintrel::playback {

int shownFrame(const Simulation& simulation) {
    return static_cast<int>(simulation.currentFrame()) - 1;
}

int clampFrame(int frame, int length) {
    return std::clamp(frame, 0, std::max(length, 0));
}

int frameAfter(int frame, int length) {
    if (length < 1) {
        return 0;
    }
    return frame >= length ? 1 : std::max(frame, 0) + 1;
}

int frameBefore(int frame, int length) {
    if (length < 1) {
        return 0;
    }
    return frame <= 1 ? length : std::min(frame, length + 1) - 1;
}

} // namespace vintrel::playback
