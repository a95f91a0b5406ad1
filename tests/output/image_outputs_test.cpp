#include "output/gif_output.h"
#include "output/image_outputs.h"
#include "output/sheet_output.h"
#include "output_test_support.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

constexpr int kW = 4;
constexpr int kH = 3;

// A distinct opaque colour for each frame index.
QColor frameColour(int k) {
    return QColor(20 * k, 250 - 20 * k, 100);
}

// Rendered frames 0 .. count-1, each one flat colour.
OutputFrames renderFrames(const std::filesystem::path& folder, int count) {
    return test::writeRenderedFrames(folder, count, kW, kH, frameColour, frameColour);
}

QImage load(const std::filesystem::path& path) {
    return QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_ARGB32);
}

std::unique_ptr<GlobalState> stateWith(int columns, int rows, int isAlpha) {
    auto g = std::make_unique<GlobalState>();
    g->write.width = columns;
    g->write.height = rows;
    g->write.isAlpha = isAlpha;
    g->project.backColor = {10.9f, 200.5f, 30.0f};
    return g;
}

TEST(ImageOutputs, FormatFollowsExtensionCaseSensitively) {
    EXPECT_EQ(formatForPath("a/x.bmp"), ImageFormat::Bmp);
    EXPECT_EQ(formatForPath("x.jpg"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForPath("x.jpeg"), ImageFormat::Jpeg);
    EXPECT_EQ(formatForPath("x.tif"), ImageFormat::Tiff);
    EXPECT_EQ(formatForPath("x.tiff"), ImageFormat::Tiff);
    EXPECT_EQ(formatForPath("x.gif"), ImageFormat::Gif);
    EXPECT_EQ(formatForPath("OUT.JPG"), ImageFormat::Png);
    EXPECT_EQ(formatForPath("x.BMP"), ImageFormat::Png);
    EXPECT_EQ(formatForPath("noextension"), ImageFormat::Png);
    EXPECT_FALSE(hasAlpha(ImageFormat::Jpeg));
    EXPECT_FALSE(hasAlpha(ImageFormat::Bmp));
    EXPECT_TRUE(hasAlpha(ImageFormat::Png));
    EXPECT_TRUE(hasAlpha(ImageFormat::Tiff));
    EXPECT_TRUE(hasAlpha(ImageFormat::Gif));
}

TEST(ImageOutputs, UpperCaseJpgIsWrittenAsPng) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 1);
    std::string error;
    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(1, 1, 1), dir.path() / "OUT.JPG")));
    const std::string bytes = test::readFile(dir.path() / "OUT.JPG");
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST(ImageOutputs, BackgroundRuleDependsOnAlphaAndExtension) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 1); // the second cell stays empty
    std::string error;

    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(2, 1, 1), dir.path() / "s.jpg")));
    const QImage jpeg = load(dir.path() / "s.jpg");
    ASSERT_EQ(jpeg.size(), QSize(2 * kW, kH));
    const QColor filled = jpeg.pixelColor(kW + 2, 1);
    EXPECT_EQ(filled.alpha(), 255);
    EXPECT_NEAR(filled.red(), 10, 6);
    EXPECT_NEAR(filled.green(), 200, 6);
    EXPECT_NEAR(filled.blue(), 30, 6);

    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(2, 1, 1), dir.path() / "s.png")));
    const QImage clear = load(dir.path() / "s.png");
    EXPECT_EQ(qAlpha(clear.pixel(kW + 2, 1)), 0);
    EXPECT_EQ(clear.pixelColor(1, 1), frameColour(0));

    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(2, 1, 0), dir.path() / "o.png")));
    EXPECT_EQ(load(dir.path() / "o.png").pixelColor(kW + 2, 1), QColor(10, 200, 30, 255));
}

TEST(ImageOutputs, SheetPlacesFramesRowByRowAndClips) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 10);
    std::string error;

    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(4, 3, 1), dir.path() / "three.png")));
    const QImage three = load(dir.path() / "three.png");
    ASSERT_EQ(three.size(), QSize(4 * kW, 3 * kH));
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(three.pixelColor((k % 4) * kW + 1, (k / 4) * kH + 1), frameColour(k)) << k;
    }
    EXPECT_EQ(qAlpha(three.pixel(2 * kW + 1, 2 * kH + 1)), 0); // cell 10 has no frame

    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(4, 2, 1), dir.path() / "two.png")));
    const QImage two = load(dir.path() / "two.png");
    EXPECT_EQ(two.size(), QSize(4 * kW, 2 * kH));
    EXPECT_EQ(two.pixelColor(3 * kW + 1, kH + 1), frameColour(7));

    // Rows <= 0: as many as the frames need; columns <= 0: one.
    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(4, 0, 1), dir.path() / "auto.png")));
    EXPECT_EQ(load(dir.path() / "auto.png").size(), QSize(4 * kW, 3 * kH));
    ASSERT_TRUE(test::succeeded(writeSheet(frames, *stateWith(0, -1, 1), dir.path() / "column.png")));
    const QImage column = load(dir.path() / "column.png");
    EXPECT_EQ(column.size(), QSize(kW, 10 * kH));
    EXPECT_EQ(column.pixelColor(1, 9 * kH + 1), frameColour(9));
}

