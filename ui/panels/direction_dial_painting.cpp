#include "ui/panels/direction_dial_painting.h"

#include "ui/controls/panel_painter.h"
#include "ui/panels/direction_artwork.h"

#include <cmath>

namespace vintrel {
namespace {

void paintDialImage(PanelPainter& painter, const QRect& square, DialView view) {
    const QImage& dial = directionArtwork().dial;
    if (view == DialView::Top) {
        painter.drawImage(dial, square);
        return;
    }
    const int halfImage = dial.width() / 2;
    const int leftHalf = square.width() / 2;
    const QRect target(square.left() + leftHalf, square.top(), square.width() - leftHalf, square.height());
    painter.drawImagePart(dial, target, QRect(halfImage, 0, dial.width() - halfImage, dial.height()));
}

void paintArrow(PanelPainter& painter, const QRect& square, double degrees) {
    const QPointF centre(square.left() + square.width() / 2.0, square.top() + square.height() / 2.0);
    painter.translate(centre.x(), centre.y());
    painter.rotate(std::isfinite(degrees) ? degrees : 0.0);
    painter.drawImage(directionArtwork().arrow,
                      QRect(-square.width() / 2, -square.height() / 2, square.width(), square.height()));
}

} // namespace

void paintDirectionDial(PanelPainter& painter, const QRect& square, DialView view, double degrees) {
    if (square.isEmpty()) {
        return;
    }
    paintDialImage(painter, square, view);
    painter.drawImage(directionArtwork().overlay, square);
    paintArrow(painter, square, degrees);
}

} // namespace vintrel
