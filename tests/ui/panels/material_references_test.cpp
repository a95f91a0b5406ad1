// Keeping the nodes' and the mask's references on their materials by name when the material list
// is rebuilt, and the material list's row arithmetic.
#include "ui/panels/material_list_geometry.h"
#include "ui/panels/material_references.h"

#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

constexpr int kFirstModel = ShapeParams::FirstModel;

class MaterialReferencesTest : public ::testing::Test {
protected:
    MaterialReferencesTest() {
        g.materials = {{"fire", Material::Texture},
                       {"smoke", Material::Texture},
                       {"spark", Material::Texture},
                       {"box", Material::Model},
                       {"ring", Material::Model}};
    }

    EffectNode& addNode(int textureId, int shapeType) {
        EffectNode& node = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
        node.m_texture.ID = textureId;
        node.m_shape.type = shapeType;
        return node;
    }

    GlobalState g;
};

TEST_F(MaterialReferencesTest, DeletingTheSecondOfThreeTexturesMovesTheThirdsUsers) {
    EffectNode& onFirst = addNode(0, ShapeParams::Billboard);
    EffectNode& onSecond = addNode(1, ShapeParams::Billboard);
    EffectNode& onThird = addNode(2, ShapeParams::Billboard);
    EffectNode& withoutTexture = addNode(-1, ShapeParams::Billboard);

    replaceMaterialsKeepingReferences(g, {{"fire", Material::Texture},
                                          {"spark", Material::Texture},
                                          {"box", Material::Model},
                                          {"ring", Material::Model}});

    EXPECT_EQ(onFirst.m_texture.ID, 0);
    EXPECT_EQ(onSecond.m_texture.ID, -1) << "its texture is gone";
    EXPECT_EQ(onThird.m_texture.ID, 1) << "still on spark, one place up";
    EXPECT_EQ(withoutTexture.m_texture.ID, -1);
}

TEST_F(MaterialReferencesTest, ModelsFollowTheirNamesAndADeletedModelKeepsItsShapeNumber) {
    EffectNode& onBox = addNode(-1, kFirstModel);
    EffectNode& onRing = addNode(-1, kFirstModel + 1);
    EffectNode& trail = addNode(-1, ShapeParams::Trail);

    // box is deleted: ring moves up, box's user keeps its number (which now selects ring).
    replaceMaterialsKeepingReferences(g, {{"fire", Material::Texture},
                                          {"smoke", Material::Texture},
                                          {"spark", Material::Texture},
                                          {"ring", Material::Model}});

    EXPECT_EQ(onRing.m_shape.type, kFirstModel);
    EXPECT_EQ(onBox.m_shape.type, kFirstModel);
    EXPECT_EQ(trail.m_shape.type, ShapeParams::Trail);
}

TEST_F(MaterialReferencesTest, ATextureImportedAheadKeepsTheFirstModelAndShiftsTextureIds) {
    EffectNode& node = addNode(2, kFirstModel);

    replaceMaterialsKeepingReferences(g, {{"ash", Material::Texture},
                                          {"fire", Material::Texture},
                                          {"smoke", Material::Texture},
                                          {"spark", Material::Texture},
                                          {"box", Material::Model},
                                          {"ring", Material::Model}});

    EXPECT_EQ(node.m_shape.type, kFirstModel) << "still box";
    EXPECT_EQ(node.m_texture.ID, 3) << "still spark";
}

TEST_F(MaterialReferencesTest, TheRootKeepsItsValues) {
    g.rootNode->m_texture.ID = 2;
    replaceMaterialsKeepingReferences(g, {{"spark", Material::Texture}});
    EXPECT_EQ(g.rootNode->m_texture.ID, 2);
}

TEST_F(MaterialReferencesTest, TheMaskTextureFollowsItsNameAndIsClearedWhenGone) {
    struct Case {
        int maskBefore;
        MaterialList rebuilt;
        int maskAfter;
    };
    const Case cases[] = {
        {3, {{"spark", Material::Texture}}, 1},                              // spark moved to the front
        {2, {{"fire", Material::Texture}, {"spark", Material::Texture}}, 0}, // smoke deleted
        {0, {{"fire", Material::Texture}}, 0},                               // no mask stays no mask
        {4, {{"fire", Material::Texture}, {"box", Material::Model}}, 0},     // a mask on a model entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maskBefore);
        GlobalState state;
        state.materials = g.materials;
        state.mask.texID = c.maskBefore;
        replaceMaterialsKeepingReferences(state, c.rebuilt);
        EXPECT_EQ(state.mask.texID, c.maskAfter);
        EXPECT_EQ(state.materials.size(), c.rebuilt.size());
    }
}

TEST(MaterialListGeometryTest, RowUnderAPoint) {
    using Geometry = MaterialListGeometry;
    struct Case {
        int panelY;
        int scrollOffset;
        int count;
        int row;
    };
    const Case cases[] = {
        {37, 0, 3, -1},      // the buttons
        {38, 0, 3, 0},       // first row, first pixel
        {70, 0, 3, 0},       // first row, last pixel
        {71, 0, 3, 1},       // second row
        {38 + 99, 0, 3, -1}, // below the last row
        {38, 33, 3, 1},      // scrolled by one row
        {38 + 65, 1, 3, 2},  // scrolled by a pixel
        {38, 0, 0, -1},      // an empty list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.panelY << " offset " << c.scrollOffset);
        EXPECT_EQ(Geometry::rowAt(c.panelY, c.scrollOffset, c.count), c.row);
    }
    EXPECT_EQ(Geometry::contentHeight(4), 132);
    EXPECT_EQ(Geometry::viewHeight(238), 200);
    EXPECT_EQ(Geometry::viewHeight(20), 0);
}

} // namespace
} // namespace vintrel
