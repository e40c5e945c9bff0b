// The little GL state the app layer sets itself, for every platform that binds the
// system's OpenGL library (sdl2, and win32 later).
#if defined(_WIN32)
#include <windows.h>
#endif
#if defined(__APPLE__)
#include <OpenGL/gl.h>
#else
#include <GL/gl.h>
#endif

#include "platform.h"

void platformGlResetState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearIndex(0.0f);
    glLoadIdentity();
}

void platformGlDrawToFront() {
    glDrawBuffer(GL_FRONT);
}

void platformGlPixelProjection(std::int32_t width, std::int32_t height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Left 0 to right `width`, bottom 0 to top `height`: one unit a pixel.
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0); // NOLINT(readability-suspicious-call-argument)
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
