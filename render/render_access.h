#pragma once

#include <functional>

namespace vintrel {

class Renderer;

// A way to run drawing work with a renderer whose OpenGL context is current: the editor's view
// lends its own (an export, a preview still), which only one thread may use at a time.
class RenderAccess {
public:
    using Task = std::function<void(Renderer& renderer)>;
    virtual ~RenderAccess() = default;
    // Runs `task` on the calling thread with the context current; false when there is no
    // context or no renderer could be made.
    virtual bool renderNow(const Task& task) = 0;
};

} // namespace vintrel
