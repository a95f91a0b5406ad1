#include "effects.h"

#include "node_helpers.h"
#include "textures.h"

namespace samples {

using namespace vintrel;

void buildFire(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 4, -10}, {0, 2, 0}};

    EffectNode& flames = addTopLevel(g, "炎");
    flames.m_emitter.type = EmitterParams::HorizontalCircle;
    flames.m_emitter.size = {1.2f, 0, 1.2f};
    flames.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 1, 0, 4, 50};
    flames.m_kill.span = 36;
    flames.m_kill.span_err = 30;
    flames.m_move.isOneWay = 1;
    flames.m_move.dirX = 0; // straight up
    flames.m_move.oneway_err = 15;
    flames.m_move.speed = 6;
    flames.m_move.speed_err = 40;
    flames.m_move.gravity = -8;
    flames.m_scale.max = 16;
    flames.m_scale.max_err = 30;
    flames.m_color.brigRnd = 10;
    flames.m_color.alphaRnd = 20;
    flames.m_rotate.angle = 90;
    flames.m_rotate.angle_err = 50;
    flames.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, flames, "flame", true);
    shape(flames, SlotOverallSize, {{0, 0.7f}, {30, 1.0f}, {100, 0.2f}});
    shape(flames, SlotGreen, {{0, 0.85f}, {60, 0.35f}, {100, 0.15f}});
    shape(flames, SlotBlue, {{0, 0.5f}, {25, 0.1f}, {100, 0}});
    shape(flames, SlotAlpha, {{0, 0}, {10, 1.0f}, {60, 0.6f}, {100, 0}});
    speedShape(flames, {{0, 1.0f}, {100, 0.5f}});

    EffectNode& smoke = addTopLevel(g, "煙");
    smoke.m_emitter.type = EmitterParams::HorizontalCircle;
    smoke.m_emitter.size = {0.8f, 0, 0.8f};
    smoke.m_emitter.pos = {0, 2.5f, 0};
    smoke.m_timing = {TimingParams::AbsoluteFrames, 10, 60, 3, 30, 1, 0};
    smoke.m_kill.span = 60;
    smoke.m_kill.span_err = 20;
    smoke.m_move.isOneWay = 1;
    smoke.m_move.dirX = 0; // straight up
    smoke.m_move.oneway_err = 20;
    smoke.m_move.speed = 3;
    smoke.m_scale.max = 24;
    smoke.m_rotate.angle = 60;
    smoke.m_rotate.dir = RotateParams::RandomDirection;
    useTexture(g, smoke, "glow", false);
    colour(smoke, 0.25f, 0.22f, 0.2f);
    shape(smoke, SlotOverallSize, {{0, 0.4f}, {100, 1.0f}});
    shape(smoke, SlotAlpha, {{0, 0}, {30, 0.3f}, {100, 0}});

    EffectNode& embers = addTopLevel(g, "火の粉");
    embers.m_emitter.type = EmitterParams::Sphere;
    embers.m_emitter.size = {0.8f, 0.4f, 0.8f};
    embers.m_timing = {TimingParams::AbsoluteFrames, 1, 60, 3, 0, 1, 0};
    embers.m_kill.span = 70;
    embers.m_kill.span_err = 30;
    embers.m_move.isOneWay = 1;
    embers.m_move.dirX = 0; // straight up
    embers.m_move.oneway_err = 40;
    embers.m_move.speed = 4;
    embers.m_move.speed_err = 50;
    embers.m_move.gravity = -3;
    embers.m_move.shake = 30;
    embers.m_scale.max = 3;
    useTexture(g, embers, "spark", true);
    colour(embers, 1.0f, 0.6f, 0.2f);
    shape(embers, SlotAlpha, {{0, 1.0f}, {70, 0.8f}, {100, 0}});
    g.pSelNode = &flames;
}

