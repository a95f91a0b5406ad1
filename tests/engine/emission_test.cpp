// Where and when particles are born, and the order in which their birth draws random numbers.
#include "engine/random.h"
#include "engine/simulation.h"
#include "engine_test_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using enginetest::expectVecNear;
using enginetest::Lcg;
using enginetest::onlyParticleOf;
using enginetest::particlesOf;
using enginetest::Project;
using enginetest::stateAfter;
using enginetest::stepFrames;

constexpr float kHalfPi = kPi / 2.0f;

Vec3 normalized(float x, float y, float z) {
    const float len = std::sqrt(x * x + y * y + z * z);
    return {x / len, y / len, z / len};
}

// Every creation draw, from the emitter to the last variation factor, replayed.
TEST(ParticleCreation, DrawOrderMatchesAReplay) {
    Project project;
    EffectNode& top = project.top();
    top.m_kill.span = 60;
    top.m_kill.span_err = 10;
    top.m_kill.isFrame = 0; // the kill frame is drawn all the same
    top.m_kill.frame = 40;
    top.m_kill.frame_err = 20;
    top.m_move.speed_err = 5;
    top.m_scale.max_err = 15;
    top.m_rotate.angle_err = 25;
    top.m_rotate.revAngle_err = 30;
    top.m_rotate.dir = RotateParams::RandomDirection;
    top.m_rotate.revDir = RotateParams::RandomDirection;
    top.m_color.brigRnd = 35;
    top.m_color.alphaRnd = 45;
    top.m_shape.dir = ShapeParams::Random;
    top.m_shape.type = ShapeParams::Plane;

    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    rng::seed(4321);
    Particle& p = *sim.create(*root->node->children.front(), root);
    sim.append(p);

    Lcg r{4321};
    r.skip(1); // the radius draw of scope "inside", made for the box too
    // The box has no size, so the point lies on the emitter: the direction is drawn z, y, x.
    const float z = r.sgn();
    const float y = r.sgn();
    const float x = r.sgn();
    const int spinSign = r.next() % 100 % 2 != 0 ? 1 : -1;
    const int orbitSign = r.next() % 100 % 2 != 0 ? 1 : -1;
    const float w1 = static_cast<float>(r.next() % 1000 - 500) / 100.0f;
    const float w2 = static_cast<float>(r.next() % 1000 - 500) / 100.0f;
    const float w3 = static_cast<float>(r.next() % 1000 - 500) / 100.0f;
    const int degrees = r.next() % 360;
    const auto lifetime = static_cast<std::uint32_t>(60.0f * r.pct(10));
    const auto killFrame = static_cast<std::uint32_t>(40.0f * r.pct(20));
    const float speed = r.pct(5);
    const float size = r.pct(15);
    const float spin = r.pct(25);
    const float orbit = r.pct(30);
    const float bright = r.pct(35);
    const float alpha = r.pct(45);

    EXPECT_EQ(rng::state(), r.state);
    EXPECT_EQ(p.pos, (Vec3{0, 0, 0}));
    expectVecNear(p.dir, normalized(x, y, z), 1e-6f);
    EXPECT_EQ(p.spinSign, spinSign);
    EXPECT_EQ(p.orbitSign, orbitSign);
    ASSERT_TRUE(p.ownsFacing());
    const Mat4 expectedFacing =
        matrixRotationAxis(Vec3{w3, w2, w1}, static_cast<float>(degrees) * (kPi / 180.0f));
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            EXPECT_NEAR(p.facing->m[row][col], expectedFacing.m[row][col], 1e-6f) << row << "," << col;
        }
    }
    EXPECT_EQ(p.lifetime, lifetime);
    EXPECT_EQ(p.killFrame, killFrame);
    EXPECT_EQ(p.speedFactor, speed);
    EXPECT_EQ(p.sizeFactor, size);
    EXPECT_EQ(p.spinFactor, spin);
    EXPECT_EQ(p.orbitFactor, orbit);
    EXPECT_EQ(p.brightFactor, bright);
    EXPECT_EQ(p.alphaFactor, alpha);
    // Rotation set-up for the fixed axes, and the values every particle starts with.
    EXPECT_EQ(p.spinAxis, (Vec3{0, 0, 1}));
    EXPECT_EQ(p.orbitAxis, (Vec3{0, 1, 0}));
    EXPECT_EQ(p.scale, (Vec3{1, 1, 1}));
    EXPECT_EQ(p.color, (Vec4{1, 1, 1, 1}));
    EXPECT_EQ(p.age, 0);
    EXPECT_EQ(p.parent, root);
    EXPECT_EQ(p.prevPos, p.pos);
}

