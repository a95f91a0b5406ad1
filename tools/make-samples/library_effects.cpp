// The effects of the starter library. Each builder fills one fresh project; the table at the end
// lists the files with the textures each one draws with.
#include "library_effects.h"

#include "library_textures.h"
#include "node_helpers.h"
#include "textures.h"

#include <stdexcept>

namespace samples {

using namespace vintrel;

namespace {

// Fades a node in over the first `in` percent of its life and out over the last `out` percent.
void fadeInOut(EffectNode& node, float in, float peak, float out) {
    shape(node, SlotAlpha, {{0, 0}, {in, peak}, {100 - out, peak}, {100, 0}});
}

// A node that moves one way: dirX tilts the direction from straight up, dirY turns it about
// the vertical.
void moveOneWay(EffectNode& node, float dirX, float dirY, int spread, int speed) {
    node.m_move.isOneWay = 1;
    node.m_move.dirX = dirX;
    node.m_move.dirY = dirY;
    node.m_move.oneway_err = spread;
    node.m_move.speed = speed;
}

// A soft billboard that stays where it was born, e.g. a flash or a glow.
void glowAt(EffectNode& node, FloatXYZ pos, int span, int size) {
    node.m_emitter.type = EmitterParams::Sphere;
    node.m_emitter.pos = pos;
    node.m_kill.span = span;
    node.m_scale.max = size;
}

// ---- smoke -------------------------------------------------------------------------------

void buildSmoke(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.2f, -8}, {0, 3.0f, 0}};

    EffectNode& smoke = addTopLevel(g, "煙");
    smoke.m_emitter.type = EmitterParams::HorizontalCircle;
    smoke.m_emitter.size = {1.0f, 0, 1.0f};
    smoke.m_emitter.pos = {-0.8f, 0.3f, 0};
    smoke.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 2, 0, 1, 0};
    smoke.m_kill.span = 60;
    smoke.m_kill.span_err = 20;
    moveOneWay(smoke, 14, 90, 30, 6);
    smoke.m_scale.max = 44;
    smoke.m_scale.max_err = 35;
    smoke.m_color.brigRnd = 15;
    smoke.m_rotate.angle = 120;
    smoke.m_rotate.angle_err = 50;
    smoke.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, smoke, "puff", false);
    colour(smoke, 0.62f, 0.62f, 0.64f);
    shape(smoke, SlotOverallSize, {{0, 0.25f}, {100, 1.3f}});
    shape(smoke, SlotAlpha, {{0, 0}, {15, 0.5f}, {50, 0.35f}, {100, 0}});
    speedShape(smoke, {{0, 1.0f}, {100, 0.45f}});

    EffectNode& wisps = addTopLevel(g, "薄煙");
    wisps.m_emitter.type = EmitterParams::HorizontalCircle;
    wisps.m_emitter.size = {1.6f, 0, 1.6f};
    wisps.m_emitter.pos = {0, 1.5f, 0};
    wisps.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 4, 0, 1, 0};
    wisps.m_kill.span = 60;
    wisps.m_kill.span_err = 20;
    moveOneWay(wisps, 0, 0, 40, 4);
    wisps.m_scale.max = 60;
    wisps.m_rotate.angle = 90;
    wisps.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, wisps, "puff", false);
    colour(wisps, 0.7f, 0.7f, 0.72f);
    shape(wisps, SlotOverallSize, {{0, 0.5f}, {100, 1.0f}});
    fadeInOut(wisps, 25, 0.18f, 60);
    g.pSelNode = &smoke;
}

// ---- explosion ---------------------------------------------------------------------------

void addExplosionSmoke(GlobalState& g) {
    EffectNode& smoke = addTopLevel(g, "黒煙");
    smoke.m_emitter.type = EmitterParams::Sphere;
    smoke.m_emitter.size = {2.0f, 1.6f, 2.0f};
    smoke.m_emitter.pos = {0, 1.6f, 0};
    smoke.m_timing = {TimingParams::AbsoluteFrames, 4, 16, 2, 0, 3, 0};
    smoke.m_kill.span = 50;
    smoke.m_kill.span_err = 20;
    moveOneWay(smoke, 0, 0, 60, 3);
    smoke.m_move.gravity = -3;
    smoke.m_scale.max = 32;
    smoke.m_scale.max_err = 30;
    smoke.m_rotate.angle = 90;
    smoke.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, smoke, "puff", false);
    colour(smoke, 0.3f, 0.27f, 0.25f);
    shape(smoke, SlotOverallSize, {{0, 0.5f}, {100, 1.0f}});
    shape(smoke, SlotAlpha, {{0, 0}, {15, 0.8f}, {60, 0.5f}, {100, 0}});
}

