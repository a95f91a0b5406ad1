// The area-filter downscale: exact block averages at integer ratios, area weights at a
// non-integer ratio, alpha without colour bleeding, and the sizes it does not average.

#include "output/area_scale.h"

#include <gtest/gtest.h>
#include <random>

namespace vintrel::test {
namespace {

QImage greyImage(int width, int height, std::initializer_list<int> values) {
    QImage image(width, height, QImage::Format_ARGB32);
    auto it = values.begin();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++it) {
            image.setPixel(x, y, qRgb(*it, *it, *it));
        }
    }
    return image;
}

TEST(AreaScale, CheckerboardHalvedIsGrey) {
    QImage board(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    const QImage out = scaleDownArea(board, 2, 2);
    ASSERT_EQ(out.size(), QSize(2, 2));
    EXPECT_EQ(out.format(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const QRgb p = out.pixel(x, y);
            EXPECT_EQ(qAlpha(p), 255);
            EXPECT_NEAR(qRed(p), 128, 1);
            EXPECT_EQ(qRed(p), qGreen(p));
            EXPECT_EQ(qRed(p), qBlue(p));
        }
    }
}

TEST(AreaScale, IntegerRatioIsTheRoundedBlockAverage) {
    std::mt19937 random(3);
    QImage source(9, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 9; ++x) {
            source.setPixel(x, y, qRgb(int(random() % 256), int(random() % 256), int(random() % 256)));
        }
    }
    const QImage out = scaleDownArea(source, 3, 2); // factor 3 both ways
    for (int by = 0; by < 2; ++by) {
        for (int bx = 0; bx < 3; ++bx) {
            int red = 0;
            int blue = 0;
            for (int y = by * 3; y < by * 3 + 3; ++y) {
                for (int x = bx * 3; x < bx * 3 + 3; ++x) {
                    red += qRed(source.pixel(x, y));
                    blue += qBlue(source.pixel(x, y));
                }
            }
            EXPECT_EQ(qRed(out.pixel(bx, by)), (red + 4) / 9);
            EXPECT_EQ(qBlue(out.pixel(bx, by)), (blue + 4) / 9);
        }
    }
}

TEST(AreaScale, NonIntegerRatioWeighsByArea) {
    // 3 -> 2: output pixel 0 takes 2/3 of pixel 0 and 1/3 of pixel 1, in each direction.
    const QImage source = greyImage(3, 3, {90, 180, 0, 45, 9, 255, 0, 0, 27});
    const QImage out = scaleDownArea(source, 2, 2);
    EXPECT_EQ(qRed(out.pixel(0, 0)), 91); // (4*90 + 2*180 + 2*45 + 9) / 9 = 819 / 9
    EXPECT_EQ(qRed(out.pixel(1, 0)), 98); // (4*0 + 2*180 + 2*255 + 9) / 9 = 879 / 9 = 97.7
    EXPECT_EQ(qRed(out.pixel(0, 1)), 11); // (4*0 + 2*0 + 2*45 + 9) / 9 = 99 / 9
    EXPECT_EQ(qRed(out.pixel(1, 1)), 70); // (4*27 + 2*0 + 2*255 + 9) / 9 = 627 / 9 = 69.7
    // One direction only: 5 -> 2 across, rows kept.
    const QImage row = scaleDownArea(greyImage(5, 1, {100, 0, 50, 200, 10}), 2, 1);
    EXPECT_EQ(qRed(row.pixel(0, 0)), 50); // (2*100 + 2*0 + 1*50) / 5
    EXPECT_EQ(qRed(row.pixel(1, 0)), 94); // (1*50 + 2*200 + 2*10) / 5
}

TEST(AreaScale, PartialCoverageGivesPartialAlpha) {
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 255, 255, 255));
    source.setPixel(1, 0, qRgba(255, 255, 255, 0));
    EXPECT_EQ(qAlpha(scaleDownArea(source, 1, 1).pixel(0, 0)), 128); // 127.5 rounded
    // 3 -> 2 over [opaque, transparent, opaque]: the middle pixel is half in each output pixel.
    QImage three(3, 1, QImage::Format_ARGB32);
    three.fill(qRgba(0, 0, 0, 255));
    three.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const QImage out = scaleDownArea(three, 2, 1);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 170); // 255 * 2/3
    EXPECT_EQ(qAlpha(out.pixel(1, 0)), 170);
}

TEST(AreaScale, TransparentColourDoesNotBleed) {
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 0)); // transparent red
    source.setPixel(1, 0, qRgba(0, 0, 255, 255));
    const QRgb p = scaleDownArea(source, 1, 1).pixel(0, 0);
    EXPECT_EQ(qAlpha(p), 128);
    EXPECT_EQ(qRed(p), 0);
    EXPECT_EQ(qBlue(p), 128); // premultiplied: the straight colour is pure blue
    EXPECT_EQ(qUnpremultiply(p), qRgba(0, 0, 255, 128));
}

TEST(AreaScale, SizesNotAveraged) {
    std::mt19937 random(5);
    QImage source(5, 4, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int a = int(random() % 256);
            source.setPixel(x, y, qRgba(int(random() % unsigned(a + 1)), 0, a, a));
        }
    }
    EXPECT_EQ(scaleDownArea(source, 5, 4), source);

    QImage flat(3, 2, QImage::Format_ARGB32);
    flat.fill(qRgba(10, 20, 30, 255));
    for (QSize size : {QSize(7, 5), QSize(2, 4)}) { // larger, or larger in one direction
        const QImage up = scaleDownArea(flat, size.width(), size.height());
        ASSERT_EQ(up.size(), size);
        EXPECT_EQ(up.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(up.pixel(size.width() - 1, size.height() - 1), qRgba(10, 20, 30, 255));
    }
    EXPECT_TRUE(scaleDownArea(QImage(), 2, 2).isNull());
    EXPECT_TRUE(scaleDownArea(flat, 0, 1).isNull());
    EXPECT_TRUE(scaleDownArea(flat, 1, -4).isNull());
}

} // namespace
} // namespace vintrel::test
