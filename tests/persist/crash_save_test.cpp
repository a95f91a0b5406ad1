// A save killed at any moment must leave the previous package or the new one, complete, never
// a part of either.
#include "persist/atomic_file.h"
#include "persist/project_file.h"
#include "support/result_checks.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::SilentNotifier;

// A project big enough that one save takes a while: many nodes with many curve points.
void buildProject(GlobalState& g, const fs::path& workspace, int nodes, int seed) {
    BuiltInProjectDefaults defaults;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
    g.workspace = workspace;
    g.rootNode->clearChildren();
    for (int i = 0; i < nodes; ++i) {
        EffectNode& node = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
        node.m_kill.span = seed + i;
        std::vector<CurvePoint> points{{0, 0}};
        for (int x = 1; x < 100; ++x) {
            points.push_back({static_cast<float>(x), static_cast<float>((x * 7 + seed) % 100)});
        }
        points.push_back({100, 0});
        node.graph(SlotAlpha).setPoints(points);
    }
    g.pSelNode = g.rootNode->child(0);
}

TEST(CrashDuringSave, TargetIsAlwaysTheOldOrTheNewPackage) {
    std::string pattern = (fs::temp_directory_path() / "vintrel-crash-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    const fs::path target = folder / "project.stn";
    SilentNotifier notifier;

    GlobalState oldProject;
    buildProject(oldProject, folder, 9, 1);
    ASSERT_TRUE(saveProject(oldProject, target, notifier));
    const std::string oldBytes = readFile(target);
    GlobalState newProject;
    buildProject(newProject, folder, 9, 2);
    ASSERT_TRUE(saveProject(newProject, folder / "new.stn", notifier));
    const std::string newBytes = readFile(folder / "new.stn");
    ASSERT_NE(oldBytes, newBytes);
    // Both complete packages load, so a target equal to either of them loads.
    for (const fs::path& file : {target, folder / "new.stn"}) {
        GlobalState loaded;
        loaded.workspace = folder / "workspace";
        ASSERT_TRUE(loadProject(loaded, file, BuiltInProjectDefaults{}, notifier)) << file;
        EXPECT_EQ(loaded.rootNode->childCount(), 9);
    }

    // The kills fall within the first few saves: the delays span four saves as this machine
    // makes them now (a sanitizer build on a busy machine saves far slower than 15 ms).
    const auto started = std::chrono::steady_clock::now();
    constexpr int kTimedSaves = 3;
    for (int k = 0; k < kTimedSaves; ++k) {
        saveProject(newProject, folder / "timed.stn", notifier);
    }
    const auto saveUs = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - started).count() / kTimedSaves;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delayUs(0, static_cast<int>(std::max<long long>(15000, 4 * saveUs)));
    constexpr int kTrials = 200;
    int sawNew = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        std::string error;
        ASSERT_TRUE(test::succeeded(writeFileAtomically(target, oldBytes)));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the new and the old project over the target until killed.
            for (;;) {
                saveProject(newProject, target, notifier);
                saveProject(oldProject, target, notifier);
            }
        }
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        const std::string bytes = readFile(target);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes)
            << "trial " << trial << ": " << bytes.size() << " bytes";
        sawNew += bytes == newBytes ? 1 : 0;
    }
    // The kills must have caught the child at different stages, not always before its first
    // save finished.
    EXPECT_GT(sawNew, 0);
    EXPECT_LT(sawNew, kTrials);
    fs::remove_all(folder);
}

} // namespace
} // namespace vintrel
