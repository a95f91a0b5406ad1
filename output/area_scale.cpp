#include "output/area_scale.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vintrel {

namespace {

// Coverage of one output pixel along an axis. Lengths are counted in units of 1/(output size) of
// a source pixel: source pixel i spans [i*out, (i+1)*out), output pixel k spans [k*in, (k+1)*in),
// so every weight is an integer and the weights of one output pixel add up to `in`.
struct Coverage {
    int first = 0;                      // first source pixel touched
    std::vector<std::uint32_t> weights; // one per source pixel from `first` on
};

std::vector<Coverage> axisCoverage(int in, int out) {
    std::vector<Coverage> result(static_cast<std::size_t>(out));
    for (int k = 0; k < out; ++k) {
        const std::int64_t begin = std::int64_t{k} * in;
        const std::int64_t end = begin + in;
        Coverage& c = result[static_cast<std::size_t>(k)];
        c.first = static_cast<int>(begin / out);
        const auto last = static_cast<int>((end - 1) / out);
        for (int i = c.first; i <= last; ++i) {
            const std::int64_t lo = std::max(std::int64_t{i} * out, begin);
            const std::int64_t hi = std::min(std::int64_t{i + 1} * out, end);
            c.weights.push_back(static_cast<std::uint32_t>(hi - lo));
        }
    }
    return result;
}

constexpr int kChannels = 4;

// The horizontally filtered sums of one premultiplied source row: four per output pixel.
void filterRow(const QImage& source, int y, const std::vector<Coverage>& across,
               std::vector<std::uint64_t>& out) {
    const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (std::size_t k = 0; k < across.size(); ++k) {
        const Coverage& c = across[k];
        std::uint64_t a = 0, r = 0, g = 0, b = 0;
        for (std::size_t n = 0; n < c.weights.size(); ++n) {
            const QRgb p = line[static_cast<std::size_t>(c.first) + n];
            const std::uint64_t w = c.weights[n];
            a += w * qAlpha(p);
            r += w * qRed(p);
            g += w * qGreen(p);
            b += w * qBlue(p);
        }
        std::uint64_t* sums = out.data() + k * kChannels;
        sums[0] = a;
        sums[1] = r;
        sums[2] = g;
        sums[3] = b;
    }
}

QRgb roundedPixel(const std::uint64_t* sums, std::uint64_t total) {
    const auto channel = [&](int i) { return static_cast<int>((sums[i] + total / 2) / total); };
    return qRgba(channel(1), channel(2), channel(3), channel(0));
}

QImage areaAverage(const QImage& source, int width, int height) {
    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull()) {
        return result;
    }
    const std::vector<Coverage> across = axisCoverage(source.width(), width);
    const std::vector<Coverage> down = axisCoverage(source.height(), height);
    const std::uint64_t total = std::uint64_t(source.width()) * std::uint64_t(source.height());
    const std::size_t rowValues = static_cast<std::size_t>(width) * kChannels;
    std::vector<std::uint64_t> rowSums(rowValues);
    std::vector<std::uint64_t> acc(rowValues);
    for (int y = 0; y < height; ++y) {
        const Coverage& c = down[static_cast<std::size_t>(y)];
        std::fill(acc.begin(), acc.end(), 0);
        for (std::size_t n = 0; n < c.weights.size(); ++n) {
            filterRow(source, c.first + static_cast<int>(n), across, rowSums);
            const std::uint64_t w = c.weights[n];
            for (std::size_t i = 0; i < rowValues; ++i) {
                acc[i] += w * rowSums[i];
            }
        }
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = roundedPixel(acc.data() + static_cast<std::size_t>(x) * kChannels, total);
        }
    }
    return result;
}

} // namespace

QImage scaleDownArea(const QImage& source, int width, int height) {
    if (source.isNull() || width <= 0 || height <= 0) {
        return {};
    }
    const QImage premultiplied = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (premultiplied.isNull()) {
        return {};
    }
    if (width == source.width() && height == source.height()) {
        return premultiplied;
    }
    if (width > source.width() || height > source.height()) {
        return premultiplied.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return areaAverage(premultiplied, width, height);
}

} // namespace vintrel
