// A stop request in the middle of a view frame: a project whose node emits a huge number of
// particles at once (a damaged count) must not hold the worker up for the whole frame. The
// count here is far below the engine's cap so that the test stays small, but the particles
// come from the same simulation and go through the same frame.

#include "engine/simulation.h"
#include "gl_test_support.h"
#include "render/renderer.h"
#include "support/test_files.h"
#include "support/test_projects.h"

#include <atomic>
#include <thread>

namespace vintrel::test {
namespace {

constexpr int kParticles = 60'000;

class StopRequest : public GlDrawingTest {
protected:
    void SetUp() override {
        GlDrawingTest::SetUp();
        startProject(g, folder.path() / "work");
        EffectNode& node = *g.rootNode->m_children.front();
        node.m_timing.num = kParticles;
        simulation = std::make_unique<Simulation>(g);
        simulation->reset();
        simulation->step();
        Result<std::unique_ptr<Renderer>> made = Renderer::create(g, *simulation, g.viewCamera);
        ASSERT_TRUE(test::succeeded(made));
        renderer = std::move(made).value();
        renderer->setViewSize(kSize, kSize);
    }
    void TearDown() override { g.sim.quitRequested = false; }

    std::size_t drawableParticles() const {
        std::size_t count = 0;
        for (const Particle* p : simulation->particles()) {
            count += p->params().m_isDraw != 0 ? 1 : 0;
        }
        return count;
    }

    QImage drawFrame() {
        renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
        return target.read();
    }

    TempDir folder;
    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

TEST_F(StopRequest, FrameWithoutARequestDrawsEveryParticleInBothPassesOfBothWalks) {
    ASSERT_GE(simulation->particles().size(), static_cast<std::size_t>(kParticles));
    drawFrame();
    EXPECT_EQ(renderer->particleDraws(), 4 * drawableParticles());
}

TEST_F(StopRequest, RequestBeforeTheFrameLeavesTheParticlesUndrawn) {
    g.project.backColor = FloatXYZ{0, 0, 0};
    g.sim.quitRequested = true;
    const QImage stopped = drawFrame();
    EXPECT_EQ(renderer->particleDraws(), 0u);
    // The same frame without the request shows the particles over the grid.
    g.sim.quitRequested = false;
    EXPECT_NE(stopped, drawFrame());
}

TEST_F(StopRequest, RequestDuringTheFrameEndsItsWalks) {
    // Another thread raises the flag as soon as the frame has begun, as the editor's stop()
    // does while the worker draws.
    std::atomic<bool> raised{false};
    std::atomic<bool> frameOver{false};
    std::thread stopper([&] {
        while (!g.sim.isRendering.load() && !frameOver.load()) {
            std::this_thread::yield();
        }
        raised = !frameOver.load();
        g.sim.quitRequested = true;
    });
    drawFrame();
    frameOver = true;
    stopper.join();
    ASSERT_TRUE(raised.load());
    // The flag was up long before a whole pass of this many particles could be drawn.
    EXPECT_LT(renderer->particleDraws(), drawableParticles());
}

} // namespace
} // namespace vintrel::test
