#pragma once

#include "engine/frame_clock.h"
#include "engine/simulation.h"

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

private:
    void loop();

    GlobalState& g_;
    Simulation& simulation_;
    const FrameTimeSource& clock_;
    Hooks hooks_;
    std::thread thread_;
};

} // namespace vintrel
