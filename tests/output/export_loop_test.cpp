// The export loop: which frames become intermediate files, the wrap, cancel, progress, the
// background alpha by output type, and the project size around it.

#include "engine/simulation.h"
#include "output/export_loop.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "render/gl_test_support.h"
#include "render/renderer.h"
#include "support/result_checks.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

class CountingProgress final : public ExportProgress {
public:
    void begin(int last) override {
        this->last = last;
        position = 1;
    }
    void step() override { ++position; }
    bool cancelRequested() override { return ++polls >= cancelAfter; }

    int last = 0;
    int position = 0;
    int polls = 0;
    int cancelAfter = 1 << 30;
};

class ExportLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test::sharedGlContext(), nullptr);
        ASSERT_TRUE(test::sharedGlContext()->makeCurrent());
        test::startProject(g, folder.path() / "work");
        g.project.width = 24;
        g.project.height = 16;
        g.project.frame = 60;
        g.write.smooth = 1;
        simulation = std::make_unique<Simulation>(g);
        simulation->reset();
        renderer = Renderer::create(g, *simulation, g.viewCamera).value_or(nullptr);
        ASSERT_NE(renderer, nullptr);
    }

    ExportRun run(int start, int end, int step) {
        g.write.start = start;
        g.write.end = end;
        g.write.step = step;
        beginExportSize(g);
        return renderExportFrames(g, *simulation, *renderer, progress, notifier);
    }

    int filesWritten() const {
        int count = 0;
        while (fs::exists(intermediateFrame(g, count))) {
            ++count;
        }
        return count;
    }

    test::TempDir folder;
    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
    CountingProgress progress;
    test::RecordingNotifier notifier;
};

TEST_F(ExportLoopTest, WholeEffectWritesOneFilePerFrame) {
    const ExportRun r = run(1, 60, 1);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Completed);
    EXPECT_EQ(r.lastIndex, 59);
    EXPECT_EQ(filesWritten(), 60);
    EXPECT_EQ(intermediateFrame(g, 59).filename(), "00059.png");
    // r = 60 frames, the bar from 1 to 2r + 1, two steps a frame.
    EXPECT_EQ(progress.last, 121);
    EXPECT_EQ(progress.position, 121);
}

TEST_F(ExportLoopTest, StepSkipsFrames) {
    const ExportRun r = run(1, 10, 3);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Completed);
    EXPECT_EQ(r.lastIndex, 3); // frames 1, 4, 7, 10
    EXPECT_EQ(filesWritten(), 4);
    EXPECT_EQ(progress.last, 2 * 4 + 1);
}

TEST_F(ExportLoopTest, ExtraChannelsHaveTheirOwnFramesAndSteps) {
    g.exportExtras.channels = kColorOnly | channelBit(ExportChannel::Motion) | channelBit(ExportChannel::Depth);
    const ExportRun r = run(1, 10, 3);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Completed);
    EXPECT_EQ(r.channels, g.exportExtras.channels);
    EXPECT_EQ(filesWritten(), 4);
    for (ExportChannel channel : {ExportChannel::Motion, ExportChannel::Depth}) {
        EXPECT_TRUE(fs::exists(channelFolder(renderFolder(g), channel) / "00003.png"));
    }
    EXPECT_FALSE(fs::exists(channelFolder(renderFolder(g), ExportChannel::Emissive)));
    // Two steps a frame for each of the three channels.
    EXPECT_EQ(progress.last, 2 * 4 * 3 + 1);
    EXPECT_EQ(progress.position, progress.last);
}

TEST_F(ExportLoopTest, RangePastTheLastFrameStopsAtTheWrap) {
    g.project.frame = 20;
    const ExportRun r = run(15, 30, 1);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Completed);
    EXPECT_EQ(r.lastIndex, 5); // frames 15 .. 20
    EXPECT_EQ(filesWritten(), 6);
}

TEST_F(ExportLoopTest, CancelKeepsTheFramesWrittenAndRestoresTheSize) {
    g.write.smooth = 2;
    progress.cancelAfter = 3;
    const ExportRun r = run(1, 60, 1);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Cancelled);
    EXPECT_EQ(r.lastIndex, -1);
    EXPECT_EQ(filesWritten(), 3);
    EXPECT_EQ(QImage(QString::fromStdString(intermediateFrame(g, 0).string())).size(), QSize(48, 32));
    EXPECT_EQ(g.project.width, 24);
    EXPECT_EQ(g.project.height, 16);
    // No output comes of a cancelled run.
    std::string error;
    error = test::failureText(writeExportOutput(g, r, folder.path() / "sheet.png", {}));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(folder.path() / "sheet.png"));
}

TEST_F(ExportLoopTest, OnlyTheVideoHasAnOpaqueBackground) {
    g.project.backColor = FloatXYZ{0, 0, 255};
    for (int type : {0, 1, 2, 3}) {
        g.write.type = type;
        ASSERT_EQ(run(1, 1, 1).outcome, ExportRun::Outcome::Completed);
        const QImage frame(QString::fromStdString(intermediateFrame(g, 0).string()));
        EXPECT_EQ(frame.pixelColor(0, 0).alpha(), type == 2 ? 255 : 0) << "type " << type;
        if (type == 2) {
            EXPECT_EQ(frame.pixelColor(0, 0).blue(), 255);
        }
    }
}

TEST_F(ExportLoopTest, TargetsThatCannotBeMadeEndTheExportAtOnce) {
    g.project.width = 1 << 20;
    const ExportRun r = run(1, 10, 1);
    EXPECT_EQ(r.outcome, ExportRun::Outcome::Failed);
    EXPECT_EQ(filesWritten(), 0);
    EXPECT_EQ(g.project.width, 1 << 20);
    EXPECT_FALSE(notifier.messages.empty());
}

TEST_F(ExportLoopTest, PreviewWritesTheClampedFrameAtTheSupersampledSize) {
    g.write.smooth = 3;
    g.project.previewFrame = 500;
    ASSERT_TRUE(renderPreviewFrame(g, *simulation, *renderer, notifier));
    EXPECT_EQ(g.project.previewFrame, 60);
    EXPECT_EQ(QImage(QString::fromStdString(previewFile(g).string())).size(), QSize(72, 48));
    EXPECT_EQ(g.project.width, 24);
}

TEST(ExportSettingsTest, RangeRefusalsAndSheetRows) {
    WriteSettings w;
    w.start = 5;
    w.end = 4;
    EXPECT_EQ(test::failureText(checkExportRange(w, 60)), "開始フレームが終了フレームより大きくなっています");
    EXPECT_STREQ(kExportSettingsCaption, "設定を修正してください。");
    w.start = 0;
    w.end = 10;
    EXPECT_EQ(test::failureText(checkExportRange(w, 60)), "開始フレームが正しくありません");
    w.start = 1;
    w.end = 61;
    EXPECT_EQ(test::failureText(checkExportRange(w, 60)), "終了フレームが正しくありません");
    w.end = 60;
    EXPECT_TRUE(test::succeeded(checkExportRange(w, 60)));
    // 10 frames in 4 columns need 3 rows.
    w.end = 10;
    w.step = 1;
    w.width = 4;
    EXPECT_EQ(sheetRowCount(w), 3);
    w.width = 10;
    EXPECT_EQ(sheetRowCount(w), 1);
}

} // namespace
} // namespace vintrel
