#pragma once

#include "model/global_state.h"

#include <nlohmann/json.hpp>

namespace vintrel {

// The whole project as one JSON document, every value under its settings-file key: the format
// version, the project section, the viewpoints, the node tree and the two camera nodes.
nlohmann::ordered_json projectToJson(const GlobalState& g);

// One node with its keys and curves, and with its subtree as "children" when they are included
// (the camera nodes have none).
enum class NodeChildren { Included, Left };
nlohmann::ordered_json nodeToJson(const EffectNode& node, NodeChildren children);

} // namespace vintrel
