#pragma once

// What the benchmark programs share: a scratch workspace folder and loading a sample into it.

#include "model/global_state.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

namespace vintrel::bench {

// A workspace folder for the loaded project, removed at the end.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vintrel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        std::error_code ec;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ec);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Loads samples/<name> into `g` with `workspace` as its work folder.
inline bool loadSample(GlobalState& g, const char* name, const TemporaryFolder& workspace) {
    if (workspace.path().empty()) {
        return false;
    }
    g.workspace = workspace.path();
    StreamNotifier notifier(std::cerr);
    BuiltInProjectDefaults defaults;
    return loadProject(g, std::filesystem::path(VINTREL_SOURCE_DIR) / "samples" / name, defaults, notifier);
}

} // namespace vintrel::bench
