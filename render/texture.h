#pragma once

#include "render/gl_objects.h"
#include "render/view_passes.h"

#include <filesystem>
#include <optional>

class QImage;

namespace vintrel {

// How opaque the picture's texels are: tells which passes a particle drawn with it can change a
// pixel in.
TextureAlpha textureAlpha(const QImage& image);

// A particle texture and its alpha.
struct ParticleTexture {
    gl::Texture texture;
    TextureAlpha alpha;
};

// Uploads an image as an RGBA texture with its mipmap chain. The image's top row becomes the
// texture's first row, so texture coordinate v = 0 reads the top of the picture.
gl::Texture uploadTexture(const QImage& image);
// The picture in `file`, or nothing when it cannot be read.
std::optional<ParticleTexture> loadTexture(const std::filesystem::path& file);
// A 1 x 1 texture of one colour (0..255 each).
gl::Texture solidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a);

} // namespace vintrel
