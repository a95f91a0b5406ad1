// The compare view's frame against the command-line tool: after the view's run and the compared
// run have stepped side by side on one thread, each half is what `vintrel-cli render` draws of
// its seed at that frame and size, pixel for pixel (the emitter guide shown, as the tool draws
// it).
#include "cli_test_support.h"
#include "engine/simulation.h"
#include "persist/project_file.h"
#include "platform/egl_context.h"
#include "render/compare_scene.h"
#include "render/renderer.h"
#include "render/side_by_side.h"
#include "render/view_layout.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;
using test::quoted;
using test::TempDir;

constexpr int kViewWidth = 200;
constexpr int kViewHeight = 150;
constexpr int kFrame = 24;

int runCli(const std::string& arguments) {
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + quoted(VINTREL_CLI_PATH) + " " + arguments;
    return std::system(command.c_str());
}

QImage renderedByCli(const fs::path& project, int width, int height, const fs::path& png) {
    EXPECT_EQ(runCli("render " + quoted(project.string()) + " --frame " + std::to_string(kFrame) + " --size " +
                     std::to_string(width) + "x" + std::to_string(height) + " -o " + quoted(png.string())),
              0);
    return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGBA8888);
}

// A half of the read-back frame (rows top first) where the layout put it (rows from the bottom).
QImage half(const QImage& frame, const PixelRect& place) {
    return frame
        .copy(place.x0, frame.height() - place.y1, place.x1 - place.x0, place.y1 - place.y0)
        .convertToFormat(QImage::Format_RGBA8888);
}

TEST(CompareView, HalvesEqualTheCommandLineRendersOfBothSeeds) {
    TempDir tmp;
    const fs::path sample = fs::path(VINTREL_SOURCE_DIR) / "samples" / "fire.stn";
    const fs::path nextSeed = tmp.path() / "next.stn";
    test::writeFile(tmp.path() / "edit.txt", "set g.project.randomSeed 1\n");
    ASSERT_EQ(runCli("edit " + quoted(sample.string()) + " -o " + quoted(nextSeed.string()) + " < " +
                     quoted((tmp.path() / "edit.txt").string()) + " > /dev/null"),
              0);

    GlobalState g;
    g.workspace = tmp.path() / "run";
    fs::create_directories(g.workspace);
    test::FailingNotifier notifier;
    BuiltInProjectDefaults defaults;
    ASSERT_TRUE(loadProject(g, sample, defaults, notifier));

    auto context = HeadlessGlContext::create();
    ASSERT_TRUE(static_cast<bool>(context));
    ASSERT_TRUE((*context)->makeCurrent());
    QImage frame;
    QImage afterEdit;
    {
        Simulation simulation(g);
        auto view = Renderer::create(g, simulation, g.viewCamera).value_or(nullptr);
        ASSERT_NE(view, nullptr);
        CompareScene other(nextSeedCopy(g));
        ASSERT_TRUE(static_cast<bool>(other.prepare()));
        RenderTarget window;
        ASSERT_TRUE(window.create(kViewWidth, kViewHeight));
        SideBySideView sideBySide;
        // As the worker does: a step of the view's run, then a view frame, every frame.
        const auto play = [&] {
            simulation.reset();
            for (int k = 0; k < kFrame; ++k) {
                simulation.step();
                ASSERT_TRUE(sideBySide.draw(*view, g, simulation.currentFrame(), other, window.framebuffer(),
                                            kViewWidth, kViewHeight, MouseSample{}, 0));
            }
            EXPECT_EQ(other.currentFrame(), simulation.currentFrame());
        };
        play();
        frame = window.read();
        // An edit hands the scene a fresh copy, which it takes with the renderer it has.
        other.adopt(CompareScene(nextSeedCopy(g)));
        play();
        afterEdit = window.read();
    }

    const SideBySideHalves halves = sideBySideHalves(kViewWidth, kViewHeight, g.project.width, g.project.height);
    const int w = halves.left.x1 - halves.left.x0;
    const int h = halves.left.y1 - halves.left.y0;
    const QImage left = renderedByCli(sample, w, h, tmp.path() / "left.png");
    const QImage right = renderedByCli(nextSeed, w, h, tmp.path() / "right.png");
    EXPECT_EQ(half(frame, halves.left), left) << "the current seed";
    EXPECT_EQ(half(frame, halves.right), right) << "the next seed";
    EXPECT_NE(left, right) << "the seeds make different effects";
    EXPECT_EQ(afterEdit, frame) << "both runs again from the start after the scene took a new copy";
}

} // namespace
} // namespace vintrel
