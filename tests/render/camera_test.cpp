#include "model/effect_node.h"
#include "render/camera.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kBar = 800;
constexpr float kAspect = 16.0f / 9.0f;

MouseSample press(int x, int y = 16) {
    return MouseSample{true, false, 0, 0, x, y, DragMode::None, 0};
}
MouseSample held(int dx, int dy) {
    return MouseSample{true, true, dx, dy, 0, 100, DragMode::None, 0};
}

DragMode modeAfterPress(int x, int y = 16, bool cameraMoveOn = false) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(x, y), kBar, cameraMoveOn, kAspect);
    return control.mode();
}

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(CameraTest, ViewLooksDownPositiveZAndFacingTurnsZOntoTheViewDirection) {
    Camera camera;
    camera.update(kAspect);
    EXPECT_TRUE(isFinite(camera.projection));
    expectNear(transformCoord(camera.target, camera.view), {0, 0, std::sqrt(125.0f)});
    expectNear(transformNormal({0, 0, 1}, camera.facingRotation()), normalize(camera.target - camera.eye));

    camera.update(0.0f); // a zero-sized view must not make the projection non-finite
    EXPECT_TRUE(isFinite(camera.projection));
}

TEST(CameraTest, PressOnTheIconStripChoosesTheDrag) {
    EXPECT_EQ(modeAfterPress(kBar - 40), DragMode::Orbit);
    EXPECT_EQ(modeAfterPress(kBar - 72), DragMode::Orbit);
    EXPECT_EQ(modeAfterPress(kBar - 39), DragMode::Zoom);
    EXPECT_EQ(modeAfterPress(kBar - 9), DragMode::Zoom);
    EXPECT_EQ(modeAfterPress(kBar - 73), DragMode::Pan);
    EXPECT_EQ(modeAfterPress(kBar - 104), DragMode::Pan);
    // The leftmost 32 pixels of the strip and everything outside it start nothing.
    EXPECT_EQ(modeAfterPress(kBar - 105), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 135), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 136), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 8), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 60, 0), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 60, 32), DragMode::None);
    EXPECT_EQ(modeAfterPress(kBar - 60, 16, true), DragMode::None);

    EXPECT_EQ(hoveredIcon(kBar - 120, 5, kBar), 0);
    EXPECT_EQ(hoveredIcon(kBar - 100, 5, kBar), 1);
    EXPECT_EQ(hoveredIcon(kBar - 40, 5, kBar), 2);
    EXPECT_EQ(hoveredIcon(kBar - 39, 5, kBar), 3);
    EXPECT_EQ(hoveredIcon(kBar - 39, 40, kBar), 0);
}

