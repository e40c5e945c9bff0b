// The offscreen GL context of the render tests.
#include "gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

namespace {

bool hasExtension(const char* list, const char* name) {
    return list != nullptr &&
           (" " + std::string(list) + " ").find(" " + std::string(name) + " ") != std::string::npos;
}

std::string eglFailure(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

} // namespace

OffscreenGl::OffscreenGl(int width, int height) : width_(width), height_(height) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        error_ = "EGL has no surfaceless platform (is Mesa's libegl-mesa0 installed?)";
        return;
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        error_ = "eglGetPlatformDisplayEXT is missing";
        return;
    }
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        error_ = eglFailure("eglInitialize");
        return;
    }
    display_ = display;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error_ = eglFailure("eglBindAPI(EGL_OPENGL_API)");
        return;
    }

    // The game asks for a 16-bit depth buffer; a config may give more.
    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE,
        EGL_PBUFFER_BIT,
        EGL_RENDERABLE_TYPE,
        EGL_OPENGL_BIT,
        EGL_RED_SIZE,
        8,
        EGL_GREEN_SIZE,
        8,
        EGL_BLUE_SIZE,
        8,
        EGL_ALPHA_SIZE,
        8,
        EGL_DEPTH_SIZE,
        16,
        EGL_NONE,
    };
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
        error_ = eglFailure("eglChooseConfig (RGBA8 + depth pbuffer)");
        return;
    }

    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) {
        error_ = eglFailure("eglCreatePbufferSurface");
        return;
    }
    surface_ = surface;

    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        error_ = eglFailure("eglCreateContext");
        return;
    }
    context_ = context;

    if (!eglMakeCurrent(display, surface, surface, context)) {
        error_ = eglFailure("eglMakeCurrent");
        return;
    }
    ok_ = true;
}

OffscreenGl::~OffscreenGl() {
    if (display_ == nullptr) {
        return;
    }
    EGLDisplay display = display_;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != nullptr) {
        eglDestroyContext(display, context_);
    }
    if (surface_ != nullptr) {
        eglDestroySurface(display, surface_);
    }
    // The display stays initialised: terminating it would unload Mesa's driver, and
    // the next context in the same test would load it anew.
}

Pixels Pixels::read(int width, int height) {
    Pixels p;
    p.width_ = width;
    p.height_ = height;
    p.rgba_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, p.rgba_.data());
    return p;
}

Rgb Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {0, 0, 0};
    }
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(x)) *
                          4;
    return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
}
