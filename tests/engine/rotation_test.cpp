// Self-rotation, revolution, inherited shake and the particle world matrix.
#include "engine/simulation.h"
#include "engine/world_matrix.h"
#include "engine_test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vintrel {
namespace {

using enginetest::expectVecNear;
using enginetest::onlyParticleOf;
using enginetest::particlesOf;
using enginetest::Project;
using enginetest::stepFrames;

constexpr float kDeg = kPi / 180.0f;

// Travel with the one-way direction (0, 1, 0) x RotationX(dirX) x RotationY(dirY).
void travel(EffectNode& node, float dirX, float dirY, int speed) {
    node.m_move.isOneWay = 1;
    node.m_move.dirX = dirX;
    node.m_move.dirY = dirY;
    node.m_move.speed = speed;
}

// A child born in its parent's first update (parent age 0).
EffectNode& firstFrameChild(Project& project, EffectNode& parent) {
    EffectNode& child = project.addChild(parent);
    child.m_timing.type = TimingParams::ParentFrames;
    child.m_timing.start = 0;
    child.m_timing.end = 0;
    return child;
}

TEST(SpinAxis, TravelXFallsBackToXForStraightUpTravel) {
    Project project;
    EffectNode& up = project.top();
    up.m_rotate.axis = RotateParams::TravelX;
    travel(up, 0, 0, 10);
    EffectNode& forward = project.addChild(project.root());
    forward.m_rotate.axis = RotateParams::TravelX;
    travel(forward, 90, 0, 10); // along +Z
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    // No movement yet in either: the fallback.
    ASSERT_NE(onlyParticleOf(sim, up), nullptr);
    ASSERT_NE(onlyParticleOf(sim, forward), nullptr);
    expectVecNear(onlyParticleOf(sim, forward)->spinAxis, Vec3{1, 0, 0}, 1e-6f);
    for (int frame = 2; frame <= 4; ++frame) {
        sim.step();
        EXPECT_EQ(onlyParticleOf(sim, up)->spinAxis, (Vec3{1, 0, 0})) << "frame " << frame;
        // delta x (0, 1, 0) for travel along +Z: (-1, 0, 0).
        expectVecNear(onlyParticleOf(sim, forward)->spinAxis, Vec3{-1, 0, 0}, 1e-6f);
    }
}

TEST(SpinAxis, TravelYFallsBackToYAndTravelZUsesThisFramesMove) {
    Project project;
    EffectNode& sideways = project.top();
    sideways.m_rotate.axis = RotateParams::TravelY;
    travel(sideways, 90, 90, 10); // along +X
    EffectNode& up = project.addChild(project.root());
    up.m_rotate.axis = RotateParams::TravelY;
    travel(up, 0, 0, 10);
    EffectNode& alongTravel = project.addChild(project.root());
    alongTravel.m_rotate.axis = RotateParams::TravelZ;
    travel(alongTravel, 0, 0, 10);
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    // The travel axis needs no earlier move: pos - prevPos of this update.
    expectVecNear(onlyParticleOf(sim, alongTravel)->spinAxis, Vec3{0, 1, 0}, 1e-6f);
    sim.step();
    expectVecNear(onlyParticleOf(sim, sideways)->spinAxis, Vec3{0, 1, 0}, 1e-6f);
    // delta x (1, 0, 0) for travel up: (0, 0, -1).
    expectVecNear(onlyParticleOf(sim, up)->spinAxis, Vec3{0, 0, -1}, 1e-6f);
}

TEST(SpinAxis, ParentOrientationWithAndWithoutAParent) {
    Project project;
    EffectNode& parent = project.top();
    parent.m_shape.dir = ShapeParams::Back;
    EffectNode& child = firstFrameChild(project, parent);
    child.m_rotate.axis = RotateParams::ParentOrientation;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    const Particle* c = onlyParticleOf(sim, child);
    ASSERT_NE(c, nullptr);
    // (0, 0, -1) turned by the parent's back facing (RotationX(pi)).
    expectVecNear(c->spinAxis, Vec3{0, 0, 1}, 1e-6f);

    // A particle without a parent takes (0, 0, -1).
    Particle& orphan = *sim.create(*c->node, nullptr);
    sim.append(orphan);
    orphan.spinAxis = {0.6f, 0.8f, 0};
    EXPECT_FALSE(sim.update(orphan));
    expectVecNear(orphan.spinAxis, Vec3{0, 0, -1}, 1e-6f);
}

TEST(SpinAxis, ParentTravelWithoutAParentKeepsThePreviousAxis) {
    Project project;
    EffectNode& parent = project.top();
    travel(parent, 0, 0, 10);
    parent.m_kill.span = 1; // dies in frame 2
    EffectNode& child = project.addChild(parent);
    child.m_timing.type = TimingParams::ParentDeath;
    child.m_rotate.axis = RotateParams::ParentTravel;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 2);
    const Particle* c = onlyParticleOf(sim, child);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->parent, nullptr);
    // Its first update took the dying parent's last move (straight up); the update without
    // a parent kept it.
    expectVecNear(c->spinAxis, Vec3{0, 1, 0}, 1e-6f);
    sim.step();
    expectVecNear(onlyParticleOf(sim, child)->spinAxis, Vec3{0, 1, 0}, 1e-6f);

    // Directly: a particle without a parent keeps whatever axis it had.
    Particle& orphan = *sim.create(*onlyParticleOf(sim, child)->node, nullptr);
    sim.append(orphan);
    orphan.spinAxis = {0.6f, 0.8f, 0};
    EXPECT_FALSE(sim.update(orphan));
    expectVecNear(orphan.spinAxis, Vec3{0.6f, 0.8f, 0}, 1e-6f);
}

