// The strip-parallel PNG encoder read back by Qt's PNG reader (libpng): every pixel as stored,
// with strips and threads in any number, and its progress.
#include "output/png_encoder.h"
#include "support/result_checks.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace vintrel {
namespace {

QImage pattern(int width, int height, QImage::Format format) {
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Gradients, a hard edge and translucent pixels, so that every filter gets its turn.
            const int alpha = format == QImage::Format_ARGB32 ? (x * 37 + y * 11) % 256 : 255;
            image.setPixel(x, y, qRgba((x * 7) % 256, y < height / 2 ? 20 : 230, (x * y) % 256, alpha));
        }
    }
    return image;
}

TEST(PngEncoder, ReadsBackExactlyWhateverTheStripsAndThreads) {
    constexpr auto kFull = PngEncoding::Matching::Full;
    struct Case {
        int width, height;
        QImage::Format format;
        PngEncoding how;
    };
    const Case cases[] = {
        {1, 1, QImage::Format_ARGB32, {}},
        {37, 10, QImage::Format_ARGB32, {.matching = kFull, .threads = 3, .level = 6, .rowsPerStrip = 3}}, // short last strip
        {64, 65, QImage::Format_RGB32, {.matching = kFull, .threads = 2, .level = 1, .rowsPerStrip = 64}}, // RGB, a row past
        {64, 65, QImage::Format_RGB32, {.threads = 2, .rowsPerStrip = 64}},                              // RGB in runs
        {200, 130, QImage::Format_ARGB32,
         {.filters = PngEncoding::Filters::Adaptive, .matching = kFull, .level = 9, .rowsPerStrip = 1}}, // strip per row
        {90, 20, QImage::Format_ARGB32, {.fixedFilter = 4, .rowsPerStrip = 7}}, // Paeth
        {90, 20, QImage::Format_ARGB32, {.fixedFilter = 3, .rowsPerStrip = 7}}, // average
        {90, 20, QImage::Format_ARGB32, {.fixedFilter = 1, .rowsPerStrip = 7}}, // sub
        {1, 3, QImage::Format_ARGB32, {.fixedFilter = 1}},                      // sub with one pixel a row
        {90, 20, QImage::Format_ARGB32, {.fixedFilter = 0, .rowsPerStrip = 7}}, // none
    };
    for (const Case& c : cases) {
        const QImage image = pattern(c.width, c.height, c.format);
        const Result<std::string> png = encodePng(image, c.how);
        ASSERT_TRUE(test::succeeded(png));
        QImage read;
        ASSERT_TRUE(read.loadFromData(reinterpret_cast<const uchar*>(png->data()), static_cast<int>(png->size()), "PNG"))
            << c.width << "x" << c.height;
        EXPECT_EQ(read.hasAlphaChannel(), c.format == QImage::Format_ARGB32);
        EXPECT_EQ(read.convertToFormat(c.format), image) << c.width << "x" << c.height;
    }
}

TEST(PngEncoder, ReportsItsProgressUpToTheEnd) {
    std::vector<double> heard;
    const Result<std::string> png =
        encodePng(pattern(50, 40, QImage::Format_ARGB32), {.threads = 2, .rowsPerStrip = 4},
                  [&](double share) { heard.push_back(share); });
    ASSERT_TRUE(test::succeeded(png));
    ASSERT_FALSE(heard.empty());
    EXPECT_DOUBLE_EQ(heard.back(), 1.0);
    for (std::size_t i = 1; i < heard.size(); ++i) {
        EXPECT_LE(heard[i - 1], heard[i]);
    }
    EXPECT_FALSE(encodePng(QImage()));
}

} // namespace
} // namespace vintrel
