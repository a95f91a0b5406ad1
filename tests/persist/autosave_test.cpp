#include "edit/history.h"
#include "persist/autosave.h"
#include "persist/project_file.h"
#include "support/result_checks.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::RecordingNotifier;
using test::startProject;
using test::TempDir;
using test::writeFile;

std::set<std::string> fileNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

const std::string kTexture = std::string("\x89PNG\r\n\x1a\n,\0tex\n", 14);
const std::string kModel = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";

class AutosaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        startProject(g, tmp.path() / "ws");
        writeFile(g.workspace / "fire.png", kTexture);
        writeFile(g.workspace / "box.obj", kModel);
        g.materials = {{"fire", Material::Texture}, {"box", Material::Model}};
        EffectNode& first = *g.rootNode->child(0);
        first.m_kill.span = 77;
        first.m_texture.ID = 0;
        first.graph(SlotAlpha).setPoints({{0, 10}, {40, 60}, {100, 90}});
        EffectNode& child = first.appendChild(std::make_unique<EffectNode>(&first));
        child.setName("火花");
        child.m_emitter.pos.x = 1.5f;
    }

    fs::path autosavePath() const { return g.workspace / kAutosaveFileName; }

    bool load(GlobalState& target, const fs::path& path, const char* workspaceName) {
        startProject(target, tmp.path() / workspaceName);
        return loadProject(target, path, defaults, notifier);
    }

    TempDir tmp{"vintrel-autosave-test"};
    GlobalState g;
    BuiltInProjectDefaults defaults;
    RecordingNotifier notifier;
};

TEST_F(AutosaveTest, WritesWhatSaveWouldWriteAndLoadsBack) {
    Autosaver saver;

    ASSERT_TRUE(saver.tick(g));
    saver.waitIdle();
    EXPECT_FALSE(saver.running());

    const std::string autosaved = readFile(autosavePath());
    ASSERT_TRUE(saveProject(g, tmp.path() / "saved.stn", notifier));
    EXPECT_EQ(autosaved, readFile(tmp.path() / "saved.stn"));
    EXPECT_EQ(autosaved.rfind("SartuneData,6,2,fire.png,14,", 0), 0u);
    // No temporary file is left beside it.
    EXPECT_EQ(fileNames(g.workspace), (std::set<std::string>{"fire.png", "box.obj", kAutosaveFileName}));

    GlobalState restored;
    ASSERT_TRUE(load(restored, autosavePath(), "restored"));
    EXPECT_TRUE(notifier.messages.empty());
    ASSERT_EQ(restored.rootNode->childCount(), 1);
    const EffectNode& first = *restored.rootNode->child(0);
    EXPECT_EQ(first.m_kill.span, 77);
    EXPECT_EQ(first.graph(SlotAlpha).points(), (std::vector<CurvePoint>{{0, 10}, {40, 60}, {100, 90}}));
    ASSERT_EQ(first.childCount(), 1);
    EXPECT_EQ(first.child(0)->m_name, "火花");
    EXPECT_EQ(first.child(0)->m_emitter.pos.x, 1.5f);
    EXPECT_EQ(readFile(restored.workspace / "fire.png"), kTexture);
    EXPECT_EQ(readFile(restored.workspace / "box.obj"), kModel);
}

TEST_F(AutosaveTest, TheGuardKeepsTheTimerFromStartingOne) {
    Autosaver saver;
    saver.setGuard(true);

    EXPECT_FALSE(saver.tick(g));
    EXPECT_FALSE(saver.running());
    EXPECT_FALSE(fs::exists(autosavePath()));

    // A cancelled Save As clears the guard; the next tick saves again.
    saver.setGuard(false);
    EXPECT_TRUE(saver.tick(g));
    saver.waitIdle();
    EXPECT_EQ(readFile(autosavePath()), serializeProject(g).value_or("?"));
}

