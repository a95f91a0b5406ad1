#include "ui/controls/panel_painter.h"

#include "ui/controls/ui_colors.h"

#include <algorithm>

namespace vintrel {
namespace {

constexpr int kLogicalDpi = 96;
constexpr int kPointsPerInch = 72;
constexpr qreal kOpaque = 1.0;
constexpr qreal kQuarterTurnDegrees = 90.0;
constexpr int kTextHeightsPerPoint = 2;
constexpr int kMaxGrey = 255;

} // namespace

int pointsToPixels(int points) {
    return (points * kLogicalDpi + kPointsPerInch / 2) / kPointsPerInch;
}

PanelPainter::PanelPainter(QPaintDevice& device)
    : painter_(&device), bounds_(0, 0, device.width(), device.height()) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

void PanelPainter::fill(QColor color) {
    painter_.fillRect(bounds_, color);
}

void PanelPainter::fillRect(const QRect& rect, QColor color) {
    painter_.fillRect(rect, color);
}

void PanelPainter::line(const QPen& pen, QPointF from, QPointF to) {
    painter_.setPen(pen);
    painter_.drawLine(from, to);
}

void PanelPainter::setImageOpacity(qreal opacity) {
    imageOpacity_ = std::clamp(opacity, 0.0, kOpaque);
}

void PanelPainter::translate(qreal dx, qreal dy) {
    painter_.translate(dx, dy);
}

void PanelPainter::rotate(qreal degrees) {
    painter_.rotate(degrees);
}

void PanelPainter::drawImage(const QImage& image, const QRect& target) {
    painter_.setOpacity(imageOpacity_);
    painter_.drawImage(target, image);
    finishImageDraw();
}

void PanelPainter::drawImagePart(const QImage& image, const QRect& target, const QRect& source) {
    painter_.setOpacity(imageOpacity_);
    painter_.drawImage(target, image, source);
    finishImageDraw();
}

void PanelPainter::finishImageDraw() {
    imageOpacity_ = kOpaque;
    painter_.setOpacity(kOpaque);
    painter_.resetTransform();
}

void PanelPainter::text(const QString& string, const QRect& rect, QColor color) {
    const int points = rect.height() / kTextHeightsPerPoint;
    painter_.setFont(panelFont(pointsToPixels(points)));
    painter_.setPen(color);
    painter_.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, string);
}

QRect PanelPainter::textBounds(const QString& string, const QRect& rect) {
    const int points = rect.height() / kTextHeightsPerPoint;
    painter_.setFont(panelFont(pointsToPixels(points)));
    return painter_.fontMetrics().boundingRect(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, string);
}

void PanelPainter::verticalText(const QString& string, const QRect& rect, int grey) {
    const int level = std::clamp(grey, 0, kMaxGrey);
    painter_.save();
    painter_.setFont(verticalLabelFont());
    painter_.setPen(QColor(level, level, level));
    painter_.translate(QRectF(rect).center());
    painter_.rotate(kQuarterTurnDegrees);
    // After the quarter turn the rectangle's height runs along the text.
    const QRectF turned(-rect.height() / 2.0, -rect.width() / 2.0, rect.height(), rect.width());
    painter_.drawText(turned, Qt::AlignCenter, string);
    painter_.restore();
}

} // namespace vintrel
