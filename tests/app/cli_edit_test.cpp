#include "cli_test_support.h"
#include "support/test_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
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
using test::quoted;
using test::readFile;
using test::TempDir;

// "name#ID(children)" for a list of nodes as `vintrel-cli info` prints them.
std::string shape(const Json& nodes) {
    std::string text;
    for (const Json& node : nodes) {
        text += (text.empty() ? "" : " ") + node["m_name"].get<std::string>() + "#" +
                std::to_string(node["m_ID"].get<int>());
        if (!node["children"].empty()) {
            text += "(" + shape(node["children"]) + ")";
        }
    }
    return text;
}

class CliEditTest : public ::testing::Test {
protected:
    // Runs the built vintrel-cli with `args` and `input` on its standard input.
    CliResult cli(const std::vector<std::string>& args, const std::string& input = "") {
        const fs::path inFile = tmp.path() / "stdin.txt";
        {
            std::ofstream in(inFile, std::ios::binary | std::ios::trunc);
            in << input;
        }
        std::string command = quoted(VINTREL_CLI_PATH);
        for (const std::string& arg : args) {
            command += " " + quoted(arg);
        }
        const fs::path outFile = tmp.path() / "stdout.txt";
        const fs::path errFile = tmp.path() / "stderr.txt";
        command += " <" + quoted(inFile.string()) + " >" + quoted(outFile.string()) + " 2>" +
                   quoted(errFile.string());
        const int status = std::system(command.c_str());
        CliResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readFile(outFile);
        result.err = readFile(errFile);
        return result;
    }

    std::string path(const char* name) const { return (tmp.path() / name).string(); }

    // The saved project's node list, as `vintrel-cli info` prints it.
    Json nodes(const std::string& file) {
        const CliResult r = cli({"info", file});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const Json doc = Json::parse(r.out, nullptr, false);
        EXPECT_TRUE(doc.is_object()) << r.out;
        return doc.is_object() ? doc["nodes"] : Json();
    }

    // A new project: ノード1 (ID 1) alone.
    std::string newProject() {
        const std::string file = path("start.stn");
        const CliResult r = cli({"new", "-o", file});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return file;
    }

    TempDir tmp{"vintrel-cli-edit-test"};
};

// Adds, duplicates, moves, renames, edits values and a curve and deletes a subtree: 12 entries.
constexpr const char* kEdits = R"(tree
add-sibling
add-child
select 2
duplicate
tree
move-up
select 3
move-out
select 1
move-in
select 2
move-down
tree
select 3
rename 炎
set m_kill.span 30
set m_kill.span 45
set m_emitter.pos.x 1.5
curve 5 0,0 50,20 100,100
select 6
delete
tree
history
)";

constexpr const char* kTreeAfterDuplicate = "1 ノード1\n"
                                            "6 ノード2のｺﾋﾟｰ\n"
                                            "  5 ノード3のｺﾋﾟｰ\n"
                                            "2 ノード2\n"
                                            "  3 ノード3\n";

constexpr const char* kTreeAfterMoves = "6 ノード2のｺﾋﾟｰ\n"
                                        "  5 ノード3のｺﾋﾟｰ\n"
                                        "  1 ノード1\n"
                                        "3 ノード3\n"
                                        "2 ノード2\n";

constexpr const char* kTreeAfterDelete = "3 炎\n"
                                         "2 ノード2\n";

const std::vector<std::string> kTitles{
    "スタート",
    "＜ノード2＞を追加",
    "＜ノード3＞を追加",
    "＜ノード2のｺﾋﾟｰ＞を追加",
    "ノードの移動",
    "ノードの移動",
    "ノードの移動",
    "ノードの移動",
    "ノード名＜炎＞に変更",
    "炎-寿命",
    "炎-発生源の位置（X)",
    "炎-カラー【赤】グラフ",
    "＜ノード2のｺﾋﾟｰ＞を削除",
};

// The `history` listing with entry `current` marked.
std::string historyListing(int current) {
    std::string text;
    for (int i = 0; i < static_cast<int>(kTitles.size()); ++i) {
        text += (i == current ? "* " : "  ") + kTitles[static_cast<std::size_t>(i)] + "\n";
    }
    return text;
}

