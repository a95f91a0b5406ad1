#include "output/export_loop.h"

#include "engine/simulation.h"
#include "output/export_settings.h"
#include "output/glow.h"
#include "output/mask_image.h"
#include "render/export_targets.h"
#include "render/renderer.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

namespace vintrel {

namespace {

// Releases the targets and gives the view its camera back, also on an early return.
class TargetSet {
public:
    TargetSet(Renderer& renderer) : renderer_(renderer) {}
    ~TargetSet() {
        targets.release();
        renderer_.restoreViewCamera();
    }
    TargetSet(const TargetSet&) = delete;
    TargetSet& operator=(const TargetSet&) = delete;

    bool create(GlobalState& g, Notifier& notifier) {
        const QImage mask = buildMaskImage(loadMaskPicture(g), g.project.width, g.project.height, g.mask,
                                           supersampling(g.write));
        std::error_code ec;
        std::filesystem::create_directories(renderFolder(g), ec);
        return targets.create(g.project.width, g.project.height, mask, notifier);
    }

    ExportTargets targets;

private:
    Renderer& renderer_;
};

// Qt's PNG quality for zlib's fastest level (1), and Qt's default.
int pngQuality(IntermediateCompression compression) {
    return compression == IntermediateCompression::Fastest ? 89 : -1;
}

void clearTarget(const GlobalState& g, ExportTargets& targets) {
    targets.main().bind();
    const float alpha = g.write.kind() == OutputKind::Video ? 1.0f : 0.0f;
    glClearColor(g.project.backColor.x / 255.0f, g.project.backColor.y / 255.0f,
                 g.project.backColor.z / 255.0f, alpha);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::function<void()> stepsOf(ExportProgress* progress) {
    return [progress] {
        if (progress != nullptr) {
            progress->step();
        }
    };
}

// Clears the target to the background (opaque only for the video, whose frames have no
// alpha), draws both culling walks and writes the frame with its glow. The glow is applied to
// the frame in memory, so each file is encoded once.
void drawAndWrite(GlobalState& g, Renderer& renderer, ExportTargets& targets,
                  const std::filesystem::path& file, ExportProgress* progress,
                  IntermediateCompression compression = IntermediateCompression::Fastest,
                  const ExportPass& job = {}) {
    clearTarget(g, targets);
    renderer.renderExportFrame(targets, stepsOf(progress), job);
    QImage frame = targets.main().read();
    if (static_cast<long long>(g.project.growRange) * g.project.growPower > 0) {
        // The radius is in target pixels; a damaged file's range must not overflow it.
        const long long radius = static_cast<long long>(g.project.growRange) * supersampling(g.write);
        frame = applyGlow(frame, g.project.growColor.x, g.project.growColor.y, g.project.growColor.z,
                          static_cast<int>(std::min<long long>(radius, std::numeric_limits<int>::max())),
                          g.project.growPower);
    }
    // A frame that cannot be written leaves a gap; the output reports the missing file.
    frame.save(QString::fromStdString(file.string()), "PNG", pngQuality(compression));
}

// An extra channel's frame k, of the frame that its colour walk has just drawn (the motion's, of
// the same frame of the second run), written without the glow, which belongs to the colour.
void drawChannel(GlobalState& g, Renderer& renderer, ExportTargets& targets, const ExportPass& job, int k,
                 ExportProgress& progress, IntermediateCompression compression) {
    clearTarget(g, targets);
    renderer.renderExportFrame(targets, stepsOf(&progress), job);
    QImage frame = targets.main().read();
    if (job.channel == ExportChannel::Motion) {
        frame = flattenMotionFrame(frame, motionReach(strengthOfScale(job.motionScale), frame.size()));
    }
    const std::filesystem::path folder = channelFolder(renderFolder(g), job.channel);
    char name[32];
    std::snprintf(name, sizeof name, "%05d.png", k);
    frame.save(QString::fromStdString((folder / name).string()), "PNG", pngQuality(compression));
}

// The placements of the frame after the last, for the last frame's motion; none when the
// effect wrapped, as its particles are new ones.
void recordFrameAfterTheLast(Renderer& renderer, ExportTargets& targets, bool wrapped,
                             std::vector<ParticlePlacements>& placements) {
    if (wrapped) {
        return;
    }
    placements.emplace_back();
    ExportPass record;
    record.record = &placements.back();
    renderer.renderExportFrame(targets, {}, record);
}

// The second run: the same frames again, each drawn as its motion towards the next.
void drawMotionFrames(GlobalState& g, Simulation& simulation, Renderer& renderer, ExportTargets& targets,
                      const std::vector<ParticlePlacements>& placements, ExportRun& run, ExportProgress& progress,
                      IntermediateCompression compression) {
    simulation.reset();
    while (simulation.currentFrame() <= static_cast<std::uint32_t>(std::max(1, g.write.start))) {
        simulation.step();
    }
    ExportPass job;
    job.channel = ExportChannel::Motion;
    job.step = std::max(1, g.write.step);
    job.motionScale = motionScaleFor(run.motionStrength);
    for (int k = 0; k <= run.lastIndex; ++k) {
        const auto next = static_cast<std::size_t>(k) + 1;
        job.next = next < placements.size() ? &placements[next] : nullptr;
        drawChannel(g, renderer, targets, job, k, progress, compression);
        if (k < run.lastIndex && progress.cancelRequested()) {
            run.outcome = ExportRun::Outcome::Cancelled;
            return;
        }
        for (int i = 0; i < job.step; ++i) {
            simulation.step();
        }
    }
}

} // namespace

std::filesystem::path renderFolder(const GlobalState& g) {
    return g.workspace / "render";
}

std::filesystem::path intermediateFrame(const GlobalState& g, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d.png", index);
    return renderFolder(g) / name;
}

std::filesystem::path previewFile(const GlobalState& g) {
    return renderFolder(g) / "preview.png";
}

ExportRun renderExportFrames(GlobalState& g, Simulation& simulation, Renderer& renderer,
                             ExportProgress& progress, Notifier& notifier, IntermediateCompression compression) {
    ExportRun run;
    {
        TargetSet set(renderer);
        if (!set.create(g, notifier)) {
            endExportSize(g);
            return run;
        }
        run.channels = drawnChannels(g);
        const std::vector<ExportChannel> extra = extraChannels(run.channels);
        for (ExportChannel channel : extra) {
            std::error_code ec;
            std::filesystem::create_directories(channelFolder(renderFolder(g), channel), ec);
        }
        const bool motion = (run.channels & channelBit(ExportChannel::Motion)) != 0;
        run.depthFar = 2.0f * std::max(renderer.focusDistance(), 1e-3f);
        simulation.reset();
        const double frames = (static_cast<double>(g.write.end) - g.write.start + 1) /
                              static_cast<double>(std::max(1, g.write.step));
        const auto rounds = static_cast<int>(std::min(frames + 0.9999, 1.0e9));
        // Two steps a frame for each channel; a damaged range must not overflow the bar.
        const long long steps = 2LL * rounds * (1 + static_cast<long long>(extra.size())) + 1;
        progress.begin(static_cast<int>(std::min<long long>(steps, std::numeric_limits<int>::max())));
        while (simulation.currentFrame() <= static_cast<std::uint32_t>(std::max(1, g.write.start))) {
            simulation.step();
        }
        std::vector<ParticlePlacements> placements;
        run.outcome = ExportRun::Outcome::Cancelled;
        for (int k = 0;; ++k) {
            ExportPass color;
            if (motion) {
                color.record = &placements.emplace_back();
            }
            drawAndWrite(g, renderer, set.targets, intermediateFrame(g, k), &progress, compression, color);
            for (ExportChannel channel : extra) {
                if (channel != ExportChannel::Motion) {
                    ExportPass job;
                    job.channel = channel;
                    job.depthFar = run.depthFar;
                    drawChannel(g, renderer, set.targets, job, k, progress, compression);
                }
            }
            run.framesWritten = k + 1;
            bool wrapped = false;
            for (int i = 0; i < std::max(1, g.write.step) && !wrapped; ++i) {
                wrapped = simulation.step() != 0;
            }
            if (wrapped ||
                static_cast<long long>(simulation.currentFrame()) > static_cast<long long>(g.write.end) + 1) {
                run.lastIndex = k;
                run.outcome = ExportRun::Outcome::Completed;
                if (motion) {
                    recordFrameAfterTheLast(renderer, set.targets, wrapped, placements);
                }
                break;
            }
            if (progress.cancelRequested()) {
                break;
            }
        }
        if (motion && run.outcome == ExportRun::Outcome::Completed) {
            run.motionStrength = motionStrength(placements);
            drawMotionFrames(g, simulation, renderer, set.targets, placements, run, progress, compression);
        }
    }
    endExportSize(g);
    return run;
}

bool renderPreviewFrame(GlobalState& g, Simulation& simulation, Renderer& renderer, Notifier& notifier) {
    g.project.previewFrame = std::clamp(g.project.previewFrame, 1, std::max(1, g.project.frame));
    g.project.width *= supersampling(g.write);
    g.project.height *= supersampling(g.write);
    bool written = false;
    {
        TargetSet set(renderer);
        if (set.create(g, notifier)) {
            simulation.reset();
            while (simulation.currentFrame() <= static_cast<std::uint32_t>(g.project.previewFrame)) {
                simulation.step();
            }
            drawAndWrite(g, renderer, set.targets, previewFile(g), nullptr);
            written = true;
        }
    }
    endExportSize(g);
    return written;
}

} // namespace vintrel
