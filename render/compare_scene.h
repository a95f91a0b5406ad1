#pragma once

#include "engine/simulation.h"
#include "model/global_state.h"
#include "platform/result.h"
#include "render/renderer.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace vintrel {

// The second run of the effect that the compare view draws beside the first: a project of its
// own (the same settings with another seed, or the saved file), stepped in step with the view's
// run on the same thread with a random sequence of its own, and drawn from the view's camera.
//
// Made on any thread; prepare(), follow(), draw() and the destructor run on the thread that draws,
// with the OpenGL context current.
class CompareScene {
public:
    // `ownWorkspace`, when not empty, is a folder the scene's project was unpacked into; it is
    // removed with the scene.
    CompareScene(std::unique_ptr<GlobalState> project, std::filesystem::path ownWorkspace = {});
    ~CompareScene();
    CompareScene(const CompareScene&) = delete;
    CompareScene& operator=(const CompareScene&) = delete;

    // The simulation and the renderer, in the current context.
    Status prepare();
    // Takes `newer`'s project (and its own workspace) into this prepared scene, which starts
    // again from frame 1: the renderer stays, so an edit costs no new programs, only the
    // textures read again.
    void adopt(CompareScene&& newer);
    bool prepared() const { return renderer_ != nullptr; }
    // Steps the run until it stands where the view's run stands (`frame`, as
    // Simulation::currentFrame counts): from a restart when it is ahead. A run of another
    // length stops at its own loop point instead of running on forever.
    void follow(std::uint32_t frame);
    // Its view frame into `framebuffer` (width x height) seen from `pose`.
    void draw(std::uint32_t framebuffer, int width, int height, const ViewCameraPose& pose);

    std::uint32_t currentFrame() const { return simulation_ ? simulation_->currentFrame() : 1; }
    const GlobalState& state() const { return *g_; }

private:
    std::unique_ptr<GlobalState> g_;
    std::filesystem::path ownWorkspace_;
    std::unique_ptr<Simulation> simulation_;
    std::unique_ptr<Renderer> renderer_;
    std::uint32_t randomState_ = 1;
};

// The project of a "next seed" comparison: a copy of `g` whose seed is one on, as Remake would
// make it.
std::unique_ptr<GlobalState> nextSeedCopy(const GlobalState& g);

} // namespace vintrel
