#include "output/video_output.h"
#include "output_test_support.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

using namespace std::chrono_literals;

// Rendered frames 0 .. count-1 of w x h output pixels: the left half opaque blue, the right
// half transparent.
OutputFrames renderFrames(const std::filesystem::path& folder, int count, int w, int h) {
    return test::writeRenderedFrames(
        folder, count, w, h, [](int) { return QColor(0, 0, 255); }, test::transparentFrame);
}

std::filesystem::path writeScript(const std::filesystem::path& path, const std::string& body) {
    test::writeFile(path, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(path, std::filesystem::perms(0755));
    return path;
}

std::unique_ptr<GlobalState> videoState() {
    auto g = std::make_unique<GlobalState>();
    g->project.fps = 30;
    g->project.backColor = {250.0f, 128.7f, 3.0f};
    g->write.isAlpha = 1;
    return g;
}

bool hasProgram(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            out += buffer;
        }
        ::pclose(pipe);
    }
    return out;
}

TEST(VideoOutput, WritesOpaqueBitmapsIniAndRunsTheToolInTheRenderFolder) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 3, 4, 3);
    // The tool proves where it ran by leaving a file in its working folder.
    const auto tool = writeScript(dir.path() / "tool.sh", "touch ran-here");
    std::string error;
    ASSERT_TRUE(test::succeeded(writeVideo(frames, *videoState(), dir.path() / "out.mp4", tool)));

    for (int k = 0; k < 3; ++k) {
        const auto path = videoFramePath(frames, k);
        EXPECT_EQ(test::readFile(path).substr(0, 2), "BM") << path;
        const QImage bmp(QString::fromStdString(path.string()));
        ASSERT_EQ(bmp.size(), QSize(4, 3));
        EXPECT_FALSE(bmp.hasAlphaChannel());
        EXPECT_EQ(bmp.pixelColor(0, 0), QColor(0, 0, 255));
        EXPECT_EQ(bmp.pixelColor(3, 2), QColor(250, 128, 3)); // the background where nothing was drawn
    }
    EXPECT_EQ(test::readFile(frames.renderFolder / "render.ini"),
              "[info]\r\nend=2\r\nfps=30\r\n[size]\r\nwidth=4\r\nheight=3\r\n[result]\r\nname=" +
                  (dir.path() / "out.mp4").string() + "\r\n");
    EXPECT_EQ(test::readFile(frames.renderFolder / "kelvask"), test::readFile(tool));
    EXPECT_TRUE(std::filesystem::exists(frames.renderFolder / "ran-here"));
}

TEST(VideoOutput, ToolFailuresAreReportedWithoutHanging) {
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 1, 2, 2);
    std::string error;

    const auto missing = dir.path() / "no-such-tool";
    error = test::failureText(writeVideo(frames, *videoState(), dir.path() / "out.mp4", missing));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;

    const auto failing =
        writeScript(dir.path() / "fail.sh", "echo first >&2\necho 'codec exploded' >&2\nexit 3");
    error = test::failureText(writeVideo(frames, *videoState(), dir.path() / "out.mp4", failing));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("exit code 3"), std::string::npos) << error;
    EXPECT_NE(error.find("codec exploded"), std::string::npos) << error;

    const auto notExecutable = dir.path() / "plain.txt";
    test::writeFile(notExecutable, "not a program");
    error = test::failureText(runVideoTool(notExecutable, dir.path(), 5s));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("cannot start"), std::string::npos) << error;

    // A tool that leaves a child behind and never ends: both are stopped at the time-out.
    const auto hanging = writeScript(dir.path() / "hang.sh", "sleep 30 &\nsleep 30");
    const auto started = std::chrono::steady_clock::now();
    error = test::failureText(runVideoTool(hanging, dir.path(), 300ms));
    EXPECT_FALSE(error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_NE(error.find("did not finish"), std::string::npos) << error;

    const auto lineBreak = dir.path() / "a\nb.mp4";
    error = test::failureText(writeVideo(frames, *videoState(), lineBreak, failing));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("line break"), std::string::npos) << error;
}