// The middle button in the view and the wheel move the camera exactly as the icons' drags do,
// and leave the cursor where it is.
TEST(CameraTest, SteeringInTheViewMatchesTheIconDrags) {
    struct Case {
        const char* what;
        int icon; // x of the icon the equivalent drag starts on
        int dx;   // its motion
        int dy;
        MouseSample inView;
    };
    const Case cases[] = {
        {"middle drag orbits", kBar - 50, 14, -9,
         MouseSample{false, false, 14, -9, 0, 100, DragMode::Orbit, 0}},
        {"Shift and middle drag pans", kBar - 90, -7, 11,
         MouseSample{false, false, -7, 11, 0, 100, DragMode::Pan, 0}},
        {"a notch away zooms in", kBar - 20, 0, 30,
         MouseSample{false, false, 0, 0, 0, 100, DragMode::None, 120}},
        {"two notches back zoom out", kBar - 20, 0, -60,
         MouseSample{false, false, 0, 0, 0, 100, DragMode::None, -240}},
        {"zooming stops at 0.3", kBar - 20, 0, 3000,
         MouseSample{false, false, 0, 0, 0, 100, DragMode::None, 12000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Camera byIcon;
        CameraControl iconControl;
        iconControl.apply(byIcon, press(c.icon), kBar, false, kAspect);
        EXPECT_TRUE(iconControl.apply(byIcon, held(c.dx, c.dy), kBar, false, kAspect));
        Camera inView;
        CameraControl viewControl;
        EXPECT_FALSE(viewControl.apply(inView, c.inView, kBar, false, kAspect));
        expectNear(inView.eye, byIcon.eye);
        expectNear(inView.target, byIcon.target);
        expectNear(inView.up, byIcon.up);
        EXPECT_GE(length(inView.eye - inView.target), 0.3f - 1e-6f);
    }
    // While the camera nodes drive the camera, the view's steering does nothing.
    Camera still;
    CameraControl control;
    const Vec3 eye = still.eye;
    control.apply(still, MouseSample{false, false, 20, 20, 0, 100, DragMode::Orbit, 120}, kBar, true,
                  kAspect);
    expectNear(still.eye, eye);
}

TEST(CameraTest, DragKeepsItsModeWhileHeldAndEndsOnRelease) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(kBar - 20), kBar, false, kAspect);
    ASSERT_EQ(control.mode(), DragMode::Zoom);
    // Held over the pan icon: still a zoom.
    EXPECT_TRUE(control.apply(camera, MouseSample{true, true, 0, 0, kBar - 90, 16, DragMode::None, 0}, kBar,
                              false, kAspect));
    EXPECT_EQ(control.mode(), DragMode::Zoom);
    EXPECT_FALSE(
        control.apply(camera, MouseSample{false, true, 5, 5, 0, 0, DragMode::None, 0}, kBar, false, kAspect));
    EXPECT_EQ(control.mode(), DragMode::None);

    // A drag running when the camera nodes take over ends with the release.
    control.apply(camera, press(kBar - 20), kBar, false, kAspect);
    control.apply(camera, MouseSample{false, true, 0, 0, 0, 0, DragMode::None, 0}, kBar, true, kAspect);
    EXPECT_EQ(control.mode(), DragMode::None);
}

TEST(CameraTest, CameraMoveOnLeavesTheCameraAlone) {
    Camera camera;
    CameraControl control;
    EXPECT_FALSE(control.apply(camera, press(kBar - 20), kBar, true, kAspect));
    EXPECT_FALSE(control.apply(camera, held(50, 50), kBar, true, kAspect));
    EXPECT_EQ(camera.eye, (Vec3{0, 5, -10}));
}

TEST(CameraTest, ZoomMovesAlongTheViewAndStopsShortOfTheTarget) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(kBar - 20), kBar, false, kAspect);
    EXPECT_TRUE(control.apply(camera, held(-30, -30), kBar, false, kAspect));
    EXPECT_NEAR(length(camera.eye - camera.target), std::sqrt(125.0f) + 2.0f, 1e-5f);
    control.apply(camera, held(390, 0), kBar, false, kAspect); // would leave 0.18
    EXPECT_NEAR(length(camera.eye - camera.target), 0.3f, 1e-6f);
    expectNear(normalize(camera.eye - camera.target), normalize(Vec3{0, 5, -10}));
}

TEST(CameraTest, PanMovesEyeAndTargetTogether) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(kBar - 90), kBar, false, kAspect);
    EXPECT_TRUE(control.apply(camera, held(100, 100), kBar, false, kAspect));
    // Side is +x for the default camera; up across the view is normalize(0, 10, 5).
    const Vec3 moved{-1.0f, 2.0f / std::sqrt(5.0f), 1.0f / std::sqrt(5.0f)};
    expectNear(camera.target, moved);
    expectNear(camera.eye, Vec3{0, 5, -10} + moved);
}

