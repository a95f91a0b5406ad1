#include "output/alpha_mode.h"

namespace vintrel {

namespace {

int times(int colour, int alpha) {
    return (colour * alpha + 127) / 255;
}

} // namespace

QImage withAlphaMode(const QImage& image, AlphaMode mode) {
    QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    if (mode == AlphaMode::Straight || straight.isNull()) {
        return straight;
    }
    const bool opaque = mode == AlphaMode::AdditiveOnBlack;
    for (int y = 0; y < straight.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            line[x] = qRgba(times(qRed(p), a), times(qGreen(p), a), times(qBlue(p), a), opaque ? 255 : a);
        }
    }
    return straight;
}

} // namespace vintrel
