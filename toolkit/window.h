// The window layer: the state of the program's one window, its handler slots, opening
// and placing it, the event loop and the error box. Platforms only translate for it.
#pragma once

#include <cstdint>

// Opaque handles; each platform says what they point to.
using WindowHandle = void*;
using SurfaceHandle = void*; // the drawing surface (a device context on Win32)
using ContextHandle = void*; // the GL rendering context
using PaletteHandle = void*;

struct WindowState {
    std::int32_t x; // screen position of the client area's top-left corner
    std::int32_t y;
    std::int32_t width; // client-area size in pixels
    std::int32_t height;
    std::uint32_t displayMode;
    std::int32_t defaultPosition; // 1: the platform chooses where the window goes
    WindowHandle window;
    SurfaceHandle dc;              // held from creation to teardown
    ContextHandle context;         // current on the loop's thread while the window is open
    PaletteHandle palette;         // only on displays that need one
    std::int32_t systemColorCount; // system colour elements changed and restored
};

// Values of a fresh process.
constexpr WindowState InitialWindowState = {0,       0,       100,     100,     1, 1,
                                            nullptr, nullptr, nullptr, nullptr, 25};

extern WindowState windowState;

using ReshapeSlot = void (*)(std::int32_t width, std::int32_t height);
using PaintSlot = void (*)();
using KeySlot = std::int32_t (*)(std::int32_t key, std::int32_t modifiers);
using MouseSlot = std::int32_t (*)(std::int32_t x, std::int32_t y, std::int32_t buttons);
using IdleSlot = void (*)();

// Null when unset. A nonzero result of a key or mouse handler means the picture changed.
struct WindowHandlers {
    ReshapeSlot reshapeHandler;
    PaintSlot paintHandler;
    KeySlot keyHandler;
    MouseSlot mousePressHandler;
    MouseSlot mouseReleaseHandler;
    MouseSlot mouseMotionHandler;
    IdleSlot idleHandler;
};

extern WindowHandlers windowHandlers;

// Modifier bits passed with a key.
constexpr std::int32_t KEY_MOD_SHIFT = 1;
constexpr std::int32_t KEY_MOD_CTRL = 2;

constexpr const char* WindowClassName = "AppWndClass";

void wndSetDisplayMode(std::uint32_t mode);
// (x, y) is where the outer top-left corner goes, width x height the client area;
// x = INT32_MIN lets the platform choose the place.
void wndSetPosition(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
// Creates and shows the window, sets its pixel format, creates the GL context and makes
// it current. 1 on success; 0 after an error box, with whatever was made released.
int wndOpen(const char* title);

void wndSetReshapeHandler(ReshapeSlot fn);
void wndSetPaintHandler(PaintSlot fn);
void wndSetKeyHandler(KeySlot fn);
void wndSetMousePressHandler(MouseSlot fn);
void wndSetMouseReleaseHandler(MouseSlot fn);
void wndSetMouseMotionHandler(MouseSlot fn);
void wndSetIdleHandler(IdleSlot fn);

// The event loop; returns when the quit request arrives.
void wndRun();
int wndSwapBuffers();
// Destroys the window if there is one; its teardown runs before this returns.
void wndDestroy(WindowHandle window);
// Asks for one repaint of the whole client area unless one is already waiting.
void requestRepaint(WindowHandle window);
// Formats printf-style into 256 bytes and shows the text in an "Error" box.
void reportError(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A handle as the error texts give it with "%08lX": its low 32 bits, 8 hex digits on
// every platform. Win32 handles carry 32 significant bits, and unsigned long is only
// 32 bits wide on 64-bit Windows.
unsigned long handleDigits(const void* handle);

// systemColorCount for a platform's id and version: 21 on NT 3.5 and 3.51, else 25.
std::int32_t systemColorCountFor(std::int32_t platformId, std::int32_t major, std::int32_t minor);
