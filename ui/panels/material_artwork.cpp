#include "ui/panels/material_artwork.h"

#include "ui/panels/node_panel_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace vintrel {

namespace {

using Layout = NodeArtworkLayout;

constexpr int kMaterialButtonCount = 6;
const QColor kGlyph(40, 40, 40);
const QColor kAddMark(30, 120, 40);
const QColor kDeleteMark(170, 40, 40);
const QColor kPictureSky(90, 150, 220);
const QColor kPictureHill(60, 140, 70);
const QColor kCubeEdge(235, 235, 170);
const QColor kCubeFace(120, 120, 80, 110);
constexpr qreal kGlyphPen = 1.5;
constexpr qreal kBoldPen = 2.0;
constexpr qreal kArcStartDegrees = 90 * 16;  // QPainter arcs count in sixteenths of a degree
constexpr qreal kArcSpanDegrees = -270 * 16; // clockwise, three quarters of a turn
// A pressed button's glyph sinks by one pixel.
constexpr int kPressedShift = 1;

void drawTriangle(QPainter& p, QPointF a, QPointF b, QPointF c) {
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPolygon(std::array{a, b, c}.data(), 3);
    p.setBrush(Qt::NoBrush);
}

// A small framed landscape: what a texture looks like on the buttons.
void drawPicture(QPainter& p, const QRectF& frame) {
    p.setPen(QPen(kGlyph, 1));
    p.setBrush(kPictureSky);
    p.drawRect(frame);
    QPainterPath hill;
    hill.moveTo(frame.bottomLeft());
    hill.quadTo(frame.center().x(), frame.center().y() - 1, frame.right(), frame.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(kPictureHill);
    p.drawPath(hill);
    p.setBrush(Qt::NoBrush);
}

void drawImport(QPainter& p) {
    drawPicture(p, {4.5, 3.5, 12, 10});
    p.setPen(QPen(kAddMark, kBoldPen));
    p.drawLine(QPointF(15, 14), QPointF(23, 14));
    p.drawLine(QPointF(19, 10), QPointF(19, 18));
}

void drawDelete(QPainter& p) {
    drawPicture(p, {4.5, 3.5, 12, 10});
    p.setPen(QPen(kDeleteMark, kBoldPen, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 10), QPointF(22, 17));
    p.drawLine(QPointF(22, 10), QPointF(15, 17));
}

void drawSaveCopy(QPainter& p) {
    p.setPen(QPen(kGlyph, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 3.5, 11, 13));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGlyph, kGlyphPen));
    p.drawLine(QPointF(13, 5), QPointF(13, 10));
    drawTriangle(p, {9.5, 10}, {16.5, 10}, {13, 14});
}

void drawMirrorLeftRight(QPainter& p) {
    p.setPen(QPen(kGlyph, 1, Qt::DashLine));
    p.drawLine(QPointF(13, 3), QPointF(13, 17));
    drawTriangle(p, {11, 5}, {11, 15}, {5, 10});
    drawTriangle(p, {15, 5}, {15, 15}, {21, 10});
}

void drawMirrorTopBottom(QPainter& p) {
    p.setPen(QPen(kGlyph, 1, Qt::DashLine));
    p.drawLine(QPointF(6, 10), QPointF(20, 10));
    drawTriangle(p, {9, 8.5}, {17, 8.5}, {13, 3});
    drawTriangle(p, {9, 11.5}, {17, 11.5}, {13, 17});
}

void drawRotateClockwise(QPainter& p) {
    p.setPen(QPen(kGlyph, kGlyphPen));
    const QRectF circle(7.5, 4.5, 11, 11);
    p.drawArc(circle, static_cast<int>(kArcStartDegrees), static_cast<int>(kArcSpanDegrees));
    drawTriangle(p, {13, 1.5}, {13, 7.5}, {17, 4.5});
}

using GlyphPainter = void (*)(QPainter&);
constexpr std::array<GlyphPainter, kMaterialButtonCount> kGlyphs = {
    drawImport, drawDelete, drawSaveCopy, drawMirrorLeftRight, drawMirrorTopBottom, drawRotateClockwise,
};

} // namespace

QImage materialButtonStrip() {
    QImage image(Layout::kButtonWidth * kMaterialButtonCount, Layout::kButtonHeight * 2,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kMaterialButtonCount; ++i) {
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

QImage modelIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A cube seen from above and the right: the front square and the back square shifted by a
    // third of the side, joined at the corners.
    const qreal unit = side / 6.0;
    const QRectF front(unit * 0.8, unit * 2.2, unit * 3.2, unit * 3.2);
    const QRectF back = front.translated(unit * 1.2, -unit * 1.2);
    p.setPen(QPen(kCubeEdge, 1.2));
    p.setBrush(kCubeFace);
    p.drawRect(back);
    p.drawRect(front);
    p.drawLine(front.topLeft(), back.topLeft());
    p.drawLine(front.topRight(), back.topRight());
    p.drawLine(front.bottomRight(), back.bottomRight());
    return image;
}

} // namespace vintrel
