#include "model/global_state.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

// Defaults as the application settings would give them: stored keys answer with their value,
// others with the fallback. Every query is recorded with the fallback it came with.
class MapDefaults final : public ProjectDefaults {
public:
    explicit MapDefaults(std::map<std::string, int> values) : values_(std::move(values)) {}
    int value(std::string_view key, int fallback) const override {
        queries.emplace_back(std::string(key), fallback);
        const auto it = values_.find(std::string(key));
        return it == values_.end() ? fallback : it->second;
    }
    mutable std::vector<std::pair<std::string, int>> queries;

private:
    std::map<std::string, int> values_;
};

void expectXyz(const FloatXYZ& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

void expectView(const CameraView& v, const char* title, FloatXYZ eye, float angle) {
    EXPECT_EQ(v.title, title);
    expectXyz(v.eye, eye.x, eye.y, eye.z);
    expectXyz(v.target, 0, 0, 0);
    EXPECT_EQ(v.angle, angle);
}

void makeFresh(GlobalState& g, const ProjectDefaults& defaults) {
    resetProject(g, defaults);
    applyStartValues(g, defaults);
}

TEST(GlobalStateFresh, ConstructedRootIsNamed) {
    GlobalState g;
    ASSERT_NE(g.rootNode, nullptr);
    EXPECT_EQ(g.rootNode->m_name, "ルートノード");
    EXPECT_EQ(g.rootNode->m_ID, 0);
    EXPECT_EQ(g.rootNode->m_parent, nullptr);
}

TEST(GlobalStateFresh, NewProjectWithBuiltInDefaults) {
    const BuiltInProjectDefaults defaults;
    GlobalState g;
    makeFresh(g, defaults);

    const ProjectSettings& p = g.project;
    EXPECT_EQ(p.frame, 60);
    EXPECT_EQ(p.fps, 60);
    EXPECT_EQ(p.width, 128);
    EXPECT_EQ(p.height, 128);
    expectXyz(p.backColor, 0, 0, 0);
    EXPECT_EQ(p.randomSeed, 0);
    EXPECT_EQ(p.reverse, 0);
    EXPECT_EQ(p.sort, 1);
    EXPECT_EQ(p.fileVersion, 0);
    EXPECT_EQ(p.isCameraMove, 0);
    EXPECT_EQ(p.growRange, 0);
    EXPECT_EQ(p.growPower, 50);
    expectXyz(p.growColor, 255, 255, 255);
    EXPECT_EQ(p.previewFrame, -1);
    EXPECT_EQ(p.isNonLiner, 0);

    const WriteSettings& w = g.write;
    EXPECT_EQ(w.start, 1);
    EXPECT_EQ(w.end, 60);
    EXPECT_EQ(w.step, 1);
    EXPECT_EQ(w.width, 7);
    EXPECT_EQ(w.height, 0);
    EXPECT_EQ(w.type, 0);
    EXPECT_EQ(w.framesWritten, 0);
    EXPECT_EQ(w.smooth, 2);
    EXPECT_EQ(w.isAlpha, 1);

    const MaskSettings& m = g.mask;
    EXPECT_EQ(m.texID, 0);
    EXPECT_EQ(m.x, 0);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.w, -999);
    EXPECT_EQ(m.h, -999);
    EXPECT_EQ(m.isDisp, 1);
    EXPECT_EQ(m.texSize.cx, -999);
    EXPECT_EQ(m.texSize.cy, -999);
    EXPECT_EQ(m.alpha, 180);

    ASSERT_EQ(g.views.size(), 4u);
    expectView(g.views[0], "正面", {0, 0, -10}, 60);
    expectView(g.views[1], "斜め上", {0, 5, -10}, 60);
    expectView(g.views[2], "斜め左上", {-5, 5, -10}, 60);
    EXPECT_EQ(g.views[3].title, "＜追加＞");
    EXPECT_EQ(g.views[3].angle, 60.0f);

    expectXyz(g.viewCamera.eye, 0, 5, -10);
    expectXyz(g.viewCamera.target, 0, 0, 0);

    EXPECT_EQ(g.nodeCount, 2);
    EXPECT_EQ(g.currentFile, "無題.stn");
    EXPECT_FALSE(g.hasFileName);
    EXPECT_FALSE(g.modified);
}

