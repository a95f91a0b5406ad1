#pragma once

#include "engine/particle.h"

namespace vintrel {

// The camera-facing rotation: the inverse of LookAtLH from the origin towards target - eye
// with `up` (identity when that look cannot be inverted). It has no translation.
Mat4 cameraFacing(const Vec3& eye, const Vec3& target, const Vec3& up);

// What the world matrix needs of the camera; made once per frame by makeCameraFrame().
struct CameraFrame {
    Mat4 view = Mat4::identity();
    Vec3 eye;
    Vec3 target;
    Vec3 up{0, 1, 0};
    Mat4 facing = Mat4::identity(); // cameraFacing(eye, target, up)
};

CameraFrame makeCameraFrame(const Mat4& view, const Vec3& eye, const Vec3& target, const Vec3& up);

// The particle's world matrix:
// Scaling × parent orientation × facing × direction alignment × spin × billboard ×
// Translation(pos) × Translation(shake + the ancestors' shake). `camera` may be null (no
// camera-facing terms); `facesCamera` selects the billboard term and the screen-space direction
// alignment used by camera-facing shapes.
Mat4 particleWorldMatrix(const Particle& p, const CameraFrame* camera, bool facesCamera);

// The direction alignment alone, for a unit travel direction v (camera-independent form):
// turns -Z onto v. When v is parallel to Z the turn axis vanishes; the result is then the
// identity for v = -Z and a half turn about Y for v = +Z, both finite.
Mat4 directionAlignment(const Vec3& v);

// The shake offsets of the ancestors that this particle follows (isParentShake), up to the
// root particle.
Vec3 inheritedShake(const Particle& p);

} // namespace vintrel