TEST(CameraTest, OrbitOverThePoleStopsStraightAboveWithAHorizontalUp) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(kBar - 60), kBar, false, kAspect);
    const float distance = length(camera.eye - camera.target);
    // Turned 0.3 rad about y on the way, so up is the eye's horizontal direction turned with it.
    ASSERT_TRUE(control.apply(camera, held(30, 150), kBar, false, kAspect));
    control.correctUp(camera, kAspect);
    EXPECT_EQ(camera.eye.x, 0.0f);
    EXPECT_EQ(camera.eye.z, 0.0f);
    EXPECT_FLOAT_EQ(camera.eye.y, distance);
    const Vec3 up{std::sin(0.3f), 0, std::cos(0.3f)};
    EXPECT_EQ(camera.up.y, 0.0f);
    expectNear(camera.up, up);

    // Released: the next frames keep that up.
    control.apply(camera, MouseSample{}, kBar, false, kAspect);
    control.correctUp(camera, kAspect);
    EXPECT_EQ(camera.up.y, 0.0f);
    expectNear(camera.up, up);
    EXPECT_TRUE(isFinite(camera.view));
}

TEST(CameraTest, SmallOrbitKeepsDistanceAndUpTurnsPerpendicular) {
    Camera camera;
    CameraControl control;
    control.apply(camera, press(kBar - 60), kBar, false, kAspect);
    control.apply(camera, held(40, 20), kBar, false, kAspect);
    control.correctUp(camera, kAspect);
    const Vec3 w = camera.eye - camera.target;
    EXPECT_NEAR(length(w), std::sqrt(125.0f), 1e-4f);
    EXPECT_NEAR(dot(camera.up, w), 0.0f, 1e-5f);
    EXPECT_GT(camera.up.y, 0.0f);
    EXPECT_NEAR(length(camera.up), 1.0f, 1e-6f);
}

struct CameraNodes {
    EffectNode eyeNode, targetNode, other;
    NodeRuntime eyeRt, targetRt, otherRt;

    CameraNodes() {
        eyeNode.m_ID = EffectNode::kCameraPositionId;
        targetNode.m_ID = EffectNode::kCameraTargetId;
        other.m_ID = 5;
        eyeRt.node = &eyeNode;
        targetRt.node = &targetNode;
        otherRt.node = &other;
    }
};

Particle particleAt(NodeRuntime* node, Vec3 pos, Vec3 shake = {}) {
    Particle p;
    p.node = node;
    p.pos = pos;
    p.shake = shake;
    return p;
}

TEST(CameraTest, CameraNodesPlaceTheCamera) {
    CameraNodes nodes;
    Particle firstEye = particleAt(&nodes.eyeRt, {9, 9, 9});
    Particle lastEye = particleAt(&nodes.eyeRt, {1, 2, 3}, {0.5f, 0, 0});
    Particle target = particleAt(&nodes.targetRt, {4, 0, 0}, {0, 1, 0});
    Particle other = particleAt(&nodes.otherRt, {7, 7, 7});
    Particle orphan; // no node

    Camera camera;
    placeFromCameraNodesView(camera, {&firstEye, nullptr, &lastEye, &target, &other, &orphan}, kAspect);
    EXPECT_EQ(camera.eye, (Vec3{1.5f, 2, 3}));
    EXPECT_EQ(camera.target, (Vec3{4, 1, 0}));
    EXPECT_EQ(camera.up, (Vec3{0, 1, 0}));

    Camera exported;
    placeFromCameraNodeExport(exported, lastEye, kAspect);
    placeFromCameraNodeExport(exported, target, kAspect);
    placeFromCameraNodeExport(exported, other, kAspect);
    placeFromCameraNodeExport(exported, orphan, kAspect);
    EXPECT_EQ(exported.eye, (Vec3{1, 2, 3}));
    EXPECT_EQ(exported.target, (Vec3{4, 0, 0}));
    expectNear(exported.up, normalize(Vec3{0, 1, 1}));
    expectNear(transformCoord(exported.target, exported.view), {0, 0, length(Vec3{3, -2, -3})});
}

} // namespace
} // namespace vintrel
