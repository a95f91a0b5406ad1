#include "output/glow.h"

#include "output/image_outputs.h"
#include "persist/atomic_file.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace vintrel {

namespace {

using HaloTable = std::array<std::uint8_t, 256>;

bool isValidPlane(const std::vector<std::uint8_t>& alpha, int width, int height) {
    return width > 0 && height > 0 &&
           alpha.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// Halo alpha for every quotient S / N (at most 255, since S <= 255 * N).
HaloTable haloTable(int strength) {
    const float factor = static_cast<float>(strength) / 100.0f;
    HaloTable table{};
    for (int q = 0; q < 256; ++q) {
        const float value = static_cast<float>(q * 2) * factor;
        table[static_cast<std::size_t>(q)] = static_cast<std::uint8_t>(std::min(value, 255.0f));
    }
    return table;
}

// The window size (2r + 1)^2; fits 64 bits for every int radius.
std::uint64_t windowSize(int radius) {
    const std::uint64_t side = 2 * static_cast<std::uint64_t>(radius) + 1;
    return side * side;
}

std::uint8_t haloOf(std::uint64_t sum, std::uint64_t n, const HaloTable& table) {
    return table[static_cast<std::size_t>(std::min<std::uint64_t>(sum / n, 255))];
}

// floor(sqrt(v)) for v >= 0, exact over the whole 64-bit range used here.
std::int64_t integerSqrt(std::int64_t v) {
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
    while (s > 0 && s * s > v) {
        --s;
    }
    while ((s + 1) * (s + 1) <= v) {
        ++s;
    }
    return s;
}

// Half width of the disc in each row offset 0..count-1, limited to `limit` (wider reaches
// nothing more inside the image).
std::vector<int> discHalfWidths(int radius, int count, int limit) {
    const std::int64_t r2 = static_cast<std::int64_t>(radius) * radius;
    std::vector<int> widths(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        const std::int64_t w = integerSqrt(r2 - static_cast<std::int64_t>(j) * j);
        widths[static_cast<std::size_t>(j)] = static_cast<int>(std::min<std::int64_t>(w, limit));
    }
    return widths;
}

// Row-wise prefix sums: row y holds width + 1 values, entry x the sum of the first x alphas.
template <typename Sum>
std::vector<Sum> rowPrefixSums(const std::vector<std::uint8_t>& alpha, int width, int height) {
    const auto stride = static_cast<std::size_t>(width) + 1;
    std::vector<Sum> prefix(stride * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::uint8_t* in = alpha.data() + y * static_cast<std::size_t>(width);
        Sum* out = prefix.data() + y * stride;
        Sum running = 0;
        out[0] = 0;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            running += in[x];
            out[x + 1] = running;
        }
    }
    return prefix;
}

// Adds to acc[x] the sum of the row over [x - w, x + w], clipped to the row (0 <= w <= width).
// Unsigned wrap-around is harmless: the final sums are in range.
template <typename Sum> void addRowSpans(Sum* acc, const Sum* prefix, int width, int w) {
    const int fullRight = std::max(width - w - 1, 0); // below it the span ends inside the row
    for (int x = 0; x < fullRight; ++x) {
        acc[x] += prefix[x + w + 1];
    }
    const Sum total = prefix[width];
    for (int x = fullRight; x < width; ++x) {
        acc[x] += total;
    }
    // The left end is clipped to 0 (prefix 0) below x = w.
    for (int x = w; x < width; ++x) {
        acc[x] -= prefix[x - w];
    }
}

// Divides many sums by one window size: by multiplying with the reciprocal where that is exact
// after one correction step, by dividing otherwise.
class WindowDivider {
public:
    explicit WindowDivider(std::uint64_t n) : n_(n), inverse_(1.0 / static_cast<double>(n)) {}

    std::uint64_t quotient(std::uint64_t sum) const {
        if (n_ >= kReciprocalLimit || sum >= kExactDouble) {
            return sum / n_;
        }
        // The estimate is q or q - 1, as its error (below 2^-44 for a quotient below 256)
        // is smaller than 1/n.
        auto q = static_cast<std::uint64_t>(static_cast<double>(sum) * inverse_);
        if ((q + 1) * n_ <= sum) {
            ++q;
        }
        return q;
    }

private:
    static constexpr std::uint64_t kReciprocalLimit = std::uint64_t{1} << 40;
    static constexpr std::uint64_t kExactDouble = std::uint64_t{1} << 52;
    std::uint64_t n_;
    double inverse_;
};

template <typename Sum>
std::vector<std::uint8_t> haloFromRowSums(const std::vector<std::uint8_t>& alpha, int width, int height,
                                          int radius, const HaloTable& table) {
    const std::vector<Sum> prefix = rowPrefixSums<Sum>(alpha, width, height);
    const int rows = static_cast<int>(std::min<std::int64_t>(radius, height - 1)) + 1;
    const std::vector<int> halfWidths = discHalfWidths(radius, rows, width);
    const WindowDivider divider(windowSize(radius));
    const auto stride = static_cast<std::size_t>(width) + 1;

    std::vector<std::uint8_t> halo(alpha.size());
    std::vector<Sum> acc(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        const int first = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{y} - radius));
        const int last = static_cast<int>(std::min<std::int64_t>(height - 1, std::int64_t{y} + radius));
        for (int row = first; row <= last; ++row) {
            const int w = halfWidths[static_cast<std::size_t>(std::abs(row - y))];
            addRowSpans(acc.data(), prefix.data() + static_cast<std::size_t>(row) * stride, width, w);
        }
        std::uint8_t* out = halo.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::uint64_t q = divider.quotient(acc[static_cast<std::size_t>(x)]);
            out[x] = table[static_cast<std::size_t>(std::min<std::uint64_t>(q, 255))];
        }
    }
    return halo;
}

