#include "output/gif_output.h"
#include "output/sheet_output.h"
#include "output_test_support.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <QImage>
#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

constexpr int kW = 6;
constexpr int kH = 4;

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

DecodedGif decode(const std::filesystem::path& path) {
    int error = 0;
    DecodedGif gif(DGifOpenFileName(path.c_str(), &error));
    EXPECT_NE(gif, nullptr) << GifErrorString(error);
    if (gif) {
        EXPECT_EQ(DGifSlurp(gif.get()), GIF_OK) << GifErrorString(gif->Error);
    }
    return gif;
}

GraphicsControlBlock controlOf(GifFileType* gif, int frame) {
    GraphicsControlBlock control{};
    EXPECT_EQ(DGifSavedExtensionToGCB(gif, frame, &control), GIF_OK);
    return control;
}

int indexAt(GifFileType* gif, int frame, int x, int y) {
    const SavedImage& image = gif->SavedImages[frame];
    return image.RasterBits[y * image.ImageDesc.Width + x];
}

QColor colourAt(GifFileType* gif, int frame, int x, int y) {
    const SavedImage& image = gif->SavedImages[frame];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
    const GifColorType c = map->Colors[indexAt(gif, frame, x, y)];
    return QColor(c.Red, c.Green, c.Blue);
}

bool hasLoopExtension(GifFileType* gif) {
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = first.ExtensionBlocks[i];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
            return true;
        }
    }
    return false;
}

// Rendered frames: frame k has its left half in `left(k)` and its right half transparent.
OutputFrames renderFrames(const std::filesystem::path& folder, int count, QColor (*left)(int)) {
    return test::writeRenderedFrames(folder, count, kW, kH, left, test::transparentFrame);
}

QColor steppedColour(int k) {
    return QColor(37 + 60 * k, 142, 201 - 50 * k);
}

std::unique_ptr<GlobalState> gifState(int isAlpha) {
    auto g = std::make_unique<GlobalState>();
    g->project.fps = 30;
    g->project.backColor = {12.0f, 34.0f, 56.0f};
    g->write.isAlpha = isAlpha;
    return g;
}

void expectColourNear(const QColor& actual, const QColor& expected, int tolerance) {
    EXPECT_NEAR(actual.red(), expected.red(), tolerance);
    EXPECT_NEAR(actual.green(), expected.green(), tolerance);
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance);
}

TEST(GifOutput, DelayIsHundredthsPerFrameAtLeastTwo) {
    EXPECT_EQ(gifDelayCentiseconds(30), 3);
    EXPECT_EQ(gifDelayCentiseconds(60), 2);
    EXPECT_EQ(gifDelayCentiseconds(100), 2);
    EXPECT_EQ(gifDelayCentiseconds(7), 14);
    EXPECT_EQ(gifDelayCentiseconds(0), 100);
}

TEST(GifOutput, TransparentAnimationDecodesBack) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 3, steppedColour);
    std::string error;
    ASSERT_TRUE(test::succeeded(writeGif(frames, *gifState(1), dir.path() / "a.gif")));
    const DecodedGif gif = decode(dir.path() / "a.gif");
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->ImageCount, 3);
    EXPECT_EQ(gif->SWidth, kW);
    EXPECT_EQ(gif->SHeight, kH);
    EXPECT_TRUE(hasLoopExtension(gif.get()));
    for (int k = 0; k < 3; ++k) {
        const GraphicsControlBlock control = controlOf(gif.get(), k);
        EXPECT_EQ(control.DelayTime, 3);
        EXPECT_EQ(control.DisposalMode, DISPOSE_BACKGROUND);
        ASSERT_NE(control.TransparentColor, NO_TRANSPARENT_COLOR);
        EXPECT_EQ(indexAt(gif.get(), k, kW - 1, 2), control.TransparentColor);
        EXPECT_NE(indexAt(gif.get(), k, 0, 2), control.TransparentColor);
        expectColourNear(colourAt(gif.get(), k, 0, 2), steppedColour(k), 4);
    }
}

TEST(GifOutput, OpaqueFramesAreComposedOverTheBackground) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 2, steppedColour);
    std::string error;
    ASSERT_TRUE(test::succeeded(writeGif(frames, *gifState(0), dir.path() / "o.gif")));
    const DecodedGif gif = decode(dir.path() / "o.gif");
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(gif->ImageCount, 2);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(controlOf(gif.get(), k).TransparentColor, NO_TRANSPARENT_COLOR);
        expectColourNear(colourAt(gif.get(), k, 1, 1), steppedColour(k), 4);
        expectColourNear(colourAt(gif.get(), k, kW - 1, 1), QColor(12, 34, 56), 4);
    }
}

TEST(GifOutput, StillSheetKeepsTransparency) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 1, steppedColour);
    std::string error;
    const auto g = gifState(1);
    g->write.width = 2;
    g->write.height = 1;
    ASSERT_TRUE(test::succeeded(writeSheet(frames, *g, dir.path() / "s.gif")));
    const DecodedGif gif = decode(dir.path() / "s.gif");
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(gif->ImageCount, 1);
    EXPECT_EQ(gif->SWidth, 2 * kW);
    EXPECT_FALSE(hasLoopExtension(gif.get()));
    EXPECT_EQ(indexAt(gif.get(), 0, kW + 1, 1), controlOf(gif.get(), 0).TransparentColor);
}

TEST(GifOutput, MissingFrameFailsAndWritesNothing) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 3, steppedColour);
    std::filesystem::remove(renderedFramePath(frames, 2));
    std::string error;
    error = test::failureText(writeGif(frames, *gifState(1), dir.path() / "a.gif"));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("00002.png"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.gif"));

    GifEncoding bad;
    bad.width = 0;
    bad.height = 4;
    bad.frameCount = 1;
    EXPECT_FALSE(encodeGif(bad, [](int) -> Result<QImage> { return QImage(); }));
}

} // namespace
} // namespace vintrel
