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
    // Full: zlib's usual search for repeated strings; Runs: only runs of one byte (zlib's
    // Z_RLE). Rows filtered by "up" turn a particle sheet's still and empty areas into runs of
    // zeros, so runs alone write a large sheet some seven times as fast as libpng's adaptive
    // filtering at level 6, some 4 % larger (bench/export_bench): the default.
    enum class Matching { Full, Runs };
    Filters filters = Filters::Fixed;
    int fixedFilter = 2;
    Matching matching = Matching::Runs;
    int threads = 0; // 0: as many as the machine has cores
    int level = 4;   // for Full matching
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
