#include "render/camera.h"

#include "engine/world_matrix.h"
#include "model/effect_node.h"

#include <cmath>

namespace vintrel {

namespace {

constexpr Vec3 kWorldUp{0, 1, 0};

// The icon strip at the right end of the info bar.
bool inIconStrip(int x, int y, int barWidth) {
    return x > barWidth - 136 && x < barWidth - 8 && y > 0 && y < 32;
}

// Node ID of a particle, or -1 when it has no node.
int nodeIdOf(const Particle& p) {
    if (p.node == nullptr || p.node->node == nullptr) {
        return -1;
    }
    return p.node->node->m_ID;
}

void pan(Camera& camera, const MouseSample& mouse, const Vec3& w, const Vec3& side) {
    const Vec3 across = side * (-0.01f * static_cast<float>(mouse.dx));
    camera.eye += across;
    camera.target += across;
    const Vec3 u = normalize(cross(w, side));
    const Vec3 vertical = u * (-0.01f * static_cast<float>(mouse.dy));
    camera.eye += vertical;
    camera.target += vertical;
}

void orbit(Camera& camera, const MouseSample& mouse, const Vec3& w) {
    Vec3 side{-w.z, 0, w.x};
    if (length(side) == 0) {
        side = cross(w, camera.up);
    }
    // The horizontal direction from the target to the eye; straight above or below, the current
    // up stands in for it (it is horizontal there, pointing away from the eye's side).
    Vec3 h = normalize(Vec3{w.x, 0, w.z});
    if (length(h) == 0) {
        h = w.y > 0 ? -camera.up : camera.up;
    }
    const Mat4 turnY = matrixRotationY(static_cast<float>(mouse.dx) / 100.0f);
    const Mat4 m = turnY * matrixRotationAxis(side, static_cast<float>(mouse.dy) / 100.0f);
    camera.eye = camera.target + transformNormal(w, m);

    if (dot(normalize(camera.eye - camera.target), h) <= 0) {
        // The step went over a pole: stop on it, looking straight down (or up), with up along
        // the way the eye came from.
        const Vec3 turnedH = transformNormal(h, turnY);
        const float distance = length(w);
        if (w.y > 0) {
            camera.up = normalize(-turnedH);
            camera.eye = camera.target + Vec3{0, distance, 0};
        } else {
            camera.up = normalize(turnedH);
            camera.eye = camera.target - Vec3{0, distance, 0};
        }
    } else {
        camera.up = kWorldUp;
    }
}

void zoom(Camera& camera, const MouseSample& mouse, const Vec3& w) {
    float d = length(w) - (static_cast<float>(mouse.dx) / 30.0f + static_cast<float>(mouse.dy) / 30.0f);
    if (d < 0.3f) {
        d = 0.3f;
    }
    camera.eye = camera.target + normalize(w) * d;
}

// One frame of a drag in `mode` by the mouse's motion.
void drag(Camera& camera, DragMode mode, const MouseSample& mouse) {
    const Vec3 w = camera.eye - camera.target;
    switch (mode) {
    case DragMode::Pan:
        pan(camera, mouse, w, normalize(cross(w, kWorldUp)));
        break;
    case DragMode::Orbit:
        orbit(camera, mouse, w);
        break;
    case DragMode::Zoom:
        zoom(camera, mouse, w);
        break;
    case DragMode::None:
        break;
    }
}

constexpr int kWheelNotch = 120;
constexpr int kZoomPixelsPerNotch = 30;

void steerInView(Camera& camera, const MouseSample& mouse) {
    if (mouse.viewDrag != DragMode::None) {
        drag(camera, mouse.viewDrag, mouse);
    }
    if (mouse.wheel != 0) {
        MouseSample turn;
        turn.dy = mouse.wheel * kZoomPixelsPerNotch / kWheelNotch;
        drag(camera, DragMode::Zoom, turn);
    }
}

} // namespace

void Camera::update(float aspect) {
    if (!std::isfinite(aspect) || aspect <= 0) {
        aspect = 1;
    }
    up = normalize(up);
    view = matrixLookAtLH(eye, target, up);
    projection = matrixPerspectiveFovLH(kPi / 3, aspect, 0.1f, 500.0f);
}

Mat4 Camera::facingRotation() const {
    return cameraFacing(eye, target, up);
}

int hoveredIcon(int x, int y, int barWidth) {
    if (!inIconStrip(x, y, barWidth)) {
        return 0;
    }
    if (x < barWidth - 104) {
        return 0;
    }
    if (x < barWidth - 72) {
        return 1;
    }
    if (x <= barWidth - 40) {
        return 2;
    }
    return 3;
}

void CameraControl::chooseMode(const MouseSample& mouse, int barWidth) {
    if (!mouse.leftNow) {
        mode_ = DragMode::None;
        return;
    }
    if (mouse.leftBefore || !inIconStrip(mouse.x, mouse.y, barWidth)) {
        return; // a held button keeps its mode
    }
    mode_ = static_cast<DragMode>(hoveredIcon(mouse.x, mouse.y, barWidth));
}

bool CameraControl::apply(Camera& camera, const MouseSample& mouse, int barWidth, bool cameraMoveOn,
                          float aspect) {
    if (!cameraMoveOn) {
        chooseMode(mouse, barWidth);
    } else if (!mouse.leftNow) {
        mode_ = DragMode::None;
    }
    if (mode_ == DragMode::None) {
        if (!cameraMoveOn && (mouse.viewDrag != DragMode::None || mouse.wheel != 0)) {
            steerInView(camera, mouse);
            camera.update(aspect);
        }
        return false;
    }
    drag(camera, mode_, mouse);
    camera.update(aspect);
    return true;
}

void CameraControl::correctUp(Camera& camera, float aspect) {
    // An up with y == 0 was set by an orbit that stopped on a pole and stays until the eye leaves it.
    if (camera.up.y != 0) {
        const Vec3 w = camera.eye - camera.target;
        const Vec3 axis{-w.z, 0, w.x};
        if (length(axis) == 0) {
            camera.up = Vec3{0, 0, 1};
        } else {
            camera.up = transformNormal(w, matrixRotationAxis(axis, kPi / 2));
        }
    }
    camera.update(aspect);
}

void placeFromCameraNodesView(Camera& camera, const std::vector<Particle*>& particles, float aspect) {
    for (const Particle* p : particles) {
        if (p == nullptr) {
            continue;
        }
        const int id = nodeIdOf(*p);
        if (id == EffectNode::kCameraPositionId) {
            camera.eye = p->pos + p->shake;
        } else if (id == EffectNode::kCameraTargetId) {
            camera.target = p->pos + p->shake;
        }
    }
    camera.up = kWorldUp;
    camera.update(aspect);
}

void placeFromCameraNodeExport(Camera& camera, const Particle& p, float aspect) {
    const int id = nodeIdOf(p);
    if (id == EffectNode::kCameraPositionId) {
        camera.eye = p.pos;
    } else if (id == EffectNode::kCameraTargetId) {
        camera.target = p.pos;
    } else {
        return;
    }
    camera.update(aspect);
}

} // namespace vintrel
