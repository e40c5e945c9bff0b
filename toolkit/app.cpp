// The game-facing toolkit: display mode and window rectangle, opening the window with
// its single-buffer fallback, the binding tables and their dispatch, run, swap, exit.
#include "app.h"

#include <cstdio>

#include "frame_pacer.h"
#include "palette.h"
#include "platform.h"
#include "window.h"
#include "window_message.h"

KeyBinding keyBindings[MaxKeyBindings];
std::int32_t keyBindingCount;
MouseBinding mousePressBindings[MaxMouseBindings];
std::int32_t mousePressBindingCount;
MouseBinding mouseReleaseBindings[MaxMouseBindings];
std::int32_t mouseReleaseBindingCount;
MouseBinding mouseMotionBindings[MaxMouseBindings];
std::int32_t mouseMotionBindingCount;

namespace {

// Set when the single-buffer fallback was taken: drawing goes to the front buffer.
bool drawToFrontBuffer = false;

FramePacer pacer;

} // namespace

void appSetDisplayMode(std::uint32_t mode) {
    // The window layer keeps the one display mode; the fallback below reads it there.
    wndSetDisplayMode(mode);
}

void appSetWindowRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    wndSetPosition(x, y, width, height);
}

int appOpenWindow(const char* title) {
    if (!wndOpen(title)) {
        if (windowState.displayMode & MODE_DOUBLE_BUFFER) {
            return 0;
        }
        // The failed attempt tore its window down and asked the loop to quit; the second
        // attempt gets a clean queue so that the run can go on.
        platformDiscardQuit();
        appSetDisplayMode(windowState.displayMode | MODE_DOUBLE_BUFFER);
        if (!wndOpen(title)) {
            return 0;
        }
        platformMessageBox("Can't initialize a single buffer visual. Will use a double buffer "
                           "visual instead, only drawing into the front buffer.",
                           "Warning");
        drawToFrontBuffer = true;
    }
    wndSetReshapeHandler(appDefaultReshape);
    wndSetMouseReleaseHandler(appDispatchMouseRelease);
    wndSetMousePressHandler(appDispatchMousePress);
    wndSetMouseMotionHandler(appDispatchMouseMotion);
    wndSetKeyHandler(appDispatchKey);
    appBindKey(VK_ESCAPE_KEY, appExit);
    platformGlResetState();
    if (drawToFrontBuffer) {
        platformGlDrawToFront();
    }
    return 1;
}

void appSetReshapeHandler(AppReshapeHandler fn) {
    wndSetReshapeHandler(fn);
}

void appSetIdleHandler(AppHandler fn) {
    wndSetIdleHandler(fn);
}

void appBindKey(std::int32_t key, AppHandler fn) {
    if (keyBindingCount >= MaxKeyBindings) {
        std::fprintf(stderr, "appBindKey: the key table is full (%d entries); key %d not bound\n",
                     static_cast<int>(MaxKeyBindings), static_cast<int>(key));
        return;
    }
    keyBindings[keyBindingCount] = {key, fn};
    ++keyBindingCount;
}

namespace {

struct MouseTable {
    MouseBinding* entries;
    std::int32_t* count;
};

MouseTable mouseTable(std::int32_t kind) {
    switch (kind) {
    case EVENT_MOUSE_PRESS:
        return {mousePressBindings, &mousePressBindingCount};
    case EVENT_MOUSE_RELEASE:
        return {mouseReleaseBindings, &mouseReleaseBindingCount};
    case EVENT_MOUSE_MOTION:
        return {mouseMotionBindings, &mouseMotionBindingCount};
    default:
        return {nullptr, nullptr};
    }
}

// Calls, entry by entry and then button by button, every handler whose button is among
// `buttons`, each with a MouseEvent about that one button.
std::int32_t dispatchMouse(std::int32_t kind, std::int32_t x, std::int32_t y,
                           std::int32_t buttons) {
    const MouseTable table = mouseTable(kind);
    std::int32_t called = 0;
    for (std::int32_t i = 0; i < *table.count; ++i) {
        for (std::int32_t b = MOUSE_LEFT; b <= MOUSE_MIDDLE; b <<= 1) {
            if ((buttons & b) == table.entries[i].button && table.entries[i].handler) {
                MouseEvent event = {kind, {x, y, 0, b}};
                table.entries[i].handler(&event);
                called = 1;
            }
        }
    }
    return called;
}

} // namespace

int appBindMouse(std::int32_t kind, std::int32_t button, AppMouseHandler fn) {
    const MouseTable table = mouseTable(kind);
    const bool oneButton = button == MOUSE_LEFT || button == MOUSE_RIGHT || button == MOUSE_MIDDLE;
    if (table.entries == nullptr || !oneButton) {
        return 0;
    }
    if (*table.count >= MaxMouseBindings) {
        std::fprintf(stderr, "appBindMouse: the table is full (%d entries); not bound\n",
                     static_cast<int>(MaxMouseBindings));
        return 0;
    }
    table.entries[*table.count] = {button, fn};
    ++*table.count;
    return 1;
}

void appRun(AppHandler display) {
    wndSetPaintHandler(display);
    wndRun();
}

int appSwapFrame() {
    // The sleep comes before the swap, so that a frame is presented on its deadline
    // however long it took to draw; a display with vsync then shows it at the refresh
    // that follows.
    const std::int64_t wait = pacerNextWait(pacer, platformSteadyNowNs());
    if (wait > 0) {
        platformSleepNs(wait);
    }
    return wndSwapBuffers();
}

void appExit() {
    wndDestroy(windowState.window);
    platformExitProcess(0);
}

void appDefaultReshape(std::int32_t width, std::int32_t height) {
    platformGlPixelProjection(width, height);
}

std::int32_t appDispatchKey(std::int32_t key, std::int32_t /*modifiers*/) {
    std::int32_t called = 0;
    // The count is read afresh each time round: a handler may bind more keys.
    for (std::int32_t i = 0; i < keyBindingCount; ++i) {
        if (keyBindings[i].key == key && keyBindings[i].handler != nullptr) {
            keyBindings[i].handler();
            called = 1;
        }
    }
    return called;
}

std::int32_t appDispatchMousePress(std::int32_t x, std::int32_t y, std::int32_t button) {
    return dispatchMouse(EVENT_MOUSE_PRESS, x, y, button);
}

std::int32_t appDispatchMouseRelease(std::int32_t x, std::int32_t y, std::int32_t button) {
    return dispatchMouse(EVENT_MOUSE_RELEASE, x, y, button);
}

std::int32_t appDispatchMouseMotion(std::int32_t x, std::int32_t y, std::int32_t buttons) {
    return dispatchMouse(EVENT_MOUSE_MOTION, x, y, buttons);
}

void resetToolkitState() {
    keyBindingCount = 0;
    mousePressBindingCount = 0;
    mouseReleaseBindingCount = 0;
    mouseMotionBindingCount = 0;
    drawToFrontBuffer = false;
    pacer = FramePacer{};
    windowState = InitialWindowState;
    windowHandlers = WindowHandlers{};
    paletteState = PaletteState{};
    defaultPaletteColors = initialDefaultPaletteColors;
}
