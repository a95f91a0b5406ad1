#pragma once

#include "model/export_extras.h"

#include <QImage>

namespace vintrel {

// What an output stores for `mode`, from the finished image (after the area downscale and the
// glow): the straight image as it is, its colour multiplied by its opacity (rounded), or that
// product as an opaque image, which is the image over black. Returns a QImage::Format_ARGB32
// image; `image` may be in any format.
QImage withAlphaMode(const QImage& image, AlphaMode mode);

} // namespace vintrel
