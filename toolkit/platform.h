// What the core asks of a platform. Each platform (sdl2, win32, null) implements
// every function here and in platform_palette.h once; the rules stay in the core. The
// shapes follow the native Win32 calls so that platform stays a thin translation too.
#pragma once

#include <cstdint>

#include "pixel_format.h"
#include "window.h"

struct PlatformVersion {
    std::int32_t platformId; // 2 for the NT family on Win32; 0 where it means nothing
    std::int32_t major;
    std::int32_t minor;
};

// Sizes of the window's decorations, in pixels; zeros where the platform cannot know.
struct FrameMetrics {
    std::int32_t frameWidth;
    std::int32_t frameHeight;
    std::int32_t captionHeight;
    std::int32_t borderHeight;
};

struct WindowPlacement {
    std::int32_t clientX; // client area's top-left corner on the screen
    std::int32_t clientY;
    std::int32_t width; // client size
    std::int32_t height;
    std::int32_t defaultPosition; // 1: the platform chooses; clientX and clientY unused
};

void platformGetVersion(PlatformVersion& version);
void platformGetFrameMetrics(FrameMetrics& metrics);

// Window creation, one step at a time in wndOpen's order. Each returns 0 or null on
// failure and may add its own detail on stderr.
int platformRegisterClass(const char* className);
WindowHandle platformCreateWindow(const char* title, const WindowPlacement& placement);
// Where the platform put the client area's top-left corner.
void platformGetClientPosition(WindowHandle window, std::int32_t& x, std::int32_t& y);
SurfaceHandle platformGetSurface(WindowHandle window);
void platformShowWindow(WindowHandle window);
// The number of the closest format (above 0), or 0 when none matches.
std::int32_t platformChoosePixelFormat(SurfaceHandle dc, const PixelFormatRequest& request);
int platformSetPixelFormat(SurfaceHandle dc, std::int32_t format,
                           const PixelFormatRequest& request);
ContextHandle platformCreateContext(SurfaceHandle dc);
// With a null context, makes no context current.
int platformMakeCurrent(SurfaceHandle dc, ContextHandle context);
void platformDeleteContext(ContextHandle context);
void platformReleaseSurface(WindowHandle window, SurfaceHandle dc);
// Runs windowProc with WmDestroy before the window is gone, then destroys it.
void platformDestroyWindow(WindowHandle window);
void platformGetClientSize(WindowHandle window, std::int32_t& width, std::int32_t& height);
int platformSwapBuffers(SurfaceHandle dc);

// The queue. Peek looks without removing. Pump waits for the next message and removes
// it: 0 when it is the quit request; otherwise the message has gone, translated, through
// windowProc.
int platformPeekMessage();
int platformPumpMessage();
void platformPostQuit(std::int32_t code);
// Drops a quit request that a failed opening left behind.
void platformDiscardQuit();
// Whether a paint message for the window is already waiting; mark it for one.
int platformRepaintPending(WindowHandle window);
void platformInvalidate(WindowHandle window);
void platformBeginPaint(WindowHandle window);
void platformEndPaint(WindowHandle window);
void platformCaptureMouse(WindowHandle window);
void platformReleaseMouse();

// A modal box with one OK button, owned by the window with the keyboard focus. Every
// platform also writes the text to stderr, never stdout.
void platformMessageBox(const char* text, const char* caption);
[[noreturn]] void platformExitProcess(int status);

// The frame pacer's clock: a steady clock in nanoseconds, and a sleep of about `ns`
// nanoseconds on it. A platform whose sleeps are coarser than a frame sharpens them.
std::int64_t platformSteadyNowNs();
void platformSleepNs(std::int64_t ns);

// GL state the app layer sets, through whatever GL the platform binds.
void platformGlResetState(); // clear colour (0,0,0,1), clear index 0, identity matrix
void platformGlDrawToFront();
void platformGlPixelProjection(std::int32_t width, std::int32_t height);
