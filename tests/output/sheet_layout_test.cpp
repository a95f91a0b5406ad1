// The sheet's arrangement and its newer options without drawing: cells, pages, trims, powers of
// two; then the pixels: alpha modes, repeated edges, the pages' file names and seamless loops.
#include "output/alpha_mode.h"
#include "output/seamless_loop.h"
#include "output/sheet_layout.h"
#include "output/sheet_output.h"
#include "output_test_support.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vintrel {
namespace {

struct Expected {
    std::vector<QSize> pages;
    std::vector<QPoint> corners; // each placed frame's top-left on its page
    QSize cell;
};

ExportExtras with(int padding, int border, int extrude, bool powerOfTwo = false, int maxSide = 0) {
    ExportExtras x;
    x.padding = padding;
    x.border = border;
    x.extrude = extrude;
    x.powerOfTwo = powerOfTwo;
    x.maxSheetSide = maxSide;
    return x;
}

TEST(SheetLayout, CellsPagesAndSizesFollowTheOptions) {
    struct Case {
        const char* what;
        int frames, columns, rows;
        ExportExtras extras;
        Expected expected;
    };
    const QSize frame(4, 3);
    const Case cases[] = {
        {"classic: nothing between the cells", 5, 2, 0, {}, {{{8, 9}}, {{0, 0}, {4, 0}, {0, 3}, {4, 3}, {0, 6}}, frame}},
        {"the rows asked for leave the rest out", 5, 2, 1, {}, {{{8, 3}}, {{0, 0}, {4, 0}}, frame}},
        {"padding, border and extrusion", 3, 3, 0, with(2, 1, 1), {{{24, 7}}, {{2, 2}, {10, 2}, {18, 2}}, frame}},
        {"powers of two", 3, 3, 0, with(0, 0, 0, true), {{{16, 4}}, {{0, 0}, {4, 0}, {8, 0}}, frame}},
        {"pages of at most 16 pixels", 10, 10, 0, with(0, 0, 0, false, 16),
         {{{16, 3}, {16, 3}, {16, 3}},
          {{0, 0}, {4, 0}, {8, 0}, {12, 0}, {0, 0}, {4, 0}, {8, 0}, {12, 0}, {0, 0}, {4, 0}},
          frame}},
        {"a limit under 16 counts as 16", 5, 5, 0, with(0, 0, 0, false, 3),
         {{{16, 3}, {16, 3}}, {{0, 0}, {4, 0}, {8, 0}, {12, 0}, {0, 0}}, frame}},
    };
    for (const Case& c : cases) {
        const Result<SheetLayout> layout = layoutSheet(c.frames, frame, c.columns, c.rows, c.extras, {});
        ASSERT_TRUE(test::succeeded(layout)) << c.what;
        std::vector<QSize> pages;
        for (const SheetPage& page : layout->pages) {
            pages.push_back(page.size);
        }
        std::vector<QPoint> corners;
        for (const SheetCell& cell : layout->cells) {
            corners.push_back(cell.onPage);
            EXPECT_EQ(cell.fromFrame, QRect(QPoint(0, 0), frame)) << c.what;
        }
        EXPECT_EQ(pages, c.expected.pages) << c.what;
        EXPECT_EQ(corners, c.expected.corners) << c.what;
        EXPECT_EQ(layout->cellSize, c.expected.cell) << c.what;
    }
}

TEST(SheetLayout, AFrameLargerThanThePageLimitIsRefused) {
    const Result<SheetLayout> layout = layoutSheet(2, QSize(20, 20), 2, 0, with(0, 0, 0, false, 16), {});
    EXPECT_NE(test::failureText(layout).find("does not fit"), std::string::npos);
}

TEST(SheetLayout, TrimsCutToTheVisiblePixels) {
    const std::vector<QRect> visible = {QRect(1, 1, 2, 1), QRect(), QRect(0, 2, 4, 1)};
    ExportExtras common;
    common.trim = SheetTrim::Common;
    const Result<SheetLayout> united = layoutSheet(3, QSize(4, 3), 3, 0, common, visible);
    ASSERT_TRUE(test::succeeded(united));
    EXPECT_EQ(united->cellSize, QSize(4, 2));
    EXPECT_EQ(united->pages.front().size, QSize(12, 2));
    for (const SheetCell& cell : united->cells) {
        EXPECT_EQ(cell.fromFrame, QRect(0, 1, 4, 2));
    }

    ExportExtras each;
    each.trim = SheetTrim::PerFrame;
    const Result<SheetLayout> own = layoutSheet(3, QSize(4, 3), 3, 0, each, visible);
    ASSERT_TRUE(test::succeeded(own));
    EXPECT_EQ(own->cellSize, QSize(4, 1)); // the largest kept part
    EXPECT_EQ(own->cells[0].fromFrame, QRect(1, 1, 2, 1));
    EXPECT_EQ(own->cells[1].fromFrame, QRect(0, 0, 1, 1)); // nothing visible: one pixel
    EXPECT_EQ(own->cells[2].fromFrame, QRect(0, 2, 4, 1));
    EXPECT_EQ(own->cells[2].onPage, QPoint(8, 0));
}

TEST(SheetLayout, VisibleRectAndPowersOfTwo) {
    QImage image(5, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    EXPECT_TRUE(visibleRect(image).isEmpty());
    image.setPixel(1, 2, qRgba(0, 0, 0, 1));
    image.setPixel(3, 1, qRgba(255, 0, 0, 255));
    EXPECT_EQ(visibleRect(image), QRect(QPoint(1, 1), QPoint(3, 2)));
    EXPECT_EQ(powerOfTwoAtLeast(0), 1);
    EXPECT_EQ(powerOfTwoAtLeast(16), 16);
    EXPECT_EQ(powerOfTwoAtLeast(17), 32);
}

// Every mode against values computed from the straight pixel: round(c · a / 255).
TEST(AlphaModes, ComputedFromTheStraightImage) {
    QImage straight(3, 1, QImage::Format_ARGB32);
    const QRgb pixels[] = {qRgba(200, 100, 50, 128), qRgba(255, 255, 255, 0), qRgba(10, 20, 30, 255)};
    for (int x = 0; x < 3; ++x) {
        straight.setPixel(x, 0, pixels[x]);
    }
    const auto times = [](int c, int a) { return static_cast<int>(std::lround(c * a / 255.0)); };
    for (const AlphaMode mode : {AlphaMode::Straight, AlphaMode::Premultiplied, AlphaMode::AdditiveOnBlack}) {
        const QImage written = withAlphaMode(straight, mode);
        ASSERT_EQ(written.format(), QImage::Format_ARGB32);
        for (int x = 0; x < 3; ++x) {
            const QRgb p = pixels[x];
            const int a = qAlpha(p);
            const QRgb expected = mode == AlphaMode::Straight
                                      ? p
                                      : qRgba(times(qRed(p), a), times(qGreen(p), a), times(qBlue(p), a),
                                              mode == AlphaMode::AdditiveOnBlack ? 255 : a);
            EXPECT_EQ(written.pixel(x, 0), expected) << static_cast<int>(mode) << " at " << x;
        }
    }
    EXPECT_EQ(withAlphaMode(straight, AlphaMode::Premultiplied).pixel(0, 0), qRgba(100, 50, 25, 128));
}

TEST(SheetPixels, ExtrusionRepeatsTheEdgesIntoTheCorners) {
    QImage image(5, 5, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgba(255, 0, 0, 255));
    image.setPixel(2, 1, qRgba(0, 255, 0, 255));
    extrudeEdges(image, QRect(1, 1, 2, 1), 2);
    EXPECT_EQ(image.pixel(0, 0), qRgba(255, 0, 0, 255)); // the corner takes the corner pixel
    EXPECT_EQ(image.pixel(0, 3), qRgba(255, 0, 0, 255));
    EXPECT_EQ(image.pixel(4, 3), qRgba(0, 255, 0, 255)); // clipped at the image's edge
    EXPECT_EQ(image.pixel(2, 3), qRgba(0, 255, 0, 255));
    EXPECT_EQ(image.pixel(4, 4), 0u);                    // two rows only
}

TEST(SheetPixels, PageFileNamesFromThePattern) {
    SheetPage page;
    page.columns = 8;
    page.rows = 4;
    page.frameCount = 30;
    struct Case {
        std::string pattern;
        int number, count;
        std::string expected; // empty: refused
    };
    const Case cases[] = {
        {"", 1, 1, "out/fire.png"},
        {"{name}_{columns}x{rows}_{frames}", 1, 1, "out/fire_8x4_30.png"},
        {"", 2, 3, "out/fire-2.png"},
        {"{name}.p{page}", 3, 3, "out/fire.p3.png"},
        {"sub/{name}", 1, 1, ""},
        {"..", 1, 1, ""},
    };
    for (const Case& c : cases) {
        const Result<std::filesystem::path> path = sheetPagePath("out/fire.png", c.pattern, page, c.number, c.count);
        if (c.expected.empty()) {
            EXPECT_FALSE(path) << c.pattern;
        } else {
            ASSERT_TRUE(test::succeeded(path)) << c.pattern;
            EXPECT_EQ(path->string(), c.expected) << c.pattern;
        }
    }
}

} // namespace
} // namespace vintrel

