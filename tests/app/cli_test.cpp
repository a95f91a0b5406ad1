#include "cli_test_support.h"
#include "persist/project_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

using test::CliResult;
using test::FailingNotifier;
using test::quoted;
using test::readFile;
using test::startProject;
using test::TempDir;
using test::writeFile;

constexpr const char* kUnsupported = "対応していないファイルか、ファイルが壊れている可能性があります。";

class CliTest : public ::testing::Test {
protected:
    // Runs the built vintrel-cli with `args`, capturing its standard output and error.
    CliResult cli(const std::vector<std::string>& args) {
        std::string command = environment + quoted(VINTREL_CLI_PATH);
        for (const std::string& arg : args) {
            command += " " + quoted(arg);
        }
        const fs::path outFile = tmp.path() / "stdout.txt";
        const fs::path errFile = tmp.path() / "stderr.txt";
        command += " >" + quoted(outFile.string()) + " 2>" + quoted(errFile.string());
        const int status = std::system(command.c_str());
        CliResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readFile(outFile);
        result.err = readFile(errFile);
        return result;
    }

    std::string path(const char* name) const { return (tmp.path() / name).string(); }

    Json info(const std::string& file) {
        const CliResult r = cli({"info", file});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return Json::parse(r.out, nullptr, false);
    }

    // Saves a project made in this process, for the commands that read one.
    void saveProjectWith(const std::string& file, void (*edit)(GlobalState&), const fs::path& workspace) {
        GlobalState g;
        startProject(g, workspace);
        edit(g);
        FailingNotifier notifier;
        ASSERT_TRUE(saveProject(g, file, notifier));
    }

    // Assignments put before the command, for example "NAME=value ".
    std::string environment;
    TempDir tmp{"vintrel-cli-test"};
};

// The sanitizer options of this process with the leak check at exit turned off.
std::string withoutLeakCheckAtExit() {
    const char* options = std::getenv("ASAN_OPTIONS");
    return "ASAN_OPTIONS=" + quoted(std::string(options != nullptr ? options : "") + ":detect_leaks=0") + " ";
}

TEST_F(CliTest, NewProjectAsJson) {
    const std::string file = path("new.stn");
    const CliResult created = cli({"new", "-o", file});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(created.out, "");
    EXPECT_EQ(created.err, "");
    EXPECT_EQ(readFile(file).rfind("SartuneData,6,0,save.ini,", 0), 0u);

    Json doc = info(file);
    ASSERT_TRUE(doc.is_object());
    EXPECT_EQ(doc["version"], 6);
    ASSERT_TRUE(doc["project"].is_object());
    EXPECT_EQ(doc["project"]["g.project.frame"], 60);
    EXPECT_EQ(doc["project"]["g.project.fps"], 60);
    EXPECT_DOUBLE_EQ(doc["project"]["camPos.y"].get<double>(), 5.0);
    EXPECT_DOUBLE_EQ(doc["project"]["camPos.z"].get<double>(), -10.0);

    ASSERT_EQ(doc["views"].size(), 4u);
    EXPECT_EQ(doc["views"][0]["Title"], "正面");
    EXPECT_DOUBLE_EQ(doc["views"][2]["PosX"].get<double>(), -5.0);
    EXPECT_EQ(doc["views"][3]["Title"], "＜追加＞");

    ASSERT_EQ(doc["nodes"].size(), 1u);
    Json& node = doc["nodes"][0];
    EXPECT_EQ(node["m_name"], "ノード1");
    EXPECT_EQ(node["m_ID"], 1);
    EXPECT_EQ(node["m_kill.span"], 60);
    EXPECT_DOUBLE_EQ(node["m_move.dirX"].get<double>(), 90.0);
    ASSERT_EQ(node["graphs"].size(), 12u);
    EXPECT_EQ(node["graphs"][3], Json::parse("[[0, 100], [100, 0]]"));
    EXPECT_EQ(node["children"], Json::array());

    EXPECT_EQ(doc["cameraNode"]["m_ID"], 998);
    EXPECT_DOUBLE_EQ(doc["cameraNode"]["m_emitter.pos.y"].get<double>(), 5.0);
    EXPECT_FALSE(doc["cameraNode"].contains("children"));
    EXPECT_EQ(doc["targetNode"]["m_ID"], 999);
    EXPECT_EQ(doc["export"]["format"], "classic");
    EXPECT_EQ(doc["export"]["atlas"], "none");
    EXPECT_EQ(doc["backdrop"], Json::parse(R"({"kind": "color", "file": "", "frame": 0})"));
}

