#pragma once

#include <QImage>

namespace vintrel {

// How a game shows the time between two frames of a flipbook.
enum class FlipbookBlend {
    Hold,      // frame A until frame B is due
    Crossfade, // A faded into B
    Motion,    // A moved on along its motion vectors, B moved back along its own, then faded
};

// The picture at fraction `t` (0..1) of the way from frame `a` to frame `b` (premultiplied, of
// one size), as a flipbook shader draws it. For Motion, `motionA` and `motionB` are the two
// frames' motion (red right, green down, 128 none, ±strength frame sizes at 0 and 255), and a
// pixel takes A from where its content was (its place minus A's motion times t) and B from
// where it will be (plus B's motion times 1 − t), each read between pixels.
QImage flipbookFrame(const QImage& a, const QImage& b, const QImage& motionA, const QImage& motionB, double t,
                     double strength, FlipbookBlend blend);

} // namespace vintrel
