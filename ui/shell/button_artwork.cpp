#include "ui/shell/button_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>

namespace vintrel {

namespace {

// Icons are drawn on a 24 × 24 grid centred in the cell; the pressed look moves them down-right.
constexpr double kIconSize = 24.0;
constexpr double kIconLeft = (kArtworkCellWidth - kIconSize) / 2;
constexpr double kIconTop = 5.0;
constexpr double kPressedShift = 1.0;
constexpr double kStrokeWidth = 2.0;
constexpr double kArrowHeadLength = 5.5;
constexpr double kArrowHeadHalfWidth = 4.5;

const QColor kIconColor(225, 225, 225);

// The normal look: a dark gradient a little lighter than the 40/40/40 panels, lit along the top
// edge and closed by a dark line along the bottom. The same in every column, so the strip behind
// the buttons continues it.
const QColor kNormalTop(72, 72, 72);
const QColor kNormalBottom(42, 42, 42);
const QColor kNormalHighlight(92, 92, 92);
const QColor kBottomLine(22, 22, 22);

// The pressed look: sunk into the bar, darker with a shadow along the top and left edges.
const QColor kPressedTop(28, 28, 28);
const QColor kPressedBottom(36, 36, 36);
const QColor kPressedShadow(14, 14, 14);

QPen iconPen() {
    return QPen(kIconColor, kStrokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillIconShape(QPainter& painter, const QPainterPath& path) {
    painter.fillPath(path, kIconColor);
}

// A filled triangle whose tip is at `tip`, pointing along `direction`.
void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction) {
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF along = direction / length;
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * kArrowHeadLength;
    QPainterPath head;
    head.addPolygon(QPolygonF{tip, base + across * kArrowHeadHalfWidth, base - across * kArrowHeadHalfWidth});
    head.closeSubpath();
    fillIconShape(painter, head);
}

// ---- the icons, one per command ----------------------------------------------------------------

// New: a page with a folded corner.
void drawNewIcon(QPainter& painter) {
    painter.drawPolygon(QPolygonF{{5, 2}, {14, 2}, {20, 8}, {20, 22}, {5, 22}});
    painter.drawPolyline(QPolygonF{{14, 2}, {14, 8}, {20, 8}});
}

// Open: a folder with its front flap open.
void drawOpenIcon(QPainter& painter) {
    painter.drawPolyline(QPolygonF{{2, 19}, {2, 5}, {8, 5}, {10, 7}, {19, 7}, {19, 11}});
    painter.drawPolygon(QPolygonF{{2, 19}, {6, 11}, {23, 11}, {19, 19}});
}

// Save: a floppy disk with its shutter and label.
void drawSaveIcon(QPainter& painter) {
    painter.drawPolygon(QPolygonF{{3, 3}, {18, 3}, {21, 6}, {21, 21}, {3, 21}});
    painter.drawPolyline(QPolygonF{{7, 3}, {7, 9}, {16, 9}, {16, 3}});
    painter.fillRect(QRectF(12.5, 4.5, 2, 3), kIconColor);
    painter.drawRect(QRectF(7, 14, 10, 7));
}

// Export: a framed picture with hills and a sun.
void drawExportIcon(QPainter& painter) {
    painter.drawRect(QRectF(2, 4, 20, 16));
    QPainterPath hills;
    hills.addPolygon(QPolygonF{{3, 19}, {9, 12}, {13, 16}, {16, 13}, {21, 19}});
    hills.closeSubpath();
    fillIconShape(painter, hills);
    painter.setBrush(kIconColor);
    painter.drawEllipse(QPointF(16.5, 8.5), 1.6, 1.6);
    painter.setBrush(Qt::NoBrush);
}

// Undo: an arrow bending back to the left. Redo is its mirror image.
void drawUndoIcon(QPainter& painter) {
    QPainterPath tail;
    tail.moveTo(19, 20);
    tail.cubicTo(21, 12, 15, 8, 8, 8);
    painter.drawPath(tail);
    drawArrowHead(painter, {2.5, 8}, {-1, 0});
}

void drawRedoIcon(QPainter& painter) {
    painter.save();
    painter.setTransform(QTransform(-1, 0, 0, 1, kIconSize, 0), true);
    drawUndoIcon(painter);
    painter.restore();
}

// An arc of the circle around the icon's centre from `startDegrees`, counter-clockwise over
// `sweepDegrees`, with an arrow head at its end.
void drawArcArrow(QPainter& painter, double radius, double startDegrees, double sweepDegrees) {
    const QPointF centre(kIconSize / 2, kIconSize / 2);
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, sweepDegrees);
    painter.drawPath(arc);
    // Screen y runs down, so a counter-clockwise turn at angle a heads along (-sin a, -cos a).
    const double end = (startDegrees + sweepDegrees) * std::numbers::pi / 180.0;
    const QPointF heading(-std::sin(end), -std::cos(end));
    const QPointF endPoint = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
    drawArrowHead(painter, endPoint + heading * (kArrowHeadLength - 1), heading);
}

// Remake: two arrows chasing each other round a circle.
void drawRemakeIcon(QPainter& painter) {
    constexpr double radius = 8;
    drawArcArrow(painter, radius, 20, 125);
    drawArcArrow(painter, radius, 200, 125);
}

// Project settings: a gear.
void drawGearIcon(QPainter& painter) {
    constexpr int teeth = 8;
    constexpr double bodyRadius = 7.5;
    constexpr double holeRadius = 3;
    const QPointF centre(kIconSize / 2, kIconSize / 2);
    QPainterPath gear;
    gear.addEllipse(centre, bodyRadius, bodyRadius);
    for (int i = 0; i < teeth; ++i) {
        QPainterPath tooth;
        tooth.addRect(QRectF(-2.2, -11, 4.4, 5));
        const QTransform place = QTransform().translate(centre.x(), centre.y()).rotate(360.0 * i / teeth);
        gear = gear.united(place.map(tooth));
    }
    QPainterPath hole;
    hole.addEllipse(centre, holeRadius, holeRadius);
    fillIconShape(painter, gear.subtracted(hole));
}

// Camera settings: a camera body with its lens and viewfinder.
void drawCameraIcon(QPainter& painter) {
    painter.drawRoundedRect(QRectF(2, 7, 20, 14), 2, 2);
    painter.drawPolyline(QPolygonF{{7, 7}, {9, 4}, {15, 4}, {17, 7}});
    painter.drawEllipse(QPointF(12, 14), 4, 4);
    painter.setBrush(kIconColor);
    painter.drawEllipse(QPointF(18.5, 10), 0.8, 0.8);
    painter.setBrush(Qt::NoBrush);
}

// Background colour: a painter's palette, with a notch, a thumb hole and paint dabs cut out.
void drawPaletteIcon(QPainter& painter) {
    QPainterPath palette;
    palette.addEllipse(QRectF(1.5, 3, 21, 18));
    QPainterPath openings;
    openings.addEllipse(QPointF(20, 17.5), 4.5, 4.5);
    openings.addEllipse(QPointF(13.5, 16), 2, 2);
    for (const QPointF dab : {QPointF(6.5, 9.5), QPointF(11.5, 7), QPointF(16.5, 8.5), QPointF(6.5, 15)}) {
        openings.addEllipse(dab, 1.8, 1.8);
    }
    fillIconShape(painter, palette.subtracted(openings));
}

// Mask settings: a stencil, a solid square with a round opening.
void drawMaskIcon(QPainter& painter) {
    QPainterPath stencil;
    stencil.setFillRule(Qt::OddEvenFill);
    stencil.addRect(QRectF(3, 3, 18, 18));
    stencil.addEllipse(QPointF(12, 12), 6, 6);
    fillIconShape(painter, stencil);
}

void drawClock(QPainter& painter, QPointF centre, double radius) {
    painter.drawEllipse(centre, radius, radius);
    painter.drawLine(centre, centre + QPointF(0, -radius * 0.6));
    painter.drawLine(centre, centre + QPointF(radius * 0.5, 0));
}

// History list: lines of a list with a clock.
void drawHistoryIcon(QPainter& painter) {
    painter.drawLine(QPointF(2, 3), QPointF(22, 3));
    painter.drawLine(QPointF(2, 8), QPointF(22, 8));
    painter.drawLine(QPointF(2, 13), QPointF(9, 13));
    painter.drawLine(QPointF(2, 18), QPointF(9, 18));
    drawClock(painter, {17, 17}, 5);
}

// View list: an eye above the lines of a list.
void drawViewListIcon(QPainter& painter) {
    QPainterPath eye;
    eye.moveTo(2, 8);
    eye.quadTo(12, -1, 22, 8);
    eye.quadTo(12, 17, 2, 8);
    painter.drawPath(eye);
    painter.setBrush(kIconColor);
    painter.drawEllipse(QPointF(12, 8), 2.2, 2.2);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(2, 17), QPointF(22, 17));
    painter.drawLine(QPointF(2, 22), QPointF(22, 22));
}

// Online help: a question mark in a circle.
void drawHelpIcon(QPainter& painter) {
    painter.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    QPainterPath question;
    question.moveTo(8.5, 9.5);
    question.cubicTo(8.5, 5, 15.5, 5, 15.5, 9.5);
    question.cubicTo(15.5, 12.5, 12, 12.5, 12, 15);
    painter.drawPath(question);
    painter.setBrush(kIconColor);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(12, 18.3), 1.4, 1.4);
}

