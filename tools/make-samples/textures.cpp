#include "textures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace samples {

QImage transparentImage(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage softGlow(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(size / 2.0, size / 2.0, size / 2.0);
    g.setColorAt(0.0, QColor(255, 255, 255, 255));
    g.setColorAt(0.25, QColor(255, 255, 255, 170));
    g.setColorAt(0.6, QColor(255, 255, 255, 40));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), g);
    return image;
}

QImage flame(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath tongue;
    tongue.moveTo(s * 0.5, s * 0.04);
    tongue.cubicTo(s * 0.62, s * 0.35, s * 0.86, s * 0.55, s * 0.78, s * 0.78);
    tongue.cubicTo(s * 0.70, s * 0.97, s * 0.30, s * 0.97, s * 0.22, s * 0.78);
    tongue.cubicTo(s * 0.14, s * 0.55, s * 0.38, s * 0.35, s * 0.5, s * 0.04);
    QRadialGradient g(s * 0.5, s * 0.72, s * 0.55);
    g.setColorAt(0.0, QColor(255, 255, 255, 255));
    g.setColorAt(0.35, QColor(255, 255, 255, 200));
    g.setColorAt(0.75, QColor(255, 255, 255, 60));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(tongue, g);
    return image;
}

QImage spark(int size) {
    QImage image = softGlow(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        QLinearGradient ray(c, c + QPointF(std::cos(a), std::sin(a)) * size * 0.5);
        ray.setColorAt(0.0, QColor(255, 255, 255, 255));
        ray.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(QPen(QBrush(ray), size * 0.04, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * size * 0.48);
    }
    return image;
}

QImage magicCircle(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const double r = size * 0.47;
    const QColor line(255, 255, 255, 230);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, size * 0.012));
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.86, r * 0.86);
    p.setPen(QPen(line, size * 0.006));
    p.drawEllipse(c, r * 0.55, r * 0.55);
    // Hexagram: two triangles.
    for (int t = 0; t < 2; ++t) {
        QPolygonF tri;
        for (int i = 0; i < 3; ++i) {
            const double a = -M_PI / 2 + t * M_PI / 3 + i * 2 * M_PI / 3;
            tri << c + QPointF(std::cos(a), std::sin(a)) * r * 0.86;
        }
        p.setPen(QPen(line, size * 0.008));
        p.drawPolygon(tri);
    }
    // Rune ticks between the two outer rings.
    p.setPen(QPen(line, size * 0.006, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 36; ++i) {
        const double a = i * M_PI / 18;
        const QPointF dir(std::cos(a), std::sin(a));
        const QPointF side(-dir.y(), dir.x());
        const QPointF base = c + dir * r * 0.9;
        p.drawLine(base, base + dir * r * 0.06);
        if (i % 3 == 0) {
            p.drawLine(base + dir * r * 0.03 - side * r * 0.02, base + dir * r * 0.03 + side * r * 0.02);
        }
    }
    return image;
}

QImage runeAtlas(int cell, int columns, int rows) {
    QImage image = transparentImage(cell * columns, cell * rows);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int frames = columns * rows;
    for (int i = 0; i < frames; ++i) {
        const QPointF c((i % columns + 0.5) * cell, (i / columns + 0.5) * cell);
        // The glyph grows and fades in over the frames: a ring with i/frames of its spokes.
        const double grow = 0.25 + 0.2 * i / frames;
        p.setPen(QPen(QColor(255, 255, 255, 255), cell * 0.05, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, cell * grow, cell * grow);
        const int spokes = 1 + i % 6;
        for (int s = 0; s < spokes; ++s) {
            const double a = s * 2 * M_PI / spokes + i * 0.3;
            p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * cell * grow);
        }
    }
    return image;
}

} // namespace samples