TEST(GlobalStateFresh, NewProjectTreeAndCameraNodes) {
    const BuiltInProjectDefaults defaults;
    GlobalState g;
    makeFresh(g, defaults);

    ASSERT_NE(g.rootNode, nullptr);
    EXPECT_EQ(g.rootNode->m_name, "ルートノード");
    ASSERT_EQ(g.rootNode->childCount(), 1);
    EffectNode* first = g.rootNode->child(0);
    EXPECT_EQ(g.pSelNode, first);
    EXPECT_EQ(first->m_parent, g.rootNode.get());
    EXPECT_EQ(first->m_ID, 1);
    EXPECT_EQ(first->m_name, "ノード1");
    EXPECT_EQ(first->m_index, 0);

    ASSERT_NE(g.cameraNode, nullptr);
    EXPECT_EQ(g.cameraNode->m_ID, 998);
    EXPECT_EQ(g.cameraNode->m_name, "カメラ位置");
    expectXyz(g.cameraNode->m_emitter.pos, 0, 5, -10);
    EXPECT_EQ(g.cameraNode->m_parent, nullptr);

    ASSERT_NE(g.targetNode, nullptr);
    EXPECT_EQ(g.targetNode->m_ID, 999);
    EXPECT_EQ(g.targetNode->m_name, "注視点");
    expectXyz(g.targetNode->m_emitter.pos, 0, 0, 0);
    EXPECT_EQ(g.targetNode->m_parent, nullptr);

    // The camera nodes are otherwise ordinary fresh nodes.
    EXPECT_EQ(g.cameraNode->m_kill.span, 60);
    EXPECT_EQ(g.targetNode->m_move.dirX, 90.0f);
    EXPECT_EQ(g.cameraNode->childCount(), 0);
}

TEST(GlobalStateFresh, ResetCameraNodesReplacesEditedOnes) {
    GlobalState g;
    resetCameraNodes(g);
    g.cameraNode->m_emitter.pos = {1, 2, 3};
    g.cameraNode->m_name = "x";
    g.targetNode->m_ID = 5;
    resetCameraNodes(g);
    expectXyz(g.cameraNode->m_emitter.pos, 0, 5, -10);
    EXPECT_EQ(g.cameraNode->m_name, "カメラ位置");
    EXPECT_EQ(g.targetNode->m_ID, 999);
}

TEST(GlobalStateDefaults, StoredDefaultsAreUsed) {
    const MapDefaults defaults({{"FRAME", 30},
                                {"SPEED", 24},
                                {"WIDTH", 256},
                                {"HEIGHT", 64},
                                {"SORT", 0},
                                {"REVERSE", 1},
                                {"NON_LINER", 1}});
    GlobalState g;
    makeFresh(g, defaults);
    EXPECT_EQ(g.project.frame, 30);
    EXPECT_EQ(g.project.fps, 24);
    EXPECT_EQ(g.project.width, 256);
    EXPECT_EQ(g.project.height, 64);
    EXPECT_EQ(g.project.sort, 0);
    EXPECT_EQ(g.project.reverse, 1);
    EXPECT_EQ(g.project.isNonLiner, 1);
    // The export range does not follow the default length.
    EXPECT_EQ(g.write.end, 60);
}

TEST(GlobalStateDefaults, FallbacksAskedFor) {
    const MapDefaults defaults(std::map<std::string, int>{});
    GlobalState g;
    resetProject(g, defaults);
    const std::vector<std::pair<std::string, int>> resetQueries = defaults.queries;
    const std::map<std::string, int> reset(resetQueries.begin(), resetQueries.end());
    EXPECT_EQ(reset.size(), resetQueries.size()) << "a key was asked for twice";
    EXPECT_EQ(reset, (std::map<std::string, int>{
                         {"FRAME", 60}, {"SPEED", 60}, {"WIDTH", 128}, {"HEIGHT", 128}, {"SORT", 0}}));

    defaults.queries.clear();
    applyStartValues(g, defaults);
    const std::map<std::string, int> start(defaults.queries.begin(), defaults.queries.end());
    EXPECT_EQ(start, (std::map<std::string, int>{{"SORT", 1}, {"REVERSE", 0}, {"NON_LINER", 0}}));
}

TEST(GlobalStateReset, SortFallsBackToOffWithoutStartValues) {
    GlobalState g;
    ASSERT_EQ(g.project.sort, 1);
    resetProject(g, BuiltInProjectDefaults{});
    EXPECT_EQ(g.project.sort, 0);

    resetProject(g, MapDefaults({{"SORT", 1}}));
    EXPECT_EQ(g.project.sort, 1);
}

