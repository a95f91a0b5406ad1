#pragma once

#include "ui/controls/numeric_text.h"

#include <algorithm>
#include <cstddef>

namespace vintrel {

// The range a dialog's number field is held to by its arrows (and, where the dialog checks it,
// on OK).
struct IntRange {
    int low = 0;
    int high = 0;

    constexpr bool contains(int value) const { return value >= low && value <= high; }
};

// How many characters of a field's text are read so that every value of `range` reads back as
// it is written: the longer of its two ends ("-9999" is five), and never fewer than the four
// that every field reads.
inline int readWidthFor(const IntRange& range) {
    const std::size_t widest = std::max(numericText(range.low).size(), numericText(range.high).size());
    return static_cast<int>(std::max(widest, kNumericFieldReadChars));
}

} // namespace vintrel
