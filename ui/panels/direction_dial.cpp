#include "ui/panels/direction_dial.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/panels/direction_dial_painting.h"

#include <QMouseEvent>

namespace vintrel {

DirectionDial::DirectionDial(DialView view, QWidget* parent) : QWidget(parent), view_(view) {}

void DirectionDial::setAngle(double degrees) {
    if (degrees != angle_) {
        angle_ = degrees;
        update();
    }
}

void DirectionDial::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(toQColor(uiColors().window));
    const DialSquare square = dialSquare(width(), height());
    paintDirectionDial(painter, QRect(square.left, square.top, square.side, square.side), view_, angle_);
}

// Qt hands every mouse event to the pressed widget until the button is released, so the drag
// follows the cursor outside the dial without an explicit grab.
void DirectionDial::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
    }
}

void DirectionDial::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const AngleSnap snap =
        event->modifiers().testFlag(Qt::ShiftModifier) ? AngleSnap::EighthTurns : AngleSnap::Free;
    const QPointF at = event->position();
    emit angleDragged(dialValueAt(view_, at.x(), at.y(), width(), snap));
}

void DirectionDial::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
    }
}

} // namespace vintrel
