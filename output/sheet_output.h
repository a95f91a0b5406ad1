#pragma once

#include "model/global_state.h"
#include "output/image_outputs.h"
#include "output/sheet_layout.h"
#include "platform/result.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vintrel {

// The file of page `pageNumber` (1-based) of `pageCount`: the output's folder and extension,
// its stem from `pattern` with {name} (the output's stem), {columns}, {rows}, {frames} and
// {page} replaced, or the output's own stem for an empty pattern. A sheet of several pages whose
// pattern has no {page} gets "-<page>" after its stem. A pattern that names a folder (a '/' or
// '\') is refused.
Result<std::filesystem::path> sheetPagePath(const std::filesystem::path& output, const std::string& pattern,
                                            const SheetPage& page, int pageNumber, int pageCount);

// Repeats the edge pixels of `rect` of `image` `pixels` times outwards (clipped to the image),
// so that filtering at the frame's edge does not mix in its neighbours.
void extrudeEdges(QImage& image, const QRect& rect, int pixels);

// The extra channels' frames of an export, for the sheets beside the colour sheet.
struct SheetChannel {
    ExportChannel channel = ExportChannel::Color;
    OutputFrames frames;
};
struct SheetChannels {
    std::vector<SheetChannel> extra;
    float motionStrength = 0;
    float depthFar = 0;
};

// The sheet: its pages laid out by the project's export options (columns g.write.width <= 0
// count as 1, rows g.write.height <= 0 are as many as the frames need), each drawn over the
// background, given the chosen alpha mode and written atomically, with its data file beside it
// when a data format is chosen. A page side over kMaxOutputSide is refused before anything is
// written; fails when a frame cannot be read or a file cannot be written. Without any of the
// newer options this is the classic sheet: frame k in column k mod columns, row k div columns.
// Each extra channel's sheet has the colour sheet's layout (its trimming included) and is
// written beside it as "<stem>_<channel>"; the data file names them all.
Status writeSheetWithChannels(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output,
                              const SheetChannels& channels);
Status writeSheet(const OutputFrames& frames, const GlobalState& g, const std::filesystem::path& output);

} // namespace vintrel
