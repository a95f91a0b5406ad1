// The hint strip's texts: control and command ids, the size curves' shape-dependent rows and the
// camera drag modes.

#include "model/effect_node.h"
#include "ui/hints/hint_table.h"

#include <gtest/gtest.h>
#include <string_view>

namespace vintrel {
namespace {

constexpr int kCylinderShapeType = ShapeParams::Cylinder;
constexpr int kTrailShapeType = ShapeParams::Trail;

constexpr int kBillboardShapeType = 0;

struct HintCase {
    int id;
    std::string_view text;
};

TEST(HintTableTest, ControlAndCommandIdsGiveTheirTexts) {
    const HintCase cases[] = {
        {200, "下にノードを追加する。"},
        {405, "画像を時計回りに90°回転させる。"},
        // Two controls of one row share the text.
        {1014, "テクスチャに横に何コマ画像がならんでいるか。"},
        {1025, "テクスチャに横に何コマ画像がならんでいるか。"},
        {1044, "外側から何％の範囲で発生させるか。100％だと「内部」を選んだときと同じ。"},
        {1086, "外側から何％の範囲で発生させるか。100％だと「内部」を選んだときと同じ。"},
        {1243, "地面の下（Y < 0)は表示されなくなる。"},
        {1284, "パーティクルが吸い込まれる位置（左右）。"},
        {1286, "パーティクルが吸い込まれる位置（左右）。"},
        {40009, "新しくエフェクトを作成する。"},
        {40015, "オンラインヘルプ"},
        {40075, "「マスクの設定」ダイアログを表示。"},
    };
    for (const HintCase& c : cases) {
        const std::optional<std::string_view> hint = hintFor(c.id, kBillboardShapeType);
        ASSERT_TRUE(hint.has_value()) << "id " << c.id;
        EXPECT_EQ(*hint, c.text) << "id " << c.id;
        // The strip hands the text to Qt's translation, which reads up to the terminating null.
        EXPECT_EQ(hint->data()[hint->size()], '\0') << "id " << c.id;
    }
}

TEST(HintTableTest, IdsWithoutARowGiveNothing) {
    // 0 fills the unused second id of single rows; 1005 and 40012 are controls without hints.
    for (const int id : {0, -1, 1005, 1242, 40012, 40014, 40059, 99999}) {
        EXPECT_FALSE(hintFor(id, kBillboardShapeType).has_value()) << "id " << id;
    }
}

struct ShapeHintCase {
    int id;
    int shapeType;
    std::string_view text;
};

TEST(HintTableTest, SizeCurveHintsFollowTheSelectedShape) {
    const ShapeHintCase cases[] = {
        {1241, kCylinderShapeType, "円柱の底の半径の変化。"},
        {1241, kTrailShapeType, "パーティクルの太さの変化。"},
        {1241, kBillboardShapeType, "パーティクルの幅の変化。"},
        {1244, kCylinderShapeType, "円柱の上面の半径の変化。"},
        {1244, kTrailShapeType, "パーティクルの高さの変化。"},
        {1244, kBillboardShapeType, "パーティクルの高さの変化。"},
        {1245, kCylinderShapeType, "円柱の長さの変化。"},
        {1245, kTrailShapeType, "パーティクルの奥行きの変化。"},
        {1245, 2, "パーティクルの奥行きの変化。"},
        // Model shapes (5 and up) are neither cylinder nor trail.
        {1241, 7, "パーティクルの幅の変化。"},
    };
    for (const ShapeHintCase& c : cases) {
        EXPECT_EQ(hintFor(c.id, c.shapeType), c.text) << "id " << c.id << ", shape " << c.shapeType;
    }
}

TEST(HintTableTest, OtherRowsDoNotDependOnTheShape) {
    EXPECT_EQ(hintFor(1252, kCylinderShapeType), "パーティクルのサイズの変化。");
    EXPECT_EQ(hintFor(1252, kTrailShapeType), "パーティクルのサイズの変化。");
}

TEST(HintTableTest, CameraDragModesHaveHints) {
    EXPECT_EQ(cameraModeHint(1), "ドラッグで視点を移動。");
    EXPECT_EQ(cameraModeHint(2), "ドラッグで視点を回転。");
    EXPECT_EQ(cameraModeHint(3), "ドラッグでズームイン／ズームアウト。");
    for (const int mode : {-1, 0, 4}) {
        EXPECT_FALSE(cameraModeHint(mode).has_value()) << "mode " << mode;
    }
}

} // namespace
} // namespace vintrel
