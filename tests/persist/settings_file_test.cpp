#include "model/global_state.h"
#include "persist/settings_file.h"
#include "platform/ini_document.h"
#include "support/result_checks.h"
#include "support/test_trees.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

// Names as the file stores them (cp932 bytes), spelled out so that the expected text does not
// depend on the encoder under test.
const std::string kCp932Front = "\x90\xb3\x96\xca";                             // 正面
const std::string kCp932Above = "\x8e\xce\x82\xdf\x8f\xe3";                     // 斜め上
const std::string kCp932AboveLeft = "\x8e\xce\x82\xdf\x8d\xb6\x8f\xe3";         // 斜め左上
const std::string kCp932AddEntry = "\x81\x83\x92\xc7\x89\xc1\x81\x84";          // ＜追加＞
const std::string kCp932CameraPos = "\x83\x4a\x83\x81\x83\x89\x88\xca\x92\x75"; // カメラ位置
const std::string kCp932Target = "\x92\x8d\x8e\x8b\x93\x5f";                    // 注視点
const std::string kCp932Node = "\x83\x6d\x81\x5b\x83\x68";                      // ノード
const std::string kCp932ChildNode = "\x8e\x71\x83\x6d\x81\x5b\x83\x68";         // 子ノード
const std::string kCp932Hyo = "\x95\x5c";                                       // 表 (trail byte '\')

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// The keys of a freshly constructed node, in the order a node section holds them.
KeyValues freshNodeKeys(const std::string& nameCp932, int id) {
    return {
        {"m_name", nameCp932},
        {"m_isDraw", "1"},
        {"m_ID", std::to_string(id)},
        {"m_emitter.type", "5"},
        {"m_emitter.size.x", "0.000000"},
        {"m_emitter.size.y", "0.000000"},
        {"m_emitter.size.z", "0.000000"},
        {"m_emitter.pos.x", "0.000000"},
        {"m_emitter.pos.y", "0.000000"},
        {"m_emitter.pos.z", "0.000000"},
        {"m_emitter.scope", "0"},
        {"m_emitter.err", "0"},
        {"m_emitter.fix", "0"},
        {"m_emitter.scaleFix", "0"},
        {"m_emitter.isEvenInterval", "0"},
        {"m_timing.type", "0"},
        {"m_timing.start", "1"},
        {"m_timing.end", "1"},
        {"m_timing.often", "1"},
        {"m_timing.often_err", "0"},
        {"m_timing.num", "1"},
        {"m_timing.num_err", "0"},
        {"m_kill.span", "60"},
        {"m_kill.span_err", "0"},
        {"m_kill.isFrame", "0"},
        {"m_kill.frame", "60"},
        {"m_kill.frame_err", "0"},
        {"m_kill.isLand", "0"},
        {"m_move.isOneWay", "0"},
        {"m_move.oneway_err", "0"},
        {"m_move.dirX", "90.000000"},
        {"m_move.dirY", "0.000000"},
        {"m_move.speed", "0"},
        {"m_move.speed_err", "0"},
        {"m_move.isFollow", "0"},
        {"m_move.gravity", "0"},
        {"m_move.absorbPos.x", "0.000000"},
        {"m_move.absorbPos.y", "0.000000"},
        {"m_move.absorbPos.z", "0.000000"},
        {"m_move.absorbPawer", "0.000000"},
        {"m_move.shake", "0"},
        {"m_move.isParentShake", "1"},
        {"m_shape.type", "0"},
        {"m_shape.dir", "0"},
        {"m_shape.isDir", "0"},
        {"m_shape.isUnderCut", "0"},
        {"m_texture.ID", "-1"},
        {"m_texture.isAdd", "0"},
        {"m_texture.isAnim", "0"},
        {"m_texture.w", "4"},
        {"m_texture.h", "4"},
        {"m_texture.speed", "0"},
        {"m_texture.isLoop", "0"},
        {"m_scale.max", "10"},
        {"m_scale.max_err", "0"},
        {"m_scale.trailLength", "10"},
        {"m_scale.trailThickChange", "0"},
        {"m_color.isAlphaParent", "0"},
        {"m_color.brigRnd", "0"},
        {"m_color.alphaRnd", "0"},
        {"m_rotate.axis", "2"},
        {"m_rotate.angle", "0"},
        {"m_rotate.angle_err", "0"},
        {"m_rotate.dir", "0"},
        {"m_rotate.isSameParent", "0"},
        {"m_rotate.revAxis", "1"},
        {"m_rotate.revAngle", "0"},
        {"m_rotate.revAngle_err", "0"},
        {"m_rotate.revDir", "0"},
    };
}

// Section "0" of a fresh project.
KeyValues freshProjectKeys() {
    return {
        {"g.project.frame", "60"},
        {"g.project.fps", "60"},
        {"g.project.backColor.x", "0.000000"},
        {"g.project.backColor.y", "0.000000"},
        {"g.project.backColor.z", "0.000000"},
        {"g.project.width", "128"},
        {"g.project.height", "128"},
        {"g.project.reverse", "0"},
        {"g.project.randomSeed", "0"},
        {"g.project.sort", "1"},
        {"g.project.isCameraMove", "0"},
        {"g.project.growRange", "0"},
        {"g.project.growPower", "50"},
        {"g.project.growColor.x", "255.000000"},
        {"g.project.growColor.y", "255.000000"},
        {"g.project.growColor.z", "255.000000"},
        {"g.project.previewFrame", "-1"},
        {"g.project.isNonLiner", "0"},
        {"g.write.start", "1"},
        {"g.write.end", "60"},
        {"g.write.step", "1"},
        {"g.write.width", "7"},
        {"g.write.height", "0"},
        {"g.write.type", "0"},
        {"g.write.isAlpha", "1"},
        {"g.write.smooth", "2"},
        {"camPos.x", "0.000000"},
        {"camPos.y", "5.000000"},
        {"camPos.z", "-10.000000"},
        {"camTarget.x", "0.000000"},
        {"camTarget.y", "0.000000"},
        {"camTarget.z", "0.000000"},
        {"g.mask.texID", "0"},
        {"g.mask.x", "0"},
        {"g.mask.y", "0"},
        {"g.mask.w", "-999"},
        {"g.mask.h", "-999"},
        {"g.mask.texSize.cx", "-999"},
        {"g.mask.texSize.cy", "-999"},
        {"g.mask.alpha", "180"},
        {"g.mask.isDisp", "1"},
    };
}