TEST(ParticleCreation, RandomFacingOfAFlatShapeTurnsOnlyAboutZ) {
    Project project;
    project.top().m_shape.dir = ShapeParams::Random;
    project.top().m_shape.type = ShapeParams::Billboard;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    for (std::uint32_t seed : {1u, 2u, 3u, 99u}) {
        rng::seed(seed);
        Particle& p = *sim.create(*root->node->children.front(), root);
        sim.append(p);
        ASSERT_TRUE(p.ownsFacing());
        expectVecNear(transformNormal(Vec3{0, 0, 1}, *p.facing), Vec3{0, 0, 1}, 1e-6f);
    }
}

TEST(ParticleCreation, NegativeLifetimeWrapsLikeUnsigned) {
    Project project;
    project.top().m_kill.span = -5;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    Particle& p = *sim.create(*root->node->children.front(), root);
    sim.append(p);
    EXPECT_EQ(p.lifetime, 4294967291u);
}

// A fresh project steps with a known number of draws: four for every birth (the radius and
// three direction draws), three for every update (the shake angles).
TEST(ParticleCreation, ViewListAndResetDrawFromTheCallingThread) {
    Project project;
    project.g.project.randomSeed = 5;
    rng::seed(1);
    Simulation sim(project.g);
    EXPECT_EQ(rng::state(), stateAfter(1, 4)); // the root particle of the new list
    sim.reset();
    EXPECT_EQ(rng::state(), stateAfter(1, 16)); // root, camera position, look-at point
    EXPECT_EQ(sim.step(), 0);
    // Seeded with 5: the top particle's birth (4), then root, two markers and the top
    // particle each update once (3 each).
    EXPECT_EQ(rng::state(), stateAfter(5, 16));

    Lcg r{5};
    r.skip(1);
    const float z = r.sgn();
    const float y = r.sgn();
    const float x = r.sgn();
    Particle* top = onlyParticleOf(sim, project.top());
    ASSERT_NE(top, nullptr);
    expectVecNear(top->dir, normalized(x, y, z), 1e-6f);
}

TEST(EmitterShape, EvenIntervalCircleOnTheRim) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::VerticalCircle;
    top.m_emitter.scope = EmitterParams::Surface;
    top.m_emitter.isEvenInterval = 1;
    top.m_emitter.size = {2, 4, 6};
    top.m_timing.num = 4;
    project.g.project.randomSeed = 17;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 4u);
    const std::array<float, 4> angles{0.0f, kHalfPi, kPi, 3.0f * kHalfPi};
    for (std::size_t i = 0; i < 4; ++i) {
        // Radius 0.5 scaled by the emitter size: (cos a, 2 sin a, 0).
        const Vec3 expected{0.5f * std::cos(angles[i]) * 2.0f, 0.5f * std::sin(angles[i]) * 4.0f, 0.0f};
        expectVecNear(born[i]->pos, expected, 1e-5f);
        // On the rim: (x / 2)^2 + (y / 4)^2 = 0.5^2.
        const float sx = born[i]->pos.x / 2.0f;
        const float sy = born[i]->pos.y / 4.0f;
        EXPECT_NEAR(sx * sx + sy * sy, 0.25f, 1e-6f) << "particle " << i;
    }
    // Neither the rim nor the even spacing draws: only the shake angles of seven updates.
    EXPECT_EQ(rng::state(), stateAfter(17, 7 * 3));
    EXPECT_EQ(sim.particles().front()->burstCount, 4);
}

