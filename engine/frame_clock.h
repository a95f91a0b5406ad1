#pragma once

#include <cstdint>

namespace vintrel {

// Milliseconds from a monotonic clock, wrapping at 2^32 like the system timer the timing rules
// were made for. Injected so that tests can drive time.
class FrameTimeSource {
public:
    virtual ~FrameTimeSource() = default;
    virtual std::uint32_t nowMs() const = 0;
};

// The steady clock of this process.
const FrameTimeSource& systemFrameTime();

// Paces the preview at the project's frame rate: at most one step per pass, and when the worker
// falls more than a frame behind, the lost frames are dropped instead of caught up (tick); or,
// for real-time play, every frame the time requires (framesElapsed).
class FrameClock {
public:
    // True when a frame period has passed since the mark; then the mark moves on by whole
    // periods, keeping the overshoot below one period, or to `now` when more than one period
    // was missed.
    bool tick(std::uint32_t now, int fps);
    // Real-time play: the number of whole frame periods since the previous call (at most one
    // second's worth), so that the caller steps as many frames as the time requires; the part of
    // a period left over counts towards the next call.
    int framesElapsed(std::uint32_t now, int fps);
    std::uint32_t mark() const { return mark_; }

private:
    bool started_ = false;
    std::uint32_t mark_ = 0;
    std::uint64_t carry_ = 0; // milliseconds × frames per second not yet spent on a frame
};

// Counts steps per second: the reading is the number of steps in the latest full second.
class FpsMeter {
public:
    // Called at the end of every step; returns the new reading once a second has passed.
    bool tick(std::uint32_t now);
    unsigned reading() const { return reading_; }

private:
    bool started_ = false;
    std::uint32_t mark_ = 0;
    unsigned counter_ = 1;
    unsigned reading_ = 0;
};

} // namespace vintrel
