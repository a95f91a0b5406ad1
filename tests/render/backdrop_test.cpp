// What the view shows behind the grid: the fitted part of a picture, and the checkerboard or the
// picture drawn into a view frame before anything else.
#include "engine/simulation.h"
#include "gl_test_support.h"
#include "render/backdrop_layer.h"
#include "render/renderer.h"

namespace vintrel::test {
namespace {

TEST(BackdropCover, FillsTheViewCuttingTheLongerSide) {
    struct Case {
        QSize picture, view;
        QRect expected;
    };
    const Case cases[] = {
        {{200, 100}, {64, 32}, {0, 0, 200, 100}},  // same aspect: all of it
        {{200, 100}, {32, 32}, {50, 0, 100, 100}}, // wider: the middle square
        {{100, 300}, {50, 50}, {0, 100, 100, 100}}, // taller: the middle square
        {{101, 100}, {10, 10}, {0, 0, 100, 100}},  // an odd pixel goes on the right
        {{0, 100}, {10, 10}, {}},
        {{10, 10}, {0, 10}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(coverRect(c.picture, c.view), c.expected) << c.picture.width() << "x" << c.picture.height();
    }
}

class BackdropDrawing : public GlDrawingTest {
protected:
    void SetUp() override {
        GlDrawingTest::SetUp();
        const BuiltInProjectDefaults defaults;
        resetProject(g, defaults);
        applyStartValues(g, defaults);
        g.rootNode->clearChildren(); // nothing but the grid and the backdrop
        g.pSelNode = nullptr;
        g.project.backColor = FloatXYZ{0, 0, 255};
        simulation = std::make_unique<Simulation>(g);
        simulation->reset();
        renderer = Renderer::create(g, *simulation, g.viewCamera).value_or(nullptr);
        ASSERT_NE(renderer, nullptr);
        renderer->setViewSize(kSize, kSize);
    }

    QImage drawView() {
        renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
        return target.read();
    }

    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

// Sampled along the top rows, above the horizon, where only the backdrop shows.
TEST_F(BackdropDrawing, CheckerboardAndPictureShowBehindTheGrid) {
    const QImage colour = drawView();
    expectNear(pixel(colour, 2, 2), {0, 0, 255, 255}, 0, "background colour");

    renderer->setBackdrop(ViewBackdrop::Kind::Checkerboard, QImage());
    const QImage checker = drawView();
    expectNear(pixel(checker, 2, 2), {153, 153, 153, 255}, 0, "light square at the top left");
    expectNear(pixel(checker, kCheckerSquare + 2, 2), {102, 102, 102, 255}, 0, "dark square beside it");
    expectNear(pixel(checker, kCheckerSquare + 2, kCheckerSquare + 2), {153, 153, 153, 255}, 0, "light below that");

    // A picture red at the left, green at the right, twice as wide as the view: its middle half
    // fills the view, so the view's left edge is red and its right edge green.
    QImage picture(4 * kSize, 2 * kSize, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = picture.width() / 2; x < picture.width(); ++x) {
            picture.setPixelColor(x, y, Qt::green);
        }
    }
    renderer->setBackdrop(ViewBackdrop::Kind::Image, picture);
    const QImage shown = drawView();
    expectNear(pixel(shown, 1, 2), {255, 0, 0, 255}, 0, "left");
    expectNear(pixel(shown, kSize - 2, 2), {0, 255, 0, 255}, 0, "right");

    renderer->setBackdrop(ViewBackdrop::Kind::Color, QImage());
    EXPECT_EQ(drawView(), colour);
}

// A picture wider than the driver's largest texture is scaled down to one it takes.
TEST_F(BackdropDrawing, PictureBeyondTheLargestTextureStillShows) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    QImage wide(largest + 1, 2, QImage::Format_RGB32);
    wide.fill(Qt::green);
    renderer->setBackdrop(ViewBackdrop::Kind::Image, wide);
    expectNear(pixel(drawView(), 2, 2), {0, 255, 0, 255}, 0, "the picture, not the background colour");
}

} // namespace
} // namespace vintrel::test
