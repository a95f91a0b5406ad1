#pragma once

#include "render/gl_objects.h"
#include "render/pixel_rect.h"

#include <QImage>

namespace vintrel {

// An off-screen colour texture (RGBA, 8 bits a channel) with a 32-bit float depth texture and
// the framebuffer that binds them.
class RenderTarget {
public:
    // Which part could not be made.
    enum class Failure { None, Color, Depth, Framebuffer };

    // False when the driver refuses the size or the formats; `failure` then says which part.
    bool create(int width, int height, Failure* failure = nullptr);
    void bind() const;
    GLuint framebuffer() const { return framebuffer_.id(); }
    GLuint colorTexture() const { return color_.id(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour contents as an image, top row first.
    QImage read() const;

private:
    gl::Texture color_;
    gl::Texture depth_;
    gl::Framebuffer framebuffer_;
    int width_ = 0;
    int height_ = 0;
};

// Copies the colour of `from` into `to` (same size).
void copyColor(const RenderTarget& from, const RenderTarget& to);
// Copies only `rect` of the colour (same place in both).
void copyColorRect(const RenderTarget& from, const RenderTarget& to, const PixelRect& rect);
// Copies the whole colour of `from` to `place` of `framebuffer` (of the same size as `from`, or
// scaled to it pixel by pixel) and leaves `framebuffer` bound.
void copyColorInto(const RenderTarget& from, GLuint framebuffer, const PixelRect& place);

} // namespace vintrel
