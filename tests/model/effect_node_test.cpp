#include "model/effect_node.h"
#include "model/material.h"
#include "model/node_members.h"
#include "support/test_trees.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace vintrel {
namespace {

using test::addChild;

// Gives every field of the node a value that differs from its default and from what `seed`
// gives the other nodes, so that a missed field shows up in the comparison below.
void fillDistinct(EffectNode& n, int seed) {
    const float f = static_cast<float>(seed);
    n.m_name = "名前" + std::to_string(seed);
    n.m_isDraw = 0;
    n.m_ID = 500 + seed;
    n.m_depth = 3 + seed;
    n.m_row = 40 + seed;
    n.m_index = 7 + seed;
    n.m_emitter = {EmitterParams::Cylinder, {1.5f + f, 2.5f, 3.5f}, {-4.5f, 5.5f + f, -6.5f}, 2, 33, 1, 1, 1};
    n.m_timing = {TimingParams::ParentFrames, 5 + seed, 50, 3, 12, 9, 8};
    n.m_kill = {120 + seed, 10, 1, 77, 6, 1};
    n.m_move.isOneWay = 1;
    n.m_move.oneway_err = 45;
    n.m_move.dirY = 12.25f + f;
    n.m_move.dirX = -30.5f;
    n.m_move.speed = 99;
    n.m_move.speed_err = 20;
    n.m_move.isFollow = 1;
    n.m_move.gravity = -15;
    n.m_move.absorbPos = {1, -2, 3 + f};
    n.m_move.absorbPawer = -7.5f;
    n.m_move.shake = 4;
    n.m_move.isParentShake = 0;
    n.m_shape.type = ShapeParams::Trail;
    n.m_shape.modelName = "model" + std::to_string(seed);
    n.m_shape.dir = ShapeParams::Random;
    n.m_shape.isDir = 1;
    n.m_shape.isUnderCut = 1;
    n.m_texture.name = "tex" + std::to_string(seed);
    n.m_texture.ID = 2 + seed;
    n.m_texture.isAdd = 1;
    n.m_texture.isAnim = 1;
    n.m_texture.w = 8;
    n.m_texture.h = 2;
    n.m_texture.speed = 5;
    n.m_texture.isLoop = 1;
    n.m_scale = {250 + seed, 30, 44, 1};
    n.m_color = {1, 60, 70 + seed};
    n.m_rotate = {RotateParams::ParentTravel,    720 + seed, 15, RotateParams::Reversed,       1,
                  RotateParams::RevParentTravel, 360,        25, RotateParams::RandomDirection};
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        const float s = static_cast<float>(slot);
        n.graph(slot).setPoints({{0, s}, {25 + f, 40 + s}, {60, 90 - s}, {100, 10 + f}});
    }
}

