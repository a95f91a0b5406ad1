#include "model/global_state.h"
#include "persist/app_settings.h"
#include "persist/atomic_file.h"
#include "support/result_checks.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::TempDir;

void putFile(const fs::path& file, std::string_view bytes) {
    std::string error;
    ASSERT_TRUE(test::succeeded(writeFileAtomically(file, bytes)));
}

std::string fileText(const fs::path& file) {
    return readWholeFile(file).value_or("<missing>");
}

void saveOrFail(AppSettings& settings) {
    std::string error;
    EXPECT_TRUE(test::succeeded(settings.save()));
}

std::vector<std::string> tenSlots(std::vector<std::string> front) {
    front.resize(10, "-");
    return front;
}

// ---- data.prm ---------------------------------------------------------------------------------

TEST(AppSettings, WithoutTheFileEveryKeyGivesItsDefault) {
    TempDir tmp;
    const AppSettings s(tmp.path() / "assets" / "data.prm");
    EXPECT_EQ(s.windowX(), 0);
    EXPECT_EQ(s.windowY(), 0);
    EXPECT_EQ(s.windowWidth(), 1200);
    EXPECT_EQ(s.windowHeight(), 720);
    EXPECT_EQ(s.windowZoomed(), 0);
    EXPECT_EQ(s.displayFrame(), 1);
    EXPECT_EQ(s.displayParticle(), 0);
    EXPECT_EQ(s.displayFps(), 0);
    EXPECT_EQ(s.defaultFrame(), 60);
    EXPECT_EQ(s.defaultSpeed(), 60);
    EXPECT_EQ(s.defaultWidth(), 128);
    EXPECT_EQ(s.defaultHeight(), 128);
    EXPECT_EQ(s.defaultReverse(), 0);
    EXPECT_EQ(s.defaultSort(1), 1);
    EXPECT_EQ(s.defaultSort(0), 0);
    EXPECT_EQ(s.defaultNonLiner(), 0);
    EXPECT_EQ(s.skippedVersion(), "");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(s.recentSlot(i), "-") << i;
    }

    RecentFiles recent;
    recent.load(s);
    EXPECT_TRUE(recent.menuEntries().empty());
    EXPECT_EQ(recent.slotTexts(), tenSlots({}));
    // Reading never creates anything.
    EXPECT_FALSE(fs::exists(tmp.path() / "assets"));
}

TEST(AppSettings, AFolderInPlaceOfTheFileReadsAsEmpty) {
    TempDir tmp;
    fs::create_directory(tmp.path() / "data.prm");
    const AppSettings s(tmp.path() / "data.prm");
    EXPECT_TRUE(s.document().empty());
    EXPECT_EQ(s.windowWidth(), 1200);
}

TEST(AppSettings, ProjectDefaultsUseTheCallersFallbackOnlyWhenTheKeyIsMissing) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    putFile(file, "[DEFAULT_PROJECT]\r\nFRAME=90\r\nSPEED=24\r\nWIDTH=256\r\nHEIGHT=64\r\nREVERSE=1\r\n"
                  "NON_LINER=1\r\n");
    const AppSettings s(file);
    EXPECT_EQ(s.defaultFrame(), 90);
    EXPECT_EQ(s.defaultSpeed(), 24);
    EXPECT_EQ(s.defaultWidth(), 256);
    EXPECT_EQ(s.defaultHeight(), 64);
    EXPECT_EQ(s.defaultReverse(), 1);
    EXPECT_EQ(s.defaultNonLiner(), 1);
    EXPECT_EQ(s.value("SORT", 1), 1);
    EXPECT_EQ(s.value("SORT", 0), 0);
    // Only DEFAULT_PROJECT is consulted.
    EXPECT_EQ(s.value("X", 7), 7);

    // Start-up reads SORT with 1, the project reset with 0.
    GlobalState g;
    applyStartValues(g, s);
    EXPECT_EQ(g.project.sort, 1);
    EXPECT_EQ(g.project.reverse, 1);
    resetProject(g, s);
    EXPECT_EQ(g.project.sort, 0);
    EXPECT_EQ(g.project.frame, 90);
    EXPECT_EQ(g.project.fps, 24);
    EXPECT_EQ(g.project.width, 256);
    EXPECT_EQ(g.project.height, 64);

    putFile(file, "[DEFAULT_PROJECT]\r\nSORT=0\r\n");
    const AppSettings stored(file);
    EXPECT_EQ(stored.value("SORT", 1), 0);
    EXPECT_EQ(stored.defaultSort(1), 0);
}

