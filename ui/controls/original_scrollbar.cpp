#include "ui/controls/original_scrollbar.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/scrollbar_thumb_image.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

namespace vintrel {
namespace {

constexpr int kAngleUnitsPerNotch = 120;

// The image with x and y swapped: the horizontal bar's thumb from the vertical artwork.
QImage transposed(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.height(), source.width(), QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            reinterpret_cast<QRgb*>(result.scanLine(x))[y] = row[x];
        }
    }
    return result;
}

QRect transposed(const QRect& rect) {
    return {rect.top(), rect.left(), rect.height(), rect.width()};
}

} // namespace

OriginalScrollbar::OriginalScrollbar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    const QImage thumb = makeScrollbarThumbImage();
    thumbImage_ = orientation_ == Qt::Vertical ? thumb : transposed(thumb);
    // Moves without a button reach the bar through mouse tracking, and leaveEvent ends the hot
    // look, so the bar needs no mouse capture just to notice the cursor leaving the thumb.
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(tr("スクロールバー"));
    hide();
}

bool OriginalScrollbar::setRange(int x, int y, int contentSize, int viewSize) {
    const ScrollbarModel::RangeChange change = model_.setRange(contentSize, viewSize);
    const int length = model_.viewSize();
    setGeometry(orientation_ == Qt::Vertical ? QRect(x, y, kThickness, length)
                                             : QRect(x, y, length, kThickness));
    if (!change.shown) {
        releaseGrab();
    }
    setVisible(change.shown);
    update();
    if (change.hiddenNow) {
        reportedPosition_ = 0;
        emit positionChanged(0);
    } else {
        reportPosition();
    }
    return change.shown;
}

void OriginalScrollbar::wheelScroll(int pixels) {
    if (model_.wheelScroll(pixels)) {
        update();
        reportPosition();
    }
}

int OriginalScrollbar::alongOf(QPointF point) const {
    const QPoint p = point.toPoint();
    return orientation_ == Qt::Vertical ? p.y() : p.x();
}

int OriginalScrollbar::acrossOf(QPointF point) const {
    const QPoint p = point.toPoint();
    return orientation_ == Qt::Vertical ? p.x() : p.y();
}

QRect OriginalScrollbar::barRect(int alongStart, int alongLength) const {
    const QRect vertical(0, alongStart, kThickness, alongLength);
    return orientation_ == Qt::Vertical ? vertical : transposed(vertical);
}

QRect OriginalScrollbar::sourceRect(const QRect& verticalSource) const {
    return orientation_ == Qt::Vertical ? verticalSource : transposed(verticalSource);
}

void OriginalScrollbar::reportPosition() {
    if (model_.position() != reportedPosition_) {
        reportedPosition_ = model_.position();
        emit positionChanged(reportedPosition_);
    }
}

void OriginalScrollbar::releaseGrab() {
    if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
}

void OriginalScrollbar::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(Qt::black);
    if (!model_.isShown()) {
        return;
    }
    const ThumbLook look = model_.isHot() ? ThumbLook::Hot : ThumbLook::Normal;
    const int start = model_.thumbPosition();
    const int length = model_.thumbLength();
    constexpr int kCap = ThumbImageLayout::kCapLength;
    painter.drawImagePart(thumbImage_, barRect(start, kCap), sourceRect(thumbTopCapSource(look)));
    if (length > 2 * kCap) {
        painter.drawImagePart(thumbImage_, barRect(start + kCap, length - 2 * kCap),
                              sourceRect(thumbBodySource(look)));
    }
    painter.drawImagePart(thumbImage_, barRect(start + length - kCap, kCap),
                          sourceRect(thumbBottomCapSource(look)));
}

void OriginalScrollbar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    model_.press(alongOf(event->position()), acrossOf(event->position()));
    if (model_.isDragging() && isVisible()) {
        // Qt already routes the mouse here while the button is held; the explicit grab keeps a
        // drag that leaves the bar (and the window) going until the button comes up.
        grabMouse();
    }
    update();
    reportPosition();
}

void OriginalScrollbar::mouseMoveEvent(QMouseEvent* event) {
    const LeftButton button = event->buttons().testFlag(Qt::LeftButton) ? LeftButton::Held : LeftButton::Up;
    const bool wasHot = model_.isHot();
    const int before = model_.position();
    model_.move(alongOf(event->position()), acrossOf(event->position()), button);
    if (!model_.isDragging()) {
        releaseGrab();
    }
    if (wasHot != model_.isHot() || before != model_.position()) {
        update();
    }
    reportPosition();
}

void OriginalScrollbar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    model_.release(alongOf(event->position()), acrossOf(event->position()));
    releaseGrab();
    update();
    reportPosition();
}

void OriginalScrollbar::wheelEvent(QWheelEvent* event) {
    const bool vertical = orientation_ == Qt::Vertical;
    const QPoint pixels = event->pixelDelta();
    const QPoint angle = event->angleDelta();
    // Prefer the wheel axis along the bar; a plain vertical wheel also scrolls a horizontal bar.
    auto alongAxis = [vertical](QPoint delta) {
        const int primary = vertical ? delta.y() : delta.x();
        return primary != 0 ? primary : (vertical ? delta.x() : delta.y());
    };
    // A turn away from the user (positive delta) scrolls back towards the content's start.
    const qint64 scroll = !pixels.isNull()
                              ? -qint64{alongAxis(pixels)}
                              : -qint64{alongAxis(angle)} * kWheelPixelsPerNotch / kAngleUnitsPerNotch;
    wheelScroll(static_cast<int>(std::clamp<qint64>(scroll, INT_MIN, INT_MAX)));
    event->accept();
}

void OriginalScrollbar::leaveEvent(QEvent* event) {
    model_.leave();
    update();
    QWidget::leaveEvent(event);
}

} // namespace vintrel
