#include "ui/controls/dialog_units.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace vintrel {
namespace {

// number * numerator / denominator with the quotient rounded half away from zero, as Windows'
// MulDiv; the product is exact in 64 bits. The denominators used here are fixed and positive.
int mulDiv(int number, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(std::clamp<std::int64_t>(rounded, INT_MIN, INT_MAX));
}

} // namespace

int DialogUnitScale::toPixelsX(int dialogUnits) const {
    return mulDiv(dialogUnits, averageCharWidth, kUnitsPerCharWidth);
}

int DialogUnitScale::toPixelsY(int dialogUnits) const {
    return mulDiv(dialogUnits, charHeight, kUnitsPerCharHeight);
}

} // namespace vintrel
