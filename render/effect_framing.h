#pragma once

#include "model/frame_inputs.h"

namespace vintrel {

struct GlobalState;

// Where the view's camera shows the whole effect: `project` (a copy that the caller owns, run
// here from its first frame to its last) seen from the direction `current` looks in, the target
// at the middle of the bounds of every particle over the effect's length (their size included)
// and the eye as near as the view's field of view (60 degrees high, `aspect` as wide) allows for
// the sphere around those bounds. `current` when the effect shows no particle.
ViewCameraPose framingPose(GlobalState& project, const ViewCameraPose& current, float aspect);

} // namespace vintrel
