// Platform: Win32, for Windows: a window of the class "AppWndClass", WGL for its OpenGL
//   context, GDI for the pixel format and palettes, the registry for the user's colours.
// Limitations: none of its own; every rule stays in the core, which this platform only
//   feeds with neutral messages and answers with the system's calls. Coordinates in
//   mouse and move messages are signed (a captured pointer left of the window is at a
//   negative x). Palettes only ever come into play on a display of 256 colours or fewer.
// Configuration: none. The timer resolution is raised to 1 ms for the game's life
//   where no high-resolution waitable timer exists (Windows before 10 1803).
// Dependencies: the system's user32, gdi32, opengl32, advapi32 and winmm; built with
//   MinGW-w64 (cmake/mingw-w64-x86_64.cmake) or any Windows compiler.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>

#include "window_message.h"

// The neutral message for a native one: WmOther where the core has no rule, so that it
// goes to the default handling. `self` is the window the message is for, `modifiers`
// the modifier bits to send with a key or a character.
WindowMessage win32Translate(HWND self, UINT message, WPARAM wParam, LPARAM lParam,
                             std::int32_t modifiers);

// Modifier bits (KEY_MOD_*) of the keys held now; Ctrl is asked first.
std::int32_t win32KeyModifiers();

// The window procedure of the class: translates, calls the core and hands the
// messages the core leaves to the system's default handling.
LRESULT CALLBACK win32WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
