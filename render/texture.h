#pragma once

#include "render/gl_objects.h"

#include <filesystem>
#include <optional>

class QImage;

namespace vintrel {

// Uploads an image as an RGBA texture with its mipmap chain. The image's top row becomes the
// texture's first row, so texture coordinate v = 0 reads the top of the picture.
gl::Texture uploadTexture(const QImage& image);
// The picture in `file`, or nothing when it cannot be read.
std::optional<gl::Texture> loadTexture(const std::filesystem::path& file);
// A 1 x 1 texture of one colour (0..255 each).
gl::Texture solidTexture(unsigned char r, unsigned char g, unsigned char b, unsigned char a);

} // namespace vintrel
