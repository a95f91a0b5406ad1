// The picture-button artwork: cell geometry, and the properties the main window relies on when it
// draws its buttons and the strip behind them.

#include "ui/shell/button_artwork.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kBackgroundColumnFirst = 2;
constexpr int kBackgroundColumnLast = 4;

bool sameColumn(const QImage& image, int x1, int x2) {
    for (int y = 0; y < kArtworkCellHeight; ++y) {
        if (image.pixel(x1, y) != image.pixel(x2, y)) {
            return false;
        }
    }
    return true;
}

TEST(ButtonArtworkTest, StripHoldsFourteenCellsInTwoRows) {
    const QImage strip = pictureButtonStrip();
    EXPECT_EQ(strip.size(), QSize(672, 70));
    EXPECT_EQ(pictureButtonCell(0, false), QRect(0, 0, 48, 35));
    EXPECT_EQ(pictureButtonCell(13, true), QRect(624, 35, 48, 35));
}

TEST(ButtonArtworkTest, EveryCellHasItsOwnPressedLook) {
    const QImage strip = pictureButtonStrip();
    for (int position = 0; position < kArtworkCellCount; ++position) {
        const QImage normal = strip.copy(pictureButtonCell(position, false));
        const QImage pressed = strip.copy(pictureButtonCell(position, true));
        EXPECT_NE(normal, pressed) << "cell " << position;
    }
}

TEST(ButtonArtworkTest, EveryCellShowsADistinctIcon) {
    const QImage strip = pictureButtonStrip();
    for (int a = 0; a < kArtworkCellCount; ++a) {
        for (int b = a + 1; b < kArtworkCellCount; ++b) {
            EXPECT_NE(strip.copy(pictureButtonCell(a, false)), strip.copy(pictureButtonCell(b, false)))
                << "cells " << a << " and " << b;
        }
    }
}

TEST(ButtonArtworkTest, BackgroundColumnsMatchTheStripBehindTheButtons) {
    // The strip repeats column x = 2 of the first cell; every button's left columns must look the
    // same, or the buttons would stand out from the strip.
    const QImage strip = pictureButtonStrip();
    for (int position = 0; position < kArtworkCellCount; ++position) {
        const int left = pictureButtonCell(position, false).left();
        for (int x = kBackgroundColumnFirst; x <= kBackgroundColumnLast; ++x) {
            EXPECT_TRUE(sameColumn(strip, kBackgroundColumnFirst, left + x))
                << "cell " << position << ", x " << x;
        }
    }
}

} // namespace
} // namespace vintrel
