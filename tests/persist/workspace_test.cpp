#include "persist/materials.h"
#include "persist/project_file.h"
#include "persist/workspace.h"
#include "support/test_files.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TempDir;
using test::writeFile;

// Every entry below `folder` (links not followed), relative, sorted.
std::set<std::string> listTree(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.insert(fs::relative(entry.path(), folder).string());
    }
    return names;
}

// ---- reading the placeholder PNG ----------------------------------------------------------------

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xffffffffu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::uint32_t adler32(std::string_view bytes) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes.at(at));
}

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    return byteAt(bytes, at) << 24 | byteAt(bytes, at + 1) << 16 | byteAt(bytes, at + 2) << 8 |
           byteAt(bytes, at + 3);
}

struct DecodedPng {
    std::vector<std::string> chunkTypes;
    std::string header; // IHDR data
    std::string rows;   // filter byte and pixels of each row
};

// Reads a PNG whose image data is one stored (uncompressed) deflate block, checking every
// chunk's CRC and the zlib stream's header and Adler-32 on the way.
DecodedPng decodeStoredPng(std::string_view png) {
    DecodedPng out;
    EXPECT_EQ(png.substr(0, 8), std::string_view("\x89PNG\r\n\x1a\n", 8));
    std::string zlib;
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = bigEndian32(png, at);
        const std::string_view typeAndData = png.substr(at + 4, 4 + length);
        const std::string type(typeAndData.substr(0, 4));
        EXPECT_EQ(bigEndian32(png, at + 8 + length), crc32(typeAndData)) << "CRC of " << type;
        out.chunkTypes.push_back(type);
        if (type == "IHDR") {
            out.header = typeAndData.substr(4);
        } else if (type == "IDAT") {
            zlib += typeAndData.substr(4);
        }
        at += 12 + length;
    }
    // Deflate with a valid check value, then one final stored block: LEN and its complement.
    EXPECT_EQ(byteAt(zlib, 0) & 0x0f, 8u);
    EXPECT_EQ((byteAt(zlib, 0) * 256 + byteAt(zlib, 1)) % 31, 0u);
    EXPECT_EQ(byteAt(zlib, 2), 1u);
    const unsigned length = byteAt(zlib, 3) | byteAt(zlib, 4) << 8;
    EXPECT_EQ(length ^ 0xffffu, byteAt(zlib, 5) | byteAt(zlib, 6) << 8);
    EXPECT_EQ(zlib.size(), 7 + length + 4);
    out.rows = zlib.substr(7, length);
    EXPECT_EQ(bigEndian32(zlib, 7 + length), adler32(out.rows));
    return out;
}

// ---- run folders --------------------------------------------------------------------------------

TEST(RunWorkspace, IsANumberedFolderHoldingTheWhitePlaceholder) {
    TempDir tmp;
    const fs::path root = tmp.path() / "workspace"; // not there yet

    const fs::path folder = createRunWorkspace(root);

    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.parent_path(), root);
    const std::string name = folder.filename().string();
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) << name;
    EXPECT_EQ(listTree(folder), std::set<std::string>{kPlaceholderTextureName});

    const DecodedPng png = decodeStoredPng(readFile(folder / kPlaceholderTextureName));
    EXPECT_EQ(png.chunkTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    // Width 1, height 1, 8 bits per channel, RGBA, no interlace.
    EXPECT_EQ(png.header, std::string("\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0", 13));
    // Filter "none", then red, green, blue and alpha at full.
    EXPECT_EQ(png.rows, std::string("\x00\xff\xff\xff\xff", 5));
}

TEST(RunWorkspace, TakesTheNextFreeNumber) {
    TempDir tmp;
    const fs::path root = tmp.path();
    // Occupy the numbers the clock is about to give, one with a file in it.
    const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    std::set<std::string> taken;
    for (long long n = now; n < now + 200; ++n) {
        fs::create_directory(root / std::to_string(n));
        taken.insert(std::to_string(n));
    }
    writeFile(root / std::to_string(now) / "texture.png", "old");

    const fs::path first = createRunWorkspace(root);
    const fs::path second = createRunWorkspace(root);

    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(taken.count(first.filename().string()), 0u);
    EXPECT_EQ(taken.count(second.filename().string()), 0u);
    EXPECT_TRUE(fs::is_regular_file(second / kPlaceholderTextureName));
    // The occupied folders were left as they were.
    EXPECT_EQ(readFile(root / std::to_string(now) / "texture.png"), "old");
    EXPECT_TRUE(fs::is_empty(root / std::to_string(now + 1)));
}

