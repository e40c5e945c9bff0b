// The neutral window messages that every platform translates its own events into, and
// the one window procedure that owns the rules for them.
#pragma once

#include <cstdint>

#include "app.h"
#include "window.h"

enum WindowMessageKind : std::int32_t {
    WmDestroy,         // the window is going away; sent from inside the platform's destroy
    WmMove,            // a, b: new client-area position on the screen
    WmSize,            // a, b: new client size (0 x 0 when minimised)
    WmActivate,        // a: 1 activated, 0 deactivated; b: 1 when minimised
    WmPaint,           // the window needs its picture again
    WmClose,           // the user asks to close the window
    WmSysColorChange,  // the system colours changed
    WmKeyDown,         // a: virtual-key code; b: modifier bits (KEY_MOD_*)
    WmSysKeyDown,      // a key pressed with Alt held: the system's, never delivered
    WmChar,            // a: character code typed; b: modifier bits
    WmMouseMove,       // a, b: pointer in client coordinates; c: held buttons (1, 2, 4)
    WmButtonDown,      // a, b: pointer; c: the button (1 left, 2 right, 4 middle)
    WmButtonUp,        // a, b: pointer; c: the button
    WmQueryNewPalette, // the window may realize its palette
    WmPaletteChanged,  // c: 1 when this window itself changed the system palette
    WmUser,            // retry of the palette takeover
    WmOther,           // anything else; the platform's default handling
};

struct WindowMessage {
    WindowMessageKind kind;
    std::int32_t a;
    std::int32_t b;
    std::int32_t c;
};

// What windowProc answers: either a value, or "let the platform's default handling
// have the message" (which a platform with no such thing ignores).
struct WindowProcResult {
    std::int32_t useDefault;
    std::intptr_t value;
};

WindowProcResult windowProc(const WindowMessage& msg);

// The code a key press or a typed character delivers, or 0 when it delivers none.
std::int32_t translateKey(std::int32_t virtualKey);
std::int32_t translateChar(std::int32_t character);