TEST_F(CliTest, InfoShowsTheExportOptionsAndTheBackdrop) {
    const std::string file = path("extras.stn");
    saveProjectWith(
        file,
        [](GlobalState& g) {
            g.exportExtras.atlas = AtlasFormat::GodotSpriteFrames;
            g.exportExtras.trim = SheetTrim::Common;
            g.exportExtras.padding = 2;
            g.exportExtras.namePattern = "{name}_{page}";
            g.backdrop = {ViewBackdrop::Kind::VideoFrame, "/clips/夕焼け.mp4", 12};
        },
        tmp.path() / "ws");
    Json doc = info(file);
    EXPECT_EQ(doc["export"]["atlas"], "godot");
    EXPECT_EQ(doc["export"]["trim"], "common");
    EXPECT_EQ(doc["export"]["padding"], 2);
    EXPECT_EQ(doc["export"]["name"], "{name}_{page}");
    EXPECT_EQ(doc["backdrop"], Json::parse(R"({"kind": "video", "file": "/clips/夕焼け.mp4", "frame": 12})"));
}

TEST_F(CliTest, InfoPrintsNamesAsUtf8) {
    const std::string file = path("names.stn");
    saveProjectWith(
        file,
        [](GlobalState& g) {
            EffectNode& first = *g.rootNode->child(0);
            first.setName("炎の粒");
            first.appendChild(std::make_unique<EffectNode>(&first)).setName("火花ソ");
        },
        tmp.path() / "ws");
    // The package stores the names in cp932.
    EXPECT_NE(readFile(file).find("m_name=\x89\x8A\x82\xCC\x97\xB1\r\n"), std::string::npos);

    const CliResult r = cli({"info", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"m_name\": \"炎の粒\""), std::string::npos);
    EXPECT_NE(r.out.find("\"m_name\": \"火花ソ\""), std::string::npos);
    EXPECT_NE(r.out.find("\"Title\": \"斜め左上\""), std::string::npos);
    Json doc = Json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    EXPECT_EQ(doc["nodes"][0]["m_name"], "炎の粒");
    ASSERT_EQ(doc["nodes"][0]["children"].size(), 1u);
    EXPECT_EQ(doc["nodes"][0]["children"][0]["m_name"], "火花ソ");
    EXPECT_EQ(doc["nodes"][0]["children"][0]["children"], Json::array());
}

TEST_F(CliTest, ConvertOfItsOwnOutputIsByteIdentical) {
    const std::string original = path("a.stn");
    const std::string converted = path("b.stn");
    ASSERT_EQ(cli({"new", "-o", original}).exitCode, 0);

    const CliResult r = cli({"convert", original, "-o", converted});

    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readFile(converted), readFile(original));
}

TEST_F(CliTest, ConvertWritesTheCurrentVersion) {
    const std::string ini = "[0]\r\ng.project.frame=30\r\n[1]\r\nm_name=old\r\nm_emitter.type=3\r\n";
    const std::string old = path("v0.stn");
    writeFile(old, "SartuneData,0,0,save.ini," + std::to_string(ini.size()) + "," + ini);
    const std::string converted = path("v6.stn");

    const CliResult r = cli({"convert", old, "-o", converted});

    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(converted).rfind("SartuneData,6,0,save.ini,", 0), 0u);
    EXPECT_EQ(info(old)["version"], 0);
    Json doc = info(converted);
    EXPECT_EQ(doc["version"], 6);
    EXPECT_EQ(doc["project"]["g.project.frame"], 30);
    EXPECT_EQ(doc["project"]["g.project.previewFrame"], 15);
    ASSERT_EQ(doc["nodes"].size(), 1u);
    EXPECT_EQ(doc["nodes"][0]["m_name"], "old");
    EXPECT_EQ(doc["nodes"][0]["m_emitter.type"], 5);
}