using PointTexts = std::vector<std::pair<std::string, std::string>>;

void addCurve(KeyValues& keys, int slot, const PointTexts& points) {
    const std::string s = std::to_string(slot);
    keys.emplace_back("graphPointNum" + s, std::to_string(points.size()));
    for (std::size_t j = 0; j < points.size(); ++j) {
        const std::string prefix = "graphPoint" + s + "-" + std::to_string(j);
        keys.emplace_back(prefix + "_X", points[j].first);
        keys.emplace_back(prefix + "_Y", points[j].second);
    }
}

const PointTexts kPlainCurve{{"0.000000", "0.000000"}, {"100.000000", "0.000000"}};
const PointTexts kRisingCurve{{"0.000000", "100.000000"}, {"100.000000", "0.000000"}};

// The curves of a fresh node; `replaced` overrides single slots.
void addFreshCurves(KeyValues& keys, const std::vector<std::pair<int, PointTexts>>& replaced = {}) {
    for (int slot = 0; slot < 12; ++slot) {
        const PointTexts* points = (slot == 3 || slot == 4) ? &kRisingCurve : &kPlainCurve;
        for (const auto& [replacedSlot, replacement] : replaced) {
            if (replacedSlot == slot) {
                points = &replacement;
            }
        }
        addCurve(keys, slot, *points);
    }
}

void setKey(KeyValues& keys, const std::string& key, const std::string& value) {
    for (auto& [k, v] : keys) {
        if (k == key) {
            v = value;
            return;
        }
    }
    ADD_FAILURE() << "no key " << key;
}

void removeKey(KeyValues& keys, const std::string& key) {
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if (it->first == key) {
            keys.erase(it);
            return;
        }
    }
    ADD_FAILURE() << "no key " << key;
}

std::string sectionText(const std::string& name, const KeyValues& keys) {
    std::string text = "[" + name + "]\r\n";
    for (const auto& [k, v] : keys) {
        text += k + "=" + v + "\r\n";
    }
    return text;
}

std::string viewText(int index, const std::string& titleCp932, const std::string& posX,
                     const std::string& posY, const std::string& posZ, const std::string& angle) {
    return sectionText("ViewList" + std::to_string(index), {{"Title", titleCp932},
                                                            {"PosX", posX},
                                                            {"PosY", posY},
                                                            {"PosZ", posZ},
                                                            {"TargetX", "0"},
                                                            {"TargetY", "0"},
                                                            {"TargetZ", "0"},
                                                            {"Angle", angle}});
}

std::string freshNodeSection(const std::string& section, const std::string& nameCp932, int id) {
    KeyValues keys = freshNodeKeys(nameCp932, id);
    addFreshCurves(keys);
    return sectionText(section, keys);
}

void makeFresh(GlobalState& g) {
    resetProject(g, BuiltInProjectDefaults{});
    applyStartValues(g, BuiltInProjectDefaults{});
}

using test::addChild;

// Reads `text` as the loader does: project reset, tree emptied, then the settings.
void load(GlobalState& g, const std::string& text, int version) {
    makeFresh(g);
    g.rootNode->clearChildren();
    g.pSelNode = nullptr;
    readSettings(g, IniDocument::parse(text), version);
}

int treeNodeCount(const GlobalState& g) {
    return countNodes(*g.rootNode) - 1;
}

// ---- writing -------------------------------------------------------------------------------------

TEST(SettingsWrite, WholeFileByteForByte) {
    GlobalState g;
    makeFresh(g);
    EffectNode& first = *g.rootNode->child(0);  // ID 1
    EffectNode& child = addChild(first);        // ID 2
    EffectNode& second = addChild(*g.rootNode); // ID 3
    first.m_emitter.size.x = 1.5f;
    first.m_move.dirY = 45.5f;
    first.m_move.absorbPos.z = 2.0f;
    first.m_move.absorbPawer = -3.25f;
    first.m_kill.span = 90;
    first.graph(SlotWidth).setPoints({{0, 10}, {40, 20.5f}, {100, 30}});
    child.setName("子ノード");
    child.m_texture.ID = 0;
    second.graph(SlotSpeed).setPoints({{0, 50}, {100, 75}});
    g.project.randomSeed = 7;
    g.viewCamera.eye = {1.5f, 2.25f, -3};
    g.views[1].eye.x = -1.25f;

    KeyValues project = freshProjectKeys();
    setKey(project, "g.project.randomSeed", "7");
    setKey(project, "camPos.x", "1.500000");
    setKey(project, "camPos.y", "2.250000");
    setKey(project, "camPos.z", "-3.000000");

    KeyValues node1 = freshNodeKeys(kCp932Node + "1", 1);
    setKey(node1, "m_emitter.size.x", "1.500000");
    setKey(node1, "m_move.dirY", "45.500000");
    setKey(node1, "m_move.absorbPos.z", "2.000000");
    setKey(node1, "m_move.absorbPawer", "-3.250000");
    setKey(node1, "m_kill.span", "90");
    addFreshCurves(
        node1, {{0, {{"0.000000", "10.000000"}, {"40.000000", "20.500000"}, {"100.000000", "30.000000"}}}});

    KeyValues node11 = freshNodeKeys(kCp932ChildNode, 2);
    setKey(node11, "m_texture.ID", "0");
    addFreshCurves(node11);

    KeyValues node2 = freshNodeKeys(kCp932Node + "3", 3);
    addFreshCurves(node2, {{9, {{"0.000000", "50.000000"}, {"100.000000", "75.000000"}}}});

    KeyValues camera = freshNodeKeys(kCp932CameraPos, 998);
    setKey(camera, "m_emitter.pos.y", "5.000000");
    setKey(camera, "m_emitter.pos.z", "-10.000000");
    addFreshCurves(camera);

    const std::string expected = sectionText("0", project) +                               //
                                 viewText(0, kCp932Front, "0", "0", "-100", "60") +        //
                                 viewText(1, kCp932Above, "-12", "50", "-100", "60") +     //
                                 viewText(2, kCp932AboveLeft, "-50", "50", "-100", "60") + //
                                 viewText(3, kCp932AddEntry, "0", "0", "0", "60") +        //
                                 sectionText("1", node1) +                                 //
                                 sectionText("11", node11) +                               //
                                 sectionText("2", node2) +                                 //
                                 sectionText("998", camera) +                              //
                                 freshNodeSection("999", kCp932Target, 999);

    const std::string written = writeSettings(g);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(IniDocument::parse(written).sectionNames(),
              (std::vector<std::string>{"0", "ViewList0", "ViewList1", "ViewList2", "ViewList3", "1", "11",
                                        "2", "998", "999"}));
}

