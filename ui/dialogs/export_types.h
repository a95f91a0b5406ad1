#pragma once

// The entries of the export dialog's "タイプ" list: the four classic output types and the
// animated formats written through ffmpeg, with what each one sets and the save dialog's filter.

#include "model/global_state.h"

#include <span>

namespace vintrel {

struct ExportType {
    const char* label;        // the list's text (translated in context "Export")
    int classicType;          // WriteSettings::type: the nearest classic output for other readers
    AnimatedFormat animation; // None for the classic types
    const char* filter;       // the save dialog's name filter
    const char* suffix;       // its default suffix
};

std::span<const ExportType> exportTypes();

// The list entry the settings choose: the animated format when one is set, otherwise the
// classic type (one out of range as the nearest classic entry).
int exportTypeIndex(const WriteSettings& write, const ExportExtras& extras);

// Sets the settings for entry `index` (out of range: left as they are).
void chooseExportType(int index, WriteSettings& write, ExportExtras& extras);

// Whether the output is one sheet image: a classic sheet, not an animated format.
bool writesSheet(const WriteSettings& write, const ExportExtras& extras);

} // namespace vintrel