TEST_F(AutosaveTest, AProjectThatCannotBeSavedLeavesTheLastAutosave) {
    Autosaver saver;
    ASSERT_TRUE(saver.tick(g));
    saver.waitIdle();
    const std::string earlier = readFile(autosavePath());

    // A tenth child below the root cannot be numbered in the settings file.
    for (int i = 0; i < 9; ++i) {
        g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    }
    EXPECT_EQ(test::failureText(serializeProject(g)),
              "9個を超える子を持つノードか、9段より深い階層のノードがあるため、保存できません。");
    EXPECT_FALSE(saver.tick(g));
    EXPECT_EQ(readFile(autosavePath()), earlier);

    // Neither can a project whose material file has gone.
    g.rootNode->takeChild(9);
    fs::remove(g.workspace / "box.obj");
    EXPECT_EQ(test::failureText(serializeProject(g)),
              "素材ファイル「box.obj」が見つからないため、保存できません。");
    EXPECT_FALSE(saver.tick(g));
    EXPECT_EQ(readFile(autosavePath()), earlier);
}

TEST_F(AutosaveTest, AFailedWriteIsSilent) {
    g.materials.clear();
    g.workspace = tmp.path() / "gone";
    Autosaver saver;

    EXPECT_TRUE(saver.tick(g));
    saver.waitIdle();

    EXPECT_FALSE(saver.running());
    EXPECT_FALSE(fs::exists(g.workspace));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(AutosaveTest, DestroyingTheSaverFinishesTheWrite) {
    const Result<std::string> expected = serializeProject(g);
    ASSERT_TRUE(test::succeeded(expected));
    {
        Autosaver saver;
        ASSERT_TRUE(saver.tick(g));
    }
    EXPECT_EQ(readFile(autosavePath()), *expected);
}

// The editing thread keeps changing values and curves while the autosaves are written. Every
// file must be exactly the project as it was at its tick, and must open. Run this under
// ThreadSanitizer as well.
TEST_F(AutosaveTest, EditsDuringWritesNeverReachAFile) {
    g.materials.clear();
    EffectNode& first = *g.rootNode->child(0);
    EffectNode& second = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    EditorHooks hooks;
    History history(g, hooks);
    Autosaver saver;

    constexpr int kEdits = 3000;
    constexpr int kEditsPerTick = 100;
    std::vector<std::string> written;
    std::optional<std::string> pending;
    for (int i = 0; i < kEdits; ++i) {
        if (i % kEditsPerTick == 0) {
            saver.waitIdle();
            if (pending) {
                ASSERT_EQ(readFile(autosavePath()), *pending) << "autosave " << written.size();
                written.push_back(std::move(*pending));
            }
            Result<std::string> serialized = serializeProject(g);
            ASSERT_TRUE(test::succeeded(serialized));
            pending = std::move(serialized).value();
            ASSERT_TRUE(saver.tick(g));
        }
        g.pSelNode = (i % 2 == 0) ? &first : &second;
        history.recordValue(memberId("m_kill.span"), 10 + i % 500);
        history.recordValue(memberId("m_emitter.pos.x"), (i % 999) * 0.1);
        if (i % 5 == 0) {
            history.recordCurveEdit(SlotRed);
            const auto lock = g.pSelNode->lockParams();
            g.pSelNode->graph(SlotRed).setPoints(
                {{0, static_cast<float>(i % 100)}, {50, 50}, {100, static_cast<float>(99 - i % 100)}});
        }
    }
    saver.waitIdle();
    ASSERT_TRUE(pending.has_value());
    ASSERT_EQ(readFile(autosavePath()), *pending);
    written.push_back(std::move(*pending));
    ASSERT_EQ(written.size(), static_cast<std::size_t>(kEdits / kEditsPerTick));

    // Each kept copy opens, and saving the opened project gives the same bytes again.
    for (std::size_t k = 0; k < written.size(); ++k) {
        const fs::path copy = tmp.path() / ("autosave" + std::to_string(k) + ".stn");
        writeFile(copy, written[k]);
        GlobalState opened;
        ASSERT_TRUE(load(opened, copy, "opened")) << k;
        const Result<std::string> saved = serializeProject(opened);
        EXPECT_EQ(saved.value_or(test::failureText(saved)), written[k]) << k;
    }
    EXPECT_TRUE(notifier.messages.empty());
}

} // namespace
} // namespace vintrel