TEST(EmitterShape, EvenIntervalAppliesToTheCylinderToo) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::Cylinder;
    top.m_emitter.scope = EmitterParams::Surface;
    top.m_emitter.isEvenInterval = 1;
    top.m_emitter.size = {2, 0, 2};
    top.m_timing.num = 4;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 4u);
    // (0.5, 0, 0) turned about Y by 0, 90, 180 and 270 degrees, then scaled by 2 across.
    const std::array<Vec3, 4> expected{Vec3{1, 0, 0}, Vec3{0, 0, -1}, Vec3{-1, 0, 0}, Vec3{0, 0, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        expectVecNear(born[i]->pos, expected[i], 1e-5f);
    }
}

TEST(EmitterShape, CircleInsideReplaysRadiusAndAngle) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::VerticalCircle;
    top.m_emitter.scope = EmitterParams::Inside;
    top.m_emitter.size = {2, 2, 2};
    top.m_timing.num = 200;
    project.g.project.randomSeed = 31;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 200u);
    Lcg r{31};
    int outer = 0;
    for (const Particle* p : born) {
        const float u = static_cast<float>(r.next() % 100) / 100.0f;
        const float radius = (1.0f - u * u) * 0.5f;
        const float a = r.ang();
        expectVecNear(p->pos, Vec3{radius * std::cos(a) * 2.0f, radius * std::sin(a) * 2.0f, 0}, 1e-5f);
        const float distance = length(p->pos);
        EXPECT_GT(distance, 0.0f);
        EXPECT_LE(distance, 1.0f + 1e-6f);
        if (distance > 0.5f) {
            ++outer;
        }
    }
    // Denser towards the rim: far more than a quarter (the share of a uniform disc) lie in
    // the outer half of the radius.
    EXPECT_GT(outer, 120);
}

TEST(EmitterShape, SphereAndHemisphereSurfaces) {
    for (int type : {EmitterParams::Sphere, EmitterParams::Hemisphere}) {
        Project project;
        EffectNode& top = project.top();
        top.m_emitter.type = type;
        top.m_emitter.scope = EmitterParams::Surface;
        top.m_emitter.size = {2, 2, 2};
        top.m_timing.num = 200;
        project.g.project.randomSeed = 8;
        Simulation sim(project.g);
        sim.reset();
        sim.step();
        const auto born = particlesOf(sim, top);
        ASSERT_EQ(born.size(), 200u);
        int below = 0;
        for (const Particle* p : born) {
            EXPECT_NEAR(length(p->pos), 1.0f, 1e-5f) << "type " << type;
            if (p->pos.y < 0.0f) {
                ++below;
            }
        }
        if (type == EmitterParams::Hemisphere) {
            EXPECT_EQ(below, 0);
        } else {
            EXPECT_GT(below, 50);
        }
    }
}

TEST(EmitterShape, BoxInsideReplaysItsThreeHalves) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::Box;
    top.m_emitter.scope = EmitterParams::Inside;
    top.m_emitter.size = {1, 2, 3};
    top.m_timing.num = 20;
    project.g.project.randomSeed = 123;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 20u);
    Lcg r{123};
    for (const Particle* p : born) {
        r.skip(1); // the radius draw, unused by the box
        const float x = r.half(1);
        const float y = r.half(2);
        const float z = r.half(3);
        EXPECT_FLOAT_EQ(p->pos.x, x);
        EXPECT_FLOAT_EQ(p->pos.y, y);
        EXPECT_FLOAT_EQ(p->pos.z, z);
    }
}

