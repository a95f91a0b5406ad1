#pragma once

#include "engine/simulation.h"

#include <string>

namespace vintrel {

// One line of the simulation trace: the frame just simulated, whether the step began with a
// reset, the list size and every live particle in list order as
// [nodeID, age, lifetime, pos, scale, color, dir, spinAngle, orbitAngle, shake] with floats
// written as "%.9g" in the C locale and NaN or infinity as null.
std::string traceLine(const Simulation& simulation, std::uint32_t frame, int looped);

} // namespace vintrel
