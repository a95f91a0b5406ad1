#include "persist/materials.h"
#include "persist/package.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr const char* kReadErrorCaption = "ファイル読み込みエラー";
constexpr const char* kSaveErrorCaption = "保存エラー";

using test::readFile;
using test::RecordingNotifier;
using test::startProject;
using test::TempDir;
using test::writeFile;

// Every file below `folder` by relative path, with its content.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
        }
    }
    return files;
}

std::vector<std::string> nodeNames(const EffectNode& root) {
    std::vector<std::string> names;
    for (const auto& child : root.m_children) {
        names.push_back(child->m_name);
        for (const std::string& name : nodeNames(*child)) {
            names.push_back(" " + name);
        }
    }
    return names;
}

std::string settingsEntry(const std::string& settings) {
    return "save.ini," + std::to_string(settings.size()) + "," + settings;
}

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override { startProject(g, tmp.path() / "ws"); }

    // A second project, as another editor window would hold it.
    void startOther(GlobalState& other, const char* workspaceName = "ws2") {
        startProject(other, tmp.path() / workspaceName);
    }

    bool save(const fs::path& path) { return saveProject(g, path, notifier); }
    bool load(GlobalState& target, const fs::path& path) {
        return loadProject(target, path, defaults, notifier);
    }

    TempDir tmp{"vintrel-project-test"};
    GlobalState g;
    BuiltInProjectDefaults defaults;
    RecordingNotifier notifier;
};

// ---- package layout -----------------------------------------------------------------------------

TEST_F(ProjectFileTest, ProjectWithoutMaterialsIsHeaderAndSettings) {
    g.modified = true;
    const std::string settings = writeSettings(g);
    ASSERT_EQ(settings.rfind("[0]\r\n", 0), 0u);
    const fs::path target = tmp.path() / "plain.stn";

    ASSERT_TRUE(save(target));

    EXPECT_EQ(readFile(target), "SartuneData,6,0," + settingsEntry(settings));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(g.currentFile, target.string());
    EXPECT_TRUE(g.hasFileName);
    EXPECT_FALSE(g.modified);
}

TEST_F(ProjectFileTest, OneTextureComesBeforeTheSettings) {
    const std::string png = "\x89PNG\r\n\x1a\n,\0data\n"s;
    writeFile(g.workspace / "fire.png", png);
    g.materials = {{"fire", Material::Texture}};
    const std::string settings = writeSettings(g);
    const fs::path target = tmp.path() / "fire.stn";

    ASSERT_TRUE(save(target));

    EXPECT_EQ(readFile(target), "SartuneData,6,1,fire.png,15," + png + settingsEntry(settings));
}

TEST_F(ProjectFileTest, MaterialsAreWrittenInListOrderWithTheirExtensions) {
    writeFile(g.workspace / "fire.png", "PNG");
    writeFile(g.workspace / "炎.png", "P2");
    writeFile(g.workspace / "box.obj", "v 0 0 0\n");
    g.materials = {{"fire", Material::Texture}, {"炎", Material::Texture}, {"box", Material::Model}};
    const std::string settings = writeSettings(g);
    const fs::path target = tmp.path() / "three.stn";

    ASSERT_TRUE(save(target));

    EXPECT_EQ(readFile(target),
              "SartuneData,6,3,fire.png,3,PNG\x89\x8A.png,2,P2box.obj,8,v 0 0 0\n" + settingsEntry(settings));
}

TEST_F(ProjectFileTest, SavingRemovesTheSettingsFileFromTheWorkspace) {
    writeFile(g.workspace / "save.ini", "[0]\r\nstale=1\r\n");
    writeFile(g.workspace / "fire.png", "PNG");
    g.materials = {{"fire", Material::Texture}};

    ASSERT_TRUE(save(tmp.path() / "a.stn"));

    EXPECT_FALSE(fs::exists(g.workspace / "save.ini"));
    EXPECT_EQ(readFile(g.workspace / "fire.png"), "PNG");
    // The stale file in the workspace is not what was packed.
    EXPECT_EQ(readFile(tmp.path() / "a.stn").find("stale"), std::string::npos);
}

