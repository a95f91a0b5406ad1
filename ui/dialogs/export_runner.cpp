#include "ui/dialogs/export_runner.h"

#include "output/export_settings.h"
#include "render/render_access.h"
#include "render/renderer.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_types.h"
#include "ui/document/project_document.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

namespace vintrel {

namespace {

constexpr int kProgressPollMs = 50;
constexpr int kWriteProgressSteps = 1000;
constexpr const char* kCannotDraw = "3D ビューを描画できないため、書き出せません。";
constexpr const char* kStopped = "書き出しを中断しました。";

QString translated(const char* text) {
    return QCoreApplication::translate("Export", text);
}

} // namespace

void ExportRunner::Progress::begin(int lastStep) {
    last = std::max(lastStep, 1);
    position = 1;
}

void ExportRunner::QueuedNotifier::show(std::string_view caption, const Message& message) {
    const std::lock_guard lock(mutex_);
    messages_.emplace_back(std::string(caption), message);
}

std::vector<std::pair<std::string, Message>> ExportRunner::QueuedNotifier::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(messages_, {});
}

ExportRunner::ExportRunner(ProjectDocument& document, RenderAccess& view, ExportPrompts& prompts,
                           Notifier& notifier, QWidget* window)
    : QObject(window), document_(document), view_(view), prompts_(prompts), notifier_(notifier),
      window_(window) {
    connect(&progressTimer_, &QTimer::timeout, this, &ExportRunner::updateProgress);
}

ExportRunner::~ExportRunner() {
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
}

// The project is captured in a job, and the worker, told that an export runs, makes its next
// pass the job's.
void ExportRunner::start() {
    if (running_ || previewRunning_) {
        return;
    }
    // The output file is chosen before anything is drawn: a cancelled choice draws nothing.
    const GlobalState& state = document_.state();
    std::optional<std::filesystem::path> output = prompts_.askOutputPath(exportTypeIndex(state.write, state.exportExtras));
    if (!output) {
        emit finished(ExportRun::Outcome::Cancelled, QString());
        return;
    }
    outputPath_ = std::move(*output);
    running_ = true;
    document_.autosaver().waitIdle();
    document_.setAutosaveGuard(true);
    progress_.position = 0;
    progress_.last = 1;
    progress_.cancel = false;
    std::unique_ptr<ExportJob> job =
        ExportJob::capture(document_.state(), document_.viewCamera(), ExportJob::Purpose::Frames);

    auto* window = new QProgressDialog(translated("書き出し中"), QString(), 0, 1, window_);
    // Not the default button: Enter pressed while the frames are drawn must not throw them away.
    auto* stop = new QPushButton(translated("中断"), window);
    stop->setAutoDefault(false);
    stop->setDefault(false);
    stop->setAccessibleName(stop->text());
    window->setCancelButton(stop);
    window->setWindowTitle(translated("書き出し中"));
    window->setAccessibleName(translated("書き出し中"));
    window->setWindowModality(Qt::ApplicationModal);
    window->setMinimumDuration(0);
    window->setAutoClose(false);
    window->setAutoReset(false);
    connect(window, &QProgressDialog::canceled, this, &ExportRunner::cancel);
    window->show();
    progressWindow_ = window;
    progressTimer_.start(kProgressPollMs);

    if (!handToWorker(std::move(job))) {
        // No worker to draw with (no view): nothing can be exported.
        workerMessages_.show(Notifier::kDefaultCaption, Message{kCannotDraw});
        framesDone(ExportRun{});
    }
}

void ExportRunner::requestPreview() {
    if (running_ || previewRunning_) {
        return;
    }
    previewRunning_ = true;
    if (!handToWorker(ExportJob::capture(document_.state(), document_.viewCamera(),
                                         ExportJob::Purpose::PreviewStill))) {
        workerMessages_.show(Notifier::kDefaultCaption, Message{kCannotDraw});
        previewDone(false);
    }
}

bool ExportRunner::handToWorker(std::unique_ptr<ExportJob> job) {
    {
        const std::lock_guard lock(jobMutex_);
        pendingJob_ = std::move(job);
    }
    SimulationStatus& status = document_.simulationStatus();
    status.isExporting = true;
    workerWasStopped_ = !document_.workerRunning();
    if (!workerWasStopped_ || (document_.startWorker(), document_.workerRunning())) {
        return true;
    }
    status.isExporting = false;
    const std::lock_guard lock(jobMutex_);
    pendingJob_.reset();
    return false;
}

