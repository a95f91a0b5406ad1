#pragma once

#include "model/global_state.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vintrel {

// The rules of the view list: the saved viewpoints followed by the "＜追加＞" entry, which always
// stays last. Lists read from older files may lack that entry; the rules treat it as present and
// put it back when the list is changed.

// The angle of a viewpoint added from the current camera.
inline constexpr float kNewViewpointAngle = 60.0f;

// "(%d,%d,%d)－(%d,%d,%d)": the eye and the look-at point, each coordinate × 10 and truncated.
std::string viewpointTitle(const ViewCameraPose& pose);

// The number of viewpoints, without the "＜追加＞" entry.
std::size_t viewpointCount(const std::vector<CameraView>& views);

// Adds a viewpoint of `pose` (angle 60, titled by viewpointTitle) just before "＜追加＞".
void appendViewpoint(std::vector<CameraView>& views, const ViewCameraPose& pose);

// Removes viewpoint `index`; false (and nothing changes) for the "＜追加＞" entry or an index
// past the list.
bool removeViewpoint(std::vector<CameraView>& views, std::size_t index);

// Where the camera goes when a viewpoint is chosen.
ViewCameraPose poseOf(const CameraView& view);

} // namespace vintrel