TEST_F(ProjectFileTest, AutosaveLeavesTheCurrentFileAlone) {
    g.currentFile = "/projects/effect.stn";
    g.hasFileName = true;
    g.modified = true;
    const fs::path autosave = g.workspace / kAutosaveFileName;

    ASSERT_TRUE(save(autosave));

    EXPECT_EQ(readFile(autosave), "SartuneData,6,0," + settingsEntry(writeSettings(g)));
    EXPECT_EQ(g.currentFile, "/projects/effect.stn");
    EXPECT_TRUE(g.hasFileName);
    EXPECT_TRUE(g.modified);
}

TEST_F(ProjectFileTest, SavesUnderTheLongestFileName) {
    // 255 bytes is the longest file name the file system takes.
    const fs::path target = tmp.path() / (std::string(251, 'p') + ".stn");

    EXPECT_TRUE(save(target));

    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_TRUE(fs::exists(target));
}

// ---- opening ------------------------------------------------------------------------------------

TEST_F(ProjectFileTest, OpeningUnpacksEveryFileIntoAFreshWorkspace) {
    const std::string png = "\x89PNG\0\0,\n"s;
    writeFile(g.workspace / "fire.png", png);
    writeFile(g.workspace / "box.obj", "v 1 2 3\n");
    g.materials = {{"fire", Material::Texture}, {"box", Material::Model}};
    g.project.frame = 90;
    g.rootNode->child(0)->setName("炎の粒");
    const std::string settings = writeSettings(g);
    const fs::path target = tmp.path() / "fire.stn";
    ASSERT_TRUE(save(target));

    GlobalState other;
    startOther(other);
    writeFile(other.workspace / "leftover.png", "old");
    other.modified = true;
    ASSERT_TRUE(load(other, target));

    EXPECT_TRUE(notifier.messages.empty());
    auto files = snapshot(other.workspace);
    EXPECT_EQ(files.erase(kPlaceholderTextureName), 1u) << "the placeholder texture is in the workspace";
    const std::map<std::string, std::string> expected = {
        {"fire.png", png}, {"box.obj", "v 1 2 3\n"}, {"save.ini", settings}};
    EXPECT_EQ(files, expected);
    ASSERT_EQ(other.materials.size(), 2u);
    EXPECT_EQ(other.materials[0].name, "fire");
    EXPECT_EQ(other.materials[0].kind, Material::Texture);
    EXPECT_EQ(other.materials[1].name, "box");
    EXPECT_EQ(other.materials[1].kind, Material::Model);
    EXPECT_EQ(other.project.frame, 90);
    EXPECT_EQ(other.project.fileVersion, 6);
    EXPECT_EQ(nodeNames(*other.rootNode), std::vector<std::string>{"炎の粒"});
    EXPECT_EQ(other.pSelNode, other.rootNode->child(0));
    EXPECT_EQ(other.currentFile, target.string());
    EXPECT_TRUE(other.hasFileName);
    EXPECT_FALSE(other.modified);
}

