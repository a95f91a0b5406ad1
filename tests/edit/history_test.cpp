#include "model/tree_operations.h"
#include "edit/history.h"
#include "edit/tree_commands.h"
#include "support/test_notifiers.h"
#include "support/test_trees.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

using test::expectConsistent;
using test::RecordingNotifier;

constexpr MemberId kSpan = memberId("m_kill.span");
constexpr MemberId kPosX = memberId("m_emitter.pos.x");
constexpr MemberId kDirX = memberId("m_move.dirX");
constexpr MemberId kSpeed = memberId("m_move.speed");

// The whole tree below the root, one node a line: depth, ID, name, index, parent ID, a few
// parameters and every curve's points; then the project field that edits can change.
void dumpNode(const EffectNode& node, int depth, std::ostringstream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << node.m_ID << ' ' << node.m_name
        << " index=" << node.m_index << " parent=" << (node.m_parent != nullptr ? node.m_parent->m_ID : -1)
        << " span=" << node.m_kill.span << " posx=" << node.m_emitter.pos.x << " dirX=" << node.m_move.dirX
        << " speed=" << node.m_move.speed;
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        out << " g" << slot << '=';
        for (const CurvePoint& p : node.graph(slot).points()) {
            out << p.x << ',' << p.y << ';';
        }
    }
    out << '\n';
    for (const auto& child : node.m_children) {
        dumpNode(*child, depth + 1, out);
    }
}

std::string dump(const GlobalState& g) {
    std::ostringstream out;
    for (const auto& child : g.rootNode->m_children) {
        dumpNode(*child, 0, out);
    }
    out << "isCameraMove=" << g.project.isCameraMove << '\n';
    return out.str();
}

class RecordingHooks final : public EditorHooks {
public:
    void stopWorker() override { ++stops; }
    void resetView() override { ++resets; }
    void showSelection() override { ++shows; }
    void historyChanged() override { ++historyChanges; }
    void titleChanged() override { ++titleChanges; }

    void clear() { stops = resets = shows = historyChanges = titleChanges = 0; }

    int stops = 0;
    int resets = 0;
    int shows = 0;
    int historyChanges = 0;
    int titleChanges = 0;
};

class HistoryTest : public ::testing::Test {
protected:
    HistoryTest() {
        resetProject(g, defaults);
        applyStartValues(g, defaults);
        history.clear();
        hooks.clear();
    }

    // Adds a node outside the history, as a loaded project would hold it.
    EffectNode& addNamed(EffectNode& parent, const std::string& name) {
        EffectNode& node = addChildNode(parent);
        node.setName(name);
        g.nodeCount = countNodes(*g.rootNode);
        return node;
    }

    EffectNode& first() { return *g.rootNode->child(0); }

    EffectNode& node(int id) {
        EffectNode* found = findNodeById(*g.rootNode, id);
        EXPECT_NE(found, nullptr) << "no node " << id;
        return found != nullptr ? *found : *g.rootNode;
    }

    void select(int id) { g.pSelNode = &node(id); }

    // A recorded edit of curve `slot` of the selection, as the curve editor makes it.
    void editCurve(CurveSlot slot, std::vector<CurvePoint> points) {
        history.recordCurveEdit(slot);
        g.pSelNode->graph(slot).setPoints(std::move(points));
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const History::Entry& entry : history.entries()) {
            result.push_back(entry.title);
        }
        return result;
    }

    int last() const { return static_cast<int>(history.entries().size()) - 1; }

    BuiltInProjectDefaults defaults;
    GlobalState g;
    RecordingHooks hooks;
    RecordingNotifier notifier;
    History history{g, hooks};
    TreeEditor editor{g, history, hooks, notifier};
};

TEST_F(HistoryTest, StartsWithOneEntryThatCannotBeUndone) {
    ASSERT_EQ(history.entries().size(), 1u);
    EXPECT_EQ(history.entries()[0].title, "スタート");
    EXPECT_EQ(history.current(), 0);
    const std::string before = dump(g);

    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.redo());

    EXPECT_EQ(dump(g), before);
    EXPECT_EQ(history.current(), 0);
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_FALSE(g.modified);

    // Nothing undone: redo has nothing to apply.
    history.recordValue(kSpan, 10);
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(first().m_kill.span, 10);
    EXPECT_EQ(history.current(), 1);
}

