// Whole-export speed: frames per second of an export of a sample at 256 x 256 with smoothing 2
// (so 512 x 512 targets), headless, every stage included: both composing walks with the
// per-strip copies, the PNG of each intermediate frame, and the sheet written from them. Each
// sample runs with the faster copying and intermediate compression, and with the plain ones
// (the whole target every strip, Qt's default compression).
#include "bench/bench_support.h"
#include "engine/simulation.h"
#include "output/export_loop.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "platform/egl_context.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace vintrel::bench {

namespace {

class NoProgress final : public ExportProgress {
public:
    void begin(int) override {}
    void step() override {}
    bool cancelRequested() override { return false; }
};

void exportSample(benchmark::State& state, const char* sample, bool plain) {
    static std::unique_ptr<HeadlessGlContext> context = HeadlessGlContext::create().value_or(nullptr);
    TemporaryFolder workspace;
    GlobalState g;
    if (context == nullptr || !loadSample(g, sample, workspace)) {
        state.SkipWithError("no context or no sample");
        return;
    }
    g.project.width = 256;
    g.project.height = 256;
    g.write.smooth = 2;
    g.write.start = 1;
    g.write.end = 30;
    g.write.step = 1;
    g.write.type = 0;
    g.write.width = 6;
    g.write.height = sheetRowCount(g.write);
    Simulation simulation(g);
    simulation.reset();
    const auto renderer = Renderer::create(g, simulation, g.viewCamera).value_or(nullptr);
    if (renderer == nullptr) {
        state.SkipWithError("the renderer cannot be built");
        return;
    }
    renderer->setDrawingPaths(plain ? DrawingPaths::reference() : DrawingPaths{});
    NoProgress progress;
    StreamNotifier notifier(std::cerr);
    std::int64_t frames = 0;
    using Clock = std::chrono::steady_clock;
    Clock::duration rendering{};
    for (auto _ : state) {
        beginExportSize(g);
        const Clock::time_point start = Clock::now();
        const ExportRun run =
            renderExportFrames(g, simulation, *renderer, progress, notifier,
                               plain ? IntermediateCompression::QtDefault : IntermediateCompression::Fastest);
        rendering += Clock::now() - start;
        if (run.outcome != ExportRun::Outcome::Completed ||
            !writeExportOutput(g, run, workspace.path() / "sheet.png", {})) {
            state.SkipWithError("the export failed");
            return;
        }
        frames += run.lastIndex + 1;
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    // The share of the time spent drawing and writing the intermediate frames (the rest writes
    // the sheet from them).
    state.counters["render_ms"] = std::chrono::duration<double, std::milli>(rendering).count() /
                                  static_cast<double>(state.iterations());
}

} // namespace

constexpr bool kPlain = true;
constexpr bool kFast = false;

#define EXPORT_CASE(name, ...)                                                                               \
    BENCHMARK_CAPTURE(exportSample, name, __VA_ARGS__)                                                       \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->UseRealTime()                                                                                      \
        ->Iterations(2)
EXPORT_CASE(fire, "fire.stn", kFast);
EXPORT_CASE(fire_plain, "fire.stn", kPlain);
EXPORT_CASE(sparks, "sparks.stn", kFast);
EXPORT_CASE(sparks_plain, "sparks.stn", kPlain);
EXPORT_CASE(magic_circle, "magic_circle.stn", kFast);
EXPORT_CASE(magic_circle_plain, "magic_circle.stn", kPlain);

} // namespace vintrel::bench
