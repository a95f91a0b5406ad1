// The node panel's rows without Qt: the pre-order walk, the tree lines, the camera rows, the
// scroll content and hit-testing, and what a click does.
#include "model/tree_operations.h"
#include "support/test_files.h"
#include "support/test_projects.h"
#include "ui/panels/node_click_rule.h"
#include "ui/panels/node_drop_rule.h"
#include "ui/panels/node_rows.h"

#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class NodeRowsTest : public testing::Test {
protected:
    NodeRowsTest() { test::startProject(g, dir.path() / "run"); }

    // root ─ A ─ A1 ─ A1a
    //        │    └ A2
    //        └ B
    void buildTree() {
        a = g.pSelNode;
        a1 = &addChildNode(*a);
        a1a = &addChildNode(*a1);
        a2 = &addChildNode(*a);
        b = &addSiblingNode(*a);
        g.nodeCount = countNodes(*g.rootNode);
    }

    TempDir dir;
    GlobalState g;
    EffectNode* a = nullptr;
    EffectNode* a1 = nullptr;
    EffectNode* a1a = nullptr;
    EffectNode* a2 = nullptr;
    EffectNode* b = nullptr;
};

TEST_F(NodeRowsTest, NewProjectShowsOneRowAndScrollsSeventyFivePixels) {
    const NodeRows rows = NodeRows::build(g);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0)->node, g.pSelNode);
    EXPECT_EQ(rows.at(0)->depth, 1);
    EXPECT_FALSE(rows.at(0)->previousSiblingRow);
    EXPECT_FALSE(rows.hasCameraRows());
    EXPECT_FALSE(rows.separator());
    EXPECT_EQ(g.nodeCount, 2);
    EXPECT_EQ(NodeListGeometry::scrollContentHeight(g.nodeCount), 75);
}

TEST_F(NodeRowsTest, WalksTheTreeInPreOrderWithDepthsAndPreviousSiblings) {
    buildTree();
    const NodeRows rows = NodeRows::build(g);
    struct Expected {
        EffectNode* node;
        int depth;
        std::optional<int> previousSibling;
    };
    const Expected expected[] = {
        {a, 1, std::nullopt}, {a1, 2, std::nullopt}, {a1a, 3, std::nullopt}, {a2, 2, 1}, {b, 1, 0},
    };
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.nodeRowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(rows.at(row)->row, row);
        EXPECT_EQ(rows.at(row)->node, expected[row].node);
        EXPECT_EQ(rows.at(row)->depth, expected[row].depth);
        EXPECT_EQ(rows.at(row)->previousSiblingRow, expected[row].previousSibling);
        EXPECT_EQ(rows.rowOf(expected[row].node), row);
    }
    EXPECT_FALSE(rows.rowOf(g.rootNode.get()));
    EXPECT_EQ(NodeListGeometry::scrollContentHeight(g.nodeCount), 6 * 25 + 25);
}

// Horizontal from the name back to 20·d + 10; vertical up to the previous sibling's row top,
// or a stub up to y + 2 for a first child.
TEST_F(NodeRowsTest, TreeLinesRunUpToThePreviousSiblingsRowTop) {
    buildTree();
    const std::vector<ListLine> expected = {
        {40, 12, 30, 12},   {30, 12, 30, 2},  // A
        {60, 37, 50, 37},   {50, 37, 50, 27}, // A1
        {80, 62, 70, 62},   {70, 62, 70, 52}, // A1a
        {60, 87, 50, 87},   {50, 87, 50, 25}, // A2, below A1 (row 1)
        {40, 112, 30, 112}, {30, 112, 30, 0}, // B, below A (row 0)
    };
    EXPECT_EQ(NodeRows::build(g).treeLines(), expected);
}

