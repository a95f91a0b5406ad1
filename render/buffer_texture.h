#pragma once

#include "render/gl_objects.h"

#include <cstddef>

namespace vintrel {

// A buffer that shaders read as an array of RGBA32F texels (texelFetch on a samplerBuffer):
// how batched draws hand each particle's constants and the mesh to the vertex stage.
class BufferTexture {
public:
    // Makes the buffer and the texture that reads it; false when the context cannot.
    bool create();
    // Replaces the contents with `bytes` bytes (a whole number of texels).
    void upload(const void* data, std::size_t bytes);
    void bind(GLuint unit) const;

    // The most texels one buffer texture may hold in this context.
    static std::size_t maxTexels();

private:
    gl::Buffer buffer_;
    gl::Texture texture_;
};

} // namespace vintrel
