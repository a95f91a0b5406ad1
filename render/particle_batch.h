#pragma once

#include "platform/math.h"
#include "render/buffer_texture.h"
#include "render/gpu_states.h"
#include "render/shader_programs.h"

#include <vector>

namespace vintrel {

class Primitive;

// One particle's constants as the batched particle program reads them: the same values the
// per-draw uniforms get, so a particle of a batch lands on the same pixels as a draw of its own.
struct ParticleInstance {
    Mat4 wvp;      // transposed, as the uniform
    Mat4 world;    // transposed
    Vec4 textureU; // the transposed texture matrix's first two rows (the shader's columns)
    Vec4 textureV;
    Vec4 color;
    Vec4 bottom; // cylinder base scale in x, y, z; the under-cut flag in w
    Vec4 top;    // cylinder tip scale
};

// Puts the part of a texture matrix that the batched program reads into `instance`.
void setTextureRows(ParticleInstance& instance, const Mat4& textureMatrix);

// What consecutive particles must share to go in one draw.
struct BatchKey {
    Primitive* mesh = nullptr;
    GLuint texture = 0;
    PixelEntry pixel = PixelEntry::Alpha;
    BlendMode blend = BlendMode::Alpha;

    friend bool operator==(const BatchKey&, const BatchKey&) = default;
};

// Consecutive particles of the view's walk that share mesh, texture, blending and pixel entry,
// drawn in one draw. Particles are drawn in the order they were added, each with all its
// triangles before the next, so blending and depth give the pixels of one draw per particle.
// The draw is not instanced: a software driver runs its whole vertex pipeline once per
// instance, so the vertex stage reads each particle's constants from a buffer texture instead.
class ParticleBatch {
public:
    ParticleBatch();

    // Adds a particle; what is pending under another key is drawn first.
    void add(ShaderPrograms& programs, const BatchKey& key, const ParticleInstance& instance, bool nonLinear);
    // Draws what is pending, in the blend state of its key.
    void flush(ShaderPrograms& programs);
    // Batched draws issued since the count was last reset (for tests and benchmarks).
    std::size_t draws() const { return draws_; }
    void resetDrawCount() { draws_ = 0; }

private:
    BatchKey key_;
    bool nonLinear_ = false;
    std::vector<ParticleInstance> pending_;
    BufferTexture constants_;
    std::size_t draws_ = 0;
};

} // namespace vintrel