void buildSparks(GlobalState& g) {
    clearTree(g);
    g.viewCamera = {{0, 3, -12}, {0, 1, 0}};

    EffectNode& flash = addTopLevel(g, "閃光");
    flash.m_emitter.type = EmitterParams::Sphere;
    flash.m_emitter.pos = {0, 1, 0};
    flash.m_kill.span = 12;
    flash.m_scale.max = 60;
    useTexture(g, flash, "glow", true);
    colour(flash, 1.0f, 0.9f, 0.7f);
    shape(flash, SlotOverallSize, {{0, 0.3f}, {100, 1.0f}});
    shape(flash, SlotAlpha, {{0, 1.0f}, {100, 0}});

    EffectNode& burst = addTopLevel(g, "火花");
    burst.m_emitter.type = EmitterParams::Sphere;
    burst.m_emitter.size = {0.2f, 0.2f, 0.2f};
    burst.m_emitter.pos = {0, 1, 0};
    burst.m_emitter.scope = EmitterParams::Surface;
    burst.m_timing = {TimingParams::AbsoluteFrames, 1, 1, 1, 0, 40, 20};
    burst.m_kill.span = 45;
    burst.m_kill.span_err = 40;
    burst.m_move.speed = 18;
    burst.m_move.speed_err = 50;
    burst.m_move.gravity = 12;
    burst.m_scale.max = 4;
    useTexture(g, burst, "spark", true);
    colour(burst, 1.0f, 0.75f, 0.35f);
    shape(burst, SlotAlpha, {{0, 1.0f}, {80, 0.7f}, {100, 0}});
    speedShape(burst, {{0, 1.0f}, {100, 0.3f}});

    EffectNode& trail = addChild(g, burst, "軌跡");
    trail.m_timing = {TimingParams::ParentFrames, 1, 1, 1, 0, 1, 0};
    trail.m_kill.span = 45;
    trail.m_move.isFollow = 1;
    trail.m_shape.type = ShapeParams::Trail;
    trail.m_scale.max = 3;
    trail.m_scale.trailLength = 8;
    trail.m_scale.trailThickChange = 1;
    trail.m_color.isAlphaParent = 1;
    useTexture(g, trail, "glow", true);
    colour(trail, 1.0f, 0.55f, 0.2f);

    EffectNode& wave = addTopLevel(g, "衝撃波");
    wave.m_emitter.pos = {0, 0.05f, 0};
    wave.m_kill.span = 24;
    wave.m_shape.type = ShapeParams::Plane;
    wave.m_shape.dir = ShapeParams::Up;
    wave.m_scale.max = 80;
    useTexture(g, wave, "circle", true);
    colour(wave, 1.0f, 0.7f, 0.4f);
    shape(wave, SlotOverallSize, {{0, 0.1f}, {100, 1.0f}});
    shape(wave, SlotAlpha, {{0, 0.8f}, {100, 0}});
    g.pSelNode = &burst;
}

void buildMagicCircle(GlobalState& g) {
    clearTree(g);
    applyProjectLength(g, 120);
    g.viewCamera = {{0, 7, -9}, {0, 0, 0}};

    EffectNode& circle = addTopLevel(g, "魔法陣");
    circle.m_kill.span = 120;
    circle.m_shape.type = ShapeParams::Plane;
    circle.m_shape.dir = ShapeParams::Up;
    circle.m_scale.max = 60;
    circle.m_rotate.axis = RotateParams::Y;
    circle.m_rotate.angle = 180;
    useTexture(g, circle, "circle", true);
    colour(circle, 0.45f, 0.75f, 1.0f);
    shape(circle, SlotOverallSize, {{0, 0.2f}, {15, 1.0f}, {100, 1.0f}});
    shape(circle, SlotAlpha, {{0, 0}, {10, 1.0f}, {85, 1.0f}, {100, 0}});

    EffectNode& runes = addTopLevel(g, "ルーン");
    runes.m_emitter.type = EmitterParams::HorizontalCircle;
    runes.m_emitter.size = {4.5f, 0, 4.5f};
    runes.m_emitter.pos = {0, 0.3f, 0};
    runes.m_emitter.scope = EmitterParams::Surface;
    runes.m_emitter.isEvenInterval = 1;
    runes.m_timing = {TimingParams::AbsoluteFrames, 10, 10, 1, 0, 8, 0};
    runes.m_kill.span = 100;
    runes.m_scale.max = 8;
    runes.m_texture.isAnim = 1;
    runes.m_texture.speed = 2;
    runes.m_texture.isLoop = 1;
    runes.m_rotate.revAxis = RotateParams::RevY;
    runes.m_rotate.revAngle = 180;
    useTexture(g, runes, "runes", true);
    colour(runes, 0.6f, 0.85f, 1.0f);
    shape(runes, SlotAlpha, {{0, 0}, {15, 1.0f}, {80, 1.0f}, {100, 0}});

    EffectNode& motes = addTopLevel(g, "光の粒");
    motes.m_emitter.type = EmitterParams::HorizontalCircle;
    motes.m_emitter.size = {5.0f, 0, 5.0f};
    motes.m_timing = {TimingParams::AbsoluteFrames, 1, 110, 2, 0, 2, 50};
    motes.m_kill.span = 50;
    motes.m_kill.span_err = 30;
    motes.m_move.isOneWay = 1;
    motes.m_move.dirX = 0; // straight up
    motes.m_move.speed = 4;
    motes.m_move.speed_err = 50;
    motes.m_move.shake = 20;
    motes.m_scale.max = 3;
    useTexture(g, motes, "glow", true);
    colour(motes, 0.7f, 0.9f, 1.0f);
    shape(motes, SlotAlpha, {{0, 0}, {30, 1.0f}, {100, 0}});
    g.pSelNode = &circle;
}

std::vector<Sample> allSamples() {
    return {
        {"fire.stn", {{"flame", flame(128)}, {"glow", softGlow(128)}, {"spark", spark(64)}}, buildFire},
        {"sparks.stn",
         {{"circle", magicCircle(256)}, {"glow", softGlow(128)}, {"spark", spark(64)}},
         buildSparks},
        {"magic_circle.stn",
         {{"circle", magicCircle(512)}, {"glow", softGlow(64)}, {"runes", runeAtlas(64, 4, 4)}},
         buildMagicCircle},
    };
}

} // namespace samples
