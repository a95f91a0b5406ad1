#include "engine/frame_clock.h"

#include <chrono>

namespace vintrel {

namespace {

class SteadyFrameTime final : public FrameTimeSource {
public:
    std::uint32_t nowMs() const override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
};

} // namespace

const FrameTimeSource& systemFrameTime() {
    static const SteadyFrameTime clock;
    return clock;
}

bool FrameClock::tick(std::uint32_t now, int fps) {
    if (!started_) {
        started_ = true;
        mark_ = now;
    }
    // All in unsigned 32-bit arithmetic, so a wrap of the millisecond counter does no harm.
    const std::uint32_t rate = fps > 0 ? static_cast<std::uint32_t>(fps) : 1u;
    const std::uint32_t elapsed = (now - mark_) * rate;
    if (elapsed < 1000u) {
        return false;
    }
    const std::uint32_t overshoot = (elapsed - 1000u) / rate;
    mark_ = overshoot * rate >= 1000u ? now : now - overshoot;
    return true;
}

int FrameClock::framesElapsed(std::uint32_t now, int fps) {
    if (!started_) {
        started_ = true;
        mark_ = now;
    }
    constexpr std::uint64_t kMsPerSecond = 1000;
    const std::uint64_t rate = fps > 0 ? static_cast<std::uint64_t>(fps) : 1u;
    const std::uint64_t units = static_cast<std::uint64_t>(now - mark_) * rate + carry_;
    mark_ = now;
    std::uint64_t frames = units / kMsPerSecond;
    carry_ = units % kMsPerSecond;
    // After a long stall (a suspended machine, a debugger) the effect catches up one second at
    // most, instead of running for minutes without drawing.
    if (frames > rate) {
        frames = rate;
        carry_ = 0;
    }
    return static_cast<int>(frames);
}

bool FpsMeter::tick(std::uint32_t now) {
    if (!started_) {
        started_ = true;
        mark_ = now;
    }
    if (now - mark_ >= 1000u) {
        reading_ = counter_;
        mark_ = now;
        counter_ = 1;
        return true;
    }
    ++counter_;
    return false;
}

} // namespace vintrel
