#pragma once

#include "model/frame_inputs.h"
#include "ui/dialogs/int_range.h"

#include <array>

namespace vintrel {

// The six number fields of the camera settings dialog: the view camera's eye and look-at point,
// each along the three axes. The fields show tenths: a value is shown as value × 10, truncated,
// and typed text is stored divided by 10.
enum class CameraPoint { Eye, Target };
enum class CameraAxis { X, Y, Z };

struct CameraField {
    CameraPoint point;
    CameraAxis axis;
};

// In the dialog's order: the eye's x, y, z, then the look-at point's.
inline constexpr std::array<CameraField, 6> kCameraFields{{
    {CameraPoint::Eye, CameraAxis::X},
    {CameraPoint::Eye, CameraAxis::Y},
    {CameraPoint::Eye, CameraAxis::Z},
    {CameraPoint::Target, CameraAxis::X},
    {CameraPoint::Target, CameraAxis::Y},
    {CameraPoint::Target, CameraAxis::Z},
}};

// The arrows of every camera field.
inline constexpr IntRange kCameraFieldRange{-999, 999};

// How many tenths a field shows for a coordinate: value × 10 truncated towards zero (NaN
// shows 0, values beyond the int range the nearest int).
int tenthsOf(float value);
// The coordinate that a field's value stands for.
float valueOfTenths(int tenths);

float coordinateOf(const ViewCameraPose& pose, CameraField field);
void setCoordinate(ViewCameraPose& pose, CameraField field, float value);

} // namespace vintrel