TEST_F(ProjectFileTest, SaveLoadSaveIsByteIdentical) {
    writeFile(g.workspace / "fire.png", "\x89PNG fire"s);
    writeFile(g.workspace / "smoke.png", "\x89PNG smoke"s);
    writeFile(g.workspace / "box.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    g.materials = {{"fire", Material::Texture}, {"smoke", Material::Texture}, {"box", Material::Model}};

    EffectNode& first = *g.rootNode->child(0);
    first.setName("炎の粒");
    first.m_texture.ID = 1;
    first.m_move.dirX = 0.1f;
    first.m_move.dirY = -2.5f;
    first.m_move.absorbPawer = 0.75f;
    first.m_emitter.size = {1.5f, 2.25f, 3.125f};
    first.graph(SlotAlpha).setPoints({{0, 10}, {33.5f, 70}, {100, 90}});
    EffectNode& child = first.appendChild(std::make_unique<EffectNode>(&first));
    child.m_shape.type = ShapeParams::FirstModel;
    child.m_rotate.revAngle = -45;
    EffectNode& second = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    second.m_isDraw = 0;
    second.setName("煙");
    g.project.isCameraMove = 1;
    g.cameraNode->m_emitter.pos = {1, 2, -3};
    g.project.backColor = {12, 34, 56};
    g.views.insert(g.views.end() - 1, CameraView{{1.5f, 2.5f, -12.5f}, {0, 1, 0}, 45, "俯瞰"});
    g.mask.texID = 2;

    const fs::path first_save = tmp.path() / "a.stn";
    ASSERT_TRUE(save(first_save));

    GlobalState other;
    startOther(other);
    ASSERT_TRUE(load(other, first_save));
    const fs::path second_save = tmp.path() / "b.stn";
    ASSERT_TRUE(saveProject(other, second_save, notifier));

    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(readFile(second_save), readFile(first_save));
    EXPECT_EQ(nodeNames(*other.rootNode), (std::vector<std::string>{"炎の粒", " ノード2", "煙"}));
}

// ---- versions -----------------------------------------------------------------------------------

class ProjectVersionTest : public ProjectFileTest {
protected:
    void SetUp() override {
        ProjectFileTest::SetUp();
        writeFile(g.workspace / "keep.png", "keep");
        g.materials = {{"keep", Material::Texture}};
        g.rootNode->child(0)->setName("現在のノード");
        g.project.frame = 77;
        g.currentFile = "current.stn";
        before = snapshot(g.workspace);
    }

    void expectUntouched() {
        EXPECT_EQ(snapshot(g.workspace), before);
        EXPECT_EQ(nodeNames(*g.rootNode), std::vector<std::string>{"現在のノード"});
        EXPECT_EQ(g.pSelNode, g.rootNode->child(0));
        EXPECT_EQ(g.project.frame, 77);
        EXPECT_EQ(g.currentFile, "current.stn");
        ASSERT_EQ(g.materials.size(), 1u);
        EXPECT_EQ(g.materials[0].name, "keep");
    }

    std::map<std::string, std::string> before;
};

TEST_F(ProjectVersionTest, NewerVersionsAreRefusedWithTheirOwnMessage) {
    for (const char* version : {"7", "-1"}) {
        SCOPED_TRACE(version);
        notifier.messages.clear();
        const fs::path file = tmp.path() / "newer.stn";
        writeFile(file, "SartuneData,"s + version + ",0,save.ini,20,[0]\r\ng.project.frame=5");

        EXPECT_FALSE(load(g, file));

        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0].first, "Vintrel");
        EXPECT_EQ(notifier.messages[0].second,
                  "このファイルは、より新しいバージョンのVintrelで作成されたものです。\n"
                  "開くためにはメニューの「ヘルプ」⇒「アップデート確認」を選択し\n"
                  "最新版にアップデートしてください。\n\n" + file.string());
        expectUntouched();
    }
}

