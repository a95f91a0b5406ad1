// The particle walks of the view: depth between the two passes, the drawing order with
// sorting and reversal, the selected node's guide, hidden nodes, and the view frame as a whole.

#include "engine/simulation.h"
#include "gl_test_support.h"
#include "model/tree_operations.h"
#include "render/effect_renderer.h"
#include "render/renderer.h"
#include "support/test_files.h"
#include "support/test_projects.h"

namespace vintrel::test {
namespace {

// A simulation whose list holds particles the test places by hand.
class EffectDrawing : public GlDrawingTest {
protected:
    void SetUp() override {
        GlDrawingTest::SetUp();
        startProject(g, folder.path() / "work");
        simulation = std::make_unique<Simulation>(g);
        simulation->clear();
        g.pSelNode = nullptr; // no guide unless a test asks for one
        effects = std::make_unique<EffectRenderer>(g, *simulation, programs);
    }
    void TearDown() override {
        // The particles belong to the test, not to the simulation.
        simulation->mutableParticles().clear();
    }

    NodeRuntime& node(const EffectNode* of = nullptr) {
        auto& runtime = nodes.emplace_back(std::make_unique<NodeRuntime>());
        runtime->node = of != nullptr ? of : g.rootNode->m_children.front().get();
        runtime->params.m_shape.type = ShapeParams::Plane;
        return *runtime;
    }

    Particle& place(NodeRuntime& runtime, Vec3 pos, float size, Vec4 color) {
        auto& p = particles.emplace_back(std::make_unique<Particle>());
        p->node = &runtime;
        p->facing = &identity;
        p->pos = pos;
        p->scale = Vec3{size, size, size};
        p->color = color;
        p->age = 1;
        simulation->mutableParticles().push_back(p.get());
        return *p;
    }

    QImage drawView() {
        clear(0, 0, 0, 1);
        effects->drawView(camera, 1.0f);
        return target.read();
    }

    TempDir folder;
    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<EffectRenderer> effects;
    std::vector<std::unique_ptr<NodeRuntime>> nodes;
    std::vector<std::unique_ptr<Particle>> particles;
    Mat4 identity = Mat4::identity();
};

TEST_F(EffectDrawing, OpaqueParticleHidesTheOneBehindWhateverTheOrder) {
    NodeRuntime& n = node();
    for (bool nearFirst : {true, false}) {
        simulation->mutableParticles().clear();
        particles.clear();
        if (nearFirst) {
            place(n, {0, 0, 0}, 1, {1, 0, 0, 1});
            place(n, {0, 0, 1}, 2, {0, 1, 0, 1});
        } else {
            place(n, {0, 0, 1}, 2, {0, 1, 0, 1});
            place(n, {0, 0, 0}, 1, {1, 0, 0, 1});
        }
        g.project.sort = 0;
        const QImage image = drawView();
        expectNear(pixel(image, 32, 32), {255, 0, 0, 255}, 0, nearFirst ? "near first" : "near last");
        expectNear(pixel(image, 15, 32), {0, 255, 0, 255}, 0, "the far one around it");
    }
}

TEST_F(EffectDrawing, TranslucentParticleWritesNoDepth) {
    NodeRuntime& n = node();
    place(n, {0, 0, 1}, 2, {0, 1, 0, 1});
    place(n, {0, 0, 0}, 1, {1, 0, 0, 0.5f});
    g.project.sort = 1;
    // Red at half alpha over the opaque green behind it (alpha blends with the source alpha
    // too: 0.5 x 0.5 + 1 x 0.5).
    expectNear(pixel(drawView(), 32, 32), {128, 127, 0, 191}, 1, "blended");
}

TEST_F(EffectDrawing, SortedParticlesAreDrawnFarthestFirstUnlessReversed) {
    NodeRuntime& n = node();
    place(n, {0, 0, 0}, 1, {1, 0, 0, 0.5f}); // near
    place(n, {0, 0, 1}, 2, {0, 0, 1, 0.5f}); // far
    g.project.sort = 1;
    g.project.reverse = 0;
    // Blue first, then red over it: red 0.5, blue 0.25 (alpha 0.75, then 0.625).
    expectNear(pixel(drawView(), 32, 32), {128, 0, 64, 159}, 1, "farthest first");
    g.project.reverse = 1;
    expectNear(pixel(drawView(), 32, 32), {64, 0, 128, 159}, 1, "nearest first");
}

TEST_F(EffectDrawing, HiddenNodesAndShapesWithoutAModelDrawNothing) {
    NodeRuntime& hidden = node();
    hidden.params.m_isDraw = 0;
    place(hidden, {0, 0, 0}, 1, {1, 1, 1, 1});
    NodeRuntime& missingModel = node();
    missingModel.params.m_shape.type = ShapeParams::FirstModel + 3;
    place(missingModel, {0, 0, 0}, 1, {1, 1, 1, 1});
    expectNear(pixel(drawView(), 32, 32), {0, 0, 0, 255}, 0, "nothing drawn");
    EXPECT_EQ(effects->drawCount(), 0u);
}

int brightPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).red() > 10 ? 1 : 0;
        }
    }
    return count;
}

