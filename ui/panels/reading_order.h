#pragma once

#include <QRect>
#include <vector>

namespace vintrel {

// The order in which Tab visits a panel's fields: frame by frame, and inside each frame line by
// line, left to right. Frames (and fields outside every frame, each as a frame of its own) are
// taken in the same line-by-line order by their rectangles. A field belongs to the outermost
// frame that holds its centre, so a frame inside another is read with it. A rectangle is on the
// line that another starts when its top lies above that one's vertical middle. Returns indices
// into `fields`.
std::vector<int> readingOrder(const std::vector<QRect>& fields, const std::vector<QRect>& frames);

} // namespace vintrel
