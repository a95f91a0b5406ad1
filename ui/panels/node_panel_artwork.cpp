#include "ui/panels/node_panel_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace vintrel {

namespace {

using Layout = NodeArtworkLayout;

const QColor kButtonLight(205, 205, 205);
const QColor kButtonShade(160, 160, 160);
const QColor kButtonPressed(130, 130, 130);
const QColor kButtonEdge(90, 90, 90);
const QColor kGlyph(40, 40, 40);
const QColor kAddMark(30, 120, 40);
const QColor kDeleteMark(170, 40, 40);
const QColor kEyeOpen(225, 225, 225);
const QColor kEyePupil(60, 150, 230);
const QColor kEyeClosed(130, 130, 130);
constexpr qreal kGlyphPen = 1.5;
constexpr qreal kBoldPen = 2.0;
// A pressed button's glyph sinks by one pixel.
constexpr int kPressedShift = 1;

void drawPlus(QPainter& p, QPointF centre, qreal half) {
    p.setPen(QPen(kAddMark, kBoldPen));
    p.drawLine(QPointF(centre.x() - half, centre.y()), QPointF(centre.x() + half, centre.y()));
    p.drawLine(QPointF(centre.x(), centre.y() - half), QPointF(centre.x(), centre.y() + half));
}

void drawRowBar(QPainter& p, const QRectF& bar) {
    p.setPen(QPen(kGlyph, 1));
    p.setBrush(Qt::white);
    p.drawRect(bar);
    p.setBrush(Qt::NoBrush);
}

void drawTriangle(QPainter& p, QPointF a, QPointF b, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPolygon(std::array{a, b, c}.data(), 3);
    p.setBrush(Qt::NoBrush);
}

void drawAddBelow(QPainter& p) {
    drawRowBar(p, {6.5, 3.5, 13, 4});
    drawPlus(p, {13, 13}, 4);
}

void drawAddChild(QPainter& p) {
    drawRowBar(p, {4.5, 2.5, 12, 4});
    p.setPen(QPen(kGlyph, 1));
    p.drawLine(QPointF(7.5, 7), QPointF(7.5, 13.5));
    p.drawLine(QPointF(7.5, 13.5), QPointF(11, 13.5));
    drawPlus(p, {16, 13.5}, 4);
}

void drawDuplicate(QPainter& p) {
    drawRowBar(p, {6.5, 3.5, 9, 8});
    drawRowBar(p, {10.5, 8.5, 9, 8});
}

void drawDelete(QPainter& p) {
    p.setPen(QPen(kDeleteMark, kBoldPen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 5), QPointF(17, 15));
    p.drawLine(QPointF(17, 5), QPointF(9, 15));
}

void drawMoveDown(QPainter& p) {
    drawTriangle(p, {8, 6}, {18, 6}, {13, 14});
}

void drawMoveUp(QPainter& p) {
    drawTriangle(p, {8, 14}, {18, 14}, {13, 6});
}

void drawArrow(QPainter& p, qreal fromX, qreal toX) {
    p.setPen(QPen(kGlyph, kGlyphPen));
    const qreal headBase = toX > fromX ? toX - 4 : toX + 4;
    p.drawLine(QPointF(fromX, 10), QPointF(headBase, 10));
    drawTriangle(p, {headBase, 6}, {headBase, 14}, {toX, 10});
}

void drawMakeChild(QPainter& p) {
    p.setPen(QPen(kGlyph, 1));
    p.drawLine(QPointF(6.5, 4), QPointF(6.5, 16));
    drawArrow(p, 9, 20);
}

void drawMakeParent(QPainter& p) {
    p.setPen(QPen(kGlyph, 1));
    p.drawLine(QPointF(19.5, 4), QPointF(19.5, 16));
    drawArrow(p, 17, 6);
}

using GlyphPainter = void (*)(QPainter&);
constexpr std::array<GlyphPainter, Layout::kButtonCount> kGlyphs = {
    drawAddBelow, drawAddChild, drawDuplicate, drawDelete,
    drawMoveDown, drawMoveUp,   drawMakeChild, drawMakeParent,
};

void drawOpenEye(QPainter& p, const QRectF& cell) {
    QPainterPath lids;
    lids.moveTo(cell.left() + 1, cell.center().y());
    lids.quadTo(cell.center().x(), cell.top() + 1, cell.right() - 1, cell.center().y());
    lids.quadTo(cell.center().x(), cell.bottom() - 1, cell.left() + 1, cell.center().y());
    p.setPen(QPen(kEyeOpen, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lids);
    p.setPen(Qt::NoPen);
    p.setBrush(kEyePupil);
    p.drawEllipse(cell.center(), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
}

void drawClosedEye(QPainter& p, const QRectF& cell) {
    QPainterPath lid;
    lid.moveTo(cell.left() + 1, cell.center().y());
    lid.quadTo(cell.center().x(), cell.bottom() - 2, cell.right() - 1, cell.center().y());
    p.setPen(QPen(kEyeClosed, 1.2));
    p.drawPath(lid);
    const qreal lashTop = cell.center().y() + 2.5;
    for (const qreal x : {cell.left() + 4, cell.center().x(), cell.right() - 4}) {
        p.drawLine(QPointF(x, lashTop), QPointF(x, lashTop + 2.5));
    }
}

} // namespace

QImage nodeButtonStrip() {
    QImage image(Layout::kButtonWidth * Layout::kButtonCount, Layout::kButtonHeight * 2,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < Layout::kButtonCount; ++i) {
        for (const NodeButtonLook look : {NodeButtonLook::Normal, NodeButtonLook::Pressed}) {
            const QRect cell = nodeButtonCell(i, look);
            drawPanelButtonFace(p, cell, look);
            const int shift = look == NodeButtonLook::Pressed ? kPressedShift : 0;
            p.save();
            p.translate(cell.left() + shift, cell.top() + shift);
            kGlyphs[static_cast<std::size_t>(i)](p);
            p.restore();
        }
    }
    return image;
}

QRect nodeButtonCell(int position, NodeButtonLook look) {
    const int row = look == NodeButtonLook::Pressed ? 1 : 0;
    return {position * Layout::kButtonWidth, row * Layout::kButtonHeight, Layout::kButtonWidth,
            Layout::kButtonHeight};
}

QImage visibilityIcons() {
    QImage image(Layout::kIconCell * 2, Layout::kIconCell, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawClosedEye(p, visibilityIconCell(0));
    drawOpenEye(p, visibilityIconCell(1));
    return image;
}

QRect visibilityIconCell(int isDraw) {
    const int column = isDraw != 0 ? 1 : 0;
    return {column * Layout::kIconCell, 0, Layout::kIconSize, Layout::kIconSize};
}

void drawPanelButtonFace(QPainter& p, const QRect& cell, NodeButtonLook look) {
    QLinearGradient fill(cell.topLeft(), cell.bottomLeft());
    if (look == NodeButtonLook::Pressed) {
        fill.setColorAt(0, kButtonPressed.darker(115));
        fill.setColorAt(1, kButtonPressed);
    } else {
        fill.setColorAt(0, kButtonLight);
        fill.setColorAt(1, kButtonShade);
    }
    p.fillRect(cell, fill);
    p.setPen(QPen(kButtonEdge, 1));
    p.drawRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace vintrel
