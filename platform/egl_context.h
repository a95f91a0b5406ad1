#pragma once

#include "platform/result.h"

#include <memory>
#include <string>

namespace vintrel {

// An OpenGL 3.3 core context without a window, for export, the command line and the tests.
// It tries, in order, Mesa's surfaceless platform (software rendering when there is no GPU)
// and the EGL device platform (a GPU without a display server). Drawing goes to framebuffer
// objects; the context has no default framebuffer.
class HeadlessGlContext {
public:
    // Creates the context and makes it current on the calling thread; fails when no platform
    // gives one.
    static Result<std::unique_ptr<HeadlessGlContext>> create();
    ~HeadlessGlContext();
    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

    bool makeCurrent();

private:
    HeadlessGlContext() = default;
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vintrel
