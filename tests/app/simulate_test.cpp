// The simulation trace of every sample is pinned: any change of one particle value in any frame
// changes the hash. Optimisations of the engine must leave these hashes alone; a deliberate
// change of the simulation must update them and say why.
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Pinned {
    const char* sample;
    std::uint64_t hash; // FNV-1a 64 of the whole trace
    std::size_t size;   // bytes of the trace
};

// 130 frames: past the end of the 60- and 120-frame samples, so each loops at least once.
constexpr int kFrames = 130;
constexpr std::array<Pinned, 3> kPinned{{
    {"fire.stn", 0xc82d2d9a57739f1aULL, 2414344},
    {"sparks.stn", 0xf8e299155b0e1a3bULL, 1155929},
    {"magic_circle.stn", 0xeea0b9dfe451bd33ULL, 775720},
}};

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : bytes) {
        h = (h ^ c) * 0x100000001b3ULL;
    }
    return h;
}

// Runs `vintrel-cli simulate` with the given environment prefix and returns its output.
std::string simulate(const std::string& environment, const char* sample) {
    const std::string file = (fs::path(VINTREL_SOURCE_DIR) / "samples" / sample).string();
    const std::string command = environment + " '" + VINTREL_CLI_PATH + "' simulate '" + file +
                                "' --frames " + std::to_string(kFrames);
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return out;
}

TEST(SimulateTrace, EverySampleGivesItsPinnedTrace) {
    for (const Pinned& pinned : kPinned) {
        SCOPED_TRACE(pinned.sample);
        const std::string trace = simulate("LC_ALL=C", pinned.sample);
        EXPECT_EQ(trace.size(), pinned.size);
        EXPECT_EQ(fnv1a(trace), pinned.hash);
    }
}

// Users run the tool in their own locale; a comma as decimal separator must not leak in.
TEST(SimulateTrace, TheProcessLocaleChangesNothing) {
    if (std::system("locale -a 2>/dev/null | grep -qi '^de_DE.utf-\\?8$'") != 0) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    }
    for (const Pinned& pinned : kPinned) {
        SCOPED_TRACE(pinned.sample);
        EXPECT_EQ(simulate("LC_ALL=de_DE.UTF-8", pinned.sample), simulate("LC_ALL=C", pinned.sample));
    }
}

} // namespace