TEST_F(CliTest, VtbWritesRecordsAndTextures) {
    const std::string plain = path("plain.stn");
    ASSERT_EQ(cli({"new", "-o", plain}).exitCode, 0);
    const CliResult r = cli({"vtb", plain, "-o", path("plain.vtb")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(fs::file_size(path("plain.vtb")), 528u);

    const fs::path workspace = tmp.path() / "ws";
    fs::create_directories(workspace);
    writeFile(workspace / "fire.png", "\x89PNG fire");
    const std::string textured = path("textured.stn");
    saveProjectWith(
        textured,
        [](GlobalState& g) {
            g.materials = {{"fire", Material::Texture}};
            g.rootNode->child(0)->m_texture.ID = 0;
        },
        workspace);
    const fs::path out = tmp.path() / "out";
    fs::create_directories(out);

    const CliResult t = cli({"vtb", textured, "-o", (out / "fx.vtb").string()});

    ASSERT_EQ(t.exitCode, 0) << t.err;
    const std::string bytes = readFile(out / "fx.vtb");
    ASSERT_EQ(bytes.size(), 532u);
    EXPECT_EQ(bytes.substr(48 * 4, 8), std::string("\x04\x00\x00\x00"
                                                   "fire",
                                                   8));
    EXPECT_EQ(readFile(out / "fire"), "\x89PNG fire");
}

// Under an English locale the messages are English and still name the file; other locales get
// the messages' own Japanese.
TEST_F(CliTest, MessagesFollowTheLocale) {
    const std::string damaged = path("damaged.stn");
    writeFile(damaged, "SartuneData,6,0,save.ini,999,[0]\r\n");
    struct Case {
        const char* locale;
        std::string expected;
    };
    const Case cases[] = {
        {"LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 ",
         "Vintrel: The file is not supported, or it may be damaged.\n\n" + damaged + "\n"},
        {"LC_ALL=en_GB LANG=ja_JP.UTF-8 ",
         "Vintrel: The file is not supported, or it may be damaged.\n\n" + damaged + "\n"},
        {"LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 ",
         "Vintrel: " + std::string(kUnsupported) + "\n\n" + damaged + "\n"},
        {"LC_ALL=C ", "Vintrel: " + std::string(kUnsupported) + "\n\n" + damaged + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        environment = c.locale;
        const CliResult r = cli({"info", damaged});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, c.expected);
    }
    environment = "LC_ALL=en_US.UTF-8 ";
    const CliResult missing = cli({"info", path("missing.stn")});
    EXPECT_NE(missing.err.find("File read error: “" + path("missing.stn") + "” cannot be read"),
              std::string::npos)
        << missing.err;
}

TEST_F(CliTest, FailuresGiveAnExitCodeAndAMessage) {
    const std::string missing = path("missing.stn");
    CliResult r = cli({"info", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("ファイル読み込みエラー"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(kUnsupported), std::string::npos) << r.err;

    const std::string damaged = path("damaged.stn");
    writeFile(damaged, "SartuneData,6,0,save.ini,999,[0]\r\n");
    for (const char* command : {"info", "convert", "vtb"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {command, damaged};
        if (std::string(command) != "info") {
            args.insert(args.end(), {"-o", path("never")});
        }
        r = cli(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(kUnsupported), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("never")));
    }

    const std::string newer = path("newer.stn");
    writeFile(newer, "SartuneData,7,0,save.ini,0,");
    r = cli({"info", newer});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("より新しいバージョン"), std::string::npos) << r.err;

    r = cli({"new", "-o", path("no-such-folder/new.stn")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("保存エラー"), std::string::npos) << r.err;
}

TEST_F(CliTest, WrongUsageExitsWithTwo) {
    const std::string file = path("a.stn");
    ASSERT_EQ(cli({"new", "-o", file}).exitCode, 0);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"new"},
        {"new", file},
        {"new", "-o"},
        {"info"},
        {"info", file, "-o", path("b.stn")},
        {"info", file, file},
        {"convert", file},
        {"vtb", file},
        {"frobnicate", file, "-o", path("b.stn")},
    };
    for (const auto& args : wrong) {
        std::string joined;
        for (const std::string& arg : args) {
            joined += arg + " ";
        }
        SCOPED_TRACE(joined);
        const CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(r.err.empty());
        EXPECT_FALSE(fs::exists(path("b.stn")));
    }
}

// The bundled samples are what users open first: each must load, describe itself, survive a
// conversion unchanged and export.
TEST_F(CliTest, EverySampleOpensConvertsUnchangedAndExports) {
    for (const char* sample : {"fire.stn", "sparks.stn", "magic_circle.stn"}) {
        SCOPED_TRACE(sample);
        const std::string file = (fs::path(VINTREL_SOURCE_DIR) / "samples" / sample).string();
        const Json doc = info(file);
        ASSERT_TRUE(doc.is_object());
        EXPECT_EQ(doc["version"], 6);
        EXPECT_GE(doc["nodes"].size(), 2u);
        for (const Json& node : doc["nodes"]) {
            EXPECT_EQ(node["graphs"].size(), 12u);
            EXPECT_GE(node["m_texture.ID"].get<int>(), 0) << node["m_name"];
        }

        const std::string converted = path("converted.stn");
        ASSERT_EQ(cli({"convert", file, "-o", converted}).exitCode, 0);
        EXPECT_EQ(readFile(converted), readFile(file));

        const CliResult vtb = cli({"vtb", file, "-o", path("sample.vtb")});
        EXPECT_EQ(vtb.exitCode, 0) << vtb.err;
        EXPECT_GT(fs::file_size(path("sample.vtb")), 0u);
    }
}

// Pixels with clearly warm colour (flames) rather than the grey grid or the blue axis.
int warmPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 150 && c.red() > c.blue() + 60 ? 1 : 0;
        }
    }
    return count;
}

