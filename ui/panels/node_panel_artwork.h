#pragma once

// The node panel's artwork, drawn in code: the eight command buttons (a 26 × 20 cell each, the
// normal looks in the top row and the pressed looks below) and the two visibility icons (15 × 15
// in 16-pixel cells: the closed eye of a hidden node at x 0, the open eye at x 16).

#include <QImage>
#include <QRect>

class QPainter;

namespace vintrel {

enum class NodeButtonLook { Normal, Pressed };

struct NodeArtworkLayout {
    static constexpr int kButtonCount = 8;
    static constexpr int kButtonWidth = 26;
    static constexpr int kButtonHeight = 20;
    static constexpr int kIconCell = 16;
    static constexpr int kIconSize = 15;
};

// The buttons in command order: add below, add child, duplicate, delete, move down, move up,
// make child, make parent.
QImage nodeButtonStrip();
QRect nodeButtonCell(int position, NodeButtonLook look);

QImage visibilityIcons();

// The face of a 26 × 20 panel button (the node and material panels'): a light vertical gradient,
// darker while pressed, with a grey edge.
void drawPanelButtonFace(QPainter& painter, const QRect& cell, NodeButtonLook look);
// The icon of a node whose m_isDraw is `isDraw` (0 hidden, anything else shown).
QRect visibilityIconCell(int isDraw);

} // namespace vintrel