TEST_F(HistoryTest, TypingIntoOneFieldGivesOneEntry) {
    EXPECT_TRUE(history.recordValue(kSpan, 10));
    EXPECT_TRUE(history.recordValue(kSpan, 20));
    EXPECT_TRUE(history.recordValue(kSpan, 30));

    ASSERT_EQ(history.entries().size(), 2u);
    const History::Entry& entry = history.entries()[1];
    EXPECT_EQ(entry.title, "ノード1-寿命");
    const auto* edit = std::get_if<History::ValueEdit>(&entry.edit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->target, ValueTarget(kSpan));
    EXPECT_EQ(edit->before, History::Number(60));
    EXPECT_EQ(edit->nodeId, 1);
    EXPECT_EQ(first().m_kill.span, 30);

    hooks.clear();
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(first().m_kill.span, 60);
    EXPECT_EQ(history.current(), 0);
    EXPECT_EQ(hooks.stops, 1);
    EXPECT_EQ(hooks.resets, 1);

    ASSERT_TRUE(history.redo());
    EXPECT_EQ(first().m_kill.span, 30);
    EXPECT_EQ(history.current(), 1);
    EXPECT_EQ(hooks.stops, 2);
    EXPECT_EQ(hooks.resets, 2);
}

TEST_F(HistoryTest, FloatFieldsKeepTheirFractions) {
    EXPECT_TRUE(history.recordValue(kPosX, 1.25));
    EXPECT_TRUE(history.recordValue(kPosX, -3.75));
    ASSERT_EQ(history.entries().size(), 2u);
    const auto& edit = std::get<History::ValueEdit>(history.entries()[1].edit);
    EXPECT_EQ(edit.before, History::Number(0.0f));
    EXPECT_EQ(history.entries()[1].title, "ノード1-発生源の位置（X)");

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(first().m_emitter.pos.x, 0.0f);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(first().m_emitter.pos.x, -3.75f);
}

TEST_F(HistoryTest, EditsOfDifferentNodesOrFieldsAreSeparateEntries) {
    EffectNode& second = addNamed(*g.rootNode, "ノード2");
    select(1);
    history.recordValue(kSpan, 10);
    select(2);
    history.recordValue(kSpan, 20);
    history.recordValue(kSpeed, 5);

    EXPECT_EQ(titles(),
              (std::vector<std::string>{"スタート", "ノード1-寿命", "ノード2-寿命", "ノード2-移動速度"}));
    EXPECT_EQ(std::get<History::ValueEdit>(history.entries()[2].edit).nodeId, 2);

    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(second.m_kill.span, 60);
    EXPECT_EQ(second.m_move.speed, 0);
    EXPECT_EQ(first().m_kill.span, 10);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(first().m_kill.span, 60);
}

TEST_F(HistoryTest, EditsMergeOnlyWithTheNewestAppliedEntry) {
    history.recordValue(kSpan, 10);
    history.recordRename("X");
    // The rename stands between the two edits of the field: no merge.
    history.recordValue(kSpan, 20);
    EXPECT_EQ(history.entries().size(), 4u);

    // After an undo the value edit before the undone entry is current, but a new edit of the
    // same field starts an entry of its own.
    ASSERT_TRUE(history.undo()); // span back to 10
    ASSERT_TRUE(history.undo()); // name back to ノード1
    EXPECT_EQ(history.current(), 1);
    history.recordValue(kSpan, 40);
    ASSERT_EQ(history.entries().size(), 3u);
    EXPECT_EQ(std::get<History::ValueEdit>(history.entries()[2].edit).before, History::Number(10));

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(first().m_kill.span, 10);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(first().m_kill.span, 60);
    EXPECT_EQ(first().m_name, "ノード1");
}

