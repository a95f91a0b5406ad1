#pragma once

#include "engine/frame_clock.h"
#include "engine/node_runtime.h"
#include "engine/particle.h"
#include "model/global_state.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vintrel {

// Advances the effect one frame at a time over the list of live particles. The list keeps
// creation order; particles appended during a frame's walk are reached in the same walk. The
// effect loops: after its last frame the next step restarts at frame 1 with the same seed.
class Simulation {
public:
    // Builds the list with the root node's particle, drawing from the calling thread's random
    // source, as the view does when it is created. Call reset() before stepping.
    explicit Simulation(GlobalState& g, const FrameTimeSource& clock = systemFrameTime());
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Simulates currentFrame and advances it; returns 1 when the step began with a reset.
    int step();
    // Restarts the effect at frame 1: the root particle and the two camera marker particles.
    // Takes the project settings anew (GlobalState::frameInputs), as every step does.
    void reset();
    // Deletes every particle.
    void clear();

    std::uint32_t currentFrame() const { return currentFrame_; }
    // Live particles in list order.
    const std::vector<Particle*>& particles() const { return list_; }
    // The list itself, for the drawing, which may sort it by camera distance.
    std::vector<Particle*>& mutableParticles() { return list_; }

    // Facing matrix of m_shape.dir 0..5 (front, back, right, left, up, down).
    const Mat4& facing(int shapeDir) const;
    const GlobalState& state() const { return g_; }
    // The run-time copy of `node` as of the latest reset, or null (a node added since, or none).
    const NodeRuntime* runtimeOf(const EffectNode* node) const { return runtimes_.find(node); }

    // Used by emission and the particle update.
    // A new particle of `node`, or null when there is no memory for one (it is not born).
    Particle* create(NodeRuntime& node, Particle* parent);
    void append(Particle& particle);
    bool update(Particle& particle);
    void emitDuringLife(NodeRuntime& child, Particle& parent);
    void emitAtDeath(NodeRuntime& child, Particle& dying);

    // Upper bound of live particles: a damaged project asking for billions stops here.
    static constexpr std::size_t kMaxParticles = 4'000'000;

private:
    void restart();
    void walk();
    void die(Particle& particle);
    void destroy(Particle* particle);
    void compact();
    // A record in its default state, from the free list or from a new block.
    Particle* allocate();

    GlobalState& g_;
    ProjectSettings project_; // as of the latest step or reset
    NodeRuntimeSet runtimes_;
    std::vector<Particle*> list_;
    // Particle records are recycled: a dead particle's record is cleared and kept on the free
    // list for the next birth, so a running effect does no heap work per particle.
    struct alignas(64) ParticleSlot {
        Particle particle; // on a cache-line boundary, so that it spans as few lines as it can
    };
    class ParticleBlock;
    std::vector<std::unique_ptr<ParticleBlock>> blocks_;
    std::vector<Particle*> free_;
    std::array<Mat4, 6> facings_;
    std::uint32_t currentFrame_ = 1;
    std::uint32_t births_ = 0; // since the latest restart, for the particles' serials
    const FrameTimeSource& clock_;
    FpsMeter fpsMeter_;
};

} // namespace vintrel
