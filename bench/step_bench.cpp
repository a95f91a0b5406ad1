// Throughput of Simulation::step(): particles updated per second on the samples and on a heavy
// synthetic effect of about 100,000 live particles. Each benchmark steps through a window in
// the middle of the effect; when the window is used up, the simulation is reset and warmed up
// again outside the timed region.
#include "bench/bench_support.h"
#include "bench/synthetic_project.h"
#include "engine/simulation.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace vintrel::bench {

namespace {

namespace fs = std::filesystem;

// Steps the frames [first, last) of an effect over and over.
class SteppingWindow {
public:
    SteppingWindow(GlobalState& g, std::uint32_t first, std::uint32_t last)
        : simulation_(g), first_(first), last_(last) {
        rewind();
    }

    // Resets and steps up to the window's first frame.
    void rewind() {
        simulation_.reset();
        while (simulation_.currentFrame() < first_) {
            simulation_.step();
        }
    }
    bool exhausted() const { return simulation_.currentFrame() >= last_; }
    Simulation& simulation() { return simulation_; }

private:
    Simulation simulation_;
    std::uint32_t first_;
    std::uint32_t last_;
};

void runWindow(benchmark::State& state, GlobalState& g) {
    const auto frames = static_cast<std::uint32_t>(g.project.frame);
    SteppingWindow window(g, frames / 2, frames * 3 / 4 + 1);
    std::int64_t updated = 0;
    std::int64_t steps = 0;
    for (auto _ : state) {
        if (window.exhausted()) {
            state.PauseTiming();
            window.rewind();
            state.ResumeTiming();
        }
        // Every particle alive at the start of the step is updated once; the ones born during
        // the step are updated too but not counted, so the rate is a lower bound.
        updated += static_cast<std::int64_t>(window.simulation().particles().size());
        ++steps;
        window.simulation().step();
    }
    state.SetItemsProcessed(updated);
    if (steps > 0) {
        state.counters["particles"] =
            benchmark::Counter(static_cast<double>(updated) / static_cast<double>(steps));
    }
}

void stepSample(benchmark::State& state, const char* sample) {
    TemporaryFolder workspace;
    GlobalState g;
    if (!loadSample(g, sample, workspace)) {
        state.SkipWithError("cannot load the sample");
        return;
    }
    runWindow(state, g);
}

void stepSynthetic(benchmark::State& state) {
    GlobalState g;
    buildSyntheticProject(g);
    runWindow(state, g);
}

} // namespace

BENCHMARK_CAPTURE(stepSample, fire, "fire.stn")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(stepSample, sparks, "sparks.stn")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(stepSample, magic_circle, "magic_circle.stn")->Unit(benchmark::kMicrosecond);
BENCHMARK(stepSynthetic)->Unit(benchmark::kMillisecond);

} // namespace vintrel::bench
