#pragma once

#include <string_view>

namespace vintrel {

// Prefix of the member paths that the panels pass with each edit of the selected node.
constexpr std::string_view kSelectedNodePrefix = "g.pSelNode->";

// Japanese label of a member path ("g.pSelNode->m_kill.span" → "寿命"); empty for a path the
// table does not hold (m_move.shake and m_move.isParentShake have none).
std::string_view propertyLabel(std::string_view path);

} // namespace vintrel
