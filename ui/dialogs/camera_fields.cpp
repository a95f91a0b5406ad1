#include "ui/dialogs/camera_fields.h"

#include "platform/number_format.h"

namespace vintrel {

namespace {

constexpr float kTenthsPerUnit = 10.0f;

const FloatXYZ& pointOf(const ViewCameraPose& pose, CameraPoint point) {
    return point == CameraPoint::Eye ? pose.eye : pose.target;
}

FloatXYZ& pointOf(ViewCameraPose& pose, CameraPoint point) {
    return point == CameraPoint::Eye ? pose.eye : pose.target;
}

} // namespace

int tenthsOf(float value) {
    return truncateToInt(value * kTenthsPerUnit);
}

float valueOfTenths(int tenths) {
    return static_cast<float>(tenths) / kTenthsPerUnit;
}

float coordinateOf(const ViewCameraPose& pose, CameraField field) {
    const FloatXYZ& point = pointOf(pose, field.point);
    switch (field.axis) {
    case CameraAxis::X:
        return point.x;
    case CameraAxis::Y:
        return point.y;
    case CameraAxis::Z:
        return point.z;
    }
    return 0;
}

void setCoordinate(ViewCameraPose& pose, CameraField field, float value) {
    FloatXYZ& point = pointOf(pose, field.point);
    switch (field.axis) {
    case CameraAxis::X:
        point.x = value;
        break;
    case CameraAxis::Y:
        point.y = value;
        break;
    case CameraAxis::Z:
        point.z = value;
        break;
    }
}

} // namespace vintrel
