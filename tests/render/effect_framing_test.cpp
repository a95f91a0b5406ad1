// "Frame the effect": the camera it gives shows every particle of the effect over its whole
// length.
#include "engine/simulation.h"
#include "model/global_state.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"
#include "render/camera.h"
#include "render/effect_framing.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <iostream>

namespace vintrel {
namespace {

constexpr float kAspect = 16.0f / 9.0f;

// The view's camera for `pose`, as the renderer makes it.
Camera cameraAt(const ViewCameraPose& pose) {
    Camera camera;
    camera.eye = Vec3{pose.eye.x, pose.eye.y, pose.eye.z};
    camera.target = Vec3{pose.target.x, pose.target.y, pose.target.z};
    camera.up = Vec3{0, 1, 1};
    CameraControl().correctUp(camera, kAspect);
    return camera;
}

// How many particles, over the whole length, fall outside the view of `camera`; `seen` counts
// those inside.
int particlesOutside(GlobalState& g, const Camera& camera, int& seen) {
    Simulation simulation(g);
    simulation.reset();
    int outside = 0;
    const Mat4 viewProjection = camera.view * camera.projection;
    for (int frame = 1; frame <= g.project.frame; ++frame) {
        simulation.step();
        for (const Particle* p : simulation.particles()) {
            const int id = p->node->node->m_ID;
            if (p->node->isRoot || id == EffectNode::kCameraPositionId || id == EffectNode::kCameraTargetId) {
                continue;
            }
            const Vec3 at = transformCoord(p->pos + p->shake, viewProjection);
            const bool inside = at.x >= -1 && at.x <= 1 && at.y >= -1 && at.y <= 1 && at.z > 0 && at.z < 1;
            ++(inside ? seen : outside);
        }
    }
    return outside;
}

TEST(EffectFraming, EveryParticleOfTheSamplesIsInView) {
    for (const char* sample : {"fire.stn", "sparks.stn", "magic_circle.stn"}) {
        SCOPED_TRACE(sample);
        test::TempDir dir;
        GlobalState g;
        g.workspace = dir.path();
        StreamNotifier notifier(std::cerr);
        ASSERT_TRUE(loadProject(g, std::filesystem::path(VINTREL_SOURCE_DIR) / "samples" / sample,
                                BuiltInProjectDefaults(), notifier));
        // Looking from far off to one side, the effect is first out of view.
        const ViewCameraPose away{{600, 40, -300}, {600, 0, 0}};
        int seenAway = 0;
        EXPECT_GT(particlesOutside(g, cameraAt(away), seenAway), 0);
        GlobalState copy;
        copyProject(g, copy);
        const ViewCameraPose framed = framingPose(copy, away, kAspect);
        int seen = 0;
        EXPECT_EQ(particlesOutside(g, cameraAt(framed), seen), 0);
        EXPECT_GT(seen, 0);
        // From the same side as before.
        const Vec3 before =
            Vec3{away.eye.x - away.target.x, away.eye.y - away.target.y, away.eye.z - away.target.z};
        const Vec3 after = Vec3{framed.eye.x - framed.target.x, framed.eye.y - framed.target.y,
                                framed.eye.z - framed.target.z};
        EXPECT_NEAR(dot(normalize(before), normalize(after)), 1.0f, 1e-4f);
    }
}

TEST(EffectFraming, AnEffectWithoutParticlesKeepsTheCamera) {
    GlobalState g;
    resetProject(g, BuiltInProjectDefaults());
    resetCameraNodes(g);
    g.rootNode->clearChildren();
    const ViewCameraPose current{{1, 2, 3}, {4, 5, 6}};
    const ViewCameraPose framed = framingPose(g, current, kAspect);
    EXPECT_EQ(framed.eye.x, 1);
    EXPECT_EQ(framed.target.z, 6);
}

} // namespace
} // namespace vintrel
