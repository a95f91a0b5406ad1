#pragma once

// A project stepped to a frame with a renderer over it, drawn in the view or as an export
// frame through chosen drawing paths: for tests that compare the faster paths with the plain
// ones pixel for pixel.

#include "engine/simulation.h"
#include "gl_test_support.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"
#include "render/export_targets.h"
#include "render/renderer.h"
#include "support/test_projects.h"

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace vintrel::test {

class DrawingScene {
public:
    static constexpr int kViewWidth = 160;
    static constexpr int kViewHeight = 90;

    // Loads samples/<name> into `workspace`.
    bool loadSample(const char* name, const std::filesystem::path& workspace) {
        std::filesystem::create_directories(workspace);
        g.workspace = workspace;
        StreamNotifier notifier(std::cerr);
        const BuiltInProjectDefaults defaults;
        return loadProject(g, std::filesystem::path(VINTREL_SOURCE_DIR) / "samples" / name, defaults,
                           notifier);
    }

    // Steps a fresh simulation of the project to `frame` and builds the renderer.
    bool start(int frame) {
        simulation = std::make_unique<Simulation>(g);
        simulation->reset();
        while (simulation->currentFrame() <= static_cast<std::uint32_t>(frame)) {
            simulation->step();
        }
        Result<std::unique_ptr<Renderer>> made = Renderer::create(g, *simulation, g.viewCamera);
        renderer = std::move(made).value_or(nullptr);
        if (renderer == nullptr) {
            ADD_FAILURE() << untranslated(made.error());
            return false;
        }
        renderer->setViewSize(kViewWidth, kViewHeight);
        if (!view.create(kViewWidth, kViewHeight)) {
            return false;
        }
        // A draw moves each atlas particle on to the cell of its age: one frame first, so that
        // every later draw of this frame starts from the same cells.
        viewFrame(DrawingPaths::reference());
        return true;
    }

    // The view frame as drawn now. Sorting reorders the list, so each path is drawn from the
    // same list order: the caller draws the reference first and the faster one on a copy.
    QImage viewFrame(const DrawingPaths& paths) {
        const std::vector<Particle*> order = simulation->particles();
        renderer->setDrawingPaths(paths);
        renderer->renderViewFrame(view.framebuffer(), MouseSample{}, 0);
        simulation->mutableParticles() = order;
        return view.read();
    }

    // One export frame at the project size, over the project's background.
    QImage exportFrame(const DrawingPaths& paths) {
        const std::vector<Particle*> order = simulation->particles();
        StreamNotifier notifier(std::cerr);
        ExportTargets targets;
        if (!targets.create(g.project.width, g.project.height, QImage(), notifier)) {
            ADD_FAILURE() << "export targets";
            return {};
        }
        targets.main().bind();
        glClearColor(g.project.backColor.x / 255.0f, g.project.backColor.y / 255.0f,
                     g.project.backColor.z / 255.0f, 0.0f);
        glClearDepth(1.0);
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderer->setDrawingPaths(paths);
        renderer->renderExportFrame(targets);
        renderer->restoreViewCamera();
        simulation->mutableParticles() = order;
        return targets.main().read();
    }

    GlobalState g;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
    RenderTarget view;
};

// How many pixels of two same-sized images differ, and by how much at most in one channel.
struct ImageDifference {
    int pixels = 0;
    int largest = 0;
};

inline ImageDifference compareImages(const QImage& a, const QImage& b) {
    ImageDifference difference;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const Rgba p = pixel(a, x, y);
            const Rgba q = pixel(b, x, y);
            const int most = std::max(
                {std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b), std::abs(p.a - q.a)});
            difference.pixels += most > 0 ? 1 : 0;
            difference.largest = std::max(difference.largest, most);
        }
    }
    return difference;
}

} // namespace vintrel::test
