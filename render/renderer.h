#pragma once

#include "model/global_state.h"
#include "platform/result.h"
#include "render/camera.h"
#include "render/drawing_paths.h"
#include "render/export_pass.h"

#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vintrel {

class Simulation;
class EffectRenderer;
class LineSet;
class ShaderPrograms;
class ExportTargets;
class BackdropLayer;

// Draws the effect with OpenGL: the view frame (floor grid, the particles in two culling walks,
// the selected node's guide) into the framebuffer the caller binds, and the export passes into
// an off-screen target set. Every call needs the same current OpenGL 3.3 context; the worker
// thread owns it while it runs.
class Renderer {
public:
    // Builds the programs, meshes, states and the grid in the current context, the camera at
    // `startPose` unless a pose was handed over. Fails when the context lacks what the drawing
    // needs.
    static Result<std::unique_ptr<Renderer>> create(GlobalState& g, Simulation& simulation,
                                                    const ViewCameraPose& startPose);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Size of the view's drawable in pixels; the camera's aspect follows it.
    void setViewSize(int width, int height);

    // One view frame into `framebuffer` (0: the window's own), of the view size: mouse
    // control, clear to the project's background, grid, both culling walks. Returns true when
    // a camera drag moved the camera and the cursor should go back to where the drag began.
    bool renderViewFrame(std::uint32_t framebuffer, const MouseSample& mouse, int infoBarWidth);

    // What the view frames show behind the grid from the next one (see BackdropLayer::set).
    void setBackdrop(ViewBackdrop::Kind kind, QImage picture);

    // Uploads the material list's textures and models from the workspace again (after the
    // material list changed; the worker calls it when it restarts).
    void reloadMaterials();

    // One export frame into `targets` (made at the project size): the camera with the
    // project's aspect, both culling walks composing in the shader, opaque blending.
    // `afterWalk` runs after each of the two walks (the export's progress). `job` chooses the
    // colour or an extra channel.
    void renderExportFrame(ExportTargets& targets, const std::function<void()>& afterWalk = {},
                           const ExportPass& job = {});
    // The distance from the camera to the point it looks at.
    float focusDistance() const;
    // The view's camera matrices again after an export.
    void restoreViewCamera();

    // Which way each step is drawn; DrawingPaths::reference() for the plain ones.
    void setDrawingPaths(const DrawingPaths& paths);

    // Particle draws issued by the latest culling walk (for tests and benchmarks).
    std::size_t particleDraws() const;

private:
    Renderer(GlobalState& g, Simulation& simulation);
    Status build(const ViewCameraPose& startPose);
    void applyPose(const ViewCameraPose& pose);
    float viewAspect() const;

    GlobalState& g_;
    Simulation& simulation_;
    Camera camera_;
    CameraControl control_;
    std::unique_ptr<ShaderPrograms> programs_;
    std::unique_ptr<LineSet> grid_;
    std::unique_ptr<EffectRenderer> effects_;
    std::unique_ptr<BackdropLayer> backdrop_;
    int viewWidth_ = 1;
    int viewHeight_ = 1;
};

} // namespace vintrel
