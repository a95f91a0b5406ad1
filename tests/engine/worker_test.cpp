// The preview's worker thread, driven by a clock the test moves.
#include "engine/worker.h"
#include "engine_test_support.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace vintrel {
namespace {

using enginetest::Project;
using namespace std::chrono_literals;

class FakeClock final : public FrameTimeSource {
public:
    std::uint32_t nowMs() const override { return now.load(); }
    std::atomic<std::uint32_t> now{1000};
};

// What the worker thread saw, recorded on that thread.
struct Observed {
    std::atomic<int> draws{0};
    std::atomic<int> exports{0};
    std::atomic<unsigned> frame{0};
    std::atomic<int> loops{0}; // draws that found an earlier frame than the draw before
};

SimulationWorker::Hooks recordingHooks(const Simulation& sim, Observed& seen) {
    SimulationWorker::Hooks hooks;
    hooks.drawView = [&sim, &seen] {
        const unsigned frame = sim.currentFrame();
        if (frame < seen.frame.load()) {
            seen.loops.fetch_add(1);
        }
        seen.frame = frame;
        seen.draws.fetch_add(1);
    };
    hooks.runExport = [&seen] { seen.exports.fetch_add(1); };
    return hooks;
}

// Moves the clock on by a frame and a half at 60 fps until `done` holds or two seconds pass.
template <typename Done> bool advanceUntil(FakeClock& clock, Done done) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        clock.now += 25;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

TEST(SimulationWorker, StepsWhileTheClockAdvancesAndStopEndsTheThread) {
    Project project;
    FakeClock clock;
    Simulation sim(project.g, clock);
    sim.reset();
    Observed seen;
    SimulationWorker worker(project.g, sim, clock, recordingHooks(sim, seen));
    worker.start();
    EXPECT_TRUE(worker.running());
    EXPECT_TRUE(advanceUntil(clock, [&] { return seen.frame.load() >= 6; }));
    worker.stop(0ms);
    EXPECT_FALSE(worker.running());
    EXPECT_TRUE(project.g.sim.quitRequested.load());
    EXPECT_FALSE(project.g.sim.isRendering.load());
    const std::uint32_t frame = sim.currentFrame();
    EXPECT_GE(frame, 6u);

    // Nothing steps once the thread has ended.
    clock.now += 500;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(sim.currentFrame(), frame);

    // Started again, it clears the quit request and goes on.
    worker.start();
    EXPECT_TRUE(worker.running());
    EXPECT_FALSE(project.g.sim.quitRequested.load());
    EXPECT_TRUE(advanceUntil(clock, [&] { return seen.frame.load() > frame + 2; }));
    worker.stop(0ms);
    EXPECT_FALSE(worker.running());
}

TEST(SimulationWorker, FrozenClockDrawsWithoutStepping) {
    Project project;
    FakeClock clock;
    Simulation sim(project.g, clock);
    sim.reset();
    Observed seen;
    SimulationWorker worker(project.g, sim, clock, recordingHooks(sim, seen));
    worker.start();
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (seen.draws.load() < 5 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(2ms);
    }
    worker.stop(0ms);
    EXPECT_GE(seen.draws.load(), 5);
    EXPECT_EQ(sim.currentFrame(), 1u);
}

TEST(SimulationWorker, PausedNeitherStepsNorDrawsAndStoppedDrawsOnly) {
    Project project;
    FakeClock clock;
    Simulation sim(project.g, clock);
    sim.reset();
    Observed seen;
    SimulationWorker worker(project.g, sim, clock, recordingHooks(sim, seen));

    project.g.sim.isPaused = true;
    worker.start();
    for (int i = 0; i < 15; ++i) {
        clock.now += 25;
        std::this_thread::sleep_for(2ms);
    }
    worker.stop(0ms);
    EXPECT_EQ(seen.draws.load(), 0);
    EXPECT_EQ(sim.currentFrame(), 1u);

    project.g.sim.isPaused = false;
    project.g.sim.isStopped = true;
    worker.start();
    EXPECT_TRUE(advanceUntil(clock, [&] { return seen.draws.load() >= 5; }));
    worker.stop(0ms);
    project.g.sim.isStopped = false;
    EXPECT_EQ(sim.currentFrame(), 1u);
}

TEST(SimulationWorker, ExportingRunsTheExportInsteadOfDrawing) {
    Project project;
    FakeClock clock;
    Simulation sim(project.g, clock);
    sim.reset();
    Observed seen;
    SimulationWorker worker(project.g, sim, clock, recordingHooks(sim, seen));
    project.g.sim.isExporting = true;
    worker.start();
    EXPECT_TRUE(advanceUntil(clock, [&] { return seen.exports.load() >= 3; }));
    worker.stop(0ms);
    EXPECT_EQ(seen.draws.load(), 0);
    EXPECT_EQ(sim.currentFrame(), 1u) << "the view's simulation holds its frame while an export runs";
}

// The editing thread changes node parameters and curves while the worker steps: every value
// the worker reads is either the old or the new one (run this under ThreadSanitizer).
TEST(SimulationWorker, ParameterAndCurveEditsWhileStepping) {
    Project project(12); // short, so the worker also loops and resets
    EffectNode& top = project.top();
    top.m_timing.end = 12;
    top.m_timing.num = 3;
    top.m_move.speed = 10;
    top.m_move.shake = 20;
    top.m_rotate.angle = 90;
    EffectNode& child = project.addChild(top);
    child.m_timing.type = TimingParams::ParentFrames;
    child.m_timing.start = 0;
    child.m_timing.end = 5;
    FakeClock clock;
    Simulation sim(project.g, clock);
    sim.reset();
    Observed seen;
    SimulationWorker worker(project.g, sim, clock, recordingHooks(sim, seen));
    worker.start();

    const auto deadline = std::chrono::steady_clock::now() + 3s;
    int edits = 0;
    while ((seen.draws.load() < 40 || seen.loops.load() < 2 || edits < 100) &&
           std::chrono::steady_clock::now() < deadline) {
        {
            const auto lock = top.lockParams();
            top.m_move.speed = 5 + edits % 20;
            top.m_move.gravity = edits % 7;
            top.m_emitter.size = {static_cast<float>(edits % 3), 1, 2};
            top.m_color.brigRnd = edits % 30;
            top.m_timing.num = 1 + edits % 4;
        }
        {
            const auto lock = child.lockParams();
            child.m_rotate.revAngle = edits % 180;
            child.m_kill.span = 4 + edits % 9;
        }
        const float y = static_cast<float>(edits % 100);
        top.graph(SlotSpeed).setPoints({{0, y}, {50, 100 - y}, {100, 50}});
        top.graph(SlotAlpha).setPoints({{0, 0}, {100, y}});
        child.graph(SlotWidth).setPoints({{0, y}, {30, 0}, {100, 100}});
        clock.now += 20;
        ++edits;
        std::this_thread::sleep_for(1ms);
    }
    worker.stop(0ms);
    EXPECT_GE(edits, 100);
    EXPECT_GE(seen.draws.load(), 40);
    // The twelve-frame effect looped, so the worker also reset it while the edits went on.
    EXPECT_GE(seen.loops.load(), 2);
    EXPECT_LE(sim.currentFrame(), 13u);

    // The worker's last step saw the final edits: a fresh step after a reset uses them.
    sim.reset();
    sim.step();
    const auto tops = enginetest::particlesOf(sim, top);
    EXPECT_EQ(static_cast<int>(tops.size()), 1 + (edits - 1) % 4);
}

// A machine that needs 50 ms to draw a frame of a 60 fps effect: one second of wall time on the
// worker's clock. Real-time play reaches frame 60 in it; the ordinary preview steps once a draw.
TEST(SimulationWorker, RealTimePlayKeepsTheEffectsSpeedWhenDrawingIsSlow) {
    for (const bool realTime : {true, false}) {
        Project project(120);
        project.g.project.fps = 60;
        FakeClock clock;
        const std::uint32_t start = clock.now.load();
        Simulation sim(project.g, clock);
        sim.reset();
        std::atomic<int> slowDraws{0};
        SimulationWorker::Hooks hooks;
        hooks.drawView = [&] {
            if (clock.now.load() < start + 1000) {
                clock.now += 50;
            } else {
                slowDraws.fetch_add(1);
            }
        };
        SimulationWorker worker(project.g, sim, clock, hooks);
        worker.setRealTime(realTime);
        worker.start();
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (slowDraws.load() < 3 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(2ms);
        }
        worker.stop(0ms);
        ASSERT_GE(slowDraws.load(), 3) << "the worker kept drawing";
        EXPECT_EQ(worker.steppedFrame(), realTime ? 60 : 20) << (realTime ? "real time" : "one step a draw");
    }
}

} // namespace
} // namespace vintrel
