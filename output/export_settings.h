#pragma once

#include "model/global_state.h"
#include "platform/result.h"

#include <optional>
#include <string>

namespace vintrel {

// The caption of a refused export range or size.
constexpr const char* kExportSettingsCaption = "設定を修正してください。";

// Checks the range before an export starts: start after end, start 0, end 0 or past the
// effect's last frame are refused.
Status checkExportRange(const WriteSettings& write, int projectFrames);

// Beyond the range: the supersampled size must be drawable (1 .. 16384 pixels a side), so
// that no multiplication overflows and no target is asked for that the driver cannot make.
Status checkExportSize(const GlobalState& g);
constexpr int kMaxExportSide = 16384;

// Rows of the sheet for the range and the columns: at least 1, or 0 when the range is empty.
int sheetRowCount(const WriteSettings& write);

// What the export's start does once the range is accepted: the columns are limited to the
// number of frames (end - start + 1) div step, and the project size is multiplied by the
// supersampling factor for the duration of the export.
void beginExportSize(GlobalState& g);
// Divides the project size by the supersampling factor again.
void endExportSize(GlobalState& g);

// The supersampling factor in use: g.write.smooth, at least 1.
int supersampling(const WriteSettings& write);

} // namespace vintrel