TEST(ImageOutputs, NumberedFilesAreNamedAfterTheOutput) {
    EXPECT_EQ(numberedFilePath("/a/fire.png", 0), std::filesystem::path("/a/fire00000.png"));
    EXPECT_EQ(numberedFilePath("/a/fire.png", 123456), std::filesystem::path("/a/fire123456.png"));
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 3);
    std::string error;
    ASSERT_TRUE(test::succeeded(writeNumberedFiles(frames, *stateWith(1, 1, 0), dir.path() / "fire.png")));
    for (int k = 0; k < 3; ++k) {
        const QImage image = load(numberedFilePath(dir.path() / "fire.png", k));
        ASSERT_EQ(image.size(), QSize(kW, kH)) << k;
        EXPECT_EQ(image.pixelColor(2, 1), frameColour(k));
    }
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "fire00002.png"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "fire00003.png"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "fire.png"));
}

TEST(ImageOutputs, TiffKeepsAlpha) {
    test::TempDir dir;
    OutputFrames frames = renderFrames(dir.path(), 1);
    QImage half(2 * kW, 2 * kH, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    for (int y = 0; y < 2 * kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            half.setPixelColor(x, y, QColor(255, 0, 0));
        }
    }
    ASSERT_TRUE(half.save(QString::fromStdString(renderedFramePath(frames, 0).string()), "PNG"));
    std::string error;
    ASSERT_TRUE(test::succeeded(writeNumberedFiles(frames, *stateWith(1, 1, 1), dir.path() / "t.tif")));
    const std::string bytes = test::readFile(dir.path() / "t00000.tif");
    EXPECT_EQ(bytes.substr(0, 2), "II");
    const QImage tiff = load(dir.path() / "t00000.tif");
    ASSERT_EQ(tiff.size(), QSize(kW, kH));
    EXPECT_EQ(tiff.pixelColor(0, 1), QColor(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(tiff.pixel(kW - 1, 1)), 0);
}

TEST(ImageOutputs, FailuresReportAndWriteNothing) {
    test::TempDir dir;
    OutputFrames frames = renderFrames(dir.path(), 3);
    std::filesystem::remove(renderedFramePath(frames, 1));
    std::string error;
    error = test::failureText(writeSheet(frames, *stateWith(3, 1, 1), dir.path() / "s.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("00001.png"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.png"));

    error = test::failureText(writeNumberedFiles(frames, *stateWith(3, 1, 1), dir.path() / "n.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("00001.png"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "n00001.png"));

    // 8193 columns of 4 pixels: over 32768 pixels wide.
    error = test::failureText(writeSheet(frames, *stateWith(8193, 1, 1), dir.path() / "wide.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("32768"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "wide.png"));
    frames.lastIndex = 999999; // a million rows of one column
    error = test::failureText(writeSheet(frames, *stateWith(1, 0, 1), dir.path() / "tall.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("32768"), std::string::npos) << error;

    frames.lastIndex = -1;
    error = test::failureText(writeSheet(frames, *stateWith(1, 1, 1), dir.path() / "none.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(error.empty());
    frames.lastIndex = 0;
    error = test::failureText(writeSheet(frames, *stateWith(1, 1, 1), dir.path() / "missing" / "s.png"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

} // namespace
} // namespace vintrel

namespace vintrel {
namespace {

// Every writer says how much work it has and counts exactly that much: the bar ends full, never
// early (a sheet of pages, trimmed or not, and the frame-by-frame outputs).
TEST(ImageOutputs, ProgressCountsTheWorkTheWriterAnnounced) {
    struct Case {
        const char* name;
        std::function<Status(const OutputFrames&, const GlobalState&, const std::filesystem::path&)> write;
        SheetTrim trim;
        int maxSide;
    };
    const Case cases[] = {
        {"sheet.png", writeSheet, SheetTrim::None, 0},
        {"pages.png", writeSheet, SheetTrim::PerFrame, 2 * kW},
        {"files.png", writeNumberedFiles, SheetTrim::None, 0},
        {"loop.gif", writeGif, SheetTrim::None, 0},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        WriteProgress progress;
        OutputFrames frames = renderFrames(dir.path(), 5);
        frames.progress = &progress;
        std::unique_ptr<GlobalState> g = stateWith(2, 0, 1);
        g->exportExtras.trim = c.trim;
        g->exportExtras.maxSheetSide = c.maxSide;
        ASSERT_TRUE(test::succeeded(c.write(frames, *g, dir.path() / c.name))) << c.name;
        EXPECT_GE(progress.expected(), 5.0) << c.name;
        EXPECT_NEAR(progress.done(), progress.expected(), 1e-9) << c.name;
        EXPECT_DOUBLE_EQ(progress.share(), 1.0) << c.name;
    }
}

} // namespace
} // namespace vintrel
