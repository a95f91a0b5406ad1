// Whole-export speed: frames per second of an export of a sample at 256 x 256 with smoothing 2
// (so 512 x 512 targets), headless, every stage included: both composing walks with the
// per-strip copies, the PNG of each intermediate frame, and the sheet written from them. Each
// sample runs with the faster copying and intermediate compression, and with the plain ones
// (the whole target every strip, Qt's default compression).
//
// The channel cases export a sample's sheet with each extra channel (motion, emissive, depth)
// beside the colour and report each one's extra time as a ratio to the colour-only export,
// the exports taken in turn within each iteration so that they meet the same machine.
//
// The large-sheet cases write the 3,584 x 4,608 sheet of the fire sample (60 frames of 512 x 512
// in 7 columns) as PNG: with Qt's writer, as sheets were written before, and with the parallel
// strip encoder the outputs use now; each reports the file's size.
#include "bench/bench_support.h"
#include "engine/simulation.h"
#include "output/export_channels.h"
#include "output/export_loop.h"
#include "output/export_output.h"
#include "output/export_settings.h"
#include "output/png_encoder.h"
#include "platform/egl_context.h"
#include "render/renderer.h"

#include <QBuffer>
#include <QImageWriter>
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

// A sample ready for the sheet of its first 30 frames at 256 x 256 with smoothing 2 (6 columns).
struct SampleSheet {
    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

// False, with the case skipped, when something is missing.
bool prepareSampleSheet(benchmark::State& state, SampleSheet& sheet, const char* sample,
                        const TemporaryFolder& workspace) {
    static std::unique_ptr<HeadlessGlContext> context = HeadlessGlContext::create().value_or(nullptr);
    GlobalState& g = sheet.g;
    if (context == nullptr || !loadSample(g, sample, workspace)) {
        state.SkipWithError("no context or no sample");
        return false;
    }
    g.project.width = 256;
    g.project.height = 256;
    g.write = WriteSettings{1, 30, 1, 6, 0, 0, 0, 2, 1};
    g.write.height = sheetRowCount(g.write);
    sheet.simulation = std::make_unique<Simulation>(g);
    sheet.simulation->reset();
    sheet.renderer = Renderer::create(g, *sheet.simulation, g.viewCamera).value_or(nullptr);
    if (sheet.renderer == nullptr) {
        state.SkipWithError("the renderer cannot be built");
        return false;
    }
    return true;
}

void exportSample(benchmark::State& state, const char* sample, bool plain) {
    TemporaryFolder workspace;
    SampleSheet sheet;
    if (!prepareSampleSheet(state, sheet, sample, workspace)) {
        return;
    }
    GlobalState& g = sheet.g;
    Simulation& simulation = *sheet.simulation;
    Renderer* renderer = sheet.renderer.get();
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

// The intermediate frames of the fire sample's large sheet (60 frames of 512 x 512, 7 columns)
// drawn at `smoothing` into `workspace`; false when there is no context or sample.
bool renderLargeSheetFrames(GlobalState& g, const TemporaryFolder& workspace, int smoothing, ExportRun& run) {
    const std::unique_ptr<HeadlessGlContext> context = HeadlessGlContext::create().value_or(nullptr);
    if (context == nullptr || !loadSample(g, "fire.stn", workspace)) {
        return false;
    }
    g.project.width = 512;
    g.project.height = 512;
    g.write = WriteSettings{1, 60, 1, 7, 0, 0, 0, smoothing, 1};
    g.write.height = sheetRowCount(g.write);
    Simulation simulation(g);
    simulation.reset();
    const auto renderer = Renderer::create(g, simulation, g.viewCamera).value_or(nullptr);
    if (renderer == nullptr) {
        return false;
    }
    NoProgress progress;
    StreamNotifier notifier(std::cerr);
    beginExportSize(g);
    run = renderExportFrames(g, simulation, *renderer, progress, notifier); // sizes back as they were
    return run.outcome == ExportRun::Outcome::Completed;
}

// The fire sample's 3,584 x 4,608 sheet, exported once and kept for the write cases.
const QImage& largeSheet() {
    static const QImage sheet = [] {
        TemporaryFolder workspace;
        GlobalState g;
        ExportRun run;
        const std::filesystem::path file = workspace.path() / "large.png";
        if (!renderLargeSheetFrames(g, workspace, 1, run) || !writeExportOutput(g, run, file, {})) {
            return QImage();
        }
        return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
    }();
    return sheet;
}

// The whole stage after drawing for the large sheet at the default smoothing 2: the 60
// intermediate frames of 1,024 x 1,024 read, scaled down and placed, and the sheet written.
void largeSheetStage(benchmark::State& state) {
    TemporaryFolder workspace;
    GlobalState g;
    ExportRun run;
    if (!renderLargeSheetFrames(g, workspace, 2, run)) {
        state.SkipWithError("the frames could not be drawn");
        return;
    }
    for (auto _ : state) {
        if (!writeExportOutput(g, run, workspace.path() / "large.png", {})) {
            state.SkipWithError("the sheet could not be written");
            return;
        }
    }
}
BENCHMARK(largeSheetStage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void writeLargeSheet(benchmark::State& state, bool withQt, int level, int fixedFilter, PngEncoding::Matching matching) {
    const QImage& sheet = largeSheet();
    if (sheet.size() != QSize(3584, 4608)) {
        state.SkipWithError("the large sheet could not be made");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (withQt) {
            QByteArray data;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            writer.write(sheet);
            bytes = static_cast<std::size_t>(data.size());
        } else {
            PngEncoding how;
            how.level = level;
            how.filters = fixedFilter >= 0 ? PngEncoding::Filters::Fixed : PngEncoding::Filters::Adaptive;
            how.fixedFilter = std::max(fixedFilter, 0);
            how.matching = matching;
            bytes = encodePng(sheet, how)->size();
        }
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The seconds of one whole export of `sample` (drawing and sheet) with `channels`.
double timedExport(GlobalState& g, Simulation& simulation, Renderer& renderer, const TemporaryFolder& workspace,
                   ExportChannels channels) {
    NoProgress progress;
    StreamNotifier notifier(std::cerr);
    g.exportExtras.channels = channels;
    const auto start = std::chrono::steady_clock::now();
    beginExportSize(g);
    const ExportRun run = renderExportFrames(g, simulation, renderer, progress, notifier);
    if (run.outcome != ExportRun::Outcome::Completed ||
        !writeExportOutput(g, run, workspace.path() / "sheet.png", {})) {
        return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void channelCost(benchmark::State& state, const char* sample) {
    TemporaryFolder workspace;
    SampleSheet sheet;
    if (!prepareSampleSheet(state, sheet, sample, workspace)) {
        return;
    }
    GlobalState& g = sheet.g;
    Simulation& simulation = *sheet.simulation;
    Renderer* renderer = sheet.renderer.get();
    const ExportChannel extra[] = {ExportChannel::Motion, ExportChannel::Emissive, ExportChannel::Depth};
    double colorSeconds = 0;
    double extraSeconds[3] = {};
    for (auto _ : state) {
        const double color = timedExport(g, simulation, *renderer, workspace, kColorOnly);
        colorSeconds += color;
        for (int c = 0; c < 3; ++c) {
            const double with = timedExport(g, simulation, *renderer, workspace, kColorOnly | channelBit(extra[c]));
            if (color < 0 || with < 0) {
                state.SkipWithError("the export failed");
                return;
            }
            extraSeconds[c] += with - color;
        }
    }
    state.counters["color_ms"] = 1000.0 * colorSeconds / static_cast<double>(state.iterations());
    for (int c = 0; c < 3; ++c) {
        state.counters[std::string(channelName(extra[c])) + "_extra"] = extraSeconds[c] / colorSeconds;
    }
}

} // namespace

BENCHMARK_CAPTURE(channelCost, fire, "fire.stn")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK_CAPTURE(channelCost, magic_circle, "magic_circle.stn")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

#define WRITE_CASE(name, ...)                                                                                \
    BENCHMARK_CAPTURE(writeLargeSheet, name, __VA_ARGS__)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)
constexpr auto kFull = PngEncoding::Matching::Full;
constexpr auto kRuns = PngEncoding::Matching::Runs;
WRITE_CASE(qt_writer, true, 0, -1, kFull);
WRITE_CASE(strips_adaptive_level6, false, 6, -1, kFull);
WRITE_CASE(strips_paeth_level4, false, 4, 4, kFull);
WRITE_CASE(strips_up_level4, false, 4, 2, kFull);
WRITE_CASE(strips_up_runs_default, false, 4, 2, kRuns);

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