TEST_F(CliTest, RenderDrawsTheViewOfAFrameAsAPng) {
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/fire.stn";
    const std::string out = path("frame.png");
    const CliResult r = cli({"render", sample, "--frame", "30", "-o", out, "--size", "160x120"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QImage image(QString::fromStdString(out));
    ASSERT_EQ(image.size(), QSize(160, 120));
    EXPECT_GT(warmPixels(image), 100);
    // Without --size the project's own output size.
    ASSERT_EQ(cli({"render", sample, "--frame", "1", "-o", out}).exitCode, 0);
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(128, 128));
}

// The view's backdrop shows behind the grid as in the editor; one whose picture is gone is
// reported and the background colour shows.
TEST_F(CliTest, RenderDrawsTheProjectsBackdrop) {
    struct Case {
        const char* name;
        ViewBackdrop backdrop;
        QColor corner;
        bool warned;
    };
    const Case cases[] = {
        {"checker.stn", {ViewBackdrop::Kind::Checkerboard, "", 0}, QColor(153, 153, 153), false},
        {"gone.stn", {ViewBackdrop::Kind::Image, "/nonexistent/sky.png", 0}, QColor(0, 0, 0), true},
    };
    for (const Case& c : cases) {
        GlobalState g;
        startProject(g, tmp.path() / (std::string(c.name) + "-run"));
        g.backdrop = c.backdrop;
        FailingNotifier notifier;
        ASSERT_TRUE(saveProject(g, path(c.name), notifier));
        const std::string out = path("backdrop.png");
        const CliResult r = cli({"render", path(c.name), "--frame", "1", "-o", out, "--size", "64x64"});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err.find("sky.png") != std::string::npos, c.warned) << r.err;
        EXPECT_EQ(QImage(QString::fromStdString(out)).pixelColor(2, 2), c.corner) << c.name;
    }
}

TEST_F(CliTest, RenderRefusesBadArgumentsWithoutWriting) {
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/fire.stn";
    const std::string out = path("frame.png");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", sample, "--frame", "0", "-o", out},
             {"render", sample, "--frame", "x", "-o", out},
             {"render", sample, "--frame", "3", "-o", out, "--size", "0x10"},
             {"render", sample, "--frame", "3", "-o", out, "--size", "100"},
             {"render", sample, "-o", out}}) {
        const CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args[2];
        EXPECT_NE(r.err, "");
    }
    const CliResult missing = cli({"render", path("missing.stn"), "--frame", "1", "-o", out});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, ExportWritesEverySampleAsEveryOutputKind) {
    struct Kind {
        const char* type;
        const char* extension;
        const char* firstFile; // the file that must appear, relative to the output's base name
    };
    const Kind kinds[] = {{"sheet", ".png", ".png"},
                          {"files", ".png", "00000.png"},
                          {"gif", ".gif", ".gif"},
                          {"video", ".mp4", ".mp4"}};
    // On some machines the leak checker of the sanitizer runtime crashes while it walks the
    // graphics driver's threads at the exit of these runs ("Tracer caught signal 11") after a
    // complete, correct export; the export code's leaks are checked by the in-process export
    // tests, so these runs only check what the program writes.
    environment = withoutLeakCheckAtExit();
    for (const char* sample : {"fire", "sparks", "magic_circle"}) {
        const std::string file = std::string(VINTREL_SOURCE_DIR) + "/samples/" + sample + ".stn";
        for (const Kind& kind : kinds) {
            const std::string base = path(sample) + "_" + kind.type;
            const CliResult r = cli({"export", file, "-o", base + kind.extension, "--type", kind.type,
                                     "--end", "8", "--step", "2", "--size", "48x32", "--columns", "2"});
            EXPECT_EQ(r.exitCode, 0) << sample << " " << kind.type << ": " << r.err;
            EXPECT_TRUE(fs::exists(base + kind.firstFile)) << sample << " " << kind.type;
            EXPECT_NE(r.err.find("9/9"), std::string::npos) << "the progress bar reaches its end";
        }
    }
    // Four frames (1, 3, 5, 7) in two columns: a sheet of 2 x 2 frames of 48 x 32.
    EXPECT_EQ(QImage(QString::fromStdString(path("fire") + "_sheet.png")).size(), QSize(96, 64));
}