std::vector<std::uint8_t> alphaPlane(const QImage& argb) {
    const int width = argb.width();
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* out = alpha.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            out[x] = static_cast<std::uint8_t>(qAlpha(line[x]));
        }
    }
    return alpha;
}

// The glow colour with the halo alpha, premultiplied, ready to be painted on.
QImage haloImage(const std::vector<std::uint8_t>& halo, int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* in = halo.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            line[x] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), in[x]));
        }
    }
    return image;
}

} // namespace

std::vector<std::uint8_t> glowHaloDirect(const std::vector<std::uint8_t>& alpha, int width, int height,
                                         int radius, int strength) {
    if (!isValidPlane(alpha, width, height)) {
        return {};
    }
    std::vector<std::uint8_t> halo(alpha.size(), 0);
    if (radius < 0 || strength < 0) {
        return halo;
    }
    const HaloTable table = haloTable(strength);
    const std::uint64_t n = windowSize(radius);
    const std::int64_t r = radius;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t j0 = std::max(-r, -y);
        const std::int64_t j1 = std::min(r, height - 1 - y);
        for (std::int64_t x = 0; x < width; ++x) {
            const std::int64_t i0 = std::max(-r, -x);
            const std::int64_t i1 = std::min(r, width - 1 - x);
            std::uint64_t sum = 0;
            for (std::int64_t j = j0; j <= j1; ++j) {
                for (std::int64_t i = i0; i <= i1; ++i) {
                    if (i * i + j * j <= r * r) {
                        sum += alpha[static_cast<std::size_t>((y + j) * width + x + i)];
                    }
                }
            }
            halo[static_cast<std::size_t>(y * width + x)] = haloOf(sum, n, table);
        }
    }
    return halo;
}

std::vector<std::uint8_t> glowHalo(const std::vector<std::uint8_t>& alpha, int width, int height, int radius,
                                   int strength) {
    if (!isValidPlane(alpha, width, height)) {
        return {};
    }
    if (radius < 0 || strength < 0) {
        return std::vector<std::uint8_t>(alpha.size(), 0);
    }
    const HaloTable table = haloTable(strength);
    // The prefix sums of a row and the disc sums fit 32 bits for the widths and radii of real
    // frames (a sum never exceeds 255 times the pixels of the window or of the image).
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const std::uint64_t largestSum = 255 * std::min(windowSize(radius), pixels);
    const std::uint64_t largestRow = 255 * static_cast<std::uint64_t>(width);
    if (std::max(largestSum, largestRow) <= std::numeric_limits<std::uint32_t>::max()) {
        return haloFromRowSums<std::uint32_t>(alpha, width, height, radius, table);
    }
    return haloFromRowSums<std::uint64_t>(alpha, width, height, radius, table);
}

QImage applyGlow(const QImage& frame, float red, float green, float blue, int radius, int strength) {
    if (frame.isNull() || radius <= 0 || strength <= 0) {
        return frame;
    }
    const QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) {
        return frame;
    }
    const int width = argb.width();
    const int height = argb.height();
    const std::vector<std::uint8_t> halo = glowHalo(alphaPlane(argb), width, height, radius, strength);
    const QRgb colour = qRgb(colourComponent(red), colourComponent(green), colourComponent(blue));
    QImage canvas = haloImage(halo, width, height, colour);
    if (canvas.isNull()) {
        return frame;
    }
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, argb);
    painter.end();
    return canvas.convertToFormat(QImage::Format_ARGB32);
}

void applyGlowToFile(const std::filesystem::path& png, float red, float green, float blue, int radius,
                     int strength) {
    if (radius <= 0 || strength <= 0) {
        return;
    }
    const std::optional<std::string> bytes = readWholeFile(png);
    if (!bytes) {
        return;
    }
    QImage frame;
    if (!frame.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                            static_cast<qsizetype>(bytes->size()))) {
        return;
    }
    // Failures are silent: the file stays as it was.
    (void)writeImageFile(applyGlow(frame, red, green, blue, radius, strength), ImageFormat::Png, true, png);
}

} // namespace vintrel
