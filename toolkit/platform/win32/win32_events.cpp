// Win32 platform, the event side: the window procedure's translation of native
// messages into neutral ones, the message queue, repaints and the mouse capture.
#include <cstdio>

#include "platform.h"
#include "win32_platform.h"

#include <windowsx.h>

namespace {

PAINTSTRUCT paint;

std::int32_t heldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
           ((wParam & MK_MBUTTON) ? 4 : 0);
}

// Client coordinates are signed: while the mouse is captured, a pointer left of or
// above the window is at a negative x or y, not at 65535 and the like.
WindowMessage mouse(WindowMessageKind kind, LPARAM lParam, std::int32_t buttons) {
    return {kind, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), buttons};
}

} // namespace

std::int32_t win32KeyModifiers() {
    // The high bit says that the key is down; the low one only that it toggled.
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    return (shift ? KEY_MOD_SHIFT : 0) | (ctrl ? KEY_MOD_CTRL : 0);
}

WindowMessage win32Translate(HWND self, UINT message, WPARAM wParam, LPARAM lParam,
                             std::int32_t modifiers) {
    switch (message) {
    case WM_DESTROY:
        return {WmDestroy, 0, 0, 0};
    case WM_MOVE:
        // A window on a screen left of or above the main one is at negative coordinates.
        return {WmMove, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0};
    case WM_SIZE:
        return {WmSize, LOWORD(lParam), HIWORD(lParam), 0};
    case WM_ACTIVATE:
        return {WmActivate, LOWORD(wParam) != WA_INACTIVE ? 1 : 0, HIWORD(wParam) != 0 ? 1 : 0, 0};
    case WM_PAINT:
        return {WmPaint, 0, 0, 0};
    case WM_CLOSE:
        return {WmClose, 0, 0, 0};
    case WM_SYSCOLORCHANGE:
        return {WmSysColorChange, 0, 0, 0};
    case WM_KEYDOWN:
        return {WmKeyDown, static_cast<std::int32_t>(wParam), modifiers, 0};
    case WM_SYSKEYDOWN:
        return {WmSysKeyDown, static_cast<std::int32_t>(wParam), modifiers, 0};
    case WM_CHAR:
        return {WmChar, static_cast<std::int32_t>(wParam), modifiers, 0};
    case WM_MOUSEMOVE:
        return mouse(WmMouseMove, lParam, heldButtons(wParam));
    case WM_LBUTTONDOWN:
        return mouse(WmButtonDown, lParam, 1);
    case WM_RBUTTONDOWN:
        return mouse(WmButtonDown, lParam, 2);
    case WM_MBUTTONDOWN:
        return mouse(WmButtonDown, lParam, 4);
    case WM_LBUTTONUP:
        return mouse(WmButtonUp, lParam, 1);
    case WM_RBUTTONUP:
        return mouse(WmButtonUp, lParam, 2);
    case WM_MBUTTONUP:
        return mouse(WmButtonUp, lParam, 4);
    case WM_QUERYNEWPALETTE:
        return {WmQueryNewPalette, 0, 0, 0};
    case WM_PALETTECHANGED:
        return {WmPaletteChanged, 0, 0, reinterpret_cast<HWND>(wParam) == self ? 1 : 0};
    case WM_USER:
        return {WmUser, 0, 0, 0};
    default:
        // WM_SYSCOMMAND among them: the default handling turns the close box into
        // WM_CLOSE and Alt with a key into the window menu.
        return {WmOther, 0, 0, 0};
    }
}

LRESULT CALLBACK win32WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool key = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR;
    const WindowMessage msg =
        win32Translate(window, message, wParam, lParam, key ? win32KeyModifiers() : 0);
    const WindowProcResult result = windowProc(msg);
    if (result.useDefault) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return static_cast<LRESULT>(result.value);
}

int platformPeekMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) ? 1 : 0;
}

int platformPumpMessage() {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) {
        // Nothing more can be read from the queue: asking again would only spin.
        std::fprintf(stderr, "The message queue cannot be read (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return 0;
    }
    if (got == 0) {
        return 0; // the quit request
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return 1;
}

void platformPostQuit(std::int32_t code) {
    PostQuitMessage(code);
}

void platformDiscardQuit() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

int platformRepaintPending(WindowHandle window) {
    MSG msg;
    return PeekMessageA(&msg, static_cast<HWND>(window), WM_PAINT, WM_PAINT, PM_NOREMOVE) ? 1 : 0;
}

void platformInvalidate(WindowHandle window) {
    InvalidateRect(static_cast<HWND>(window), nullptr, FALSE);
}

void platformBeginPaint(WindowHandle window) {
    BeginPaint(static_cast<HWND>(window), &paint);
}

void platformEndPaint(WindowHandle window) {
    EndPaint(static_cast<HWND>(window), &paint);
}

void platformCaptureMouse(WindowHandle window) {
    SetCapture(static_cast<HWND>(window));
}

void platformReleaseMouse() {
    ReleaseCapture();
}