TEST_F(HistoryTest, CurveEditsOfOneCurveMerge) {
    const std::vector<CurvePoint> original = first().graph(SlotRed).points();
    const std::vector<CurvePoint> originalGreen = first().graph(SlotGreen).points();
    const std::vector<CurvePoint> final{{0, 20}, {60, 70}, {100, 100}};
    editCurve(SlotRed, {{0, 10}, {100, 100}});
    editCurve(SlotRed, final);
    ASSERT_EQ(history.entries().size(), 2u);
    const auto& edit = std::get<History::CurveEdit>(history.entries()[1].edit);
    EXPECT_EQ(edit.slot, SlotRed);
    EXPECT_EQ(edit.before, original);

    editCurve(SlotGreen, {{0, 50}, {100, 50}});
    ASSERT_EQ(history.entries().size(), 3u);

    ASSERT_TRUE(history.jump(0));
    EXPECT_EQ(first().graph(SlotRed).points(), original);
    EXPECT_EQ(first().graph(SlotGreen).points(), originalGreen);
    // The lookup table follows the restored points: red falls from 100 % at birth.
    EXPECT_FLOAT_EQ(first().graph(SlotRed).tableEntry(0), 0.0f);

    ASSERT_TRUE(history.redo());
    EXPECT_EQ(first().graph(SlotRed).points(), final);
    EXPECT_FLOAT_EQ(first().graph(SlotRed).tableEntry(0), 20.0f);
}

TEST_F(HistoryTest, ANewEntryDiscardsTheUndoneOnes) {
    history.recordValue(kSpan, 10);
    history.recordValue(kDirX, 45.5);
    history.recordRename("炎");
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());

    history.recordValue(kSpeed, 5);

    EXPECT_EQ(titles(), (std::vector<std::string>{"スタート", "ノード1-寿命", "ノード1-移動速度"}));
    EXPECT_EQ(history.current(), 2);
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(first().m_name, "ノード1");
    EXPECT_EQ(first().m_move.dirX, 90.0f);
    EXPECT_EQ(first().m_move.speed, 5);
}

TEST_F(HistoryTest, UnchangedValuesRecordNothing) {
    g.modified = false;
    EXPECT_FALSE(history.recordValue(kSpan, 60));
    EXPECT_FALSE(history.recordValue(kPosX, 0.0));
    // 90 + 1e-9 is 90 once stored as a float.
    EXPECT_FALSE(history.recordValue(kDirX, 90.000000001));
    EXPECT_FALSE(history.recordRename("ノード1"));
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_FALSE(g.modified);
    EXPECT_EQ(hooks.historyChanges, 0);
}

// The edit scripts name values by path: the node's identity and unknown members name none.
TEST_F(HistoryTest, PathsNameMembersAndProjectValuesButNotTheIdentity) {
    EXPECT_FALSE(valueTargetOf("g.pSelNode->m_ID"));
    EXPECT_FALSE(valueTargetOf("g.pSelNode->m_nothing"));
    EXPECT_FALSE(valueTargetOf("m_kill.span"));
    EXPECT_EQ(valueTargetOf("g.pSelNode->m_kill.span"), ValueTarget(kSpan));
    EXPECT_EQ(valueTargetOf("g.project.isCameraMove"), ValueTarget(projectFieldId("g.project.isCameraMove")));
    EXPECT_EQ(describe(kSpan).key, "m_kill.span");

    EXPECT_FALSE(history.recordValue(memberId("m_ID"), 5));
    EXPECT_EQ(first().m_ID, 1);
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_FALSE(g.modified);
}

TEST_F(HistoryTest, TitlesOfEveryKind) {
    history.recordValue(kSpan, 10);
    editCurve(SlotRed, {{0, 10}, {100, 100}});
    ASSERT_TRUE(editor.addSibling());
    ASSERT_TRUE(editor.moveUp());
    ASSERT_TRUE(editor.deleteSelected());
    select(1);
    history.recordRename("X");
    // m_move.shake has no label.
    history.recordValue(memberId("m_move.shake"), 3);
    history.recordValue(kPosX, 2);

    EXPECT_EQ(titles(), (std::vector<std::string>{
                            "スタート",
                            "ノード1-寿命",
                            "ノード1-カラー【赤】グラフ",
                            "＜ノード2＞を追加",
                            "ノードの移動",
                            "＜ノード2＞を削除",
                            "ノード名＜X＞に変更",
                            "X-",
                            "X-発生源の位置（X)",
                        }));
    // The alternatives of History::Edit: 1 value, 2 rename, 3 curve, 4 add, 5 delete, 6 move.
    const std::vector<std::size_t> kinds{1, 3, 4, 6, 5, 2, 1, 1};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(history.entries()[i + 1].edit.index(), kinds[i]) << i + 1;
    }
    EXPECT_EQ(std::get<History::Rename>(history.entries()[6].edit).before, "ノード1");
}

