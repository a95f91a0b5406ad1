#pragma once

// One dial face of the move direction, as the move panel's indicator and the picker draw it.

#include "ui/panels/direction_geometry.h"

#include <QRect>

namespace vintrel {

class PanelPainter;

// Paints the dial of `view` into `square` over whatever the caller filled it with: the top view
// shows the whole dial, the side view only the dial's right half in the square's right half;
// then the overlay, then the arrow turned `degrees` clockwise about the square's centre (an angle
// that is not a number draws the arrow unturned).
void paintDirectionDial(PanelPainter& painter, const QRect& square, DialView view, double degrees);

} // namespace vintrel
