#pragma once

#include "model/global_state.h"
#include "platform/notifier.h"
#include "platform/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vintrel {

constexpr const char* kAutosaveFileName = "__autoSave.stn__";
constexpr const char* kMaterialMissingMessage = "素材ファイル「%1」が見つからないため、保存できません。";

// The complete package of the project: the material files read from g.workspace followed by
// the settings file, in the current format version. Fails for a tree that cannot be saved or a
// material file that cannot be read. The autosave calls this on the editing thread and writes
// the bytes elsewhere.
Result<std::string> serializeProject(const GlobalState& g);

// Saves the project as a package at `path`: the settings file and every material file from the
// workspace. The target is replaced only once the new package is complete on disk. Saving to
// anything but the autosave file also makes `path` the current file and clears the modified
// flag. On failure the user is told why, and the previous file stays as it was.
bool saveProject(GlobalState& g, const std::filesystem::path& path, Notifier& notifier);

// Opens the package at `path`: the package is read and checked first, so a file that cannot be
// opened leaves the current project untouched. Then the project is reset, the files are
// unpacked into a fresh workspace (g.workspace, emptied and created again), the settings are
// read and the first node is selected.
bool loadProject(GlobalState& g, const std::filesystem::path& path, const ProjectDefaults& defaults,
                 Notifier& notifier);

// Whether loadProject could open the package at `path`: it is read and checked, and nothing is
// changed. False with the messages loadProject would give.
bool checkProjectFile(const std::filesystem::path& path, Notifier& notifier);

// Empties `folder` (creating it when missing). False when something in it cannot be removed.
bool recreateFolder(const std::filesystem::path& folder);

} // namespace vintrel
