// toolkit-demo: a window on the toolkit that shows the keys it gets. The arrows move a
// square, g and G change the background, space switches between filled and outlined,
// Return puts the square back; Escape ends the program.
//   toolkit-demo [--rect X Y WIDTH HEIGHT] [--mode N] [--log FILE]
// With --log, every key code, mouse button (kind, button, x, y), reshape and the end of
// the loop is written to FILE, one a line, for the tests that drive the window from outside.
#if defined(__APPLE__)
#include <OpenGL/gl.h>
#else
#include <GL/gl.h>
#endif

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app.h"

namespace {

std::FILE* logFile;
int squareX = 40;
int squareY = 40;
int colourIndex;
bool outlined;

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
void logLine(const char* format, ...) {
    if (logFile != nullptr) {
        va_list args;
        va_start(args, format);
        std::vfprintf(logFile, format, args);
        va_end(args);
        std::fflush(logFile);
    }
}

void drawFrame() {
    static const float backgrounds[4][3] = {
        {0.1f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.1f}, {0.1f, 0.3f, 0.1f}, {0.3f, 0.3f, 0.1f}};
    const float* bg = backgrounds[colourIndex % 4];
    glClearColor(bg[0], bg[1], bg[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, outlined ? GL_LINE : GL_FILL);
    glColor3f(1.0f, 0.8f, 0.2f);
    glRectf(static_cast<float>(squareX), static_cast<float>(squareY),
            static_cast<float>(squareX + 40), static_cast<float>(squareY + 40));
    appSwapFrame();
}

void reshape(std::int32_t width, std::int32_t height) {
    logLine("reshape %d %d\n", width, height);
    appDefaultReshape(width, height);
}

void noPaint() {}

// One handler for every bound key; it learns the code from the binding it was called for.
template <int Key> void onKey() {
    logLine("key %d\n", Key);
    switch (Key) {
    case 37:
        squareX -= 10;
        break;
    case 39:
        squareX += 10;
        break;
    case 38:
        squareY += 10;
        break;
    case 40:
        squareY -= 10;
        break;
    case 32:
        outlined = !outlined;
        break;
    case 13:
        squareX = 40;
        squareY = 40;
        break;
    case 'g':
    case 'G':
        ++colourIndex;
        break;
    default:
        break;
    }
}

template <int... Keys> void bindAll(std::integer_sequence<int, Keys...>) {
    (appBindKey(Keys + 1, onKey<Keys + 1>), ...);
}

void onMouse(MouseEvent* e) {
    logLine("mouse %d %d %d %d\n", e->kind, e->data[3], e->data[0], e->data[1]);
}

} // namespace

int main(int argc, char** argv) {
    std::int32_t rect[4] = {APP_DEFAULT_POSITION, 0, 320, 240};
    std::uint32_t mode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rect") == 0 && i + 4 < argc) {
            for (int k = 0; k < 4; ++k) {
                rect[k] = static_cast<std::int32_t>(std::strtol(argv[++i], nullptr, 10));
            }
        } else if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc) {
            mode = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--log") == 0 && i + 1 < argc) {
            logFile = std::fopen(argv[++i], "w");
            if (logFile == nullptr) {
                std::perror(argv[i]);
                return 2;
            }
        } else {
            std::fprintf(stderr, "usage: toolkit-demo [--rect X Y W H] [--mode N] [--log FILE]\n");
            return 2;
        }
    }
    appSetDisplayMode(mode);
    appSetWindowRect(rect[0], rect[1], rect[2], rect[3]);
    if (!appOpenWindow("Toolkit demo")) {
        return 1;
    }
    appSetIdleHandler(drawFrame);
    appSetReshapeHandler(reshape);
    // Every code from 1 to 199, filling the table, so that anything the toolkit wrongly
    // lets through shows in the log; Escape's own binding comes first and ends the
    // program.
    bindAll(std::make_integer_sequence<int, MaxKeyBindings - 1>{});
    for (std::int32_t button : {MOUSE_LEFT, MOUSE_RIGHT, MOUSE_MIDDLE}) {
        appBindMouse(EVENT_MOUSE_PRESS, button, onMouse);
        appBindMouse(EVENT_MOUSE_RELEASE, button, onMouse);
    }
    appRun(noPaint);
    logLine("run returned 0\n");
    if (logFile != nullptr) {
        std::fclose(logFile);
    }
    return 0;
}
