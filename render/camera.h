#pragma once

// The 3D view's camera, its mouse control through the info bar's icons, and its placement from
// the camera nodes.

#include "engine/particle.h"
#include "platform/math.h"

#include <vector>

namespace vintrel {

struct Camera {
    Vec3 eye{0, 5, -10};
    Vec3 target{0, 0, 0};
    Vec3 up{0, 1, 1}; // normalised by update()
    Mat4 view = Mat4::identity();
    Mat4 projection = Mat4::identity();

    // Normalises up and rebuilds view (left-handed look-at) and projection (60 degree vertical
    // field of view, near 0.1, far 500). An aspect that is not a positive finite number is taken
    // as 1 so that the projection stays finite.
    void update(float aspect);
    // The rotation that turns +z onto the view direction (the inverse of the view's rotation), for
    // particles that face the camera. Identity when the view is degenerate.
    Mat4 facingRotation() const;
};

enum class DragMode { None = 0, Pan = 1, Orbit = 2, Zoom = 3 };

// Mouse state polled once per view frame: left button now and at the previous poll, relative
// motion (mouse counts), and the cursor in the info bar's client coordinates.
struct MouseSample {
    bool leftNow = false;
    bool leftBefore = false;
    int dx = 0;
    int dy = 0;
    int x = 0;
    int y = 0;
    // Steering in the view itself: a drag with the middle button (Orbit, or Pan with Shift)
    // and the wheel's turn since the previous sample (Qt's angle delta, 120 a notch, positive
    // away from the user).
    DragMode viewDrag = DragMode::None;
    int wheel = 0;
};

// The icon under the cursor in the info bar of client width barWidth: 0 outside the icon strip
// (barWidth-136 < x < barWidth-8, 0 < y < 32) and over its leftmost 32 pixels, 1 pan, 2 orbit,
// 3 zoom.
int hoveredIcon(int x, int y, int barWidth);

class CameraControl {
public:
    // One view frame of mouse control: a press on the pan, orbit or zoom icon starts a drag that
    // lasts while the left button is held, and each frame of the drag moves the camera by the
    // mouse motion. Returns true when the camera moved, and the caller must then put the cursor
    // back where the drag began. While cameraMoveOn (the camera nodes drive the camera) no drag
    // starts; releasing the button still ends one.
    // Without an icon drag, a middle-button drag in the view moves the camera as the orbit (or
    // pan) icon's drag would by the same motion, and the wheel as the zoom icon's drag by 30
    // pixels a notch (nearer away from the user, never nearer than 0.3). These leave the cursor
    // where it is, so apply() returns false for them.
    bool apply(Camera& camera, const MouseSample& mouse, int barWidth, bool cameraMoveOn, float aspect);
    // Keeps up perpendicular to the view direction, every view frame after apply(). An up with
    // y == 0 (left by an orbit over a pole) is kept as it is.
    void correctUp(Camera& camera, float aspect);
    DragMode mode() const { return mode_; }

private:
    void chooseMode(const MouseSample& mouse, int barWidth);

    DragMode mode_ = DragMode::None;
};

// Places the view's camera on the camera nodes' particles (eye on node 998, target on node 999,
// each at its position plus shake; the last particle of a node wins), with up = (0, 1, 0).
// Null entries are skipped.
void placeFromCameraNodesView(Camera& camera, const std::vector<Particle*>& particles, float aspect);
// Export: called for each drawn particle; a particle of node 998 moves the eye, one of node 999
// the target, to its position (no shake). Up is kept. Other particles change nothing.
void placeFromCameraNodeExport(Camera& camera, const Particle& p, float aspect);

} // namespace vintrel