TEST(SettingsWrite, NodeSectionHasTheNameAndSixtyEightNumbers) {
    GlobalState g;
    makeFresh(g);
    const std::string written = writeSettings(g);
    const std::size_t begin = written.find("[1]\r\n");
    ASSERT_NE(begin, std::string::npos);
    const std::size_t nameLine = written.find("m_name=", begin);
    const std::size_t curves = written.find("graphPointNum0=", begin);
    ASSERT_NE(curves, std::string::npos);
    int lines = 0;
    for (std::size_t i = nameLine; i < curves; ++i) {
        lines += written[i] == '\n' ? 1 : 0;
    }
    EXPECT_EQ(lines, 69); // the name, 67 numbers and the attraction strength
    EXPECT_NE(
        written.find("m_move.absorbPos.z=0.000000\r\nm_move.absorbPawer=0.000000\r\nm_move.shake=0\r\n"),
        std::string::npos);
}

struct FloatCase {
    float value;
    const char* text;
};

class SettingsFloatFormat : public ::testing::TestWithParam<FloatCase> {};

TEST_P(SettingsFloatFormat, SixDecimals) {
    const FloatCase c = GetParam();
    GlobalState g;
    makeFresh(g);
    g.rootNode->child(0)->m_move.dirX = c.value;
    const std::string written = writeSettings(g);
    EXPECT_NE(written.find("\r\nm_move.dirX=" + std::string(c.text) + "\r\n"), std::string::npos) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsFloatFormat,
                         ::testing::Values(FloatCase{90.0f, "90.000000"}, FloatCase{0.1f, "0.100000"},
                                           FloatCase{-2.5f, "-2.500000"},
                                           FloatCase{1234567.0f, "1234567.000000"},
                                           FloatCase{1e-7f, "0.000000"}, FloatCase{-0.0f, "-0.000000"},
                                           FloatCase{0.0000005f, "0.000000"},
                                           FloatCase{33.333332f, "33.333332"}));

TEST(SettingsWrite, TextValuesStayOnOneLine) {
    GlobalState g;
    makeFresh(g);
    g.rootNode->child(0)->m_name = "a\r\nb\nc";
    const std::string written = writeSettings(g);
    EXPECT_NE(written.find("[1]\r\nm_name=a  b c\r\nm_isDraw=1\r\n"), std::string::npos);
}

TEST(SettingsWrite, ViewTitleAndPositions) {
    GlobalState g;
    makeFresh(g);
    g.views = {CameraView{{-1.25f, 0.19f, 999.99f}, {-0.09f, 12.34f, -5.55f}, 45.9f, std::string(60, 'x')},
               CameraView{{}, {}, -30.5f, "＜追加＞"}};
    const IniDocument ini = IniDocument::parse(writeSettings(g));
    EXPECT_EQ(ini.read("ViewList0", "Title", "?"), std::string(49, 'x'));
    EXPECT_EQ(ini.read("ViewList0", "PosX", "?"), "-12");
    EXPECT_EQ(ini.read("ViewList0", "PosY", "?"), "1");
    EXPECT_EQ(ini.read("ViewList0", "PosZ", "?"), "9999");
    EXPECT_EQ(ini.read("ViewList0", "TargetX", "?"), "0");
    EXPECT_EQ(ini.read("ViewList0", "TargetY", "?"), "123");
    EXPECT_EQ(ini.read("ViewList0", "TargetZ", "?"), "-55");
    EXPECT_EQ(ini.read("ViewList0", "Angle", "?"), "45");
    EXPECT_EQ(ini.read("ViewList1", "Angle", "?"), "-30");
    EXPECT_FALSE(ini.hasSection("ViewList2"));
}

// ---- reading -------------------------------------------------------------------------------------

TEST(SettingsRead, ViewPositionIsTenthsTruncated) {
    GlobalState g;
    makeFresh(g);
    g.views[0].eye.x = -1.25f;
    GlobalState loaded;
    load(loaded, writeSettings(g), kCurrentFormatVersion);
    ASSERT_EQ(loaded.views.size(), 4u);
    EXPECT_EQ(loaded.views[0].eye.x, -1.2f);
    EXPECT_EQ(loaded.views[0].eye.z, -10.0f);
    EXPECT_EQ(loaded.views[0].title, "正面");
    EXPECT_EQ(loaded.views[3].title, "＜追加＞");
}

TEST(SettingsRead, ViewListEndsAtTheFirstEmptyTitle) {
    const std::string text = viewText(0, "one", "15", "-25", "7", "30") +
                             viewText(1, "", "0", "0", "0", "60") + viewText(2, "three", "0", "0", "0", "60");
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.views.size(), 1u);
    EXPECT_EQ(g.views[0].title, "one");
    EXPECT_EQ(g.views[0].eye.x, 1.5f);
    EXPECT_EQ(g.views[0].eye.y, -2.5f);
    EXPECT_EQ(g.views[0].eye.z, 0.7f);
    EXPECT_EQ(g.views[0].angle, 30.0f);

    // A title longer than 49 bytes is cut.
    load(g, viewText(0, std::string(60, 'y'), "0", "0", "0", "60"), kCurrentFormatVersion);
    ASSERT_EQ(g.views.size(), 1u);
    EXPECT_EQ(g.views[0].title, std::string(49, 'y'));
}

TEST(SettingsRead, EmptyFileGivesZerosAndThePlaceholderView) {
    GlobalState g;
    load(g, "", kCurrentFormatVersion);
    EXPECT_EQ(g.project.frame, 0);
    EXPECT_EQ(g.project.fps, 0);
    EXPECT_EQ(g.project.sort, 0);
    EXPECT_EQ(g.write.isAlpha, 0);
    EXPECT_EQ(g.mask.w, 0);
    EXPECT_EQ(g.viewCamera.eye.z, 0.0f);
    ASSERT_EQ(g.views.size(), 1u);
    EXPECT_EQ(g.views[0].title, "＜追加＞");
    EXPECT_EQ(g.views[0].angle, 60.0f);
    EXPECT_EQ(g.rootNode->childCount(), 0);
    EXPECT_EQ(g.nodeCount, 1);
    EXPECT_EQ(g.cameraNode->m_name, "カメラ位置");
    EXPECT_EQ(g.targetNode->m_ID, 999);
}

