// The document the editor's windows change the project through: what each change records,
// publishes to the worker and announces, and the editing thread and the worker side by side.
#include "persist/project_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"

#include <QSignalSpy>
#include <atomic>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::FailingNotifier;
using test::TempDir;

constexpr MemberId kSpan = memberId("m_kill.span");

class DocumentTest : public testing::Test {
protected:
    DocumentTest() { test::startProject(g, dir.path() / "run"); }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    FailingNotifier notifier;
};

TEST_F(DocumentTest, ValueEditIsRecordedPublishedAndAnnounced) {
    ProjectDocument document(g, defaults, notifier);
    QSignalSpy values(&document, &ProjectDocument::nodeValueChanged);
    QSignalSpy modified(&document, &ProjectDocument::modifiedChanged);

    ASSERT_TRUE(document.setValue(kSpan, 30));
    ASSERT_TRUE(document.setValue(kSpan, 40));
    EXPECT_FALSE(document.setValue(kSpan, 40)); // unchanged: nothing happens
    EXPECT_EQ(g.pSelNode->m_kill.span, 40);
    EXPECT_EQ(document.history().entries().size(), 2u); // the two edits of one field merge
    EXPECT_EQ(values.count(), 2);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.front().front().toBool());

    // A project value reaches the worker's copy at once; a live change without the document
    // does not.
    ASSERT_TRUE(document.setValue(projectFieldId("g.project.isCameraMove"), 1));
    EXPECT_EQ(g.frameInputs().project.isCameraMove, 1);
    g.project.fps = 5;
    EXPECT_EQ(g.frameInputs().project.fps, 60);
}

TEST_F(DocumentTest, UndoAndRedoRestoreValuesAndEnableThemselves) {
    ProjectDocument document(g, defaults, notifier);
    const int before = g.pSelNode->m_kill.span;
    EXPECT_FALSE(document.canUndo());
    document.setValue(kSpan, 10);
    document.setValue(kSpan, 20);
    document.setValue(kSpan, 30);
    ASSERT_TRUE(document.canUndo());
    EXPECT_FALSE(document.canRedo());

    QSignalSpy selection(&document, &ProjectDocument::selectionChanged);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(g.pSelNode->m_kill.span, before);
    EXPECT_FALSE(document.canUndo());
    EXPECT_TRUE(document.canRedo());
    EXPECT_GE(selection.count(), 1); // the panels show the restored values
    ASSERT_TRUE(document.redo());
    EXPECT_EQ(g.pSelNode->m_kill.span, 30);
    EXPECT_FALSE(document.redo());
}

TEST_F(DocumentTest, TreeCommandAndSelectionReachTheWorkerCopy) {
    ProjectDocument document(g, defaults, notifier);
    QSignalSpy tree(&document, &ProjectDocument::treeChanged);
    EffectNode* first = g.pSelNode;
    ASSERT_TRUE(document.runTreeCommand(TreeEditor::AddSibling));
    EXPECT_NE(g.pSelNode, first);
    EXPECT_EQ(g.frameInputs().selected, g.pSelNode);
    EXPECT_GE(tree.count(), 1);

    document.select(first);
    EXPECT_EQ(g.frameInputs().selected, first);
    EXPECT_EQ(document.history().entries().back().title, "＜ノード2＞を追加");
}

TEST_F(DocumentTest, RemakeAddsOneToTheSeedAndKeepsItAsAChange) {
    g.project.randomSeed = 41;
    ProjectDocument document(g, defaults, notifier);
    QSignalSpy reset(&document, &ProjectDocument::viewReset);
    document.remake();
    EXPECT_EQ(g.project.randomSeed, 42);
    EXPECT_EQ(g.frameInputs().project.randomSeed, 42);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(document.simulation().currentFrame(), 1u);
}

TEST_F(DocumentTest, BackgroundColourIsClampedAndPublished) {
    ProjectDocument document(g, defaults, notifier);
    document.setBackgroundColor(300, -4, 128);
    EXPECT_EQ(g.frameInputs().project.backColor.x, 255.0f);
    EXPECT_EQ(g.frameInputs().project.backColor.y, 0.0f);
    EXPECT_EQ(g.frameInputs().project.backColor.z, 128.0f);
    EXPECT_TRUE(document.isModified());
}

