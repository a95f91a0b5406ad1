#include "ui/panels/node_drop_rule.h"

#include "model/tree_operations.h"

namespace vintrel {

namespace {

constexpr int kEdge = NodeListGeometry::kRowHeight / 4;

NodeDrop before(const NodeRow& row) {
    const EffectNode& node = *row.node;
    return {NodeDrop::Kind::Between, node.m_parent->m_ID, childPosition(node), row.row, row.depth};
}

NodeDrop after(const NodeRow& row, int lineRow) {
    const EffectNode& node = *row.node;
    return {NodeDrop::Kind::Between, node.m_parent->m_ID, childPosition(node) + 1, lineRow, row.depth};
}

} // namespace

std::optional<NodeDrop> nodeDropAt(const NodeRows& rows, int listY) {
    if (listY < 0 || rows.nodeRowCount() == 0) {
        return std::nullopt;
    }
    const int rowIndex = listY / NodeListGeometry::kRowHeight;
    if (rowIndex >= rows.nodeRowCount()) {
        if (rows.hasCameraRows()) {
            return std::nullopt;
        }
        // Past the last row: after the last node of the top level.
        const NodeRow* last = nullptr;
        for (const NodeRow& row : rows.rows()) {
            if (row.kind == NodeRowKind::Node && row.depth == 1) {
                last = &row;
            }
        }
        return last != nullptr ? std::optional(after(*last, rows.nodeRowCount())) : std::nullopt;
    }
    const NodeRow& row = *rows.at(rowIndex);
    const int inRow = listY - NodeListGeometry::rowTop(rowIndex);
    if (inRow < kEdge) {
        return before(row);
    }
    if (inRow >= NodeListGeometry::kRowHeight - kEdge) {
        // After a node with children shown below it, the line goes between it and its first child:
        // that is the place before the child.
        if (const NodeRow* next = rows.at(rowIndex + 1); next != nullptr && next->kind == NodeRowKind::Node &&
                                                          next->node->m_parent == row.node) {
            return before(*next);
        }
        return after(row, rowIndex + 1);
    }
    return NodeDrop{NodeDrop::Kind::Onto, row.node->m_ID, row.node->childCount(), rowIndex, row.depth};
}

} // namespace vintrel
