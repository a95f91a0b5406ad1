#pragma once

#include "platform/result.h"

#include <QImage>
#include <functional>
#include <string>

namespace vintrel {

// How a PNG is compressed: strips of rows deflated side by side on `threads` threads into one
// zlib stream at `level` (zlib's 1..9).
struct PngEncoding {
    // Adaptive: each row's filter chosen by the smallest sum (libpng's heuristic); Fixed: every
    // row filtered with `fixedFilter` (0 none, 1 sub, 2 up, 3 average, 4 Paeth).
    enum class Filters { Adaptive, Fixed };
    // Every row by "up" is the default: with level 4 it writes a large particle sheet about three
    // times as fast as libpng's adaptive filtering at level 6, some 8 % larger (bench/export_bench).
    Filters filters = Filters::Fixed;
    int fixedFilter = 2;
    int threads = 0; // 0: as many as the machine has cores
    int level = 4;
    int rowsPerStrip = 256;
};

// Encodes `image` as an 8-bit PNG: RGBA when it has an alpha channel (its colour kept exactly
// as stored, so a straight ARGB32 image gives straight alpha), RGB otherwise, its rows filtered
// as `how` says. The strips end with
// a full flush, so each is compressed on its own and they join into one valid stream whose
// checksum is combined from theirs. `progress` (when set) hears the share of strips done, from
// the calling thread.
Result<std::string> encodePng(const QImage& image, const PngEncoding& how = {},
                              const std::function<void(double)>& progress = {});

} // namespace vintrel