namespace vintrel {
namespace {

// A loop of n frames fades K = n / 4 of them (fewer than half); the frames after K are the
// source's own, frame j < K the source's frame n − K + j faded by j / K into frame j.
TEST(SeamlessLoop, TheTailFadesIntoTheHead) {
    EXPECT_EQ(loopFadeFrames(40, 0), 10);
    EXPECT_EQ(loopFadeFrames(40, 25), 19);
    EXPECT_EQ(loopFadeFrames(2, 0), 0);
    EXPECT_EQ(loopFadeFrames(3, 0), 1);

    test::TempDir dir;
    const auto grey = [](int k) { return QColor(20 * k, 20 * k, 20 * k); };
    const OutputFrames frames = test::writeRenderedFrames(dir.path(), 8, 2, 2, grey, grey);
    const Result<OutputFrames> loop = makeSeamlessLoop(frames, loopFadeFrames(8, 0));
    ASSERT_TRUE(test::succeeded(loop));
    ASSERT_EQ(loop->lastIndex, 5); // 8 frames, 2 faded
    const auto level = [&](int j) {
        return qRed(QImage(QString::fromStdString(renderedFramePath(*loop, j).string())).pixel(0, 0));
    };
    EXPECT_EQ(level(0), 120);                                // all of frame 6
    EXPECT_EQ(level(1), (140 * 128 + 20 * 128 + 128) >> 8); // half of frame 7, half of frame 1
    for (int j = 2; j <= 5; ++j) {
        EXPECT_EQ(level(j), 20 * j) << j;
    }
    EXPECT_EQ(qRed(QImage(QString::fromStdString(renderedFramePath(frames, 0).string())).pixel(0, 0)), 0)
        << "the source frames stay";
}

} // namespace
} // namespace vintrel
