// An export captured from the document is drawn on a thread of its own, as the editor's worker
// draws it, while the editing thread goes on changing the project. The job holds its own copy:
// it draws exactly what it draws alone, and the project is never written (run under
// ThreadSanitizer as well, where any read of the project by the drawing thread is a race).
#include "output/export_job.h"
#include "output/export_settings.h"
#include "platform/egl_context.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"

#include <QImage>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace vintrel {
namespace {

using test::FailingNotifier;
using test::RecordingNotifier;
using test::TempDir;

class QuietProgress final : public ExportProgress {
public:
    void begin(int) override {}
    void step() override {}
    bool cancelRequested() override { return false; }
};

class ExportJobTest : public testing::Test {
protected:
    ExportJobTest() {
        test::startProject(g, dir.path() / "run");
        g.project.frame = 60;
        g.project.width = 32;
        g.project.height = 24;
        g.write.start = 1;
        g.write.end = 10;
        g.write.smooth = 2;
        EffectNode& node = *g.rootNode->child(0);
        node.m_timing.num = 4;
        node.m_move.speed = 40;
        documentPtr = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    std::unique_ptr<ExportJob> capture(ExportJob::Purpose purpose) {
        return ExportJob::capture(document().state(), document().viewCamera(), purpose);
    }

    // Runs `draw` on a thread of its own with an OpenGL context current there, and `meanwhile`
    // on this thread until the drawing ends.
    template <class Draw, class Meanwhile> void onDrawingThread(Draw draw, Meanwhile meanwhile) {
        std::atomic<bool> done{false};
        std::thread drawing([&] {
            const Result<std::unique_ptr<HeadlessGlContext>> context = HeadlessGlContext::create();
            if (context && (*context)->makeCurrent()) {
                draw();
            } else {
                ADD_FAILURE() << "no headless OpenGL context";
            }
            done = true;
        });
        for (int round = 0; !done.load(); ++round) {
            meanwhile(round);
        }
        drawing.join();
    }

    std::vector<QImage> intermediateFrames(const ExportJob& job, const ExportRun& run) const {
        std::vector<QImage> frames;
        for (int k = 0; k <= run.lastIndex; ++k) {
            frames.emplace_back(QString::fromStdString(intermediateFrame(job.state(), k).string()));
        }
        return frames;
    }

    // What a user does in the editor while an export runs elsewhere: values, curves, the tree,
    // the selection, undo and the project's own settings.
    void edit(int round) {
        document().setValue(memberId("m_timing.num"), round % 7 + 1);
        document().setValue(memberId("m_emitter.pos.x"), round * 0.5);
        document().setValue(projectFieldId("g.project.sort"), round % 2);
        document().setCurvePoints(SlotAlpha, {{0, 100}, {100, static_cast<float>(round % 100)}});
        if (round % 3 == 0) {
            document().runTreeCommand(TreeEditor::AddChild);
        } else if (round % 3 == 1) {
            document().undo();
        }
        document().changeProject([round](GlobalState& state) {
            state.project.width = 32 + round % 5;
            state.write.smooth = 1 + round % 3;
        });
    }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    FailingNotifier notifier;
    std::unique_ptr<ProjectDocument> documentPtr;
    ProjectDocument& document() { return *documentPtr; }
    QuietProgress progress;
};

TEST_F(ExportJobTest, DrawsTheProjectAsCapturedWhileTheEditorEditsIt) {
    const std::unique_ptr<ExportJob> alone = capture(ExportJob::Purpose::Frames);
    ASSERT_EQ(alone->state().project.width, 64) << "the job draws at the supersampled size";
    RecordingNotifier aloneMessages;
    ExportRun aloneRun;
    onDrawingThread([&] { aloneRun = alone->renderFrames(progress, aloneMessages); }, [](int) {});
    ASSERT_EQ(aloneRun.outcome, ExportRun::Outcome::Completed);
    const std::vector<QImage> expected = intermediateFrames(*alone, aloneRun);
    ASSERT_EQ(expected.size(), 10u);
    ASSERT_FALSE(expected.front() == expected.back()) << "the particles move over the range";

    const std::unique_ptr<ExportJob> busy = capture(ExportJob::Purpose::Frames);
    RecordingNotifier busyMessages;
    ExportRun busyRun;
    int edits = 0;
    onDrawingThread([&] { busyRun = busy->renderFrames(progress, busyMessages); },
                    [&](int round) {
                        edit(round);
                        edits = round + 1;
                    });

    EXPECT_GT(edits, 0);
    EXPECT_TRUE(aloneMessages.messages.empty());
    EXPECT_TRUE(busyMessages.messages.empty());
    ASSERT_EQ(busyRun.outcome, ExportRun::Outcome::Completed);
    const std::vector<QImage> drawn = intermediateFrames(*busy, busyRun);
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t k = 0; k < drawn.size(); ++k) {
        EXPECT_EQ(drawn[k].size(), QSize(64, 48)) << k;
        EXPECT_TRUE(drawn[k] == expected[k]) << "frame " << k << " differs";
    }
    // The export divided its own size back and wrote nothing into the project.
    EXPECT_EQ(busy->state().project.width, 32);
    EXPECT_EQ(g.project.width, 32 + (edits - 1) % 5);
}

TEST_F(ExportJobTest, ThePreviewClampsItsFrameInItsOwnCopy) {
    g.project.previewFrame = 500;
    const std::unique_ptr<ExportJob> job = capture(ExportJob::Purpose::PreviewStill);
    RecordingNotifier messages;
    bool drawn = false;
    onDrawingThread([&] { drawn = job->renderPreview(messages); }, [this](int round) { edit(round); });
    ASSERT_TRUE(drawn);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(job->state().project.previewFrame, 60);
    EXPECT_EQ(g.project.previewFrame, 500);
    const QImage still(QString::fromStdString(previewFile(job->state()).string()));
    EXPECT_EQ(still.size(), QSize(64, 48));
}

} // namespace
} // namespace vintrel
