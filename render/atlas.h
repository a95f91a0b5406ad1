#pragma once

// Animated texture atlases: a texture split into w columns and h rows of cells, shown one cell
// at a time, left to right and then top to bottom.
//
// A column or row count of 0 or less (a loaded file can hold one) is treated as 1. Cell counts
// are computed in 64 bits, so no product overflows.

#include "platform/math.h"

namespace vintrel {

// Texture matrix that maps the whole texture onto cell (int)animPosition:
// scaling(1/w, 1/h, 1) * translation(column/w, row/h, 0). A position that is not finite reads as
// cell 0; one beyond the int range is clamped to it.
Mat4 atlasTextureMatrix(int w, int h, float animPosition);

// Animation position of a particle of the given age: speed/100 * (age - 1). From the cell count
// w*h on, it wraps round keeping its fraction (loop) or stays on the last cell w*h - 1.
// NaN gives 0; +infinity gives 0 with loop and the last cell without; -infinity gives 0.
float nextAnimPosition(float speed, int age, int w, int h, bool loop);

} // namespace vintrel
