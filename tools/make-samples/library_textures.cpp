#include "library_textures.h"

#include "textures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdint>

namespace samples {

namespace {

// A fixed pseudo-random sequence, so that every run draws the same textures.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    // Uniform in 0..1.
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }
    double between(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    std::uint32_t state_;
};

// A round white blob fading from `alpha` at its centre to nothing at radius r.
void blob(QPainter& p, QPointF c, double r, int alpha) {
    QRadialGradient g(c, r);
    g.setColorAt(0.0, QColor(255, 255, 255, alpha));
    g.setColorAt(0.5, QColor(255, 255, 255, alpha / 2));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

QPointF polar(QPointF c, double radius, double angle) {
    return c + QPointF(std::cos(angle), std::sin(angle)) * radius;
}

// A stroke drawn twice: a wide faint one for the glow, a narrow bright one for the core.
void glowingPath(QPainter& p, const QPainterPath& path, double width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 60), width * 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 120), width * 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 255), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A jagged line from `from` to `to`: the straight line split into steps, each pushed sideways.
QPainterPath jaggedLine(Dice& dice, QPointF from, QPointF to, int steps, double jitter) {
    QPainterPath path(from);
    const QPointF along = to - from;
    const QPointF side(-along.y(), along.x());
    const double length = std::hypot(along.x(), along.y());
    for (int i = 1; i < steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        path.lineTo(from + along * t + side / length * dice.between(-jitter, jitter));
    }
    path.lineTo(to);
    return path;
}

void drawBolt(QPainter& p, Dice& dice, QRectF cell) {
    const double w = cell.width();
    const double h = cell.height();
    const QPointF top(cell.center().x() + dice.between(-0.1, 0.1) * w, cell.top() + h * 0.02);
    const QPointF bottom(cell.center().x() + dice.between(-0.15, 0.15) * w, cell.bottom() - h * 0.02);
    QPainterPath main = jaggedLine(dice, top, bottom, 14, w * 0.12);
    glowingPath(p, main, w * 0.035);
    // Two or three thinner branches leave the main bolt downwards and sideways.
    const int branches = 2 + static_cast<int>(dice.next() * 2);
    for (int b = 0; b < branches; ++b) {
        const double t = dice.between(0.15, 0.65);
        const QPointF start = main.pointAtPercent(t);
        const double sideways = (b % 2 == 0 ? 1 : -1) * dice.between(0.2, 0.4) * w;
        const QPointF end(start.x() + sideways, start.y() + dice.between(0.15, 0.3) * h);
        glowingPath(p, jaggedLine(dice, start, end, 6, w * 0.05), w * 0.018);
    }
}

} // namespace

QImage smokePuff(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    Dice dice(7);
    // Lumps around the centre give the puff an uneven, cloudy outline and inside.
    for (int i = 0; i < 40; ++i) {
        const double angle = dice.between(0, 2 * M_PI);
        const double distance = dice.between(0, 0.28) * s;
        const double radius = dice.between(0.07, 0.17) * s;
        blob(p, polar(QPointF(s / 2, s / 2), distance, angle), radius, static_cast<int>(dice.between(40, 150)));
    }
    // The whole puff fades out towards the texture's edge, so no lump is cut off.
    QImage mask = transparentImage(size, size);
    {
        QPainter m(&mask);
        QRadialGradient edge(s / 2, s / 2, s / 2);
        edge.setColorAt(0.0, QColor(255, 255, 255, 255));
        edge.setColorAt(0.7, QColor(255, 255, 255, 200));
        edge.setColorAt(1.0, QColor(255, 255, 255, 0));
        m.fillRect(mask.rect(), edge);
    }
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(0, 0, mask);
    return image;
}

QImage rainStreak(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient g(0, s * 0.02, 0, s * 0.98);
    g.setColorAt(0.0, QColor(255, 255, 255, 0));
    g.setColorAt(0.7, QColor(255, 255, 255, 160));
    g.setColorAt(1.0, QColor(255, 255, 255, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(s * 0.45, s * 0.02, s * 0.1, s * 0.96), s * 0.05, s * 0.05);
    return image;
}

QImage snowflake(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPointF c(s / 2, s / 2);
    blob(p, c, s * 0.5, 70);
    QPainterPath arms;
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 3;
        arms.moveTo(c);
        arms.lineTo(polar(c, s * 0.44, a));
        // Two pairs of side branches pointing outwards along each arm.
        for (const double at : {0.2, 0.32}) {
            const QPointF base = polar(c, s * at, a);
            const double branch = s * (at < 0.25 ? 0.12 : 0.08);
            arms.moveTo(base);
            arms.lineTo(polar(base, branch, a + M_PI / 4));
            arms.moveTo(base);
            arms.lineTo(polar(base, branch, a - M_PI / 4));
        }
    }
    glowingPath(p, arms, s * 0.035);
    return image;
}

QImage healCross(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    blob(p, QPointF(s / 2, s / 2), s * 0.5, 110);
    QPainterPath plus;
    const double arm = s * 0.13; // half the bar's width
    const double reach = s * 0.36;
    plus.addRoundedRect(QRectF(s / 2 - arm, s / 2 - reach, arm * 2, reach * 2), arm * 0.6, arm * 0.6);
    plus.addRoundedRect(QRectF(s / 2 - reach, s / 2 - arm, reach * 2, arm * 2), arm * 0.6, arm * 0.6);
    plus.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 255));
    p.drawPath(plus.simplified());
    return image;
}

QImage softRing(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QRadialGradient g(s / 2, s / 2, s / 2);
    g.setColorAt(0.0, QColor(255, 255, 255, 0));
    g.setColorAt(0.6, QColor(255, 255, 255, 20));
    g.setColorAt(0.84, QColor(255, 255, 255, 255));
    g.setColorAt(0.9, QColor(255, 255, 255, 200));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), g);
    return image;
}

QImage boltAtlas(int cellWidth, int cellHeight, int cells) {
    QImage image = transparentImage(cellWidth * cells, cellHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Dice dice(11);
    for (int i = 0; i < cells; ++i) {
        const QRectF cell(i * cellWidth, 0, cellWidth, cellHeight);
        p.save();
        p.setClipRect(cell);
        drawBolt(p, dice, cell);
        p.restore();
    }
    return image;
}

QImage portalSwirl(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPointF c(s / 2, s / 2);
    blob(p, c, s * 0.3, 255);
    // Three arms, each a spiral from the rim into the centre that thickens as it winds in.
    p.setPen(Qt::NoPen);
    for (int arm = 0; arm < 3; ++arm) {
        const double start = arm * 2 * M_PI / 3;
        // Dots close enough to overlap, so that each arm reads as one smooth stroke.
        for (int i = 0; i <= 480; ++i) {
            const double t = i / 480.0; // 0 at the rim, 1 at the centre
            const double radius = s * 0.47 * (1.0 - t * 0.92);
            const double angle = start + t * 2.4 * M_PI;
            const double dot = s * (0.015 + 0.03 * t);
            p.setBrush(QColor(255, 255, 255, static_cast<int>(8 + 40 * t)));
            p.drawEllipse(polar(c, radius, angle), dot, dot);
        }
    }
    return image;
}

QImage paperScrap(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF paper(s * 0.2, s * 0.08, s * 0.6, s * 0.84);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 225, 225, 255));
    p.drawRect(paper);
    // The lighter half reads as a fold catching the light as the scrap tumbles.
    p.setBrush(QColor(255, 255, 255, 255));
    p.drawRect(QRectF(paper.left(), paper.top(), paper.width() * 0.5, paper.height()));
    return image;
}

} // namespace samples
