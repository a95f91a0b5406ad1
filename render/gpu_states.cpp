#include "render/gpu_states.h"

#include <epoxy/gl.h>

namespace vintrel {

void GpuStates::prepareContext() {
    if (epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control")) {
        glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    }
    // OpenGL's window rows run upwards, the image rows downwards: a corner order that turns
    // counter-clockwise in the image turns clockwise here.
    glFrontFace(GL_CW);
    glEnable(GL_DEPTH_CLAMP);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_MULTISAMPLE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    setCull(CullMode::None);
    setBlend(BlendMode::Alpha);
}

void GpuStates::setCull(CullMode mode) {
    if (mode == CullMode::None) {
        glDisable(GL_CULL_FACE);
        return;
    }
    glEnable(GL_CULL_FACE);
    glCullFace(mode == CullMode::Front ? GL_FRONT : GL_BACK);
}

void GpuStates::setBlend(BlendMode mode) {
    glEnable(GL_BLEND);
    glBlendEquationSeparate(GL_FUNC_ADD, GL_FUNC_ADD);
    switch (mode) {
    case BlendMode::Alpha:
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendMode::Additive:
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendMode::Opaque:
        glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ZERO);
        break;
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void GpuStates::setDepth(Depth depth) {
    if (depth != Depth::Off) {
        glEnable(GL_DEPTH_TEST);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthFunc(GL_LESS);
    glDepthMask(depth == Depth::TestAndWrite ? GL_TRUE : GL_FALSE);
}

} // namespace vintrel
