#include "render/particle_batch.h"

#include "render/primitive.h"

namespace vintrel {

namespace {

// Instances per draw at most: a few megabytes of constants, so that an effect of millions of
// particles streams through a small buffer instead of copying all of them at once.
constexpr std::size_t kMaxInstancesPerDraw = 16'384;

} // namespace

bool operator==(const BatchKey& a, const BatchKey& b) {
    return a.mesh == b.mesh && a.texture == b.texture && a.pixel == b.pixel && a.blend == b.blend;
}

ParticleBatch::ParticleBatch() : buffer_(gl::makeBuffer()) {}

void ParticleBatch::add(ShaderPrograms& programs, const BatchKey& key, const ParticleInstance& instance,
                        bool nonLinear) {
    if (!pending_.empty() &&
        (!(key == key_) || nonLinear != nonLinear_ || pending_.size() >= kMaxInstancesPerDraw)) {
        flush(programs);
    }
    key_ = key;
    nonLinear_ = nonLinear;
    pending_.push_back(instance);
}

void ParticleBatch::flush(ShaderPrograms& programs) {
    if (pending_.empty()) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer_.id());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(pending_.size() * sizeof(ParticleInstance)),
                 pending_.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    GpuStates::setBlend(key_.blend);
    key_.mesh->drawInstanced(programs, key_.pixel, key_.texture, nonLinear_,
                             static_cast<GLsizei>(pending_.size()));
    pending_.clear();
    ++draws_;
}

} // namespace vintrel
