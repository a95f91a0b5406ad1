#pragma once

// Downscaling of supersampled export frames.

#include <QImage>

namespace vintrel {

// Scales `source` to `width` x `height` by averaging every source pixel that each output pixel
// covers (a box filter), the pixels partly covered at a non-integer ratio weighted by the covered
// area. The averaging is done exactly in premultiplied alpha, so the colour of transparent pixels
// does not bleed into their neighbours, and each result is rounded to the nearest integer; at an
// integer ratio (the supersampling factor) every output pixel is the exact average of its block.
//
// The same size gives the source's pixels unchanged. When either side grows, there is no area to
// average over, and Qt's smooth (bilinear) scaling of the premultiplied image is used instead.
// The result is Format_ARGB32_Premultiplied; a null source or a size below 1 gives a null image.
QImage scaleDownArea(const QImage& source, int width, int height);

} // namespace vintrel
