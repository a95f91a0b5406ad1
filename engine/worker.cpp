#include "engine/worker.h"

#include "engine/playback.h"

namespace vintrel {

namespace {
constexpr auto kPassPause = std::chrono::milliseconds(5);
} // namespace

SimulationWorker::SimulationWorker(GlobalState& g, Simulation& simulation, const FrameTimeSource& clock,
                                   Hooks hooks)
    : g_(g), simulation_(simulation), clock_(clock), hooks_(std::move(hooks)) {}

SimulationWorker::~SimulationWorker() {
    stop(std::chrono::milliseconds(0));
}

void SimulationWorker::start() {
    if (running()) {
        return;
    }
    // From the first pass on, the worker reads the published copy only.
    g_.publishFrameInputs();
    g_.sim.quitRequested = false;
    thread_ = std::thread([this] { loop(); });
}

void SimulationWorker::stop(std::chrono::milliseconds settle) {
    if (!running()) {
        return;
    }
    g_.sim.quitRequested = true;
    thread_.join();
    while (g_.sim.isRendering.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(settle);
}

void SimulationWorker::loop() {
    FrameClock frameClock;
    SimulationStatus& sim = g_.sim;
    while (!sim.quitRequested.load()) {
        if (sim.isPaused.load()) {
            std::this_thread::sleep_for(kPassPause);
            continue;
        }
        if (seeking() && !sim.isExporting.load() && !seek()) {
            continue;
        }
        // An export draws a simulation of its own: the view's holds its frame meanwhile.
        const int due = framesDue(frameClock);
        if (due > 0 && !sim.isStopped.load() && playing_.load() && !sim.isExporting.load()) {
            for (int i = 0; i < due && !sim.quitRequested.load(); ++i) {
                simulation_.step();
            }
            steppedFrame_ = playback::shownFrame(simulation_);
        }
        if (sim.isExporting.load()) {
            if (hooks_.runExport) {
                hooks_.runExport();
            }
        } else if (hooks_.drawView) {
            sim.isRendering = true;
            hooks_.drawView();
            sim.isRendering = false;
        }
        std::this_thread::sleep_for(kPassPause);
    }
}

int SimulationWorker::framesDue(FrameClock& frameClock) {
    const std::uint32_t now = clock_.nowMs();
    const int fps = g_.frameInputs().project.fps;
    if (realTime_.load()) {
        return frameClock.framesElapsed(now, fps);
    }
    return frameClock.tick(now, fps) ? 1 : 0;
}

bool SimulationWorker::seek() {
    if (replay_.exchange(false)) {
        int none = kNoTarget;
        targetFrame_.compare_exchange_strong(none, steppedFrame_.load());
        simulation_.reset();
    }
    for (;;) {
        int request = targetFrame_.load();
        if (request == kNoTarget) {
            return true;
        }
        const int target = playback::clampFrame(request, g_.frameInputs().project.frame);
        const int reached = playback::shownFrame(simulation_);
        if (reached == target) {
            steppedFrame_ = reached;
            if (targetFrame_.compare_exchange_strong(request, kNoTarget)) {
                return true;
            }
            continue;
        }
        if (g_.sim.quitRequested.load()) {
            return false;
        }
        if (reached > target) {
            simulation_.reset();
        } else {
            simulation_.step();
        }
    }
}

} // namespace vintrel
