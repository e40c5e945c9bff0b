// The window layer: placing and opening the one window, its handler slots, the event
// loop, repaint requests and the error box.
#include "window.h"

#include <cstdarg>
#include <cstdio>

#include "pixel_format.h"
#include "platform.h"
#include "window_palette.h"

WindowState windowState = InitialWindowState;
WindowHandlers windowHandlers;

void wndSetDisplayMode(std::uint32_t mode) {
    windowState.displayMode = mode;
}

void wndSetPosition(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (x == INT32_MIN) {
        windowState.defaultPosition = 1;
        x = 0;
        y = 0;
    } else {
        windowState.defaultPosition = 0;
    }
    FrameMetrics m{};
    platformGetFrameMetrics(m);
    // The caller names the outer corner; we keep the client area's corner. Computed wide
    // so that a corner near the edge of the 32-bit range cannot overflow.
    const std::int64_t clientX = std::int64_t{x} + m.frameWidth;
    const std::int64_t clientY = std::int64_t{y} + m.captionHeight - m.borderHeight + m.frameHeight;
    windowState.x = static_cast<std::int32_t>(clientX > INT32_MAX ? INT32_MAX : clientX);
    windowState.y = static_cast<std::int32_t>(clientY > INT32_MAX ? INT32_MAX : clientY);
    windowState.width = width;
    windowState.height = height;
}

unsigned long handleDigits(const void* handle) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(handle) & 0xFFFFFFFFu);
}

std::int32_t systemColorCountFor(std::int32_t platformId, std::int32_t major, std::int32_t minor) {
    return platformId == 2 && major == 3 && (minor == 5 || minor == 51) ? 21 : 25;
}

namespace {

// Failures once the window exists end here: the teardown releases what exists and
// queues the quit request.
int failOpen() {
    wndDestroy(windowState.window);
    return 0;
}

} // namespace

int wndOpen(const char* title) {
    PlatformVersion version{};
    platformGetVersion(version);
    windowState.systemColorCount =
        systemColorCountFor(version.platformId, version.major, version.minor);

    if (!platformRegisterClass(WindowClassName)) {
        reportError("Failed to register window class\n");
        return 0;
    }

    const WindowPlacement placement = {windowState.x, windowState.y, windowState.width,
                                       windowState.height, windowState.defaultPosition};
    windowState.window = platformCreateWindow(title != nullptr ? title : "", placement);
    if (windowState.window == nullptr) {
        reportError("create window failed\n");
        return 0;
    }
    if (windowState.defaultPosition) {
        platformGetClientPosition(windowState.window, windowState.x, windowState.y);
    }

    windowState.dc = platformGetSurface(windowState.window);
    if (windowState.dc == nullptr) {
        reportError("Could not get an HDC for window 0x%08lX\n", handleDigits(windowState.window));
        return failOpen();
    }
    platformShowWindow(windowState.window);

    if (!setupPixelFormat(windowState.dc, windowState.displayMode)) {
        return failOpen();
    }
    windowState.context = platformCreateContext(windowState.dc);
    if (windowState.context == nullptr) {
        reportError("wglCreateContext Failed\n");
        return failOpen();
    }
    if (!platformMakeCurrent(windowState.dc, windowState.context)) {
        reportError("wglMakeCurrent Failed\n");
        return failOpen();
    }
    return 1;
}

void wndSetReshapeHandler(ReshapeSlot fn) {
    windowHandlers.reshapeHandler = fn;
}
void wndSetPaintHandler(PaintSlot fn) {
    windowHandlers.paintHandler = fn;
}
void wndSetKeyHandler(KeySlot fn) {
    windowHandlers.keyHandler = fn;
}
void wndSetMousePressHandler(MouseSlot fn) {
    windowHandlers.mousePressHandler = fn;
}
void wndSetMouseReleaseHandler(MouseSlot fn) {
    windowHandlers.mouseReleaseHandler = fn;
}
void wndSetMouseMotionHandler(MouseSlot fn) {
    windowHandlers.mouseMotionHandler = fn;
}
void wndSetIdleHandler(IdleSlot fn) {
    windowHandlers.idleHandler = fn;
}

void wndRun() {
    // With no window nothing could ever arrive but a quit request that a failed opening
    // left; without one the wait would never end.
    if (windowState.window == nullptr) {
        platformDiscardQuit();
        return;
    }
    if (windowHandlers.reshapeHandler != nullptr) {
        std::int32_t width = 0;
        std::int32_t height = 0;
        platformGetClientSize(windowState.window, width, height);
        windowHandlers.reshapeHandler(width, height);
    }
    for (;;) {
        if (windowHandlers.idleHandler != nullptr) {
            // Every waiting message goes before the next idle call.
            bool quit = false;
            while (platformPeekMessage()) {
                if (!platformPumpMessage()) {
                    quit = true;
                    break;
                }
            }
            if (quit) {
                return;
            }
            if (windowHandlers.idleHandler != nullptr) {
                windowHandlers.idleHandler();
                postDeferredPaletteRetry();
                continue;
            }
        }
        if (!platformPumpMessage()) {
            return;
        }
    }
}

int wndSwapBuffers() {
    return platformSwapBuffers(windowState.dc);
}

void wndDestroy(WindowHandle window) {
    if (window != nullptr) {
        platformDestroyWindow(window);
    }
}

void requestRepaint(WindowHandle window) {
    if (window != nullptr && !platformRepaintPending(window)) {
        platformInvalidate(window);
    }
}

void reportError(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) {
        text[0] = '\0';
    }
    platformMessageBox(text, "Error");
}