TEST(AppSettings, IntegersAreReadLikeAtoiFromTheFirst63Bytes) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    putFile(file, "[WINDOW]\r\nX=-15\r\nY=12px\r\nWIDTH=" + std::string(62, '0') + "7\r\nHEIGHT=" +
                      std::string(63, '0') + "7\r\nZOOMED=yes\r\n[DISP]\r\nFLAME=\r\nFPS=99999999999\r\n");
    const AppSettings s(file);
    EXPECT_EQ(s.windowX(), -15);
    EXPECT_EQ(s.windowY(), 12);
    EXPECT_EQ(s.windowWidth(), 7);  // the 7 is the 63rd byte
    EXPECT_EQ(s.windowHeight(), 0); // the 7 is the 64th byte and is not read
    EXPECT_EQ(s.windowZoomed(), 0);
    EXPECT_EQ(s.displayFrame(), 0); // present but empty: not the default 1
    EXPECT_EQ(s.displayFps(), 2147483647);
}

TEST(AppSettings, SettersWriteDecimalIntegersAndSaveCreatesTheFolder) {
    TempDir tmp;
    const fs::path file = tmp.path() / "assets" / "data.prm";
    AppSettings s(file);
    s.setWindowX(-8);
    s.setWindowY(30);
    s.setWindowWidth(1600);
    s.setWindowHeight(900);
    s.setWindowZoomed(1);
    s.setDisplayFrame(0);
    s.setDisplayParticle(1);
    s.setDisplayFps(1);
    s.setNewProjectDefaults({30, 24, 512, 256, 1, 0, 1});
    s.setSkippedVersion("1.4.0");
    // Values read back before saving.
    EXPECT_EQ(s.windowX(), -8);
    EXPECT_EQ(s.defaultSort(1), 0);
    saveOrFail(s);

    EXPECT_EQ(fileText(file), "[WINDOW]\r\nX=-8\r\nY=30\r\nWIDTH=1600\r\nHEIGHT=900\r\nZOOMED=1\r\n"
                              "[DISP]\r\nFLAME=0\r\nPARTICLE=1\r\nFPS=1\r\n"
                              "[DEFAULT_PROJECT]\r\nFRAME=30\r\nSPEED=24\r\nWIDTH=512\r\nHEIGHT=256\r\n"
                              "REVERSE=1\r\nSORT=0\r\nNON_LINER=1\r\n"
                              "[UPDATE]\r\nVERSION=1.4.0\r\n");

    const AppSettings reloaded(file);
    EXPECT_EQ(reloaded.windowX(), -8);
    EXPECT_EQ(reloaded.windowHeight(), 900);
    EXPECT_EQ(reloaded.windowZoomed(), 1);
    EXPECT_EQ(reloaded.displayFrame(), 0);
    EXPECT_EQ(reloaded.defaultWidth(), 512);
    EXPECT_EQ(reloaded.defaultSort(1), 0);
    EXPECT_EQ(reloaded.skippedVersion(), "1.4.0");
}

TEST(AppSettings, KeysThisVersionDoesNotKnowSurviveASave) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    putFile(file, "[WINDOW]\r\nX=5\r\nMONITOR=2\r\n[PLUGIN]\r\nname=abc\r\n[RECENT]\r\nlist12=/old.stn\r\n");
    AppSettings s(file);
    s.setWindowX(10);
    saveOrFail(s);
    EXPECT_EQ(fileText(file),
              "[WINDOW]\r\nX=10\r\nMONITOR=2\r\n[PLUGIN]\r\nname=abc\r\n[RECENT]\r\nlist12=/old.stn\r\n");
}

