#pragma once

#include "model/global_state.h"

#include <span>
#include <string_view>

namespace vintrel {

// One value of the project section of the settings file, named by its key
// ("g.project.frame", "camPos.x").
struct ProjectField {
    std::string_view key;
    int* (*intField)(GlobalState&) = nullptr;
    float* (*floatField)(GlobalState&) = nullptr;

    bool isFloat() const { return floatField != nullptr; }
    int& intRef(GlobalState& g) const { return *intField(g); }
    float& floatRef(GlobalState& g) const { return *floatField(g); }
    int intValue(const GlobalState& g) const { return *intField(const_cast<GlobalState&>(g)); }
    float floatValue(const GlobalState& g) const { return *floatField(const_cast<GlobalState&>(g)); }
};

// Every project key in settings-file order.
std::span<const ProjectField> projectFields();

} // namespace vintrel
