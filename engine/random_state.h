#pragma once

// The state of the random source (engine/random.h), for the engine's own sources: the particle
// update draws several times per particle, and an inline draw saves the call each time.

#include <cstdint>

namespace vintrel::rng::detail {

// The calling thread's generator state; constant-initialised, so no set-up runs on access.
extern constinit thread_local std::uint32_t state;

// rng::draw().
inline int draw() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

} // namespace vintrel::rng::detail