TEST(EmitterShape, BoxSurfacePutsEveryPointOnAFace) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::Box;
    top.m_emitter.scope = EmitterParams::Surface;
    top.m_emitter.size = {2, 4, 6};
    top.m_timing.num = 300;
    project.g.project.randomSeed = 3;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 300u);
    const std::array<float, 3> halfSize{1, 2, 3};
    std::array<int, 6> faces{};
    Lcg r{3};
    for (const Particle* p : born) {
        std::array<float, 3> v{r.half(2), r.half(4), r.half(6)};
        const int k = r.next() % 3;
        v[static_cast<std::size_t>(k)] = halfSize[static_cast<std::size_t>(k)];
        const bool opposite = r.next() % 2 != 0;
        if (opposite) {
            v = {-v[0], -v[1], -v[2]};
        }
        faces[static_cast<std::size_t>(k * 2 + (opposite ? 1 : 0))] += 1;
        EXPECT_FLOAT_EQ(p->pos.x, v[0]);
        EXPECT_FLOAT_EQ(p->pos.y, v[1]);
        EXPECT_FLOAT_EQ(p->pos.z, v[2]);

        const std::array<float, 3> pos{p->pos.x, p->pos.y, p->pos.z};
        bool onFace = false;
        for (std::size_t axis = 0; axis < 3; ++axis) {
            EXPECT_LE(std::fabs(pos[axis]), halfSize[axis]);
            onFace = onFace || std::fabs(pos[axis]) == halfSize[axis];
        }
        EXPECT_TRUE(onFace) << p->pos.x << " " << p->pos.y << " " << p->pos.z;
    }
    for (int count : faces) {
        EXPECT_GE(count, 25);
        EXPECT_LE(count, 75);
    }
}

TEST(EmitterShape, CustomScopeShrinksUpToErrPercentInwards) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = EmitterParams::VerticalCircle;
    top.m_emitter.scope = EmitterParams::Custom;
    top.m_emitter.err = 20;
    top.m_emitter.size = {2, 2, 2};
    top.m_timing.num = 100;
    project.g.project.randomSeed = 64;
    Simulation sim(project.g);
    sim.reset();
    sim.step();

    const auto born = particlesOf(sim, top);
    ASSERT_EQ(born.size(), 100u);
    Lcg r{64};
    for (const Particle* p : born) {
        const float a = r.ang();
        const float q = static_cast<float>(r.next() % 2000) / 100.0f;
        const float keep = 1.0f - q / 100.0f;
        expectVecNear(p->pos, Vec3{std::cos(a) * keep, std::sin(a) * keep, 0}, 1e-5f);
        EXPECT_GE(length(p->pos), 0.8f);
        EXPECT_LE(length(p->pos), 1.0f + 1e-6f);
    }
}

TEST(EmitterShape, UnknownTypeEmitsFromTheCentreAndUnknownFacingIsFront) {
    Project project;
    EffectNode& top = project.top();
    top.m_emitter.type = 9;
    top.m_emitter.pos = {1, 2, 3};
    top.m_emitter.size = {5, 5, 5};
    top.m_shape.dir = 9;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    rng::seed(8);
    Particle& p = *sim.create(*root->node->children.front(), root);
    sim.append(p);
    EXPECT_EQ(p.pos, (Vec3{1, 2, 3}));
    // The radius draw happens for any type; the point on the emitter then draws a direction.
    EXPECT_EQ(rng::state(), stateAfter(8, 4));
    EXPECT_EQ(p.facing, &sim.facing(0));
    EXPECT_FALSE(p.ownsFacing());
}

TEST(EmitterShape, TheSixFacingMatrices) {
    Project project;
    Simulation sim(project.g);
    EXPECT_EQ(sim.facing(0), Mat4::identity());
    EXPECT_EQ(sim.facing(1), matrixRotationX(kPi));
    EXPECT_EQ(sim.facing(2), matrixRotationY(-kHalfPi));
    EXPECT_EQ(sim.facing(3), matrixRotationY(kHalfPi));
    EXPECT_EQ(sim.facing(4), matrixRotationX(kHalfPi));
    EXPECT_EQ(sim.facing(5), matrixRotationX(-kHalfPi));
    EXPECT_EQ(&sim.facing(6), &sim.facing(0));
    EXPECT_EQ(&sim.facing(-1), &sim.facing(0));
}

