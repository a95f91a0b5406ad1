// The simulation driver: reset, stepping, looping, the stop flag, deaths and the list.
#include "engine/random.h"
#include "engine/simulation.h"
#include "engine_test_support.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace vintrel {
namespace {

using enginetest::onlyParticleOf;
using enginetest::particlesOf;
using enginetest::Project;
using enginetest::stepFrames;

class FakeClock final : public FrameTimeSource {
public:
    std::uint32_t nowMs() const override { return now.load(); }
    std::atomic<std::uint32_t> now{0};
};

bool isMarker(const GlobalState& g, const Particle& p) {
    return p.node->node == g.cameraNode.get() || p.node->node == g.targetNode.get();
}

// Compares two lists particle by particle. The camera markers are born by the reset from the
// generator as it stood before the effect's seeding, so their direction is left out when
// `markerDirections` is false.
void expectSameParticles(const GlobalState& g, const std::vector<Particle*>& a,
                         const std::vector<Particle*>& b, bool markerDirections) {
    ASSERT_EQ(a.size(), b.size());
    const auto indexIn = [](const std::vector<Particle*>& list, const Particle* p) -> long {
        if (p == nullptr) {
            return -1;
        }
        return static_cast<long>(std::find(list.begin(), list.end(), p) - list.begin());
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "particle " << i);
        const Particle& x = *a[i];
        const Particle& y = *b[i];
        EXPECT_EQ(x.node->node, y.node->node);
        EXPECT_EQ(indexIn(a, x.parent), indexIn(b, y.parent));
        EXPECT_EQ(x.age, y.age);
        EXPECT_EQ(x.lifetime, y.lifetime);
        EXPECT_EQ(x.killFrame, y.killFrame);
        EXPECT_EQ(x.pos, y.pos);
        EXPECT_EQ(x.prevPos, y.prevPos);
        EXPECT_EQ(x.scale, y.scale);
        EXPECT_EQ(x.shake, y.shake);
        EXPECT_EQ(x.spinAngle, y.spinAngle);
        EXPECT_EQ(x.spinAxis, y.spinAxis);
        EXPECT_EQ(x.spinSign, y.spinSign);
        EXPECT_EQ(x.orbitAngle, y.orbitAngle);
        EXPECT_EQ(x.orbitAxis, y.orbitAxis);
        EXPECT_EQ(x.orbitSign, y.orbitSign);
        EXPECT_EQ(x.spinMatrix, y.spinMatrix);
        if (markerDirections || !isMarker(g, x)) {
            EXPECT_EQ(x.dir, y.dir);
        }
        EXPECT_EQ(x.color, y.color);
        EXPECT_EQ(x.delta, y.delta);
        EXPECT_EQ(x.fall, y.fall);
        EXPECT_EQ(x.pull, y.pull);
        EXPECT_EQ(x.speedFactor, y.speedFactor);
        EXPECT_EQ(x.sizeFactor, y.sizeFactor);
        EXPECT_EQ(x.spinFactor, y.spinFactor);
        EXPECT_EQ(x.orbitFactor, y.orbitFactor);
        EXPECT_EQ(x.brightFactor, y.brightFactor);
        EXPECT_EQ(x.alphaFactor, y.alphaFactor);
        EXPECT_EQ(x.burstCount, y.burstCount);
        EXPECT_EQ(*x.facing, *y.facing);
    }
}

// Deep copies, so that a later state can be compared with an earlier one.
struct SavedList {
    std::deque<NodeRuntime> nodes; // a reset rebuilds the simulation's own
    std::vector<std::unique_ptr<Particle>> records;
    std::vector<Particle*> view;
};