TEST(SpinAngle, FullTurnOverTheLifeInTheNegativeSense) {
    Project project(100); // longer than the particles' life of 60 frames
    EffectNode& normal = project.top();
    normal.m_rotate.angle = 360;
    normal.m_rotate.dir = RotateParams::Normal;
    EffectNode& reversed = project.addChild(project.root());
    reversed.m_rotate.angle = 360;
    reversed.m_rotate.dir = RotateParams::Reversed;
    Simulation sim(project.g);
    sim.reset();
    float previous = 1.0f;
    for (int frame = 1; frame <= 60; ++frame) {
        sim.step();
        const Particle* n = onlyParticleOf(sim, normal);
        const Particle* r = onlyParticleOf(sim, reversed);
        ASSERT_NE(n, nullptr);
        ASSERT_NE(r, nullptr);
        // The update of frame k sees age k - 1: 360 x (k - 1) / 60 degrees.
        const float expected = -6.0f * static_cast<float>(frame - 1);
        EXPECT_NEAR(n->spinAngle, expected, 1e-3f) << "frame " << frame;
        EXPECT_NEAR(r->spinAngle, -expected, 1e-3f) << "frame " << frame;
        EXPECT_LT(n->spinAngle, previous);
        previous = n->spinAngle;
        if (frame == 16) {
            // -90 degrees about Z: X turns to -Y.
            EXPECT_FLOAT_EQ(n->spinAngle, -90.0f);
            expectVecNear(transformCoord(Vec3{1, 0, 0}, n->spinMatrix), Vec3{0, -1, 0}, 1e-6f);
            expectVecNear(transformCoord(Vec3{1, 0, 0}, r->spinMatrix), Vec3{0, 1, 0}, 1e-6f);
        }
    }
    sim.step(); // age 60: the end of its life
    EXPECT_TRUE(particlesOf(sim, normal).empty());
}

struct ParentPath {
    int gravity;
    FloatXYZ attractor;
    float power;
};

class RevolutionAboutAMovingParent : public ::testing::TestWithParam<ParentPath> {};