TEST_F(HistoryTest, EveryRecordSetsTheModifiedFlag) {
    addNamed(*g.rootNode, "ノード2");
    select(1);
    const std::vector<std::pair<const char*, std::function<void()>>> records{
        {"value", [&] { history.recordValue(kSpan, 10); }},
        {"merged value", [&] { history.recordValue(kSpan, 11); }},
        {"project value", [&] { history.recordValue(projectFieldId("g.project.isCameraMove"), 1); }},
        {"rename", [&] { history.recordRename("X"); }},
        {"curve",
         [&] {
             editCurve(SlotBlue, {{0, 0}, {100, 100}});
         }},
        {"add", [&] { editor.addChild(); }},
        {"duplicate", [&] { editor.duplicate(); }},
        {"move", [&] { editor.moveDown(); }},
        {"delete", [&] { editor.deleteSelected(); }},
        {"undo", [&] { history.undo(); }},
        {"redo", [&] { history.redo(); }},
        {"jump", [&] { history.jump(0); }},
    };
    for (const auto& [name, record] : records) {
        SCOPED_TRACE(name);
        g.modified = false;
        hooks.clear();
        record();
        EXPECT_TRUE(g.modified);
        EXPECT_GE(hooks.titleChanges, 1);
    }
    EXPECT_EQ(history.current(), 0);
    EXPECT_EQ(history.entries().size(), 9u);
}

TEST_F(HistoryTest, ProjectFieldsUndoAndRedo) {
    ASSERT_TRUE(history.recordValue(projectFieldId("g.project.isCameraMove"), 1));
    EXPECT_EQ(g.project.isCameraMove, 1);
    ASSERT_EQ(history.entries().size(), 2u);
    EXPECT_EQ(std::get<History::ValueEdit>(history.entries()[1].edit).before, History::Number(0));

    // The field belongs to the project, whatever node is selected when it is undone.
    addNamed(*g.rootNode, "ノード2");
    select(2);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(g.project.isCameraMove, 0);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(g.project.isCameraMove, 1);
}

TEST_F(HistoryTest, UndoAndRedoOfASubtreeDelete) {
    // ノード1, A (2) with B (3) with C (4), then D (5).
    EffectNode& a = addNamed(*g.rootNode, "A");
    EffectNode& b = addNamed(a, "B");
    addNamed(b, "C");
    addNamed(*g.rootNode, "D");
    a.m_kill.span = 11;
    b.m_emitter.pos.x = 2.5f;
    b.graph(SlotSpeed).setPoints({{0, 50}, {25, 0}, {100, 80}});
    a.graph(SlotWidth).setPoints({{0, 30}, {100, 60}});
    const std::string before = dump(g);
    select(2);

    ASSERT_TRUE(editor.deleteSelected());
    const std::string deleted = dump(g);
    EXPECT_EQ(g.nodeCount, 3);
    EXPECT_EQ(g.pSelNode, &node(1));

    hooks.clear();
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(dump(g), before);
    EXPECT_EQ(g.nodeCount, 6);
    EXPECT_EQ(g.pSelNode, g.rootNode->child(1));
    EXPECT_EQ(g.pSelNode->m_ID, 2);
    EXPECT_EQ(hooks.stops, 1);
    EXPECT_EQ(hooks.resets, 1);
    expectConsistent(g);

    ASSERT_TRUE(history.redo());
    EXPECT_EQ(dump(g), deleted);
    EXPECT_EQ(g.nodeCount, 3);
    expectConsistent(g);

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(dump(g), before);
    expectConsistent(g);
}

TEST_F(HistoryTest, UndoOfAnAddRemovesItAndRedoBringsTheSameContentBack) {
    {
        SCOPED_TRACE("add child");
        const std::string before = dump(g);
        ASSERT_TRUE(editor.addChild());
        const std::string added = dump(g);
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(dump(g), before);
        EXPECT_EQ(g.nodeCount, 2);
        // The selection was inside the removed node; it moved to its parent.
        EXPECT_EQ(g.pSelNode, &first());
        expectConsistent(g);
        ASSERT_TRUE(history.redo());
        EXPECT_EQ(dump(g), added);
        EXPECT_EQ(g.nodeCount, 3);
        expectConsistent(g);
    }
    {
        SCOPED_TRACE("duplicate of a subtree with values and curves");
        select(1);
        first().m_kill.span = 42;
        first().graph(SlotOverallSize).setPoints({{0, 0}, {10, 90}, {100, 40}});
        node(2).m_move.dirX = 12.5f;
        const std::string before = dump(g);
        ASSERT_TRUE(editor.duplicate());
        const std::string added = dump(g);
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(dump(g), before);
        EXPECT_EQ(g.nodeCount, 3);
        expectConsistent(g);
        ASSERT_TRUE(history.redo());
        EXPECT_EQ(dump(g), added);
        EXPECT_EQ(g.nodeCount, 5);
        expectConsistent(g);
    }
}

