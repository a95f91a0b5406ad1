#include "model/tree_operations.h"
#include "edit/tree_commands.h"
#include "support/test_notifiers.h"
#include "support/test_trees.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

using test::expectConsistent;
using test::RecordingNotifier;
using test::shape;

// The whole tree below the root, one node a line: depth, ID, name, index, parent ID, a few
// parameters and every curve's points.
void dumpNode(const EffectNode& node, int depth, std::ostringstream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << node.m_ID << ' ' << node.m_name
        << " index=" << node.m_index << " parent=" << (node.m_parent != nullptr ? node.m_parent->m_ID : -1)
        << " span=" << node.m_kill.span << " posx=" << node.m_emitter.pos.x << " dirX=" << node.m_move.dirX;
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
    return out.str();
}

// "name#ID(children)" for the top-level nodes, in child order.
std::string shape(const GlobalState& g) {
    std::string text;
    for (const auto& child : g.rootNode->m_children) {
        text += (text.empty() ? "" : " ") + shape(*child);
    }
    return text;
}

class RecordingHooks final : public EditorHooks {
public:
    explicit RecordingHooks(const GlobalState& g) : g_(g) {}

    void stopWorker() override {
        ++stops;
        treeAtStop = dump(g_);
        calls.push_back("stop");
    }
    void resetView() override {
        ++resets;
        treeAtReset = dump(g_);
        calls.push_back("reset");
    }
    void closeValueEditors() override {
        ++closes;
        calls.push_back("close");
    }
    void showSelection() override { ++shows; }
    void layoutNodePanel() override { ++layouts; }

    void clear() {
        stops = resets = closes = shows = layouts = 0;
        treeAtStop.clear();
        treeAtReset.clear();
        calls.clear();
    }

    int stops = 0;
    int resets = 0;
    int closes = 0;
    int shows = 0;
    int layouts = 0;
    std::string treeAtStop;
    std::string treeAtReset;
    std::vector<std::string> calls;

private:
    const GlobalState& g_;
};

class TreeCommandsTest : public ::testing::Test {
protected:
    TreeCommandsTest() { startOver(); }

