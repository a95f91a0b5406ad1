#pragma once

#include "effects.h"

#include <vector>

namespace samples {

// The starter library: twelve effects, the three samples among them.
std::vector<Sample> libraryEffects();

} // namespace samples
