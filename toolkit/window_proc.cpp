// The window procedure: what each neutral message does to the window state and which
// handler it reaches, key and character translation, and the teardown.
#include "window_message.h"

#include "palette.h"
#include "platform.h"
#include "platform_palette.h"
#include "window_palette.h"

std::int32_t translateKey(std::int32_t virtualKey) {
    switch (virtualKey) {
    case VK_RETURN_KEY:
    case VK_ESCAPE_KEY:
    case VK_SPACE_KEY:
    case VK_LEFT_KEY:
    case VK_UP_KEY:
    case VK_RIGHT_KEY:
    case VK_DOWN_KEY:
        return virtualKey;
    default:
        return 0;
    }
}

std::int32_t translateChar(std::int32_t character) {
    const bool digit = character >= '0' && character <= '9';
    const bool upper = character >= 'A' && character <= 'Z';
    const bool lower = character >= 'a' && character <= 'z';
    return digit || upper || lower ? character : 0;
}

namespace {

constexpr WindowProcResult Default = {1, 0};

WindowProcResult handled(std::intptr_t value) {
    return {0, value};
}

// Releases the palette, the context and the surface in that order and empties every
// handler slot, so that a running loop falls through to the quit request.
void teardown() {
    WindowState& w = windowState;
    releaseWindowPalette();
    if (w.context != nullptr) {
        platformMakeCurrent(w.dc, nullptr);
        platformDeleteContext(w.context);
    }
    if (w.dc != nullptr) {
        platformReleaseSurface(w.window, w.dc);
    }
    w.window = nullptr;
    w.dc = nullptr;
    w.context = nullptr;
    w.palette = nullptr;
    windowHandlers = WindowHandlers{};
}

// A handler that says the picture changed gets a repaint.
void repaintIf(std::int32_t changed) {
    if (changed) {
        requestRepaint(windowState.window);
    }
}

void deliverKey(std::int32_t code, std::int32_t modifiers) {
    if (code != 0 && windowHandlers.keyHandler != nullptr) {
        repaintIf(windowHandlers.keyHandler(code, modifiers & (KEY_MOD_SHIFT | KEY_MOD_CTRL)));
    }
}

void deliverMouse(MouseSlot handler, const WindowMessage& msg) {
    if (handler != nullptr) {
        repaintIf(handler(msg.a, msg.b, msg.c));
    }
}

WindowProcResult activate(const WindowMessage& msg) {
    WindowState& w = windowState;
    if (msg.a == 0) {
        if (w.palette != nullptr && realizeWindowPalette(w.dc, w.palette, 1) > 0) {
            requestRepaint(w.window);
        }
        return Default;
    }
    if (msg.b != 0 || w.palette == nullptr) {
        return Default;
    }
    if (realizeWindowPalette(w.dc, w.palette, 0) > 0) {
        requestRepaint(w.window);
    }
    return handled(1);
}

} // namespace

WindowProcResult windowProc(const WindowMessage& msg) {
    WindowState& w = windowState;
    WindowHandlers& h = windowHandlers;
    switch (msg.kind) {
    case WmDestroy:
        teardown();
        platformPostQuit(1);
        return handled(0);
    case WmMove:
        w.x = msg.a;
        w.y = msg.b;
        return handled(0);
    case WmSize:
        w.width = msg.a;
        w.height = msg.b;
        if (h.reshapeHandler != nullptr) {
            h.reshapeHandler(msg.a, msg.b);
            requestRepaint(w.window);
        }
        return handled(0);
    case WmActivate:
        return activate(msg);
    case WmPaint:
        platformBeginPaint(w.window);
        if (h.paintHandler != nullptr) {
            h.paintHandler();
        }
        platformEndPaint(w.window);
        return handled(0);
    case WmClose:
        wndDestroy(w.window);
        return handled(0);
    case WmSysColorChange:
        rebuildWindowPalette();
        return Default;
    case WmKeyDown:
        deliverKey(translateKey(msg.a), msg.b);
        return handled(0);
    case WmChar:
        deliverKey(translateChar(msg.a), msg.b);
        return handled(0);
    case WmMouseMove:
        deliverMouse(h.mouseMotionHandler, msg);
        return handled(0);
    case WmButtonDown:
        platformCaptureMouse(w.window);
        deliverMouse(h.mousePressHandler, msg);
        return handled(0);
    case WmButtonUp:
        platformReleaseMouse();
        deliverMouse(h.mouseReleaseHandler, msg);
        return handled(0);
    case WmQueryNewPalette:
        return handled(1);
    case WmPaletteChanged:
        if (msg.c == 0 && !paletteState.systemColorsTaken && w.palette != nullptr &&
            platformSelectPalette(w.dc, w.palette, 1) != nullptr) {
            platformRealizePalette(w.dc);
        }
        return handled(0);
    case WmUser:
        if (w.palette != nullptr && realizeWindowPalette(w.dc, w.palette, 0) > 0) {
            requestRepaint(w.window);
        }
        return handled(0);
    case WmSysKeyDown:
    case WmOther:
        break;
    }
    return Default;
}