// Where the pure green pixels of a picture lie: their count and their centre.
struct GreenSpot {
    int pixels = 0;
    double x = 0;
    double y = 0;
};

GreenSpot greenSpot(const QImage& image) {
    GreenSpot spot;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 150 && c.red() < 80 && c.blue() < 80 && c.alpha() > 150) {
                ++spot.pixels;
                spot.x += x;
                spot.y += y;
            }
        }
    }
    if (spot.pixels > 0) {
        spot.x /= spot.pixels;
        spot.y /= spot.pixels;
    }
    return spot;
}

// A few green particles that stay where they are born, away from every camera's target: a
// camera rolled about its view axis moves them, where it would not move the centre.
void greenParticlesAside(GlobalState& g) {
    EffectNode& node = *g.pSelNode;
    node.m_emitter.pos = {2.5f, 1.5f, 1.0f};
    node.m_emitter.size = {0.2f, 0.2f, 0.2f};
    node.m_timing.num = 3;
    node.m_kill.span = 1000;
    node.m_move.speed = 0;
    for (int slot : {SlotRed, SlotBlue}) {
        node.graph(slot).setPoints({{0.0f, 100.0f}, {100.0f, 100.0f}});
    }
}

TEST_F(CliTest, ExportPlacesParticlesWhereRenderDoesForAnySavedCamera) {
    environment = withoutLeakCheckAtExit();
    const ViewCameraPose cameras[] = {
        {{6, 4, -6}, {0, 2, 0}}, {{-8, 3, 5}, {1, 0, -1}}, {{2, 9, -3}, {0, 0, 0}}};
    int k = 0;
    for (const ViewCameraPose& camera : cameras) {
        SCOPED_TRACE(k);
        const std::string file = path("camera.stn");
        {
            GlobalState g;
            startProject(g, tmp.path() / ("ws" + std::to_string(k++)));
            greenParticlesAside(g);
            g.viewCamera = camera;
            FailingNotifier notifier;
            ASSERT_TRUE(saveProject(g, file, notifier));
        }
        const std::string rendered = path("rendered.png");
        const std::string exported = path("exported.png");
        const CliResult render = cli({"render", file, "--frame", "3", "-o", rendered, "--size", "160x90"});
        ASSERT_EQ(render.exitCode, 0) << render.err;
        const CliResult exportRun =
            cli({"export", file, "-o", exported, "--start", "3", "--end", "3", "--type", "sheet", "--columns",
                 "1", "--smooth", "1", "--size", "160x90"});
        ASSERT_EQ(exportRun.exitCode, 0) << exportRun.err;

        const GreenSpot inView = greenSpot(QImage(QString::fromStdString(rendered)));
        const GreenSpot inExport = greenSpot(QImage(QString::fromStdString(exported)));
        ASSERT_GT(inView.pixels, 4);
        ASSERT_GT(inExport.pixels, 4);
        EXPECT_GT(std::hypot(inView.x - 80, inView.y - 45), 8.0)
            << "the particles stand away from the centre";
        EXPECT_NEAR(inExport.x, inView.x, 1.0);
        EXPECT_NEAR(inExport.y, inView.y, 1.0);
    }
}

