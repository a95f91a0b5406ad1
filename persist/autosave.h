#pragma once

#include "model/global_state.h"
#include "persist/project_file.h"

#include <atomic>
#include <optional>
#include <string>
#include <thread>

namespace vintrel {

// The periodic autosave into the run's folder. The editing thread packages the project into
// bytes, so the autosave always holds one consistent state of the model; a background thread
// only writes those bytes to disk and never touches the model. Failures are silent.
//
// Everything but running() is called from the editing thread. Save, Save As, the binary export
// and anything that removes or replaces the workspace call waitIdle() first.
class Autosaver {
public:
    Autosaver() = default;
    // Waits for a running write.
    ~Autosaver();
    Autosaver(const Autosaver&) = delete;
    Autosaver& operator=(const Autosaver&) = delete;

    // While set, tick() starts nothing (a save or an export is in progress).
    void setGuard(bool on) { guard_.store(on); }
    bool guard() const { return guard_.load(); }

    // The timer's call: unless the guard is set or the previous write still runs, packages the
    // project and starts writing it to g.workspace / kAutosaveFileName. True when a write was
    // started.
    bool tick(const GlobalState& g);

    // Returns once no write is running.
    void waitIdle();

    bool running() const { return running_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> guard_{false};
    std::atomic<bool> running_{false};
    std::thread writer_;
};

} // namespace vintrel
