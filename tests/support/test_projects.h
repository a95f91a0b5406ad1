#pragma once

// A new project as the editor starts it, for tests that save, load or export one.

#include "model/global_state.h"

#include <filesystem>

namespace vintrel::test {

// Resets `g` to a new project with the built-in defaults and `workspace`, which is created.
inline void startProject(GlobalState& g, const std::filesystem::path& workspace) {
    BuiltInProjectDefaults defaults;
    std::filesystem::create_directories(workspace);
    g.workspace = workspace;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
}

} // namespace vintrel::test
