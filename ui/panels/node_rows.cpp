#include "ui/panels/node_rows.h"

namespace vintrel {

namespace {

using Geometry = NodeListGeometry;

constexpr std::string_view kCameraPositionLabel = "カメラ位置(β)";
constexpr std::string_view kCameraTargetLabel = "注視点(β)";

// Floor division, so that a point above the list never counts as row 0.
int floorDiv(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

} // namespace

std::string_view cameraRowLabel(NodeRowKind kind) {
    switch (kind) {
    case NodeRowKind::CameraPosition:
        return kCameraPositionLabel;
    case NodeRowKind::CameraTarget:
        return kCameraTargetLabel;
    case NodeRowKind::Node:
        break;
    }
    return {};
}

std::ostream& operator<<(std::ostream& out, const ListLine& line) {
    return out << '(' << line.x1 << ", " << line.y1 << ")-(" << line.x2 << ", " << line.y2 << ')';
}

NodeRows NodeRows::build(const GlobalState& g) {
    NodeRows result;
    if (g.rootNode) {
        result.addChildren(*g.rootNode, 1);
    }
    result.nodeRowCount_ = result.size();
    if (g.project.isCameraMove != 0) {
        const int first = result.nodeRowCount_;
        result.rows_.push_back({first, 0, g.cameraNode.get(), std::nullopt, NodeRowKind::CameraPosition});
        result.rows_.push_back({first + 1, 0, g.targetNode.get(), std::nullopt, NodeRowKind::CameraTarget});
    }
    return result;
}

// Pre-order: each child's row, then its own children one level deeper. A child's previous
// sibling is the child visited just before it under the same parent.
void NodeRows::addChildren(const EffectNode& parent, int depth) {
    std::optional<int> previousChildRow;
    for (const std::unique_ptr<EffectNode>& child : parent.m_children) {
        const int childRow = size();
        rows_.push_back({childRow, depth, child.get(), previousChildRow, NodeRowKind::Node});
        addChildren(*child, depth + 1);
        previousChildRow = childRow;
    }
}

const NodeRow* NodeRows::at(int row) const {
    if (row < 0 || row >= size()) {
        return nullptr;
    }
    return &rows_[static_cast<std::size_t>(row)];
}

std::optional<int> NodeRows::rowOf(const EffectNode* node) const {
    if (node == nullptr) {
        return std::nullopt;
    }
    for (const NodeRow& row : rows_) {
        if (row.node == node) {
            return row.row;
        }
    }
    return std::nullopt;
}

// Each node row: a short horizontal line from its name towards the left, and from there a
// vertical line up to the top of its previous sibling's row, or a short stub for a first child.
std::vector<ListLine> NodeRows::treeLines() const {
    std::vector<ListLine> lines;
    lines.reserve(static_cast<std::size_t>(nodeRowCount_) * 2);
    for (int i = 0; i < nodeRowCount_; ++i) {
        const NodeRow& row = rows_[static_cast<std::size_t>(i)];
        const int top = Geometry::rowTop(row.row);
        const int lineY = top + Geometry::kLineYInRow;
        const int x = Geometry::lineX(row.depth);
        const int upTo = row.previousSiblingRow ? Geometry::rowTop(*row.previousSiblingRow)
                                                : top + Geometry::kLineStubTopInRow;
        lines.push_back({Geometry::textLeft(row.depth), lineY, x, lineY});
        lines.push_back({x, lineY, x, upTo});
    }
    return lines;
}

std::optional<ListLine> NodeRows::separator() const {
    if (!hasCameraRows()) {
        return std::nullopt;
    }
    const int y = Geometry::rowTop(nodeRowCount_) - Geometry::kSeparatorAboveRow;
    return ListLine{0, y, Geometry::kListWidth, y};
}

int NodeRows::rowAt(int y, int scrollOffset) {
    return floorDiv(y + scrollOffset - Geometry::kListTop, Geometry::kRowHeight);
}

std::optional<NodeRowHit> NodeRows::hitTest(int x, int y, int scrollOffset) const {
    if (y < Geometry::kListTop) {
        return std::nullopt;
    }
    const NodeRow* row = at(rowAt(y, scrollOffset));
    if (row == nullptr) {
        return std::nullopt;
    }
    const bool onIcon = row->kind == NodeRowKind::Node && x < Geometry::kIconColumnWidth;
    return NodeRowHit{row, onIcon};
}

} // namespace vintrel