using IconPainter = void (*)(QPainter&);

// In button order: the commands 40009, 40010, 40011, 40013, 40025, 40030, 40038, 40018, 40033,
// 40034, 40075, 40028, 40035, 40015.
constexpr std::array<IconPainter, kArtworkCellCount> kIcons{
    drawNewIcon,  drawOpenIcon,    drawSaveIcon,     drawExportIcon, drawUndoIcon,
    drawRedoIcon, drawRemakeIcon,  drawGearIcon,     drawCameraIcon, drawPaletteIcon,
    drawMaskIcon, drawHistoryIcon, drawViewListIcon, drawHelpIcon,
};

// ---- the cell backgrounds ------------------------------------------------------------------------

void drawNormalBackground(QPainter& painter, const QRect& cell) {
    QLinearGradient gradient(cell.topLeft(), cell.bottomLeft());
    gradient.setColorAt(0, kNormalTop);
    gradient.setColorAt(1, kNormalBottom);
    painter.fillRect(cell, gradient);
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), kNormalHighlight);
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), kBottomLine);
}

void drawPressedBackground(QPainter& painter, const QRect& cell) {
    QLinearGradient gradient(cell.topLeft(), cell.bottomLeft());
    gradient.setColorAt(0, kPressedTop);
    gradient.setColorAt(1, kPressedBottom);
    painter.fillRect(cell, gradient);
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), kPressedShadow);
    painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height()), kPressedShadow);
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), kBottomLine);
}

