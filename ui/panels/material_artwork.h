#pragma once

// The material panel's artwork, drawn in code: the six command buttons in the node panel's
// button layout (26 × 20 cells, the normal looks in the top row and the pressed looks below;
// nodeButtonCell finds a cell), and the icon that stands for a 3D model in the list.

#include <QImage>

namespace vintrel {

// The buttons in command order: import, delete, save a copy, mirror left to right, mirror top to
// bottom, rotate clockwise.
QImage materialButtonStrip();

// A wire-frame cube on a transparent square, `side` pixels wide.
QImage modelIcon(int side);

} // namespace vintrel
