#include "model/tree_operations.h"
#include "support/test_trees.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

namespace vintrel {
namespace {

using test::expectConsistent;
using test::shape;

EffectNode& addNamed(EffectNode& parent, const std::string& name) {
    EffectNode& node = addChildNode(parent);
    node.setName(name);
    return node;
}

std::string childrenShape(const EffectNode& parent) {
    std::string text;
    for (const auto& child : parent.m_children) {
        text += (text.empty() ? "" : " ") + shape(*child);
    }
    return text;
}

// Every node's m_parent is the node holding it, m_index its position, and IDs are unique.
void expectConsistent(const EffectNode& root) {
    std::set<int> ids;
    expectConsistent(root, ids);
}

class TreeOperationsTest : public ::testing::Test {
protected:
    EffectNode& root() { return *g.rootNode; }

    // Root with the children A, B and C (IDs 1, 2, 3).
    void buildThree() {
        a = &addNamed(root(), "A");
        b = &addNamed(root(), "B");
        c = &addNamed(root(), "C");
        g.pSelNode = a;
    }

    GlobalState g;
    EffectNode* a = nullptr;
    EffectNode* b = nullptr;
    EffectNode* c = nullptr;
};

TEST_F(TreeOperationsTest, AddChildAndAddSibling) {
    buildThree();
    EXPECT_EQ(childrenShape(root()), "A#1 B#2 C#3");

    // A sibling of the second of three goes to the end, after the third.
    EffectNode& sibling = addSiblingNode(*b);
    EXPECT_EQ(sibling.m_ID, 4);
    EXPECT_EQ(sibling.m_name, "ノード4");
    EXPECT_EQ(root().child(3), &sibling);
    EXPECT_EQ(sibling.m_parent, &root());
    EXPECT_EQ(sibling.m_index, 3);

    EffectNode& child = addChildNode(*b);
    EXPECT_EQ(child.m_ID, 5);
    EXPECT_EQ(child.m_parent, b);
    EXPECT_EQ(child.m_index, 0);
    EXPECT_EQ(childrenShape(root()), "A#1 B#2(ノード5#5) C#3 ノード4#4");

    // The root has no parent: nothing is added and the root itself comes back.
    EXPECT_EQ(&addSiblingNode(root()), &root());
    EXPECT_EQ(countNodes(root()), 6);
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, InsertChildAtClampsTheIndexAndRenumbers) {
    buildThree();
    auto front = std::make_unique<EffectNode>();
    front->m_ID = 10;
    front->setName("front");
    insertChildAt(root(), -5, std::move(front));
    auto back = std::make_unique<EffectNode>();
    back->m_ID = 11;
    back->setName("back");
    insertChildAt(root(), 99, std::move(back));
    auto middle = std::make_unique<EffectNode>();
    middle->m_ID = 12;
    middle->setName("middle");
    EffectNode& inserted = insertChildAt(root(), 2, std::move(middle));

    EXPECT_EQ(childrenShape(root()), "front#10 A#1 middle#12 B#2 C#3 back#11");
    EXPECT_EQ(inserted.m_parent, &root());
    EXPECT_EQ(inserted.m_index, 2);
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, DetachChildAtTakesTheWholeSubtree) {
    buildThree();
    addNamed(*b, "B1");
    addNamed(*b, "B2");

    std::unique_ptr<EffectNode> taken = detachChildAt(root(), 1);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken.get(), b);
    EXPECT_EQ(shape(*taken), "B#2(B1#4 B2#5)");
    EXPECT_EQ(taken->m_children[0]->m_parent, b);
    EXPECT_EQ(childrenShape(root()), "A#1 C#3");
    EXPECT_EQ(c->m_index, 1);
    EXPECT_EQ(childPosition(*c), 1);
    EXPECT_EQ(childPosition(root()), -1);

