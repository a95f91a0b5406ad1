#include "app/cli/render_command.h"

#include "app/cli/cli_language.h"
#include "engine/simulation.h"
#include "output/backdrop_picture.h"
#include "output/export_settings.h"
#include "output/image_outputs.h"
#include "platform/egl_context.h"
#include "render/render_target.h"
#include "render/renderer.h"

#include <charconv>

namespace vintrel {

namespace {

std::optional<int> parseSide(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxExportSide) {
        return std::nullopt;
    }
    return value;
}

// What the project's view shows behind the effect. A picture that cannot be read is reported
// and the background colour shows, as in the editor.
void showBackdrop(const GlobalState& g, Renderer& renderer, std::ostream& err) {
    if (!g.backdrop.usesFile()) {
        renderer.setBackdrop(g.backdrop.kind, QImage());
        return;
    }
    Result<QImage> picture = backdropPicture(g.backdrop, g.workspace);
    if (!picture) {
        err << "vintrel-cli: " << cliText(picture.error()) << '\n';
        return;
    }
    renderer.setBackdrop(g.backdrop.kind, std::move(picture).value());
}

} // namespace

HeadlessScene::HeadlessScene() = default;

HeadlessScene::~HeadlessScene() {
    renderer.reset();
    simulation.reset();
    context.reset();
}

std::unique_ptr<HeadlessScene> openHeadlessScene(GlobalState& g, std::ostream& err) {
    auto scene = std::make_unique<HeadlessScene>();
    Result<std::unique_ptr<HeadlessGlContext>> context = HeadlessGlContext::create();
    if (!context) {
        err << "vintrel-cli: cannot draw: " << cliText(context.error()) << '\n';
        return nullptr;
    }
    scene->context = std::move(context).value();
    scene->simulation = std::make_unique<Simulation>(g);
    scene->simulation->reset();
    Result<std::unique_ptr<Renderer>> renderer = Renderer::create(g, *scene->simulation, g.viewCamera);
    if (!renderer) {
        err << "vintrel-cli: cannot draw: " << cliText(renderer.error()) << '\n';
        return nullptr;
    }
    scene->renderer = std::move(renderer).value();
    return scene;
}

std::optional<ImageSize> parseImageSize(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return std::nullopt;
    }
    const auto width = parseSide(std::string_view(text).substr(0, x));
    const auto height = parseSide(std::string_view(text).substr(x + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return ImageSize{*width, *height};
}

int renderViewToPng(GlobalState& g, long long frame, std::optional<ImageSize> size, const std::string& output,
                    std::ostream& err) {
    if (!size) {
        if (g.project.width < 1 || g.project.height < 1 || g.project.width > kMaxExportSide ||
            g.project.height > kMaxExportSide) {
            err << "vintrel-cli: the project's size " << g.project.width << "x" << g.project.height
                << " cannot be drawn; give --size WxH\n";
            return 1;
        }
        size = ImageSize{g.project.width, g.project.height};
    }
    const auto scene = openHeadlessScene(g, err);
    if (scene == nullptr) {
        return 1;
    }
    RenderTarget target;
    if (!target.create(size->width, size->height)) {
        err << "vintrel-cli: the driver cannot draw an image of " << size->width << "x" << size->height
            << '\n';
        return 1;
    }
    scene->renderer->setViewSize(size->width, size->height);
    showBackdrop(g, *scene->renderer, err);
    // A view frame after every step, as the editor's view plays the effect: with sorting on,
    // each drawing orders the list by camera distance, and the next step walks it in that order.
    for (long long i = 0; i < frame; ++i) {
        scene->simulation->step();
        scene->renderer->renderViewFrame(target.framebuffer(), MouseSample{}, 0);
    }
    if (Status written = writeImageFile(target.read(), ImageFormat::Png, true, output); !written) {
        err << "vintrel-cli: " << cliText(written.error()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace vintrel
