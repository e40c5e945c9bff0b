// The offscreen GL context of the render tests.
#include "gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

std::string eglFailure(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

// Makes a context current on a pbuffer of the size; returns what failed, or nothing.
std::string makeCurrent(int width, int height, void*& display, void*& surface, void*& context) {
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (extensions == nullptr ||
        std::strstr(extensions, "EGL_MESA_platform_surfaceless") == nullptr ||
        getPlatformDisplay == nullptr) {
        return "EGL has no surfaceless platform (is Mesa's libegl-mesa0 installed?)";
    }
    EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (d == EGL_NO_DISPLAY || !eglInitialize(d, nullptr, nullptr)) {
        return eglFailure("eglInitialize");
    }
    display = d;
    // The game asks for a 16-bit depth buffer; a config may give more.
    // clang-format off
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
        EGL_OPENGL_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_DEPTH_SIZE, 16, EGL_NONE};
    // clang-format on
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglBindAPI(EGL_OPENGL_API) ||
        !eglChooseConfig(d, configAttributes, &config, 1, &configCount) || configCount < 1) {
        return eglFailure("Choosing desktop GL with an RGBA8 + depth pbuffer");
    }
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(d, config, size);
    context = surface == EGL_NO_SURFACE ? EGL_NO_CONTEXT
                                        : eglCreateContext(d, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(d, surface, surface, context)) {
        return eglFailure("Making a pbuffer and a context current");
    }
    return "";
}

} // namespace

OffscreenGl::OffscreenGl(int width, int height)
    : width_(width), height_(height),
      error_(makeCurrent(width, height, display_, surface_, context_)) {}

OffscreenGl::~OffscreenGl() {
    if (display_ == nullptr) {
        return;
    }
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) {
        eglDestroyContext(display_, context_);
    }
    if (surface_ != EGL_NO_SURFACE) {
        eglDestroySurface(display_, surface_);
    }
    // The display stays initialised: terminating it would unload Mesa's driver, and
    // the next context in the same test would load it anew.
}

Pixels Pixels::read(int width, int height) {
    Pixels p;
    p.width_ = width;
    p.height_ = height;
    p.rgba_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, p.rgba_.data());
    return p;
}

Rgb Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {0, 0, 0};
    }
    const std::size_t i = 4 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                               static_cast<std::size_t>(x));
    return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
}
