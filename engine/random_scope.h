#pragma once

#include "engine/random.h"

#include <cstdint>

namespace vintrel {

// Lets a second simulation run on a thread whose generator another one uses: for its scope the
// thread's generator continues `saved` (the second run's own sequence), and at its end `saved`
// holds where that sequence stopped and the thread's own state is back.
class RandomScope {
public:
    explicit RandomScope(std::uint32_t& saved) : saved_(saved), outer_(rng::state()) { rng::seed(saved_); }
    ~RandomScope() {
        saved_ = rng::state();
        rng::seed(outer_);
    }
    RandomScope(const RandomScope&) = delete;
    RandomScope& operator=(const RandomScope&) = delete;

private:
    std::uint32_t& saved_;
    std::uint32_t outer_;
};

} // namespace vintrel
