#pragma once

// Where a node dragged in the node panel lands, without widgets: onto a row (it becomes that
// node's last child) or between two rows (it takes the place among the lower row's siblings).

#include "ui/panels/node_rows.h"

#include <optional>

namespace vintrel {

struct NodeDrop {
    enum class Kind { Onto, Between };
    Kind kind = Kind::Onto;
    int parentId = 0;
    int index = 0;    // the position among the parent's children before which it goes
    int row = 0;      // Onto: the row to outline; Between: the row whose top edge the line marks
    int depth = 0;    // Between: the line starts at this depth's indent
    bool operator==(const NodeDrop&) const = default;
};

// The drop for list point y (list coordinates): the top quarter of a node row is "before it",
// the bottom quarter "after it", the middle "onto it"; below the last node row, after the last
// top-level node. Nothing over the camera rows or above the list. Whether the move is allowed
// (not into the dragged node's own subtree) is the tree command's to decide.
std::optional<NodeDrop> nodeDropAt(const NodeRows& rows, int listY);

} // namespace vintrel
