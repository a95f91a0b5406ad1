#pragma once

#include "output/export_job.h"
#include "output/export_loop.h"
#include "platform/notifier.h"
#include "ui/dialogs/flipbook_preview.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class QProgressDialog;
class QWidget;

namespace vintrel {

class ExportPrompts;
class ProjectDocument;
class RenderAccess;

// An export from the editor. The GUI thread captures the project in an ExportJob and hands it to
// the worker, which draws the frames in place of the view while a progress window shows them
// and offers "中断"; then the user chooses the output file and the output is written from the
// same job on a thread of its own (a video waits for its tool), so the editor stays responsive
// throughout and a failure is still reported. The export dialog's preview still goes the same
// way: captured here, drawn by the worker, announced by previewReady().
class ExportRunner final : public QObject {
    Q_OBJECT

public:
    ExportRunner(ProjectDocument& document, RenderAccess& view, ExportPrompts& prompts, Notifier& notifier,
                 QWidget* window);
    ~ExportRunner() override;

    // GUI thread: asks for the output file, then starts the export of the project's export
    // settings (checked by the dialog). A cancelled choice ends at once, with nothing drawn.
    void start();
    bool running() const { return running_; }
    // GUI thread: asks to stop after the frame being drawn (the progress window's "中断").
    void cancel() { progress_.cancel = true; }

    // Worker thread: the worker's export pass; draws a started export's frames or a requested
    // preview once.
    void runPass();

    // GUI thread: asks the worker for the preview still of the export settings as they stand;
    // previewReady() follows. Ignored while an export or a preview runs.
    void requestPreview();
    bool previewRunning() const { return previewRunning_; }

    // The frames of the latest export whose frames were all drawn, for the playback preview.
    const std::optional<FlipbookSource>& lastFlipbook() const { return lastFlipbook_; }

signals:
    // The export ended: `outcome` as the frames ended, `output` the file written (empty when
    // nothing was written).
    void finished(ExportRun::Outcome outcome, const QString& output);
    // The preview still was drawn into `file` (with the size it was drawn at), or could not be
    // drawn (`file` empty; the reason was reported).
    void previewReady(const QString& file, int width, int height);

private:
    // The frames' progress, written by the worker and read by the progress window's timer.
    class Progress final : public ExportProgress {
    public:
        void begin(int last) override;
        void step() override { ++position; }
        bool cancelRequested() override { return cancel.load(); }

        std::atomic<int> last{1};
        std::atomic<int> position{0};
        std::atomic<bool> cancel{false};
    };

    // Messages from other threads, shown on the GUI thread afterwards.
    class QueuedNotifier final : public Notifier {
    public:
        void show(std::string_view caption, const Message& message) override;
        std::vector<std::pair<std::string, Message>> take();

    private:
        std::mutex mutex_;
        std::vector<std::pair<std::string, Message>> messages_;
    };

    // Hands `job` to the worker and makes sure it runs; false when there is no worker to draw.
    bool handToWorker(std::unique_ptr<ExportJob> job);
    bool workerWasStopped_ = false; // the worker was started for the job it draws
    void framesDone(ExportRun run);
    void previewDone(bool drawn);
    void writeOutput(const ExportRun& run, const std::filesystem::path& output);
    void outputDone(const Status& written, const std::filesystem::path& output);
    void finish(ExportRun::Outcome outcome, const std::filesystem::path& output);
    void showQueuedMessages();
    void updateProgress();

    ProjectDocument& document_;
    RenderAccess& view_;
    ExportPrompts& prompts_;
    Notifier& notifier_;
    QWidget* window_;
    Progress progress_;
    QueuedNotifier workerMessages_;
    // The job the worker draws next, handed over under the mutex; the job being written.
    std::mutex jobMutex_;
    std::unique_ptr<ExportJob> pendingJob_;
    std::unique_ptr<ExportJob> drawnJob_;
    std::shared_ptr<const ExportJob> writtenJob_;
    std::optional<FlipbookSource> lastFlipbook_;
    std::filesystem::path outputPath_; // chosen before the frames are drawn
    bool running_ = false;
    bool previewRunning_ = false;
    QPointer<QProgressDialog> progressWindow_;
    QTimer progressTimer_;
    std::thread outputThread_;
    // How far the output thread has written; null while frames are drawn.
    std::shared_ptr<WriteProgress> writeProgress_;
    ExportRun::Outcome outcome_ = ExportRun::Outcome::Failed;
};

} // namespace vintrel