TEST_F(HistoryTest, UndoAndRedoOfAMove) {
    // ノード1 with A (2) with A1 (3), then B (4).
    EffectNode& a = addNamed(first(), "A");
    addNamed(a, "A1");
    addNamed(first(), "B");
    const std::string before = dump(g);
    select(4);
    ASSERT_TRUE(editor.moveIntoPrevious());
    const std::string moved = dump(g);
    select(2);
    ASSERT_TRUE(editor.moveOut());
    const std::string movedTwice = dump(g);

    ASSERT_TRUE(history.undo());
    EXPECT_EQ(dump(g), moved);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(dump(g), before);
    expectConsistent(g);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(dump(g), moved);
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(dump(g), movedTwice);
    expectConsistent(g);
}

// Records one entry of every kind, keeping the whole tree after each, then walks the history
// with jumps, undos and redos and compares.
TEST_F(HistoryTest, JumpsOverEveryKindGiveBackTheExactTrees) {
    std::vector<std::string> trees{dump(g)};
    const auto recorded = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(history.current(), static_cast<int>(trees.size())) << what;
        EXPECT_EQ(last(), history.current());
        expectConsistent(g);
        trees.push_back(dump(g));
    };

    history.recordValue(kSpan, 10);
    history.recordValue(kSpan, 20);
    history.recordValue(kSpan, 30);
    recorded("int value");
    history.recordValue(kPosX, 2.5);
    recorded("float value");
    history.recordRename("炎");
    recorded("rename");
    editCurve(SlotRed, {{0, 0}, {40, 30}, {100, 100}});
    recorded("curve");
    ASSERT_TRUE(editor.addChild()); // ノード2 below 炎
    recorded("add child");
    history.recordValue(kSpan, 5);
    recorded("value of the added node");
    ASSERT_TRUE(editor.addSibling()); // ノード3 below 炎
    recorded("add sibling");
    select(2);
    ASSERT_TRUE(editor.duplicate()); // ノード2のｺﾋﾟｰ (5) above ノード2
    recorded("duplicate");
    ASSERT_TRUE(editor.moveDown());
    recorded("move down");
    ASSERT_TRUE(editor.moveOut());
    recorded("move out");
    select(3);
    ASSERT_TRUE(editor.moveIntoPrevious()); // into ノード2
    recorded("move in");
    select(2);
    history.recordRename("子");
    recorded("rename of a child");
    editCurve(SlotSpeed, {{0, 50}, {100, 0}});
    recorded("curve of a child");
    select(1);
    ASSERT_TRUE(editor.deleteSelected()); // 炎 with 子 and ノード3
    recorded("delete of a subtree");
    history.recordValue(projectFieldId("g.project.isCameraMove"), 1);
    recorded("project value");
    editCurve(SlotWidth, {{0, 90}, {100, 10}});
    recorded("curve of the copy");

    const int end = last();
    ASSERT_EQ(end, 16);
    // Every entry changed something the comparisons below can see.
    for (int i = 1; i <= end; ++i) {
        EXPECT_NE(trees[static_cast<std::size_t>(i)], trees[static_cast<std::size_t>(i - 1)]) << i;
    }
    EXPECT_EQ(trees.back().find("炎"), std::string::npos);

    hooks.clear();
    ASSERT_TRUE(history.jump(0));
    EXPECT_EQ(dump(g), trees[0]);
    EXPECT_EQ(history.current(), 0);
    EXPECT_EQ(hooks.stops, 1);
    EXPECT_EQ(hooks.resets, 1);
    EXPECT_EQ(hooks.shows, 1);
    expectConsistent(g);

    ASSERT_TRUE(history.jump(end));
    EXPECT_EQ(dump(g), trees[static_cast<std::size_t>(end)]);
    expectConsistent(g);

    for (int target : {7, 3, 12, 1, 16, 9, 0, 14, 5, 11, 2}) {
        SCOPED_TRACE("jump to " + std::to_string(target));
        ASSERT_TRUE(history.jump(target));
        EXPECT_EQ(history.current(), target);
        EXPECT_EQ(dump(g), trees[static_cast<std::size_t>(target)]);
        expectConsistent(g);
    }

    ASSERT_TRUE(history.jump(end));
    for (int i = end - 1; i >= 0; --i) {
        SCOPED_TRACE("undo to " + std::to_string(i));
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(dump(g), trees[static_cast<std::size_t>(i)]);
        expectConsistent(g);
    }
    for (int i = 1; i <= end; ++i) {
        SCOPED_TRACE("redo to " + std::to_string(i));
        ASSERT_TRUE(history.redo());
        EXPECT_EQ(dump(g), trees[static_cast<std::size_t>(i)]);
        expectConsistent(g);
    }
    EXPECT_EQ(history.entries().size(), static_cast<std::size_t>(end + 1));
}