EffectNode& addFireball(GlobalState& g) {
    EffectNode& fire = addTopLevel(g, "火球");
    fire.m_emitter.type = EmitterParams::Sphere;
    fire.m_emitter.size = {1.0f, 1.0f, 1.0f};
    fire.m_emitter.pos = {0, 1.6f, 0};
    fire.m_timing = {TimingParams::AbsoluteFrames, 1, 5, 2, 0, 10, 0};
    fire.m_kill.span = 32;
    fire.m_kill.span_err = 30;
    fire.m_move.speed = 7;
    fire.m_move.speed_err = 40;
    fire.m_move.gravity = -4;
    fire.m_scale.max = 36;
    fire.m_scale.max_err = 30;
    fire.m_rotate.angle = 90;
    fire.m_rotate.angle_err = 50;
    fire.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, fire, "puff", true);
    shape(fire, SlotOverallSize, {{0, 0.4f}, {30, 1.0f}, {100, 1.2f}});
    shape(fire, SlotGreen, {{0, 0.9f}, {40, 0.4f}, {100, 0.15f}});
    shape(fire, SlotBlue, {{0, 0.6f}, {20, 0.1f}, {100, 0}});
    shape(fire, SlotAlpha, {{0, 1.0f}, {50, 0.7f}, {100, 0}});
    speedShape(fire, {{0, 1.0f}, {40, 0.15f}, {100, 0.05f}});
    return fire;
}

void addDebris(GlobalState& g) {
    EffectNode& debris = addTopLevel(g, "破片");
    debris.m_emitter.type = EmitterParams::Sphere;
    debris.m_emitter.size = {0.6f, 0.6f, 0.6f};
    debris.m_emitter.pos = {0, 1.6f, 0};
    debris.m_emitter.scope = EmitterParams::Surface;
    debris.m_timing = {TimingParams::AbsoluteFrames, 1, 1, 1, 0, 36, 20};
    debris.m_kill.span = 40;
    debris.m_kill.span_err = 40;
    debris.m_move.speed = 16;
    debris.m_move.speed_err = 50;
    debris.m_move.gravity = 14;
    debris.m_scale.max = 4;
    useTexture(g, debris, "spark", true);
    colour(debris, 1.0f, 0.7f, 0.3f);
    shape(debris, SlotAlpha, {{0, 1.0f}, {75, 0.8f}, {100, 0}});
    speedShape(debris, {{0, 1.0f}, {100, 0.3f}});

    EffectNode& trail = addChild(g, debris, "軌跡");
    trail.m_timing = {TimingParams::ParentFrames, 1, 1, 1, 0, 1, 0};
    trail.m_kill.span = 40;
    trail.m_move.isFollow = 1;
    trail.m_shape.type = ShapeParams::Trail;
    trail.m_scale.max = 2;
    trail.m_scale.trailLength = 7;
    trail.m_scale.trailThickChange = 1;
    trail.m_color.isAlphaParent = 1;
    useTexture(g, trail, "glow", true);
    colour(trail, 1.0f, 0.5f, 0.15f);
}

void buildExplosion(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.0f, -9}, {0, 2.0f, 0}};

    addExplosionSmoke(g);
    EffectNode& fire = addFireball(g);

    EffectNode& flash = addTopLevel(g, "閃光");
    glowAt(flash, {0, 1.6f, 0}, 12, 90);
    useTexture(g, flash, "glow", true);
    colour(flash, 1.0f, 0.9f, 0.65f);
    shape(flash, SlotOverallSize, {{0, 0.4f}, {100, 1.0f}});
    shape(flash, SlotAlpha, {{0, 1.0f}, {100, 0}});

    addDebris(g);

    EffectNode& wave = addTopLevel(g, "衝撃波");
    wave.m_emitter.pos = {0, 0.05f, 0};
    wave.m_kill.span = 20;
    wave.m_shape.type = ShapeParams::Plane;
    wave.m_shape.dir = ShapeParams::Up;
    wave.m_scale.max = 110;
    useTexture(g, wave, "ring", true);
    colour(wave, 1.0f, 0.65f, 0.35f);
    shape(wave, SlotOverallSize, {{0, 0.1f}, {100, 1.0f}});
    shape(wave, SlotAlpha, {{0, 1.0f}, {100, 0}});
    g.pSelNode = &fire;
}