TEST(AppSettings, SaveKeepsWhatAnotherEditorStoredMeanwhile) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    putFile(file, "[WINDOW]\r\nX=1\r\n");
    AppSettings first(file);
    AppSettings second(file);
    second.setNewProjectDefaults({120, 30, 128, 128, 0, 1, 0});
    saveOrFail(second);
    first.setWindowX(7);
    saveOrFail(first);

    const AppSettings reloaded(file);
    EXPECT_EQ(reloaded.windowX(), 7);
    EXPECT_EQ(reloaded.defaultFrame(), 120);
    EXPECT_EQ(reloaded.defaultSpeed(), 30);
    // The saving instance now reads what it wrote.
    EXPECT_EQ(first.defaultFrame(), 120);
}

TEST(AppSettings, SaveThatCannotWriteReportsAndKeepsTheChanges) {
    TempDir tmp;
    putFile(tmp.path() / "plain", "x");
    const fs::path file = tmp.path() / "plain" / "assets" / "data.prm";
    AppSettings s(file);
    s.setWindowWidth(800);
    std::string error;
    error = test::failureText(s.save());
    EXPECT_FALSE(error.empty());
    EXPECT_NE(error.find((tmp.path() / "plain").string()), std::string::npos) << error;
    EXPECT_EQ(s.windowWidth(), 800);
    EXPECT_EQ(fileText(tmp.path() / "plain"), "x");
}

TEST(AppSettings, TextsAreCutAtTheirByteLimitWithoutSplittingACharacter) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    const std::string honoo = "\x89\x8A"; // 炎 in cp932
    // list0: 258 ASCII bytes, then a character at bytes 259 and 260, 300 bytes in all.
    const std::string split = "/" + std::string(257, 'a') + honoo + std::string(40, 'b');
    // list1: the character ends exactly at byte 259.
    const std::string fits = "/" + std::string(256, 'a') + honoo + std::string(41, 'b');
    ASSERT_EQ(split.size(), 300u);
    ASSERT_EQ(fits.size(), 300u);
    putFile(file, "[RECENT]\r\nlist0=" + split + "\r\nlist1=" + fits +
                      "\r\n[UPDATE]\r\nVERSION=10.20.30.40.50.60\r\n");
    const AppSettings s(file);
    EXPECT_EQ(s.recentSlot(0), "/" + std::string(257, 'a'));
    EXPECT_EQ(s.recentSlot(1), "/" + std::string(256, 'a') + "炎");
    EXPECT_EQ(s.skippedVersion(), "10.20.30.40.50.");
}

TEST(AppSettings, JapanesePathsAreStoredInCp932) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    const std::string path = "/home/user/作品/炎.stn";
    {
        AppSettings s(file);
        RecentFiles recent;
        recent.load(s);
        recent.add(path);
        recent.store(s);
        saveOrFail(s);
    }
    const std::string text = fileText(file);
    EXPECT_NE(text.find("list0=/home/user/\x8D\xEC\x95\x69/\x89\x8A.stn\r\n"), std::string::npos) << text;

    const AppSettings reloaded(file);
    RecentFiles recent;
    recent.load(reloaded);
    EXPECT_EQ(recent.menuEntries(), std::vector<std::string>{path});
}

TEST(AppSettings, LineBreaksInATextCannotBreakTheFile) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    AppSettings s(file);
    s.setRecentSlot(0, "/a\r\n[WINDOW]\r\nX=99.stn");
    s.setRecentSlot(10, "/ignored.stn");
    saveOrFail(s);
    EXPECT_EQ(fileText(file), "[RECENT]\r\nlist0=/a??[WINDOW]??X=99.stn\r\n");
    const AppSettings reloaded(file);
    EXPECT_EQ(reloaded.windowX(), 0);
    EXPECT_EQ(reloaded.recentSlot(10), "-");
}

