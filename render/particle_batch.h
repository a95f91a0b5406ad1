#pragma once

#include "platform/math.h"
#include "render/gl_objects.h"
#include "render/gpu_states.h"
#include "render/shader_programs.h"

#include <vector>

namespace vintrel {

class Primitive;

// One particle's constants as the instanced particle program reads them: the same values the
// per-draw uniforms get, so an instance lands on the same pixels as a draw of its own.
struct ParticleInstance {
    Mat4 wvp;      // transposed, as the uniform
    Mat4 world;    // transposed
    Vec4 textureU; // the transposed texture matrix's first two rows (the shader's columns)
    Vec4 textureV;
    Vec4 color;
    Vec4 bottom; // cylinder base scale in x, y, z; the under-cut flag in w
    Vec4 top;    // cylinder tip scale
};

// What consecutive particles must share to go in one draw.
struct BatchKey {
    Primitive* mesh = nullptr;
    GLuint texture = 0;
    PixelEntry pixel = PixelEntry::Alpha;
    BlendMode blend = BlendMode::Alpha;
};
bool operator==(const BatchKey& a, const BatchKey& b);

// Consecutive particles of the view's walk that share mesh, texture, blending and pixel entry,
// drawn in one instanced draw. Instances are drawn in the order they were added, each with all
// its strips before the next, so blending and depth give the pixels of one draw per particle.
class ParticleBatch {
public:
    ParticleBatch();
    // The buffer the instanced meshes read their instances from.
    GLuint instanceBuffer() const { return buffer_.id(); }

    // Adds a particle; what is pending under another key is drawn first.
    void add(ShaderPrograms& programs, const BatchKey& key, const ParticleInstance& instance, bool nonLinear);
    // Draws what is pending, in the blend state of its key.
    void flush(ShaderPrograms& programs);
    // Instanced draws issued since the count was last reset (for tests and benchmarks).
    std::size_t draws() const { return draws_; }
    void resetDrawCount() { draws_ = 0; }

private:
    BatchKey key_;
    bool nonLinear_ = false;
    std::vector<ParticleInstance> pending_;
    gl::Buffer buffer_;
    std::size_t draws_ = 0;
};

} // namespace vintrel
