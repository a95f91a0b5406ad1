#include "render/particle_batch.h"

#include "render/primitive.h"

namespace vintrel {

void setTextureRows(ParticleInstance& instance, const Mat4& textureMatrix) {
    // The first two rows of the transposed matrix, as the uniform holds them.
    const Mat4& m = textureMatrix;
    instance.textureU = Vec4{m.m[0][0], m.m[1][0], m.m[2][0], m.m[3][0]};
    instance.textureV = Vec4{m.m[0][1], m.m[1][1], m.m[2][1], m.m[3][1]};
}

ParticleBatch::ParticleBatch() {
    constants_.create();
}

void ParticleBatch::add(ShaderPrograms& programs, const BatchKey& key, const ParticleInstance& instance,
                        bool nonLinear) {
    if (!pending_.empty() &&
        (!(key == key_) || nonLinear != nonLinear_ || pending_.size() >= key_.mesh->batchCapacity())) {
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
    constants_.upload(pending_.data(), pending_.size() * sizeof(ParticleInstance));
    constants_.bind(kUnitParticles);
    GpuStates::setBlend(key_.blend);
    key_.mesh->drawBatch(programs, key_.pixel, key_.texture, nonLinear_, static_cast<GLsizei>(pending_.size()));
    pending_.clear();
    ++draws_;
}

} // namespace vintrel
