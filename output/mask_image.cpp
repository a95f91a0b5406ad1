#include "output/mask_image.h"

#include "persist/atomic_file.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace vintrel {

namespace {

// One axis of the mask rectangle: where it starts and how long it is, in target pixels.
struct Span {
    std::int64_t start = 0;
    std::int64_t length = 0;
};

Span maskSpan(int offset, int size, int smooth, int target) {
    const std::int64_t scaledOffset = std::int64_t{offset} * smooth;
    const std::int64_t scaledSize = std::int64_t{size} * smooth;
    const double start = static_cast<double>(scaledOffset) + static_cast<double>(target / 2) -
                         static_cast<double>(scaledSize / 2);
    // |start| < 2^63: each term is below 2^62 in size.
    return {static_cast<std::int64_t>(std::trunc(start)), scaledSize};
}

// The part of `span` that is drawn, and the matching part of a picture axis of `pictureSize`. The
// span is cut a little outside [0, target): far enough that the smooth scaling of the visible
// pixels still reads the same picture pixels as it would for the whole span (two picture pixels
// beyond the edge), while the coordinates handed to the painter stay small.
struct Clipped {
    double targetStart = 0;
    double targetLength = 0;
    double sourceStart = 0;
    double sourceLength = 0;
};

std::optional<Clipped> clipSpan(Span span, int target, int pictureSize) {
    if (span.length <= 0 || span.start >= target || span.start + span.length <= 0) {
        return std::nullopt;
    }
    constexpr std::int64_t kMaxMargin = std::int64_t{1} << 20;
    const std::int64_t pixelLength = (span.length + pictureSize - 1) / pictureSize;
    const std::int64_t margin = std::min(2 * pixelLength + 2, kMaxMargin);
    const std::int64_t first = std::max<std::int64_t>(span.start, -margin);
    const std::int64_t end = std::min<std::int64_t>(span.start + span.length, std::int64_t{target} + margin);
    const double scale = static_cast<double>(pictureSize) / static_cast<double>(span.length);
    const double sourceStart = static_cast<double>(first - span.start) * scale;
    const double sourceEnd = static_cast<double>(end - span.start) * scale;
    return Clipped{static_cast<double>(first), static_cast<double>(end - first), sourceStart,
                   sourceEnd - sourceStart};
}

// A material name usable as a file name inside the workspace.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

} // namespace

QImage buildMaskImage(const QImage& picture, int targetWidth, int targetHeight, const MaskSettings& mask,
                      int smooth) {
    if (targetWidth <= 0 || targetHeight <= 0) {
        return {};
    }
    QImage image(targetWidth, targetHeight, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::transparent);
    if (!picture.isNull() && smooth >= 1) {
        const auto across =
            clipSpan(maskSpan(mask.x, mask.w, smooth, targetWidth), targetWidth, picture.width());
        const auto down =
            clipSpan(maskSpan(mask.y, mask.h, smooth, targetHeight), targetHeight, picture.height());
        if (across && down) {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(
                QRectF(across->targetStart, down->targetStart, across->targetLength, down->targetLength),
                picture,
                QRectF(across->sourceStart, down->sourceStart, across->sourceLength, down->sourceLength));
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage loadMaskPicture(const GlobalState& g) {
    if (g.mask.texID <= 0) {
        return {};
    }
    const std::string name = textureName(g.materials, g.mask.texID - 1);
    if (!isPlainFileName(name)) {
        return {};
    }
    const std::optional<std::string> bytes = readWholeFile(g.workspace / (name + ".png"));
    QImage picture;
    if (!bytes || !picture.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                        static_cast<qsizetype>(bytes->size()))) {
        return {};
    }
    return picture;
}

} // namespace vintrel