TEST(AppSettings, OnlineAddressesAreEmptyUnlessSet) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    EXPECT_EQ(AppSettings(file).updateUrl(), "");
    EXPECT_EQ(AppSettings(file).releasePageUrl(), "");
    EXPECT_EQ(AppSettings(file).helpUrl(), "");

    putFile(file, "[UPDATE]\r\nVERSION=0.2.0\r\nURL=https://example.org/vintrel/version.txt\r\n"
                  "RELEASE_URL=https://example.org/vintrel/releases\r\n"
                  "[HELP]\r\nURL=https://example.org/vintrel/help\r\n");
    const AppSettings s(file);
    EXPECT_EQ(s.updateUrl(), "https://example.org/vintrel/version.txt");
    EXPECT_EQ(s.releasePageUrl(), "https://example.org/vintrel/releases");
    EXPECT_EQ(s.helpUrl(), "https://example.org/vintrel/help");
    EXPECT_EQ(s.skippedVersion(), "0.2.0");
}

TEST(AppSettings, OnlineAddressesAreCutAt2047Bytes) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    const std::string address = "https://example.org/" + std::string(3000, 'a');
    putFile(file, "[HELP]\r\nURL=" + address + "\r\n");
    EXPECT_EQ(AppSettings(file).helpUrl(), address.substr(0, 2047));
}

// ---- recent files -----------------------------------------------------------------------------

TEST(RecentFiles, SavingTheSameProjectTwiceKeepsItOnceAtTheTop) {
    RecentFiles recent;
    recent.add("/p/a.stn");
    recent.add("/p/b.stn");
    recent.add("/p/a.stn");
    EXPECT_EQ(recent.slotTexts(), tenSlots({"/p/a.stn", "/p/b.stn"}));
    EXPECT_EQ(recent.menuEntries(), (std::vector<std::string>{"/p/a.stn", "/p/b.stn"}));
}

TEST(RecentFiles, ElevenProjectsKeepTheTenNewest) {
    RecentFiles recent;
    for (int i = 0; i <= 10; ++i) {
        recent.add("/p/" + std::to_string(i) + ".stn");
    }
    std::vector<std::string> expected;
    for (int i = 10; i >= 1; --i) {
        expected.push_back("/p/" + std::to_string(i) + ".stn");
    }
    EXPECT_EQ(recent.slotTexts(), expected);
    EXPECT_EQ(recent.menuEntries(), expected);
}

TEST(RecentFiles, ComparisonIsByteForByte) {
    RecentFiles recent;
    recent.add("/p/A.stn");
    recent.add("/p/a.stn");
    EXPECT_EQ(recent.menuEntries(), (std::vector<std::string>{"/p/a.stn", "/p/A.stn"}));
}

TEST(RecentFiles, ADashInTheMiddleHidesEveryLaterSlot) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    putFile(file, "[RECENT]\r\nlist0=/p/a.stn\r\nlist1=-\r\nlist2=/p/c.stn\r\nlist3=/p/d.stn\r\n");
    RecentFiles recent;
    recent.load(AppSettings(file));
    EXPECT_EQ(recent.slotTexts(), tenSlots({"/p/a.stn", "-", "/p/c.stn", "/p/d.stn"}));
    EXPECT_EQ(recent.menuEntries(), std::vector<std::string>{"/p/a.stn"});

    // Adding a hidden path brings it to the top; its later copy goes and the dash stays.
    recent.add("/p/c.stn");
    EXPECT_EQ(recent.menuEntries(), (std::vector<std::string>{"/p/c.stn", "/p/a.stn"}));
    EXPECT_EQ(recent.slotTexts(), tenSlots({"/p/c.stn", "/p/a.stn", "-", "/p/d.stn"}));
}