TEST_F(ProjectFileTest, VersionZeroIsConvertedWhenOpened) {
    const std::string ini = "[0]\r\n"
                            "g.project.frame=30\r\n"
                            "g.project.growPower=7\r\n"
                            "g.project.previewFrame=3\r\n"
                            "g.mask.alpha=10\r\n"
                            "g.mask.w=64\r\n"
                            "[ViewList0]\r\n"
                            "Title=old\r\n"
                            "PosX=15\r\n"
                            "Angle=30\r\n"
                            "[1]\r\n"
                            "m_name=old\r\n"
                            "m_isDraw=1\r\n"
                            "m_emitter.type=3\r\n"
                            "m_shape.type=4\r\n"
                            "graphPointNum0=2\r\n"
                            "graphPoint0-0_X=0\r\n"
                            "graphPoint0-0_Y=20\r\n"
                            "graphPoint0-1_X=100\r\n"
                            "graphPoint0-1_Y=40\r\n"
                            "graphPointNum10=2\r\n"
                            "graphPoint10-0_X=0\r\n"
                            "graphPoint10-0_Y=77\r\n"
                            "graphPoint10-1_X=100\r\n"
                            "graphPoint10-1_Y=77\r\n";
    const fs::path file = tmp.path() / "v0.stn";
    writeFile(file, "SartuneData,0,0,save.ini," + std::to_string(ini.size()) + "," + ini);

    ASSERT_TRUE(load(g, file));

    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(g.project.fileVersion, 0);
    EXPECT_EQ(g.project.frame, 30);
    EXPECT_EQ(g.project.previewFrame, 15);
    EXPECT_EQ(g.project.growPower, 50);
    EXPECT_EQ(g.mask.alpha, 180);
    EXPECT_EQ(g.mask.w, -999);
    ASSERT_EQ(g.views.size(), 1u);
    EXPECT_EQ(g.views[0].title, "old");
    EXPECT_FLOAT_EQ(g.views[0].eye.x, 1.5f);
    EXPECT_FLOAT_EQ(g.views[0].angle, 30.0f);
    ASSERT_EQ(g.rootNode->childCount(), 1);
    const EffectNode& node = *g.rootNode->child(0);
    EXPECT_EQ(node.m_name, "old");
    EXPECT_EQ(node.m_emitter.type, EmitterParams::Box);
    EXPECT_EQ(node.m_kill.span, 0); // missing keys read as 0
    // Slot 10 was not stored before version 2 and became the line at 1.0; the trail then swapped
    // it with the width curve.
    EXPECT_EQ(node.graph(SlotWidth).points(), (std::vector<CurvePoint>{{0, 1}, {100, 1}}));
    EXPECT_EQ(node.graph(SlotOverallSize).points(), (std::vector<CurvePoint>{{0, 20}, {100, 40}}));
    EXPECT_EQ(node.graph(SlotShake).points(), (std::vector<CurvePoint>{{0, 0}, {100, 0}}));
    EXPECT_TRUE(fs::exists(g.workspace / "save.ini"));

    // Saving writes the current version, and reading that back keeps the converted values.
    const fs::path converted = tmp.path() / "v6.stn";
    ASSERT_TRUE(save(converted));
    EXPECT_EQ(readFile(converted).rfind("SartuneData,6,0,save.ini,", 0), 0u);
    GlobalState other;
    startOther(other);
    ASSERT_TRUE(load(other, converted));
    EXPECT_EQ(other.project.fileVersion, 6);
    EXPECT_EQ(other.project.previewFrame, 15);
    EXPECT_EQ(other.rootNode->child(0)->m_emitter.type, EmitterParams::Box);
    EXPECT_EQ(other.rootNode->child(0)->graph(SlotOverallSize).points(),
              (std::vector<CurvePoint>{{0, 20}, {100, 40}}));
}

// ---- damaged and hostile packages -----------------------------------------------------------------

TEST_F(ProjectVersionTest, DamagedPackagesAreRefusedAndChangeNothing) {
    const fs::path outsideRelative = tmp.path() / "evil.png"; // "../evil.png" from the workspace
    const fs::path outsideAbsolute = tmp.path() / "abs-evil.png";
    const bool tmpXExisted = fs::exists("/tmp/x");
    const std::string good = "good.png,3,abc";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"wrong magic", "SartuneDatb,6,0,save.ini,0,"},
        {"empty file", ""},
        {"negative size", "SartuneData,6,1," + good + "save.ini,-5,[0]\r\n"},
        {"size not a number", "SartuneData,6,0,save.ini,x5,[0]\r\n"},
        {"size runs past the end", "SartuneData,6,1," + good + "save.ini,500,[0]\r\n"},
        {"name over 259 bytes", "SartuneData,6,1," + std::string(256, 'n') + ".png,3,abcsave.ini,0,"},
        {"fewer entries than announced", "SartuneData,6,3," + good + "save.ini,0,"},
        {"last entry not the settings", "SartuneData,6,1,save.ini,0," + good},
        {"empty name", "SartuneData,6,1,,3,abcsave.ini,0,"},
        {"parent folder", "SartuneData,6,1,../evil.png,3,abcsave.ini,0,"},
        {"absolute path", "SartuneData,6,1," + outsideAbsolute.string() + ",3,abcsave.ini,0,"},
        {"absolute /tmp/x", "SartuneData,6,1,/tmp/x,3,abcsave.ini,0,"},
        {"backslash", "SartuneData,6,1,sub\\evil.png,3,abcsave.ini,0,"},
        {"dot dot", "SartuneData,6,1,..,3,abcsave.ini,0,"},
        {"control character", "SartuneData,6,1,a\x1b.png,3,abcsave.ini,0,"},
        {"not cp932", "SartuneData,6,1,\x81\x20.png,3,abcsave.ini,0,"},
    };
    for (const auto& [label, bytes] : cases) {
        SCOPED_TRACE(label);
        notifier.messages.clear();
        const fs::path file = tmp.path() / "damaged.stn";
        writeFile(file, bytes);

        EXPECT_FALSE(load(g, file));

        ASSERT_EQ(notifier.messages.size(), 1u);
        EXPECT_EQ(notifier.messages[0].first, "Vintrel");
        EXPECT_EQ(notifier.messages[0].second,
                  "対応していないファイルか、ファイルが壊れている可能性があります。\n\n" + file.string());
        expectUntouched();
        EXPECT_FALSE(fs::exists(outsideRelative));
        EXPECT_FALSE(fs::exists(outsideAbsolute));
        EXPECT_EQ(fs::exists("/tmp/x"), tmpXExisted);
    }
}

