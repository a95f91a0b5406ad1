#pragma once

#include "model/global_state.h"
#include "platform/notifier.h"

#include <filesystem>
#include <string>

namespace vintrel {

// The node tree as packed little-endian records for a runtime: the top-level nodes one after
// another, each followed by its children; no header.
std::string encodeBinaryExport(const EffectNode& root, const MaterialList& materials);

// Writes the binary export to `path` and copies every texture of the material list from the
// workspace into the same folder, under the bare material name. A texture that cannot be copied
// does not stop the others; they are named in one message and the result is false.
bool exportBinary(const GlobalState& g, const std::filesystem::path& path, Notifier& notifier);

} // namespace vintrel
