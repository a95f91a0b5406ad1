// The export's faster copying against the plain one: the intermediate files of a whole export
// are the same bytes, for the samples and a project of every shape.

#include "engine/simulation.h"
#include "output/export_loop.h"
#include "output/export_settings.h"
#include "persist/project_file.h"
#include "render/gl_test_support.h"
#include "render/mixed_project.h"
#include "render/renderer.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

constexpr int kMixedPerNode = 1;
constexpr int kFirstFrame = 20;

class QuietProgress final : public ExportProgress {
public:
    void begin(int) override {}
    void step() override {}
    bool cancelRequested() override { return false; }
};

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExportPaths : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(test::sharedGlContext(), nullptr);
        ASSERT_TRUE(test::sharedGlContext()->makeCurrent());
        const fs::path workspace = folder.path() / "work";
        if (GetParam() != nullptr) {
            fs::create_directories(workspace);
            g.workspace = workspace;
            const BuiltInProjectDefaults defaults;
            ASSERT_TRUE(
                loadProject(g, fs::path(VINTREL_SOURCE_DIR) / "samples" / GetParam(), defaults, notifier));
            g.project.width = 64;
            g.project.height = 48;
        } else {
            // Every shape, but fewer of each: an export composes strip by strip, and the
            // hemisphere alone has dozens of strips per particle.
            test::buildMixedProject(g, workspace);
            for (auto& node : g.rootNode->m_children) {
                node->m_timing.num = kMixedPerNode;
            }
        }
        g.write.smooth = 2;
        g.write.start = kFirstFrame;
        g.write.end = kFirstFrame + frameCount() - 1;
        g.write.step = 1;
        simulation = std::make_unique<Simulation>(g);
        renderer = Renderer::create(g, *simulation, g.viewCamera).value_or(nullptr);
        ASSERT_NE(renderer, nullptr);
    }

    int frameCount() const { return GetParam() != nullptr ? 6 : 2; }

    // The intermediate files of an export through `paths`, by index.
    std::vector<std::string> exportFiles(const DrawingPaths& paths) {
        renderer->setDrawingPaths(paths);
        beginExportSize(g);
        QuietProgress progress;
        const ExportRun run = renderExportFrames(g, *simulation, *renderer, progress, notifier);
        EXPECT_EQ(run.outcome, ExportRun::Outcome::Completed);
        std::vector<std::string> files;
        for (int k = 0; k <= run.lastIndex; ++k) {
            files.push_back(fileBytes(intermediateFrame(g, k)));
        }
        return files;
    }

    test::TempDir folder;
    GlobalState g;
    test::RecordingNotifier notifier;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

TEST_P(ExportPaths, IntermediateFilesAreTheSameBytes) {
    // Over a transparent background (sheets, files, GIF) and an opaque one (video), where the
    // first strip of a walk composes over the cleared copy and the later ones over the target.
    constexpr int kSheet = 0;
    constexpr int kVideo = 2;
    for (int type : {kSheet, kVideo}) {
        g.write.type = type;
        const std::vector<std::string> reference = exportFiles(DrawingPaths::reference());
        ASSERT_EQ(reference.size(), static_cast<std::size_t>(frameCount()));
        for (ExportCopyPath copy : {ExportCopyPath::TouchedRectangle, ExportCopyPath::WhenRead}) {
            DrawingPaths paths;
            paths.exportCopy = copy;
            const std::vector<std::string> fast = exportFiles(paths);
            ASSERT_EQ(fast.size(), reference.size());
            for (std::size_t k = 0; k < reference.size(); ++k) {
                EXPECT_FALSE(reference[k].empty());
                EXPECT_TRUE(fast[k] == reference[k])
                    << "frame " << k << ", output type " << type << ", copy path " << static_cast<int>(copy);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SamplesAndMixedShapes, ExportPaths,
                         ::testing::Values("fire.stn", "sparks.stn", "magic_circle.stn", nullptr));

} // namespace
} // namespace vintrel
