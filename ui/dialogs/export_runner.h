#pragma once

#include "output/export_loop.h"
#include "platform/notifier.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <filesystem>
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

// An export from the editor: the frames are drawn on the worker thread, in place of the view,
// while a progress window shows the frames and offers "中断"; then the user chooses the output
// file and the output is written on a thread of its own (a video waits for its tool), so the
// editor stays responsive throughout and a failure is still reported. The preview still of the
// export dialog renders on the GUI thread while the worker is stopped.
class ExportRunner final : public QObject {
    Q_OBJECT

public:
    ExportRunner(ProjectDocument& document, RenderAccess& view, ExportPrompts& prompts, Notifier& notifier,
                 QWidget* window);
    ~ExportRunner() override;

    // GUI thread: starts the export of the project's export settings (checked by the dialog).
    void start();
    bool running() const { return running_; }
    // GUI thread: asks to stop after the frame being drawn (the progress window's "中断").
    void cancel() { progress_.cancel = true; }

    // Worker thread: the worker's export pass; runs a started export once.
    void runPass();

    // GUI thread, while the worker is stopped: the preview still into the render folder. The
    // file, or nothing when it could not be drawn (reported).
    std::optional<std::filesystem::path> renderPreview();

signals:
    // The export ended: `outcome` as the frames ended, `output` the file written (empty when
    // nothing was written).
    void finished(ExportRun::Outcome outcome, const QString& output);

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
        void showMessage(std::string_view caption, std::string_view text) override;
        std::vector<std::pair<std::string, std::string>> take();

    private:
        std::mutex mutex_;
        std::vector<std::pair<std::string, std::string>> messages_;
    };

    void framesDone(ExportRun run);
    void writeOutput(const ExportRun& run, const std::filesystem::path& output);
    void outputDone(bool written, const std::string& error, const std::filesystem::path& output);
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
    std::atomic<bool> pending_{false};
    bool running_ = false;
    QPointer<QProgressDialog> progressWindow_;
    QTimer progressTimer_;
    std::thread outputThread_;
    ExportRun::Outcome outcome_ = ExportRun::Outcome::Failed;
};

} // namespace vintrel