    // A new project: the root with ノード1 (ID 1), selected, and an empty history.
    void startOver() {
        resetProject(g, defaults);
        applyStartValues(g, defaults);
        history.clear();
        hooks.clear();
        notifier.messages.clear();
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

    // Root with A (ID 1), B (2) and C (3); the history and the hooks start empty.
    void buildThree() {
        first().setName("A");
        addNamed(*g.rootNode, "B");
        addNamed(*g.rootNode, "C");
        hooks.clear();
        g.modified = false;
    }

    const History::Entry& newest() const { return history.entries().back(); }
    template <class Edit>
    bool newestIs() const {
        return std::holds_alternative<Edit>(newest().edit);
    }
    // The place that the newest add, delete or move recorded (a move: where the node was).
    History::Place newestPlace() const {
        const History::Edit& edit = newest().edit;
        if (const auto* added = std::get_if<History::AddNode>(&edit)) {
            return added->at;
        }
        if (const auto* deleted = std::get_if<History::DeleteNode>(&edit)) {
            return deleted->at;
        }
        if (const auto* moved = std::get_if<History::MoveNode>(&edit)) {
            return moved->from;
        }
        ADD_FAILURE() << "the newest entry records no place";
        return {};
    }

    BuiltInProjectDefaults defaults;
    GlobalState g;
    RecordingHooks hooks{g};
    RecordingNotifier notifier;
    History history{g, hooks};
    TreeEditor editor{g, history, hooks, notifier};
};

TEST_F(TreeCommandsTest, AddSiblingOfTheSecondOfThreeAppendsAfterTheThird) {
    buildThree();
    select(2);

    ASSERT_TRUE(editor.run(TreeEditor::AddSibling));

    EXPECT_EQ(shape(g), "A#1 B#2 C#3 ノード4#4");
    EXPECT_EQ(g.pSelNode, g.rootNode->child(3));
    EXPECT_EQ(g.nodeCount, 5);
    ASSERT_EQ(history.entries().size(), 2u);
    EXPECT_TRUE(newestIs<History::AddNode>());
    EXPECT_EQ(newest().title, "＜ノード4＞を追加");
    EXPECT_EQ(newestPlace().index, 3);
    EXPECT_EQ(newestPlace().parentId, 0);
    EXPECT_TRUE(g.modified);
    expectConsistent(g);
}

TEST_F(TreeCommandsTest, AddChildAppendsBelowTheSelection) {
    buildThree();
    addNamed(node(2), "B1");
    hooks.clear();
    select(2);

    ASSERT_TRUE(editor.run(TreeEditor::AddChild));

    EXPECT_EQ(shape(g), "A#1 B#2(B1#4 ノード5#5) C#3");
    EXPECT_EQ(g.pSelNode, &node(5));
    EXPECT_EQ(g.nodeCount, 6);
    EXPECT_EQ(newest().title, "＜ノード5＞を追加");
    EXPECT_EQ(newestPlace().index, 1);
    EXPECT_EQ(newestPlace().parentId, 2);
    expectConsistent(g);
}

TEST_F(TreeCommandsTest, DeletingTheOnlyTopLevelNodeIsRefused) {
    addNamed(first(), "child");
    select(1);
    const std::string before = dump(g);
    hooks.clear();
    g.modified = false;

    EXPECT_FALSE(editor.run(TreeEditor::Delete));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, "確認");
    EXPECT_EQ(notifier.messages[0].second, "このノードは削除できません");
    EXPECT_EQ(dump(g), before);
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_EQ(history.current(), 0);
    EXPECT_EQ(g.nodeCount, 3);
    EXPECT_EQ(g.pSelNode, &first());
    EXPECT_EQ(hooks.stops, 0);
    EXPECT_EQ(hooks.resets, 0);
    EXPECT_FALSE(g.modified);
}

TEST_F(TreeCommandsTest, DeleteMovesTheSelectionAndCountsTheRemovedNodes) {
    buildThree();
    {
        SCOPED_TRACE("first of three");
        addNamed(node(1), "A1");
        select(1);
        ASSERT_TRUE(editor.run(TreeEditor::Delete));
        EXPECT_EQ(shape(g), "B#2 C#3");
        EXPECT_EQ(g.pSelNode, &node(2));
        EXPECT_EQ(g.nodeCount, 3);
        EXPECT_TRUE(newestIs<History::DeleteNode>());
        EXPECT_EQ(newest().title, "＜A＞を削除");
        EXPECT_EQ(newestPlace().index, 0);
        ASSERT_NE(std::get<History::DeleteNode>(newest().edit).snapshot, nullptr);
        EXPECT_EQ(shape(*std::get<History::DeleteNode>(newest().edit).snapshot), "A#1(A1#4)");
        expectConsistent(g);
    }
    {
        SCOPED_TRACE("third of three");
        addNamed(*g.rootNode, "D");
        select(4);
        ASSERT_TRUE(editor.run(TreeEditor::Delete));
        EXPECT_EQ(shape(g), "B#2 C#3");
        EXPECT_EQ(g.pSelNode, &node(3));
        EXPECT_EQ(newestPlace().index, 2);
        expectConsistent(g);
    }
    {
        SCOPED_TRACE("only child below the root");
        addNamed(addNamed(node(3), "C1"), "C1a");
        select(4);
        ASSERT_TRUE(editor.run(TreeEditor::Delete));
        EXPECT_EQ(shape(g), "B#2 C#3");
        EXPECT_EQ(g.pSelNode, &node(3));
        EXPECT_EQ(g.nodeCount, 3);
        EXPECT_EQ(newestPlace().parentId, 3);
        expectConsistent(g);
    }
    EXPECT_EQ(history.entries().size(), 4u);
}