TEST(EmissionTiming, BurstThatTruncatesToZeroStillSetsBurstCount) {
    Project project;
    EffectNode& top = project.top();
    top.m_timing.num = 1;
    top.m_timing.num_err = 50;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    NodeRuntime& child = *root->node->children.front();
    ASSERT_EQ(sim.particles().size(), 3u);

    // Seed 1 draws 41: factor 0.91, and 1 x 0.91 truncates to 0.
    root->burstCount = 7;
    rng::seed(1);
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(root->burstCount, 0);
    EXPECT_EQ(sim.particles().size(), 3u);
    EXPECT_EQ(rng::state(), stateAfter(1, 1));

    // The next draw, 18467, gives 1.17: one particle.
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(root->burstCount, 1);
    EXPECT_EQ(sim.particles().size(), 4u);
}

TEST(EmissionTiming, DeathBurstThatTruncatesToZeroStillSetsBurstCount) {
    Project project;
    EffectNode& onDeath = project.addChild(project.top());
    onDeath.m_timing.type = TimingParams::ParentDeath;
    onDeath.m_timing.num = 1;
    onDeath.m_timing.num_err = 50;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    Particle* dying = onlyParticleOf(sim, project.top());
    ASSERT_NE(dying, nullptr);
    NodeRuntime& child = *dying->node->children.front();

    dying->burstCount = 7;
    rng::seed(1);
    const std::size_t before = sim.particles().size();
    sim.emitAtDeath(child, *dying);
    EXPECT_EQ(dying->burstCount, 0);
    EXPECT_EQ(sim.particles().size(), before);
}

TEST(EmissionTiming, OftenErrIsDrawnBeforeTheModuloAndNumErrOnlyForABurst) {
    Project project;
    EffectNode& top = project.top();
    top.m_timing.type = TimingParams::ParentFrames;
    top.m_timing.start = 1;
    top.m_timing.end = 100;
    top.m_timing.often = 5;
    top.m_timing.often_err = 10;
    top.m_timing.num = 3;
    top.m_timing.num_err = 10;
    Simulation sim(project.g);
    sim.reset();
    Particle* root = sim.particles().front();
    NodeRuntime& child = *root->node->children.front();

    // Before the window: no draw at all.
    root->age = 0;
    rng::seed(1);
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(rng::state(), 1u);
    EXPECT_EQ(sim.particles().size(), 3u);

    // Age 3: often 5 x 0.91 = 4, (3 - 1) mod 4 = 2: one draw and no burst.
    root->age = 3;
    rng::seed(1);
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(rng::state(), stateAfter(1, 1));
    EXPECT_EQ(sim.particles().size(), 3u);

    // Age 5: (5 - 1) mod 4 = 0. The burst draws num_err (18467: 0.97, so 3 x 0.97 = 2
    // particles), then four draws for each birth.
    root->age = 5;
    rng::seed(1);
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(root->burstCount, 2);
    EXPECT_EQ(sim.particles().size(), 5u);
    EXPECT_EQ(rng::state(), stateAfter(1, 2 + 2 * 4));

    // Past the window: nothing.
    root->age = 101;
    rng::seed(1);
    sim.emitDuringLife(child, *root);
    EXPECT_EQ(rng::state(), 1u);
    EXPECT_EQ(sim.particles().size(), 5u);
}

TEST(EmissionTiming, EffectFramesWithPeriodAndWindow) {
    Project project;
    EffectNode& top = project.top();
    top.m_timing.type = TimingParams::AbsoluteFrames;
    top.m_timing.start = 2;
    top.m_timing.end = 10;
    top.m_timing.often = 3;
    top.m_timing.num = 2;
    EffectNode& never = project.addChild(project.root());
    never.m_timing.often = 0;
    never.m_timing.start = 1;
    never.m_timing.end = 100;
    Simulation sim(project.g);
    sim.reset();
    // Bursts at frames 2, 5 and 8.
    const std::array<std::size_t, 12> expected{0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 6, 6};
    for (std::size_t frame = 0; frame < expected.size(); ++frame) {
        sim.step();
        EXPECT_EQ(particlesOf(sim, top).size(), expected[frame]) << "frame " << frame + 1;
        EXPECT_TRUE(particlesOf(sim, never).empty());
    }
}