SavedList save(const Simulation& sim) {
    SavedList saved;
    const auto& list = sim.particles();
    for (const Particle* p : list) {
        auto copy = std::make_unique<Particle>();
        copy->node = &saved.nodes.emplace_back();
        copy->node->node = p->node->node;
        copy->age = p->age;
        copy->facing = p->ownsFacing() ? &copy->ownFacing : p->facing;
        copy->ownFacing = p->ownFacing;
        copy->pos = p->pos;
        copy->prevPos = p->prevPos;
        copy->scale = p->scale;
        copy->shake = p->shake;
        copy->spinAngle = p->spinAngle;
        copy->spinAxis = p->spinAxis;
        copy->spinSign = p->spinSign;
        copy->orbitAngle = p->orbitAngle;
        copy->orbitAxis = p->orbitAxis;
        copy->orbitSign = p->orbitSign;
        copy->spinMatrix = p->spinMatrix;
        copy->dir = p->dir;
        copy->color = p->color;
        copy->delta = p->delta;
        copy->fall = p->fall;
        copy->pull = p->pull;
        copy->lifetime = p->lifetime;
        copy->killFrame = p->killFrame;
        copy->speedFactor = p->speedFactor;
        copy->sizeFactor = p->sizeFactor;
        copy->spinFactor = p->spinFactor;
        copy->orbitFactor = p->orbitFactor;
        copy->brightFactor = p->brightFactor;
        copy->alphaFactor = p->alphaFactor;
        copy->burstCount = p->burstCount;
        saved.view.push_back(copy.get());
        saved.records.push_back(std::move(copy));
    }
    // Parents by position in the list.
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto it = std::find(list.begin(), list.end(), list[i]->parent);
        saved.view[i]->parent =
            it == list.end() ? nullptr : saved.view[static_cast<std::size_t>(it - list.begin())];
    }
    return saved;
}

// A project that uses most of the random variation, emission paths and motion.
void makeBusy(Project& project) {
    EffectNode& top = project.top();
    top.m_timing.end = 1000;
    top.m_timing.num = 2;
    top.m_timing.num_err = 30;
    top.m_emitter.type = EmitterParams::Sphere;
    top.m_emitter.size = {2, 2, 2};
    top.m_kill.span = 40;
    top.m_kill.span_err = 20;
    top.m_move.speed = 10;
    top.m_move.speed_err = 10;
    top.m_move.gravity = 5;
    top.m_move.shake = 20;
    top.m_rotate.angle = 180;
    top.m_rotate.angle_err = 10;
    top.m_rotate.dir = RotateParams::RandomDirection;
    top.m_shape.dir = ShapeParams::Random;
    EffectNode& spark = project.addChild(top);
    spark.m_timing.type = TimingParams::ParentDeath;
    spark.m_timing.num = 2;
    spark.m_kill.span = 5;
    spark.m_move.speed = 20;
    spark.m_rotate.revAngle = 90;
    EffectNode& trail = project.addChild(top);
    trail.m_timing.type = TimingParams::ParentFrames;
    trail.m_timing.start = 0;
    trail.m_timing.end = 100;
    trail.m_timing.often = 4;
    trail.m_timing.often_err = 25;
    trail.m_kill.span = 8;
    trail.m_move.isFollow = 1;
    trail.m_color.isAlphaParent = 1;
    project.g.project.randomSeed = 7;
}

TEST(SimulationReset, RootAndCameraMarkers) {
    Project project(75);
    project.g.cameraNode->m_scale.max = 30;
    Simulation sim(project.g);
    ASSERT_EQ(sim.particles().size(), 1u); // the view's list starts with its root particle
    sim.reset();
    EXPECT_EQ(sim.currentFrame(), 1u);
    const auto& list = sim.particles();
    ASSERT_EQ(list.size(), 3u);
    const Particle* root = list[0];
    EXPECT_EQ(root->node->node, project.g.rootNode.get());
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_EQ(root->lifetime, 75u);
    EXPECT_EQ(root->dir, (Vec3{0, 0, 0}));
    EXPECT_EQ(root->scale, (Vec3{0, 0, 0}));
    EXPECT_EQ(list[1]->node->node, project.g.cameraNode.get());
    EXPECT_EQ(list[2]->node->node, project.g.targetNode.get());
    for (const Particle* marker : {list[1], list[2]}) {
        EXPECT_EQ(marker->parent, root);
        EXPECT_EQ(marker->lifetime, 75u);
    }
    EXPECT_EQ(list[1]->pos, (Vec3{0, 5, -10}));
    EXPECT_EQ(list[2]->pos, (Vec3{0, 0, 0}));
    EXPECT_EQ(project.g.rootNode->m_kill.span, 75);
    EXPECT_EQ(project.g.cameraNode->m_kill.span, 75);
    EXPECT_EQ(project.g.cameraNode->m_scale.max, 0);
    EXPECT_EQ(project.g.targetNode->m_scale.max, 0);

    // A second reset starts over from the same three particles.
    stepFrames(sim, 5);
    sim.reset();
    EXPECT_EQ(sim.particles().size(), 3u);
    EXPECT_EQ(sim.currentFrame(), 1u);
}

