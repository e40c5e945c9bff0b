// The toolkit as the game sees it: one window with a GL context, handlers bound by key
// code or mouse button, the event loop, the paced buffer swap and exit.
#pragma once

#include <cstdint>

// Display mode word: what kind of drawing surface the window gets.
constexpr std::uint32_t MODE_COLOR_INDEX = 1;      // colour-index pixels, else RGBA
constexpr std::uint32_t MODE_DOUBLE_BUFFER = 2;    // double-buffered, else single
constexpr std::uint32_t MODE_ACCUM_BUFFER = 8;     // an accumulation buffer
constexpr std::uint32_t MODE_ALPHA_BITS = 16;      // 8 alpha bits
constexpr std::uint32_t MODE_DEPTH_BUFFER = 32;    // 24 depth bits
constexpr std::uint32_t MODE_STENCIL_BUFFER = 64;  // 4 stencil bits
constexpr std::uint32_t MODE_DEPTH_16 = 256;       // 16 depth bits; wins over MODE_DEPTH_BUFFER
constexpr std::uint32_t MODE_SYSTEM_PALETTE = 512; // on a palette display, own the system palette

// Key codes of the keys that are not characters, as handlers are bound to them; a
// character key is bound by its character code ('g', 'G').
constexpr std::int32_t VK_RETURN_KEY = 13;
constexpr std::int32_t VK_ESCAPE_KEY = 27;
constexpr std::int32_t VK_SPACE_KEY = 32;
constexpr std::int32_t VK_LEFT_KEY = 37;
constexpr std::int32_t VK_UP_KEY = 38;
constexpr std::int32_t VK_RIGHT_KEY = 39;
constexpr std::int32_t VK_DOWN_KEY = 40;

// Kinds of MouseEvent.
constexpr std::int32_t EVENT_MOUSE_PRESS = 16;
constexpr std::int32_t EVENT_MOUSE_RELEASE = 32;
constexpr std::int32_t EVENT_MOUSE_MOTION = 64;

// Mouse button values, also the bits of a set of held buttons.
constexpr std::int32_t MOUSE_LEFT = 1;
constexpr std::int32_t MOUSE_RIGHT = 2;
constexpr std::int32_t MOUSE_MIDDLE = 4;

// The window's x that lets the platform choose where the window goes.
constexpr std::int32_t APP_DEFAULT_POSITION = INT32_MIN;

// Built on the stack for one handler call and valid only during it.
struct MouseEvent {
    std::int32_t kind;    // EVENT_MOUSE_PRESS, _RELEASE or _MOTION
    std::int32_t data[4]; // x, y (client coordinates, 0 at the top), unused, button value
};

using AppHandler = void (*)();
using AppReshapeHandler = void (*)(std::int32_t width, std::int32_t height);
using AppMouseHandler = void (*)(MouseEvent* event);

struct KeyBinding {
    std::int32_t key;
    AppHandler handler;
};

struct MouseBinding {
    std::int32_t button; // 1 left, 2 right, 4 middle
    AppMouseHandler handler;
};

constexpr std::int32_t MaxKeyBindings = 200;
constexpr std::int32_t MaxMouseBindings = 20;

// The binding tables. They last for the life of the process; entries are never removed.
extern KeyBinding keyBindings[MaxKeyBindings];
extern std::int32_t keyBindingCount;
extern MouseBinding mousePressBindings[MaxMouseBindings];
extern std::int32_t mousePressBindingCount;
extern MouseBinding mouseReleaseBindings[MaxMouseBindings];
extern std::int32_t mouseReleaseBindingCount;
extern MouseBinding mouseMotionBindings[MaxMouseBindings];
extern std::int32_t mouseMotionBindingCount;

// Both must come before appOpenWindow.
void appSetDisplayMode(std::uint32_t mode);
void appSetWindowRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// Opens the window and makes its GL context current; 1 on success, 0 on failure (the
// reason has been shown in an error box). Installs the default handlers and binds
// Escape to appExit.
int appOpenWindow(const char* title);

void appSetReshapeHandler(AppReshapeHandler fn);
void appSetIdleHandler(AppHandler fn);

// Appends (key, fn) to the key table. A full table refuses the binding.
void appBindKey(std::int32_t key, AppHandler fn);

// Appends (button, fn) to the table of one kind of mouse event (EVENT_MOUSE_PRESS,
// _RELEASE or _MOTION); 1 when bound, 0 when the kind or the button (1, 2 or 4) is
// unknown or the table is full.
int appBindMouse(std::int32_t kind, std::int32_t button, AppMouseHandler fn);

// Installs `display` as the paint handler and runs the event loop until the window has
// been closed.
void appRun(AppHandler display);

// Presents the frame and holds the caller to a steady 60 frames a second. Nonzero when
// the platform swapped.
int appSwapFrame();

// Destroys the window and ends the process with status 0.
[[noreturn]] void appExit();

// The handlers appOpenWindow installs in the window layer.
void appDefaultReshape(std::int32_t width, std::int32_t height);
std::int32_t appDispatchKey(std::int32_t key, std::int32_t modifiers);
std::int32_t appDispatchMousePress(std::int32_t x, std::int32_t y, std::int32_t button);
std::int32_t appDispatchMouseRelease(std::int32_t x, std::int32_t y, std::int32_t button);
std::int32_t appDispatchMouseMotion(std::int32_t x, std::int32_t y, std::int32_t buttons);

// Puts every table, slot and state of the toolkit back as a fresh process has them, so
// that tests can open one window after another. The window must be closed.
void resetToolkitState();