TEST(EmissionTiming, ParentFramesCountTheParentsAge) {
    Project project;
    EffectNode& child = project.addChild(project.top());
    child.m_timing.type = TimingParams::ParentFrames;
    child.m_timing.start = 2;
    child.m_timing.end = 4;
    child.m_timing.often = 1;
    child.m_timing.num = 1;
    EffectNode& deathOnly = project.addChild(project.top());
    deathOnly.m_timing.type = TimingParams::ParentDeath;
    deathOnly.m_timing.start = 0;
    deathOnly.m_timing.end = 100;
    Simulation sim(project.g);
    sim.reset();
    // The top particle is born in frame 1 and is aged 2, 3 and 4 in frames 3, 4 and 5.
    const std::array<std::size_t, 7> expected{0, 0, 1, 2, 3, 3, 3};
    for (std::size_t frame = 0; frame < expected.size(); ++frame) {
        sim.step();
        EXPECT_EQ(particlesOf(sim, child).size(), expected[frame]) << "frame " << frame + 1;
        EXPECT_TRUE(particlesOf(sim, deathOnly).empty());
    }
    const auto born = particlesOf(sim, child);
    ASSERT_EQ(born.size(), 3u);
    EXPECT_EQ(born[0]->age, 5); // born in frame 3, after frame 7
    EXPECT_EQ(born[2]->age, 3);
}

TEST(EmissionAges, BornDuringLifeIsAgedOneAfterItsFrame) {
    Project project;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    Particle* top = onlyParticleOf(sim, project.top());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->age, 1);
    EXPECT_EQ(top->parent, sim.particles().front());
}

TEST(EmissionAges, BornAtDeathIsAgedTwoAfterItsFrameAndHasNoParent) {
    Project project;
    EffectNode& top = project.top();
    top.m_kill.span = 1; // dies in frame 2
    EffectNode& onDeath = project.addChild(top);
    onDeath.m_timing.type = TimingParams::ParentDeath;
    onDeath.m_kill.span = 10;
    // Emitted by the death-born particle in its immediate update (its age is 0 then).
    EffectNode& grandchild = project.addChild(onDeath);
    grandchild.m_timing.type = TimingParams::ParentFrames;
    grandchild.m_timing.start = 0;
    grandchild.m_timing.end = 0;
    grandchild.m_kill.span = 10;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    ASSERT_NE(onlyParticleOf(sim, top), nullptr);
    EXPECT_TRUE(particlesOf(sim, onDeath).empty());

    sim.step();
    EXPECT_TRUE(particlesOf(sim, top).empty());
    Particle* born = onlyParticleOf(sim, onDeath);
    ASSERT_NE(born, nullptr);
    EXPECT_EQ(born->age, 2);
    EXPECT_EQ(born->parent, nullptr);

    // What it emitted during the immediate update joins the list before it, with it as parent.
    Particle* emitted = onlyParticleOf(sim, grandchild);
    ASSERT_NE(emitted, nullptr);
    EXPECT_EQ(emitted->parent, born);
    EXPECT_EQ(emitted->age, 1);
    const auto& list = sim.particles();
    const auto at = [&](const Particle* p) { return std::find(list.begin(), list.end(), p) - list.begin(); };
    EXPECT_LT(at(emitted), at(born));
}

TEST(EmissionAges, DeathBornParticleThatDiesAtOnceStillJoinsAndDiesInTheWalk) {
    Project project;
    EffectNode& top = project.top();
    top.m_kill.span = 1;
    EffectNode& shortLived = project.addChild(top);
    shortLived.m_timing.type = TimingParams::ParentDeath;
    shortLived.m_kill.span = 0;
    EffectNode& last = project.addChild(shortLived);
    last.m_timing.type = TimingParams::ParentDeath;
    last.m_kill.span = 10;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 2);
    EXPECT_TRUE(particlesOf(sim, shortLived).empty());
    // The death reported by the immediate update is ignored; the one in the walk emits once.
    const auto born = particlesOf(sim, last);
    ASSERT_EQ(born.size(), 1u);
    EXPECT_EQ(born[0]->age, 2);
    EXPECT_EQ(born[0]->parent, nullptr);
}

} // namespace
} // namespace vintrel
