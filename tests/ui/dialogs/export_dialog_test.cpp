// The export dialog on the off-screen platform: what it proposes, what it refuses, what it keeps.
#include "render/render_access.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/numeric_field.h"
#include "output/video_output.h"
#include "ui/dialogs/export_details_dialog.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_preview.h"
#include "ui/dialogs/export_types.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_runner.h"
#include "ui/document/project_document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class RecordingExportPrompts final : public ExportPrompts {
public:
    std::optional<QColor> askGlowColor(const QColor&) override { return color; }
    std::optional<std::filesystem::path> askOutputPath(int type) override {
        ++outputQuestions;
        askedType = type;
        return output;
    }
    void showProblem(const QString& caption, const QString& text) override { problems.emplace_back(caption, text); }
    std::optional<QColor> color;
    std::optional<std::filesystem::path> output;
    int outputQuestions = 0;
    int askedType = -1;
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

// Each entry of the type list: the classic type it keeps for other readers, the animated
// format, which controls apply, and the entry the save dialog is asked for.
TEST_F(ExportDialogTest, TheTypeListOffersTheAnimatedFormats) {
    struct Row {
        int classic;
        AnimatedFormat animation;
        bool columns, transparency;
    };
    const Row rows[] = {
        {0, AnimatedFormat::None, true, true},    {1, AnimatedFormat::None, false, true},
        {2, AnimatedFormat::None, false, false},  {3, AnimatedFormat::None, false, true},
        {3, AnimatedFormat::Apng, false, true},   {3, AnimatedFormat::WebP, false, true},
        {2, AnimatedFormat::WebM, false, true},   {2, AnimatedFormat::ProRes, false, true},
    };
    ASSERT_EQ(dialog->typeList()->count(), static_cast<int>(std::size(rows)));
    for (int i = 0; i < dialog->typeList()->count(); ++i) {
        const Row& row = rows[i];
        emit dialog->typeList()->activated(i);
        EXPECT_EQ(dialog->draft().write.type, row.classic) << i;
        EXPECT_EQ(dialog->draft().extras.animation, row.animation) << i;
        EXPECT_EQ(dialog->field(1047)->isEnabled(), row.columns) << i;
        EXPECT_EQ(dialog->transparentCheck()->isEnabled(), row.transparency) << i;
        EXPECT_EQ(exportTypeIndex(dialog->draft().write, dialog->draft().extras), i);
    }
    // Out of range, as a damaged file has it: the nearest classic entry.
    WriteSettings damaged;
    damaged.type = 9;
    EXPECT_EQ(exportTypeIndex(damaged, {}), 3);

    // WebM chosen: the save dialog is asked for its entry (or ffmpeg is missing, and said so).
    prompts.output.reset();
    emit dialog->typeList()->activated(6);
    const bool started = dialog->acceptAndExport();
    if (findFfmpeg()) {
        EXPECT_TRUE(started);
        EXPECT_EQ(prompts.askedType, 6);
        EXPECT_EQ(g.exportExtras.animation, AnimatedFormat::WebM);
    } else {
        EXPECT_FALSE(started);
        ASSERT_EQ(prompts.problems.size(), 1u);
    }
}

template <typename Control>
Control* named(QWidget& parent, const char* name) {
    for (Control* c : parent.findChildren<Control*>()) {
        if (c->accessibleName() == QString::fromUtf8(name)) {
            return c;
        }
    }
    ADD_FAILURE() << "no control named " << name;
    return nullptr;
}

