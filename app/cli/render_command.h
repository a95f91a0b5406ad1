#pragma once

#include "model/global_state.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace vintrel {

class HeadlessGlContext;
class Renderer;
class Simulation;

// What the drawing commands need: a headless OpenGL context, the project's simulation (reset)
// and the renderer, made in that order and destroyed in the reverse one.
struct HeadlessScene {
    HeadlessScene();
    ~HeadlessScene();
    std::unique_ptr<HeadlessGlContext> context;
    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<Renderer> renderer;
};

// Null, after a message on `err`, when there is no OpenGL to draw with.
std::unique_ptr<HeadlessScene> openHeadlessScene(GlobalState& g, std::ostream& err);

struct ImageSize {
    int width = 0;
    int height = 0;
};

// "WxH" with both sides 1..16384, or nothing.
std::optional<ImageSize> parseImageSize(const std::string& text);

// Draws the view of effect frame `frame` (1 = the first) off-screen, as the editor's view
// shows it with the saved camera while it plays (one view frame after every step), and writes
// it as a PNG. `size` defaults to the project's
// output size. Returns the exit code: 0, or 1 after a message on `err`.
int renderViewToPng(GlobalState& g, long long frame, std::optional<ImageSize> size, const std::string& output,
                    std::ostream& err);

} // namespace vintrel