TEST(RunWorkspace, FailsWithAnEmptyPathWhenTheRootIsAFile) {
    TempDir tmp;
    writeFile(tmp.path() / "workspace", "not a folder");

    EXPECT_TRUE(createRunWorkspace(tmp.path() / "workspace").empty());
    EXPECT_EQ(readFile(tmp.path() / "workspace"), "not a folder");
}

TEST(RunWorkspace, DiscardRemovesTheFolderWithItsContent) {
    TempDir tmp;
    const fs::path folder = createRunWorkspace(tmp.path());
    ASSERT_FALSE(folder.empty());
    writeFile(folder / "render" / "0001.png", "frame");
    writeFile(tmp.path() / "other" / "keep.png", "keep");

    discardWorkspace(folder);

    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(readFile(tmp.path() / "other" / "keep.png"), "keep");
    discardWorkspace(folder); // already gone: nothing happens
    discardWorkspace({});
    EXPECT_TRUE(fs::exists(tmp.path() / "other"));
}

// ---- emptying a folder --------------------------------------------------------------------------

TEST(EmptyFolder, RemovesNestedContentAndKeepsTheFolder) {
    TempDir tmp;
    const fs::path folder = tmp.path() / "ws";
    writeFile(folder / "a.png", "a");
    writeFile(folder / ".hidden", "h");
    writeFile(folder / "render" / "0001.png", "1");
    writeFile(folder / "render" / "deep" / "er" / "x.bmp", "x");
    fs::create_directories(folder / "empty");
    writeFile(tmp.path() / "beside.txt", "beside");

    EXPECT_TRUE(emptyFolder(folder));

    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(readFile(tmp.path() / "beside.txt"), "beside");
}

TEST(EmptyFolder, RemovesLinksWithoutFollowingThem) {
    TempDir tmp;
    const fs::path folder = tmp.path() / "ws";
    const fs::path outside = tmp.path() / "outside";
    writeFile(outside / "precious.stn", "work");
    writeFile(outside / "sub" / "more.png", "more");
    writeFile(tmp.path() / "single.txt", "single");
    fs::create_directories(folder / "nested");
    fs::create_directory_symlink(outside, folder / "linkToFolder");
    fs::create_directory_symlink(outside, folder / "nested" / "deepLink");
    fs::create_symlink(tmp.path() / "single.txt", folder / "linkToFile");
    fs::create_symlink(tmp.path() / "missing", folder / "dangling");

    EXPECT_TRUE(emptyFolder(folder));

    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(readFile(outside / "precious.stn"), "work");
    EXPECT_EQ(readFile(outside / "sub" / "more.png"), "more");
    EXPECT_EQ(readFile(tmp.path() / "single.txt"), "single");
}

TEST(EmptyFolder, StopsAtTheFirstEntryThatCannotBeDeleted) {
    TempDir tmp;
    const fs::path folder = tmp.path() / "ws";
    writeFile(folder / "a_locked" / "inner.png", "inner");
    writeFile(folder / "b.png", "b");
    fs::permissions(folder / "a_locked", fs::perms::owner_read | fs::perms::owner_exec);
    {
        std::ofstream probe(folder / "a_locked" / "probe");
        if (probe.good()) {
            fs::remove(folder / "a_locked" / "probe");
            GTEST_SKIP() << "folder permissions are not enforced for this user";
        }
    }

    EXPECT_FALSE(emptyFolder(folder));

    // Entries go in name order: the locked folder fails first and nothing after it is touched.
    EXPECT_EQ(readFile(folder / "a_locked" / "inner.png"), "inner");
    EXPECT_EQ(readFile(folder / "b.png"), "b");
}

TEST(EmptyFolder, FailsForAFolderThatIsNotThere) {
    TempDir tmp;
    EXPECT_FALSE(emptyFolder(tmp.path() / "missing"));
    writeFile(tmp.path() / "file", "f");
    EXPECT_FALSE(emptyFolder(tmp.path() / "file"));
    EXPECT_EQ(readFile(tmp.path() / "file"), "f");
}

// ---- running editors ----------------------------------------------------------------------------

TEST(InstanceLockTest, OtherEditorsAreSeenWhileTheirLockLives) {
    TempDir tmp;
    const fs::path root = tmp.path() / "workspace";

    // Asking creates nothing.
    EXPECT_FALSE(otherInstanceRunning(root));
    EXPECT_FALSE(fs::exists(root));
    {
        InstanceLock first(root);
        ASSERT_TRUE(first.held());
        EXPECT_TRUE(fs::is_regular_file(root / kInstanceLockFileName));
        EXPECT_TRUE(otherInstanceRunning(root));
        {
            // Any number of editors may run side by side.
            InstanceLock second(root);
            EXPECT_TRUE(second.held());
            EXPECT_TRUE(otherInstanceRunning(root));
        }
        EXPECT_TRUE(otherInstanceRunning(root));
    }
    EXPECT_FALSE(otherInstanceRunning(root));
    EXPECT_TRUE(fs::exists(root / kInstanceLockFileName));
}

