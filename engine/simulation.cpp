#include "engine/simulation.h"

#include "engine/random.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

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
    if (Particle* root = create(runtimes_.root(), nullptr)) {
        append(*root);
    }
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

// Records of a large effect are spread over tens of megabytes and visited in no order of
// address; on huge pages the address translation of each visit stays in the TLB. Records are
// constructed as they are first needed, so a small effect touches little of its block.
class Simulation::ParticleBlock {
public:
    static constexpr std::size_t kBytes = std::size_t{2} << 20;
    static constexpr std::size_t kCount = kBytes / sizeof(ParticleSlot);

    // A block without memory (the system has none to give) hands out no records.
    ParticleBlock() {
        memory_ = std::aligned_alloc(kBytes, kBytes);
        if (memory_ == nullptr) {
            return;
        }
#if defined(__linux__)
        ::madvise(memory_, kBytes, MADV_HUGEPAGE); // only advice: without it, plain pages
#endif
        slots_ = static_cast<ParticleSlot*>(memory_);
    }
    ~ParticleBlock() {
        std::destroy_n(slots_, used_);
        std::free(memory_);
    }
    ParticleBlock(const ParticleBlock&) = delete;
    ParticleBlock& operator=(const ParticleBlock&) = delete;

    // A new record in its default state, or null when the block is full.
    Particle* take() {
        if (slots_ == nullptr || used_ == kCount) {
            return nullptr;
        }
        return &(new (&slots_[used_++]) ParticleSlot{})->particle;
    }

private:
    void* memory_ = nullptr;
    ParticleSlot* slots_ = nullptr;
    std::size_t used_ = 0;
};

Particle* Simulation::allocate() {
    if (!free_.empty()) {
        Particle* particle = free_.back();
        free_.pop_back();
        return particle;
    }
    Particle* particle = blocks_.empty() ? nullptr : blocks_.back()->take();
    if (particle == nullptr) {
        auto block = std::make_unique<ParticleBlock>();
        particle = block->take();
        if (particle != nullptr) {
            blocks_.push_back(std::move(block));
        }
    }
    return particle;
}

void Simulation::destroy(Particle* particle) {
    // Back to the default state now, so that a trail's memory goes at once and the next birth
    // finds a clean record.
    std::destroy_at(particle);
    new (particle) Particle{};
    free_.push_back(particle);
}

void Simulation::clear() {
    for (Particle* particle : list_) {
        destroy(particle);
    }
    list_.clear();
    g_.sim.particleCount = 0;
}

void Simulation::reset() {
    project_ = g_.frameInputs().project;
    restart();
}

void Simulation::restart() {
    currentFrame_ = 1;
    clear();
    births_ = 0;
    syncEffectLengthNodes(g_, project_.frame);
    runtimes_.build(*g_.rootNode, *g_.cameraNode, *g_.targetNode);
    Particle* root = create(runtimes_.root(), nullptr);
    if (root == nullptr) {
        return; // no memory for even the root: the effect shows nothing
    }
    append(*root);
    for (NodeRuntime* marker : {&runtimes_.cameraNode(), &runtimes_.targetNode()}) {
        if (Particle* particle = create(*marker, root)) {
            append(*particle);
        }
    }
}

int Simulation::step() {
    int looped = 0;
    project_ = g_.frameInputs().project;
    if (currentFrame_ > static_cast<std::uint32_t>(project_.frame)) {
        restart();
        looped = 1;
    }
    if (currentFrame_ == 1) {
        rng::seed(static_cast<std::uint32_t>(project_.randomSeed));
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

namespace {

// The records of a large effect are far more than the caches hold, and the list visits them in
// an order that has little to do with their addresses: a record is fetched a few particles
// before its update, so that the memory latency overlaps the work on the ones before it. The
// fetches go to the second-level cache, which can have more of them under way than the first.
// The records start on a cache-line boundary; the last line holds only the sibling link and
// the flag that an update does not touch.
void prefetchRecord(const Particle* particle) {
    constexpr std::size_t kLine = 64;
    const char* bytes = reinterpret_cast<const char*>(particle);
    const auto updatedBytes =
        static_cast<std::size_t>(reinterpret_cast<const char*>(&particle->prevSibling) - bytes);
    for (std::size_t offset = 0; offset < updatedBytes; offset += kLine) {
        __builtin_prefetch(bytes + offset, 1, 2);
    }
}

// What the update reads of the parent (its position, spin, colour and travel) and the trail's
// bookkeeping, once the record that points to them has arrived.
void prefetchLinksOf(const Particle* particle) {
    if (const TrailHistory* trail = particle->trail.get()) {
        __builtin_prefetch(trail, 1, 2);
    }
    const Particle* parent = particle->parent;
    if (parent == nullptr) {
        return;
    }
    __builtin_prefetch(&parent->pos, 0, 2);
    __builtin_prefetch(&parent->spinMatrix, 0, 2);
    __builtin_prefetch(&parent->color, 0, 2);
    __builtin_prefetch(&parent->delta, 0, 2);
}

// The end of the trail, where the update appends, once the trail's bookkeeping has arrived.
void prefetchTrailEndOf(const Particle* particle) {
    if (const TrailHistory* trail = particle->trail.get(); trail != nullptr && !trail->points().empty()) {
        __builtin_prefetch(&trail->points().back(), 1, 2);
    }
}

} // namespace

void Simulation::walk() {
    // A record is fetched this many particles ahead, what it points to half as many, when the
    // record itself has arrived, and the end of its trail a quarter as many.
    constexpr std::size_t kPrefetchDistance = 8;
    constexpr std::size_t kLinksPrefetchDistance = kPrefetchDistance / 2;
    constexpr std::size_t kTrailPrefetchDistance = kPrefetchDistance / 4;
    // Particles appended during the walk are reached by it; dead ones leave a hole that is
    // closed afterwards, so the order of the others never changes.
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (g_.sim.isStopped.load(std::memory_order_relaxed)) {
            break;
        }
        if (i + kPrefetchDistance < list_.size() && list_[i + kPrefetchDistance] != nullptr) {
            prefetchRecord(list_[i + kPrefetchDistance]);
        }
        if (i + kLinksPrefetchDistance < list_.size() && list_[i + kLinksPrefetchDistance] != nullptr) {
            prefetchLinksOf(list_[i + kLinksPrefetchDistance]);
        }
        if (i + kTrailPrefetchDistance < list_.size() && list_[i + kTrailPrefetchDistance] != nullptr) {
            prefetchTrailEndOf(list_[i + kTrailPrefetchDistance]);
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