TEST_P(RevolutionAboutAMovingParent, FortyFiveDegreesAtHalfLife) {
    const ParentPath path = GetParam();
    Project project;
    EffectNode& parent = project.top();
    parent.m_kill.span = 100;
    parent.m_move.gravity = path.gravity;
    parent.m_move.absorbPos = path.attractor;
    parent.m_move.absorbPawer = path.power;
    EffectNode& child = firstFrameChild(project, parent);
    child.m_emitter.pos = {1, 0, 0}; // one unit beside the parent
    child.m_move.isFollow = 1;       // carried along with the parent
    child.m_rotate.revAxis = RotateParams::RevY;
    child.m_rotate.revAngle = 90;
    child.m_rotate.revDir = RotateParams::Normal;
    child.m_kill.span = 40;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 20);
    const Particle* p = onlyParticleOf(sim, parent);
    const Particle* c = onlyParticleOf(sim, child);
    ASSERT_NE(p, nullptr);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->age, 20);
    EXPECT_FLOAT_EQ(c->orbitAngle, -45.0f);
    // (1, 0, 0) x RotationY(-45 degrees) = (cos 45, 0, sin 45).
    const float r = std::cos(45.0f * kDeg);
    expectVecNear(c->pos - p->pos, Vec3{r, 0, r}, 1e-4f);
    if (path.gravity != 0 || path.power != 0) {
        EXPECT_GT(length(p->pos), 0.05f); // the parent did move
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, RevolutionAboutAMovingParent,
                         ::testing::Values(ParentPath{0, {0, 0, 0}, 0}, ParentPath{30, {50, 0, 20}, 50},
                                           ParentPath{0, {-30, 10, 0}, 200}));

TEST(ParentShake, ChainsAcrossGenerationsButNotFromTheRoot) {
    Project project;
    project.root().m_move.shake = 50;
    EffectNode& a = project.top();
    a.m_move.shake = 50;
    EffectNode& b = firstFrameChild(project, a);
    b.m_move.shake = 50;
    EffectNode& c = firstFrameChild(project, b);
    c.m_move.shake = 50;
    EffectNode& cOwnOnly = firstFrameChild(project, b);
    cOwnOnly.m_move.shake = 50;
    cOwnOnly.m_move.isParentShake = 0;
    EffectNode& bOwnOnly = firstFrameChild(project, a);
    bOwnOnly.m_move.shake = 50;
    bOwnOnly.m_move.isParentShake = 0;
    EffectNode& cBelowOwnOnly = firstFrameChild(project, bOwnOnly);
    cBelowOwnOnly.m_move.shake = 50;
    project.g.project.randomSeed = 21;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 2);

    const Particle* root = sim.particles().front();
    const Particle* pa = onlyParticleOf(sim, a);
    const Particle* pb = onlyParticleOf(sim, b);
    const Particle* pc = onlyParticleOf(sim, c);
    const Particle* pcOwn = onlyParticleOf(sim, cOwnOnly);
    const Particle* pbOwn = onlyParticleOf(sim, bOwnOnly);
    const Particle* pcBelow = onlyParticleOf(sim, cBelowOwnOnly);
    for (const Particle* p : {pa, pb, pc, pcOwn, pbOwn, pcBelow}) {
        ASSERT_NE(p, nullptr);
        ASSERT_GT(length(p->shake), 0.0f); // every offset counts in the sums below
    }
    ASSERT_GT(length(root->shake), 0.0f);

    expectVecNear(inheritedShake(*pa), Vec3{}, 0.0f);
    expectVecNear(inheritedShake(*pb), pa->shake, 1e-6f);
    expectVecNear(inheritedShake(*pc), pb->shake + pa->shake, 1e-6f);
    expectVecNear(inheritedShake(*pcOwn), Vec3{}, 0.0f);
    // The chain stops at a parent that does not follow its own parent's shake.
    expectVecNear(inheritedShake(*pbOwn), Vec3{}, 0.0f);
    expectVecNear(inheritedShake(*pcBelow), pbOwn->shake, 1e-6f);

    // The drawn position is pos + own shake + the chain.
    const Mat4 world = particleWorldMatrix(*pc, nullptr, false);
    const Vec3 drawnAt = pc->pos + pc->shake + pb->shake + pa->shake;
    EXPECT_NEAR(world.m[3][0], drawnAt.x, 1e-6f);
    EXPECT_NEAR(world.m[3][1], drawnAt.y, 1e-6f);
    EXPECT_NEAR(world.m[3][2], drawnAt.z, 1e-6f);
    const Mat4 topWorld = particleWorldMatrix(*pa, nullptr, false);
    EXPECT_NEAR(topWorld.m[3][0], pa->pos.x + pa->shake.x, 1e-6f);
    EXPECT_NEAR(topWorld.m[3][1], pa->pos.y + pa->shake.y, 1e-6f);
    EXPECT_NEAR(topWorld.m[3][2], pa->pos.z + pa->shake.z, 1e-6f);
}

