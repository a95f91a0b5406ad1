// Runs the built editor on a virtual X display and looks at the view it drew.

#include "app/cli_test_support.h"
#include "support/test_files.h"

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::quoted;
using test::TempDir;

bool haveXvfb() {
    return std::system("command -v Xvfb >/dev/null 2>&1") == 0;
}

// Starts `vintrel args` on a private virtual X server (tests/support/with_xvfb.sh), or, for runs
// that must end before any window opens, on Qt's off-screen platform; the exit code, -1 when it
// did not exit normally (a crash, or killed after the time limit).
int runEditor(const std::string& args, const fs::path& log, bool display = true,
              const std::string& environment = {}) {
    // Qt, fontconfig and the GL driver keep allocations until exit: leak reports would only be
    // their noise.
    const std::string withXvfb = std::string(VINTREL_SOURCE_DIR) + "/tests/support/with_xvfb.sh";
    const std::string launcher =
        display ? "timeout 240 " + quoted(withXvfb) + " " : "QT_QPA_PLATFORM=offscreen timeout 240 ";
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + environment + launcher + quoted(VINTREL_EDITOR_PATH) +
                                " " + args + " >" + quoted(log.string()) + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct WarmPixels {
    int total = 0;
    int interior = 0; // warm pixels whose four neighbours are warm too
};

bool isWarm(QRgb c) {
    return qRed(c) > 150 && qRed(c) > qBlue(c) + 60;
}

// Particles of the fire are orange to yellow blobs; the grid is grey, and the red x axis is a
// thin line, which has no interior pixels.
WarmPixels countWarmPixels(const QImage& image) {
    WarmPixels warm;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isWarm(image.pixel(x, y))) {
                continue;
            }
            ++warm.total;
            if (x > 0 && y > 0 && x + 1 < image.width() && y + 1 < image.height() &&
                isWarm(image.pixel(x - 1, y)) && isWarm(image.pixel(x + 1, y)) &&
                isWarm(image.pixel(x, y - 1)) && isWarm(image.pixel(x, y + 1))) {
                ++warm.interior;
            }
        }
    }
    return warm;
}

class EditorSmokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveXvfb()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
    }
    std::string log() const { return test::readFile(tmp.path() / "log.txt"); }

    TempDir tmp{"vintrel-editor"};
};

TEST_F(EditorSmokeTest, FireSampleShowsItsParticles) {
    const fs::path shot = tmp.path() / "fire.png";
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/fire.stn";
    ASSERT_EQ(runEditor(quoted(sample) + " --screenshot " + quoted(shot.string()) + " --after-frames 60",
                        tmp.path() / "log.txt"),
              0)
        << log();
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull()) << log();
    const WarmPixels warm = countWarmPixels(image.convertToFormat(QImage::Format_RGB32));
    EXPECT_GE(warm.total, 300);
    EXPECT_GE(warm.interior, 100);
}

TEST_F(EditorSmokeTest, StartsWithAFreshProjectWithoutAFile) {
    const fs::path shot = tmp.path() / "new.png";
    ASSERT_EQ(
        runEditor("--screenshot " + quoted(shot.string()) + " --after-frames 5", tmp.path() / "log.txt"), 0)
        << log();
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull()) << log();
    // A new project is 128 x 128: the view is square, as high as the default window (a client
    // area of 1200 x 720, whose parameter area scrolls) allows: a free area of 720 x 616.
    EXPECT_EQ(image.width(), 616);
    EXPECT_EQ(image.height(), 616);
}

// On a screen scaled by 2 the panels keep their layout in logical pixels and the view draws at
// device pixels: the view of the default window is 616 logical pixels square, 1232 device pixels.
TEST_F(EditorSmokeTest, ViewDrawsAtDevicePixelsOnAScreenScaledByTwo) {
    const fs::path shot = tmp.path() / "scaled.png";
    ASSERT_EQ(runEditor("--screenshot " + quoted(shot.string()) + " --after-frames 3", tmp.path() / "log.txt",
                        true, "QT_SCALE_FACTOR=2 VINTREL_XVFB_SCREEN=2600x1600x24 "),
              0)
        << log();
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull()) << log();
    EXPECT_EQ(image.width(), 1232);
    EXPECT_EQ(image.height(), 1232);
}

TEST_F(EditorSmokeTest, BadArgumentsAreRefused) {
    const fs::path shot = tmp.path() / "never.png";
    EXPECT_EQ(runEditor("--screenshot " + quoted(shot.string()) + " --after-frames 0", tmp.path() / "log.txt",
                        false),
              2);
    EXPECT_EQ(runEditor("a.stn b.stn", tmp.path() / "log.txt", false), 2);
    EXPECT_FALSE(fs::exists(shot));
}

} // namespace
} // namespace vintrel
