// The export dialog on the off-screen platform: what it proposes, what it refuses, what it keeps.
#include "render/render_access.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/numeric_field.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_runner.h"
#include "ui/document/project_document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class RecordingExportPrompts final : public ExportPrompts {
public:
    std::optional<QColor> askGlowColor(const QColor&) override { return color; }
    std::optional<std::filesystem::path> askOutputPath(int) override {
        ++outputQuestions;
        return output;
    }
    void showProblem(const QString& caption, const QString& text) override { problems.emplace_back(caption, text); }
    std::optional<QColor> color;
    std::optional<std::filesystem::path> output;
    int outputQuestions = 0;
    std::vector<std::pair<QString, QString>> problems;
};

// No view to draw with: an export started without one ends at once.
class NoRendering final : public RenderAccess {
public:
    bool renderNow(const Task&) override { return false; }
};

class ExportDialogTest : public testing::Test {
protected:
    ExportDialogTest() {
        test::startProject(g, dir.path() / "run");
        g.project.frame = 100;
        g.project.fps = 30;
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
        runner = std::make_unique<ExportRunner>(*document, rendering, prompts, notifier, nullptr);
        dialog = std::make_unique<ExportDialog>(*document, *runner, prompts, nullptr);
    }

    void type(int id, const QString& text) {
        NumericField* field = dialog->field(id);
        ASSERT_NE(field, nullptr) << id;
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    RecordingExportPrompts prompts;
    NoRendering rendering;
    std::unique_ptr<ProjectDocument> document;
    std::unique_ptr<ExportRunner> runner;
    std::unique_ptr<ExportDialog> dialog;
};

TEST_F(ExportDialogTest, ANewRangeProposesTheSheetsColumns) {
    type(1011, QStringLiteral("1"));
    type(1017, QStringLiteral("100"));
    EXPECT_EQ(dialog->draft().write.width, 10);
    EXPECT_EQ(dialog->field(1047)->text(), QStringLiteral("10"));
    type(1023, QStringLiteral("3"));
    EXPECT_EQ(dialog->draft().write.width, 6);
    EXPECT_EQ(dialog->summary()->text(), QStringLiteral("34枚"));
}

TEST_F(ExportDialogTest, VideoShowsItsLengthAndHasNoColumnsNorTransparency) {
    type(1011, QStringLiteral("1"));
    type(1017, QStringLiteral("45"));
    type(1023, QStringLiteral("1"));
    emit dialog->typeList()->activated(2);
    EXPECT_EQ(dialog->summary()->text(), QStringLiteral("約1.5秒"));
    EXPECT_FALSE(dialog->field(1047)->isEnabled());
    EXPECT_FALSE(dialog->transparentCheck()->isEnabled());
    emit dialog->typeList()->activated(1);
    EXPECT_FALSE(dialog->field(1047)->isEnabled());
    EXPECT_TRUE(dialog->transparentCheck()->isEnabled());
}

TEST_F(ExportDialogTest, RangesThatCannotBeExportedAreRefusedAndTheDialogStays) {
    type(1011, QStringLiteral("5"));
    type(1017, QStringLiteral("3"));
    EXPECT_FALSE(dialog->acceptAndExport());
    type(1011, QStringLiteral("0"));
    type(1017, QStringLiteral("10"));
    EXPECT_FALSE(dialog->acceptAndExport());
    type(1011, QStringLiteral("1"));
    type(1017, QStringLiteral("101"));
    EXPECT_FALSE(dialog->acceptAndExport());
    ASSERT_EQ(prompts.problems.size(), 3u);
    EXPECT_EQ(prompts.problems[0].first, QStringLiteral("設定を修正してください。"));
    EXPECT_EQ(prompts.problems[0].second, QStringLiteral("開始フレームが終了フレームより大きくなっています"));
    EXPECT_EQ(prompts.problems[1].second, QStringLiteral("開始フレームが正しくありません"));
    EXPECT_EQ(prompts.problems[2].second, QStringLiteral("終了フレームが正しくありません"));
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_FALSE(runner->running());
}

// Opened and closed without an edit, the dialog changes nothing, although it shows a preview
// frame and rows the project does not hold yet.
TEST_F(ExportDialogTest, CancelWithoutAnEditLeavesTheProjectUnmodified) {
    const WriteSettings before = g.write;
    EXPECT_EQ(dialog->field(1018)->text(), QStringLiteral("50"));
    dialog->reject();
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(g.project.previewFrame, -1);
    EXPECT_EQ(g.write.height, before.height);
}

// Cancel keeps what was typed (the edits are the project's export settings), and the preview
// frame of a project that never had one starts in the middle.
TEST_F(ExportDialogTest, CancelKeepsTheEditsAndThePreviewFrameStartsInTheMiddle) {
    EXPECT_EQ(dialog->field(1018)->text(), QStringLiteral("50"));
    type(1012, QStringLiteral("4"));
    dialog->reject();
    EXPECT_EQ(g.project.growRange, 4);
    EXPECT_EQ(g.project.previewFrame, 50);
    EXPECT_TRUE(document->isModified());
}

// Without a view to draw with, an accepted export ends at once: nothing is left half-done.
TEST_F(ExportDialogTest, AcceptedExportWithoutAViewRestoresTheProject) {
    prompts.output = dir.path() / "out.png";
    type(1011, QStringLiteral("1"));
    type(1017, QStringLiteral("10"));
    type(1089, QStringLiteral("2"));
    QSignalSpy finished(runner.get(), &ExportRunner::finished);
    ASSERT_TRUE(dialog->acceptAndExport());
    EXPECT_EQ(prompts.outputQuestions, 1);
    ASSERT_EQ(finished.count(), 1); // with no view, it ends before the dialog returns
    EXPECT_EQ(finished.front().front().value<ExportRun::Outcome>(), ExportRun::Outcome::Failed);
    EXPECT_EQ(g.project.width, 128);
    EXPECT_EQ(g.project.height, 128);
    EXPECT_FALSE(g.sim.isExporting.load());
    EXPECT_FALSE(runner->running());
    EXPECT_FALSE(document->autosaver().guard());
}

// The output file is asked for when OK is pressed: a cancelled choice ends the export before a
// frame is drawn (without a view, trying to draw would report that it cannot).
TEST_F(ExportDialogTest, ACancelledFileChoiceDrawsNothing) {
    QSignalSpy finished(runner.get(), &ExportRunner::finished);
    ASSERT_TRUE(dialog->acceptAndExport());
    EXPECT_EQ(prompts.outputQuestions, 1);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.front().front().value<ExportRun::Outcome>(), ExportRun::Outcome::Cancelled);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_FALSE(g.sim.isExporting.load());
    EXPECT_FALSE(runner->running());
    EXPECT_FALSE(document->autosaver().guard());
}

} // namespace
} // namespace vintrel
