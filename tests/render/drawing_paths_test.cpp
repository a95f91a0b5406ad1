// The faster drawing paths against the plain ones: every sample and a project of every shape,
// blend, atlas cell and under-cut, with the node selected and not, in the view and as an
// export frame.

#include "drawing_scene.h"
#include "mixed_project.h"
#include "support/test_files.h"

namespace vintrel::test {
namespace {

struct SceneCase {
    const char* sample; // null: the mixed project
    int frame;
};

const SceneCase kScenes[] = {
    {"fire.stn", 30},
    {"sparks.stn", 20},
    {"magic_circle.stn", 40},
    {nullptr, kMixedFrame},
};

void hideAll(EffectNode& node) {
    node.m_isDraw = 0;
    for (auto& child : node.m_children) {
        hideAll(*child);
    }
}

class DrawingPaths_ : public ::testing::TestWithParam<SceneCase> {
protected:
    void SetUp() override {
        ASSERT_NE(sharedGlContext(), nullptr);
        ASSERT_TRUE(sharedGlContext()->makeCurrent());
        const SceneCase scene = GetParam();
        const std::filesystem::path workspace = folder.path() / "work";
        if (scene.sample != nullptr) {
            ASSERT_TRUE(this->scene.loadSample(scene.sample, workspace));
        } else {
            buildMixedProject(this->scene.g, workspace);
        }
        ASSERT_TRUE(this->scene.start(scene.frame));
        ASSERT_GT(this->scene.simulation->particles().size(), 3u);
    }

    // The first node with live particles whose guide shows in the view.
    EffectNode* nodeWithParticles() {
        scene.g.pSelNode = nullptr;
        const QImage unselected = scene.viewFrame(DrawingPaths::reference());
        for (const Particle* p : scene.simulation->particles()) {
            auto* node = const_cast<EffectNode*>(p->node->node); // owned by scene.g
            if (node == scene.g.rootNode.get() || node == scene.g.cameraNode.get() ||
                node == scene.g.targetNode.get()) {
                continue;
            }
            scene.g.pSelNode = node;
            const bool shows = scene.viewFrame(DrawingPaths::reference()) != unselected;
            scene.g.pSelNode = nullptr;
            if (shows) {
                return node;
            }
        }
        return nullptr;
    }

    TempDir folder;
    DrawingScene scene;
};

TEST_P(DrawingPaths_, ViewFrameIsTheSameWithoutASelection) {
    scene.g.pSelNode = nullptr;
    const QImage reference = scene.viewFrame(DrawingPaths::reference());
    const QImage fast = scene.viewFrame(DrawingPaths{});
    EXPECT_EQ(compareImages(reference, fast).pixels, 0);
    DrawingPaths everyPass;
    everyPass.emptyDraws = EmptyDraws::Drawn;
    EXPECT_EQ(compareImages(reference, scene.viewFrame(everyPass)).pixels, 0) << "batched, both passes";
    // The frame shows something besides the background, or the comparison says little.
    EXPECT_NE(reference.pixelColor(0, 0),
              reference.pixelColor(reference.width() / 2, reference.height() / 2));
}

TEST_P(DrawingPaths_, GuidesAloneAreTheSameWhenBatched) {
    EffectNode* selected = nodeWithParticles();
    ASSERT_NE(selected, nullptr);
    scene.g.pSelNode = selected;
    // Only the guides show: the particles' own draws are hidden, so nothing is drawn between
    // two guides and the order of the guide draws is the only thing the paths change.
    hideAll(*scene.g.rootNode);
    scene.simulation->step();
    const QImage reference = scene.viewFrame(DrawingPaths::reference());
    const QImage fast = scene.viewFrame(DrawingPaths{});
    EXPECT_EQ(compareImages(reference, fast).pixels, 0);
    scene.g.pSelNode = nullptr;
    EXPECT_GT(compareImages(reference, scene.viewFrame(DrawingPaths{})).pixels, 0) << "the guides show";
}

// Batched guides are drawn after the walk's particles instead of between them, so a guide
// line now lies over the particles drawn after its own: pixels differ, but only where a guide
// line lies.
TEST_P(DrawingPaths_, SelectedNodeViewFrameDiffersOnlyOnGuideLines) {
    EffectNode* selected = nodeWithParticles();
    ASSERT_NE(selected, nullptr);
    const QImage unselected = scene.viewFrame(DrawingPaths{});
    scene.g.pSelNode = selected;
    const QImage reference = scene.viewFrame(DrawingPaths::reference());
    const QImage fast = scene.viewFrame(DrawingPaths{});
    int offGuide = 0;
    for (int y = 0; y < fast.height(); ++y) {
        for (int x = 0; x < fast.width(); ++x) {
            const bool onGuide =
                fast.pixel(x, y) != unselected.pixel(x, y) || reference.pixel(x, y) != unselected.pixel(x, y);
            offGuide += !onGuide && fast.pixel(x, y) != reference.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(offGuide, 0);
    const DrawingPaths perParticleGuides{GuidePath::PerParticle, ExportCopyPath::TouchedRectangle};
    EXPECT_EQ(compareImages(reference, scene.viewFrame(perParticleGuides)).pixels, 0);
}

TEST_P(DrawingPaths_, ExportFrameIsTheSame) {
    const QImage reference = scene.exportFrame(DrawingPaths::reference());
    const QImage fast = scene.exportFrame(DrawingPaths{});
    ASSERT_FALSE(reference.isNull());
    const ImageDifference difference = compareImages(reference, fast);
    EXPECT_EQ(difference.pixels, 0) << "largest difference " << difference.largest;
}

INSTANTIATE_TEST_SUITE_P(EverySampleAndMixedShapes, DrawingPaths_, ::testing::ValuesIn(kScenes));

} // namespace
} // namespace vintrel::test
