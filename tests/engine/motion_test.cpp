// Per-frame motion and lifetime of a particle: gravity, attractor, travel, size, colour, shake
// and the three ways to die.
#include "engine/random.h"
#include "engine/simulation.h"
#include "engine_test_support.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using enginetest::Lcg;
using enginetest::onlyParticleOf;
using enginetest::particlesOf;
using enginetest::Project;
using enginetest::stepFrames;

// Travel straight up at `speed` (speed / 50 per frame).
void travelUp(EffectNode& node, int speed) {
    node.m_move.isOneWay = 1;
    node.m_move.dirX = 0;
    node.m_move.dirY = 0;
    node.m_move.speed = speed;
}

void setFlat(Graph& curve, float y) {
    curve.setPoints({{0, y}, {100, y}});
}

TEST(Gravity, HeightFallsByTheTriangularNumber) {
    Project project;
    project.top().m_move.gravity = 10;
    project.top().m_kill.span = 100;
    Simulation sim(project.g);
    sim.reset();
    for (int n = 1; n <= 40; ++n) {
        sim.step();
        const Particle* p = onlyParticleOf(sim, project.top());
        ASSERT_NE(p, nullptr);
        // The velocity changes after the move: 0, 0.001, 0.002, ... per update.
        const float expected = -0.001f * static_cast<float>(n * (n - 1)) / 2.0f;
        EXPECT_NEAR(p->pos.y, expected, 1e-7f + 1e-5f * std::fabs(expected)) << "after " << n << " updates";
        EXPECT_EQ(p->pos.x, 0.0f);
        EXPECT_EQ(p->pos.z, 0.0f);
        EXPECT_NEAR(p->fall.y, -0.001f * static_cast<float>(n), 1e-6f);
    }
}

TEST(Attractor, PullsTowardsATenthOfThePoint) {
    Project project;
    project.top().m_move.absorbPos = {10, 0, 0};
    project.top().m_move.absorbPawer = 100; // 0.01 per frame squared
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 5);
    const Particle* p = onlyParticleOf(sim, project.top());
    ASSERT_NE(p, nullptr);
    // Moves by the pull before adding to it: 0, 0.01, 0.02, 0.03, 0.04.
    EXPECT_NEAR(p->pos.x, 0.1f, 1e-6f);
    EXPECT_NEAR(p->pull.x, 0.05f, 1e-6f);
}

TEST(Attractor, PullsTwiceWhileTheParticleMovesAway) {
    Project project;
    EffectNode& top = project.top();
    top.m_move.absorbPos = {10, 0, 0};
    top.m_move.absorbPawer = 100;
    // Travels along -X at 0.02 per frame, away from the point.
    top.m_move.isOneWay = 1;
    top.m_move.dirX = 90;
    top.m_move.dirY = -90;
    top.m_move.speed = 1;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 4);
    const Particle* p = onlyParticleOf(sim, project.top());
    ASSERT_NE(p, nullptr);
    // Worked by hand: pull 0.01, 0.03 (doubled), 0.05 (doubled), 0.06; the particle ends at
    // -0.02, -0.03, -0.02, 0.01.
    EXPECT_NEAR(p->pull.x, 0.06f, 1e-6f);
    EXPECT_NEAR(p->pos.x, 0.01f, 1e-6f);
}

TEST(Travel, SpeedCurveOnTheMiddleLineKeepsTheParticleInPlace) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.pos = {1, 2, 3};
    travelUp(top, 50);
    setFlat(top.graph(SlotSpeed), 50);
    Simulation sim(project.g);
    sim.reset();
    for (int n = 1; n <= 10; ++n) {
        sim.step();
        const Particle* p = onlyParticleOf(sim, top);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->pos, (Vec3{1, 2, 3})) << "after " << n << " updates";
    }
}

TEST(Travel, SpeedCurveBelowTheMiddleLineMovesBackwards) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.pos = {1, 2, 3};
    travelUp(top, 50);
    setFlat(top.graph(SlotSpeed), 100); // -1
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 5);
    const Particle* p = onlyParticleOf(sim, top);
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->pos.y, 2.0f - 5.0f);
    EXPECT_FLOAT_EQ(p->pos.x, 1.0f);
}