TEST(DirectionAlignment, TurnsMinusZOntoTheTravelDirection) {
    EXPECT_EQ(directionAlignment(Vec3{0, 0, -1}), Mat4::identity());
    EXPECT_EQ(directionAlignment(Vec3{0, 0, 1}), matrixRotationY(kPi));
    const std::vector<Vec3> directions{{0, 0, 1},  {0, 0, -1},         {1, 0, 0},
                                       {0, -1, 0}, {0.6f, 0.8f, 0.0f}, {0.48f, 0.6f, 0.64f}};
    for (const Vec3& v : directions) {
        const Mat4 d = directionAlignment(v);
        ASSERT_TRUE(isFinite(d));
        expectVecNear(transformNormal(Vec3{0, 0, -1}, d), v, 1e-5f);
    }
}

TEST(WorldMatrix, FiniteWhenTravellingAlongZOrStandingStill) {
    Project project;
    EffectNode& top = project.top();
    top.m_shape.isDir = 1;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    Particle& p = *sim.create(*root->node->children.front(), root);
    sim.append(p);
    p.pos = {1, 2, 3};

    const CameraFrame camera = makeCameraFrame(Mat4::identity(), {0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    struct Case {
        Vec3 delta;
        Vec3 dir;
        Vec3 facing; // where -Z ends up
    };
    const std::vector<Case> cases{
        {{0, 0, 0.5f}, {1, 0, 0}, {0, 0, 1}},   // along +Z
        {{0, 0, -0.5f}, {1, 0, 0}, {0, 0, -1}}, // along -Z
        {{0, 0, 0}, {0, 0, 1}, {0, 0, 1}},      // standing still: the direction counts
        {{0, 0, 0}, {0, 0, -1}, {0, 0, -1}},    {{0, 0, 0}, {0, 0, 0}, {0, 0, -1}}, // nothing to align with
    };
    for (const Case& c : cases) {
        p.delta = c.delta;
        p.dir = c.dir;
        const Mat4 world = particleWorldMatrix(p, nullptr, false);
        ASSERT_TRUE(isFinite(world));
        expectVecNear(transformNormal(Vec3{0, 0, -1}, world), c.facing, 1e-5f);
        EXPECT_EQ(world.m[3][0], 1.0f + p.shake.x);
        EXPECT_TRUE(isFinite(particleWorldMatrix(p, &camera, true)));
        EXPECT_TRUE(isFinite(particleWorldMatrix(p, &camera, false)));
    }
}

TEST(WorldMatrix, CylinderLeavesOutTheScaleAndSameParentTakesTheParentsFacing) {
    Project project;
    EffectNode& parent = project.top();
    parent.m_shape.dir = ShapeParams::Back;
    EffectNode& cylinder = firstFrameChild(project, parent);
    cylinder.m_shape.type = ShapeParams::Cylinder;
    EffectNode& plane = firstFrameChild(project, parent);
    plane.m_shape.type = ShapeParams::Plane;
    plane.m_rotate.isSameParent = 1;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    Particle* cyl = onlyParticleOf(sim, cylinder);
    Particle* pl = onlyParticleOf(sim, plane);
    ASSERT_NE(cyl, nullptr);
    ASSERT_NE(pl, nullptr);
    cyl->scale = {2, 3, 4};
    pl->scale = {2, 3, 4};

    const Mat4 cw = particleWorldMatrix(*cyl, nullptr, false);
    expectVecNear(transformNormal(Vec3{1, 1, 1}, cw), Vec3{1, 1, 1}, 1e-6f);

    // Scaled, then turned by the parent's back facing (RotationX(pi)): y and z change sign.
    const Mat4 pw = particleWorldMatrix(*pl, nullptr, false);
    expectVecNear(transformNormal(Vec3{1, 1, 1}, pw), Vec3{2, -3, -4}, 1e-5f);
}

} // namespace
} // namespace vintrel
