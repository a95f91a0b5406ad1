#include "render/renderer.h"

#include "engine/simulation.h"
#include "render/backdrop_layer.h"
#include "render/effect_renderer.h"
#include "render/export_targets.h"
#include "render/gpu_states.h"
#include "render/line_set.h"
#include "render/shader_programs.h"

namespace vintrel {

Renderer::Renderer(GlobalState& g, Simulation& simulation) : g_(g), simulation_(simulation) {}

Renderer::~Renderer() = default;

Result<std::unique_ptr<Renderer>> Renderer::create(GlobalState& g, Simulation& simulation,
                                                   const ViewCameraPose& startPose) {
    if (epoxy_gl_version() < 33) {
        return Message{"OpenGL 3.3 or later is needed to draw the view"};
    }
    std::unique_ptr<Renderer> renderer(new Renderer(g, simulation));
    if (Status built = renderer->build(startPose); !built) {
        return built.error();
    }
    return renderer;
}

Status Renderer::build(const ViewCameraPose& startPose) {
    GpuStates::prepareContext();
    programs_ = std::make_unique<ShaderPrograms>();
    if (Status built = programs_->build(); !built) {
        return built;
    }
    // A pose the editor handed over since it chose the start pose wins.
    applyPose(g_.cameraHandover.takeRequest().value_or(startPose));
    grid_ = std::make_unique<LineSet>(floorGrid());
    effects_ = std::make_unique<EffectRenderer>(g_, simulation_, *programs_);
    backdrop_ = std::make_unique<BackdropLayer>();
    return {};
}

void Renderer::applyPose(const ViewCameraPose& pose) {
    camera_.eye = Vec3{pose.eye.x, pose.eye.y, pose.eye.z};
    camera_.target = Vec3{pose.target.x, pose.target.y, pose.target.z};
    camera_.up = Vec3{0, 1, 1};
    // The up the view would give this pose on its first frame: an export drawn before any view
    // frame (the command-line tool's) is then upright as the view is.
    control_.correctUp(camera_, viewAspect());
}

float Renderer::viewAspect() const {
    return static_cast<float>(viewWidth_) / static_cast<float>(viewHeight_);
}

void Renderer::setViewSize(int width, int height) {
    viewWidth_ = std::max(1, width);
    viewHeight_ = std::max(1, height);
    camera_.update(viewAspect());
}

bool Renderer::renderViewFrame(std::uint32_t framebuffer, const MouseSample& mouse, int infoBarWidth) {
    g_.sim.isRendering.store(true);
    if (std::optional<ViewCameraPose> pose = g_.cameraHandover.takeRequest()) {
        applyPose(*pose);
    }
    const FrameInputs inputs = g_.frameInputs();
    const bool moved =
        control_.apply(camera_, mouse, infoBarWidth, inputs.project.isCameraMove != 0, viewAspect());
    control_.correctUp(camera_, viewAspect());

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, viewWidth_, viewHeight_);
    GpuStates::setBlend(BlendMode::Alpha);
    glDepthMask(GL_TRUE);
    const FloatXYZ& back = inputs.project.backColor;
    glClearColor(back.x / 255.0f, back.y / 255.0f, back.z / 255.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    backdrop_->draw(framebuffer, QSize(viewWidth_, viewHeight_));

    GpuStates::setCull(CullMode::None);
    GpuStates::setDepth(GpuStates::Depth::TestAndWrite);
    grid_->draw(*programs_, camera_, Mat4::identity());
    effects_->drawView(camera_, viewAspect());
    g_.cameraHandover.publish({FloatXYZ{camera_.eye.x, camera_.eye.y, camera_.eye.z},
                               FloatXYZ{camera_.target.x, camera_.target.y, camera_.target.z}});
    g_.sim.isRendering.store(false);
    return moved;
}

void Renderer::renderExportFrame(ExportTargets& targets, const std::function<void()>& afterWalk,
                                 const ExportPass& job) {
    const float aspect = static_cast<float>(g_.project.width) / static_cast<float>(g_.project.height);
    camera_.update(aspect);
    GpuStates::setBlend(BlendMode::Opaque);
    for (CullMode cull : {CullMode::Back, CullMode::Front}) {
        GpuStates::setCull(cull);
        effects_->drawExport(camera_, targets, aspect, cull, job);
        if (afterWalk) {
            afterWalk();
        }
    }
    GpuStates::setCull(CullMode::None);
}

float Renderer::focusDistance() const {
    return length(camera_.eye - camera_.target);
}

void Renderer::restoreViewCamera() {
    camera_.update(viewAspect());
    GpuStates::setBlend(BlendMode::Alpha);
}

void Renderer::setDrawingPaths(const DrawingPaths& paths) {
    effects_->setPaths(paths);
}

std::size_t Renderer::particleDraws() const {
    return effects_->drawCount();
}

void Renderer::setBackdrop(ViewBackdrop::Kind kind, QImage picture) {
    backdrop_->set(kind, std::move(picture));
}

void Renderer::reloadMaterials() {
    effects_->reloadMaterials();
}

} // namespace vintrel
