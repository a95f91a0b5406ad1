#pragma once

// A project of about 2,300 live particles in every shape (billboards, planes, hemispheres,
// cylinders, trails and a model), alpha and additive blending, an animated atlas, the
// under-cut, and colour alphas from 0 to almost 2 over opaque and translucent textures, for
// comparing drawing paths.

#include "model/global_state.h"
#include "support/test_projects.h"

#include <QImage>
#include <filesystem>
#include <fstream>

namespace vintrel::test {

constexpr int kMixedFrame = 40; // every node has reached its steady count by then

inline void writeMixedMaterials(const std::filesystem::path& workspace) {
    // A 4 x 4 atlas of 2 x 2 cells in four colours, half of it translucent.
    QImage atlas(4, 4, QImage::Format_RGBA8888);
    const QColor cells[4] = {QColor(255, 0, 0, 255), QColor(0, 255, 0, 128), QColor(0, 0, 255, 255),
                             QColor(255, 255, 0, 64)};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            atlas.setPixelColor(x, y, cells[(y / 2) * 2 + x / 2]);
        }
    }
    atlas.save(QString::fromStdString((workspace / "atlas.png").string()), "PNG");
    std::ofstream obj(workspace / "wedge.obj");
    obj << "v -0.5 0 0\nv 0.5 0 0\nv 0 0.5 0\nv 0 0 0.5\n"
           "vt 0 0\nvt 1 0\nvt 0.5 1\n"
           "f 1/1 2/2 3/3\nf 1/1 4/2 3/3\nf 2/1 4/2 3/3\n";
}

// The new project's node when `first`, else a new node under the root.
inline EffectNode& addMixedNode(GlobalState& g, int shape, int perFrame, bool first = false) {
    EffectNode& root = *g.rootNode;
    EffectNode& n = first ? *root.m_children.front() : root.appendChild(std::make_unique<EffectNode>(&root));
    n.m_shape.type = shape;
    n.m_timing.start = 1;
    n.m_timing.end = 200;
    n.m_timing.often = 1;
    n.m_timing.num = perFrame;
    n.m_kill.span = 30;
    n.m_emitter.type = EmitterParams::Sphere;
    n.m_emitter.size = FloatXYZ{6, 6, 6};
    n.m_move.speed = 3;
    n.m_scale.max = 4;
    return n;
}

// The project in `g`, its materials written into `workspace`.
inline void buildMixedProject(GlobalState& g, const std::filesystem::path& workspace) {
    startProject(g, workspace);
    writeMixedMaterials(workspace);
    g.materials = {Material{"atlas", Material::Texture}, Material{"wedge", Material::Model}};
    g.project.frame = 100;
    g.project.width = 96;
    g.project.height = 64;
    constexpr int kPerNode = 11; // seven nodes x 11 a frame x 30 frames of life: about 2,300
    EffectNode& billboards = addMixedNode(g, ShapeParams::Billboard, kPerNode, true);
    billboards.m_texture.ID = 0;
    billboards.m_texture.isAnim = 1;
    billboards.m_texture.w = 2;
    billboards.m_texture.h = 2;
    billboards.m_texture.speed = 20;
    billboards.m_texture.isLoop = 1;
    billboards.m_color.alphaRnd = 100; // alpha 0 to almost 2
    EffectNode& planes = addMixedNode(g, ShapeParams::Plane, kPerNode);
    planes.m_texture.isAdd = 1;
    planes.m_shape.isUnderCut = 1;
    planes.m_shape.dir = ShapeParams::Random;
    addMixedNode(g, ShapeParams::Hemisphere, kPerNode).m_texture.ID = 0;
    EffectNode& cylinders = addMixedNode(g, ShapeParams::Cylinder, kPerNode);
    cylinders.m_texture.isAdd = 1;
    cylinders.m_color.alphaRnd = 100;
    // Plain white billboards: opaque, translucent and invisible ones by their colour alone.
    addMixedNode(g, ShapeParams::Billboard, kPerNode).m_color.alphaRnd = 100;
    addMixedNode(g, ShapeParams::Trail, kPerNode).m_scale.trailLength = 6;
    addMixedNode(g, ShapeParams::FirstModel, kPerNode).m_shape.isUnderCut = 1;
}

} // namespace vintrel::test
