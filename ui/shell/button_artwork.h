#pragma once

// The artwork of the main window's picture buttons, drawn in code: one image holding a 48 × 35
// cell per button side by side, the normal looks in the top row and the pressed looks below.

#include <QImage>
#include <QtGlobal>
#include <QRect>

namespace vintrel {

inline constexpr int kArtworkCellWidth = 48;
inline constexpr int kArtworkCellHeight = 35;
inline constexpr int kArtworkCellCount = 14;

// Cells in button order: New, Open, Save, Export, Undo, Redo, Remake, Project settings, Camera
// settings, Background colour, Mask settings, History list, View list, Online help. Columns
// x = 2..4 of every normal cell are plain background, so the strip behind the buttons can be
// painted by stretching the first cell's column x = 2.
// Drawn for a screen of `devicePixelRatio` device pixels per logical pixel, so that the buttons
// stay sharp on a scaled screen; the image's size is in device pixels, its cells in logical ones.
QImage pictureButtonStrip(qreal devicePixelRatio = 1.0);

// The cell of the button at `position` (counting buttons only, from 0) in pictureButtonStrip().
QRect pictureButtonCell(int position, bool pressed);

} // namespace vintrel
