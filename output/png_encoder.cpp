#include "output/png_encoder.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>
#include <zlib.h>

namespace vintrel {

namespace {

constexpr std::size_t kIdatChunkBytes = 1 << 20;

void putUint32(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>(value >> 16);
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value);
}

void putChunk(std::string& out, const char type[4], const char* data, std::size_t size) {
    putUint32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data, size);
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(size + 4));
    putUint32(out, static_cast<std::uint32_t>(crc));
}

int paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
}

// The row's bytes as the PNG stores them (R, G, B[, A]), unpremultiplied as QImage keeps them.
void rowBytes(const QImage& image, int y, bool alpha, std::vector<std::uint8_t>& out) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    std::uint8_t* dst = out.data();
    const int width = image.width();
    if (alpha) {
        // Whole pixels at a time: a loop the compiler turns into byte shuffles.
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            const std::uint32_t rgba = ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16) | (p & 0xFF000000u);
            std::memcpy(dst + 4 * static_cast<std::size_t>(x), &rgba, 4);
        }
        return;
    }
    for (int x = 0; x < width; ++x) {
        const QRgb p = line[x];
        *dst++ = static_cast<std::uint8_t>(qRed(p));
        *dst++ = static_cast<std::uint8_t>(qGreen(p));
        *dst++ = static_cast<std::uint8_t>(qBlue(p));
    }
}

// Filters `row` against `previous` with all five filters in one pass and appends the one whose
// bytes, read as signed, sum smallest in magnitude (the first of equals).
void appendFiltered(const std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& previous, int bpp,
                    std::vector<std::uint8_t>& out, std::array<std::vector<std::uint8_t>, 5>& trial) {
    const std::size_t n = row.size();
    const auto step = static_cast<std::size_t>(bpp);
    std::array<std::uint64_t, 5> sums{};
    std::uint8_t* none = trial[0].data();
    std::uint8_t* sub = trial[1].data();
    std::uint8_t* up = trial[2].data();
    std::uint8_t* average = trial[3].data();
    std::uint8_t* predicted = trial[4].data();
    const auto magnitude = [](std::uint8_t v) { return static_cast<std::uint64_t>(v < 128 ? v : 256 - v); };
    for (std::size_t i = 0; i < n; ++i) {
        const int x = row[i];
        const int a = i >= step ? row[i - step] : 0;
        const int b = previous[i];
        const int c = i >= step ? previous[i - step] : 0;
        none[i] = static_cast<std::uint8_t>(x);
        sub[i] = static_cast<std::uint8_t>(x - a);
        up[i] = static_cast<std::uint8_t>(x - b);
        average[i] = static_cast<std::uint8_t>(x - (a + b) / 2);
        predicted[i] = static_cast<std::uint8_t>(x - paeth(a, b, c));
        sums[0] += magnitude(none[i]);
        sums[1] += magnitude(sub[i]);
        sums[2] += magnitude(up[i]);
        sums[3] += magnitude(average[i]);
        sums[4] += magnitude(predicted[i]);
    }
    const std::size_t best = static_cast<std::size_t>(std::min_element(sums.begin(), sums.end()) - sums.begin());
    out.push_back(static_cast<std::uint8_t>(best));
    out.insert(out.end(), trial[best].begin(), trial[best].begin() + static_cast<std::ptrdiff_t>(n));
}

struct Strip {
    std::string deflated;
    uLong adler = 1;
    uLong length = 0;
    bool failed = false;
};

// Appends `row` filtered with `filter` alone.
void appendFixed(const std::vector<std::uint8_t>& row, const std::vector<std::uint8_t>& previous, int bpp, int filter,
                 std::vector<std::uint8_t>& out) {
    const std::size_t n = row.size();
    const auto step = static_cast<std::size_t>(bpp);
    const std::size_t at = out.size();
    out.resize(at + 1 + n);
    std::uint8_t* dst = out.data() + at;
    *dst++ = static_cast<std::uint8_t>(filter);
    const std::uint8_t* x = row.data();
    const std::uint8_t* b = previous.data();
    switch (filter) {
    case 1:
        std::copy(x, x + std::min(step, n), dst);
        for (std::size_t i = step; i < n; ++i) {
            dst[i] = static_cast<std::uint8_t>(x[i] - x[i - step]);
        }
        break;
    case 2:
        for (std::size_t i = 0; i < n; ++i) {
            dst[i] = static_cast<std::uint8_t>(x[i] - b[i]);
        }
        break;
    case 3:
    case 4:
        for (std::size_t i = 0; i < n; ++i) {
            const int a = i >= step ? x[i - step] : 0;
            const int c = i >= step ? b[i - step] : 0;
            const int p = filter == 3 ? (a + b[i]) / 2 : paeth(a, b[i], c);
            dst[i] = static_cast<std::uint8_t>(x[i] - p);
        }
        break;
    default:
        std::copy(x, x + n, dst);
        break;
    }
}

