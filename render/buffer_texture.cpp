#include "render/buffer_texture.h"

namespace vintrel {

bool BufferTexture::create() {
    buffer_ = gl::makeBuffer();
    texture_ = gl::makeTexture();
    glBindBuffer(GL_TEXTURE_BUFFER, buffer_.id());
    glBufferData(GL_TEXTURE_BUFFER, 16, nullptr, GL_STREAM_DRAW);
    glBindTexture(GL_TEXTURE_BUFFER, texture_.id());
    glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, buffer_.id());
    glBindTexture(GL_TEXTURE_BUFFER, 0);
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    return glGetError() == GL_NO_ERROR;
}

void BufferTexture::upload(const void* data, std::size_t bytes) {
    glBindBuffer(GL_TEXTURE_BUFFER, buffer_.id());
    glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STREAM_DRAW);
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
}

void BufferTexture::bind(GLuint unit) const {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_BUFFER, texture_.id());
}

std::size_t BufferTexture::maxTexels() {
    GLint texels = 0;
    glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &texels);
    return texels > 0 ? static_cast<std::size_t>(texels) : 0;
}

} // namespace vintrel
