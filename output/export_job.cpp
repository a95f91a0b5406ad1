#include "output/export_job.h"

#include "engine/simulation.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "output/video_output.h"
#include "platform/notifier.h"
#include "render/renderer.h"

namespace vintrel {

namespace {

constexpr const char* kCannotDraw = "3D ビューを描画できないため、書き出せません。";

// A renderer of the job's copy in the current context; null, reported, when it cannot be made.
std::unique_ptr<Renderer> rendererFor(GlobalState& state, Simulation& simulation, Notifier& notifier) {
    Result<std::unique_ptr<Renderer>> renderer = Renderer::create(state, simulation, state.viewCamera);
    if (!renderer) {
        notifier.show(Notifier::kDefaultCaption, Message{kCannotDraw});
        return nullptr;
    }
    return std::move(renderer).value();
}

} // namespace

std::unique_ptr<ExportJob> ExportJob::capture(const GlobalState& g, const ViewCameraPose& camera,
                                              Purpose purpose) {
    std::unique_ptr<ExportJob> job(new ExportJob(purpose));
    GlobalState& s = job->state_;
    copyProject(g, s);
    s.viewCamera = camera;
    if (purpose == Purpose::Frames) {
        beginExportSize(s);
    }
    return job;
}

ExportRun ExportJob::renderFrames(ExportProgress& progress, Notifier& notifier,
                                  IntermediateCompression compression) {
    Simulation simulation(state_);
    const std::unique_ptr<Renderer> renderer = rendererFor(state_, simulation, notifier);
    if (!renderer) {
        endExportSize(state_);
        return {};
    }
    return renderExportFrames(state_, simulation, *renderer, progress, notifier, compression);
}

bool ExportJob::renderPreview(Notifier& notifier) {
    Simulation simulation(state_);
    const std::unique_ptr<Renderer> renderer = rendererFor(state_, simulation, notifier);
    return renderer && renderPreviewFrame(state_, simulation, *renderer, notifier);
}

Status ExportJob::writeOutput(const ExportRun& run, const std::filesystem::path& output,
                              WriteProgress* progress) const {
    return writeExportOutput(state_, run, output, videoToolPath(state_), progress);
}

} // namespace vintrel
