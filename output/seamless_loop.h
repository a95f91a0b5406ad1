#pragma once

#include "output/image_outputs.h"
#include "platform/result.h"

namespace vintrel {

// How many frames a loop of `frameCount` frames cross-fades: `asked`, or a quarter of the
// frames for 0; always fewer than half of them (0 when there are fewer than 3 frames).
int loopFadeFrames(int frameCount, int asked);

// The frames of a seamless loop made from `frames` (n of them) with `fade` = K frames faded:
// n − K frames in "<renderFolder>/loop", frame j ≥ K the source's frame j, and frame j < K the
// source's frame n − K + j faded into its frame j, by j / K of the latter (premultiplied), so
// that the last frame leads into the first as the source's frame n − K − 1 led into n − K.
// Returns the new frames' description; the sources stay as they are.
Result<OutputFrames> makeSeamlessLoop(const OutputFrames& frames, int fade);

// Frame j of the loop as makeSeamlessLoop writes it: `tail` · (1 − t) + `head` · t, both
// premultiplied, rounded.
QImage crossFade(const QImage& tail, const QImage& head, double t);

} // namespace vintrel