TEST(SettingsRead, MissingKeysReadZero) {
    const std::string text = sectionText("0", {{"g.project.frame", "80"}}) +
                             sectionText("1", {{"m_name", "lean"}, {"m_emitter.type", "2"}, {"m_ID", "12"}});
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    EXPECT_EQ(g.project.frame, 80);
    EXPECT_EQ(g.project.fps, 0);
    ASSERT_EQ(g.rootNode->childCount(), 1);
    const EffectNode& n = *g.rootNode->child(0);
    EXPECT_EQ(n.m_name, "lean");
    EXPECT_EQ(n.m_ID, 12);
    EXPECT_EQ(n.m_emitter.type, 2);
    EXPECT_EQ(n.m_kill.span, 0);
    EXPECT_EQ(n.m_kill.frame, 0);
    EXPECT_EQ(n.m_isDraw, 0);
    EXPECT_EQ(n.m_move.dirX, 0.0f);
    EXPECT_EQ(n.m_move.isParentShake, 0);
    EXPECT_EQ(n.m_texture.ID, 0);
    EXPECT_EQ(n.m_texture.w, 0);
    EXPECT_EQ(n.m_scale.max, 0);
    EXPECT_EQ(n.m_rotate.axis, 0);
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        EXPECT_EQ(n.graph(slot).pointCount(), 0) << "slot " << slot;
    }
    EXPECT_EQ(g.nodeCount, 2);
}

TEST(SettingsRead, OnlyTheSpanMissing) {
    GlobalState g;
    makeFresh(g);
    g.rootNode->child(0)->m_kill.span = 45;
    g.rootNode->child(0)->m_move.absorbPawer = 12;
    IniDocument ini = IniDocument::parse(writeSettings(g));
    // Rebuild section "1" without the span and without the attraction strength, as older files are.
    KeyValues keys = freshNodeKeys(kCp932Node + "1", 1);
    removeKey(keys, "m_kill.span");
    removeKey(keys, "m_move.absorbPawer");
    addFreshCurves(keys);
    ini.removeSection("1");
    GlobalState loaded;
    load(loaded, ini.serialize() + sectionText("1", keys), kCurrentFormatVersion);
    ASSERT_EQ(loaded.rootNode->childCount(), 1);
    const EffectNode& n = *loaded.rootNode->child(0);
    EXPECT_EQ(n.m_kill.span, 0);
    EXPECT_EQ(n.m_move.absorbPawer, 0.0f);
    EXPECT_EQ(n.m_kill.frame, 60);
    EXPECT_EQ(n.m_move.dirX, 90.0f);
    EXPECT_EQ(n.m_name, "ノード1");
}

TEST(SettingsRead, MissingNameEndsTheList) {
    const std::string text = sectionText("1", {{"m_name", "a"}, {"m_ID", "1"}}) +
                             sectionText("11", {{"m_ID", "5"}, {"m_kill.span", "3"}}) +
                             sectionText("12", {{"m_name", "unreached child"}}) +
                             sectionText("2", {{"m_ID", "2"}}) + sectionText("3", {{"m_name", "unreached"}});
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.rootNode->childCount(), 1);
    EXPECT_EQ(g.rootNode->child(0)->m_name, "a");
    EXPECT_EQ(g.rootNode->child(0)->childCount(), 0);
    EXPECT_EQ(g.nodeCount, 2);

    // An empty name is a name.
    load(g, sectionText("1", {{"m_name", ""}}) + sectionText("2", {{"m_name", "b"}}), kCurrentFormatVersion);
    ASSERT_EQ(g.rootNode->childCount(), 2);
    EXPECT_EQ(g.rootNode->child(0)->m_name, "");
    EXPECT_EQ(g.rootNode->child(1)->m_name, "b");
}

TEST(SettingsRead, TreeShapeAndNodeCount) {
    const std::string text = sectionText("1", {{"m_name", "a"}, {"m_ID", "10"}}) +
                             sectionText("11", {{"m_name", "a1"}, {"m_ID", "11"}}) +
                             sectionText("111", {{"m_name", "a11"}, {"m_ID", "12"}}) +
                             sectionText("12", {{"m_name", "a2"}, {"m_ID", "13"}}) +
                             sectionText("2", {{"m_name", "b"}, {"m_ID", "20"}}) +
                             sectionText("13", {{"m_name", "a3"}, {"m_ID", "14"}});
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.rootNode->childCount(), 2);
    const EffectNode& a = *g.rootNode->child(0);
    ASSERT_EQ(a.childCount(), 3);
    EXPECT_EQ(a.child(0)->m_name, "a1");
    EXPECT_EQ(a.child(0)->childCount(), 1);
    EXPECT_EQ(a.child(0)->child(0)->m_ID, 12);
    EXPECT_EQ(a.child(1)->m_name, "a2");
    EXPECT_EQ(a.child(2)->m_name, "a3");
    EXPECT_EQ(a.child(2)->m_index, 2);
    EXPECT_EQ(a.child(2)->m_parent, &a);
    EXPECT_EQ(g.rootNode->child(1)->m_ID, 20);
    EXPECT_EQ(g.nodeCount, 7);
}

TEST(SettingsRead, LongNamesAreCutTo63Bytes) {
    struct Case {
        std::string utf8;
        std::string expected;
    };
    std::string hyo35, hyo31;
    for (int i = 0; i < 35; ++i) {
        hyo35 += "表";
    }
    for (int i = 0; i < 31; ++i) {
        hyo31 += "表";
    }
    const Case cases[] = {
        {std::string(70, 'n'), std::string(63, 'n')}, // 70 bytes
        {hyo35, hyo31},                               // 70 bytes; 63 would split the 32nd character
        {"a" + hyo35, "a" + hyo31},                   // 71 bytes; the cut falls on a boundary at 63
        {std::string(63, 'm'), std::string(63, 'm')},
    };
    for (const Case& c : cases) {
        GlobalState g;
        makeFresh(g);
        g.rootNode->child(0)->setName(c.utf8);
        ASSERT_EQ(g.rootNode->child(0)->m_name, c.utf8);
        const std::string written = writeSettings(g);
        GlobalState loaded;
        load(loaded, written, kCurrentFormatVersion);
        ASSERT_EQ(loaded.rootNode->childCount(), 1);
        EXPECT_EQ(loaded.rootNode->child(0)->m_name, c.expected);
    }

    // The writer keeps the whole name; only reading cuts it.
    GlobalState g;
    makeFresh(g);
    g.rootNode->child(0)->setName(hyo35);
    std::string cp932Name;
    for (int i = 0; i < 35; ++i) {
        cp932Name += kCp932Hyo;
    }
    EXPECT_NE(writeSettings(g).find("[1]\r\nm_name=" + cp932Name + "\r\n"), std::string::npos);
}

