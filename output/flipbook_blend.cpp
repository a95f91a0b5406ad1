#include "output/flipbook_blend.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vintrel {

namespace {

using Pixel = std::array<double, 4>; // premultiplied r, g, b, a

Pixel pixelAt(const QImage& image, int x, int y) {
    const QRgb p = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return {static_cast<double>(qRed(p)), static_cast<double>(qGreen(p)), static_cast<double>(qBlue(p)),
            static_cast<double>(qAlpha(p))};
}

// The image between pixel centres at (x, y); transparent outside it.
Pixel bilinear(const QImage& image, double x, double y) {
    Pixel sum{};
    const auto x0 = static_cast<int>(std::floor(x));
    const auto y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const double weight = (dx == 0 ? 1 - fx : fx) * (dy == 0 ? 1 - fy : fy);
            const int px = x0 + dx;
            const int py = y0 + dy;
            if (weight <= 0 || px < 0 || py < 0 || px >= image.width() || py >= image.height()) {
                continue;
            }
            const Pixel p = pixelAt(image, px, py);
            for (int c = 0; c < 4; ++c) {
                sum[c] += weight * p[c];
            }
        }
    }
    return sum;
}

// The motion at (x, y) in pixels.
std::pair<double, double> motionAt(const QImage& motion, int x, int y, double strength) {
    const QRgb m = reinterpret_cast<const QRgb*>(motion.constScanLine(y))[x];
    const auto decode = [strength](int value) { return (value - 128) / 255.0 * 2.0 * strength; };
    return {decode(qRed(m)) * motion.width(), decode(qGreen(m)) * motion.height()};
}

QRgb packed(const Pixel& p) {
    const auto level = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    const int alpha = level(p[3]);
    // Premultiplied: no component above the opacity.
    return qRgba(std::min(level(p[0]), alpha), std::min(level(p[1]), alpha), std::min(level(p[2]), alpha), alpha);
}

} // namespace

QImage flipbookFrame(const QImage& a, const QImage& b, const QImage& motionA, const QImage& motionB, double t,
                     double strength, FlipbookBlend blend) {
    const QImage first = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (blend == FlipbookBlend::Hold || b.size() != a.size()) {
        return first;
    }
    t = std::clamp(t, 0.0, 1.0);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const bool moves = blend == FlipbookBlend::Motion && motionA.size() == a.size() && motionB.size() == a.size();
    const QImage vectorsA = moves ? motionA.convertToFormat(QImage::Format_ARGB32) : QImage();
    const QImage vectorsB = moves ? motionB.convertToFormat(QImage::Format_ARGB32) : QImage();
    QImage out(a.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            Pixel from = pixelAt(first, x, y);
            Pixel to = pixelAt(second, x, y);
            if (moves) {
                const auto [ax, ay] = motionAt(vectorsA, x, y, strength);
                const auto [bx, by] = motionAt(vectorsB, x, y, strength);
                from = bilinear(first, x - ax * t, y - ay * t);
                to = bilinear(second, x + bx * (1 - t), y + by * (1 - t));
            }
            Pixel mixed;
            for (int c = 0; c < 4; ++c) {
                mixed[c] = from[c] * (1 - t) + to[c] * t;
            }
            line[x] = packed(mixed);
        }
    }
    return out;
}

} // namespace vintrel