TEST_F(DocumentTest, SaveNamesTheProjectAndLoadReplacesItWithAFreshHistory) {
    ProjectDocument document(g, defaults, notifier);
    QSignalSpy file(&document, &ProjectDocument::fileChanged);
    document.setValue(kSpan, 77);
    const std::filesystem::path saved = dir.path() / "effect.stn";
    ASSERT_TRUE(document.save(saved));
    EXPECT_EQ(document.fileName(), QStringLiteral("effect.stn"));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(file.count(), 1);

    document.setValue(kSpan, 5);
    ASSERT_TRUE(document.load(saved));
    EXPECT_EQ(g.pSelNode->m_kill.span, 77);
    EXPECT_EQ(document.history().entries().size(), 1u);
    EXPECT_FALSE(document.isModified());
    // The view is asked to show the loaded camera.
    EXPECT_TRUE(g.cameraHandover.takeRequest().has_value());
}

TEST_F(DocumentTest, FileThatCannotBeOpenedChangesNothing) {
    test::RecordingNotifier messages;
    ProjectDocument document(g, defaults, messages);
    document.setValue(kSpan, 12);
    EXPECT_FALSE(document.load(dir.path() / "missing.stn"));
    EXPECT_FALSE(messages.messages.empty());
    EXPECT_EQ(g.pSelNode->m_kill.span, 12);
    EXPECT_EQ(document.history().entries().size(), 2u);
    EXPECT_TRUE(document.isModified());
}

// A crashed run's autosave opens as a project of its own: untitled and modified (closing asks,
// since the work is nowhere else now), and the autosave file is gone, so the next start does
// not offer the same crash again.
TEST_F(DocumentTest, RestoredAutosaveIsDeletedAndLeavesAnUntitledModifiedProject) {
    GlobalState crashed;
    test::startProject(crashed, dir.path() / "crashed");
    crashed.pSelNode->m_kill.span = 99;
    const std::filesystem::path autosave = crashed.workspace / kAutosaveFileName;
    ASSERT_TRUE(saveProject(crashed, autosave, notifier));

    ProjectDocument document(g, defaults, notifier);
    ASSERT_TRUE(document.load(autosave));
    document.adoptRestoredAutosave(autosave);
    EXPECT_FALSE(std::filesystem::exists(autosave));
    EXPECT_EQ(g.pSelNode->m_kill.span, 99);
    EXPECT_FALSE(document.hasFileName());
    EXPECT_EQ(document.fileName(), QString::fromUtf8(GlobalState::kUntitledName));
    EXPECT_TRUE(document.isModified());
}

class CountingClock final : public FrameTimeSource {
public:
    // Every call is a frame later: the worker steps on every pass.
    std::uint32_t nowMs() const override { return now += 100; }
    mutable std::atomic<std::uint32_t> now{0};
};

// The editing thread changes values, curves, the tree, the selection and the project, undoes,
// saves and autosaves while the worker steps: run under ThreadSanitizer, nothing may race.
TEST_F(DocumentTest, EditsSavesAndAutosavesWhileTheWorkerSteps) {
    ProjectDocument document(g, defaults, notifier);
    CountingClock clock;
    std::atomic<int> frames{0};
    document.attachWorker({[&frames] { ++frames; }, {}}, clock);
    document.resetView();
    ASSERT_TRUE(document.workerRunning());
    for (int round = 0; round < 20; ++round) {
        document.setValue(memberId("m_timing.num"), round % 5 + 1);
        document.setValue(memberId("m_emitter.pos.x"), round * 0.5);
        document.setValue(projectFieldId("g.project.sort"), round % 2);
        document.setCurvePoints(0, {{0, 0.5f}, {1, static_cast<float>(round % 3) / 3.0f}});
        if (round % 5 == 0) {
            document.runTreeCommand(TreeEditor::AddChild);
            document.undo();
        }
        // Another node, as a click in the node panel selects it: the guide follows.
        document.select(round % 2 == 0 ? g.cameraNode.get() : g.rootNode->child(0));
        document.autosaveTick();
    }
    ASSERT_TRUE(document.save(dir.path() / "busy.stn"));
    document.stopWorker();
    EXPECT_GT(frames.load(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "busy.stn"));
}

} // namespace
} // namespace vintrel