// "詳細…" opens the options for engines; OK takes them into the draft and Cancel of the export
// dialog still keeps them with the project. For other outputs than a sheet the sheet's options
// are off.
TEST_F(ExportDialogTest, TheDetailsEditTheOptionsForEngines) {
    QTest::mouseClick(dialog->detailsButton(), Qt::LeftButton);
    QDialog* details = dialog->detailsDialog();
    ASSERT_NE(details, nullptr);
    named<QComboBox>(*details, "アトラスデータ")->setCurrentIndex(4);
    named<QComboBox>(*details, "透明の扱い")->setCurrentIndex(1);
    named<QComboBox>(*details, "切り詰め")->setCurrentIndex(2);
    named<QSpinBox>(*details, "セルの間隔")->setValue(3);
    named<QSpinBox>(*details, "縁の延長")->setValue(2);
    QSpinBox* maxSide = named<QSpinBox>(*details, "最大サイズ");
    EXPECT_EQ(maxSide->text(), QStringLiteral("制限なし"));
    maxSide->setValue(5);
    QLineEdit* pattern = named<QLineEdit>(*details, "ファイル名");
    QTest::keyClicks(pattern, QStringLiteral("{name}/x_{rows}"));
    EXPECT_EQ(pattern->text(), QStringLiteral("{name}x_{rows}")) << "a folder cannot be typed";
    QSpinBox* loopFrames = named<QSpinBox>(*details, "重ねるフレーム数");
    EXPECT_FALSE(loopFrames->isEnabled());
    named<QCheckBox>(*details, "シームレスループ")->setChecked(true);
    EXPECT_TRUE(loopFrames->isEnabled());
    named<QCheckBox>(*details, "動きベクトルのシート")->setChecked(true);
    named<QCheckBox>(*details, "深度のシート")->setChecked(true);
    details->accept();

    const ExportExtras& x = dialog->draft().extras;
    EXPECT_EQ(x.atlas, AtlasFormat::GodotSpriteFrames);
    EXPECT_EQ(x.alpha, AlphaMode::Premultiplied);
    EXPECT_EQ(x.trim, SheetTrim::Common);
    EXPECT_EQ(x.padding, 3);
    EXPECT_EQ(x.extrude, 2);
    EXPECT_EQ(x.maxSheetSide, kMinSheetSide);
    EXPECT_EQ(x.namePattern, "{name}x_{rows}");
    EXPECT_TRUE(x.loop);
    EXPECT_EQ(x.channels, kColorOnly | channelBit(ExportChannel::Motion) | channelBit(ExportChannel::Depth));
    dialog->reject();
    EXPECT_EQ(g.exportExtras, x);

    ExportDialog numbered(*document, *runner, prompts, nullptr);
    emit numbered.typeList()->activated(1);
    QTest::mouseClick(numbered.detailsButton(), Qt::LeftButton);
    ASSERT_NE(numbered.detailsDialog(), nullptr);
    EXPECT_FALSE(named<QSpinBox>(*numbered.detailsDialog(), "セルの間隔")->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(*numbered.detailsDialog(), "発光レイヤーのシート")->isEnabled());
    EXPECT_TRUE(named<QComboBox>(*numbered.detailsDialog(), "透明の扱い")->isEnabled());
    numbered.detailsDialog()->reject();
    EXPECT_EQ(numbered.draft().extras, x) << "Cancel leaves the options";
}

// The preview still over each backdrop, as the alpha mode shows in the target: half-opaque red
// blended, or added when the export is additive on black.
TEST(ExportPreviewBackdrops, TheStillIsShownOverTheChosenBackdrop) {
    TempDir dir;
    QImage still(16, 16, QImage::Format_ARGB32);
    still.fill(qRgba(255, 0, 0, 128));
    const std::filesystem::path file = dir.path() / "still.png";
    ASSERT_TRUE(still.save(QString::fromStdString(file.string())));
    struct Case {
        AlphaMode alpha;
        PreviewBackdrop backdrop;
        QPoint at;
        QRgb expected;
    };
    const Case cases[] = {
        {AlphaMode::Straight, PreviewBackdrop::BackgroundColour, {0, 0}, qRgb(128, 0, 128)},
        {AlphaMode::Straight, PreviewBackdrop::Black, {0, 0}, qRgb(128, 0, 0)},
        {AlphaMode::Premultiplied, PreviewBackdrop::White, {0, 0}, qRgb(255, 127, 127)},
        {AlphaMode::Straight, PreviewBackdrop::Checkerboard, {0, 0}, qRgb(255, 127, 127)},
        {AlphaMode::Straight, PreviewBackdrop::Checkerboard, {8, 0}, qRgb(230, 102, 102)},
        {AlphaMode::AdditiveOnBlack, PreviewBackdrop::Black, {0, 0}, qRgb(128, 0, 0)},
        {AlphaMode::AdditiveOnBlack, PreviewBackdrop::White, {0, 0}, qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        ExportPreview preview(file, 16, 16, QColor(0, 0, 255), c.alpha, nullptr);
        preview.backdropList()->setCurrentIndex(static_cast<int>(c.backdrop));
        const QColor got = preview.composed().pixelColor(c.at);
        const QColor want = QColor::fromRgb(c.expected);
        EXPECT_NEAR(got.red(), want.red(), 1) << static_cast<int>(c.backdrop);
        EXPECT_NEAR(got.green(), want.green(), 1) << static_cast<int>(c.backdrop);
        EXPECT_NEAR(got.blue(), want.blue(), 1) << static_cast<int>(c.backdrop);
    }
}

} // namespace
} // namespace vintrel