// "." names the workspace folder itself: no file can be unpacked under it.
TEST_F(ProjectVersionTest, EntryNamedDotIsRefusedBeforeTheReset) {
    const fs::path file = tmp.path() / "dot.stn";
    writeFile(file, "SartuneData,6,1,.,3,abcsave.ini,0,");

    EXPECT_FALSE(load(g, file));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, "Vintrel");
    EXPECT_EQ(notifier.messages[0].second,
              "対応していないファイルか、ファイルが壊れている可能性があります。\n\n" + file.string());
    expectUntouched();
}

// A name the package format allows but that is longer than a file name in the workspace may be,
// or that leaves no room for anything beside it, must not cost the user the open project.
TEST_F(ProjectVersionTest, LongEntryNameIsUnpackedOrRefusedBeforeTheReset) {
    for (std::size_t length : {250u, 255u, 259u}) {
        SCOPED_TRACE(length);
        notifier.messages.clear();
        const std::string name = std::string(length - 4, 'n') + ".png";
        const fs::path file = tmp.path() / "long.stn";
        writeFile(file, "SartuneData,6,1," + name + ",3,abcsave.ini,0,");

        GlobalState other;
        startOther(other);
        other.rootNode->child(0)->setName("現在のノード");
        other.project.frame = 77;
        writeFile(other.workspace / "keep.png", "keep");
        const auto otherBefore = snapshot(other.workspace);
        if (loadProject(other, file, defaults, notifier)) {
            EXPECT_TRUE(notifier.messages.empty());
            EXPECT_EQ(readFile(other.workspace / name), "abc");
        } else {
            ASSERT_EQ(notifier.messages.size(), 1u);
            EXPECT_EQ(notifier.messages[0],
                      std::make_pair(
                          std::string("Vintrel"),
                          "対応していないファイルか、ファイルが壊れている可能性があります。\n\n" + file.string()));
            EXPECT_EQ(nodeNames(*other.rootNode), std::vector<std::string>{"現在のノード"});
            EXPECT_EQ(other.project.frame, 77);
            EXPECT_EQ(snapshot(other.workspace), otherBefore);
        }
    }
}

TEST_F(ProjectVersionTest, UnreadableFileGivesTwoMessages) {
    const fs::path missing = tmp.path() / "missing.stn";

    EXPECT_FALSE(load(g, missing));

    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].first, kReadErrorCaption);
    EXPECT_EQ(notifier.messages[0].second,
              "「" + missing.string() +
                  "」は存在しないか、他のアプリケーションで開いているため読み込めません。");
    EXPECT_EQ(notifier.messages[1].first, "Vintrel");
    EXPECT_EQ(notifier.messages[1].second,
              "対応していないファイルか、ファイルが壊れている可能性があります。");
    expectUntouched();
}

// ---- failed saves -------------------------------------------------------------------------------

class FailedSaveTest : public ProjectFileTest {
protected:
    void SetUp() override {
        ProjectFileTest::SetUp();
        fs::create_directories(folder);
        ASSERT_TRUE(save(target));
        oldBytes = readFile(target);
        notifier.messages.clear();
        // Something worth saving, so that a new package would differ from the old one.
        g.rootNode->child(0)->setName("変更後");
        g.modified = true;
    }

    void expectOldFileKept() {
        EXPECT_EQ(readFile(target), oldBytes);
        // No temporary file is left behind beside it.
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names, std::vector<std::string>{"project.stn"});
        EXPECT_TRUE(g.modified);
    }

    fs::path folder = tmp.path() / "out";
    fs::path target = folder / "project.stn";
    std::string oldBytes;
};