TEST(SimulationStep, FramesCountUpAndTheEffectLoops) {
    Project project(5);
    Simulation sim(project.g);
    sim.reset();
    for (std::uint32_t frame = 1; frame <= 5; ++frame) {
        EXPECT_EQ(sim.currentFrame(), frame);
        EXPECT_EQ(sim.step(), 0);
        EXPECT_EQ(project.g.sim.particleCount.load(), sim.particles().size());
    }
    EXPECT_EQ(sim.currentFrame(), 6u);
    EXPECT_EQ(sim.step(), 1);
    EXPECT_EQ(sim.currentFrame(), 2u);
    EXPECT_EQ(sim.step(), 0);
}

// While the editor runs the worker, the project settings reach the simulation as the copy the
// editing thread published last; live changes count only once they are published.
TEST(SimulationStep, ReadsThePublishedProjectLengthOnceSomethingWasPublished) {
    Project project(5);
    project.g.publishFrameInputs();
    Simulation sim(project.g);
    sim.reset();
    project.g.project.frame = 2; // edited, not yet published
    stepFrames(sim, 5);
    EXPECT_EQ(sim.currentFrame(), 6u);
    project.g.publishFrameInputs();
    EXPECT_EQ(sim.step(), 1);
    EXPECT_EQ(sim.currentFrame(), 2u);
    EXPECT_EQ(sim.step(), 0);
    EXPECT_EQ(sim.step(), 1);
}

TEST(SimulationStep, LoopRepeatsIdenticalParticles) {
    Project project(100);
    makeBusy(project);
    Simulation sim(project.g);
    sim.reset();
    ASSERT_EQ(sim.step(), 0);
    const SavedList firstFrame1 = save(sim);
    ASSERT_EQ(sim.step(), 0);
    const SavedList firstFrame2 = save(sim);
    ASSERT_GT(firstFrame2.view.size(), 5u);
    for (int frame = 3; frame <= 100; ++frame) {
        ASSERT_EQ(sim.step(), 0) << "frame " << frame;
    }
    EXPECT_EQ(sim.currentFrame(), 101u);
    EXPECT_GT(sim.particles().size(), 20u);

    EXPECT_EQ(sim.step(), 1);
    EXPECT_EQ(sim.currentFrame(), 2u);
    expectSameParticles(project.g, sim.particles(), firstFrame1.view, false);
    EXPECT_EQ(sim.step(), 0);
    expectSameParticles(project.g, sim.particles(), firstFrame2.view, false);
}

TEST(SimulationStep, SameSeedAndProjectGiveTheSameParticles) {
    Project project(60);
    makeBusy(project);
    rng::seed(1);
    Simulation first(project.g);
    first.reset();
    stepFrames(first, 30);
    const SavedList a = save(first);

    rng::seed(1);
    Simulation second(project.g);
    second.reset();
    stepFrames(second, 30);
    expectSameParticles(project.g, second.particles(), a.view, true);
}

TEST(SimulationStep, StoppedStepSkipsTheWalkButAdvancesTheFrame) {
    Project project;
    project.top().m_timing.end = 10;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    ASSERT_EQ(particlesOf(sim, project.top()).size(), 1u);
    project.g.sim.isStopped = true;
    const std::uint32_t state = rng::state();
    sim.step();
    project.g.sim.isStopped = false;
    EXPECT_EQ(sim.currentFrame(), 3u);
    EXPECT_EQ(rng::state(), state); // nothing was updated, so nothing drew
    const auto tops = particlesOf(sim, project.top());
    ASSERT_EQ(tops.size(), 1u); // no emission in the stopped frame
    EXPECT_EQ(tops.front()->age, 1);
    EXPECT_EQ(sim.particles().front()->age, 1);
    sim.step();
    EXPECT_EQ(particlesOf(sim, project.top()).size(), 2u);
}

TEST(SimulationStep, ClearEmptiesTheList) {
    Project project;
    Simulation sim(project.g);
    sim.reset();
    stepFrames(sim, 3);
    sim.clear();
    EXPECT_TRUE(sim.particles().empty());
    EXPECT_EQ(project.g.sim.particleCount.load(), 0u);
}

