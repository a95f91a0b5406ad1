#include "ui/dialogs/export_runner.h"

#include "output/export_output.h"
#include "output/export_settings.h"
#include "output/video_output.h"
#include "render/renderer.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/document/project_document.h"
#include "render/render_access.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

namespace vintrel {

namespace {

constexpr int kProgressPollMs = 50;
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

void ExportRunner::QueuedNotifier::showMessage(std::string_view caption, std::string_view text) {
    const std::lock_guard lock(mutex_);
    messages_.emplace_back(std::string(caption), std::string(text));
}

std::vector<std::pair<std::string, std::string>> ExportRunner::QueuedNotifier::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(messages_, {});
}

ExportRunner::ExportRunner(ProjectDocument& document, RenderAccess& view, ExportPrompts& prompts, Notifier& notifier,
                           QWidget* window)
    : QObject(window), document_(document), view_(view), prompts_(prompts), notifier_(notifier), window_(window) {
    connect(&progressTimer_, &QTimer::timeout, this, &ExportRunner::updateProgress);
}

ExportRunner::~ExportRunner() {
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
}

// The worker stops, the size is multiplied for the supersampling, and the worker runs again: it
// sees the export flag and makes its next pass the export's.
void ExportRunner::start() {
    if (running_) {
        return;
    }
    running_ = true;
    document_.stopWorker();
    document_.autosaver().waitIdle();
    document_.setAutosaveGuard(true);
    GlobalState& g = document_.workerState();
    beginExportSize(g);
    progress_.position = 0;
    progress_.last = 1;
    progress_.cancel = false;
    pending_ = true;
    g.sim.isExporting = true;

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

    if (document_.workerRunning() || (document_.startWorker(), document_.workerRunning())) {
        return;
    }
    // No worker to draw with (no view): nothing can be exported.
    pending_ = false;
    g.sim.isExporting = false;
    endExportSize(g);
    workerMessages_.showMessage(Notifier::kDefaultCaption, kCannotDraw);
    framesDone(ExportRun{});
}

void ExportRunner::runPass() {
    if (!pending_.exchange(false)) {
        return;
    }
    GlobalState& g = document_.workerState();
    ExportRun run;
    bool drawn = false;
    const bool ran = view_.renderNow([&](Renderer& renderer) {
        run = renderExportFrames(g, document_.simulation(), renderer, progress_, workerMessages_);
        drawn = true;
    });
    if (!ran || !drawn) {
        // The frames were never started: the size goes back here.
        endExportSize(g);
        workerMessages_.showMessage(Notifier::kDefaultCaption, kCannotDraw);
    }
    g.sim.isExporting = false;
    QMetaObject::invokeMethod(this, [this, run] { framesDone(run); }, Qt::QueuedConnection);
}

void ExportRunner::updateProgress() {
    if (progressWindow_) {
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
        notifier_.showMessage(Notifier::kDefaultCaption, kStopped);
    }
    if (run.outcome != ExportRun::Outcome::Completed) {
        finish(run.outcome, {});
        return;
    }
    const std::optional<std::filesystem::path> output = prompts_.askOutputPath(document_.state().write.type);
    if (!output) {
        finish(run.outcome, {});
        return;
    }
    writeOutput(run, *output);
}

// The sheet, the files, the GIF or the video are made off the GUI thread; a video waits for its
// tool there. The window shows a busy bar meanwhile.
void ExportRunner::writeOutput(const ExportRun& run, const std::filesystem::path& output) {
    outcome_ = run.outcome;
    auto* window = new QProgressDialog(translated("書き出し中"), QString(), 0, 0, window_);
    window->setWindowTitle(translated("書き出し中"));
    window->setWindowModality(Qt::ApplicationModal);
    window->setMinimumDuration(0);
    window->show();
    progressWindow_ = window;
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
    const GlobalState& g = document_.state();
    outputThread_ = std::thread([this, &g, run, output] {
        std::string error;
        const bool written = writeExportOutput(g, run, output, videoToolPath(g), error);
        QMetaObject::invokeMethod(
            this, [this, written, error, output] { outputDone(written, error, output); }, Qt::QueuedConnection);
    });
}

void ExportRunner::outputDone(bool written, const std::string& error, const std::filesystem::path& output) {
    if (outputThread_.joinable()) {
        outputThread_.join();
    }
    if (progressWindow_) {
        progressWindow_->close();
        progressWindow_->deleteLater();
    }
    if (!written) {
        notifier_.showMessage("書き出しエラー", error);
    }
    finish(outcome_, written ? output : std::filesystem::path());
}

void ExportRunner::finish(ExportRun::Outcome outcome, const std::filesystem::path& output) {
    document_.setAutosaveGuard(false);
    running_ = false;
    emit finished(outcome, QString::fromStdString(output.string()));
}

void ExportRunner::showQueuedMessages() {
    for (const auto& [caption, text] : workerMessages_.take()) {
        notifier_.showMessage(caption, text);
    }
}

std::optional<std::filesystem::path> ExportRunner::renderPreview() {
    GlobalState& g = document_.workerState();
    bool drawn = false;
    view_.renderNow([&](Renderer& renderer) {
        drawn = renderPreviewFrame(g, document_.simulation(), renderer, workerMessages_);
    });
    showQueuedMessages();
    if (!drawn) {
        return std::nullopt;
    }
    return previewFile(g);
}

} // namespace vintrel
