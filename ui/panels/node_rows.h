#pragma once

// The node panel's list as rows, without any drawing: which node stands in which row at which
// depth, where the tree lines run, where the two camera rows go while the camera follows its
// nodes, and which row a click lands on.
//
// Coordinates: "list" coordinates start at the top of the first row; "panel" coordinates are the
// panel's own, where the list begins kListTop pixels down and is shown from the scroll offset.

#include "model/global_state.h"

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace vintrel {

struct NodeListGeometry {
    static constexpr int kListTop = 38;
    static constexpr int kRowHeight = 25;
    // Clicks left of this x hit the visibility icon.
    static constexpr int kIconColumnWidth = 20;
    static constexpr int kIndentPerDepth = 20;
    // The list image is this wide; rows and the separator run across all of it.
    static constexpr int kListWidth = 999;
    static constexpr int kIconX = 5;
    static constexpr int kIconYInRow = 5;
    static constexpr int kIconSize = 15;
    static constexpr int kTextTopInRow = 2;
    static constexpr int kTextBottomInRow = 22;
    static constexpr int kLineYInRow = 12;
    static constexpr int kLineStubTopInRow = 2;
    // The separator runs one pixel above the first camera row.
    static constexpr int kSeparatorAboveRow = 1;
    // The rename field stands this far below its row's top, this high.
    static constexpr int kRenameFieldTopInRow = 3;
    static constexpr int kRenameFieldHeight = 20;

    // Left edge of a row's name at `depth` (the root's children have depth 1).
    static constexpr int textLeft(int depth) { return kIndentPerDepth * depth + kIconColumnWidth; }
    // x of the vertical tree line of a row at `depth`.
    static constexpr int lineX(int depth) { return kIndentPerDepth * depth + kIconColumnWidth / 2; }
    static constexpr int rowTop(int row) { return kRowHeight * row; }
    // The scroll content for the node count GlobalState keeps: one row per node and two more,
    // room for the camera rows.
    static constexpr int scrollContentHeight(int nodeCount) { return kRowHeight * nodeCount + kRowHeight; }
    // The list's visible height in a panel `panelHeight` pixels high (never negative).
    static constexpr int listViewHeight(int panelHeight) {
        return panelHeight > kListTop ? panelHeight - kListTop : 0;
    }
};

enum class NodeRowKind { Node, CameraPosition, CameraTarget };

// The fixed label of a camera row (UTF-8, untranslated); empty for node rows.
std::string_view cameraRowLabel(NodeRowKind kind);

struct NodeRow {
    int row = 0;
    int depth = 0; // the root's children are at depth 1; the camera rows at depth 0
    EffectNode* node = nullptr;
    std::optional<int> previousSiblingRow;
    NodeRowKind kind = NodeRowKind::Node;
};

// One straight line of the list drawing, in list coordinates.
struct ListLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const ListLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ListLine& line);

struct NodeRowHit {
    const NodeRow* row = nullptr;
    // The click fell into the visibility icon column of a node row. Camera rows show no icon.
    bool onVisibilityIcon = false;
};

class NodeRows {
public:
    // The tree of `g` in pre-order without the root, then the two camera rows while
    // g.project.isCameraMove is set.
    static NodeRows build(const GlobalState& g);

    const std::vector<NodeRow>& rows() const { return rows_; }
    int size() const { return static_cast<int>(rows_.size()); }
    // The rows of tree nodes (the camera rows follow them).
    int nodeRowCount() const { return nodeRowCount_; }
    bool hasCameraRows() const { return size() > nodeRowCount_; }
    const NodeRow* at(int row) const;
    // The row showing `node`, or none.
    std::optional<int> rowOf(const EffectNode* node) const;

    // The horizontal and vertical tree line of every node row.
    std::vector<ListLine> treeLines() const;
    // The separator above the camera rows; none without them.
    std::optional<ListLine> separator() const;

    // The row under the panel point (x, y) with the list scrolled by `scrollOffset`; nothing
    // above the list or below the last row.
    std::optional<NodeRowHit> hitTest(int x, int y, int scrollOffset) const;
    // The list row under panel y, which may be past the last row; negative above the list.
    static int rowAt(int y, int scrollOffset);

private:
    void addChildren(const EffectNode& parent, int depth);

    std::vector<NodeRow> rows_;
    int nodeRowCount_ = 0;
};

} // namespace vintrel