// ---- rain --------------------------------------------------------------------------------

void addSplash(GlobalState& g, EffectNode& drop) {
    EffectNode& ripple = addChild(g, drop, "波紋");
    ripple.m_timing = {TimingParams::ParentDeath, 1, 1, 1, 0, 1, 0};
    ripple.m_emitter.pos = {0, 0.02f, 0};
    ripple.m_kill.span = 14;
    ripple.m_shape.type = ShapeParams::Plane;
    ripple.m_shape.dir = ShapeParams::Up;
    ripple.m_scale.max = 7;
    useTexture(g, ripple, "ring", true);
    colour(ripple, 0.7f, 0.85f, 1.0f);
    shape(ripple, SlotOverallSize, {{0, 0.2f}, {100, 1.0f}});
    shape(ripple, SlotAlpha, {{0, 0.7f}, {100, 0}});

    EffectNode& spray = addChild(g, drop, "しぶき");
    spray.m_timing = {TimingParams::ParentDeath, 1, 1, 1, 0, 2, 0};
    spray.m_kill.span = 10;
    moveOneWay(spray, 0, 0, 120, 6);
    spray.m_move.speed_err = 50;
    spray.m_move.gravity = 40;
    spray.m_scale.max = 2;
    useTexture(g, spray, "glow", true);
    colour(spray, 0.75f, 0.88f, 1.0f);
    shape(spray, SlotAlpha, {{0, 0.8f}, {100, 0}});
}

void buildRain(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.0f, -8}, {0, 2.4f, 0}};

    // Drops are born anywhere in the box from the ground up, so the view is full of rain from
    // the first frames on, and every drop lives long enough to reach the ground.
    EffectNode& drops = addTopLevel(g, "雨粒");
    drops.m_emitter.type = EmitterParams::Box;
    drops.m_emitter.size = {10.0f, 7.0f, 6.0f};
    drops.m_emitter.pos = {0, 4.0f, 1.0f};
    drops.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 14, 20};
    drops.m_kill.span = 30;
    drops.m_kill.isLand = 1;
    moveOneWay(drops, 180, 0, 4, 36);
    drops.m_move.speed_err = 15;
    drops.m_scale.max = 16;
    drops.m_scale.max_err = 20;
    drops.m_color.alphaRnd = 30;
    useTexture(g, drops, "streak", true);
    colour(drops, 0.7f, 0.82f, 1.0f);
    shape(drops, SlotAlpha, {{0, 0}, {8, 1.0f}, {100, 1.0f}});
    addSplash(g, drops);
    g.pSelNode = &drops;
}

// ---- snow --------------------------------------------------------------------------------

// Flakes fall slowly across the whole view, turning as they go, and fade in where they appear.
EffectNode& addSnowflakes(GlobalState& g, const char* name, const TimingParams& timing) {
    EffectNode& flakes = addTopLevel(g, name);
    flakes.m_emitter.type = EmitterParams::Box;
    flakes.m_emitter.size = {11.0f, 9.0f, 6.0f};
    flakes.m_emitter.pos = {0, 3.5f, 0};
    flakes.m_timing = timing;
    flakes.m_kill.span = 70;
    flakes.m_kill.span_err = 30;
    moveOneWay(flakes, 165, 90, 30, 3);
    flakes.m_move.speed_err = 40;
    flakes.m_scale.max = 6;
    flakes.m_scale.max_err = 45;
    flakes.m_rotate.angle = 120;
    flakes.m_rotate.angle_err = 60;
    flakes.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, flakes, "snowflake", false);
    colour(flakes, 0.92f, 0.96f, 1.0f);
    fadeInOut(flakes, 15, 1.0f, 20);
    return flakes;
}

