#include "persist/autosave.h"

#include "persist/atomic_file.h"
#include "persist/package.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace vintrel {

Autosaver::~Autosaver() {
    waitIdle();
}

bool Autosaver::tick(const GlobalState& g) {
    if (guard_.load() || running()) {
        return false;
    }
    // The previous write has ended; its thread only needs joining.
    waitIdle();
    Result<std::string> package = serializeProject(g);
    if (!package) {
        return false;
    }
    running_.store(true, std::memory_order_release);
    try {
        writer_ = std::thread([this, target = g.workspace / kAutosaveFileName, bytes = std::move(*package)] {
            // A failed autosave is tried again at the next tick.
            (void)writeFileAtomically(target, bytes);
            running_.store(false, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        // No thread to be had: this autosave is skipped like a failed one.
        running_.store(false, std::memory_order_release);
        return false;
    }
    return true;
}

void Autosaver::waitIdle() {
    if (writer_.joinable()) {
        writer_.join();
    }
}

} // namespace vintrel