TEST(RecentFiles, RemoveThenStoreLeavesTheKeyBeyondTheListAsItWas) {
    TempDir tmp;
    const fs::path file = tmp.path() / "data.prm";
    std::string content = "[RECENT]\r\n";
    for (int i = 0; i < 10; ++i) {
        content += "list" + std::to_string(i) + "=/f" + std::to_string(i) + ".stn\r\n";
    }
    putFile(file, content);

    AppSettings s(file);
    RecentFiles recent;
    recent.load(s);
    EXPECT_FALSE(recent.remove("/missing.stn"));
    EXPECT_TRUE(recent.remove("/f3.stn"));
    EXPECT_EQ(recent.slotTexts().size(), 9u);
    recent.store(s);
    saveOrFail(s);

    EXPECT_EQ(fileText(file),
              "[RECENT]\r\nlist0=/f0.stn\r\nlist1=/f1.stn\r\nlist2=/f2.stn\r\nlist3=/f4.stn\r\n"
              "list4=/f5.stn\r\nlist5=/f6.stn\r\nlist6=/f7.stn\r\nlist7=/f8.stn\r\n"
              "list8=/f9.stn\r\nlist9=/f9.stn\r\n");

    // The next add brings the list back to ten.
    recent.add("/new.stn");
    EXPECT_EQ(recent.slotTexts().size(), 10u);
    EXPECT_EQ(recent.slotTexts().front(), "/new.stn");
    EXPECT_EQ(recent.slotTexts().back(), "/f9.stn");
}

// ---- color.ini --------------------------------------------------------------------------------

TEST(InterfaceColors, MissingFileGivesTheDefaults) {
    TempDir tmp;
    const InterfaceColors c = loadInterfaceColors(tmp.path() / "color.ini");
    EXPECT_EQ(c.window, (Rgb{40, 40, 40}));
    EXPECT_EQ(c.client, (Rgb{70, 70, 70}));
    EXPECT_EQ(c.cursor, (Rgb{44, 70, 144}));
    EXPECT_EQ(c.edit, (Rgb{30, 30, 30}));
    EXPECT_EQ(c.text, (Rgb{255, 255, 255}));
}

TEST(InterfaceColors, ValuesAreReadClampedAndMissingKeysKeepTheirDefault) {
    TempDir tmp;
    const fs::path file = tmp.path() / "color.ini";
    putFile(file, "[WINDOW_COLOR]\r\nr=10\r\ng=20\r\nb=30\r\n[client_color]\r\nR=1\r\n"
                  "[CURSOR_COLOR]\r\nr=300\r\ng=-5\r\nb=255\r\n[EDIT_COLOR]\r\nr=0\r\ng=abc\r\n"
                  "[TEXT_COLOR]\r\nr=0\r\ng=0\r\nb=0\r\n");
    const InterfaceColors c = loadInterfaceColors(file);
    EXPECT_EQ(c.window, (Rgb{10, 20, 30}));
    EXPECT_EQ(c.client, (Rgb{1, 70, 70}));
    EXPECT_EQ(c.cursor, (Rgb{255, 0, 255}));
    EXPECT_EQ(c.edit, (Rgb{0, 0, 30}));
    EXPECT_EQ(c.text, (Rgb{255, 255, 255}));
}

TEST(InterfaceColors, ShippedFileHoldsTheDefaults) {
    const fs::path shipped =
        fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets" / "color.ini";
    ASSERT_TRUE(fs::exists(shipped)) << shipped;
    EXPECT_EQ(fileText(shipped),
              "[WINDOW_COLOR]\r\nr=40\r\ng=40\r\nb=40\r\n[CLIENT_COLOR]\r\nr=70\r\ng=70\r\nb=70\r\n"
              "[CURSOR_COLOR]\r\nr=44\r\ng=70\r\nb=144\r\n[EDIT_COLOR]\r\nr=30\r\ng=30\r\nb=30\r\n");
    EXPECT_EQ(loadInterfaceColors(shipped), InterfaceColors{});
}

// ---- folders ------------------------------------------------------------------------------------

