#include "persist/workspace.h"

#include "persist/atomic_file.h"
#include "persist/materials.h"
#include "persist/project_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vintrel {

namespace fs = std::filesystem;

namespace {

// How many numbers after the clock value are tried before giving up.
constexpr int kFolderNameAttempts = 1000;

// Deletes the entries of `folder` in name order, leaving out the one named `keep`; real
// subfolders are emptied first, links are removed as links.
bool removeEntries(const fs::path& folder, const std::set<fs::path>& keep) {
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(it->path());
    }
    if (ec) {
        return false;
    }
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        if (keep.contains(entry.filename())) {
            continue;
        }
        const fs::file_status status = fs::symlink_status(entry, ec);
        if (ec) {
            return false;
        }
        if (fs::is_directory(status) && !removeEntries(entry, {})) {
            return false;
        }
        fs::remove(entry, ec);
        if (ec) {
            return false;
        }
    }
    return true;
}

struct RunAutosave {
    fs::path file;
    fs::file_time_type written;
};

// The autosave files of the run folders below the root (real folders and files, no links), the
// most recently written first; equal times go by folder name, the later clock value first.
std::vector<RunAutosave> runAutosavesNewestFirst(const fs::path& workspaceRoot) {
    std::vector<RunAutosave> found;
    std::error_code ec;
    for (fs::directory_iterator it(workspaceRoot, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (!fs::is_directory(it->symlink_status(statusError))) {
            continue;
        }
        const fs::path autosave = it->path() / kAutosaveFileName;
        if (!fs::is_regular_file(fs::symlink_status(autosave, statusError))) {
            continue;
        }
        const fs::file_time_type written = fs::last_write_time(autosave, statusError);
        found.push_back({autosave, statusError ? fs::file_time_type::min() : written});
    }
    std::sort(found.begin(), found.end(), [](const RunAutosave& a, const RunAutosave& b) {
        return a.written != b.written ? a.written > b.written : a.file > b.file;
    });
    return found;
}

// Whether a missing lock file (and root) is created or the open fails.
enum class LockFileMissing { Create, Fail };

int openLockFile(const fs::path& workspaceRoot, LockFileMissing missing) {
    const bool create = missing == LockFileMissing::Create;
    if (create) {
        std::error_code ec;
        fs::create_directories(workspaceRoot, ec);
        if (ec) {
            return -1;
        }
    }
    const fs::path lockPath = workspaceRoot / kInstanceLockFileName;
    const int flags = O_RDONLY | O_CLOEXEC | (create ? O_CREAT : 0);
    int fd = -1;
    do {
        fd = ::open(lockPath.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int lockFile(int fd, int operation) {
    int result = -1;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The lock file held exclusively, which no running editor allows; closing the file releases it.
class ExclusiveCheck {
public:
    ExclusiveCheck(const fs::path& workspaceRoot, LockFileMissing missing)
        : fd_(openLockFile(workspaceRoot, missing)) {
        if (fd_ >= 0) {
            obtained_ = lockFile(fd_, LOCK_EX | LOCK_NB) == 0;
        } else {
            missing_ = errno == ENOENT;
        }
    }
    ~ExclusiveCheck() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    ExclusiveCheck(const ExclusiveCheck&) = delete;
    ExclusiveCheck& operator=(const ExclusiveCheck&) = delete;

    bool obtained() const { return obtained_; }
    // No lock file yet: no editor has ever run on this root.
    bool missing() const { return missing_; }

private:
    int fd_ = -1;
    bool obtained_ = false;
    bool missing_ = false;
};

} // namespace

fs::path createRunWorkspace(const fs::path& workspaceRoot) {
    std::error_code ec;
    fs::create_directories(workspaceRoot, ec);
    if (ec) {
        return {};
    }
    const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    for (long long number = now; number < now + kFolderNameAttempts; ++number) {
        const fs::path folder = workspaceRoot / std::to_string(number);
        // mkdir either creates the folder or reports that the name is taken, even when another
        // editor picks a name at the same moment.
        if (::mkdir(folder.c_str(), 0755) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        if (!writePlaceholderTexture(folder)) {
            fs::remove_all(folder, ec);
            return {};
        }
        return folder;
    }
    return {};
}

bool emptyFolder(const fs::path& folder) {
    return removeEntries(folder, {});
}

std::filesystem::path makeTemporaryFolder(std::string_view prefix) {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / (std::string(prefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

void discardWorkspace(const fs::path& runWorkspace) {
    if (runWorkspace.empty()) {
        return;
    }
    std::error_code ec;
    fs::remove_all(runWorkspace, ec);
}

InstanceLock::InstanceLock(const fs::path& workspaceRoot)
    : fd_(openLockFile(workspaceRoot, LockFileMissing::Create)) {
    // Shared, so that editors do not exclude each other; waits while a recovery check holds the
    // file exclusively.
    if (fd_ >= 0 && lockFile(fd_, LOCK_SH) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool otherInstanceRunning(const fs::path& workspaceRoot) {
    const ExclusiveCheck check(workspaceRoot, LockFileMissing::Fail);
    // A lock file that exists but cannot be opened leaves the question open; answering yes keeps
    // callers from deleting anything.
    return !check.obtained() && !check.missing();
}

std::optional<fs::path> checkRecovery(const fs::path& workspaceRoot, RecoveryPrompt& prompt) {
    // Held until the check ends, so that an editor starting meanwhile cannot create its folder
    // while this one deletes.
    const ExclusiveCheck check(workspaceRoot, LockFileMissing::Create);
    if (!check.obtained()) {
        return std::nullopt;
    }
    const std::vector<RunAutosave> autosaves = runAutosavesNewestFirst(workspaceRoot);
    // The lock file stays: a new one would be a different file, and editors locking the old one
    // would no longer exclude a check that locks the new one.
    std::set<fs::path> keep{kInstanceLockFileName};
    if (!autosaves.empty()) {
        if (prompt.askRestore()) {
            return autosaves.front().file;
        }
        // Only the offered run is given up: the others are offered at later starts.
        for (std::size_t k = 1; k < autosaves.size(); ++k) {
            keep.insert(autosaves[k].file.parent_path().filename());
        }
    }
    removeEntries(workspaceRoot, keep);
    return std::nullopt;
}

bool handOverRun(std::optional<InstanceLock>& lock, const std::filesystem::path& workspaceRoot,
                 const std::filesystem::path& runWorkspace, const std::function<bool()>& startProcess) {
    std::error_code ignored;
    fs::remove(runWorkspace / kAutosaveFileName, ignored);
    lock.reset();
    if (!startProcess()) {
        lock.emplace(workspaceRoot);
        return false;
    }
    discardWorkspace(runWorkspace);
    return true;
}

} // namespace vintrel
