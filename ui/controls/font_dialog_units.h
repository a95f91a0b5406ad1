#pragma once

#include "ui/controls/dialog_units.h"

#include <QFont>

namespace vintrel {

// The dialog-unit scale of `font`, measured as Windows measures a dialog font: with w the width
// of the 52 letters A-Z and a-z, the average character width is (w / 26 + 1) / 2; the character
// height is the font's ascent plus descent.
DialogUnitScale dialogUnitScaleFor(const QFont& font);

} // namespace vintrel