TEST(SettingsRead, CameraSectionsOnlyInCameraMode) {
    for (const int mode : {0, 1, 2, -1}) {
        KeyValues camera = freshNodeKeys("cam", 998);
        setKey(camera, "m_emitter.pos.y", "7.500000");
        addFreshCurves(camera, {{5, {{"0.000000", "1.000000"}, {"100.000000", "2.000000"}}}});
        KeyValues target = freshNodeKeys(kCp932Hyo, 999);
        setKey(target, "m_emitter.pos.x", "-4.000000");
        const std::string text = sectionText("0", {{"g.project.isCameraMove", std::to_string(mode)}}) +
                                 sectionText("1", {{"m_name", "n"}}) + sectionText("998", camera) +
                                 sectionText("999", target);
        GlobalState g;
        makeFresh(g);
        g.cameraNode->m_name = "edited before loading";
        g.rootNode->clearChildren();
        readSettings(g, IniDocument::parse(text), kCurrentFormatVersion);
        SCOPED_TRACE(mode);
        EXPECT_EQ(g.nodeCount, 2);
        EXPECT_EQ(treeNodeCount(g), 1);
        if (mode == 0) {
            EXPECT_EQ(g.cameraNode->m_name, "カメラ位置");
            EXPECT_EQ(g.cameraNode->m_emitter.pos.y, 5.0f);
            EXPECT_EQ(g.cameraNode->graph(SlotRed).points(), (std::vector<CurvePoint>{{0, 0}, {100, 0}}));
            EXPECT_EQ(g.targetNode->m_name, "注視点");
            EXPECT_EQ(g.targetNode->m_emitter.pos.x, 0.0f);
        } else {
            EXPECT_EQ(g.cameraNode->m_name, "cam");
            EXPECT_EQ(g.cameraNode->m_ID, 998);
            EXPECT_EQ(g.cameraNode->m_emitter.pos.y, 7.5f);
            EXPECT_EQ(g.cameraNode->m_emitter.pos.z, 0.0f);
            EXPECT_EQ(g.cameraNode->graph(SlotRed).points(), (std::vector<CurvePoint>{{0, 1}, {100, 2}}));
            EXPECT_EQ(g.targetNode->m_name, "表");
            EXPECT_EQ(g.targetNode->m_emitter.pos.x, -4.0f);
        }
    }
}

TEST(SettingsRead, CameraModeWithoutCameraSections) {
    GlobalState g;
    load(g, sectionText("0", {{"g.project.isCameraMove", "1"}}), kCurrentFormatVersion);
    EXPECT_EQ(g.cameraNode->m_name, "カメラ位置");
    EXPECT_EQ(g.cameraNode->m_emitter.pos.z, -10.0f);
    EXPECT_EQ(g.targetNode->m_name, "注視点");
}

// ---- conversions of older files ---------------------------------------------------------------

enum class Curve { File0, File10, File11, Line, Constructed };

std::vector<CurvePoint> curvePoints(Curve c) {
    switch (c) {
    case Curve::File0:
        return {{0, 11}, {100, 12}};
    case Curve::File10:
        return {{0, 21}, {50, 22}, {100, 23}};
    case Curve::File11:
        return {{0, 31}, {100, 32}};
    case Curve::Line:
        return {{0, 1}, {100, 1}};
    case Curve::Constructed:
        return {{0, 0}, {100, 0}};
    }
    return {};
}

struct VersionCase {
    int version;
    int emitterType; // of a node stored with emitter type 3
    Curve trailSlot0;
    Curve trailSlot10;
    Curve slot10; // of a node that is not a trail
    Curve slot11;
    bool glowKept;
    bool maskKept;
};

class SettingsVersion : public ::testing::TestWithParam<VersionCase> {};

std::string versionTestFile() {
    KeyValues project = freshProjectKeys();
    setKey(project, "g.project.frame", "61");
    setKey(project, "g.project.growRange", "7");
    setKey(project, "g.project.growPower", "20");
    setKey(project, "g.project.growColor.x", "10.000000");
    setKey(project, "g.project.growColor.y", "20.000000");
    setKey(project, "g.project.growColor.z", "30.000000");
    setKey(project, "g.project.previewFrame", "3");
    setKey(project, "g.mask.texID", "2");
    setKey(project, "g.mask.x", "5");
    setKey(project, "g.mask.y", "6");
    setKey(project, "g.mask.w", "70");
    setKey(project, "g.mask.h", "80");
    setKey(project, "g.mask.texSize.cx", "64");
    setKey(project, "g.mask.texSize.cy", "32");
    setKey(project, "g.mask.alpha", "99");
    setKey(project, "g.mask.isDisp", "0");

    const std::vector<std::pair<int, PointTexts>> curves{
        {0, {{"0", "11"}, {"100", "12"}}},
        {10, {{"0", "21"}, {"50", "22"}, {"100", "23"}}},
        {11, {{"0", "31"}, {"100", "32"}}},
    };
    KeyValues trail = freshNodeKeys("trail", 1);
    setKey(trail, "m_emitter.type", "3");
    setKey(trail, "m_shape.type", "4");
    addFreshCurves(trail, curves);
    KeyValues plain = freshNodeKeys("plain", 2);
    setKey(plain, "m_emitter.type", "3");
    addFreshCurves(plain, curves);
    KeyValues sphere = freshNodeKeys("sphere", 3);
    setKey(sphere, "m_emitter.type", "2");
    addFreshCurves(sphere);
    return sectionText("0", project) + sectionText("1", trail) + sectionText("2", plain) +
           sectionText("3", sphere);
}