TEST(GlobalStateReset, OverwritesEditedSettings) {
    GlobalState g;
    makeFresh(g, BuiltInProjectDefaults{});
    g.views.clear();
    g.views.push_back(CameraView{{1, 2, 3}, {4, 5, 6}, 30, "mine"});
    g.project.frame = 5;
    g.project.fps = 7;
    g.project.width = 9;
    g.project.height = 11;
    g.project.backColor = {10, 20, 30};
    g.project.randomSeed = 42;
    g.write = {4, 8, 2, 3, 5, 1, 17, 4, 0};

    resetProject(g, BuiltInProjectDefaults{});
    ASSERT_EQ(g.views.size(), 4u);
    expectView(g.views[0], "正面", {0, 0, -10}, 60);
    EXPECT_EQ(g.views[3].title, "＜追加＞");
    EXPECT_EQ(g.project.frame, 60);
    EXPECT_EQ(g.project.fps, 60);
    EXPECT_EQ(g.project.width, 128);
    EXPECT_EQ(g.project.height, 128);
    expectXyz(g.project.backColor, 0, 0, 0);
    EXPECT_EQ(g.project.randomSeed, 0);
    EXPECT_EQ(g.write.start, 1);
    EXPECT_EQ(g.write.end, 60);
    EXPECT_EQ(g.write.step, 1);
    EXPECT_EQ(g.write.width, 7);
    EXPECT_EQ(g.write.smooth, 2);
    EXPECT_EQ(g.write.isAlpha, 1);
    EXPECT_EQ(g.write.framesWritten, 0);
}

TEST(GlobalStateReset, StartValuesReplaceALoadedProject) {
    GlobalState g;
    makeFresh(g, BuiltInProjectDefaults{});
    EffectNode& extra = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    extra.appendChild(std::make_unique<EffectNode>(&extra));
    g.project.isCameraMove = 1;
    g.project.growRange = 8;
    g.project.growPower = 10;
    g.project.growColor = {1, 2, 3};
    g.project.previewFrame = 30;
    g.project.fileVersion = 4;
    g.mask.texID = 3;
    g.mask.w = 50;
    g.mask.alpha = 20;
    g.viewCamera.eye = {9, 9, 9};
    g.nodeCount = 4;
    g.hasFileName = true;
    g.modified = true;
    g.currentFile = "/tmp/a.stn";

    resetProject(g, BuiltInProjectDefaults{});
    applyStartValues(g, BuiltInProjectDefaults{});
    ASSERT_EQ(g.rootNode->childCount(), 1);
    EXPECT_EQ(g.rootNode->child(0)->m_ID, 1);
    EXPECT_EQ(g.pSelNode, g.rootNode->child(0));
    EXPECT_EQ(g.project.isCameraMove, 0);
    EXPECT_EQ(g.project.growRange, 0);
    EXPECT_EQ(g.project.growPower, 50);
    expectXyz(g.project.growColor, 255, 255, 255);
    EXPECT_EQ(g.project.previewFrame, -1);
    EXPECT_EQ(g.project.fileVersion, 0);
    EXPECT_EQ(g.mask.texID, 0);
    EXPECT_EQ(g.mask.w, -999);
    EXPECT_EQ(g.mask.alpha, 180);
    expectXyz(g.viewCamera.eye, 0, 5, -10);
    EXPECT_EQ(g.nodeCount, 2);
    EXPECT_FALSE(g.hasFileName);
    EXPECT_FALSE(g.modified);
    EXPECT_EQ(g.currentFile, "無題.stn");
}

struct LengthCase {
    int frames;
    int sheetWidth;
};

class GlobalStateProjectLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(GlobalStateProjectLength, ExportRangeAndSheetWidth) {
    const LengthCase c = GetParam();
    GlobalState g;
    makeFresh(g, BuiltInProjectDefaults{});
    g.write.start = 5;
    g.write.end = 6;
    g.write.step = 3;
    applyProjectLength(g, c.frames);
    EXPECT_EQ(g.project.frame, c.frames);
    EXPECT_EQ(g.write.start, 1);
    EXPECT_EQ(g.write.end, c.frames);
    EXPECT_EQ(g.write.width, c.sheetWidth);
    EXPECT_EQ(g.write.step, 3);
}

INSTANTIATE_TEST_SUITE_P(Lengths, GlobalStateProjectLength,
                         ::testing::Values(LengthCase{100, 10}, LengthCase{99, 9}, LengthCase{1, 1},
                                           LengthCase{3, 1}, LengthCase{4, 2}, LengthCase{60, 7},
                                           LengthCase{9999, 99}, LengthCase{9801, 99}, LengthCase{9800, 98}));

} // namespace
} // namespace vintrel