// Where the bright pixels of a picture lie across: their mean column.
double brightColumn(const QImage& image) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).red() > 10) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : -1;
}

// The guide shows where the selected node emits: once at the root's particle for a top-level
// node, once at each particle of the parent for a child node, never at the node's own
// particles; only for the selected node, and not while the display switch hides it.
TEST_F(EffectDrawing, GuideStandsAtEachParticleThatEmitsTheSelectedNode) {
    EffectNode& top = *g.rootNode->m_children.front();
    EffectNode& child = addChildNode(top);
    for (EffectNode* n : {&top, &child}) {
        n->m_emitter.type = EmitterParams::Box;
        n->m_emitter.size = FloatXYZ{0.3f, 0.3f, 0.3f};
        n->m_emitter.scaleFix = 1;
    }
    simulation->reset(); // the run-time copies of the nodes with these settings
    simulation->clear();
    const auto hidden = [&](const EffectNode& of) -> NodeRuntime& {
        NodeRuntime& runtime = node(&of);
        runtime.params.m_isDraw = 0; // only the guides can show
        return runtime;
    };
    NodeRuntime& root = hidden(*g.rootNode);
    NodeRuntime& tops = hidden(top);
    NodeRuntime& children = hidden(child);
    place(root, {0.6f, 0, 0}, 1, {1, 1, 1, 1});
    for (const Vec3 at : {Vec3{-0.6f, 0.5f, 0}, Vec3{-0.6f, -0.5f, 0}, Vec3{-0.6f, 0, 0}}) {
        place(tops, at, 1, {1, 1, 1, 1});
    }
    for (int k = 0; k < 5; ++k) {
        place(children, {0.7f, -0.6f + 0.3f * static_cast<float>(k), 0}, 1, {1, 1, 1, 1});
    }

    g.pSelNode = nullptr;
    EXPECT_EQ(brightPixels(drawView()), 0);
    EXPECT_EQ(effects->guideCount(), 0u);

    g.pSelNode = &top; // emitted by the root's particle, right of the centre
    const QImage topGuide = drawView();
    EXPECT_EQ(effects->guideCount(), 2u) << "one guide in each culling walk";
    EXPECT_GT(brightPixels(topGuide), 20);
    EXPECT_GT(brightColumn(topGuide), 40);

    g.pSelNode = &child; // emitted by the three particles of its parent, left of the centre
    const QImage childGuides = drawView();
    EXPECT_EQ(effects->guideCount(), 6u);
    EXPECT_LT(brightColumn(childGuides), 24);

    g.showGuide = false;
    EXPECT_EQ(brightPixels(drawView()), 0);
    EXPECT_EQ(effects->guideCount(), 0u);
}

