#pragma once

#include "model/node_members.h"
#include "model/project_fields.h"

#include <optional>
#include <string_view>
#include <variant>

namespace vintrel {

// What a value edit changes: a member of the selected node or a value of the project.
using ValueTarget = std::variant<MemberId, ProjectFieldId>;

// The target that an edit script's member path names: "g.pSelNode->m_kill.span", or a project
// key such as "g.project.isCameraMove". The node's identity is no value the user edits: it, and
// a path that names nothing, give nothing.
std::optional<ValueTarget> valueTargetOf(std::string_view path);

} // namespace vintrel