enum class CellLook { Normal, Pressed };

void drawCell(QPainter& painter, int position, CellLook look) {
    const bool pressed = look == CellLook::Pressed;
    const QRect cell = pictureButtonCell(position, pressed);
    painter.save();
    painter.setClipRect(cell);
    if (pressed) {
        drawPressedBackground(painter, cell);
    } else {
        drawNormalBackground(painter, cell);
    }
    const double shift = pressed ? kPressedShift : 0.0;
    painter.translate(cell.left() + kIconLeft + shift, cell.top() + kIconTop + shift);
    painter.setPen(iconPen());
    painter.setBrush(Qt::NoBrush);
    kIcons[static_cast<std::size_t>(position)](painter);
    painter.restore();
}

} // namespace

QRect pictureButtonCell(int position, bool pressed) {
    return QRect(position * kArtworkCellWidth, pressed ? kArtworkCellHeight : 0, kArtworkCellWidth,
                 kArtworkCellHeight);
}

QImage pictureButtonStrip(qreal devicePixelRatio) {
    const qreal scale = std::max<qreal>(devicePixelRatio, 1.0);
    QImage strip(static_cast<int>(std::ceil(kArtworkCellCount * kArtworkCellWidth * scale)),
                 static_cast<int>(std::ceil(2 * kArtworkCellHeight * scale)), QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(scale);
    strip.fill(Qt::black);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int position = 0; position < kArtworkCellCount; ++position) {
        drawCell(painter, position, CellLook::Normal);
        drawCell(painter, position, CellLook::Pressed);
    }
    return strip;
}

} // namespace vintrel
