// Platform: SDL2, for Linux and macOS (Windows too, where wanted).
// Limitations: no palettes or system colours (SDL has none); the frame's size is known
//   only once the window exists, so the outer corner is put in place after creation.
// Configuration: SDL_VIDEODRIVER, when set on purpose, picks the driver (tests use
//   "offscreen" for a GL context with no display). Left unset, a machine with no
//   display is an error, never SDL's silent fallback to an invisible window.
// Dependencies: SDL2 (Debian libsdl2-dev) and the system's OpenGL library.
#pragma once

#include <SDL.h>

#include <string>

#include "platform.h"
#include "platform_palette.h"

// The one window. SDL must know the GL attributes before it makes the native window,
// so the window is only made when its pixel format is set.
struct Sdl2Window {
    SDL_Window* window;
    std::string title;
    WindowPlacement placement;
    PixelFormatRequest request; // the format asked for: the buffers the window describes
    bool exists;                // handed out by platformCreateWindow and not yet destroyed
    bool shown;
    bool outerCornerPlaced; // the frame was measured and the window moved to match
};

extern Sdl2Window sdl2Window;

// Translates one SDL event into neutral messages for windowProc (none, one or more).
void sdl2DispatchEvent(const SDL_Event& event);

// Once the window manager has framed the window: moves it so that the outer corner,
// not the client area, is at the requested place.
void sdl2PlaceOuterCorner();

// True when the video driver in use (or asked for) shows nothing on a screen.
bool sdl2HeadlessDriver();

// Once the video driver is up: a display that goes away under the running program
// ends it at once with a clear message on stderr and exit status 1 (X11 only; other
// drivers keep their own handling).
void sdl2WatchDisplayConnection();
