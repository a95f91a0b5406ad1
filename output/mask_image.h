#pragma once

// The export mask: a picture from the material list, placed on the frame as a rectangle, hides
// the particles behind it.

#include "model/global_state.h"

#include <QImage>

namespace vintrel {

// The mask image for a target of `targetWidth` x `targetHeight` pixels (the export size times
// s = `smooth`): fully transparent Format_ARGB32, with `picture` drawn scaled into the
// rectangle of width mask.w*s and height mask.h*s whose left edge is
//   truncate(mask.x*s + (targetWidth div 2) - ((mask.w*s) div 2))
// and top edge
//   truncate(mask.y*s + (targetHeight div 2) - ((mask.h*s) div 2)),
// the terms computed exactly in 64 bits and summed in floating point. The rectangle is clipped to the
// target. Nothing is drawn for a null picture, for a mask width or height that is unset or below 1,
// or for s below 1. A target width or height below 1 (or one too large to allocate) gives a null
// image.
QImage buildMaskImage(const QImage& picture, int targetWidth, int targetHeight, const MaskSettings& mask,
                      int smooth);

// The picture of the mask: the texture at list position mask.texID - 1, read from
// g.workspace / (its name + ".png"). Null when texID is 0 or out of range, when the entry is not a
// texture or its name is not a plain file name, or when the file cannot be read or decoded.
QImage loadMaskPicture(const GlobalState& g);

} // namespace vintrel
