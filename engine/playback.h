#pragma once

// Frame numbers of the preview's transport (play, pause, step, go to a frame).
//
// Frame N is the state after N steps since a reset: the number the info bar's counter shows and
// the frame of the command-line trace. Frame 0 is the freshly reset effect. The simulation cannot
// step backwards, so reaching a frame before the current one is a reset and N steps, which gives
// exactly the same particles every time.

namespace vintrel {

class Simulation;

namespace playback {

// The frame the simulation stands at.
int shownFrame(const Simulation& simulation);

// `frame` held to 0 ... length (a damaged, negative length only has frame 0).
int clampFrame(int frame, int length);

// One frame on: after the last frame comes frame 1, as the looping preview does.
int frameAfter(int frame, int length);

// One frame back: before frame 1 (and before the reset state) comes the last frame.
int frameBefore(int frame, int length);

} // namespace playback
} // namespace vintrel
