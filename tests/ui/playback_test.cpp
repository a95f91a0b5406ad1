// The preview's transport: holding a frame, stepping, going to a frame and editing while held,
// with the document's worker running; every frame it reaches must hold the particles of the
// command-line trace of the same frame.
#include "app/cli/simulation_trace.h"
#include "engine/playback.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"
#include "../app/cli_test_support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

namespace vintrel {
namespace {

using namespace std::chrono_literals;

TEST(PlaybackFrames, StepsWrapAroundTheEffect) {
    struct Case {
        int frame, length, after, before, clamped;
    };
    const Case cases[] = {
        {1, 60, 2, 60, 1},   {30, 60, 31, 29, 30}, {60, 60, 1, 59, 60}, {0, 60, 1, 60, 0},
        {75, 60, 1, 60, 60}, {-4, 60, 1, 60, 0},   {1, 1, 1, 1, 1},     {5, 0, 0, 0, 0},
        {5, -3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frame " << c.frame << " of " << c.length);
        EXPECT_EQ(playback::frameAfter(c.frame, c.length), c.after);
        EXPECT_EQ(playback::frameBefore(c.frame, c.length), c.before);
        EXPECT_EQ(playback::clampFrame(c.frame, c.length), c.clamped);
    }
}

// A trace line without the two camera marker particles: their facing is drawn from the random
// source before the effect's seed, so it depends on the thread's earlier draws, and it is never
// drawn.
std::string effectParticles(const std::string& line) {
    nlohmann::json trace = nlohmann::json::parse(line, nullptr, false);
    if (trace.is_discarded() || !trace.contains("particles")) {
        return "unreadable trace line: " + line;
    }
    nlohmann::json& particles = trace["particles"];
    for (auto it = particles.begin(); it != particles.end();) {
        const int node = (*it)[0].get<int>();
        it = node == 998 || node == 999 ? particles.erase(it) : it + 1;
    }
    return trace.dump();
}

class FakeClock final : public FrameTimeSource {
public:
    std::uint32_t nowMs() const override { return now.load(); }
    std::atomic<std::uint32_t> now{1000};
};

template <typename Done> bool waitUntil(Done done, std::chrono::milliseconds limit = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

class PlaybackTest : public testing::Test {
protected:
    PlaybackTest() {
        SimulationWorker::Hooks hooks;
        hooks.drawView = [this] { draws.fetch_add(1); };
        document.attachWorker(hooks, clock);
    }

    void load(const std::filesystem::path& file) {
        ASSERT_TRUE(document.load(file));
        document.setPlaying(false);
        document.stopWorker();
    }

    // Waits until the worker has reached the frame asked for and stops it, so that the test may
    // read the simulation.
    int settle() {
        EXPECT_TRUE(waitUntil([this] { return !document.seeking(); }));
        document.stopWorker();
        return playback::shownFrame(document.simulation());
    }

    std::string shownTrace() {
        const Simulation& simulation = document.simulation();
        return effectParticles(traceLine(simulation, simulation.currentFrame() - 1, 0));
    }

    // Line `frame` of `vintrel-cli simulate` of `file`: the particles after `frame` steps.
    std::string cliTrace(const std::filesystem::path& file, int frame) {
        const std::filesystem::path out = dir.path() / "trace.txt";
        const std::string command = test::quoted(VINTREL_CLI_PATH) + " simulate " + test::quoted(file.string()) +
                                    " --frames " + std::to_string(frame) + " >" + test::quoted(out.string());
        EXPECT_EQ(std::system(command.c_str()), 0);
        std::istringstream lines(test::readFile(out));
        std::string line;
        for (int i = 0; i < frame && std::getline(lines, line);) {
            ++i;
        }
        return effectParticles(line);
    }

    test::TempDir dir;
    GlobalState g;
    bool started = (test::startProject(g, dir.path() / "run"), true); // before the document
    BuiltInProjectDefaults defaults;
    test::FailingNotifier notifier;
    FakeClock clock;
    std::atomic<int> draws{0};
    ProjectDocument document{g, defaults, notifier};
};

TEST_F(PlaybackTest, HeldFrameStaysWhileTheViewIsStillDrawn) {
    document.resetView();
    ASSERT_TRUE(waitUntil([&] {
        clock.now += 25;
        return document.transportFrame() >= 3;
    }));
    document.setPlaying(false);
    std::this_thread::sleep_for(30ms);
    const int held = document.transportFrame();
    const int drawn = draws.load();
    for (int i = 0; i < 20; ++i) {
        clock.now += 25;
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_TRUE(waitUntil([&] { return draws.load() > drawn + 3; }));
    EXPECT_EQ(document.transportFrame(), held);
    EXPECT_EQ(settle(), held);

    // Playing again, the clock steps it on.
    document.setPlaying(true);
    document.startWorker();
    EXPECT_TRUE(waitUntil([&] {
        clock.now += 25;
        return document.transportFrame() > held;
    }));
}

TEST_F(PlaybackTest, EveryFrameReachedHoldsTheParticlesOfTheTrace) {
    const std::filesystem::path sample = std::filesystem::path(VINTREL_SOURCE_DIR) / "samples" / "sparks.stn";
    load(sample);
    const int length = document.effectLength();
    ASSERT_EQ(length, 60);
    // Forwards from the reset, backwards (a reset and the steps again), one on, one back, and
    // round the ends both ways.
    struct Move {
        void (*go)(ProjectDocument&);
        int expected;
    };
    const Move moves[] = {
        {[](ProjectDocument& d) { d.goToFrame(40); }, 40},
        {[](ProjectDocument& d) { d.goToFrame(12); }, 12},
        {[](ProjectDocument& d) { d.stepForward(); }, 13},
        {[](ProjectDocument& d) { d.stepBack(); }, 12},
        {[](ProjectDocument& d) { d.goToFrame(500); }, 60},
        {[](ProjectDocument& d) { d.stepForward(); }, 1},
        {[](ProjectDocument& d) { d.stepBack(); }, 60},
        {[](ProjectDocument& d) { d.goToFirstFrame(); }, 1},
    };
    for (const Move& move : moves) {
        document.startWorker();
        move.go(document);
        ASSERT_EQ(settle(), move.expected);
        EXPECT_FALSE(document.isPlaying());
        EXPECT_EQ(shownTrace(), cliTrace(sample, move.expected)) << "frame " << move.expected;
    }
}

TEST_F(PlaybackTest, EditWhileHeldSimulatesTheHeldFrameAgain) {
    load(std::filesystem::path(VINTREL_SOURCE_DIR) / "samples" / "fire.stn");
    document.startWorker();
    document.goToFrame(25);
    ASSERT_EQ(settle(), 25);
    const std::string before = shownTrace();

    document.startWorker();
    ASSERT_TRUE(document.setValue(memberId("m_move.speed"), 300));
    ASSERT_EQ(settle(), 25);
    const std::string after = shownTrace();
    EXPECT_NE(after, before);
    const std::filesystem::path edited = dir.path() / "edited.stn";
    ASSERT_TRUE(document.save(edited));
    EXPECT_EQ(after, cliTrace(edited, 25));

    // A change that restarts the effect (a rename) comes back to the held frame too.
    document.startWorker();
    ASSERT_TRUE(document.renameSelected("flame"));
    EXPECT_EQ(settle(), 25);
    EXPECT_EQ(shownTrace(), after);
}

} // namespace
} // namespace vintrel