EnvironmentLookup fakeEnvironment(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

TEST(SettingsFolders, WritableProgramFolderHoldsBoth) {
    const SettingsFolders f = chooseSettingsFolders(
        "/opt/vintrel", [](const fs::path&) { return true; }, fakeEnvironment({}));
    EXPECT_EQ(f.assets, fs::path("/opt/vintrel/assets"));
    EXPECT_EQ(f.workspaceRoot, fs::path("/opt/vintrel/workspace"));
}

TEST(SettingsFolders, ReadOnlyProgramFolderUsesTheXdgFolders) {
    const auto readOnly = [](const fs::path&) { return false; };
    const SettingsFolders set = chooseSettingsFolders(
        "/opt/vintrel", readOnly,
        fakeEnvironment({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}}));
    EXPECT_EQ(set.assets, fs::path("/cfg/vintrel/assets"));
    EXPECT_EQ(set.workspaceRoot, fs::path("/data/vintrel/workspace"));

    const SettingsFolders unset =
        chooseSettingsFolders("/opt/vintrel", readOnly, fakeEnvironment({{"HOME", "/home/u"}}));
    EXPECT_EQ(unset.assets, fs::path("/home/u/.config/vintrel/assets"));
    EXPECT_EQ(unset.workspaceRoot, fs::path("/home/u/.local/share/vintrel/workspace"));

    // Empty and relative values are ignored.
    const SettingsFolders ignored = chooseSettingsFolders(
        "/opt/vintrel", readOnly,
        fakeEnvironment({{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", "rel/data"}}));
    EXPECT_EQ(ignored.assets, fs::path("/home/u/.config/vintrel/assets"));
    EXPECT_EQ(ignored.workspaceRoot, fs::path("/home/u/.local/share/vintrel/workspace"));
}

TEST(SettingsFolders, RealWritabilityTest) {
    TempDir tmp;
    const SettingsFolders writable = chooseSettingsFolders(tmp.path());
    EXPECT_EQ(writable.assets, tmp.path() / "assets");
    EXPECT_EQ(writable.workspaceRoot, tmp.path() / "workspace");

    // Running as root every existing folder is writable; a folder below a regular file is not.
    putFile(tmp.path() / "plain", "x");
    const fs::path notAFolder = tmp.path() / "plain" / "bin";
    const SettingsFolders fallback = chooseSettingsFolders(notAFolder);
    EXPECT_NE(fallback.assets, notAFolder / "assets");
    EXPECT_EQ(fallback.assets.filename(), "assets");
    EXPECT_EQ(fallback.assets.parent_path().filename(), "vintrel");
    EXPECT_TRUE(fallback.assets.is_absolute());
    EXPECT_EQ(fallback.workspaceRoot.parent_path().filename(), "vintrel");
}

TEST(SettingsFolders, ProgramFolderHoldsTheRunningTest) {
    const fs::path folder = programFolderOfThisProcess();
    ASSERT_TRUE(folder.is_absolute()) << folder;
    EXPECT_TRUE(fs::exists(folder / "test_persist")) << folder;
}

} // namespace
} // namespace vintrel

namespace vintrel {
namespace {

// A build or an unpacked copy keeps the shipped files in assets/ beside the program; an
// installation into a prefix keeps them in the prefix's folders.
TEST(ShippedFiles, BesideTheProgramFirstThenThePrefixFolder) {
    TempDir dir;
    const std::filesystem::path bin = dir.path() / "bin";
    const std::filesystem::path beside = bin / "assets" / "kelvask";
    const std::filesystem::path installed = dir.path() / "libexec" / "vintrel" / "kelvask";
    EXPECT_EQ(shippedFile(bin, "libexec/vintrel", "kelvask"), beside); // neither: the first
    std::filesystem::create_directories(installed.parent_path());
    test::writeFile(installed, "tool");
    EXPECT_EQ(shippedFile(bin, "libexec/vintrel", "kelvask"), installed);
    std::filesystem::create_directories(beside.parent_path());
    test::writeFile(beside, "tool");
    EXPECT_EQ(shippedFile(bin, "libexec/vintrel", "kelvask"), beside);
}

} // namespace
} // namespace vintrel
