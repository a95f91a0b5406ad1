#include "engine/world_matrix.h"

#include <cmath>

namespace vintrel {

Mat4 directionAlignment(const Vec3& v) {
    const Vec3 axis{-v.y, v.x, 0};
    if (axis.x == 0.0f && axis.y == 0.0f) {
        // Travelling along Z: -Z needs no turn, +Z a half turn (about Y, keeping "up" up).
        return v.z > 0.0f ? matrixRotationY(kPi) : Mat4::identity();
    }
    return matrixRotationAxis(normalize(axis), -std::acos(-v.z));
}

namespace {

Mat4 screenAlignment(Vec3 v, const CameraFrame& camera) {
    v = transformNormal(v, camera.view);
    v.z = 0;
    v = normalize(v);
    float theta = std::acos(v.x);
    if (v.y < 0.0f) {
        theta = -theta;
    }
    if (std::isnan(theta)) {
        theta = 0; // the direction points straight at the camera: no turn on screen
    }
    return matrixRotationZ(theta);
}

} // namespace

Mat4 cameraFacing(const Vec3& eye, const Vec3& target, const Vec3& up) {
    const Mat4 look = matrixLookAtLH(Vec3{}, target - eye, up);
    return matrixInverse(look).value_or(Mat4::identity());
}

CameraFrame makeCameraFrame(const Mat4& view, const Vec3& eye, const Vec3& target, const Vec3& up) {
    return CameraFrame{view, eye, target, up, cameraFacing(eye, target, up)};
}

Vec3 inheritedShake(const Particle& p) {
    Vec3 chain;
    const Particle* current = &p;
    while (current->params().m_move.isParentShake != 0 && current->parent != nullptr &&
           !current->parent->node->isRoot) {
        current = current->parent;
        chain += current->shake;
    }
    return chain;
}

Mat4 particleWorldMatrix(const Particle& p, const CameraFrame* camera, bool facesCamera) {
    const NodeParams& params = p.params();
    Mat4 world = params.m_shape.type == ShapeParams::Cylinder ? Mat4::identity()
                                                            : matrixScaling(p.scale.x, p.scale.y, p.scale.z);
    if (params.m_rotate.isSameParent != 0 && p.parent != nullptr) {
        world = world * *p.parent->facing * p.parent->spinMatrix;
    }
    world = world * *p.facing;
    if (params.m_shape.isDir != 0) {
        const Vec3 v = length(p.delta) != 0.0f ? normalize(p.delta) : normalize(p.dir);
        world =
            world * (facesCamera && camera != nullptr ? screenAlignment(v, *camera) : directionAlignment(v));
    }
    world = world * p.spinMatrix;
    if (facesCamera && camera != nullptr) {
        world = world * camera->facing;
    }
    const Vec3 shake = p.shake + inheritedShake(p);
    return world * matrixTranslation(p.pos.x, p.pos.y, p.pos.z) *
           matrixTranslation(shake.x, shake.y, shake.z);
}

} // namespace vintrel