    EXPECT_EQ(detachChildAt(root(), 2), nullptr);
    EXPECT_EQ(detachChildAt(root(), -1), nullptr);
    EXPECT_EQ(childrenShape(root()), "A#1 C#3");
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, CopyRenameGivesFreshIdsTopFirstThenDepthFirst) {
    // A(1) with children B(2) (with child C(3)) and D(4); E has ID 9, the highest.
    EffectNode& top = addNamed(root(), "A");
    EffectNode& bNode = addNamed(top, "B");
    addNamed(bNode, "C");
    addNamed(top, "D");
    addNamed(root(), "E").m_ID = 9;

    copyRename(top, root());

    EXPECT_EQ(shape(top), "Aのｺﾋﾟｰ#10(Bのｺﾋﾟｰ#11(Cのｺﾋﾟｰ#12) Dのｺﾋﾟｰ#13)");
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, CopyRenameCutsLongNamesToTheNameLimit) {
    // "のｺﾋﾟｰ" takes 6 bytes in the files' code page: の is two bytes, the half-width kana one each.
    EffectNode& nearlyFull = addNamed(root(), std::string(252, 'a'));
    EffectNode& full = addNamed(nearlyFull, std::string(254, 'b'));
    EffectNode& roomForKanji = addNamed(nearlyFull, std::string(253, 'c'));
    ASSERT_EQ(nearlyFull.m_name.size(), 252u);
    ASSERT_EQ(full.m_name.size(), 254u);

    copyRename(nearlyFull, root());

    EXPECT_EQ(nearlyFull.m_name, std::string(252, 'a') + "のｺ");
    // The two-byte の does not fit in the one byte left, and nothing after it is taken.
    EXPECT_EQ(full.m_name, std::string(254, 'b'));
    EXPECT_EQ(roomForKanji.m_name, std::string(253, 'c') + "の");
    EXPECT_EQ(nearlyFull.m_ID, 4);
    EXPECT_EQ(full.m_ID, 5);
    EXPECT_EQ(roomForKanji.m_ID, 6);
}

TEST_F(TreeOperationsTest, DeleteRefusesTheRootAndTheOnlyTopLevelNode) {
    EffectNode& only = addNamed(root(), "only");
    addNamed(only, "child");
    g.pSelNode = &only;

    EXPECT_FALSE(canDeleteNode(root()));
    EXPECT_FALSE(canDeleteNode(only));
    EXPECT_TRUE(canDeleteNode(*only.child(0)));
    EXPECT_EQ(deleteNode(g, only), 0);
    EXPECT_EQ(deleteNode(g, root()), 0);
    EXPECT_EQ(childrenShape(root()), "only#1(child#2)");
    EXPECT_EQ(g.pSelNode, &only);

    // With a second top-level node the first one can go.
    addNamed(root(), "second");
    EXPECT_TRUE(canDeleteNode(only));
    EXPECT_EQ(deleteNode(g, only), 2);
    EXPECT_EQ(childrenShape(root()), "second#3");
    EXPECT_EQ(g.pSelNode, root().child(0));
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, DeleteMovesTheSelection) {
    buildThree();
    {
        // The first of three: the former second becomes the selection.
        g.pSelNode = a;
        EXPECT_EQ(deleteNode(g, *a), 1);
        EXPECT_EQ(g.pSelNode, b);
        EXPECT_EQ(childrenShape(root()), "B#2 C#3");
        EXPECT_EQ(b->m_index, 0);
        EXPECT_EQ(c->m_index, 1);
    }
    {
        // The last: the previous sibling.
        EffectNode& d = addNamed(root(), "D");
        g.pSelNode = &d;
        EXPECT_EQ(deleteNode(g, d), 1);
        EXPECT_EQ(g.pSelNode, c);
        EXPECT_EQ(childrenShape(root()), "B#2 C#3");
    }
    {
        // One in the middle: the previous sibling.
        EffectNode& d = addNamed(root(), "D");
        g.pSelNode = c;
        EXPECT_EQ(deleteNode(g, *c), 1);
        EXPECT_EQ(g.pSelNode, b);
        EXPECT_EQ(childrenShape(root()), "B#2 D#4");
        EXPECT_EQ(d.m_index, 1);
    }
    {
        // The only child of a node below the root: the parent.
        EffectNode& child = addNamed(*b, "child");
        addNamed(child, "grandchild");
        g.pSelNode = &child;
        EXPECT_EQ(deleteNode(g, child), 2);
        EXPECT_EQ(g.pSelNode, b);
        EXPECT_EQ(childrenShape(root()), "B#2 D#4");
    }
    expectConsistent(root());
}

TEST_F(TreeOperationsTest, DeleteLeavesAnUnrelatedSelectionAlone) {
    buildThree();
    g.pSelNode = c;
    EXPECT_EQ(deleteNode(g, *a), 1);
    EXPECT_EQ(g.pSelNode, c);
    EXPECT_EQ(childrenShape(root()), "B#2 C#3");
}

TEST_F(TreeOperationsTest, SelectionInsideTheDeletedSubtreeMovesAsIfTheNodeWereSelected) {
    buildThree();
    EffectNode& inner = addNamed(addNamed(*a, "A1"), "A1a");
    g.pSelNode = &inner;

    EXPECT_EQ(deleteNode(g, *a), 3);
    EXPECT_EQ(g.pSelNode, b);

    EffectNode& only = addNamed(*c, "C1");
    g.pSelNode = &addNamed(only, "C1a");
    EXPECT_EQ(deleteNode(g, only), 2);
    EXPECT_EQ(g.pSelNode, c);
    EXPECT_EQ(childrenShape(root()), "B#2 C#3");
}

TEST_F(TreeOperationsTest, DeleteGoesByPositionWhenIndicesAreStale) {
    buildThree();
    for (auto& child : root().m_children) {
        child->m_index = 0;
    }
    g.pSelNode = c;

    EXPECT_EQ(deleteNode(g, *c), 1);
    EXPECT_EQ(childrenShape(root()), "A#1 B#2");
    EXPECT_EQ(g.pSelNode, b);
    expectConsistent(root());
}

} // namespace
} // namespace vintrel
