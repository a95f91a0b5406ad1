#pragma once

// The editor's dark look: the four interface colours, the application palette built from them and
// the fonts the panels draw their texts in.

#include "persist/app_settings.h"

#include <QColor>
#include <QFont>

class QApplication;

namespace vintrel {

// Text on the dark backgrounds, and disabled check-box and radio-button labels.
inline constexpr Rgb kPanelTextColor{255, 255, 255};
inline constexpr Rgb kDisabledLabelColor{100, 100, 100};

// The process-wide interface colours. Set once at start-up, from color.ini, before any window is
// made; until then they are the defaults (40 / 70 / 44,70,144 / 30). GUI thread only.
void setUiColors(const InterfaceColors& colors);
const InterfaceColors& uiColors();

QColor toQColor(Rgb rgb);

// The Fusion style with a palette in the interface colours: dialogs and static text on
// WINDOW_COLOR in white, check-box and radio labels white and grey when disabled, lists on
// CLIENT_COLOR, selections in CURSOR_COLOR. Edit fields, spin boxes and buttons stay light with
// dark text, as in the dialogs this look comes from. Call after setUiColors.
void applyDarkLook(QApplication& app);

// The panels' text font at the given pixel height: "Meiryo" ("メイリオ"), falling back to
// Noto Sans CJK JP.
QFont panelFont(int pixelHeight);

// The font of vertical labels: "Meiryo UI", falling back to Noto Sans CJK JP, 12 points.
QFont verticalLabelFont();

} // namespace vintrel