TEST_P(SettingsVersion, Conversions) {
    const VersionCase c = GetParam();
    GlobalState g;
    load(g, versionTestFile(), c.version);
    ASSERT_EQ(g.rootNode->childCount(), 3);
    const EffectNode& trail = *g.rootNode->child(0);
    const EffectNode& plain = *g.rootNode->child(1);
    const EffectNode& sphere = *g.rootNode->child(2);

    EXPECT_EQ(trail.m_emitter.type, c.emitterType);
    EXPECT_EQ(plain.m_emitter.type, c.emitterType);
    EXPECT_EQ(sphere.m_emitter.type, 2);

    EXPECT_EQ(trail.graph(SlotWidth).points(), curvePoints(c.trailSlot0));
    EXPECT_EQ(trail.graph(SlotOverallSize).points(), curvePoints(c.trailSlot10));
    EXPECT_EQ(trail.graph(SlotShake).points(), curvePoints(c.slot11));
    EXPECT_EQ(plain.graph(SlotWidth).points(), curvePoints(Curve::File0));
    EXPECT_EQ(plain.graph(SlotOverallSize).points(), curvePoints(c.slot10));
    EXPECT_EQ(plain.graph(SlotShake).points(), curvePoints(c.slot11));
    // The other slots are read in every version.
    EXPECT_EQ(plain.graph(SlotSpin).points(), (std::vector<CurvePoint>{{0, 100}, {100, 0}}));
    EXPECT_EQ(plain.graph(SlotSpeed).points(), curvePoints(Curve::Constructed));
    // The curve tables follow the converted points: the line at 1.0 is y = 1 everywhere.
    if (c.slot11 == Curve::Line) {
        EXPECT_EQ(plain.graph(SlotShake).tableEntry(50), 1.0f);
    }

    const ProjectSettings& p = g.project;
    EXPECT_EQ(p.frame, 61);
    if (c.glowKept) {
        EXPECT_EQ(p.growRange, 7);
        EXPECT_EQ(p.growPower, 20);
        EXPECT_EQ(p.growColor.x, 10.0f);
        EXPECT_EQ(p.growColor.y, 20.0f);
        EXPECT_EQ(p.growColor.z, 30.0f);
        EXPECT_EQ(p.previewFrame, 3);
    } else {
        EXPECT_EQ(p.growRange, 0);
        EXPECT_EQ(p.growPower, 50);
        EXPECT_EQ(p.growColor.x, 255.0f);
        EXPECT_EQ(p.growColor.y, 255.0f);
        EXPECT_EQ(p.growColor.z, 255.0f);
        EXPECT_EQ(p.previewFrame, 30);
    }
    const MaskSettings& m = g.mask;
    if (c.maskKept) {
        EXPECT_EQ(m.texID, 2);
        EXPECT_EQ(m.x, 5);
        EXPECT_EQ(m.y, 6);
        EXPECT_EQ(m.w, 70);
        EXPECT_EQ(m.h, 80);
        EXPECT_EQ(m.texSize.cx, 64);
        EXPECT_EQ(m.texSize.cy, 32);
        EXPECT_EQ(m.alpha, 99);
        EXPECT_EQ(m.isDisp, 0);
    } else {
        EXPECT_EQ(m.texID, 0);
        EXPECT_EQ(m.x, 0);
        EXPECT_EQ(m.y, 0);
        EXPECT_EQ(m.w, -999);
        EXPECT_EQ(m.h, -999);
        EXPECT_EQ(m.texSize.cx, -999);
        EXPECT_EQ(m.texSize.cy, -999);
        EXPECT_EQ(m.alpha, 180);
        EXPECT_EQ(m.isDisp, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SettingsVersion,
    ::testing::Values(
        // Up to version 1: no overall-size curve (the trail swap then moves the line into the width
        // slot), shake keeps its constructed points.
        VersionCase{0, 5, Curve::Line, Curve::File0, Curve::Line, Curve::Constructed, false, false},
        VersionCase{1, 5, Curve::Line, Curve::File0, Curve::Line, Curve::Constructed, false, false},
        VersionCase{2, 3, Curve::File10, Curve::File0, Curve::File10, Curve::Line, false, false},
        VersionCase{3, 3, Curve::File0, Curve::File10, Curve::File10, Curve::Line, false, false},
        VersionCase{4, 3, Curve::File0, Curve::File10, Curve::File10, Curve::Line, false, true},
        VersionCase{5, 3, Curve::File0, Curve::File10, Curve::File10, Curve::File11, false, true},
        VersionCase{6, 3, Curve::File0, Curve::File10, Curve::File10, Curve::File11, true, true}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
        return "v" + std::to_string(info.param.version);
    });

TEST(SettingsRead, PreviewFrameOfOldFilesIsHalfTheLength) {
    for (const auto& [frame, preview] :
         std::vector<std::pair<int, int>>{{61, 30}, {60, 30}, {1, 0}, {9999, 4999}}) {
        GlobalState g;
        load(g,
             sectionText("0", {{"g.project.frame", std::to_string(frame)}, {"g.project.previewFrame", "8"}}),
             5);
        EXPECT_EQ(g.project.previewFrame, preview) << frame;
    }
}

// ---- round trip ----------------------------------------------------------------------------------

TEST(SettingsRoundTrip, WriteReadWriteIsIdentical) {
    GlobalState g;
    makeFresh(g);
    EffectNode& a = *g.rootNode->child(0);
    a.setName("炎の表示テスト");
    a.m_isDraw = 0;
    a.m_emitter = {EmitterParams::Cylinder, {1.5f, 0.1f, 33.3f}, {-4.25f, 5.5f, -0.7f}, 2, 33, 1, 1, 1};
    a.m_timing = {TimingParams::ParentDeath, 5, 50, 3, 12, 9, 8};
    a.m_kill = {120, 10, 1, 77, 6, 1};
    a.m_move.isOneWay = 1;
    a.m_move.oneway_err = 45;
    a.m_move.dirY = 12.25f;
    a.m_move.dirX = -30.5f;
    a.m_move.speed = 99;
    a.m_move.speed_err = 20;
    a.m_move.isFollow = 1;
    a.m_move.gravity = -15;
    a.m_move.absorbPos = {1, -2, 3.75f};
    a.m_move.absorbPawer = -7.5f;
    a.m_move.shake = 4;
    a.m_move.isParentShake = 0;
    a.m_shape = {ShapeParams::Trail, "", ShapeParams::Up, 1, 1};
    a.m_texture.ID = 3;
    a.m_texture.isAdd = 1;
    a.m_texture.isAnim = 1;
    a.m_texture.w = 8;
    a.m_texture.h = 2;
    a.m_texture.speed = 5;
    a.m_texture.isLoop = 1;
    a.m_scale = {250, 30, 44, 1};
    a.m_color = {1, 60, 70};
    a.m_rotate = {6, 720, 15, 1, 1, 4, 360, 25, 2};
    a.graph(SlotWidth).setPoints({{0, 10}, {12.5f, 80.25f}, {50, 33.333332f}, {77.7f, 0.1f}, {100, 99}});
    a.graph(SlotSpeed).setPoints({{0, 0}, {30, 50}, {60, 100}, {100, 50}});
    a.graph(SlotShake).setPoints({{0, 1.0f}, {100, 1.0f}});
    EffectNode& a1 = addChild(a);
    a1.setName("子ノード");
    a1.graph(SlotAlpha).setPoints({{0, 100}, {10, 0}, {90, 0}, {100, 100}});
    EffectNode& a11 = addChild(a1);
    a11.m_kill.span = 5;
    EffectNode& b = addChild(*g.rootNode);
    b.setName(std::string(40, 'b'));
    b.m_emitter.size = {99.9f, 0.3f, 12.34f};
    addChild(b);
    addChild(b);

    g.project.frame = 123;
    g.project.fps = 24;
    g.project.backColor = {10, 20.5f, 255};
    g.project.width = 320;
    g.project.height = 240;
    g.project.reverse = 1;
    g.project.randomSeed = 17;
    g.project.sort = 0;
    g.project.isCameraMove = 1;
    g.project.growRange = 6;
    g.project.growPower = 80;
    g.project.growColor = {1, 2, 3};
    g.project.previewFrame = 44;
    g.project.isNonLiner = 1;
    g.write = {2, 100, 3, 9, 4, 2, 0, 3, 0};
    g.mask = {1, 2, 3, 40, 50, 0, {128, 64}, 200};
    g.viewCamera = {{1.5f, -2.75f, 8}, {0.5f, 0.25f, -1}};
    g.views = {CameraView{{1.27f, -3.3f, 0.5f}, {0, 1, -1.25f}, 45.7f, "上から"},
               CameraView{{-999.9f, 0, 12}, {3, 4, 5}, 90, "view"}, CameraView{{}, {}, 60, "＜追加＞"}};
    g.cameraNode->m_emitter.pos = {3, 4, -12.5f};
    g.cameraNode->graph(SlotWidth).setPoints({{0, 5}, {20, 6}, {100, 7}});
    g.targetNode->m_emitter.pos = {0.5f, 1, 2};
    g.targetNode->setName("注視点２");

    const std::string first = writeSettings(g);
    GlobalState loaded;
    load(loaded, first, kCurrentFormatVersion);
    const std::string second = writeSettings(loaded);
    EXPECT_EQ(second, first);

    // The structure and the names came back as well.
    ASSERT_EQ(loaded.rootNode->childCount(), 2);
    EXPECT_EQ(loaded.rootNode->child(0)->m_name, "炎の表示テスト");
    EXPECT_EQ(loaded.rootNode->child(0)->child(0)->m_name, "子ノード");
    EXPECT_EQ(loaded.rootNode->child(0)->child(0)->child(0)->m_kill.span, 5);
    EXPECT_EQ(loaded.rootNode->child(1)->childCount(), 2);
    EXPECT_EQ(loaded.rootNode->child(0)->graph(SlotWidth).pointCount(), 5);
    EXPECT_EQ(loaded.rootNode->child(0)->graph(SlotWidth).point(1), (CurvePoint{12.5f, 80.25f}));
    EXPECT_EQ(loaded.rootNode->child(0)->m_move.absorbPawer, -7.5f);
    EXPECT_EQ(loaded.targetNode->m_name, "注視点２");
    EXPECT_EQ(loaded.cameraNode->graph(SlotWidth).pointCount(), 3);
    EXPECT_EQ(loaded.nodeCount, 7);
    ASSERT_EQ(loaded.views.size(), 3u);
    EXPECT_EQ(loaded.views[0].title, "上から");
    EXPECT_EQ(loaded.views[0].eye.x, 1.2f);
    EXPECT_EQ(loaded.views[0].angle, 45.0f);
    EXPECT_EQ(loaded.viewCamera.eye.y, -2.75f);
}

TEST(SettingsRoundTrip, EveryViewPositionIsStable) {
    std::string text;
    int index = 0;
    for (int k = -9999; k <= 9999; ++k, ++index) {
        const std::string v = std::to_string(k);
        const std::string w = std::to_string(-k);
        text += sectionText("ViewList" + std::to_string(index), {{"Title", "t"},
                                                                 {"PosX", v},
                                                                 {"PosY", w},
                                                                 {"PosZ", v},
                                                                 {"TargetX", w},
                                                                 {"TargetY", v},
                                                                 {"TargetZ", w},
                                                                 {"Angle", "60"}});
    }
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.views.size(), 19999u);
    const IniDocument written = IniDocument::parse(writeSettings(g));
    index = 0;
    int mismatches = 0;
    for (int k = -9999; k <= 9999; ++k, ++index) {
        const std::string section = "ViewList" + std::to_string(index);
        const std::string v = std::to_string(k);
        const std::string w = std::to_string(-k);
        for (const auto& [key, expected] : KeyValues{
                 {"PosX", v}, {"PosY", w}, {"PosZ", v}, {"TargetX", w}, {"TargetY", v}, {"TargetZ", w}}) {
            const std::string got = written.read(section, key, "?");
            if (got != expected && ++mismatches <= 10) {
                ADD_FAILURE() << section << " " << key << ": stored " << expected << ", saved again as "
                              << got;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// ---- trees the numbering cannot hold ---------------------------------------------------------

EffectNode& chain(EffectNode& top, int length) {
    EffectNode* n = &top;
    for (int i = 0; i < length; ++i) {
        n = &addChild(*n);
    }
    return *n;
}

TEST(SettingsTreeNumbering, ChildCountLimit) {
    EffectNode root;
    for (int i = 0; i < 9; ++i) {
        addChild(root);
    }
    EXPECT_TRUE(test::succeeded(checkTreeNumbering(root)));
    addChild(root);
    EXPECT_FALSE(test::failureText(checkTreeNumbering(root)).empty());

    // The same below a deeper node.
    EffectNode root2;
    EffectNode& n = chain(root2, 2);
    for (int i = 0; i < 9; ++i) {
        addChild(n);
    }
    EXPECT_TRUE(test::succeeded(checkTreeNumbering(root2)));
    addChild(n);
    EXPECT_FALSE(checkTreeNumbering(root2));
}

TEST(SettingsTreeNumbering, DepthLimit) {
    EffectNode root;
    EffectNode& deepest = chain(root, 9);
    EXPECT_TRUE(test::succeeded(checkTreeNumbering(root)));
    addChild(deepest);
    EXPECT_FALSE(test::failureText(checkTreeNumbering(root)).empty());
}

TEST(SettingsTreeNumbering, CameraNumbers) {
    // Node 99: the ninth child of the ninth top-level node.
    EffectNode root;
    for (int i = 0; i < 9; ++i) {
        addChild(root);
    }
    EffectNode& nine = *root.child(8);
    for (int i = 0; i < 9; ++i) {
        addChild(nine);
    }
    EffectNode& ninetyNine = *nine.child(8);
    for (int i = 0; i < 7; ++i) {
        addChild(ninetyNine); // 991 .. 997
    }
    EXPECT_TRUE(test::succeeded(checkTreeNumbering(root)));
    addChild(ninetyNine); // 998
    EXPECT_FALSE(test::failureText(checkTreeNumbering(root)).empty());
}

TEST(SettingsTreeNumbering, CameraSectionsAreNeverTreeNodes) {
    std::string text = sectionText("0", {{"g.project.isCameraMove", "1"}});
    for (int k = 1; k <= 9; ++k) {
        text += sectionText(std::to_string(k), {{"m_name", "top"}});
    }
    for (int k = 91; k <= 99; ++k) {
        text += sectionText(std::to_string(k), {{"m_name", "mid"}});
    }
    for (int k = 991; k <= 997; ++k) {
        text += sectionText(std::to_string(k), {{"m_name", "low"}});
    }
    text += sectionText("998", {{"m_name", "camera"}, {"m_ID", "998"}});
    text += sectionText("999", {{"m_name", "target"}, {"m_ID", "999"}});
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.rootNode->childCount(), 9);
    const EffectNode& nine = *g.rootNode->child(8);
    ASSERT_EQ(nine.childCount(), 9);
    const EffectNode& ninetyNine = *nine.child(8);
    EXPECT_EQ(ninetyNine.childCount(), 7);
    EXPECT_EQ(treeNodeCount(g), 9 + 9 + 7);
    EXPECT_EQ(g.nodeCount, 1 + 9 + 9 + 7);
    EXPECT_EQ(g.cameraNode->m_name, "camera");
    EXPECT_EQ(g.targetNode->m_name, "target");
}

// ---- damaged files ---------------------------------------------------------------------------------

TEST(SettingsHostile, RepeatedNumbersDoNotMultiplyNodes) {
    std::string text;
    for (int k = 1; k <= 200; ++k) {
        text += sectionText(std::to_string(k), {{"m_name", "n" + std::to_string(k)}});
    }
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    const int nodes = treeNodeCount(g);
    EXPECT_GE(nodes, 9);
    EXPECT_LE(nodes, 200);
    EXPECT_EQ(g.nodeCount, nodes + 1);
}

TEST(SettingsHostile, HugePointCountIsCapped) {
    const std::string text =
        sectionText("1", {{"m_name", "n"}, {"graphPointNum0", "2000000000"}, {"graphPoint0-0_X", "5"}}) +
        sectionText("2", {{"m_name", "m"}, {"graphPointNum3", "-7"}});
    GlobalState g;
    load(g, text, kCurrentFormatVersion);
    ASSERT_EQ(g.rootNode->childCount(), 2);
    const Graph& capped = g.rootNode->child(0)->graph(SlotWidth);
    EXPECT_EQ(capped.pointCount(), 4096);
    EXPECT_EQ(capped.point(0), (CurvePoint{5, 0}));
    EXPECT_EQ(g.rootNode->child(1)->graph(SlotSpin).pointCount(), 0);
}

} // namespace
} // namespace vintrel

namespace vintrel {
namespace {

// The newer export options: absent from a project that never set one (so it saves as before),
// one section after everything else when set, read back as written, damaged values ignored.
TEST(SettingsExportExtras, WrittenOnlyWhenSetAndReadBack) {
    GlobalState g;
    makeFresh(g);
    const std::string classic = writeSettings(g);
    EXPECT_EQ(classic.find("VINTREL_EXPORT"), std::string::npos);

    ExportExtras& x = g.exportExtras;
    x.animation = AnimatedFormat::WebM;
    x.atlas = AtlasFormat::GodotSpriteFrames;
    x.alpha = AlphaMode::Premultiplied;
    x.padding = 2;
    x.extrude = 1;
    x.trim = SheetTrim::Common;
    x.powerOfTwo = true;
    x.maxSheetSide = 2048;
    x.namePattern = "{name}_炎_{page}";
    x.loop = true;
    x.loopFrames = 8;
    x.channels = kColorOnly | channelBit(ExportChannel::Motion) | channelBit(ExportChannel::Depth);
    const std::string extended = writeSettings(g);
    ASSERT_EQ(extended.substr(0, classic.size()), classic);
    EXPECT_EQ(extended.substr(classic.size()),
              "[VINTREL_EXPORT]\r\nFORMAT=webm\r\nATLAS=godot\r\nALPHA=premultiplied\r\nPADDING=2\r\nEXTRUDE=1\r\n"
              "MAX_SIZE=2048\r\nLOOP_FRAMES=8\r\nTRIM=common\r\nPOWER_OF_TWO=1\r\nLOOP=1\r\n"
              "CHANNELS=color,motion,depth\r\nNAME={name}_\x89\x8a_{page}\r\n");

    GlobalState loaded;
    makeFresh(loaded);
    readSettings(loaded, IniDocument::parse(extended), kCurrentFormatVersion);
    EXPECT_EQ(loaded.exportExtras, x);

    const IniDocument damaged = IniDocument::parse(
        "[VINTREL_EXPORT]\r\nATLAS=unity\r\nALPHA=premultiplied\r\nPADDING=-3\r\nEXTRUDE=9999\r\nMAX_SIZE=x\r\n"
        "CHANNELS=color,normal\r\n");
    readSettings(loaded, damaged, kCurrentFormatVersion);
    ExportExtras expected;
    expected.alpha = AlphaMode::Premultiplied;
    EXPECT_EQ(loaded.exportExtras, expected);
}

} // namespace
} // namespace vintrel