// New, Open and a drop start a fresh editor: by the time it starts, this run's autosave and
// lock are gone (it must neither offer this run's autosave nor see this run as running), and
// this run's folder goes once it has started. A process that cannot be started leaves the run
// as it was.
TEST(HandOverRun, NewProcessSeesNoLockNorAutosaveAndTheFolderGoesAfterwards) {
    TempDir tmp;
    const fs::path root = tmp.path() / "workspace";
    std::optional<InstanceLock> lock(std::in_place, root);
    const fs::path run = createRunWorkspace(root);
    writeFile(run / kAutosaveFileName, "package");
    writeFile(run / "fire.png", "texture");

    bool started = false;
    ASSERT_TRUE(handOverRun(lock, root, run, [&] {
        started = true;
        EXPECT_FALSE(otherInstanceRunning(root));
        EXPECT_FALSE(fs::exists(run / kAutosaveFileName));
        return true;
    }));
    EXPECT_TRUE(started);
    EXPECT_FALSE(lock.has_value());
    EXPECT_FALSE(fs::exists(run));
}

TEST(HandOverRun, FailedStartKeepsTheRunAndTakesTheLockAgain) {
    TempDir tmp;
    const fs::path root = tmp.path() / "workspace";
    std::optional<InstanceLock> lock(std::in_place, root);
    const fs::path run = createRunWorkspace(root);
    writeFile(run / "fire.png", "texture");
    EXPECT_FALSE(handOverRun(lock, root, run, [] { return false; }));
    ASSERT_TRUE(lock.has_value());
    EXPECT_TRUE(lock->held());
    EXPECT_TRUE(otherInstanceRunning(root));
    EXPECT_EQ(readFile(run / "fire.png"), "texture");
}

TEST(InstanceLockTest, FailsWhenTheRootCannotBeCreated) {
    TempDir tmp;
    writeFile(tmp.path() / "workspace", "file");
    InstanceLock lock(tmp.path() / "workspace");
    EXPECT_FALSE(lock.held());
}

// ---- recovery at start-up -----------------------------------------------------------------------

class ScriptedPrompt final : public RecoveryPrompt {
public:
    ScriptedPrompt(bool answer, fs::path root = {}) : answer_(answer), root_(std::move(root)) {}
    bool askRestore() override {
        ++asked;
        if (!root_.empty()) {
            checkLockedWhileAsking = otherInstanceRunning(root_);
        }
        return answer_;
    }
    int asked = 0;
    bool checkLockedWhileAsking = false;

private:
    bool answer_;
    fs::path root_;
};

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = tmp.path() / "workspace";
        // The lock file of earlier runs, and two crashed runs: one saved automatically, one not.
        { InstanceLock earlier(root); }
        writeFile(root / "1000" / kPlaceholderTextureName, "p");
        writeFile(root / "1000" / "fire.png", "fire");
        writeFile(root / "2000" / kAutosaveFileName, "SartuneData,6,...");
        writeFile(root / "2000" / "smoke.png", "smoke");
        before = listTree(root);
    }

    TempDir tmp;
    fs::path root;
    std::set<std::string> before;
};

TEST_F(RecoveryTest, YesOpensTheAutosaveAndDeletesNothing) {
    ScriptedPrompt prompt(true, root);

    const auto file = checkRecovery(root, prompt);

    EXPECT_EQ(prompt.asked, 1);
    // An editor starting while the question is open must wait for the answer.
    EXPECT_TRUE(prompt.checkLockedWhileAsking);
    EXPECT_FALSE(otherInstanceRunning(root));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, root / "2000" / kAutosaveFileName);
    EXPECT_EQ(listTree(root), before);
}

TEST_F(RecoveryTest, NoEmptiesTheRootButKeepsTheLockFile) {
    writeFile(root / "loose.txt", "loose");
    ScriptedPrompt prompt(false);

    EXPECT_FALSE(checkRecovery(root, prompt).has_value());

    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(listTree(root), std::set<std::string>{kInstanceLockFileName});
    // The lock still tells running editors apart from a check.
    InstanceLock running(root);
    ASSERT_TRUE(running.held());
    EXPECT_TRUE(otherInstanceRunning(root));
}

