#pragma once

#include "platform/number_format.h"

#include <cstdint>

namespace vintrel {

// The simulation's random source: one linear congruential generator per thread,
// state = state * 214013 + 2531011 (mod 2^32), each draw (state >> 16) & 0x7FFF. Every variation
// of the effect draws from it in a fixed order, so the same seed gives the same particles.
namespace rng {

// Seeds the calling thread's generator. A thread starts with state 1.
void seed(std::uint32_t state);
std::uint32_t state();
// One draw, 0..32767.
int draw();

} // namespace rng

// Variation factor of an integer percentage e: 1 when e is 0, else (R mod 2e - e + 100) / 100,
// so e = 20 gives 0.80 ... 1.19 in steps of 0.01. Draws only when e is not 0.
float percentFactor(int e);
// A random angle (R mod 628) / 100 in radians.
float randomAngle();
// A random value (R mod 200 - 100) / 100 in -1 .. 0.99.
float randomSigned();
// A random value in -s/2 .. s/2 in steps of 0.01; 0 without a draw when s/2 is below 0.01.
float randomHalf(float s);

// Float to unsigned the way 64-bit code converts it: truncate to a 64-bit integer and keep the
// low 32 bits, so a negative value wraps. NaN and values beyond 64 bits give 0.
std::uint32_t truncateToUnsigned(float v);

} // namespace vintrel