TEST_F(HistoryTest, JumpToTheCurrentOrAMissingEntryDoesNothing) {
    history.recordValue(kSpan, 10);
    hooks.clear();
    EXPECT_FALSE(history.jump(1));
    EXPECT_FALSE(history.jump(2));
    EXPECT_FALSE(history.jump(-1));
    EXPECT_EQ(history.current(), 1);
    EXPECT_EQ(first().m_kill.span, 10);
    EXPECT_EQ(hooks.stops, 0);
    EXPECT_EQ(hooks.resets, 0);
}

TEST_F(HistoryTest, NodeIdsAbove255KeepWorking) {
    // A tree built by hand: A (300) with B (301), then C (310).
    g.rootNode->clearChildren();
    auto a = std::make_unique<EffectNode>();
    a->m_ID = 300;
    a->setName("A");
    auto b = std::make_unique<EffectNode>();
    b->m_ID = 301;
    b->setName("B");
    a->appendChild(std::move(b));
    g.rootNode->appendChild(std::move(a));
    auto c = std::make_unique<EffectNode>();
    c->m_ID = 310;
    c->setName("C");
    g.rootNode->appendChild(std::move(c));
    relinkAndRenumber(*g.rootNode);
    g.nodeCount = countNodes(*g.rootNode);
    select(301);

    std::vector<std::string> trees{dump(g)};
    const auto recorded = [&] {
        EXPECT_EQ(history.current(), static_cast<int>(trees.size()));
        expectConsistent(g);
        trees.push_back(dump(g));
    };
    history.recordValue(kSpan, 99);
    recorded();
    EXPECT_EQ(std::get<History::ValueEdit>(history.entries().back().edit).nodeId, 301);
    history.recordRename("B2");
    recorded();
    editCurve(SlotAlpha, {{0, 0}, {50, 100}, {100, 0}});
    recorded();
    ASSERT_TRUE(editor.addChild());
    EXPECT_EQ(g.pSelNode->m_ID, 311);
    recorded();
    select(301);
    ASSERT_TRUE(editor.duplicate());
    EXPECT_EQ(g.pSelNode->m_ID, 314);
    recorded();
    select(311);
    ASSERT_TRUE(editor.moveOut());
    recorded();
    select(310);
    ASSERT_TRUE(editor.moveUp());
    recorded();
    select(300);
    ASSERT_TRUE(editor.deleteSelected());
    recorded();
    EXPECT_EQ(std::get<History::DeleteNode>(history.entries().back().edit).at.parentId, 0);

    ASSERT_TRUE(history.jump(0));
    EXPECT_EQ(dump(g), trees[0]);
    ASSERT_TRUE(history.jump(last()));
    EXPECT_EQ(dump(g), trees.back());
    for (int i = last() - 1; i >= 0; --i) {
        SCOPED_TRACE("undo to " + std::to_string(i));
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(dump(g), trees[static_cast<std::size_t>(i)]);
        expectConsistent(g);
    }
    EXPECT_EQ(node(301).m_kill.span, 60);
    EXPECT_EQ(node(301).m_name, "B");
}

} // namespace
} // namespace vintrel
