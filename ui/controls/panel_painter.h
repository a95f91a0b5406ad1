#pragma once

// The drawing operations the editor's panels are painted with, over one QPainter.
//
// Panels paint straight into their widget: Qt widgets are double-buffered, so a repaint is
// composed off-screen and shown in one step without flicker, and no separate off-screen surface
// or present step is needed. Images are the panels' own QImage members, passed in.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QString>

namespace vintrel {

class PanelPainter {
public:
    // Paints on `device` (a widget inside its paintEvent, or a QImage) with antialiasing and
    // smooth image scaling, as the panels have always been drawn.
    explicit PanelPainter(QPaintDevice& device);

    PanelPainter(const PanelPainter&) = delete;
    PanelPainter& operator=(const PanelPainter&) = delete;

    void fill(QColor color);
    void fillRect(const QRect& rect, QColor color);
    void line(const QPen& pen, QPointF from, QPointF to);

    // The opacity and the transform apply to the next image draw only: both are reset (to 1.0
    // and to no transform) after every drawImage and drawImagePart.
    void setImageOpacity(qreal opacity);
    void translate(qreal dx, qreal dy);
    void rotate(qreal degrees);
    void drawImage(const QImage& image, const QRect& target);
    void drawImagePart(const QImage& image, const QRect& target, const QRect& source);

    // `string` in the panel font, sized in points at half the rectangle's height (whole points),
    // left-aligned from the rectangle's top, wrapped inside it.
    void text(const QString& string, const QRect& rect, QColor color);
    // The rectangle that text() covers with `string` in `rect`.
    QRect textBounds(const QString& string, const QRect& rect);
    // `string` running top to bottom (turned a quarter clockwise), centred in `rect`, in the
    // vertical label font and the grey (grey, grey, grey).
    void verticalText(const QString& string, const QRect& rect, int grey);

    // The painter itself, for what the operations above do not cover.
    QPainter& painter() { return painter_; }

private:
    void finishImageDraw();

    QPainter painter_;
    QRect bounds_;
    qreal imageOpacity_ = 1.0;
};

// A size in points as pixels on the 96-dpi logical screen the panels are laid out for.
int pointsToPixels(int points);

} // namespace vintrel