TEST_F(NodeRowsTest, CameraRowsFollowTheTreeAfterASeparatorOnlyInCameraMoveMode) {
    buildTree();
    g.project.isCameraMove = 1;
    const NodeRows rows = NodeRows::build(g);
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows.nodeRowCount(), 5);
    // The node count places them: rows nodeCount - 1 and nodeCount.
    EXPECT_EQ(rows.at(g.nodeCount - 1)->node, g.cameraNode.get());
    EXPECT_EQ(rows.at(g.nodeCount - 1)->kind, NodeRowKind::CameraPosition);
    EXPECT_EQ(rows.at(g.nodeCount)->node, g.targetNode.get());
    EXPECT_EQ(rows.at(g.nodeCount)->kind, NodeRowKind::CameraTarget);
    EXPECT_EQ(cameraRowLabel(NodeRowKind::CameraPosition), "カメラ位置(β)");
    EXPECT_EQ(cameraRowLabel(NodeRowKind::CameraTarget), "注視点(β)");
    EXPECT_EQ(rows.separator(), (ListLine{0, 124, 999, 124}));
    EXPECT_EQ(rows.treeLines().size(), 10u) << "camera rows have no tree lines";

    g.project.isCameraMove = 0;
    EXPECT_EQ(NodeRows::build(g).size(), 5);
}

struct HitCase {
    const char* name;
    int x, y, offset;
    std::optional<int> row; // none: nothing hit
    bool onIcon;
};

class NodeRowsHitTest : public NodeRowsTest, public testing::WithParamInterface<HitCase> {};

