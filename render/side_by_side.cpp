#include "render/side_by_side.h"

#include "render/compare_scene.h"
#include "render/renderer.h"
#include "render/view_layout.h"

namespace vintrel {

bool SideBySideView::ensureTargets(int width, int height) {
    if (left_ && left_->width() == width && left_->height() == height) {
        return true;
    }
    left_.emplace();
    right_.emplace();
    if (!left_->create(width, height) || !right_->create(width, height)) {
        left_.reset();
        right_.reset();
        return false;
    }
    return true;
}

std::optional<bool> SideBySideView::draw(Renderer& view, const GlobalState& viewState, std::uint32_t frame,
                                         CompareScene& other, std::uint32_t framebuffer, int width, int height,
                                         const MouseSample& mouse, int infoBarWidth) {
    const ProjectSettings project = viewState.frameInputs().project;
    const SideBySideHalves halves = sideBySideHalves(width, height, project.width, project.height);
    const int halfW = halves.left.x1 - halves.left.x0;
    const int halfH = halves.left.y1 - halves.left.y0;
    if (!ensureTargets(halfW, halfH)) {
        return std::nullopt;
    }
    view.setViewSize(halfW, halfH);
    const bool putBack = view.renderViewFrame(left_->framebuffer(), mouse, infoBarWidth);
    other.follow(frame);
    // The view's frame has just published where its camera stands.
    other.draw(right_->framebuffer(), halfW, halfH, viewState.cameraHandover.current().value_or(ViewCameraPose{}));

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    copyColorInto(*left_, framebuffer, halves.left);
    copyColorInto(*right_, framebuffer, halves.right);
    return putBack;
}

} // namespace vintrel