TEST(Travel, FullSpeedCurveMovesSpeedOverFiftyPerFrame) {
    Project project;
    travelUp(project.top(), 10);
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 3);
    const Particle* p = onlyParticleOf(sim, project.top());
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->pos.y, 0.6f);
    EXPECT_FLOAT_EQ(p->delta.y, 0.2f);
    EXPECT_FLOAT_EQ(p->prevPos.y, 0.4f);
}

TEST(Size, CurvesTimesMaxOverTen) {
    Project project;
    EffectNode& top = project.top();
    top.m_scale.max = 20;
    setFlat(top.graph(SlotWidth), 50);       // 0.5
    setFlat(top.graph(SlotOverallSize), 50); // 0.5
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    const Particle* p = onlyParticleOf(sim, top);
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->scale.x, 0.5f);
    EXPECT_FLOAT_EQ(p->scale.y, 1.0f);
    EXPECT_FLOAT_EQ(p->scale.z, 1.0f);
}

TEST(Death, LandingNeedsABelowGroundPositionAndADownwardMove) {
    // Starts at y = -1 moving up 0.1 per frame against gravity 0.015 per frame squared: it
    // rises for seven updates, first moves down in update 8 and stays below ground.
    for (int isLand : {1, 0}) {
        Project project;
        EffectNode& top = project.top();
        top.m_emitter.pos = {0, -1, 0};
        travelUp(top, 5);
        top.m_move.gravity = 150;
        top.m_kill.span = 100;
        top.m_kill.isLand = isLand;
        Simulation sim(project.g);
        sim.reset();
        stepFrames(sim, 8);
        const Particle* p = onlyParticleOf(sim, top);
        ASSERT_NE(p, nullptr);
        EXPECT_LT(p->pos.y, 0.0f);
        EXPECT_LT(p->delta.y, 0.0f);
        sim.step();
        if (isLand != 0) {
            EXPECT_TRUE(particlesOf(sim, top).empty()) << "should land in update 9";
        } else {
            EXPECT_EQ(particlesOf(sim, top).size(), 1u);
        }
    }
}

TEST(Death, LandingFromAbove) {
    // y = 0.05 - 0.005 n (n - 1): 0.02 after three updates, -0.01 in the fourth.
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.pos = {0, 0.05f, 0};
    top.m_move.gravity = 100;
    top.m_kill.isLand = 1;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 3);
    ASSERT_EQ(particlesOf(sim, top).size(), 1u);
    sim.step();
    EXPECT_TRUE(particlesOf(sim, top).empty());
}

TEST(Death, KillFrameRemovesEveryAgeInThatFrame) {
    for (int isFrame : {1, 0}) {
        Project project;
        EffectNode& top = project.top();
        top.m_timing.end = 40; // one particle every frame
        top.m_kill.span = 100;
        top.m_kill.isFrame = isFrame;
        top.m_kill.frame = 30;
        Simulation sim(project.g);
        sim.reset();
        stepFrames(sim, 29);
        const auto before = particlesOf(sim, top);
        ASSERT_EQ(before.size(), 29u);
        EXPECT_EQ(before.front()->age, 29);
        EXPECT_EQ(before.front()->killFrame, 30u);
        sim.step(); // frame 30
        EXPECT_EQ(particlesOf(sim, top).size(), isFrame != 0 ? 0u : 30u);
        sim.step(); // frame 31: the newborn dies in its first update
        EXPECT_EQ(particlesOf(sim, top).size(), isFrame != 0 ? 0u : 31u);
    }
}

TEST(Death, AgeReachingTheLifetime) {
    Project project;
    project.top().m_kill.span = 3;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 3);
    const Particle* p = onlyParticleOf(sim, project.top());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->age, 3);
    sim.step();
    EXPECT_TRUE(particlesOf(sim, project.top()).empty());
}

TEST(Death, LifetimeZeroMovesOnceAndDiesInTheFirstUpdate) {
    Project project;
    EffectNode& top = project.top();
    top.m_kill.span = 0;
    travelUp(top, 10);
    // Born where the top particle dies, so it shows where that was.
    EffectNode& marker = project.addChild(top);
    marker.m_timing.type = TimingParams::ParentDeath;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    EXPECT_TRUE(particlesOf(sim, top).empty());
    const Particle* m = onlyParticleOf(sim, marker);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->pos, (Vec3{0, 0.2f, 0}));
    EXPECT_EQ(m->age, 2);

    // The same directly on one particle.
    Particle* root = sim.particles().front();
    Particle& p = *sim.create(*root->node->children.front(), root);
    sim.append(p);
    EXPECT_TRUE(sim.update(p));
    EXPECT_EQ(p.pos, (Vec3{0, 0.2f, 0}));
    EXPECT_EQ(p.age, 0);
}

