#include "render/compare_scene.h"

#include "engine/random_scope.h"

namespace vintrel {

namespace {

void removeFolder(const std::filesystem::path& folder) {
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

} // namespace

CompareScene::CompareScene(std::unique_ptr<GlobalState> project, std::filesystem::path ownWorkspace)
    : g_(std::move(project)), ownWorkspace_(std::move(ownWorkspace)) {}

CompareScene::~CompareScene() {
    renderer_.reset();
    simulation_.reset();
    removeFolder(ownWorkspace_);
}

Status CompareScene::prepare() {
    const RandomScope own(randomState_);
    simulation_ = std::make_unique<Simulation>(*g_);
    simulation_->reset();
    Result<std::unique_ptr<Renderer>> made = Renderer::create(*g_, *simulation_, g_->viewCamera);
    if (!made) {
        simulation_.reset();
        return made.error();
    }
    renderer_ = std::move(made).value();
    return {};
}

void CompareScene::adopt(CompareScene&& newer) {
    // The particles go before the nodes they were made from.
    simulation_->clear();
    copyProject(*newer.g_, *g_);
    g_->showGuide = newer.g_->showGuide;
    removeFolder(std::exchange(ownWorkspace_, std::exchange(newer.ownWorkspace_, {})));
    randomState_ = 1;
    const RandomScope own(randomState_);
    simulation_->reset();
    renderer_->reloadMaterials();
}

void CompareScene::follow(std::uint32_t frame) {
    if (!simulation_) {
        return;
    }
    const RandomScope own(randomState_);
    if (simulation_->currentFrame() > frame) {
        simulation_->reset();
    }
    while (simulation_->currentFrame() < frame) {
        if (simulation_->step() != 0) {
            break; // it looped: this run is shorter than the view's
        }
    }
}

void CompareScene::draw(std::uint32_t framebuffer, int width, int height, const ViewCameraPose& pose) {
    if (!renderer_) {
        return;
    }
    g_->cameraHandover.request(pose);
    renderer_->setViewSize(width, height);
    renderer_->renderViewFrame(framebuffer, MouseSample{}, 0);
}

std::unique_ptr<GlobalState> nextSeedCopy(const GlobalState& g) {
    auto copy = std::make_unique<GlobalState>();
    copyProject(g, *copy);
    copy->showGuide = g.showGuide;
    copy->project.randomSeed = nextRandomSeed(g.project.randomSeed);
    return copy;
}

} // namespace vintrel
