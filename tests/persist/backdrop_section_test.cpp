// The view's backdrop in the settings file: its own section after the others, only when set.
#include "persist/backdrop_section.h"
#include "persist/project_file.h"
#include "persist/settings_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <gtest/gtest.h>

namespace vintrel {
namespace {

using Kind = ViewBackdrop::Kind;

TEST(BackdropSection, WrittenOnlyWhenSetAndReadBack) {
    struct Case {
        ViewBackdrop backdrop;
        const char* section;
    };
    const Case cases[] = {
        {{Kind::Color, "", 0}, ""},
        {{Kind::Checkerboard, "", 0}, "[VINTREL_BACKDROP]\r\nKIND=checkerboard\r\n"},
        // Bytes beyond letters, digits and -._~/ are %XX of the UTF-8, whatever the code page.
        {{Kind::Image, "/home/u/背景 50%.png", 0},
         "[VINTREL_BACKDROP]\r\nKIND=image\r\nFILE=/home/u/%E8%83%8C%E6%99%AF%2050%25.png\r\n"},
        {{Kind::VideoFrame, "/v/clip_1.mp4", 120},
         "[VINTREL_BACKDROP]\r\nKIND=video\r\nFILE=/v/clip_1.mp4\r\nFRAME=120\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        const std::string written = backdropSection(c.backdrop);
        EXPECT_EQ(written, c.section);
        EXPECT_EQ(readBackdrop(IniDocument::parse(written)), c.backdrop);
    }
}

TEST(BackdropSection, DamagedValuesFallBackWithoutLosingTheRest) {
    struct Case {
        const char* section;
        ViewBackdrop expected;
    };
    const Case cases[] = {
        {"[VINTREL_BACKDROP]\r\nKIND=sky\r\n", {}},
        {"[VINTREL_BACKDROP]\r\nKIND=image\r\n", {}},
        {"[VINTREL_BACKDROP]\r\nKIND=image\r\nFILE=\r\n", {}},
        {"[VINTREL_BACKDROP]\r\nKIND=image\r\nFILE=/a%ZZ.png\r\n", {}},
        {"[VINTREL_BACKDROP]\r\nKIND=image\r\nFILE=/a.png%4\r\n", {}},
        {"[VINTREL_BACKDROP]\r\nKIND=video\r\nFILE=a.mp4\r\nFRAME=-3\r\n", {Kind::VideoFrame, "a.mp4", 0}},
        {"[VINTREL_BACKDROP]\r\nKIND=video\r\nFILE=a.mp4\r\nFRAME=12x\r\n", {Kind::VideoFrame, "a.mp4", 0}},
        {"[VINTREL_BACKDROP]\r\nKIND=video\r\nFILE=a.mp4\r\nFRAME=99999999999\r\n", {Kind::VideoFrame, "a.mp4", 0}},
        {"[VINTREL_BACKDROP]\r\nKIND=checkerboard\r\nFILE=/x.png\r\nFRAME=4\r\n", {Kind::Checkerboard, "", 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        EXPECT_EQ(readBackdrop(IniDocument::parse(c.section)), c.expected);
    }
}

// Saved with the project and loaded again; a project whose backdrop went back to the colour
// saves as one that never had another.
TEST(BackdropSection, TravelsWithTheProjectFile) {
    test::TempDir dir;
    GlobalState g;
    test::startProject(g, dir.path() / "run");
    test::FailingNotifier failing;
    const std::filesystem::path never = dir.path() / "never.stn";
    ASSERT_TRUE(saveProject(g, never, failing));
    EXPECT_EQ(test::readFile(never).find("VINTREL_BACKDROP"), std::string::npos);

    g.backdrop = {Kind::VideoFrame, "/videos/森.mp4", 42};
    const std::filesystem::path with = dir.path() / "with.stn";
    ASSERT_TRUE(saveProject(g, with, failing));
    GlobalState loaded;
    test::startProject(loaded, dir.path() / "run2");
    BuiltInProjectDefaults defaults;
    ASSERT_TRUE(loadProject(loaded, with, defaults, failing));
    EXPECT_EQ(loaded.backdrop, g.backdrop);

    g.backdrop = {};
    const std::filesystem::path back = dir.path() / "back.stn";
    ASSERT_TRUE(saveProject(g, back, failing));
    EXPECT_EQ(test::readFile(back), test::readFile(never));
}

} // namespace
} // namespace vintrel
