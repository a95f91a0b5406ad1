// Resident memory per live particle: the growth of the process's resident set while an effect
// goes from a handful of particles to about 100,000, divided by the particles alive, first for
// the simulation alone, then for what one view frame at 640 x 360 adds on top (the renderer and
// its context are made beforehand, so their fixed cost is not counted). Two effects: plain
// billboards, and the synthetic effect with trails, random facing and deep emitter trees.
#include "bench/bench_support.h"
#include "bench/synthetic_project.h"
#include "engine/simulation.h"
#include "platform/egl_context.h"
#include "render/render_target.h"
#include "render/renderer.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace vintrel::bench {

namespace {

constexpr int kViewWidth = 640;
constexpr int kViewHeight = 360;
constexpr int kBillboardsPerFrame = 2'000;
constexpr int kBillboardLife = 50; // frames: 100,000 alive once the first ones die

long long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

void buildBillboards(GlobalState& g) {
    const BuiltInProjectDefaults defaults;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
    g.project.frame = 200;
    EffectNode& node = *g.rootNode->m_children.front();
    node.m_timing.start = 1;
    node.m_timing.end = 200;
    node.m_timing.often = 1;
    node.m_timing.num = kBillboardsPerFrame;
    node.m_kill.span = kBillboardLife;
    node.m_emitter.type = EmitterParams::Sphere;
    node.m_emitter.size = FloatXYZ{8, 8, 8};
    node.m_move.speed = 5;
    node.m_scale.max = 3;
}

// Steps to `frame` and reports the growth per live particle, then one view frame's.
void measure(const char* name, GlobalState& g, int frame, HeadlessGlContext* context) {
    Simulation simulation(g);
    simulation.reset();
    simulation.step();
    std::unique_ptr<Renderer> renderer;
    RenderTarget target;
    if (context != nullptr) {
        renderer = Renderer::create(g, simulation, g.viewCamera).value_or(nullptr);
        if (renderer != nullptr && target.create(kViewWidth, kViewHeight)) {
            renderer->setViewSize(kViewWidth, kViewHeight);
            renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0); // fixed costs first
            glFinish();
        }
    }
    const long long before = residentBytes();
    while (simulation.currentFrame() <= static_cast<std::uint32_t>(frame)) {
        simulation.step();
    }
    const long long simulated = residentBytes();
    const auto live = static_cast<double>(simulation.particles().size());
    std::printf("%-12s %9.0f live particles: simulation %6.0f bytes each", name, live,
                static_cast<double>(simulated - before) / live);
    if (renderer != nullptr) {
        renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
        glFinish();
        std::printf(", one view frame adds %6.0f bytes each",
                    static_cast<double>(residentBytes() - simulated) / live);
    }
    std::printf("\n");
}

} // namespace

} // namespace vintrel::bench

int main() {
    using namespace vintrel;
    using namespace vintrel::bench;
    std::unique_ptr<HeadlessGlContext> context = HeadlessGlContext::create().value_or(nullptr);
    if (context == nullptr || !context->makeCurrent()) {
        std::printf("no headless OpenGL context: the view is not measured\n");
        context.reset();
    }
    {
        TemporaryFolder workspace;
        GlobalState g;
        g.workspace = workspace.path();
        buildBillboards(g);
        measure("billboards", g, 120, context.get());
    }
    {
        TemporaryFolder workspace;
        GlobalState g;
        g.workspace = workspace.path();
        buildSyntheticProject(g);
        measure("synthetic", g, kSyntheticFrames * 3 / 4, context.get());
    }
    return 0;
}
