#pragma once

#include "platform/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vintrel {

// Writes `bytes` to a temporary file beside `target`, flushes it to disk and renames it over
// the target, so that a crash or a full disk leaves either the old or the new file, never a
// part of one. Fails with the system's reason.
Status writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

} // namespace vintrel
