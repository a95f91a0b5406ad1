#include "bench/synthetic_project.h"

#include <vector>

namespace vintrel::bench {

namespace {

EffectNode& addNode(EffectNode& parent) {
    return parent.appendChild(std::make_unique<EffectNode>(&parent));
}

void setCurve(EffectNode& node, int slot, std::vector<CurvePoint> points) {
    node.graph(slot).setPoints(std::move(points));
}

// Curves with several points on every slot, so lookups land between differing entries.
void shapeCurves(EffectNode& node, float phase) {
    setCurve(node, SlotWidth, {{0, 60}, {20 + phase, 10}, {70, 30}, {100, 80}});
    setCurve(node, SlotHeight, {{0, 50}, {30, 0}, {60 + phase, 20}, {100, 90}});
    setCurve(node, SlotDepth, {{0, 40}, {50, 10}, {100, 60}});
    setCurve(node, SlotOverallSize, {{0, 70}, {10 + phase, 0}, {80, 20}, {100, 100}});
    setCurve(node, SlotRed, {{0, 0}, {40, 30}, {100, 60}});
    setCurve(node, SlotGreen, {{0, 20}, {50 + phase, 60}, {100, 90}});
    setCurve(node, SlotBlue, {{0, 80}, {30, 40}, {70, 10}, {100, 0}});
    setCurve(node, SlotAlpha, {{0, 100}, {10, 0}, {75 + phase, 10}, {100, 100}});
    setCurve(node, SlotSpeed, {{0, 0}, {40, 30}, {80 + phase, 50}, {100, 70}});
    setCurve(node, SlotSpin, {{0, 100}, {50, 40}, {100, 0}});
    setCurve(node, SlotOrbit, {{0, 100}, {30 + phase, 60}, {100, 0}});
    setCurve(node, SlotShake, {{0, 0}, {50, 50}, {100, 20}});
}

void emitEveryFrame(EffectNode& n, int num, int frames) {
    n.m_timing.type = TimingParams::AbsoluteFrames;
    n.m_timing.start = 1;
    n.m_timing.end = frames;
    n.m_timing.often = 1;
    n.m_timing.num = num;
}

void emitFromParent(EffectNode& n, int often, int num) {
    n.m_timing.type = TimingParams::ParentFrames;
    n.m_timing.start = 1;
    n.m_timing.end = 1000;
    n.m_timing.often = often;
    n.m_timing.num = num;
}

// Fountain: a sphere of spinning sprites, each with followers that drag trails, which in turn
// shed attracted sparks.
void buildFountain(EffectNode& root) {
    EffectNode& n = addNode(root);
    shapeCurves(n, 0);
    emitEveryFrame(n, 6, kSyntheticFrames);
    n.m_emitter.type = EmitterParams::Sphere;
    n.m_emitter.size = {2, 2, 2};
    n.m_kill.span = 60;
    n.m_kill.span_err = 20;
    n.m_move.speed = 20;
    n.m_move.speed_err = 10;
    n.m_move.gravity = 30;
    n.m_move.shake = 20;
    n.m_rotate.axis = RotateParams::TravelX;
    n.m_rotate.angle = 180;
    n.m_rotate.revAxis = RotateParams::RevY;
    n.m_rotate.revAngle = 90;
    n.m_color.brigRnd = 20;
    n.m_color.alphaRnd = 10;
    n.m_shape.dir = ShapeParams::Random;

    EffectNode& c = addNode(n);
    shapeCurves(c, 5);
    emitFromParent(c, 4, 2);
    c.m_emitter.type = EmitterParams::Box;
    c.m_emitter.size = {1, 1, 1};
    c.m_kill.span = 30;
    c.m_move.speed = 8;
    c.m_move.isFollow = 1;
    c.m_move.shake = 10;
    c.m_rotate.axis = RotateParams::ParentOrientation;
    c.m_rotate.angle = 90;
    c.m_color.isAlphaParent = 1;
    c.m_shape.type = ShapeParams::Trail;
    c.m_scale.trailLength = 8;

    EffectNode& g = addNode(c);
    shapeCurves(g, 10);
    emitFromParent(g, 4, 1);
    g.m_emitter.type = EmitterParams::Sphere;
    g.m_emitter.size = {0.5f, 0.5f, 0.5f};
    g.m_kill.span = 20;
    g.m_move.speed = 5;
    g.m_move.absorbPos = {0, 10, 0};
    g.m_move.absorbPawer = 5;
    g.m_move.shake = 5;
    g.m_rotate.axis = RotateParams::TravelY;
    g.m_rotate.angle = 270;
    g.m_rotate.angle_err = 20;
}

// Ring: one-way sprites from an evenly spaced circle; their children revolve about them and
// burst into landing sparks when they die.
void buildRing(EffectNode& root) {
    EffectNode& n = addNode(root);
    shapeCurves(n, 3);
    emitEveryFrame(n, 8, kSyntheticFrames);
    n.m_emitter.type = EmitterParams::HorizontalCircle;
    n.m_emitter.isEvenInterval = 1;
    n.m_emitter.size = {4, 1, 4};
    n.m_kill.span = 50;
    n.m_move.isOneWay = 1;
    n.m_move.dirX = 90;
    n.m_move.oneway_err = 20;
    n.m_move.speed = 10;
    n.m_rotate.axis = RotateParams::Y;
    n.m_rotate.angle = 360;
    n.m_rotate.dir = RotateParams::RandomDirection;
    n.m_color.brigRnd = 10;

    EffectNode& c = addNode(n);
    shapeCurves(c, 8);
    emitFromParent(c, 2, 2);
    c.m_emitter.type = EmitterParams::Cylinder;
    c.m_emitter.size = {1, 1, 1};
    c.m_kill.span = 25;
    c.m_kill.span_err = 10;
    c.m_move.speed = 6;
    c.m_move.shake = 15;
    c.m_rotate.axis = RotateParams::TravelZ;
    c.m_rotate.angle = 120;
    c.m_rotate.revAxis = RotateParams::RevParentOrientation;
    c.m_rotate.revAngle = 45;
    c.m_shape.type = ShapeParams::Plane;
    c.m_shape.dir = ShapeParams::Up;
    c.m_shape.isDir = 1;

    EffectNode& g = addNode(c);
    shapeCurves(g, 12);
    g.m_timing.type = TimingParams::ParentDeath;
    g.m_timing.num = 4;
    g.m_emitter.type = EmitterParams::Sphere;
    g.m_emitter.size = {0.3f, 0.3f, 0.3f};
    g.m_kill.span = 15;
    g.m_kill.isLand = 1;
    g.m_move.speed = 12;
    g.m_move.gravity = 50;
    g.m_rotate.axis = RotateParams::ParentTravel;
    g.m_rotate.angle = 90;
    g.m_color.alphaRnd = 30;
}

// Swirl: attracted trails revolving about Z, with followers in a custom-scope box that spawn
// revolving sparks.
void buildSwirl(EffectNode& root) {
    EffectNode& n = addNode(root);
    shapeCurves(n, 6);
    emitEveryFrame(n, 3, kSyntheticFrames);
    n.m_emitter.type = EmitterParams::VerticalCircle;
    n.m_emitter.size = {3, 3, 1};
    n.m_emitter.pos = {1, 2, 0};
    n.m_kill.span = 80;
    n.m_move.speed = 15;
    n.m_move.absorbPos = {0, 20, 0};
    n.m_move.absorbPawer = 10;
    n.m_rotate.axis = RotateParams::X;
    n.m_rotate.angle = 720;
    n.m_rotate.angle_err = 30;
    n.m_rotate.revAxis = RotateParams::RevZ;
    n.m_rotate.revAngle = 360;
    n.m_rotate.revDir = RotateParams::RandomDirection;
    n.m_shape.type = ShapeParams::Trail;
    n.m_scale.trailLength = 12;
    n.m_color.brigRnd = 30;

    EffectNode& c = addNode(n);
    shapeCurves(c, 2);
    emitFromParent(c, 2, 2);
    c.m_emitter.type = EmitterParams::Box;
    c.m_emitter.scope = EmitterParams::Custom;
    c.m_emitter.err = 30;
    c.m_emitter.size = {2, 1, 2};
    c.m_kill.span = 40;
    c.m_move.speed = 4;
    c.m_move.gravity = -10;
    c.m_move.isFollow = 1;
    c.m_move.shake = 30;
    c.m_rotate.axis = RotateParams::Z;
    c.m_rotate.angle = 180;
    c.m_rotate.isSameParent = 1;
    c.m_shape.dir = ShapeParams::Random;
    c.m_color.isAlphaParent = 1;

    EffectNode& g = addNode(c);
    shapeCurves(g, 9);
    emitFromParent(g, 5, 1);
    g.m_emitter.type = EmitterParams::Hemisphere;
    g.m_emitter.size = {0.5f, 0.5f, 0.5f};
    g.m_kill.span = 15;
    g.m_move.speed = 10;
    g.m_move.shake = 8;
    g.m_rotate.axis = RotateParams::TravelX;
    g.m_rotate.angle = 360;
    g.m_rotate.revAxis = RotateParams::RevParentTravel;
    g.m_rotate.revAngle = 30;
}

// Dust: plain drifting motes with a child that only shrinks and fades, the common cheap case.
void buildDust(EffectNode& root) {
    EffectNode& n = addNode(root);
    shapeCurves(n, 4);
    emitEveryFrame(n, 10, kSyntheticFrames);
    n.m_emitter.type = EmitterParams::Box;
    n.m_emitter.size = {10, 2, 10};
    n.m_kill.span = 100;
    n.m_move.speed = 2;
    n.m_move.gravity = 5;
    n.m_rotate.axis = RotateParams::Z;
    n.m_rotate.angle = 90;

    EffectNode& c = addNode(n);
    shapeCurves(c, 7);
    emitFromParent(c, 5, 2);
    c.m_emitter.type = EmitterParams::Box;
    c.m_emitter.size = {0.5f, 0.5f, 0.5f};
    c.m_kill.span = 30;
    c.m_move.speed = 1;
    c.m_move.isParentShake = 0;
}

} // namespace

void buildSyntheticProject(GlobalState& g) {
    BuiltInProjectDefaults defaults;
    resetProject(g, defaults);
    applyStartValues(g, defaults);
    // applyStartValues gives the root one empty child; the synthetic tree replaces it.
    g.rootNode->clearChildren();
    g.pSelNode = nullptr;
    applyProjectLength(g, kSyntheticFrames);
    g.project.randomSeed = 12345;
    buildFountain(*g.rootNode);
    buildRing(*g.rootNode);
    buildSwirl(*g.rootNode);
    buildDust(*g.rootNode);
}

} // namespace vintrel::bench
