#pragma once

#include "render/render_target.h"

#include <cstdint>
#include <optional>

namespace vintrel {

class CompareScene;
class Renderer;
struct GlobalState;
struct MouseSample;

// The compare view's frame: the view's own run on the left, the compared run on the right, each
// drawn into a target of its half's size (as the command-line tool draws a view frame) and
// copied side by side into the framebuffer, the rest of it black.
class SideBySideView {
public:
    // `view` and `viewState` are the view's renderer and the state it draws (the camera that
    // the view's frame publishes is the compared run's too); `frame` is where the view's run
    // stands. Returns the view renderer's answer (the cursor goes back), or nothing, with
    // nothing drawn, when the driver cannot make the halves' targets.
    std::optional<bool> draw(Renderer& view, const GlobalState& viewState, std::uint32_t frame, CompareScene& other,
                             std::uint32_t framebuffer, int width, int height, const MouseSample& mouse,
                             int infoBarWidth);

private:
    bool ensureTargets(int width, int height);

    std::optional<RenderTarget> left_;
    std::optional<RenderTarget> right_;
};

} // namespace vintrel