TEST_F(FailedSaveTest, MissingTargetFolder) {
    const fs::path nowhere = tmp.path() / "no-such-folder" / "a.stn";
    const std::string previousFile = g.currentFile;

    EXPECT_FALSE(save(nowhere));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, kSaveErrorCaption);
    EXPECT_EQ(notifier.messages[0].second.rfind("「" + nowhere.string() + "」に保存できませんでした。\n", 0),
              0u);
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
    EXPECT_EQ(g.currentFile, previousFile);
    expectOldFileKept();
}

TEST_F(FailedSaveTest, ReadOnlyFolderKeepsTheOldFile) {
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    }

    EXPECT_FALSE(save(target));

    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, kSaveErrorCaption);
    expectOldFileKept();
}

// Makes writes beyond `bytes` fail as on a full disk, for this process, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST_F(FailedSaveTest, WriteErrorKeepsTheOldFile) {
    ASSERT_GT(oldBytes.size(), 512u);
    bool saved = true;
    {
        FileSizeLimit limit(512);
        saved = save(target);
    }

    EXPECT_FALSE(saved);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, kSaveErrorCaption);
    EXPECT_EQ(notifier.messages[0].second.rfind("「" + target.string() + "」に保存できませんでした。\n", 0),
              0u);
    expectOldFileKept();
}

TEST_F(FailedSaveTest, MissingMaterialFileWritesNothing) {
    writeFile(g.workspace / "fire.png", "PNG");
    g.materials = {{"fire", Material::Texture}, {"ghost", Material::Texture}};

    EXPECT_FALSE(save(target));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, kSaveErrorCaption);
    EXPECT_EQ(notifier.messages[0].second, "素材ファイル「ghost.png」が見つからないため、保存できません。");
    expectOldFileKept();
}

TEST_F(FailedSaveTest, MaterialNameThatCannotBeStoredWritesNothing) {
    writeFile(g.workspace / "a,b.png", "PNG");
    g.materials = {{"a,b", Material::Texture}};

    EXPECT_FALSE(save(target));

    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, kSaveErrorCaption);
    EXPECT_EQ(notifier.messages[0].second, "ファイル名「a,b.png」はプロジェクトに保存できません。");
    expectOldFileKept();
}

void appendChildren(EffectNode& parent, int count) {
    for (int i = 0; i < count; ++i) {
        parent.appendChild(std::make_unique<EffectNode>(&parent));
    }
}

TEST_F(FailedSaveTest, TreeThatCannotBeNumberedWritesNothing) {
    const std::string tooLarge =
        "9個を超える子を持つノードか、9段より深い階層のノードがあるため、保存できません。";
    const std::string cameraClash = "ノードの位置がカメラ用の番号（998・999）と重なるため、保存できません。";

    // Nine children below one node still save; a tenth does not.
    appendChildren(*g.rootNode, 8);
    ASSERT_EQ(g.rootNode->childCount(), 9);
    ASSERT_TRUE(save(tmp.path() / "nine.stn"));
    g.modified = true;
    appendChildren(*g.rootNode, 1);
    EXPECT_FALSE(save(target));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], std::make_pair(std::string(kSaveErrorCaption), tooLarge));
    expectOldFileKept();

    // Nine levels below the root still save; a tenth does not.
    notifier.messages.clear();
    g.rootNode->clearChildren();
    EffectNode* deepest = g.rootNode.get();
    for (int level = 1; level <= 9; ++level) {
        deepest = &deepest->appendChild(std::make_unique<EffectNode>(deepest));
    }
    ASSERT_TRUE(save(tmp.path() / "deep9.stn"));
    g.modified = true;
    deepest->appendChild(std::make_unique<EffectNode>(deepest));
    EXPECT_FALSE(save(target));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, tooLarge);
    expectOldFileKept();

    // Node 99 may have seven children (991 to 997); the eighth would be numbered 998.
    notifier.messages.clear();
    g.rootNode->clearChildren();
    appendChildren(*g.rootNode, 9);
    EffectNode& ninth = *g.rootNode->child(8);
    appendChildren(ninth, 9);
    EffectNode& node99 = *ninth.child(8);
    appendChildren(node99, 7);
    ASSERT_TRUE(save(tmp.path() / "997.stn"));
    g.modified = true;
    appendChildren(node99, 1);
    EXPECT_FALSE(save(target));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], std::make_pair(std::string(kSaveErrorCaption), cameraClash));
    expectOldFileKept();
}

} // namespace
} // namespace vintrel