// Compares every stored field and curve of two nodes (not the tree links).
void expectSameFields(const EffectNode& a, const EffectNode& b) {
    EXPECT_EQ(a.m_name, b.m_name);
    EXPECT_EQ(a.m_isDraw, b.m_isDraw);
    EXPECT_EQ(a.m_ID, b.m_ID);
    EXPECT_EQ(a.m_depth, b.m_depth);
    EXPECT_EQ(a.m_row, b.m_row);
    EXPECT_EQ(a.m_index, b.m_index);

    EXPECT_EQ(a.m_emitter.type, b.m_emitter.type);
    EXPECT_EQ(a.m_emitter.size.x, b.m_emitter.size.x);
    EXPECT_EQ(a.m_emitter.size.y, b.m_emitter.size.y);
    EXPECT_EQ(a.m_emitter.size.z, b.m_emitter.size.z);
    EXPECT_EQ(a.m_emitter.pos.x, b.m_emitter.pos.x);
    EXPECT_EQ(a.m_emitter.pos.y, b.m_emitter.pos.y);
    EXPECT_EQ(a.m_emitter.pos.z, b.m_emitter.pos.z);
    EXPECT_EQ(a.m_emitter.scope, b.m_emitter.scope);
    EXPECT_EQ(a.m_emitter.err, b.m_emitter.err);
    EXPECT_EQ(a.m_emitter.fix, b.m_emitter.fix);
    EXPECT_EQ(a.m_emitter.scaleFix, b.m_emitter.scaleFix);
    EXPECT_EQ(a.m_emitter.isEvenInterval, b.m_emitter.isEvenInterval);

    EXPECT_EQ(a.m_timing.type, b.m_timing.type);
    EXPECT_EQ(a.m_timing.start, b.m_timing.start);
    EXPECT_EQ(a.m_timing.end, b.m_timing.end);
    EXPECT_EQ(a.m_timing.often, b.m_timing.often);
    EXPECT_EQ(a.m_timing.often_err, b.m_timing.often_err);
    EXPECT_EQ(a.m_timing.num, b.m_timing.num);
    EXPECT_EQ(a.m_timing.num_err, b.m_timing.num_err);

    EXPECT_EQ(a.m_kill.span, b.m_kill.span);
    EXPECT_EQ(a.m_kill.span_err, b.m_kill.span_err);
    EXPECT_EQ(a.m_kill.isFrame, b.m_kill.isFrame);
    EXPECT_EQ(a.m_kill.frame, b.m_kill.frame);
    EXPECT_EQ(a.m_kill.frame_err, b.m_kill.frame_err);
    EXPECT_EQ(a.m_kill.isLand, b.m_kill.isLand);

    EXPECT_EQ(a.m_move.isOneWay, b.m_move.isOneWay);
    EXPECT_EQ(a.m_move.oneway_err, b.m_move.oneway_err);
    EXPECT_EQ(a.m_move.dirY, b.m_move.dirY);
    EXPECT_EQ(a.m_move.dirX, b.m_move.dirX);
    EXPECT_EQ(a.m_move.speed, b.m_move.speed);
    EXPECT_EQ(a.m_move.speed_err, b.m_move.speed_err);
    EXPECT_EQ(a.m_move.isFollow, b.m_move.isFollow);
    EXPECT_EQ(a.m_move.gravity, b.m_move.gravity);
    EXPECT_EQ(a.m_move.absorbPos.x, b.m_move.absorbPos.x);
    EXPECT_EQ(a.m_move.absorbPos.y, b.m_move.absorbPos.y);
    EXPECT_EQ(a.m_move.absorbPos.z, b.m_move.absorbPos.z);
    EXPECT_EQ(a.m_move.absorbPawer, b.m_move.absorbPawer);
    EXPECT_EQ(a.m_move.shake, b.m_move.shake);
    EXPECT_EQ(a.m_move.isParentShake, b.m_move.isParentShake);

    EXPECT_EQ(a.m_shape.type, b.m_shape.type);
    EXPECT_EQ(a.m_shape.modelName, b.m_shape.modelName);
    EXPECT_EQ(a.m_shape.dir, b.m_shape.dir);
    EXPECT_EQ(a.m_shape.isDir, b.m_shape.isDir);
    EXPECT_EQ(a.m_shape.isUnderCut, b.m_shape.isUnderCut);

    EXPECT_EQ(a.m_texture.name, b.m_texture.name);
    EXPECT_EQ(a.m_texture.ID, b.m_texture.ID);
    EXPECT_EQ(a.m_texture.isAdd, b.m_texture.isAdd);
    EXPECT_EQ(a.m_texture.isAnim, b.m_texture.isAnim);
    EXPECT_EQ(a.m_texture.w, b.m_texture.w);
    EXPECT_EQ(a.m_texture.h, b.m_texture.h);
    EXPECT_EQ(a.m_texture.speed, b.m_texture.speed);
    EXPECT_EQ(a.m_texture.isLoop, b.m_texture.isLoop);

    EXPECT_EQ(a.m_scale.max, b.m_scale.max);
    EXPECT_EQ(a.m_scale.max_err, b.m_scale.max_err);
    EXPECT_EQ(a.m_scale.trailLength, b.m_scale.trailLength);
    EXPECT_EQ(a.m_scale.trailThickChange, b.m_scale.trailThickChange);

    EXPECT_EQ(a.m_color.isAlphaParent, b.m_color.isAlphaParent);
    EXPECT_EQ(a.m_color.brigRnd, b.m_color.brigRnd);
    EXPECT_EQ(a.m_color.alphaRnd, b.m_color.alphaRnd);

    EXPECT_EQ(a.m_rotate.axis, b.m_rotate.axis);
    EXPECT_EQ(a.m_rotate.angle, b.m_rotate.angle);
    EXPECT_EQ(a.m_rotate.angle_err, b.m_rotate.angle_err);
    EXPECT_EQ(a.m_rotate.dir, b.m_rotate.dir);
    EXPECT_EQ(a.m_rotate.isSameParent, b.m_rotate.isSameParent);
    EXPECT_EQ(a.m_rotate.revAxis, b.m_rotate.revAxis);
    EXPECT_EQ(a.m_rotate.revAngle, b.m_rotate.revAngle);
    EXPECT_EQ(a.m_rotate.revAngle_err, b.m_rotate.revAngle_err);
    EXPECT_EQ(a.m_rotate.revDir, b.m_rotate.revDir);

    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        EXPECT_EQ(a.graph(slot).name(), b.graph(slot).name()) << "slot " << slot;
        EXPECT_EQ(a.graph(slot).isBipolar(), b.graph(slot).isBipolar()) << "slot " << slot;
        EXPECT_EQ(a.graph(slot).points(), b.graph(slot).points()) << "slot " << slot;
        for (int i = 0; i < Graph::kTableSize; ++i) {
            ASSERT_EQ(a.graph(slot).tableEntry(i), b.graph(slot).tableEntry(i))
                << "slot " << slot << " entry " << i;
        }
    }
}

