#include "ui/panels/direction_artwork.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>

namespace vintrel {
namespace {

// Everything is laid out on a 256-unit grid centred at (128, 128) and scaled to the image.
constexpr qreal kGrid = 256.0;
constexpr qreal kCentre = kGrid / 2;
constexpr qreal kDiscRadius = 120.0;
constexpr qreal kRimWidth = 4.0;

constexpr int kMinorTickStepDegrees = 15;
constexpr int kMajorTickStepDegrees = 45;
constexpr int kFullTurnDegrees = 360;
constexpr qreal kMinorTickLength = 9.0;
constexpr qreal kMajorTickLength = 20.0;
constexpr qreal kMinorTickWidth = 2.0;
constexpr qreal kMajorTickWidth = 4.0;
constexpr qreal kTickInset = 6.0;

constexpr qreal kHubRadius = 13.0;
constexpr qreal kHubRingWidth = 3.0;

constexpr qreal kShaftWidth = 9.0;
constexpr qreal kArrowTipY = kCentre - 104.0;
constexpr qreal kArrowHeadLength = 34.0;
constexpr qreal kArrowHeadHalfWidth = 19.0;

const QColor kDiscInner(62, 62, 62);
const QColor kDiscOuter(22, 22, 22);
const QColor kRimColor(120, 120, 120);
const QColor kMinorTickColor(130, 130, 130);
const QColor kMajorTickColor(210, 210, 210);
const QColor kHubColor(235, 235, 235);
const QColor kHubRingColor(30, 30, 30);
const QColor kArrowColor(255, 168, 48);
const QColor kArrowEdgeColor(120, 60, 0);
constexpr qreal kArrowEdgeWidth = 2.0;

// A transparent image of `size` pixels with a painter scaled to the 256-unit grid.
class GridCanvas {
public:
    explicit GridCanvas(int size) : image_(size, size, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(Qt::transparent);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.scale(size / kGrid, size / kGrid);
    }
    QPainter& painter() { return painter_; }
    QImage finish() {
        painter_.end();
        return image_;
    }

private:
    QImage image_;
    QPainter painter_;
};

void drawTick(QPainter& painter, int degrees) {
    const bool major = degrees % kMajorTickStepDegrees == 0;
    const qreal outer = kDiscRadius - kTickInset;
    const qreal inner = outer - (major ? kMajorTickLength : kMinorTickLength);
    painter.save();
    painter.translate(kCentre, kCentre);
    painter.rotate(degrees);
    painter.setPen(QPen(major ? kMajorTickColor : kMinorTickColor, major ? kMajorTickWidth : kMinorTickWidth,
                        Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, -outer), QPointF(0, -inner));
    painter.restore();
}

} // namespace

QImage makeDirectionDialImage(int size) {
    GridCanvas canvas(size);
    QPainter& painter = canvas.painter();
    QRadialGradient shade(QPointF(kCentre, kCentre), kDiscRadius);
    shade.setColorAt(0.0, kDiscInner);
    shade.setColorAt(1.0, kDiscOuter);
    painter.setBrush(shade);
    painter.setPen(QPen(kRimColor, kRimWidth));
    painter.drawEllipse(QPointF(kCentre, kCentre), kDiscRadius, kDiscRadius);
    for (int degrees = 0; degrees < kFullTurnDegrees; degrees += kMinorTickStepDegrees) {
        drawTick(painter, degrees);
    }
    return canvas.finish();
}

QImage makeDirectionOverlayImage(int size) {
    GridCanvas canvas(size);
    QPainter& painter = canvas.painter();
    painter.setBrush(kHubColor);
    painter.setPen(QPen(kHubRingColor, kHubRingWidth));
    painter.drawEllipse(QPointF(kCentre, kCentre), kHubRadius, kHubRadius);
    return canvas.finish();
}

QImage makeDirectionArrowImage(int size) {
    GridCanvas canvas(size);
    QPainter& painter = canvas.painter();
    const qreal headBase = kArrowTipY + kArrowHeadLength;
    QPainterPath arrow;
    arrow.addRect(QRectF(kCentre - kShaftWidth / 2, headBase, kShaftWidth, kCentre - headBase));
    QPainterPath head;
    head.addPolygon(QPolygonF{QPointF(kCentre, kArrowTipY), QPointF(kCentre + kArrowHeadHalfWidth, headBase),
                              QPointF(kCentre - kArrowHeadHalfWidth, headBase)});
    head.closeSubpath();
    painter.setBrush(kArrowColor);
    painter.setPen(QPen(kArrowEdgeColor, kArrowEdgeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(arrow.united(head));
    return canvas.finish();
}

const DirectionArtwork& directionArtwork() {
    static const DirectionArtwork artwork{makeDirectionDialImage(kDirectionArtworkSize),
                                          makeDirectionOverlayImage(kDirectionArtworkSize),
                                          makeDirectionArrowImage(kDirectionArtworkSize)};
    return artwork;
}

} // namespace vintrel