// Translucent particles have nothing to draw in the opaque pass, and planes facing the camera
// nothing in the walk that culls front faces, so a frame of them takes one draw.
TEST_F(EffectDrawing, NeighboursSharingMeshTextureAndBlendGoInOneDraw) {
    constexpr int kCount = 1000;
    NodeRuntime& plain = node();
    for (int i = 0; i < kCount; ++i) {
        place(plain, {0.001f * static_cast<float>(i), 0, 0}, 1, {1, 1, 1, 0.5f});
    }
    effects->setPaths(DrawingPaths::reference());
    const QImage reference = drawView();
    EXPECT_EQ(effects->drawCallCount(), 4u * kCount);
    effects->setPaths(DrawingPaths{});
    EXPECT_EQ(drawView(), reference);
    EXPECT_EQ(effects->drawCount(), 4u * kCount);
    EXPECT_EQ(effects->drawCallCount(), 1u);
    // A particle of another blend between them splits the draw in three.
    NodeRuntime& additive = node();
    additive.params.m_texture.isAdd = 1;
    place(additive, {0, 0, 0}, 1, {1, 0, 0, 0.5f});
    std::swap(particles[kCount / 2], particles.back());
    std::swap(simulation->mutableParticles()[kCount / 2], simulation->mutableParticles().back());
    const QImage split = drawView();
    EXPECT_EQ(effects->drawCallCount(), 3u);
    effects->setPaths(DrawingPaths::reference());
    EXPECT_EQ(drawView(), split);
}

// A pass or culling walk where the particles' colour or facing says they cannot change a pixel
// issues no draw, and the frame stays the same.
TEST_F(EffectDrawing, OnlyPassesAndWalksThatCanChangeAPixelDraw) {
    struct Case {
        float alpha;
        bool turnedAway; // the plane shows its back, which the walk culling front faces draws
        std::size_t drawCalls;
    };
    const Case cases[] = {
        {1.0f, false, 2}, // both passes of the walk culling back faces
        {0.5f, false, 1}, // nowhere opaque: no pass 0
        {0.0f, false, 0}, // blends with alpha 0: no pass 1 either
        {1.0f, true, 2},  {0.5f, true, 1},
    };
    const Mat4 away = matrixRotationY(kPi);
    const QImage empty = drawView();
    for (const Case& c : cases) {
        simulation->mutableParticles().clear();
        particles.clear();
        NodeRuntime& n = node();
        for (int i = 0; i < 10; ++i) {
            Particle& p = place(n, {0.05f * static_cast<float>(i), 0, 0}, 1, {1, 0.5f, 0.25f, c.alpha});
            p.facing = c.turnedAway ? &away : &identity;
        }
        effects->setPaths(DrawingPaths::reference());
        const QImage reference = drawView();
        EXPECT_EQ(reference != empty, c.alpha > 0.0f) << "the planes show unless invisible";
        effects->setPaths(DrawingPaths{});
        EXPECT_EQ(drawView(), reference) << "alpha " << c.alpha << (c.turnedAway ? ", turned away" : "");
        EXPECT_EQ(effects->drawCallCount(), c.drawCalls)
            << "alpha " << c.alpha << (c.turnedAway ? ", turned away" : "");
    }
}

TEST_F(EffectDrawing, EmptyListShowsOnlyTheGrid) {
    ASSERT_TRUE(test::succeeded(Renderer::create(g, *simulation, g.viewCamera))); // builds in this context
    const auto renderer = Renderer::create(g, *simulation, g.viewCamera).value_or(nullptr);
    ASSERT_NE(renderer, nullptr);
    renderer->setViewSize(kSize, kSize);
    g.project.backColor = FloatXYZ{0, 0, 255};
    renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
    const QImage gridOnly = target.read();
    // Background blue with alpha 1 at a corner above the horizon, the grey grid below it.
    expectNear(pixel(gridOnly, 2, 2), {0, 0, 255, 255}, 0, "background");
    int grey = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Rgba p = pixel(gridOnly, x, y);
            grey += p.r > 20 && p.r == p.g ? 1 : 0;
        }
    }
    EXPECT_GT(grey, 50);
    // A particle of a hidden node leaves the frame as it was.
    NodeRuntime& hidden = node();
    hidden.params.m_isDraw = 0;
    place(hidden, {0, 0, 0}, 1, {1, 1, 1, 1});
    renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
    EXPECT_EQ(target.read(), gridOnly);
}

} // namespace
} // namespace vintrel::test