void buildSnow(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.0f, -9}, {0, 3.0f, 0}};

    EffectNode& flakes = addSnowflakes(g, "雪", {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 2, 50});
    // One burst at the start fills the view at once instead of the snow thickening over the run.
    addSnowflakes(g, "雪（冒頭）", {TimingParams::AbsoluteFrames, 1, 1, 1, 0, 90, 0});

    EffectNode& powder = addTopLevel(g, "粉雪");
    powder.m_emitter.type = EmitterParams::Box;
    powder.m_emitter.size = {11.0f, 9.0f, 6.0f};
    powder.m_emitter.pos = {0, 3.5f, 0};
    powder.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 3, 30};
    powder.m_kill.span = 50;
    powder.m_kill.span_err = 30;
    moveOneWay(powder, 160, 90, 40, 4);
    powder.m_move.speed_err = 50;
    powder.m_scale.max = 2;
    powder.m_scale.max_err = 40;
    useTexture(g, powder, "glow", true);
    colour(powder, 0.85f, 0.92f, 1.0f);
    fadeInOut(powder, 20, 0.8f, 25);
    g.pSelNode = &flakes;
}

// ---- dust --------------------------------------------------------------------------------

// Clouds drift sideways along the ground, born over the whole width so that they cover it.
EffectNode& addDustClouds(GlobalState& g, const char* name, const TimingParams& timing) {
    EffectNode& clouds = addTopLevel(g, name);
    clouds.m_emitter.type = EmitterParams::Box;
    clouds.m_emitter.size = {9.0f, 2.0f, 3.0f};
    clouds.m_emitter.pos = {-1.0f, 1.0f, 0};
    clouds.m_timing = timing;
    clouds.m_kill.span = 60;
    clouds.m_kill.span_err = 25;
    moveOneWay(clouds, 75, 90, 20, 3);
    clouds.m_move.speed_err = 40;
    clouds.m_scale.max = 45;
    clouds.m_scale.max_err = 30;
    clouds.m_color.brigRnd = 12;
    clouds.m_rotate.angle = 60;
    clouds.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, clouds, "puff", false);
    colour(clouds, 0.78f, 0.64f, 0.46f);
    shape(clouds, SlotOverallSize, {{0, 0.55f}, {100, 1.0f}});
    fadeInOut(clouds, 30, 0.45f, 45);
    return clouds;
}

void buildDust(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 2.2f, -6.5f}, {0, 1.7f, 0}};

    EffectNode& clouds = addDustClouds(g, "砂煙", {TimingParams::AbsoluteFrames, 1, 60, 2, 0, 1, 0});
    // A few clouds at the start, so that the ground is dusty from the first frames.
    addDustClouds(g, "砂煙（冒頭）", {TimingParams::AbsoluteFrames, 1, 1, 1, 0, 14, 0});

    EffectNode& motes = addTopLevel(g, "塵");
    motes.m_emitter.type = EmitterParams::Box;
    motes.m_emitter.size = {9.0f, 5.0f, 4.0f};
    motes.m_emitter.pos = {0, 2.5f, 0};
    motes.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 3, 50};
    motes.m_kill.span = 50;
    motes.m_kill.span_err = 30;
    moveOneWay(motes, 70, 90, 50, 2);
    motes.m_move.speed_err = 50;
    motes.m_move.gravity = -1;
    motes.m_scale.max = 2;
    motes.m_scale.max_err = 50;
    useTexture(g, motes, "glow", true);
    colour(motes, 1.0f, 0.85f, 0.6f);
    fadeInOut(motes, 25, 0.9f, 30);
    g.pSelNode = &clouds;
}

// ---- heal --------------------------------------------------------------------------------

void addHealCircle(GlobalState& g) {
    EffectNode& circle = addTopLevel(g, "魔法陣");
    circle.m_emitter.pos = {0, 0.03f, 0};
    circle.m_kill.span = 60;
    circle.m_shape.type = ShapeParams::Plane;
    circle.m_shape.dir = ShapeParams::Up;
    circle.m_scale.max = 45;
    circle.m_rotate.axis = RotateParams::Y;
    circle.m_rotate.angle = 90;
    useTexture(g, circle, "circle", true);
    colour(circle, 0.4f, 1.0f, 0.55f);
    shape(circle, SlotOverallSize, {{0, 0.3f}, {15, 1.0f}, {100, 1.0f}});
    shape(circle, SlotAlpha, {{0, 0}, {10, 0.9f}, {85, 0.9f}, {100, 0}});
}

