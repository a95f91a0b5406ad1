#pragma once

#include "ui/controls/scrollbar_model.h"

#include <QImage>
#include <QWidget>

namespace vintrel {

// The editor's own scrollbar: a black strip 14 pixels thick with a rounded thumb that lights up
// under the cursor, no arrow buttons. Press on the thumb and drag (the drag goes on outside the
// bar), or press on the track to page by one view. The arithmetic is ScrollbarModel's; this
// widget only paints it and forwards the mouse.
//
// The bar hides itself while the whole content fits the view. `positionChanged` tells the owner
// the scroll offset whenever it changes, and once with 0 when the bar hides itself, so the
// owner's content never stays scrolled with no bar to scroll it back.
class OriginalScrollbar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kThickness = ScrollbarModel::kThickness;
    // Pixels scrolled per notch of the mouse wheel.
    static constexpr int kWheelPixelsPerNotch = 48;

    // Starts hidden; setRange shows it when there is something to scroll.
    OriginalScrollbar(Qt::Orientation orientation, QWidget* parent);

    // Puts the bar at (x, y) in its parent, kThickness × viewSize (vertical) or viewSize ×
    // kThickness (horizontal), for a content of `contentSize` pixels. Returns whether the bar is
    // shown (viewSize < contentSize); otherwise it hides and the position goes back to 0.
    bool setRange(int x, int y, int contentSize, int viewSize);

    // Scrolls by `pixels` towards the content's end (negative: towards its start), clamped; for
    // the owner to forward wheel turns over its content.
    void wheelScroll(int pixels);

    int position() const { return model_.position(); }
    Qt::Orientation orientation() const { return orientation_; }
    const ScrollbarModel& model() const { return model_; }

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int alongOf(QPointF point) const;
    int acrossOf(QPointF point) const;
    QRect barRect(int alongStart, int alongLength) const;
    QRect sourceRect(const QRect& verticalSource) const;
    void reportPosition();
    void releaseGrab();

    Qt::Orientation orientation_;
    ScrollbarModel model_;
    QImage thumbImage_;
    int reportedPosition_ = 0;
};

} // namespace vintrel
