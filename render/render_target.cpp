#include "render/render_target.h"

namespace vintrel {

namespace {

gl::Texture makeStorage(GLenum internalFormat, GLenum format, GLenum type, int width, int height) {
    gl::Texture texture = gl::makeTexture();
    glBindTexture(GL_TEXTURE_2D, texture.id());
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, format, type,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace

bool RenderTarget::create(int width, int height, Failure* failure) {
    const auto fail = [&](Failure what) {
        *this = RenderTarget();
        if (failure != nullptr) {
            *failure = what;
        }
        return false;
    };
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) {
        return fail(Failure::Color);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    color_ = makeStorage(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, width, height);
    if (glGetError() != GL_NO_ERROR) {
        return fail(Failure::Color);
    }
    depth_ = makeStorage(GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT, width, height);
    if (glGetError() != GL_NO_ERROR) {
        return fail(Failure::Depth);
    }
    framebuffer_ = gl::makeFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.id());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color_.id(), 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_.id(), 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete || glGetError() != GL_NO_ERROR) {
        return fail(Failure::Framebuffer);
    }
    width_ = width;
    height_ = height;
    if (failure != nullptr) {
        *failure = Failure::None;
    }
    return true;
}

void RenderTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.id());
    glViewport(0, 0, width_, height_);
}

QImage RenderTarget::read() const {
    QImage image(width_, height_, QImage::Format_RGBA8888);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.id());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, static_cast<GLint>(image.bytesPerLine() / 4));
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    // OpenGL returns the bottom row first.
    return image.mirrored(false, true);
}

void copyColor(const RenderTarget& from, const RenderTarget& to) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to.framebuffer());
    glBlitFramebuffer(0, 0, from.width(), from.height(), 0, 0, to.width(), to.height(), GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, from.framebuffer());
}

void copyColorRect(const RenderTarget& from, const RenderTarget& to, const PixelRect& rect) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to.framebuffer());
    glBlitFramebuffer(rect.x0, rect.y0, rect.x1, rect.y1, rect.x0, rect.y0, rect.x1, rect.y1,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, from.framebuffer());
}

void copyColorInto(const RenderTarget& from, GLuint framebuffer, const PixelRect& place) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(0, 0, from.width(), from.height(), place.x0, place.y0, place.x1, place.y1, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

} // namespace vintrel
