#pragma once

#include "model/global_state.h"
#include "output/export_loop.h"
#include "output/write_progress.h"
#include "platform/result.h"

#include <filesystem>
#include <string>

namespace vintrel {

// Writes the chosen output from the intermediate frames of a completed export (frames 0 ..
// run.lastIndex at the supersampled size, scaled down to the project size). `videoTool` is the
// video companion program, used for the video only.
// `progress`, when given, follows the writing.
Status writeExportOutput(const GlobalState& g, const ExportRun& run, const std::filesystem::path& output,
                         const std::filesystem::path& videoTool, WriteProgress* progress = nullptr);

} // namespace vintrel
