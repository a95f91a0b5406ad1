#include "engine/simulation.h"

#include "engine/random.h"

#include <algorithm>

namespace vintrel {

namespace {

std::array<Mat4, 6> buildFacings() {
    return {
        Mat4::identity(),             // front
        matrixRotationX(kPi),         // back
        matrixRotationY(-kPi / 2.0f), // right
        matrixRotationY(kPi / 2.0f),  // left
        matrixRotationX(kPi / 2.0f),  // up
        matrixRotationX(-kPi / 2.0f), // down
    };
}

} // namespace

Simulation::Simulation(GlobalState& g, const FrameTimeSource& clock)
    : g_(g), facings_(buildFacings()), clock_(clock) {
    runtimes_.build(*g_.rootNode, *g_.cameraNode, *g_.targetNode);
    append(create(runtimes_.root(), nullptr));
}

Simulation::~Simulation() {
    clear();
}

const Mat4& Simulation::facing(int shapeDir) const {
    // Values past "down" (a damaged file) face the front.
    return shapeDir >= 0 && shapeDir < static_cast<int>(facings_.size())
               ? facings_[static_cast<std::size_t>(shapeDir)]
               : facings_[0];
}

void Simulation::append(Particle& particle) {
    list_.push_back(&particle);
}

void Simulation::destroy(Particle* particle) {
    delete particle;
}

void Simulation::clear() {
    for (Particle* particle : list_) {
        destroy(particle);
    }
    list_.clear();
    g_.sim.particleCount = 0;
}

void Simulation::reset() {
    currentFrame_ = 1;
    clear();
    const int frames = g_.project.frame;
    {
        const auto lock = g_.rootNode->lockParams();
        g_.rootNode->m_kill.span = frames;
    }
    for (EffectNode* marker : {g_.cameraNode.get(), g_.targetNode.get()}) {
        const auto lock = marker->lockParams();
        marker->m_scale.max = 0;
        marker->m_kill.span = frames;
    }
    runtimes_.build(*g_.rootNode, *g_.cameraNode, *g_.targetNode);
    Particle& root = create(runtimes_.root(), nullptr);
    append(root);
    append(create(runtimes_.cameraNode(), &root));
    append(create(runtimes_.targetNode(), &root));
}

int Simulation::step() {
    int looped = 0;
    if (currentFrame_ > static_cast<std::uint32_t>(g_.project.frame)) {
        reset();
        looped = 1;
    }
    if (currentFrame_ == 1) {
        rng::seed(static_cast<std::uint32_t>(g_.project.randomSeed));
    }
    runtimes_.refreshAll();
    walk();
    ++currentFrame_;
    g_.sim.particleCount = static_cast<unsigned>(list_.size());
    if (fpsMeter_.tick(clock_.nowMs())) {
        g_.sim.measuredFps = fpsMeter_.reading();
    }
    return looped;
}

void Simulation::walk() {
    // Particles appended during the walk are reached by it; dead ones leave a hole that is
    // closed afterwards, so the order of the others never changes.
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (g_.sim.isStopped.load(std::memory_order_relaxed)) {
            break;
        }
        Particle* particle = list_[i];
        if (particle != nullptr && update(*particle)) {
            die(*particle);
            list_[i] = nullptr;
            destroy(particle);
        }
    }
    compact();
}

void Simulation::die(Particle& particle) {
    for (NodeRuntime* child : particle.node->children) {
        emitAtDeath(*child, particle);
    }
    particle.orphanChildren();
    particle.detachFromParent();
}

void Simulation::compact() {
    list_.erase(std::remove(list_.begin(), list_.end(), nullptr), list_.end());
}

} // namespace vintrel