void buildHeal(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.4f, -6.6f}, {0, 1.7f, 0}};

    addHealCircle(g);

    EffectNode& aura = addTopLevel(g, "光");
    glowAt(aura, {0, 1.6f, 0}, 60, 45);
    useTexture(g, aura, "glow", true);
    colour(aura, 0.45f, 1.0f, 0.6f);
    shape(aura, SlotOverallSize, {{0, 0.6f}, {50, 1.0f}, {100, 0.8f}});
    fadeInOut(aura, 15, 0.45f, 30);

    EffectNode& crosses = addTopLevel(g, "十字");
    crosses.m_emitter.type = EmitterParams::HorizontalCircle;
    crosses.m_emitter.size = {3.0f, 0, 3.0f};
    crosses.m_emitter.pos = {0, 0.3f, 0};
    crosses.m_timing = {TimingParams::AbsoluteFrames, 1, 50, 3, 0, 1, 0};
    crosses.m_kill.span = 34;
    crosses.m_kill.span_err = 20;
    moveOneWay(crosses, 0, 0, 10, 5);
    crosses.m_move.speed_err = 30;
    crosses.m_scale.max = 7;
    crosses.m_scale.max_err = 30;
    useTexture(g, crosses, "cross", true);
    colour(crosses, 0.45f, 1.0f, 0.55f);
    shape(crosses, SlotOverallSize, {{0, 0.3f}, {25, 1.0f}, {100, 0.8f}});
    fadeInOut(crosses, 20, 1.0f, 35);

    EffectNode& motes = addTopLevel(g, "光の粒");
    motes.m_emitter.type = EmitterParams::HorizontalCircle;
    motes.m_emitter.size = {3.5f, 0, 3.5f};
    motes.m_timing = {TimingParams::AbsoluteFrames, 1, 52, 1, 0, 2, 50};
    motes.m_kill.span = 36;
    motes.m_kill.span_err = 30;
    moveOneWay(motes, 0, 0, 20, 7);
    motes.m_move.speed_err = 50;
    motes.m_scale.max = 2;
    useTexture(g, motes, "glow", true);
    colour(motes, 0.75f, 1.0f, 0.8f);
    fadeInOut(motes, 20, 1.0f, 40);
    g.pSelNode = &crosses;
}

// ---- lightning ---------------------------------------------------------------------------

void addStrikeImpact(GlobalState& g, EffectNode& bolt) {
    // The bolt's centre is half its height above the ground; the impact is born there.
    EffectNode& flash = addChild(g, bolt, "落雷光");
    flash.m_timing = {TimingParams::ParentFrames, 1, 1, 1, 0, 1, 0};
    flash.m_emitter.pos = {0, -3.3f, 0};
    flash.m_kill.span = 10;
    flash.m_scale.max = 40;
    useTexture(g, flash, "glow", true);
    colour(flash, 0.75f, 0.8f, 1.0f);
    shape(flash, SlotOverallSize, {{0, 1.0f}, {100, 0.6f}});
    shape(flash, SlotAlpha, {{0, 1.0f}, {100, 0}});

    EffectNode& sparks = addChild(g, bolt, "火花");
    sparks.m_timing = {TimingParams::ParentFrames, 1, 1, 1, 0, 8, 30};
    sparks.m_emitter.pos = {0, -3.3f, 0};
    sparks.m_kill.span = 16;
    sparks.m_kill.span_err = 40;
    moveOneWay(sparks, 0, 0, 140, 12);
    sparks.m_move.speed_err = 50;
    sparks.m_move.gravity = 25;
    sparks.m_scale.max = 2;
    useTexture(g, sparks, "spark", true);
    colour(sparks, 0.8f, 0.85f, 1.0f);
    shape(sparks, SlotAlpha, {{0, 1.0f}, {100, 0}});
}

