#pragma once

#include "engine/frame_clock.h"
#include "engine/simulation.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace vintrel {

// The worker thread of the preview: steps the simulation at the project's frame rate and
// draws the view as often as it can, or runs an export while one is requested. Everything
// that changes the tree stops it first (stop()), changes the model, resets the simulation and
// starts it again (start()).
class SimulationWorker {
public:
    struct Hooks {
        std::function<void()> drawView;  // draw and present the view
        std::function<void()> runExport; // one pass of the export loop
    };

    SimulationWorker(GlobalState& g, Simulation& simulation, const FrameTimeSource& clock = systemFrameTime(),
                     Hooks hooks = {});
    ~SimulationWorker();
    SimulationWorker(const SimulationWorker&) = delete;
    SimulationWorker& operator=(const SimulationWorker&) = delete;

    // Creates the thread unless it runs; clears the quit request.
    void start();
    // Asks the thread to end, waits until it has and no frame is being drawn, then lets the
    // given settling time pass.
    void stop(std::chrono::milliseconds settle = std::chrono::milliseconds(100));
    bool running() const { return thread_.joinable(); }

    // ---- playback: any thread; the worker takes the requests up on its next pass -------------
    // While held, the clock no longer steps the effect, but the view is still drawn, so a moved
    // camera shows at the held frame.
    void play() { playing_ = true; }
    void hold() { playing_ = false; }
    bool playing() const { return playing_.load(); }
    // Real-time play: when a pass takes longer than a frame, the worker steps every frame that
    // the time requires and draws the last, so that the effect keeps its true speed on a slow
    // machine. Off: at most one step per pass, as the preview has always played.
    void setRealTime(bool on) { realTime_ = on; }
    bool realTime() const { return realTime_.load(); }
    // Asks for frame `frame` (steps since a reset, held to the effect's length): the worker goes
    // on stepping to a later frame, and resets and steps to an earlier one, without drawing in
    // between. A newer request replaces one that is still on its way.
    void requestFrame(int frame) { targetFrame_ = frame < 0 ? 0 : frame; }
    // Asks for the frame the effect stands at, simulated anew from a reset: after an edit while
    // held, so that the held frame shows the change.
    void requestReplay() { replay_ = true; }
    // True until the worker has reached the frame asked for.
    bool seeking() const { return targetFrame_.load() != kNoTarget || replay_.load(); }
    // The frame the worker's simulation stands at after its latest step or seek.
    int steppedFrame() const { return steppedFrame_.load(); }
    // The frame asked for while the request is on its way, else the one the worker stands at.
    int destinationFrame() const {
        const int target = targetFrame_.load();
        return target != kNoTarget ? target : steppedFrame_.load();
    }

private:
    void loop();
    // Reaches the requested frame; a request that comes meanwhile is taken up on the way. False
    // when the thread is to end first: the request stays and is taken up after a restart.
    bool seek();
    // The frames the clock says are due on this pass.
    int framesDue(FrameClock& frameClock);

    GlobalState& g_;
    Simulation& simulation_;
    const FrameTimeSource& clock_;
    Hooks hooks_;
    std::thread thread_;
    static constexpr int kNoTarget = -1;
    std::atomic<bool> playing_{true};
    std::atomic<bool> realTime_{false};
    std::atomic<bool> replay_{false};
    std::atomic<int> targetFrame_{kNoTarget};
    std::atomic<int> steppedFrame_{0};
};

} // namespace vintrel
