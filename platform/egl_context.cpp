#include "platform/egl_context.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>
#include <vector>

namespace vintrel {

struct HeadlessGlContext::State {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
};

namespace {

bool hasClientExtension(const char* name) {
    const char* list = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    return list != nullptr && epoxy_extension_in_string(list, name);
}

EGLDisplay surfacelessDisplay() {
    if (!hasClientExtension("EGL_MESA_platform_surfaceless")) {
        return EGL_NO_DISPLAY;
    }
    return eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

EGLDisplay deviceDisplay() {
    if (!hasClientExtension("EGL_EXT_platform_device") || !hasClientExtension("EGL_EXT_device_enumeration")) {
        return EGL_NO_DISPLAY;
    }
    EGLint count = 0;
    if (!eglQueryDevicesEXT(0, nullptr, &count) || count <= 0) {
        return EGL_NO_DISPLAY;
    }
    std::vector<EGLDeviceEXT> devices(static_cast<std::size_t>(count));
    if (!eglQueryDevicesEXT(count, devices.data(), &count) || count <= 0) {
        return EGL_NO_DISPLAY;
    }
    return eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[0], nullptr);
}

EGLContext createCoreContext(EGLDisplay display) {
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return EGL_NO_CONTEXT;
    }
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                                 3,
                                 EGL_CONTEXT_MINOR_VERSION,
                                 3,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                 EGL_NONE};
    // No config: the context only ever draws into framebuffer objects.
    return eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
}

} // namespace

Result<std::unique_ptr<HeadlessGlContext>> HeadlessGlContext::create() {
    for (EGLDisplay display : {surfacelessDisplay(), deviceDisplay()}) {
        if (display == EGL_NO_DISPLAY) {
            continue;
        }
        EGLint major = 0;
        EGLint minor = 0;
        if (!eglInitialize(display, &major, &minor)) {
            continue;
        }
        const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
        if (extensions == nullptr || !epoxy_extension_in_string(extensions, "EGL_KHR_surfaceless_context") ||
            !epoxy_extension_in_string(extensions, "EGL_KHR_no_config_context")) {
            eglTerminate(display);
            continue;
        }
        EGLContext context = createCoreContext(display);
        if (context == EGL_NO_CONTEXT) {
            eglTerminate(display);
            continue;
        }
        std::unique_ptr<HeadlessGlContext> result(new HeadlessGlContext());
        result->state_ = std::make_unique<State>();
        result->state_->display = display;
        result->state_->context = context;
        if (!result->makeCurrent()) {
            return Message{"the OpenGL 3.3 context cannot be made current"};
        }
        return result;
    }
    return Message{"no EGL platform gives an OpenGL 3.3 core context (surfaceless Mesa or an EGL device)"};
}

HeadlessGlContext::~HeadlessGlContext() {
    if (state_ == nullptr) {
        return;
    }
    eglMakeCurrent(state_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(state_->display, state_->context);
    // The display stays initialised: EGL gives every caller the same display for the same
    // platform, so terminating it here would pull it from under other contexts.
}

bool HeadlessGlContext::makeCurrent() {
    return eglMakeCurrent(state_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, state_->context) == EGL_TRUE;
}

} // namespace vintrel