TEST(Colour, AlphaParentThroughTheRootParticle) {
    Project project;
    setFlat(project.root().graph(SlotAlpha), 50); // the root particle's opacity is 0.5
    EffectNode& inherits = project.top();
    inherits.m_color.isAlphaParent = 1;
    EffectNode& own = project.addChild(project.root());
    EffectNode& both = project.addChild(project.root());
    both.m_color.isAlphaParent = 1;
    setFlat(both.graph(SlotAlpha), 50);
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    EXPECT_FLOAT_EQ(sim.particles().front()->color.w, 0.5f);
    ASSERT_NE(onlyParticleOf(sim, inherits), nullptr);
    ASSERT_NE(onlyParticleOf(sim, own), nullptr);
    ASSERT_NE(onlyParticleOf(sim, both), nullptr);
    EXPECT_FLOAT_EQ(onlyParticleOf(sim, inherits)->color.w, 0.5f);
    EXPECT_FLOAT_EQ(onlyParticleOf(sim, own)->color.w, 1.0f);
    EXPECT_FLOAT_EQ(onlyParticleOf(sim, both)->color.w, 0.25f);
    // The colour channels are not affected.
    EXPECT_FLOAT_EQ(onlyParticleOf(sim, inherits)->color.x, 1.0f);
}

TEST(Colour, AlphaParentFadesWithTheParentAndIsZeroWithout) {
    Project project;
    EffectNode& parent = project.top();
    parent.m_kill.span = 10;
    parent.graph(SlotAlpha).setPoints({{0, 0}, {100, 100}}); // 1 at birth to 0 at death
    EffectNode& child = project.addChild(parent);
    child.m_timing.type = TimingParams::ParentFrames;
    child.m_timing.start = 0;
    child.m_timing.end = 0;
    child.m_kill.span = 30;
    child.m_color.isAlphaParent = 1;
    Simulation sim(project.g);
    sim.reset();
    float previous = 2.0f;
    for (int frame = 1; frame <= 10; ++frame) {
        sim.step();
        const Particle* p = onlyParticleOf(sim, parent);
        const Particle* c = onlyParticleOf(sim, child);
        ASSERT_NE(p, nullptr);
        ASSERT_NE(c, nullptr);
        EXPECT_LT(p->color.w, previous) << "frame " << frame;
        EXPECT_EQ(c->color.w, p->color.w) << "frame " << frame;
        previous = p->color.w;
    }
    sim.step(); // the parent dies at age 10
    ASSERT_TRUE(particlesOf(sim, parent).empty());
    const Particle* c = onlyParticleOf(sim, child);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->parent, nullptr);
    EXPECT_EQ(c->color.w, 0.0f);
}

TEST(Shake, ReplayedOffsetWithFloatTruncatedRange) {
    Project project;
    EffectNode& top = project.top();
    top.m_move.shake = 53; // 53 / 100 * 100 is 52.99999 in float: draws modulo 52
    project.g.project.randomSeed = 2;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    const Particle* p = onlyParticleOf(sim, top);
    ASSERT_NE(p, nullptr);

    Lcg r{2};
    r.skip(4);     // the top particle's birth
    r.skip(3 * 3); // root and camera markers: shake angles only
    const float m = static_cast<float>(r.next() % 52) / 100.0f;
    const float ax = r.ang();
    const float ay = r.ang();
    const float az = r.ang();
    Vec3 expected = transformCoord(Vec3{m, 0, 0}, matrixRotationY(ay));
    expected = transformCoord(expected, matrixRotationZ(az));
    expected = transformCoord(expected, matrixRotationX(ax));
    EXPECT_NEAR(p->shake.x, expected.x, 1e-6f);
    EXPECT_NEAR(p->shake.y, expected.y, 1e-6f);
    EXPECT_NEAR(p->shake.z, expected.z, 1e-6f);
    EXPECT_NEAR(length(p->shake), m, 1e-6f);
    EXPECT_EQ(rng::state(), r.state);
    // The offset moves only the drawing, never the position.
    EXPECT_EQ(p->pos, (Vec3{0, 0, 0}));
}

} // namespace
} // namespace vintrel
