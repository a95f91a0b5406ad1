#pragma once

#include "model/view_backdrop.h"
#include "render/gl_objects.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace vintrel {

// The part of a picture of `picture` pixels that fills a view of `view` pixels without
// distortion: the whole picture's width or height, centred, the rest cut off.
QRect coverRect(QSize picture, QSize view);

// A checkerboard of `size` pixels: squares of kCheckerSquare pixels, light at the top left.
QImage checkerboard(QSize size);
constexpr int kCheckerSquare = 16;

// What the 3D view draws behind the grid and the particles after clearing to the background
// colour: nothing, a checkerboard or a picture filling the view. Needs the current OpenGL
// context for every call but set().
class BackdropLayer {
public:
    // The backdrop to draw from the next frame: Color draws nothing; Image and VideoFrame show
    // `picture` (ignored for the others; a null picture draws nothing).
    void set(ViewBackdrop::Kind kind, QImage picture);
    // Copies the backdrop into the colour buffer of `framebuffer` (`viewSize` pixels) and binds
    // `framebuffer` again.
    void draw(GLuint framebuffer, QSize viewSize);

private:
    void upload(const QImage& image);

    ViewBackdrop::Kind kind_ = ViewBackdrop::Kind::Color;
    QImage picture_;
    bool pending_ = false;
    QSize uploadedSize_;
    gl::Texture texture_;
    gl::Framebuffer source_;
};

} // namespace vintrel