// ---- a fresh node ----------------------------------------------------------------------------

TEST(EffectNodeFresh, FieldDefaults) {
    EffectNode n;
    EXPECT_TRUE(n.m_children.empty());
    EXPECT_EQ(n.m_parent, nullptr);
    EXPECT_EQ(n.m_isDraw, 1);
    EXPECT_EQ(n.m_row, 999999);

    EXPECT_EQ(n.m_emitter.type, 5);
    EXPECT_EQ(n.m_emitter.size.x, 0.0f);
    EXPECT_EQ(n.m_emitter.size.y, 0.0f);
    EXPECT_EQ(n.m_emitter.size.z, 0.0f);
    EXPECT_EQ(n.m_emitter.pos.x, 0.0f);
    EXPECT_EQ(n.m_emitter.pos.y, 0.0f);
    EXPECT_EQ(n.m_emitter.pos.z, 0.0f);
    EXPECT_EQ(n.m_emitter.scope, 0);

    EXPECT_EQ(n.m_timing.type, 0);
    EXPECT_EQ(n.m_timing.start, 1);
    EXPECT_EQ(n.m_timing.end, 1);
    EXPECT_EQ(n.m_timing.often, 1);
    EXPECT_EQ(n.m_timing.num, 1);

    EXPECT_EQ(n.m_kill.span, 60);
    EXPECT_EQ(n.m_kill.frame, 60);
    EXPECT_EQ(n.m_kill.isFrame, 0);

    EXPECT_EQ(n.m_move.dirY, 0.0f);
    EXPECT_EQ(n.m_move.dirX, 90.0f);
    EXPECT_EQ(n.m_move.absorbPawer, 0.0f);
    EXPECT_EQ(n.m_move.isParentShake, 1);

    EXPECT_EQ(n.m_shape.type, 0);
    EXPECT_TRUE(n.m_shape.modelName.empty());

    EXPECT_EQ(n.m_texture.ID, -1);
    EXPECT_TRUE(n.m_texture.name.empty());
    EXPECT_EQ(n.m_texture.w, 4);
    EXPECT_EQ(n.m_texture.h, 4);

    EXPECT_EQ(n.m_scale.max, 10);
    EXPECT_EQ(n.m_scale.max_err, 0);
    EXPECT_EQ(n.m_scale.trailLength, 10);
    EXPECT_EQ(n.m_scale.trailThickChange, 0);

    EXPECT_EQ(n.m_rotate.axis, 2);
    EXPECT_EQ(n.m_rotate.revAxis, 1);
    EXPECT_EQ(n.m_rotate.dir, 0);
    EXPECT_EQ(n.m_rotate.revDir, 0);
}