void ExportRunner::runPass() {
    std::unique_ptr<ExportJob> job;
    {
        const std::lock_guard lock(jobMutex_);
        job = std::move(pendingJob_);
    }
    if (!job) {
        return;
    }
    const bool frames = job->purpose() == ExportJob::Purpose::Frames;
    ExportRun run;
    bool drawn = false;
    // The view's context is current for the job's own renderer.
    const bool ran = view_.renderNow([&](Renderer&) {
        if (frames) {
            run = job->renderFrames(progress_, workerMessages_);
        } else {
            drawn = job->renderPreview(workerMessages_);
        }
    });
    if (!ran) {
        workerMessages_.show(Notifier::kDefaultCaption, Message{kCannotDraw});
    }
    {
        const std::lock_guard lock(jobMutex_);
        drawnJob_ = std::move(job);
    }
    document_.simulationStatus().isExporting = false;
    if (frames) {
        QMetaObject::invokeMethod(
            this, [this, run] { framesDone(run); }, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(
            this, [this, drawn] { previewDone(drawn); }, Qt::QueuedConnection);
    }
}

void ExportRunner::updateProgress() {
    if (progressWindow_ && writeProgress_) {
        progressWindow_->setValue(static_cast<int>(writeProgress_->share() * kWriteProgressSteps));
    } else if (progressWindow_) {
        progressWindow_->setMaximum(progress_.last.load());
        progressWindow_->setValue(std::min(progress_.position.load(), progress_.last.load()));
    }
}

void ExportRunner::framesDone(ExportRun run) {
    progressTimer_.stop();
    if (progressWindow_) {
        progressWindow_->close();
        progressWindow_->deleteLater();
    }
    showQueuedMessages();
    if (run.outcome == ExportRun::Outcome::Cancelled) {
        notifier_.show(Notifier::kDefaultCaption, Message{kStopped});
    }
    {
        const std::lock_guard lock(jobMutex_);
        writtenJob_ = std::move(drawnJob_);
    }
    if (run.outcome != ExportRun::Outcome::Completed || !writtenJob_) {
        finish(run.outcome, {});
        return;
    }
    const GlobalState& exported = writtenJob_->state();
    const bool motion = (run.channels & channelBit(ExportChannel::Motion)) != 0;
    lastFlipbook_ = FlipbookSource{renderFolder(exported), run.lastIndex,
                                   QSize(exported.project.width, exported.project.height),
                                   static_cast<double>(exported.project.fps) / std::max(1, exported.write.step),
                                   motion ? run.motionStrength : 0.0f};
    writeOutput(run, outputPath_);
}

// The sheet, the files, the GIF or the video are made off the GUI thread; a video waits for its
// tool there. The window's bar follows the writing.
void ExportRunner::writeOutput(const ExportRun& run, const std::filesystem::path& output) {
    outcome_ = run.outcome;
    auto* window = new QProgressDialog(translated("書き出し中"), QString(), 0, kWriteProgressSteps, window_);
    window->setWindowTitle(translated("書き出し中"));
    window->setAccessibleName(translated("書き出し中"));
    window->setWindowModality(Qt::ApplicationModal);
    window->setMinimumDuration(0);
    window->setAutoClose(false);
    window->setAutoReset(false);
    window->setValue(0);
    window->show();
    progressWindow_ = window;
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
    writeProgress_ = std::make_shared<WriteProgress>();
    progressTimer_.start(kProgressPollMs);
    outputThread_ = std::thread([this, job = writtenJob_, run, output, progress = writeProgress_] {
        Status written = job->writeOutput(run, output, progress.get());
        QMetaObject::invokeMethod(
            this, [this, written = std::move(written), output] { outputDone(written, output); },
            Qt::QueuedConnection);
    });
}

void ExportRunner::outputDone(const Status& written, const std::filesystem::path& output) {
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
    progressTimer_.stop();
    writeProgress_.reset();
    if (progressWindow_) {
        progressWindow_->close();
        progressWindow_->deleteLater();
    }
    if (!written) {
        notifier_.show("書き出しエラー", written.error());
    }
    finish(outcome_, written ? output : std::filesystem::path());
}

void ExportRunner::finish(ExportRun::Outcome outcome, const std::filesystem::path& output) {
    writtenJob_.reset();
    document_.setAutosaveGuard(false);
    running_ = false;
    emit finished(outcome, QString::fromStdString(output.string()));
}

void ExportRunner::showQueuedMessages() {
    for (const auto& [caption, message] : workerMessages_.take()) {
        notifier_.show(caption, message);
    }
}

void ExportRunner::previewDone(bool drawn) {
    previewRunning_ = false;
    // The export dialog keeps the worker stopped while it is open.
    if (workerWasStopped_) {
        document_.stopWorker();
    }
    std::unique_ptr<ExportJob> job;
    {
        const std::lock_guard lock(jobMutex_);
        job = std::move(drawnJob_);
    }
    showQueuedMessages();
    if (!drawn || !job) {
        emit previewReady({}, 0, 0);
        return;
    }
    const GlobalState& s = job->state();
    emit previewReady(QString::fromStdString(previewFile(s).string()), s.project.width, s.project.height);
}

} // namespace vintrel