// Asked before any frame is drawn: the tool must be a program, and ffmpeg must be on the path.
TEST(VideoOutput, MissingToolsAreFoundBeforeTheFrames) {
    test::TempDir tmp;
    const std::filesystem::path tool = writeScript(tmp.path() / "kelvask", "exit 0");
    const std::filesystem::path bin = tmp.path() / "bin";
    writeScript(bin / "ffmpeg", "exit 0");
    test::writeFile(tmp.path() / "plain" / "ffmpeg", "not a program");
    const std::string withFfmpeg = (tmp.path() / "none").string() + "::" + bin.string();
    const std::string plainOnly = (tmp.path() / "plain").string();
    struct Case {
        std::filesystem::path tool;
        std::string path;
        const char* named; // what the message names; null when nothing is missing
    };
    const Case cases[] = {
        {tool, withFfmpeg, nullptr},
        {tool, bin.string(), nullptr},
        {tool, plainOnly, "ffmpeg"},
        {tool, "", "ffmpeg"},
        {tmp.path() / "missing", withFfmpeg, "missing"},
        {tmp.path() / "plain" / "ffmpeg", withFfmpeg, "video tool"}, // not executable
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool.string() + " on " + c.path);
        const Status tools = videoToolsProblem(c.tool, c.path);
        if (c.named == nullptr) {
            EXPECT_TRUE(test::succeeded(tools));
        } else {
            ASSERT_FALSE(tools);
            EXPECT_NE(test::failureText(tools).find(c.named), std::string::npos) << test::failureText(tools);
        }
    }
}

TEST(VideoOutput, TimeOutGrowsWithTheFrames) {
    EXPECT_EQ(videoToolTimeout(OutputFrames{"", 0, 1, 1}), 61s);
    EXPECT_EQ(videoToolTimeout(OutputFrames{"", 99, 1, 1}), 160s);
}

// kelvask, run as the editor runs it, in a render folder prepared by hand.
class Kelvask : public ::testing::Test {
protected:
    bool run(const std::string& ini, std::string& error) {
        test::writeFile(dir.path() / "render.ini", ini);
        error = test::failureText(runVideoTool(VINTREL_KELVASK_PATH, dir.path(), 60s));
        return error.empty();
    }
    test::TempDir dir;
};

TEST_F(Kelvask, RefusesBadSettingsAndMissingFrames) {
    std::string error;
    error = test::failureText(runVideoTool(VINTREL_KELVASK_PATH, dir.path(), 60s));
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find("render.ini"), std::string::npos) << error;
    EXPECT_FALSE(run("[info]\nend=-1\nfps=30\n[size]\nwidth=2\nheight=2\n[result]\nname=x.mp4\n", error));
    EXPECT_NE(error.find("end"), std::string::npos) << error;
    EXPECT_FALSE(
        run("[info]\nend=0\nfps=99999999999999\n[size]\nwidth=2\nheight=2\n[result]\nname=x.mp4\n", error));
    EXPECT_NE(error.find("fps"), std::string::npos) << error;
    EXPECT_FALSE(run("[info]\nend=0\nfps=30\n[size]\nwidth=2x\nheight=2\n[result]\nname=x.mp4\n", error));
    EXPECT_NE(error.find("width"), std::string::npos) << error;
    EXPECT_FALSE(run("[info]\nend=0\nfps=30\n[size]\nwidth=2\nheight=2\n[result]\nname=\n", error));
    EXPECT_NE(error.find("name"), std::string::npos) << error;
    EXPECT_FALSE(run("[info]\nend=0\nfps=30\n[size]\nwidth=2\nheight=2\n[result]\nname=x.mp4\n", error));
    EXPECT_NE(error.find("00000.bmp"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.mp4"));
}

TEST(KelvaskVideo, MakesAPlayableVideoFromThreeTinyFrames) {
    if (!hasProgram("ffmpeg") || !hasProgram("ffprobe")) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    test::TempDir dir;
    const OutputFrames frames = renderFrames(dir.path(), 3, 5, 3); // odd sides need padding
    for (const char* name : {"out.mp4", "-odd \"name\" 'q'.avi"}) {
        const auto video = dir.path() / name;
        std::string error;
        ASSERT_TRUE(test::succeeded(writeVideo(frames, *videoState(), video, VINTREL_KELVASK_PATH)));
        ASSERT_TRUE(std::filesystem::exists(video)) << name;
        // Probed under a plain name, so that the shell command needs no quoting.
        const auto probed = dir.path() / ("probe" + video.extension().string());
        std::filesystem::rename(video, probed);
        const std::string count = commandOutput("ffprobe -v error -count_frames -select_streams v:0 "
                                                "-show_entries stream=nb_read_frames -of csv=p=0 " +
                                                probed.string());
        EXPECT_EQ(count, "3\n") << name;
    }
}

} // namespace
} // namespace vintrel