TEST(EffectNodeFresh, WithoutRootGetsIdZero) {
    EffectNode n;
    EXPECT_EQ(n.m_ID, 0);
    EXPECT_EQ(n.m_name, "ノード0");
    EXPECT_EQ(n.m_index, 0);
}

struct SlotCase {
    int slot;
    const char* name;
    float firstY; // y of the point at x = 0
    bool bipolar;
};

class EffectNodeCurveSlot : public ::testing::TestWithParam<SlotCase> {};

TEST_P(EffectNodeCurveSlot, NameAndStartingPoints) {
    const SlotCase c = GetParam();
    EffectNode n;
    const Graph& curve = n.graph(c.slot);
    EXPECT_EQ(curve.name(), c.name);
    EXPECT_EQ(std::string(curveSlotName(c.slot)), c.name);
    EXPECT_EQ(curve.isBipolar(), c.bipolar);
    const std::vector<CurvePoint> expected{{0, c.firstY}, {100, 0}};
    EXPECT_EQ(curve.points(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllSlots, EffectNodeCurveSlot,
    ::testing::Values(SlotCase{0, "サイズ【幅】", 0, false}, SlotCase{1, "サイズ【高さ】", 0, false},
                      SlotCase{2, "サイズ【奥行き】", 0, false}, SlotCase{3, "自転角度", 100, false}, //
                      SlotCase{4, "公転角度", 100, false}, SlotCase{5, "カラー【赤】", 0, false},
                      SlotCase{6, "カラー【緑】", 0, false}, SlotCase{7, "カラー【青】", 0, false},
                      SlotCase{8, "カラー【不透明度】", 0, false}, SlotCase{9, "速度", 0, true}, //
                      SlotCase{10, "サイズ【全体】", 0, false}, SlotCase{11, "ぶれ", 0, false}));

TEST(EffectNodeFresh, CurveSlotNameOutOfRangeIsEmpty) {
    EXPECT_EQ(std::string(curveSlotName(-1)), "");
    EXPECT_EQ(std::string(curveSlotName(12)), "");
}

TEST(EffectNodeFresh, SetNameCutsToTheFilesLimit) {
    EffectNode n;
    n.setName(std::string(300, 'a'));
    EXPECT_EQ(n.m_name, std::string(255, 'a'));

    // 200 double-byte characters (400 bytes in the files): 127 fit, the 128th would end at 256.
    std::string wide;
    for (int i = 0; i < 200; ++i) {
        wide += "表";
    }
    n.setName(wide);
    std::string expected;
    for (int i = 0; i < 127; ++i) {
        expected += "表";
    }
    EXPECT_EQ(n.m_name, expected);

    n.setName("短い名前");
    EXPECT_EQ(n.m_name, "短い名前");
}

// ---- identity ----------------------------------------------------------------------------------

TEST(EffectNodeIdentity, IdsCountUpFromTheRoot) {
    EffectNode root;
    EffectNode& first = addChild(root);
    EffectNode& second = addChild(root);
    EffectNode& grandchild = addChild(first);
    EXPECT_EQ(first.m_ID, 1);
    EXPECT_EQ(first.m_name, "ノード1");
    EXPECT_EQ(second.m_ID, 2);
    EXPECT_EQ(grandchild.m_ID, 3);
    EXPECT_EQ(grandchild.m_name, "ノード3");

    // Built below a deep node, the search still covers the whole tree from its top.
    EffectNode& deeper = addChild(grandchild);
    EXPECT_EQ(deeper.m_ID, 4);
}

TEST(EffectNodeIdentity, ConstructorDoesNotInsertAndTakesTheChildCountAsIndex) {
    EffectNode root;
    addChild(root);
    addChild(root);
    EffectNode loose(&root);
    EXPECT_EQ(root.childCount(), 2);
    EXPECT_EQ(loose.m_parent, &root);
    EXPECT_EQ(loose.m_index, 2);
    EXPECT_EQ(loose.m_ID, 3);
}

TEST(EffectNodeIdentity, GapsAfterDeletionAreNotReused) {
    EffectNode root;
    addChild(root); // 1
    addChild(root); // 2
    addChild(root); // 3
    addChild(root); // 4
    // Delete 1 to 3: the highest remaining ID is 4.
    root.takeChild(0);
    root.takeChild(0);
    root.takeChild(0);
    ASSERT_EQ(root.childCount(), 1);
    EXPECT_EQ(EffectNode(&root).m_ID, 5);

    // Deleting the highest lowers the next ID to one above the highest left.
    EffectNode& a = addChild(root); // 5
    EffectNode& b = addChild(a);    // 6
    EXPECT_EQ(b.m_ID, 6);
    a.takeChild(0);
    EffectNode& c = addChild(root);
    EXPECT_EQ(c.m_ID, 6);
    EXPECT_EQ(c.m_name, "ノード6");
}

TEST(EffectNodeIdentity, StoredIdsDecideTheNextOne) {
    EffectNode root;
    EffectNode& a = addChild(root);
    a.m_ID = 41;
    EffectNode& b = addChild(a);
    EXPECT_EQ(b.m_ID, 42);
    b.m_ID = 7;
    EXPECT_EQ(EffectNode(&root).m_ID, 42);
}

// ---- deep copy -------------------------------------------------------------------------------

TEST(EffectNodeCopy, CopyIsExact) {
    EffectNode root;
    EffectNode& source = addChild(root);
    fillDistinct(source, 1);
    EffectNode& child0 = addChild(source);
    fillDistinct(child0, 2);
    EffectNode& child1 = addChild(source);
    fillDistinct(child1, 3);
    EffectNode& grandchild = addChild(child1);
    fillDistinct(grandchild, 4);

    EffectNode copy;
    copy.copyFrom(source);

    expectSameFields(copy, source);
    EXPECT_EQ(copy.m_parent, &root);
    ASSERT_EQ(copy.childCount(), 2);
    expectSameFields(*copy.child(0), child0);
    expectSameFields(*copy.child(1), child1);
    ASSERT_EQ(copy.child(1)->childCount(), 1);
    expectSameFields(*copy.child(1)->child(0), grandchild);
    EXPECT_EQ(copy.child(0)->childCount(), 0);

    // The copied subtree is linked to the copy, not to the source.
    EXPECT_EQ(copy.child(0)->m_parent, &copy);
    EXPECT_EQ(copy.child(1)->m_parent, &copy);
    EXPECT_EQ(copy.child(1)->child(0)->m_parent, copy.child(1));
    EXPECT_NE(copy.child(0), &child0);
}

TEST(EffectNodeCopy, CopyReplacesExistingChildrenAndCurves) {
    EffectNode source;
    fillDistinct(source, 9);

    EffectNode target;
    addChild(target);
    addChild(target);
    target.graph(SlotRed).setPoints({{0, 10}, {50, 20}, {100, 30}});

    target.copyFrom(source);
    EXPECT_EQ(target.childCount(), 0);
    expectSameFields(target, source);
}

TEST(EffectNodeCopy, CopyIsIndependent) {
    EffectNode source;
    fillDistinct(source, 1);
    EffectNode& child = addChild(source);
    fillDistinct(child, 2);

    EffectNode reference;
    reference.copyFrom(source);

    EffectNode copy;
    copy.copyFrom(source);
    copy.m_name = "別名";
    copy.m_emitter.size.x = 77;
    copy.m_shape.modelName = "other";
    copy.m_texture.name = "other";
    copy.graph(SlotWidth).setPoints({{0, 99}, {100, 99}});
    copy.graph(SlotSpeed).addPoint({50, 50});
    copy.child(0)->m_name = "子の別名";
    copy.child(0)->m_kill.span = 1;
    copy.child(0)->graph(SlotShake).clearPoints();
    addChild(*copy.child(0));
    copy.takeChild(0);

    expectSameFields(source, reference);
    ASSERT_EQ(source.childCount(), 1);
    EXPECT_EQ(source.child(0), &child);
    expectSameFields(child, *reference.child(0));
    EXPECT_EQ(child.childCount(), 0);
}

TEST(EffectNodeCopy, CopyFromItselfChangesNothing) {
    EffectNode n;
    fillDistinct(n, 5);
    addChild(n);
    EffectNode reference;
    reference.copyFrom(n);
    n.copyFrom(n);
    expectSameFields(n, reference);
    EXPECT_EQ(n.childCount(), 1);
}

// ---- tree queries ----------------------------------------------------------------------------

TEST(EffectNodeTree, ChildAccess) {
    EffectNode root;
    EffectNode& a = addChild(root);
    EffectNode& b = addChild(root);
    EXPECT_EQ(root.childCount(), 2);
    EXPECT_EQ(root.child(0), &a);
    EXPECT_EQ(root.child(1), &b);
    EXPECT_EQ(root.child(2), nullptr);
    EXPECT_EQ(root.child(-1), nullptr);
    EXPECT_EQ(a.m_index, 0);
    EXPECT_EQ(b.m_index, 1);
    EXPECT_EQ(root.takeChild(2), nullptr);
    EXPECT_EQ(root.takeChild(-1), nullptr);
    EXPECT_EQ(root.childCount(), 2);
}

TEST(EffectNodeTree, FindById) {
    EffectNode root;                // 0
    EffectNode& a = addChild(root); // 1
    EffectNode& a1 = addChild(a);   // 2
    EffectNode& b = addChild(root); // 3
    EffectNode& b1 = addChild(b);   // 4
    EffectNode& b1x = addChild(b1); // 5
    EXPECT_EQ(findNodeById(root, 0), &root);
    EXPECT_EQ(findNodeById(root, 1), &a);
    EXPECT_EQ(findNodeById(root, 2), &a1);
    EXPECT_EQ(findNodeById(root, 4), &b1);
    EXPECT_EQ(findNodeById(root, 5), &b1x);
    EXPECT_EQ(findNodeById(root, 6), nullptr);
    EXPECT_EQ(findNodeById(root, -1), nullptr);
    // Only the given subtree is searched.
    EXPECT_EQ(findNodeById(b, 2), nullptr);
    EXPECT_EQ(findNodeById(b, 5), &b1x);

    // Depth first: the first child's whole subtree comes before the second child.
    a1.m_ID = 77;
    b.m_ID = 77;
    EXPECT_EQ(findNodeById(root, 77), &a1);
    // The node itself comes before its children.
    b1.m_ID = 88;
    b1x.m_ID = 88;
    EXPECT_EQ(findNodeById(root, 88), &b1);
}

TEST(EffectNodeTree, HighestId) {
    EffectNode root;
    EffectNode& a = addChild(root);
    EffectNode& b = addChild(a);
    addChild(root);
    b.m_ID = 120;
    EXPECT_EQ(highestId(root, 0), 120);
    EXPECT_EQ(highestId(root, 500), 500);
    EXPECT_EQ(highestId(*root.child(1), 0), 3);
    EXPECT_EQ(highestId(*root.child(1), -10), 3);

    EffectNode lone;
    lone.m_ID = -5;
    EXPECT_EQ(highestId(lone, -100), -5);
    EXPECT_EQ(highestId(lone, 0), 0);
}

TEST(EffectNodeTree, CountAndRenumber) {
    EffectNode root;
    EffectNode& a = addChild(root);
    addChild(a);
    addChild(a);
    addChild(root);
    EXPECT_EQ(countNodes(root), 5);
    EXPECT_EQ(countNodes(a), 3);

    // Move a's last child to the front by hand; renumbering repairs index and parent.
    std::unique_ptr<EffectNode> moved = a.takeChild(1);
    EffectNode* movedPtr = moved.get();
    moved->m_parent = nullptr;
    a.m_children.insert(a.m_children.begin(), std::move(moved));
    relinkAndRenumber(root);
    EXPECT_EQ(a.child(0), movedPtr);
    EXPECT_EQ(movedPtr->m_parent, &a);
    EXPECT_EQ(movedPtr->m_index, 0);
    EXPECT_EQ(a.child(1)->m_index, 1);
    EXPECT_EQ(root.child(1)->m_index, 1);
}

// ---- material references -------------------------------------------------------------------

MaterialList sampleMaterials() {
    return {
        {"fire", Material::Texture}, {"smoke", Material::Texture}, {"spark", Material::Texture},
        {"rock", Material::Model},   {"ring", Material::Model},
    };
}

TEST(EffectNodeMaterials, ResolveNamesStoresTheReferencedNames) {
    EffectNode root;
    EffectNode& a = addChild(root);
    EffectNode& b = addChild(a);
    EffectNode& c = addChild(root);
    a.m_texture.ID = 1;
    a.m_shape.type = 6; // second model
    b.m_texture.ID = -1;
    b.m_shape.type = ShapeParams::Trail;
    c.m_texture.ID = 2;
    c.m_shape.type = 5;
    root.m_texture.ID = 0;

    resolveMaterialNames(root, sampleMaterials());
    EXPECT_EQ(a.m_texture.name, "smoke");
    EXPECT_EQ(a.m_shape.modelName, "ring");
    EXPECT_EQ(b.m_texture.name, "");
    EXPECT_EQ(b.m_shape.modelName, "");
    EXPECT_EQ(c.m_texture.name, "spark");
    EXPECT_EQ(c.m_shape.modelName, "rock");
    // The root is skipped.
    EXPECT_EQ(root.m_texture.name, "");
}

TEST(EffectNodeMaterials, DeletingTheTextureClearsTheReference) {
    EffectNode root;
    EffectNode& a = addChild(root);
    EffectNode& b = addChild(a);
    a.m_texture.ID = 1;
    b.m_texture.ID = 2;
    MaterialList list = sampleMaterials();
    resolveMaterialNames(root, list);
    list.erase(list.begin() + 1); // "smoke"
    resolveMaterialIds(root, list);
    EXPECT_EQ(a.m_texture.ID, -1);
    EXPECT_EQ(b.m_texture.ID, 1);
}

TEST(EffectNodeMaterials, InsertingBeforeTheTextureMovesTheReference) {
    EffectNode root;
    EffectNode& a = addChild(root);
    EffectNode& none = addChild(root);
    a.m_texture.ID = 1;
    none.m_texture.ID = -1;
    MaterialList list = sampleMaterials();
    resolveMaterialNames(root, list);
    list.insert(list.begin(), Material{"glow", Material::Texture});
    resolveMaterialIds(root, list);
    EXPECT_EQ(a.m_texture.ID, 2);
    EXPECT_EQ(none.m_texture.ID, -1);
}

TEST(EffectNodeMaterials, TextureNameMatchesTheFirstExactName) {
    EffectNode root;
    EffectNode& a = addChild(root);
    a.m_texture.name = "smoke";
    MaterialList list{
        {"Smoke", Material::Texture}, {"smoke", Material::Texture}, {"smoke", Material::Texture}};
    resolveMaterialIds(root, list);
    EXPECT_EQ(a.m_texture.ID, 1);
}

TEST(EffectNodeMaterials, ModelReferences) {
    EffectNode root;
    EffectNode& onRing = addChild(root);
    EffectNode& onRock = addChild(root);
    EffectNode& trail = addChild(root);
    onRing.m_shape.type = 6;
    onRock.m_shape.type = 5;
    trail.m_shape.type = ShapeParams::Trail;
    MaterialList list = sampleMaterials();
    resolveMaterialNames(root, list);

    // Removing "rock" moves "ring" to the first model; the rock reference keeps its old value.
    list.erase(list.begin() + 3);
    resolveMaterialIds(root, list);
    EXPECT_EQ(onRing.m_shape.type, 5);
    EXPECT_EQ(onRock.m_shape.type, 5);
    EXPECT_EQ(trail.m_shape.type, ShapeParams::Trail);

    // A model reference whose model was removed keeps its old shape value.
    EffectNode root2;
    EffectNode& gone = addChild(root2);
    gone.m_shape.type = 6;
    list = sampleMaterials();
    resolveMaterialNames(root2, list);
    list.pop_back(); // "ring"
    resolveMaterialIds(root2, list);
    EXPECT_EQ(gone.m_shape.type, 6);

    // Inserting a model before it moves it up.
    list = sampleMaterials();
    resolveMaterialNames(root2, list);
    list.insert(list.begin() + 3, Material{"cone", Material::Model});
    resolveMaterialIds(root2, list);
    EXPECT_EQ(gone.m_shape.type, 7);
}

} // namespace
} // namespace vintrel