TEST_P(NodeRowsHitTest, FindsTheRowUnderTheClick) {
    buildTree();
    g.project.isCameraMove = 1;
    const NodeRows rows = NodeRows::build(g);
    const HitCase& c = GetParam();
    const std::optional<NodeRowHit> hit = rows.hitTest(c.x, c.y, c.offset);
    ASSERT_EQ(hit.has_value(), c.row.has_value());
    if (hit) {
        EXPECT_EQ(hit->row->row, *c.row);
        EXPECT_EQ(hit->onVisibilityIcon, c.onIcon);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, NodeRowsHitTest,
    testing::Values(HitCase{"FirstPixelOfTheList", 100, 38, 0, 0, false},
                    HitCase{"LastPixelOfRowZero", 100, 62, 0, 0, false},
                    HitCase{"FirstPixelOfRowOne", 100, 63, 0, 1, false},
                    HitCase{"AboveTheList", 100, 37, 0, std::nullopt, false},
                    HitCase{"ScrolledByTwoRows", 100, 38, 50, 2, false},
                    HitCase{"ScrolledByPartOfARow", 100, 38 + 12, 13, 1, false},
                    HitCase{"ScrolledLastPixel", 100, 38 + 24, 50, 2, false},
                    HitCase{"ScrolledNextRow", 100, 38 + 25, 50, 3, false},
                    HitCase{"IconColumn", 19, 40, 0, 0, true},
                    HitCase{"RightOfTheIconColumn", 20, 40, 0, 0, false},
                    HitCase{"IconColumnScrolled", 0, 38, 100, 4, true},
                    HitCase{"CameraPositionRow", 100, 38 + 5 * 25, 0, 5, false},
                    HitCase{"CameraRowsHaveNoIcon", 10, 38 + 6 * 25, 0, 6, false},
                    HitCase{"BelowTheLastRow", 100, 38 + 7 * 25, 0, std::nullopt, false},
                    // The root's stored row in the original layout never counts as a row.
                    HitCase{"RootsRowNumber", 100, 38 + 999999 * 25, 0, std::nullopt, false}),
    [](const testing::TestParamInfo<HitCase>& info) { return std::string(info.param.name); });

TEST_F(NodeRowsTest, WithoutCameraMoveTheCameraRowsAreNotHit) {
    buildTree();
    EXPECT_FALSE(NodeRows::build(g).hitTest(100, 38 + 5 * 25, 0));
}

TEST(NodeRowsGeometry, ListHeightIsThePanelBelowTheButtons) {
    EXPECT_EQ(NodeListGeometry::listViewHeight(200), 162);
    EXPECT_EQ(NodeListGeometry::listViewHeight(38), 0);
    EXPECT_EQ(NodeListGeometry::listViewHeight(10), 0);
}

// ---- click rules --------------------------------------------------------------------------

struct ClickCase {
    const char* name;
    std::optional<int> row; // none: below the last row
    bool onIcon;
    int selectedRow;
    RenameFieldState field;
    NodeClickAction action;
};

class NodeClickRuleTest : public NodeRowsTest, public testing::WithParamInterface<ClickCase> {};

TEST_P(NodeClickRuleTest, DecidesWhatTheClickDoes) {
    buildTree();
    g.project.isCameraMove = 1;
    const NodeRows rows = NodeRows::build(g);
    const ClickCase& c = GetParam();
    NodeClick click;
    if (c.row) {
        click.hit = NodeRowHit{rows.at(*c.row), c.onIcon};
    }
    click.selected = rows.at(c.selectedRow)->node;
    click.renameField = c.field;
    EXPECT_EQ(nodeClickAction(click), c.action);
}

constexpr auto kOpen = RenameFieldState::Open;
constexpr auto kClosed = RenameFieldState::Closed;

INSTANTIATE_TEST_SUITE_P(
    Rules, NodeClickRuleTest,
    testing::Values(
        ClickCase{"NothingHitWhileRenamingCommits", std::nullopt, false, 0, kOpen,
                  NodeClickAction::CommitRename},
        ClickCase{"NothingHit", std::nullopt, false, 0, kClosed, NodeClickAction::Nothing},
        ClickCase{"IconOfAnotherRow", 3, true, 0, kClosed, NodeClickAction::FlipVisibility},
        ClickCase{"IconOfTheSelectedRow", 0, true, 0, kClosed, NodeClickAction::FlipVisibility},
        ClickCase{"IconWhileRenaming", 3, true, 0, kOpen, NodeClickAction::FlipVisibility},
        ClickCase{"SelectedRowOpensTheField", 2, false, 2, kClosed, NodeClickAction::OpenRename},
        ClickCase{"SelectedRowWhileRenaming", 2, false, 2, kOpen, NodeClickAction::ContinueRenaming},
        ClickCase{"AnotherRow", 1, false, 2, kClosed, NodeClickAction::CommitAndSelect},
        ClickCase{"AnotherRowWhileRenaming", 1, false, 2, kOpen, NodeClickAction::CommitAndSelect},
        ClickCase{"CameraRowSelects", 5, false, 0, kClosed, NodeClickAction::CommitAndSelect},
        ClickCase{"SelectedCameraRowHasNoField", 6, false, 6, kClosed, NodeClickAction::Nothing}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

// Where a dragged node lands for a point of the list (rows 25 pixels high: A, A1, A1a, A2, B):
// the top quarter before the row, the bottom quarter after it (before its first child when its
// children follow), the middle onto it; past the last row after the last top-level node, but not
// over the camera rows.
TEST_F(NodeRowsTest, ADropLandsOntoARowOrBetweenRows) {
    buildTree();
    using K = NodeDrop::Kind;
    const int root = g.rootNode->m_ID;
    struct Case {
        int y;
        std::optional<NodeDrop> drop;
    };
    const Case cases[] = {
        {-1, std::nullopt},
        {0, NodeDrop{K::Between, root, 0, 0, 1}},          // the top of A
        {12, NodeDrop{K::Onto, a->m_ID, 2, 0, 1}},         // onto A, after its two children
        {20, NodeDrop{K::Between, a->m_ID, 0, 1, 2}},      // the bottom of A: before A1
        {25 + 19, NodeDrop{K::Between, a1->m_ID, 0, 2, 3}}, // the bottom of A1: before A1a
        {50 + 24, NodeDrop{K::Between, a1->m_ID, 1, 3, 3}}, // the bottom of A1a: after it
        {75 + 3, NodeDrop{K::Between, a->m_ID, 1, 3, 2}},   // the top of A2
        {100 + 12, NodeDrop{K::Onto, b->m_ID, 0, 4, 1}},
        {125 + 40, NodeDrop{K::Between, root, 2, 5, 1}}, // below the list: after B
    };
    const NodeRows rows = NodeRows::build(g);
    for (const Case& c : cases) {
        EXPECT_EQ(nodeDropAt(rows, c.y), c.drop) << "y " << c.y;
    }
    g.project.isCameraMove = 1;
    const NodeRows withCameras = NodeRows::build(g);
    EXPECT_EQ(nodeDropAt(withCameras, 125 + 3), std::nullopt) << "over the camera rows";
    EXPECT_EQ(nodeDropAt(withCameras, 100 + 12), (NodeDrop{K::Onto, b->m_ID, 0, 4, 1}));
}

} // namespace
} // namespace vintrel
