#pragma once

// Helpers shared by the engine tests: a project built the way a new project starts, lookups of
// a node's particles, a comparison of vectors, and an independent replay of the effect's random
// generator so that expected values never come from the code under test.

#include "engine/simulation.h"
#include "model/global_state.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace vintrel {
namespace enginetest {

// The effect's generator written out again: state * 214013 + 2531011, draw (state >> 16) & 0x7FFF.
struct Lcg {
    std::uint32_t state = 1;

    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFFu);
    }
    void skip(int draws) {
        for (int i = 0; i < draws; ++i) {
            next();
        }
    }
    float pct(int e) {
        if (e == 0) {
            return 1.0f;
        }
        return static_cast<float>(next() % (2 * e) - e + 100) / 100.0f;
    }
    float sgn() { return static_cast<float>(next() % 200 - 100) / 100.0f; }
    float ang() { return static_cast<float>(next() % 628) / 100.0f; }
    float half(float s) {
        const int hi = static_cast<int>(s * 0.5f * 100.0f);
        if (hi <= 0) {
            return 0.0f;
        }
        const int lo = static_cast<int>(s * -0.5f * 100.0f);
        return static_cast<float>(next() % (hi - lo) + lo) / 100.0f;
    }
};

// State of a generator seeded with `seed` after `draws` draws.
inline std::uint32_t stateAfter(std::uint32_t seed, int draws) {
    Lcg lcg{seed};
    lcg.skip(draws);
    return lcg.state;
}

// A new project: the root with its first child, the camera nodes, default settings.
struct Project {
    GlobalState g;

    explicit Project(int frames = 60) {
        const BuiltInProjectDefaults defaults;
        resetProject(g, defaults);
        applyStartValues(g, defaults);
        g.project.frame = frames;
    }

    EffectNode& root() { return *g.rootNode; }
    // The first top-level node, which every new project has.
    EffectNode& top() { return *g.rootNode->child(0); }
    EffectNode& addChild(EffectNode& parent) {
        return parent.appendChild(std::make_unique<EffectNode>(&parent));
    }
};

// Particles of one node, in list order.
inline std::vector<Particle*> particlesOf(const Simulation& sim, const EffectNode& node) {
    std::vector<Particle*> out;
    for (Particle* p : sim.particles()) {
        if (p->node->node == &node) {
            out.push_back(p);
        }
    }
    return out;
}

// The single particle of a node, or null when it has none or several.
inline Particle* onlyParticleOf(const Simulation& sim, const EffectNode& node) {
    const std::vector<Particle*> found = particlesOf(sim, node);
    return found.size() == 1 ? found.front() : nullptr;
}

// Each component of `actual` within `tolerance` of `expected`'s.
inline void expectVecNear(const Vec3& actual, const Vec3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Steps until `frames` frames have been simulated since the reset.
inline void stepFrames(Simulation& sim, int frames) {
    for (int i = 0; i < frames; ++i) {
        sim.step();
    }
}

} // namespace enginetest
} // namespace vintrel
