#pragma once

#include "model/global_state.h"

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vintrel {

class TransportBar;

// The info bar above the view: the four camera mode icons at its right end and, when switched
// on, the frame number, the particle count and the frame rate. It repaints itself every 20 ms.
// Mouse clicks are not handled here: the view's camera control hit-tests the icons from the
// polled cursor position.
class ControlWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 32;
    static constexpr int kRepaintMs = 20;

    struct Display {
        bool frame = true;
        bool particles = false;
        bool fps = false;
    };

    // `currentFrame` gives the simulation's current frame; it is called on the GUI thread and
    // must be safe to call while the worker runs.
    ControlWindow(const GlobalState& g, std::function<int()> currentFrame, QWidget* parent = nullptr);

    void setDisplay(const Display& display);
    // The preview's transport, placed between the readouts and the camera mode icons; it
    // follows the shown frame at every repaint.
    void setTransport(TransportBar* transport);
    const Display& display() const { return display_; }

    QSize sizeHint() const override { return {400, kHeight}; }

signals:
    // A press on the pan (1), orbit (2) or zoom (3) icon: the drag mode the view takes.
    void cameraModeChosen(int mode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintIcons(QPainter& painter);
    void paintReadouts(QPainter& painter);
    int hovered() const;
    // The x where the readouts that are switched on end.
    int readoutsEnd() const;
    int labelWidth(const QString& label, int minimum) const;
    void placeTransport();

    const GlobalState& g_;
    std::function<int()> currentFrame_;
    Display display_;
    QFont font_;
    QTimer timer_;
    TransportBar* transport_ = nullptr;
};

} // namespace vintrel
