#pragma once

#include "ui/panels/direction_geometry.h"

#include <QWidget>

namespace vintrel {

// One dial of the direction picker: shows an angle and lets the user drag a new one. A left press
// starts a drag (the widget then receives the mouse until the release, wherever the cursor goes),
// every move while it runs reports the angle under the cursor by the dial's rule, with Shift
// snapping to eighth turns, and the release ends it. The dial shows what it is given, not what it
// reports: its owner writes the value and hands back what was stored.
class DirectionDial final : public QWidget {
    Q_OBJECT

public:
    DirectionDial(DialView view, QWidget* parent);

    DialView view() const { return view_; }
    void setAngle(double degrees);
    double angle() const { return angle_; }
    bool isDragging() const { return dragging_; }

signals:
    void angleDragged(double degrees);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    DialView view_;
    double angle_ = 0;
    bool dragging_ = false;
};

} // namespace vintrel
