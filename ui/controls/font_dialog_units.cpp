#include "ui/controls/font_dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace vintrel {
namespace {

const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
constexpr int kLettersPerCase = 26;

} // namespace

DialogUnitScale dialogUnitScaleFor(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabetWidth = metrics.horizontalAdvance(kAlphabet);
    // Both cases' widths over 26 is twice the average; halved with rounding.
    DialogUnitScale scale;
    scale.averageCharWidth = (alphabetWidth / kLettersPerCase + 1) / 2;
    scale.charHeight = metrics.height();
    return scale;
}

} // namespace vintrel
