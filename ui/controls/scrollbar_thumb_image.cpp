#include "ui/controls/scrollbar_thumb_image.h"

#include <QPainter>
#include <QPainterPath>

namespace vintrel {
namespace {

using Layout = ThumbImageLayout;

constexpr int kLookCount = 2;
constexpr qreal kSideMargin = 2.0;
constexpr qreal kCornerRadius = 4.0;
const QColor kNormalFace(110, 110, 110);
const QColor kHotFace(165, 165, 165);
const QColor kEdgeShade(0, 0, 0, 90);

int columnX(ThumbLook look) {
    return look == ThumbLook::Hot ? Layout::kColumnWidth : 0;
}

void drawThumb(QPainter& painter, ThumbLook look, const QColor& face) {
    const QRectF bar(columnX(look) + kSideMargin, 0.0, Layout::kColumnWidth - 2 * kSideMargin,
                     Layout::kHeight);
    QPainterPath path;
    path.addRoundedRect(bar, kCornerRadius, kCornerRadius);
    painter.fillPath(path, face);
    painter.setPen(QPen(kEdgeShade, 1.0));
    painter.drawPath(path);
}

} // namespace

QImage makeScrollbarThumbImage() {
    QImage image(Layout::kColumnWidth * kLookCount, Layout::kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawThumb(painter, ThumbLook::Normal, kNormalFace);
    drawThumb(painter, ThumbLook::Hot, kHotFace);
    return image;
}

QRect thumbTopCapSource(ThumbLook look) {
    return {columnX(look), Layout::kTopCapY, Layout::kColumnWidth, Layout::kCapLength};
}

QRect thumbBodySource(ThumbLook look) {
    return {columnX(look), Layout::kBodyY, Layout::kColumnWidth, Layout::kCapLength};
}

QRect thumbBottomCapSource(ThumbLook look) {
    return {columnX(look), Layout::kBottomCapY, Layout::kColumnWidth, Layout::kCapLength};
}

} // namespace vintrel
