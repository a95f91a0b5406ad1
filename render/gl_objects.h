#pragma once

#include <epoxy/gl.h>
#include <utility>

namespace vintrel::gl {

// A move-only owner of one OpenGL object name. The destructor deletes the object, so it must
// run while the context that made it is current; a moved-from handle holds 0 and deletes
// nothing.
template <void (*Delete)(GLuint)> class Handle {
public:
    Handle() = default;
    explicit Handle(GLuint id) : id_(id) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            reset();
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    GLuint id() const { return id_; }
    explicit operator bool() const { return id_ != 0; }
    void reset() {
        if (id_ != 0) {
            Delete(id_);
            id_ = 0;
        }
    }

private:
    GLuint id_ = 0;
};

inline void deleteBuffer(GLuint id) {
    glDeleteBuffers(1, &id);
}
inline void deleteTexture(GLuint id) {
    glDeleteTextures(1, &id);
}
inline void deleteFramebuffer(GLuint id) {
    glDeleteFramebuffers(1, &id);
}
inline void deleteVertexArray(GLuint id) {
    glDeleteVertexArrays(1, &id);
}
inline void deleteSampler(GLuint id) {
    glDeleteSamplers(1, &id);
}
inline void deleteProgram(GLuint id) {
    glDeleteProgram(id);
}
inline void deleteShader(GLuint id) {
    glDeleteShader(id);
}

using Buffer = Handle<deleteBuffer>;
using Texture = Handle<deleteTexture>;
using Framebuffer = Handle<deleteFramebuffer>;
using VertexArray = Handle<deleteVertexArray>;
using Sampler = Handle<deleteSampler>;
using Program = Handle<deleteProgram>;
using Shader = Handle<deleteShader>;

// A fresh object name from one of the glGen* functions, owned by a handle.
template <typename Owner> Owner generate(void (*gen)(GLsizei, GLuint*)) {
    GLuint id = 0;
    gen(1, &id);
    return Owner(id);
}

inline Buffer makeBuffer() {
    return generate<Buffer>(glGenBuffers);
}
inline Texture makeTexture() {
    return generate<Texture>(glGenTextures);
}
inline Framebuffer makeFramebuffer() {
    return generate<Framebuffer>(glGenFramebuffers);
}
inline VertexArray makeVertexArray() {
    return generate<VertexArray>(glGenVertexArrays);
}
inline Sampler makeSampler() {
    return generate<Sampler>(glGenSamplers);
}

} // namespace vintrel::gl