// Several crashed runs: the most recently written autosave is offered first, whatever the
// folders are called; No gives up only that one, and each later start offers the next.
TEST_F(RecoveryTest, TheNewestAutosaveIsOfferedAndNoKeepsTheOthers) {
    writeFile(root / "1500" / kAutosaveFileName, "newest");
    writeFile(root / "3000" / kAutosaveFileName, "oldest");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(root / "1500" / kAutosaveFileName, now);
    fs::last_write_time(root / "2000" / kAutosaveFileName, now - std::chrono::minutes(5));
    fs::last_write_time(root / "3000" / kAutosaveFileName, now - std::chrono::minutes(10));

    ScriptedPrompt yes(true);
    const auto file = checkRecovery(root, yes);
    EXPECT_EQ(yes.asked, 1);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, root / "1500" / kAutosaveFileName);

    ScriptedPrompt no(false);
    EXPECT_FALSE(checkRecovery(root, no).has_value());
    EXPECT_EQ(no.asked, 1);
    // The offered run and the run without an autosave are gone; the unoffered ones are whole.
    EXPECT_FALSE(fs::exists(root / "1500"));
    EXPECT_FALSE(fs::exists(root / "1000"));
    EXPECT_EQ(readFile(root / "2000" / kAutosaveFileName), "SartuneData,6,...");
    EXPECT_EQ(readFile(root / "2000" / "smoke.png"), "smoke");
    EXPECT_EQ(readFile(root / "3000" / kAutosaveFileName), "oldest");

    const auto next = checkRecovery(root, yes);
    ASSERT_TRUE(next.has_value());
    EXPECT_EQ(*next, root / "2000" / kAutosaveFileName);
    EXPECT_FALSE(checkRecovery(root, no).has_value());
    EXPECT_FALSE(checkRecovery(root, no).has_value());
    EXPECT_EQ(no.asked, 3);
    EXPECT_EQ(listTree(root), std::set<std::string>{kInstanceLockFileName});
}

TEST_F(RecoveryTest, FoldersWithoutAnAutosaveAreDeletedWithoutAsking) {
    fs::remove(root / "2000" / kAutosaveFileName);
    // Neither a loose file in the root nor a link to a folder counts as a run's autosave.
    writeFile(root / kAutosaveFileName, "loose");
    const fs::path outside = tmp.path() / "outside";
    writeFile(outside / kAutosaveFileName, "not ours");
    fs::create_directory_symlink(outside, root / "0500");
    ScriptedPrompt prompt(true);

    EXPECT_FALSE(checkRecovery(root, prompt).has_value());

    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(listTree(root), std::set<std::string>{kInstanceLockFileName});
    EXPECT_EQ(readFile(outside / kAutosaveFileName), "not ours");
}

TEST_F(RecoveryTest, FirstStartFindsNothingAndCreatesTheRoot) {
    const fs::path fresh = tmp.path() / "fresh";
    ScriptedPrompt prompt(true);

    EXPECT_FALSE(checkRecovery(fresh, prompt).has_value());

    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(listTree(fresh), std::set<std::string>{kInstanceLockFileName});
}

TEST_F(RecoveryTest, AnEditorRunningInThisProcessStopsTheCheck) {
    InstanceLock running(root);
    ASSERT_TRUE(running.held());
    ScriptedPrompt prompt(false);

    EXPECT_FALSE(checkRecovery(root, prompt).has_value());

    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(listTree(root), before);
}

TEST_F(RecoveryTest, AnEditorRunningInAnotherProcessStopsTheCheck) {
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        char answer = 'n';
        {
            InstanceLock lock(root);
            answer = lock.held() ? 'y' : 'n';
            if (::write(ready[1], &answer, 1) == 1) {
                ::read(release[0], &answer, 1); // held until the parent has looked
            }
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');

    EXPECT_TRUE(otherInstanceRunning(root));
    ScriptedPrompt prompt(false);
    EXPECT_FALSE(checkRecovery(root, prompt).has_value());
    EXPECT_EQ(prompt.asked, 0);
    EXPECT_EQ(listTree(root), before);

    ASSERT_EQ(::write(release[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::close(ready[0]);
    ::close(release[1]);

    // Once that editor has ended, the next start checks again.
    EXPECT_FALSE(otherInstanceRunning(root));
    EXPECT_FALSE(checkRecovery(root, prompt).has_value());
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_EQ(listTree(root), std::set<std::string>{kInstanceLockFileName});
}

} // namespace
} // namespace vintrel