TEST_F(TreeCommandsTest, DuplicateInsertsARenamedCopyAboveWithFreshIds) {
    // A (1) with child B (2), then C with ID 7.
    first().setName("A");
    EffectNode& b = addNamed(first(), "B");
    b.m_kill.span = 77;
    b.graph(SlotRed).setPoints({{0, 10}, {30, 40}, {100, 90}});
    addNamed(*g.rootNode, "C").m_ID = 7;
    select(1);
    hooks.clear();

    ASSERT_TRUE(editor.run(TreeEditor::Duplicate));

    // Copy-rename numbers the copy 8 and its child 9; the copy's top then gets one more.
    EXPECT_EQ(shape(g), "Aのｺﾋﾟｰ#10(Bのｺﾋﾟｰ#9) A#1(B#2) C#7");
    EffectNode& copy = *g.rootNode->child(0);
    EXPECT_EQ(g.pSelNode, &copy);
    EXPECT_EQ(g.nodeCount, 6);
    EffectNode& copiedChild = *copy.child(0);
    EXPECT_EQ(copiedChild.m_kill.span, 77);
    EXPECT_EQ(copiedChild.graph(SlotRed).points(), b.graph(SlotRed).points());
    EXPECT_EQ(&node(2), &b);
    ASSERT_EQ(history.entries().size(), 2u);
    EXPECT_TRUE(newestIs<History::AddNode>());
    EXPECT_EQ(newest().title, "＜Aのｺﾋﾟｰ＞を追加");
    EXPECT_EQ(newestPlace().index, 0);
    EXPECT_EQ(newestPlace().parentId, 0);
    expectConsistent(g);

    // A nested node is copied into its own parent, directly above itself.
    select(2);
    ASSERT_TRUE(editor.run(TreeEditor::Duplicate));
    EXPECT_EQ(shape(g), "Aのｺﾋﾟｰ#10(Bのｺﾋﾟｰ#9) A#1(Bのｺﾋﾟｰ#12 B#2) C#7");
    EXPECT_EQ(g.nodeCount, 7);
    EXPECT_EQ(newestPlace().index, 0);
    EXPECT_EQ(newestPlace().parentId, 1);
    expectConsistent(g);
}

TEST_F(TreeCommandsTest, DuplicateCutsALongNameAtTheNameLimit) {
    first().setName(std::string(252, 'a'));
    select(1);

    ASSERT_TRUE(editor.run(TreeEditor::Duplicate));

    const std::string cut = std::string(252, 'a') + "のｺ";
    EXPECT_EQ(g.pSelNode->m_name, cut);
    EXPECT_EQ(newest().title, "＜" + cut + "＞を追加");
}