void buildLightning(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.3f, -9}, {0, 3.3f, 0}};

    EffectNode& sky = addTopLevel(g, "雷雲");
    glowAt(sky, {0, 7.0f, 2.0f}, 8, 120);
    sky.m_emitter.size = {4.0f, 0, 0};
    sky.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 8, 0, 1, 0};
    useTexture(g, sky, "glow", true);
    colour(sky, 0.45f, 0.5f, 0.9f);
    shape(sky, SlotAlpha, {{0, 0.5f}, {100, 0}});

    // A new strike every eight frames, as the last one dies; the atlas gives each a new shape
    // every other frame.
    EffectNode& bolt = addTopLevel(g, "稲妻");
    bolt.m_emitter.type = EmitterParams::Box;
    bolt.m_emitter.size = {3.0f, 0, 1.0f};
    bolt.m_emitter.pos = {0, 3.5f, 0};
    bolt.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 8, 0, 1, 0};
    bolt.m_kill.span = 8;
    bolt.m_scale.max = 68;
    bolt.m_texture.isAnim = 1;
    bolt.m_texture.w = 4;
    bolt.m_texture.h = 1;
    bolt.m_texture.speed = 50;
    bolt.m_texture.isLoop = 1;
    useTexture(g, bolt, "bolt", true);
    colour(bolt, 0.8f, 0.85f, 1.0f);
    shape(bolt, SlotWidth, {{0, 0.5f}, {100, 0.5f}});
    shape(bolt, SlotAlpha, {{0, 1.0f}, {25, 0.5f}, {40, 1.0f}, {70, 0.8f}, {100, 0}});
    addStrikeImpact(g, bolt);
    g.pSelNode = &bolt;
}

// ---- portal ------------------------------------------------------------------------------

void addPortalMotes(GlobalState& g) {
    // Born on a circle around the portal and pulled in: the speed curve is negative, so they
    // travel against the outward direction, and the revolution winds them into a spiral.
    EffectNode& motes = addTopLevel(g, "吸い込み");
    motes.m_emitter.type = EmitterParams::VerticalCircle;
    motes.m_emitter.size = {6.5f, 6.5f, 0};
    motes.m_emitter.scope = EmitterParams::Surface;
    motes.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 2, 0};
    motes.m_kill.span = 30;
    motes.m_move.speed = 5;
    motes.m_scale.max = 3;
    motes.m_rotate.revAxis = RotateParams::RevZ;
    motes.m_rotate.revAngle = 120;
    useTexture(g, motes, "glow", true);
    colour(motes, 0.8f, 0.65f, 1.0f);
    speedShape(motes, {{0, -1.0f}, {100, -1.0f}});
    fadeInOut(motes, 20, 1.0f, 20);
}

void buildPortal(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 0.5f, -7}, {0, 0, 0}};

    // Overlapping swirls, one born every six frames, keep the portal turning without a seam.
    EffectNode& swirl = addTopLevel(g, "渦");
    swirl.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 6, 0, 1, 0};
    swirl.m_kill.span = 36;
    swirl.m_scale.max = 56;
    swirl.m_rotate.angle = 300;
    useTexture(g, swirl, "swirl", true);
    colour(swirl, 0.55f, 0.3f, 1.0f);
    shape(swirl, SlotOverallSize, {{0, 1.1f}, {100, 0.6f}});
    shape(swirl, SlotAlpha, {{0, 0}, {30, 0.6f}, {70, 0.6f}, {100, 0}});

    EffectNode& ring = addTopLevel(g, "外輪");
    ring.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 8, 0, 1, 0};
    ring.m_kill.span = 32;
    ring.m_scale.max = 62;
    useTexture(g, ring, "ring", true);
    colour(ring, 0.45f, 0.55f, 1.0f);
    shape(ring, SlotOverallSize, {{0, 1.05f}, {100, 0.95f}});
    fadeInOut(ring, 30, 0.5f, 30);

    EffectNode& core = addTopLevel(g, "核");
    core.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 10, 0, 1, 0};
    core.m_kill.span = 30;
    core.m_scale.max = 22;
    useTexture(g, core, "glow", true);
    colour(core, 0.85f, 0.75f, 1.0f);
    fadeInOut(core, 30, 0.6f, 30);

    addPortalMotes(g);
    g.pSelNode = &swirl;
}

// ---- confetti ----------------------------------------------------------------------------

