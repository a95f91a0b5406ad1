#pragma once

namespace vintrel {

// Dialog units to pixels, as Windows lays out dialog templates: one horizontal unit is a quarter
// of the dialog font's average character width, one vertical unit an eighth of its character
// height. Results are rounded half away from zero (MulDiv) and saturate at the int range.
struct DialogUnitScale {
    static constexpr int kUnitsPerCharWidth = 4;
    static constexpr int kUnitsPerCharHeight = 8;

    int averageCharWidth = 0;
    int charHeight = 0;

    int toPixelsX(int dialogUnits) const;
    int toPixelsY(int dialogUnits) const;
};

} // namespace vintrel