// A video whose tool is missing is refused before a frame is drawn, with a message naming it.
TEST_F(CliTest, VideoExportWithoutItsToolIsRefusedBeforeDrawing) {
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/fire.stn";
    environment = withoutLeakCheckAtExit() + "VINTREL_KELVASK=" + quoted(path("no-kelvask")) + " ";
    const CliResult r = cli({"export", sample, "-o", path("out.mp4"), "--type", "video", "--end", "4"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(path("no-kelvask")), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("export ["), std::string::npos) << "no frame drawn: " << r.err;
    EXPECT_FALSE(fs::exists(path("out.mp4")));
}

TEST_F(CliTest, ExportRefusesABadRangeWithTheEditorsMessage) {
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/fire.stn";
    const CliResult r = cli({"export", sample, "-o", path("out.png"), "--start", "10", "--end", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("開始フレームが終了フレームより大きくなっています"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("out.png")));
    EXPECT_EQ(cli({"export", sample, "-o", path("out.png"), "--type", "movie"}).exitCode, 2);
}

// Several projects into one folder, two at a time; again with --if-changed only what changed;
// a job file with a project that cannot be opened exports the others and says which failed.
TEST_F(CliTest, BatchExportsRunInParallelAndSkipWhatIsUnchanged) {
    std::vector<std::string> samples;
    for (const char* name : {"fire.stn", "sparks.stn", "magic_circle.stn"}) {
        samples.push_back(std::string(VINTREL_SOURCE_DIR) + "/samples/" + name);
    }
    std::vector<std::string> args{"export"};
    args.insert(args.end(), samples.begin(), samples.end());
    args.insert(args.end(), {"-o", path("out"), "-j", "2", "--size", "24x24", "--end", "6", "--if-changed"});
    const CliResult first = cli(args);
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    for (const char* name : {"fire", "sparks", "magic_circle"}) {
        EXPECT_NE(first.out.find(std::string(name) + ".stn: wrote"), std::string::npos) << first.out;
        EXPECT_EQ(QImage(QString::fromStdString(path(("out/" + std::string(name) + ".png").c_str()))).height(), 24) << name;
    }
    const CliResult again = cli(args);
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(std::count(again.out.begin(), again.out.end(), '\n'), 3) << again.out;
    EXPECT_EQ(again.out.find("wrote"), std::string::npos) << again.out;
    args[args.size() - 2] = "5"; // another range: written again
    EXPECT_NE(cli(args).out.find("fire.stn: wrote"), std::string::npos);

    writeFile(path("jobs.json"), "{\"jobs\": [{\"project\": \"" + samples[1] +
                                     "\", \"output\": \"made/sparks.png\", \"options\": {\"size\": \"16x16\", "
                                     "\"end\": 3, \"atlas\": \"godot\"}}, {\"project\": \"nowhere.stn\", "
                                     "\"output\": \"made/nowhere.png\"}]}");
    const CliResult job = cli({"export", "--job", path("jobs.json")});
    EXPECT_EQ(job.exitCode, 1);
    EXPECT_NE(job.out.find("nowhere.stn: failed"), std::string::npos) << job.out;
    EXPECT_TRUE(fs::exists(path("made/sparks.tres")));
    EXPECT_EQ(cli({"export", "--job", path("missing.json")}).exitCode, 1);
    EXPECT_EQ(cli({"export", samples[0], samples[1], "-o", path("x"), "-j", "0"}).exitCode, 2);
}

// The newer options reach the sheet: a named page with its data file; bad values are refused
// with the choices before anything is drawn.
TEST_F(CliTest, ExportWritesAtlasDataUnderTheNamePattern) {
    const std::string sample = std::string(VINTREL_SOURCE_DIR) + "/samples/sparks.stn";
    const CliResult r = cli({"export", sample, "-o", path("out.png"), "--start", "1", "--end", "4", "--columns", "2",
                             "--size", "32x32", "--atlas", "texturepacker-array", "--padding", "2",
                             "--name", "{name}_{columns}x{rows}"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QImage sheet(QString::fromStdString(path("out_2x2.png")));
    EXPECT_EQ(sheet.size(), QSize(66, 66));
    EXPECT_TRUE(fs::exists(path("out_2x2.json")));
    EXPECT_FALSE(fs::exists(path("out.png")));

    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"--atlas", "unity"}, "texturepacker-hash, texturepacker-array, aseprite or godot"},
        {{"--alpha", "multiply"}, "straight, premultiplied or additive"},
        {{"--padding", "999"}, "--padding needs a whole number from 0 to 256"},
        {{"--name", "../x"}, "--name is a file name without a folder"},
    };
    for (const auto& [options, message] : refused) {
        std::vector<std::string> args{"export", sample, "-o", path("bad.png")};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult bad = cli(args);
        EXPECT_EQ(bad.exitCode, 2) << options.front();
        EXPECT_NE(bad.err.find(message), std::string::npos) << bad.err;
        EXPECT_EQ(bad.err.find("export ["), std::string::npos) << "nothing drawn";
    }
}

} // namespace
} // namespace vintrel
