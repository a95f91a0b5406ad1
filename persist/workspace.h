#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace vintrel {

// Every run of the editor works in its own folder below the workspace root: imported textures,
// models and the autosave file live there while the project is open. A run that crashes leaves
// its folder behind; the next start offers to restore the autosave found in it.

constexpr const char* kInstanceLockFileName = ".lock";
constexpr const char* kRestorePromptText = "自動保存されたデータが残っています。\n復元しますか？\n\n"
                                           "※「いいえ」を選ぶと、このデータは削除されます。";

// Creates `workspaceRoot/<milliseconds>` (the root too when it is missing; the next free number
// when the folder exists) and writes the placeholder texture kPlaceholderTextureName, a 1 × 1
// opaque white PNG, into it. Empty on failure, with nothing left behind.
std::filesystem::path createRunWorkspace(const std::filesystem::path& workspaceRoot);

// Deletes every file and every subfolder with its content; the folder itself stays. Symbolic
// links are removed themselves, never followed. Stops at the first entry that cannot be
// deleted and returns false, as it does when the folder cannot be listed (or is missing).
bool emptyFolder(const std::filesystem::path& folder);

// A new, empty folder of this process's own in the system's temporary folder, named
// `prefix` and six random characters; empty when none can be made.
std::filesystem::path makeTemporaryFolder(std::string_view prefix);

// Removes a run's folder with everything in it; failures are ignored.
void discardWorkspace(const std::filesystem::path& runWorkspace);

// Marks this process as a running editor for as long as the object lives. Every instance holds
// a shared lock on `workspaceRoot/.lock`, so any number of editors may run side by side, while
// the recovery check, which must not touch the folders of running editors, needs the lock
// exclusively. The constructor waits while another process runs its recovery check.
class InstanceLock {
public:
    explicit InstanceLock(const std::filesystem::path& workspaceRoot);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when the lock file could not be created or locked.
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Hands this run over to a fresh editor process (New, Open, a dropped file): the autosave file
// goes first, so the new process cannot take this run for a crashed one, then the lock, so it
// does not take this run for a running one; then `startProcess` runs. When it succeeds the run's
// folder is deleted; when it fails the lock is taken again and the folder stays as it was, so
// the project is still whole. Returns what `startProcess` returned.
bool handOverRun(std::optional<InstanceLock>& lock, const std::filesystem::path& workspaceRoot,
                 const std::filesystem::path& runWorkspace, const std::function<bool()>& startProcess);

// Whether an editor holds its InstanceLock on this root (this process's own locks included).
bool otherInstanceRunning(const std::filesystem::path& workspaceRoot);

// Asks the user whether an autosave left by a crashed run is to be restored.
class RecoveryPrompt {
public:
    virtual ~RecoveryPrompt() = default;
    // Shows kRestorePromptText with Yes and No; true for Yes.
    virtual bool askRestore() = 0;
};

// The start-up check when no file is given, to be run before this process takes its
// InstanceLock. While another editor runs it does nothing. Otherwise the newest autosave of the
// run folders below the root (by the time it was written) is offered. Yes gives that file to
// open and leaves every folder as it is. No deletes the offered run's folder and everything
// else below the root except the lock file and the folders of the other autosaves, which are
// offered at later starts; with no autosave at all, everything but the lock file goes.
// Another editor starting meanwhile waits in its InstanceLock until the check has ended.
std::optional<std::filesystem::path> checkRecovery(const std::filesystem::path& workspaceRoot,
                                                   RecoveryPrompt& prompt);

} // namespace vintrel
