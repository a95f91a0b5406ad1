#pragma once

#include "model/global_state.h"

namespace vintrel::bench {

// Builds a heavy effect in `g` (which must be fresh): four families of emitters, each with
// children and grandchildren, that between them keep about 100,000 particles alive from the
// middle of the effect on. Every part of the particle update is exercised: multi-point curves,
// gravity, attraction, following, parent-linked shake, spin about fixed, travel and parent
// axes, revolution, random facing, trails, death bursts and colour variation.
void buildSyntheticProject(GlobalState& g);

// Frames of the synthetic effect; from about half of it on the particle count is steady.
constexpr int kSyntheticFrames = 200;

} // namespace vintrel::bench