TEST_F(CliEditTest, EditsThenUndoesEverythingAndRedoesItAgain) {
    const std::string start = newProject();
    const Json startNodes = nodes(start);
    ASSERT_EQ(shape(startNodes), "ノード1#1");

    // Stage 1: the edits alone.
    const std::string edited = path("edited.stn");
    const CliResult first = cli({"edit", start, "-o", edited}, kEdits);
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(first.out, std::string("1 ノード1\n") + kTreeAfterDuplicate + kTreeAfterMoves +
                             kTreeAfterDelete + historyListing(12));

    const Json editedNodes = nodes(edited);
    ASSERT_EQ(shape(editedNodes), "炎#3 ノード2#2");
    const Json& fire = editedNodes[0];
    EXPECT_EQ(fire["m_kill.span"], 45);
    EXPECT_DOUBLE_EQ(fire["m_emitter.pos.x"].get<double>(), 1.5);
    EXPECT_EQ(fire["graphs"][5], Json::parse("[[0, 0], [50, 20], [100, 100]]"));
    EXPECT_EQ(editedNodes[1]["m_kill.span"], 60);

    // Stage 2: the same edits, everything undone, a jump into the middle, everything redone.
    const std::string redone = path("redone.stn");
    const CliResult second = cli({"edit", start, "-o", redone}, std::string(kEdits) + "jump 0\n"
                                                                                      "tree\n"
                                                                                      "history\n"
                                                                                      "jump 7\n"
                                                                                      "tree\n"
                                                                                      "jump 12\n"
                                                                                      "tree\n"
                                                                                      "history\n");
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(second.out, first.out + "1 ノード1\n" + historyListing(0) + kTreeAfterMoves + kTreeAfterDelete +
                              historyListing(12));
    EXPECT_EQ(nodes(redone), editedNodes);

    // The saved tree at the other stages.
    const std::string undone = path("undone.stn");
    const CliResult third = cli({"edit", start, "-o", undone}, std::string(kEdits) + "jump 0\n");
    ASSERT_EQ(third.exitCode, 0) << third.err;
    EXPECT_EQ(nodes(undone), startNodes);

    const std::string middle = path("middle.stn");
    const CliResult fourth = cli({"edit", start, "-o", middle}, std::string(kEdits) + "jump 7\n");
    ASSERT_EQ(fourth.exitCode, 0) << fourth.err;
    EXPECT_EQ(shape(nodes(middle)), "ノード2のｺﾋﾟｰ#6(ノード3のｺﾋﾟｰ#5 ノード1#1) ノード3#3 ノード2#2");

    // Undo and redo one step at a time from the end.
    const std::string stepped = path("stepped.stn");
    const CliResult fifth = cli({"edit", start, "-o", stepped},
                                std::string(kEdits) + "undo\nundo\nundo\ntree\nredo\nredo\nredo\n");
    ASSERT_EQ(fifth.exitCode, 0) << fifth.err;
    EXPECT_EQ(fifth.out, first.out + "6 ノード2のｺﾋﾟｰ\n"
                                     "  5 ノード3のｺﾋﾟｰ\n"
                                     "  1 ノード1\n"
                                     "3 炎\n"
                                     "2 ノード2\n");
    EXPECT_EQ(nodes(stepped), editedNodes);
}

TEST_F(CliEditTest, RefusedCommandsReportAndTheScriptGoesOn) {
    const std::string start = newProject();
    const std::string out = path("out.stn");

    const CliResult r = cli({"edit", start, "-o", out}, "select 1\n"
                                                        "delete\n"
                                                        "set m_ID 7\n"
                                                        "select 42\n"
                                                        "move-up\n"
                                                        "set m_kill.span 20\n"
                                                        "history\n");

    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("確認: このノードは削除できません"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("m_ID"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("42"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "  スタート\n* ノード1-寿命\n");
    const Json saved = nodes(out);
    EXPECT_EQ(shape(saved), "ノード1#1");
    EXPECT_EQ(saved[0]["m_kill.span"], 20);
}

TEST_F(CliEditTest, MalformedLinesGiveExitCodeOneWhileTheRestApplies) {
    const std::string start = newProject();
    const std::string out = path("out.stn");

    const CliResult r = cli({"edit", start, "-o", out}, "select 1\n"
                                                        "frobnicate\n"
                                                        "add-sibling\n"
                                                        "set m_kill.span abc\n"
                                                        "set m_kill.span 25\n"
                                                        "jump x\n"
                                                        "select\n"
                                                        "curve 5 0,0\n"
                                                        "curve 5 0,0 50,20 100,100\n"
                                                        "rename 煙\n"
                                                        "history\n");

    EXPECT_EQ(r.exitCode, 1);
    std::size_t reports = 0;
    for (std::size_t at = r.err.find("not understood"); at != std::string::npos;
         at = r.err.find("not understood", at + 1)) {
        ++reports;
    }
    EXPECT_EQ(reports, 5u) << r.err;
    for (const char* line : {"line 2", "frobnicate", "line 4", "line 6", "line 7", "line 8"}) {
        EXPECT_NE(r.err.find(line), std::string::npos) << line << " in " << r.err;
    }
    EXPECT_EQ(r.out, "  スタート\n"
                     "  ＜ノード2＞を追加\n"
                     "  ノード2-寿命\n"
                     "  ノード2-カラー【赤】グラフ\n"
                     "* ノード名＜煙＞に変更\n");

    // The file is saved with every line that was understood.
    const Json saved = nodes(out);
    ASSERT_EQ(shape(saved), "ノード1#1 煙#2");
    EXPECT_EQ(saved[1]["m_kill.span"], 25);
    EXPECT_EQ(saved[1]["graphs"][5], Json::parse("[[0, 0], [50, 20], [100, 100]]"));
    EXPECT_EQ(saved[0]["m_kill.span"], 60);
}

} // namespace
} // namespace vintrel