TEST_F(TreeCommandsTest, ImpossibleMovesChangeAndRecordNothing) {
    // A (1) with A1 (2) and A2 (3), then B (4).
    first().setName("A");
    addNamed(first(), "A1");
    addNamed(first(), "A2");
    addNamed(*g.rootNode, "B");
    const std::string before = dump(g);
    hooks.clear();
    g.modified = false;

    const std::vector<std::pair<int, TreeEditor::Command>> cases{
        {4, TreeEditor::MoveDown}, {1, TreeEditor::MoveUp},           {1, TreeEditor::MoveIntoPrevious},
        {1, TreeEditor::MoveOut},  {4, TreeEditor::MoveOut},          {3, TreeEditor::MoveDown},
        {2, TreeEditor::MoveUp},   {2, TreeEditor::MoveIntoPrevious},
    };
    for (const auto& [id, command] : cases) {
        SCOPED_TRACE("node " + std::to_string(id) + ", command " + std::to_string(command));
        select(id);
        EXPECT_FALSE(editor.run(command));
        EXPECT_EQ(dump(g), before);
        EXPECT_EQ(g.pSelNode, &node(id));
    }
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_EQ(g.nodeCount, 5);
    EXPECT_EQ(hooks.stops, 0);
    EXPECT_EQ(hooks.resets, 0);
    EXPECT_FALSE(g.modified);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(TreeCommandsTest, MovesKeepIdsSubtreesAndIndices) {
    // A (1) with A1 (2) and A2 (3), then B (4) and C (5).
    first().setName("A");
    addNamed(first(), "A1");
    addNamed(first(), "A2");
    addNamed(*g.rootNode, "B");
    addNamed(*g.rootNode, "C");
    EffectNode* a = &first();
    a->m_kill.span = 77;
    a->graph(SlotAlpha).setPoints({{0, 5}, {50, 60}, {100, 100}});
    const std::vector<CurvePoint> alpha = a->graph(SlotAlpha).points();

    struct Step {
        int id;
        TreeEditor::Command command;
        const char* shapeAfter;
        int parentBefore;
        int indexBefore;
    };
    const std::vector<Step> steps{
        {1, TreeEditor::MoveDown, "B#4 A#1(A1#2 A2#3) C#5", 0, 0},
        {1, TreeEditor::MoveUp, "A#1(A1#2 A2#3) B#4 C#5", 0, 1},
        {4, TreeEditor::MoveIntoPrevious, "A#1(A1#2 A2#3 B#4) C#5", 0, 1},
        {2, TreeEditor::MoveDown, "A#1(A2#3 A1#2 B#4) C#5", 1, 0},
        {4, TreeEditor::MoveOut, "A#1(A2#3 A1#2) B#4 C#5", 1, 2},
        {5, TreeEditor::MoveUp, "A#1(A2#3 A1#2) C#5 B#4", 0, 2},
        {1, TreeEditor::MoveDown, "C#5 A#1(A2#3 A1#2) B#4", 0, 0},
        {1, TreeEditor::MoveIntoPrevious, "C#5(A#1(A2#3 A1#2)) B#4", 0, 1},
        {2, TreeEditor::MoveOut, "C#5(A#1(A2#3) A1#2) B#4", 1, 1},
        {1, TreeEditor::MoveOut, "C#5(A1#2) A#1(A2#3) B#4", 5, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.shapeAfter);
        select(step.id);
        EffectNode* moved = g.pSelNode;
        const std::size_t entries = history.entries().size();
        hooks.clear();

        ASSERT_TRUE(editor.run(step.command));

        EXPECT_EQ(shape(g), step.shapeAfter);
        EXPECT_EQ(g.pSelNode, moved);
        EXPECT_EQ(g.pSelNode->m_ID, step.id);
        EXPECT_EQ(g.nodeCount, 6);
        ASSERT_EQ(history.entries().size(), entries + 1);
        EXPECT_TRUE(newestIs<History::MoveNode>());
        EXPECT_EQ(newest().title, "ノードの移動");
        EXPECT_EQ(std::get<History::MoveNode>(newest().edit).nodeId, step.id);
        EXPECT_EQ(newestPlace().parentId, step.parentBefore);
        EXPECT_EQ(newestPlace().index, step.indexBefore);
        EXPECT_EQ(hooks.stops, 1);
        EXPECT_EQ(hooks.resets, 1);
        expectConsistent(g);
    }
    EXPECT_EQ(&node(1), a);
    EXPECT_EQ(a->m_kill.span, 77);
    EXPECT_EQ(a->graph(SlotAlpha).points(), alpha);
}

TEST_F(TreeCommandsTest, CameraNodesIgnoreEveryCommand) {
    buildThree();
    const std::string before = dump(g);
    for (EffectNode* camera : {g.cameraNode.get(), g.targetNode.get()}) {
        for (int command = TreeEditor::AddSibling; command <= TreeEditor::MoveOut; ++command) {
            SCOPED_TRACE("camera node " + std::to_string(camera->m_ID) + ", command " +
                         std::to_string(command));
            g.pSelNode = camera;
            EXPECT_FALSE(editor.run(static_cast<TreeEditor::Command>(command)));
            EXPECT_EQ(g.pSelNode, camera);
            EXPECT_EQ(dump(g), before);
        }
    }
    EXPECT_EQ(history.entries().size(), 1u);
    EXPECT_EQ(g.nodeCount, 4);
    EXPECT_EQ(hooks.stops, 0);
    EXPECT_EQ(hooks.resets, 0);
    EXPECT_FALSE(g.modified);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(TreeCommandsTest, EveryChangeStopsTheWorkerBeforeAndResetsTheViewAfter) {
    struct Case {
        TreeEditor::Command command;
        int selected;
        const char* shapeAfter;
    };
    // Each on the tree A (1) with A1 (2), then B (3).
    const std::vector<Case> cases{
        {TreeEditor::AddSibling, 1, "A#1(A1#2) B#3 ノード4#4"},
        {TreeEditor::AddChild, 1, "A#1(A1#2 ノード4#4) B#3"},
        {TreeEditor::Duplicate, 1, "Aのｺﾋﾟｰ#6(A1のｺﾋﾟｰ#5) A#1(A1#2) B#3"},
        {TreeEditor::Delete, 3, "A#1(A1#2)"},
        {TreeEditor::MoveDown, 1, "B#3 A#1(A1#2)"},
        {TreeEditor::MoveUp, 3, "B#3 A#1(A1#2)"},
        {TreeEditor::MoveIntoPrevious, 3, "A#1(A1#2 B#3)"},
        {TreeEditor::MoveOut, 2, "A#1 A1#2 B#3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("command " + std::to_string(c.command));
        startOver();
        first().setName("A");
        addNamed(first(), "A1");
        addNamed(*g.rootNode, "B");
        select(c.selected);
        const std::string before = dump(g);
        hooks.clear();

        ASSERT_TRUE(editor.run(c.command));

        EXPECT_EQ(shape(g), c.shapeAfter);
        EXPECT_EQ(hooks.stops, 1);
        EXPECT_EQ(hooks.resets, 1);
        ASSERT_FALSE(hooks.calls.empty());
        EXPECT_EQ(hooks.calls.front(), "stop");
        EXPECT_EQ(hooks.calls.back(), "reset");
        // The worker is stopped while the tree is still the old one, and the view is reset on
        // the finished tree.
        EXPECT_EQ(hooks.treeAtStop, before);
        EXPECT_EQ(hooks.treeAtReset, dump(g));
        EXPECT_EQ(history.entries().size(), 2u);
        if (c.command <= TreeEditor::Delete) {
            EXPECT_EQ(hooks.closes, 1);
            EXPECT_EQ(hooks.shows, 1);
        }
        if (c.command == TreeEditor::AddSibling || c.command == TreeEditor::AddChild ||
            c.command == TreeEditor::Delete) {
            EXPECT_EQ(hooks.layouts, 1);
        }
        expectConsistent(g);
    }
}

// A drag in the node panel: onto a node (its last child), between rows (a place among siblings),
// each one undo step that undo takes back; into its own subtree, onto itself or of the root it is
// refused and records nothing.
TEST_F(TreeCommandsTest, DraggedNodesMoveAsOneStepAndNeverIntoTheirOwnSubtree) {
    // A (1) with A1 (2) and A2 (3), then B (4) and C (5).
    first().setName("A");
    addNamed(first(), "A1");
    addNamed(first(), "A2");
    addNamed(*g.rootNode, "B");
    addNamed(*g.rootNode, "C");
    hooks.clear();
    struct Drag {
        int id, parent, index;
        const char* shapeAfter; // null: refused
    };
    const Drag drags[] = {
        {5, 1, 2, "A#1(A1#2 A2#3 C#5) B#4"}, // onto A: its last child
        {1, 0, 3, "B#4 C#5 A#1(A1#2 A2#3)"}, // to the end of the top level
        {4, 0, 1, nullptr},                  // before itself
        {4, 0, 2, nullptr},                  // just after itself
        {4, 0, 0, "B#4 A#1(A1#2 A2#3) C#5"}, // to the front
        {2, 0, 1, "A#1(A2#3) A1#2 B#4 C#5"}, // out of A, between A and B
        {3, 0, 0, "A2#3 A#1(A1#2) B#4 C#5"}, // out of A, before A
        {3, 1, 0, "A#1(A2#3 A1#2) B#4 C#5"}, // before its sibling
        {1, 2, 0, nullptr},                  // into its own child
        {1, 1, 0, nullptr},                  // onto itself
        {0, 0, 0, nullptr},                  // the root
        {EffectNode::kCameraPositionId, 0, 0, nullptr},
        {4, 99, 0, nullptr}, // to a parent that is not there
    };
    const std::string start = shape(g);
    for (const Drag& drag : drags) {
        SCOPED_TRACE(std::to_string(drag.id) + " to " + std::to_string(drag.parent) + "@" + std::to_string(drag.index));
        const std::size_t entries = history.entries().size();
        const int current = history.current();
        const bool moved = editor.moveNode(drag.id, drag.parent, drag.index);
        ASSERT_EQ(moved, drag.shapeAfter != nullptr);
        if (!moved) {
            EXPECT_EQ(shape(g), start);
            EXPECT_EQ(history.entries().size(), entries);
            continue;
        }
        EXPECT_EQ(shape(g), drag.shapeAfter);
        EXPECT_EQ(g.pSelNode->m_ID, drag.id);
        ASSERT_EQ(history.current(), current + 1);
        EXPECT_TRUE(newestIs<History::MoveNode>());
        expectConsistent(g);
        ASSERT_TRUE(history.undo());
        EXPECT_EQ(shape(g), start);
        expectConsistent(g);
    }
}

// A pasted subtree goes below the selection (below the root for a camera row) with fresh IDs and
// its names as they were, in one undo step that undo removes and redo brings back.
TEST_F(TreeCommandsTest, APastedSubtreeGetsFreshIdsAndIsOneStep) {
    buildThree();
    auto clip = std::make_unique<EffectNode>();
    clip->setName("spark");
    clip->m_ID = 2; // an ID the project uses already
    clip->m_kill.span = 42;
    EffectNode& child = clip->appendChild(std::make_unique<EffectNode>(clip.get()));
    child.setName("glow");
    child.m_ID = 2147483647;
    clip->graph(SlotAlpha).setPoints({{0, 10}, {100, 90}});
    select(2);
    ASSERT_TRUE(editor.paste(detachedCopy(*clip)));
    EXPECT_EQ(shape(g), "A#1 B#2(spark#4(glow#5)) C#3");
    EXPECT_EQ(g.pSelNode->m_name, "spark");
    EXPECT_EQ(g.pSelNode->m_kill.span, 42);
    EXPECT_EQ(g.pSelNode->graph(SlotAlpha).points(), clip->graph(SlotAlpha).points());
    EXPECT_EQ(g.nodeCount, 6);
    EXPECT_TRUE(newestIs<History::AddNode>());
    expectConsistent(g);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(shape(g), "A#1 B#2 C#3");
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(shape(g), "A#1 B#2(spark#4(glow#5)) C#3");

    g.pSelNode = g.cameraNode.get();
    ASSERT_TRUE(editor.paste(detachedCopy(*clip)));
    EXPECT_EQ(shape(g), "A#1 B#2(spark#4(glow#5)) C#3 spark#6(glow#7)");
    EXPECT_FALSE(editor.paste(nullptr));
}

} // namespace
} // namespace vintrel
