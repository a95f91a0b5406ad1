// View frames per second, drawn off-screen: one simulation step and one whole view frame (grid,
// both culling walks, sorting) per iteration, finished on the GPU before the next. Each sample
// is drawn at 640 x 360 from the middle of its effect, and a plain effect that keeps 10,000
// camera-facing particles alive shows the cost per particle. Each case runs twice: with the
// renderer's faster paths and with the plain ones (one draw per particle and per guide).
#include "bench/bench_support.h"
#include "engine/simulation.h"
#include "platform/egl_context.h"
#include "render/render_target.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace vintrel::bench {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

HeadlessGlContext* context() {
    static std::unique_ptr<HeadlessGlContext> shared = HeadlessGlContext::create().value_or(nullptr);
    return shared.get();
}

void drawFrames(benchmark::State& state, GlobalState& g, const DrawingPaths& paths) {
    if (context() == nullptr) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    Simulation simulation(g);
    simulation.reset();
    const auto warmUp = static_cast<std::uint32_t>(g.project.frame) / 2;
    while (simulation.currentFrame() < warmUp) {
        simulation.step();
    }
    const auto renderer = Renderer::create(g, simulation, g.viewCamera).value_or(nullptr);
    RenderTarget target;
    if (renderer == nullptr || !target.create(kWidth, kHeight)) {
        state.SkipWithError("the renderer cannot be built");
        return;
    }
    renderer->setViewSize(kWidth, kHeight);
    renderer->setDrawingPaths(paths);
    std::int64_t particles = 0;
    using Clock = std::chrono::steady_clock;
    Clock::duration stepping{};
    Clock::duration submitting{};
    Clock::duration finishing{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        simulation.step();
        const Clock::time_point stepped = Clock::now();
        particles += static_cast<std::int64_t>(simulation.particles().size());
        renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
        const Clock::time_point submitted = Clock::now();
        submitting += submitted - stepped;
        stepping += stepped - start;
        glFinish();
        finishing += Clock::now() - submitted;
    }
    const auto perIteration = [&](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(state.iterations());
    };
    // Where an iteration's time goes: the step, issuing the frame's draws, and waiting for the
    // driver to finish them.
    state.counters["step_ms"] = perIteration(stepping);
    state.counters["submit_ms"] = perIteration(submitting);
    state.counters["finish_ms"] = perIteration(finishing);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["particles"] =
        benchmark::Counter(static_cast<double>(particles) / static_cast<double>(state.iterations()));
}

DrawingPaths pathsNamed(bool plain) {
    return plain ? DrawingPaths::reference() : DrawingPaths{};
}

void viewSample(benchmark::State& state, const char* sample, bool plain) {
    TemporaryFolder workspace;
    GlobalState g;
    if (!loadSample(g, sample, workspace)) {
        state.SkipWithError("cannot load the sample");
        return;
    }
    drawFrames(state, g, pathsNamed(plain));
}

// One node under the root emitting 200 small billboards a frame that live 50 frames: 10,000
// alive once the first ones start to die. With `selected` the node is the selected one, so the
// view also draws its emitter guide at every particle.
void viewTenThousand(benchmark::State& state, bool selected, bool plain) {
    TemporaryFolder workspace;
    GlobalState g;
    g.workspace = workspace.path();
    const BuiltInProjectDefaults defaults;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
    g.project.frame = 200;
    EffectNode& node = *g.rootNode->m_children.front();
    node.m_timing.start = 1;
    node.m_timing.end = 200;
    node.m_timing.often = 1;
    node.m_timing.num = 200;
    node.m_kill.span = 50;
    node.m_emitter.type = EmitterParams::Sphere;
    node.m_emitter.size = FloatXYZ{8, 8, 8};
    node.m_move.speed = 5;
    node.m_scale.max = 3;
    g.pSelNode = selected ? &node : nullptr;
    drawFrames(state, g, pathsNamed(plain));
}

} // namespace

constexpr bool kPlain = true;
constexpr bool kFast = false;
constexpr bool kSelected = true;

#define VIEW_CASE(function, name, ...)                                                                       \
    BENCHMARK_CAPTURE(function, name, __VA_ARGS__)->Unit(benchmark::kMillisecond)->UseRealTime()
VIEW_CASE(viewSample, fire, "fire.stn", kFast);
VIEW_CASE(viewSample, fire_plain, "fire.stn", kPlain);
VIEW_CASE(viewSample, sparks, "sparks.stn", kFast);
VIEW_CASE(viewSample, sparks_plain, "sparks.stn", kPlain);
VIEW_CASE(viewSample, magic_circle, "magic_circle.stn", kFast);
VIEW_CASE(viewSample, magic_circle_plain, "magic_circle.stn", kPlain);
VIEW_CASE(viewTenThousand, unselected, !kSelected, kFast);
VIEW_CASE(viewTenThousand, unselected_plain, !kSelected, kPlain);
VIEW_CASE(viewTenThousand, selected, kSelected, kFast);
VIEW_CASE(viewTenThousand, selected_plain, kSelected, kPlain);

} // namespace vintrel::bench