// One colour of the confetti: every colour is a node of its own with the same burst.
void addConfettiColour(GlobalState& g, const char* name, float r, float gr, float b) {
    EffectNode& paper = addTopLevel(g, name);
    paper.m_emitter.type = EmitterParams::Sphere;
    paper.m_emitter.size = {0.6f, 0.3f, 0.6f};
    paper.m_timing = {TimingParams::AbsoluteFrames, 1, 4, 1, 0, 6, 40};
    paper.m_kill.span = 60;
    paper.m_kill.span_err = 15;
    moveOneWay(paper, 0, 0, 100, 40);
    paper.m_move.speed_err = 40;
    paper.m_move.gravity = 20;
    paper.m_shape.type = ShapeParams::Plane;
    paper.m_shape.dir = ShapeParams::Random;
    paper.m_scale.max = 6;
    paper.m_scale.max_err = 25;
    paper.m_color.brigRnd = 15;
    paper.m_rotate.axis = RotateParams::X;
    paper.m_rotate.angle = 900;
    paper.m_rotate.angle_err = 50;
    paper.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, paper, "paper", false);
    colour(paper, r, gr, b);
    shape(paper, SlotAlpha, {{0, 1.0f}, {85, 1.0f}, {100, 0}});
    speedShape(paper, {{0, 1.0f}, {20, 0.08f}, {100, 0.02f}});
}

void buildConfetti(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3.5f, -9}, {0, 3.5f, 0}};
    addConfettiColour(g, "赤", 1.0f, 0.25f, 0.3f);
    addConfettiColour(g, "黄", 1.0f, 0.85f, 0.2f);
    addConfettiColour(g, "緑", 0.3f, 0.9f, 0.4f);
    addConfettiColour(g, "青", 0.3f, 0.55f, 1.0f);
    addConfettiColour(g, "桃", 1.0f, 0.5f, 0.85f);
    g.pSelNode = g.rootNode->child(0);
}

// The fire and the magic circle of the samples, with the camera closer so that they fill a
// square thumbnail.
void buildLibraryFire(GlobalState& g) {
    buildFire(g);
    g.viewCamera = {{0, 3.2f, -7}, {0, 2.1f, 0}};
}

void buildLibraryMagicCircle(GlobalState& g) {
    buildMagicCircle(g);
    g.viewCamera = {{0, 5.2f, -6.6f}, {0, 0.5f, 0}};
}

// A sample's textures with another builder.
Sample fromSample(const std::string& fileName, void (*build)(GlobalState&)) {
    for (Sample& sample : allSamples()) {
        if (sample.fileName == fileName) {
            sample.build = build;
            return sample;
        }
    }
    throw std::logic_error("no sample named " + fileName);
}

} // namespace

std::vector<Sample> libraryEffects() {
    return {
        fromSample("fire.stn", buildLibraryFire),
        {"smoke.stn", {{"puff", smokePuff(128)}}, buildSmoke},
        fromSample("sparks.stn", buildSparks),
        {"explosion.stn",
         {{"glow", softGlow(128)}, {"puff", smokePuff(128)}, {"ring", softRing(256)}, {"spark", spark(64)}},
         buildExplosion},
        fromSample("magic_circle.stn", buildLibraryMagicCircle),
        {"rain.stn", {{"glow", softGlow(32)}, {"ring", softRing(64)}, {"streak", rainStreak(64)}}, buildRain},
        {"snow.stn", {{"glow", softGlow(32)}, {"snowflake", snowflake(64)}}, buildSnow},
        {"dust.stn", {{"glow", softGlow(32)}, {"puff", smokePuff(128)}}, buildDust},
        {"heal.stn",
         {{"circle", magicCircle(256)}, {"cross", healCross(64)}, {"glow", softGlow(64)}},
         buildHeal},
        {"lightning.stn",
         {{"bolt", boltAtlas(128, 256, 4)}, {"glow", softGlow(128)}, {"spark", spark(32)}},
         buildLightning},
        {"portal.stn",
         {{"glow", softGlow(64)}, {"ring", softRing(256)}, {"swirl", portalSwirl(256)}},
         buildPortal},
        {"confetti.stn", {{"paper", paperScrap(32)}}, buildConfetti},
    };
}

} // namespace samples