// Filters and deflates rows [first, last): raw deflate, ended by a full flush, or by the
// stream's end for the last strip.
void compressStrip(const QImage& image, bool alpha, int first, int last, bool isLast, const PngEncoding& how,
                   Strip& strip) {
    const int level = std::clamp(how.level, 1, 9);
    const int bpp = alpha ? 4 : 3;
    const std::size_t rowSize = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(bpp);
    std::vector<std::uint8_t> previous(rowSize, 0);
    std::vector<std::uint8_t> row(rowSize);
    std::array<std::vector<std::uint8_t>, 5> trial;
    for (auto& t : trial) {
        t.resize(rowSize);
    }
    if (first > 0) {
        rowBytes(image, first - 1, alpha, previous);
    }
    std::vector<std::uint8_t> filtered;
    filtered.reserve((rowSize + 1) * static_cast<std::size_t>(last - first));
    for (int y = first; y < last; ++y) {
        rowBytes(image, y, alpha, row);
        if (how.filters == PngEncoding::Filters::Fixed) {
            appendFixed(row, previous, bpp, std::clamp(how.fixedFilter, 0, 4), filtered);
        } else {
            appendFiltered(row, previous, bpp, filtered, trial);
        }
        std::swap(row, previous);
    }
    strip.adler = adler32(1, filtered.data(), static_cast<uInt>(filtered.size()));
    strip.length = static_cast<uLong>(filtered.size());
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8,
                     how.matching == PngEncoding::Matching::Runs ? Z_RLE : Z_DEFAULT_STRATEGY) != Z_OK) {
        strip.failed = true;
        return;
    }
    strip.deflated.resize(deflateBound(&z, static_cast<uLong>(filtered.size())) + 16);
    z.next_in = filtered.data();
    z.avail_in = static_cast<uInt>(filtered.size());
    z.next_out = reinterpret_cast<Bytef*>(strip.deflated.data());
    z.avail_out = static_cast<uInt>(strip.deflated.size());
    const int rc = deflate(&z, isLast ? Z_FINISH : Z_FULL_FLUSH);
    strip.failed = isLast ? rc != Z_STREAM_END : rc != Z_OK;
    strip.deflated.resize(z.total_out);
    deflateEnd(&z);
}

} // namespace

Result<std::string> encodePng(const QImage& source, const PngEncoding& how,
                              const std::function<void(double)>& progress) {
    if (source.isNull()) {
        return Message{"there is no image to encode"};
    }
    const bool alpha = source.hasAlphaChannel();
    // QImage keeps ARGB32 unpremultiplied; other formats are converted to it first.
    const QImage image = source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int rows = image.height();
    const int perStrip = std::max(1, how.rowsPerStrip);
    const int stripCount = (rows + perStrip - 1) / perStrip;
    std::vector<Strip> strips(static_cast<std::size_t>(stripCount));
    const int threads = std::clamp(how.threads > 0 ? how.threads : static_cast<int>(std::thread::hardware_concurrency()),
                                   1, std::max(1, stripCount));
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    const auto work = [&] {
        for (int s = next++; s < stripCount; s = next++) {
            const int first = s * perStrip;
            compressStrip(image, alpha, first, std::min(rows, first + perStrip), s + 1 == stripCount, how,
                          strips[static_cast<std::size_t>(s)]);
            ++done;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) {
        pool.emplace_back(work);
    }
    if (progress) {
        // The calling thread reports while the others work, then joins them.
        std::thread own(work);
        while (done.load() < stripCount) {
            progress(static_cast<double>(done.load()) / stripCount);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        own.join();
        progress(1.0);
    } else {
        work();
    }
    for (std::thread& thread : pool) {
        thread.join();
    }

    std::string stream;
    stream += static_cast<char>(0x78); // deflate, 32K window
    stream += static_cast<char>(0x5E); // level 2..5 hint; 0x785E is divisible by 31
    uLong adler = 1;
    for (const Strip& strip : strips) {
        if (strip.failed) {
            return Message{"the image data could not be compressed"};
        }
        stream += strip.deflated;
        adler = adler32_combine(adler, strip.adler, static_cast<z_off_t>(strip.length));
    }
    putUint32(stream, static_cast<std::uint32_t>(adler));

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putUint32(header, static_cast<std::uint32_t>(image.width()));
    putUint32(header, static_cast<std::uint32_t>(image.height()));
    header += static_cast<char>(8);              // bits per channel
    header += static_cast<char>(alpha ? 6 : 2);  // RGBA or RGB
    header.append(3, '\0');                      // deflate, adaptive filtering, no interlace
    putChunk(png, "IHDR", header.data(), header.size());
    for (std::size_t at = 0; at < stream.size(); at += kIdatChunkBytes) {
        putChunk(png, "IDAT", stream.data() + at, std::min(kIdatChunkBytes, stream.size() - at));
    }
    const std::string nothing;
    putChunk(png, "IEND", nothing.data(), 0);
    return png;
}

} // namespace vintrel