TEST(SimulationDeath, ChildrenGetANullParentAndStopFollowing) {
    Project project;
    EffectNode& parent = project.top();
    parent.m_move.isOneWay = 1;
    parent.m_move.dirX = 0;
    parent.m_move.speed = 10;
    parent.m_kill.span = 5;
    EffectNode& follower = project.addChild(parent);
    follower.m_timing.type = TimingParams::ParentFrames;
    follower.m_timing.start = 0;
    follower.m_timing.end = 0;
    follower.m_timing.num = 3;
    follower.m_move.isFollow = 1;
    Simulation sim(project.g);
    sim.reset();
    sim.step();
    for (int frame = 2; frame <= 5; ++frame) {
        sim.step();
        const Particle* p = onlyParticleOf(sim, parent);
        ASSERT_NE(p, nullptr);
        for (const Particle* c : particlesOf(sim, follower)) {
            EXPECT_EQ(c->parent, p);
            EXPECT_NEAR(c->delta.y, p->delta.y, 1e-6f) << "frame " << frame;
        }
    }
    std::vector<Vec3> before;
    for (const Particle* c : particlesOf(sim, follower)) {
        before.push_back(c->pos);
    }
    ASSERT_EQ(before.size(), 3u);

    sim.step(); // the parent dies at age 5
    EXPECT_TRUE(particlesOf(sim, parent).empty());
    for (int frame = 6; frame <= 8; ++frame) {
        const auto children = particlesOf(sim, follower);
        ASSERT_EQ(children.size(), 3u);
        for (std::size_t i = 0; i < children.size(); ++i) {
            EXPECT_EQ(children[i]->parent, nullptr);
            EXPECT_EQ(children[i]->pos, before[i]) << "frame " << frame;
        }
        sim.step();
    }
}

// Checks that every parent link points at a live particle that lists the child among its own.
void expectConsistentLinks(const Simulation& sim) {
    const std::set<const Particle*> live(sim.particles().begin(), sim.particles().end());
    for (const Particle* p : sim.particles()) {
        if (p->parent != nullptr) {
            ASSERT_EQ(live.count(p->parent), 1u) << "dangling parent";
            bool listed = false;
            for (const Particle* c = p->parent->firstChild; c != nullptr; c = c->nextSibling) {
                listed = listed || c == p;
            }
            EXPECT_TRUE(listed);
        }
        for (const Particle* c = p->firstChild; c != nullptr; c = c->nextSibling) {
            ASSERT_EQ(live.count(c), 1u) << "dead particle still listed as a child";
            EXPECT_EQ(c->parent, p);
        }
    }
}

TEST(SimulationDeath, ParentLinksStayValidWhenTheListIsReordered) {
    Project project(40);
    EffectNode& a = project.top();
    a.m_timing.end = 1000;
    a.m_timing.num = 3;
    a.m_kill.span = 6;
    a.m_kill.span_err = 50;
    EffectNode& b = project.addChild(a);
    b.m_timing.type = TimingParams::ParentFrames;
    b.m_timing.start = 0;
    b.m_timing.end = 10;
    b.m_kill.span = 6;
    b.m_kill.span_err = 50;
    EffectNode& c = project.addChild(b);
    c.m_timing.type = TimingParams::ParentDeath;
    c.m_timing.num = 2;
    c.m_kill.span = 3;
    EffectNode& d = project.addChild(c);
    d.m_timing.type = TimingParams::ParentFrames;
    d.m_timing.start = 0;
    d.m_timing.end = 2;
    d.m_kill.span = 2;
    project.g.project.randomSeed = 99;
    Simulation sim(project.g);
    sim.reset();
    std::size_t most = 0;
    for (int frame = 1; frame <= 90; ++frame) {
        // The drawing may reorder the list by camera distance between steps.
        if (frame % 3 == 0) {
            auto& list = sim.mutableParticles();
            std::reverse(list.begin(), list.end());
        }
        sim.step();
        expectConsistentLinks(sim);
        most = std::max(most, sim.particles().size());
    }
    EXPECT_GT(most, 30u);
}

TEST(SimulationFps, MeterReadsTheStepsOfTheLatestSecond) {
    Project project;
    FakeClock clock;
    clock.now = 5000;
    Simulation sim(project.g, clock);
    sim.reset();
    // Eleven steps from 5000 to 6000 ms, both ends included.
    for (int i = 0; i < 10; ++i) {
        sim.step();
        EXPECT_EQ(project.g.sim.measuredFps.load(), 0u);
        clock.now += 100;
    }
    sim.step();
    EXPECT_EQ(project.g.sim.measuredFps.load(), 11u);
    // Then ten steps in the next second.
    for (int i = 0; i < 10; ++i) {
        clock.now += 100;
        sim.step();
    }
    EXPECT_EQ(project.g.sim.measuredFps.load(), 10u);
}

} // namespace
} // namespace vintrel
