// SDL2 platform, the event side: the queue with its posted quit and paint requests, and
// the translation of SDL events into neutral window messages.
#include <cstdio>

#include "sdl2_platform.h"
#include "window_message.h"

namespace {

bool quitPosted;
bool paintPending;
// The modifiers of the last key press. Text arrives right after the press that typed it,
// and the press's own modifiers hold for it: the keyboard's state at the time the text
// is handled may already be past a release of Alt.
Uint16 pressModifiers;

void send(WindowMessageKind kind, std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0) {
    const WindowMessage msg = {kind, a, b, c};
    windowProc(msg);
}

// Virtual-key codes as Win32 numbers them: the seven keys the core delivers, and
// letters and digits, which it drops (they arrive again as characters).
std::int32_t virtualKeyOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN_KEY;
    case SDLK_ESCAPE:
        return VK_ESCAPE_KEY;
    case SDLK_SPACE:
        return VK_SPACE_KEY;
    case SDLK_LEFT:
        return VK_LEFT_KEY;
    case SDLK_UP:
        return VK_UP_KEY;
    case SDLK_RIGHT:
        return VK_RIGHT_KEY;
    case SDLK_DOWN:
        return VK_DOWN_KEY;
    default:
        break;
    }
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    return 0;
}

std::int32_t modifierBits(Uint16 mod) {
    return ((mod & KMOD_SHIFT) ? KEY_MOD_SHIFT : 0) | ((mod & KMOD_CTRL) ? KEY_MOD_CTRL : 0);
}

void keyDown(const SDL_KeyboardEvent& key) {
    pressModifiers = key.keysym.mod;
    // With Alt held a press is the system's (window menu and the like), never ours.
    const WindowMessageKind kind = (key.keysym.mod & KMOD_ALT) ? WmSysKeyDown : WmKeyDown;
    send(kind, virtualKeyOf(key.keysym.sym), modifierBits(key.keysym.mod));
}

// One character per code point of the UTF-8 text; malformed bytes pass as themselves
// and are dropped by the core like every other character outside its ranges.
void textInput(const char* text) {
    const Uint16 mod = pressModifiers;
    if (mod & KMOD_ALT) {
        return; // a system character
    }
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = 0; i < SDL_TEXTINPUTEVENT_TEXT_SIZE && s[i] != 0;) {
        std::int32_t code = s[i];
        std::size_t length = 1;
        if (code >= 0xC0) {
            length = code >= 0xF0 ? 4 : code >= 0xE0 ? 3 : 2;
            code &= 0x3F >> (length - 1);
            for (std::size_t k = 1; k < length; ++k) {
                if (i + k >= SDL_TEXTINPUTEVENT_TEXT_SIZE || (s[i + k] & 0xC0) != 0x80) {
                    length = k;
                    break;
                }
                code = (code << 6) | (s[i + k] & 0x3F);
            }
        }
        // Ctrl with a letter never arrives here: X11 turns it into a control character,
        // which SDL does not pass on as text.
        send(WmChar, code, modifierBits(mod));
        i += length;
    }
}

std::int32_t buttonValue(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 4;
    default:
        return 0;
    }
}

std::int32_t heldButtons(Uint32 state) {
    return ((state & SDL_BUTTON_LMASK) ? 1 : 0) | ((state & SDL_BUTTON_RMASK) ? 2 : 0) |
           ((state & SDL_BUTTON_MMASK) ? 4 : 0);
}

void sendClientSize() {
    std::int32_t width = 0;
    std::int32_t height = 0;
    platformGetClientSize(&sdl2Window, width, height);
    send(WmSize, width, height);
}

void windowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
    case SDL_WINDOWEVENT_SHOWN:
        sdl2PlaceOuterCorner();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        sendClientSize();
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        send(WmSize, 0, 0);
        break;
    case SDL_WINDOWEVENT_MOVED:
        sdl2PlaceOuterCorner();
        send(WmMove, e.data1, e.data2);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: {
        const bool minimised = (SDL_GetWindowFlags(sdl2Window.window) & SDL_WINDOW_MINIMIZED);
        send(WmActivate, 1, minimised ? 1 : 0);
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        send(WmActivate, 0, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        paintPending = true;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        send(WmClose);
        break;
    default:
        break;
    }
}

} // namespace

void sdl2DispatchEvent(const SDL_Event& e) {
    // Events that arrive after the window is gone have nobody to go to.
    const bool ours =
        sdl2Window.window != nullptr &&
        (e.type != SDL_WINDOWEVENT || e.window.windowID == SDL_GetWindowID(sdl2Window.window));
    if (!ours) {
        return;
    }
    switch (e.type) {
    case SDL_QUIT: // the last window's close box, or a terminal's interrupt
        send(WmClose);
        break;
    case SDL_WINDOWEVENT:
        windowEvent(e.window);
        break;
    case SDL_KEYDOWN:
        keyDown(e.key);
        break;
    case SDL_TEXTINPUT:
        textInput(e.text.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const std::int32_t b = buttonValue(e.button.button);
        if (b != 0) {
            send(e.type == SDL_MOUSEBUTTONDOWN ? WmButtonDown : WmButtonUp, e.button.x, e.button.y,
                 b);
        }
        break;
    }
    case SDL_MOUSEMOTION:
        send(WmMouseMove, e.motion.x, e.motion.y, heldButtons(e.motion.state));
        break;
    default:
        break;
    }
}

int platformPeekMessage() {
    if (quitPosted || paintPending) {
        return 1;
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        return 0;
    }
    SDL_PumpEvents();
    return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) ? 1 : 0;
}

int platformPumpMessage() {
    SDL_Event event;
    const bool video = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (video && SDL_PollEvent(&event)) {
        sdl2DispatchEvent(event);
        return 1;
    }
    if (quitPosted) {
        quitPosted = false;
        return 0;
    }
    if (paintPending) {
        send(WmPaint);
        paintPending = false;
        return 1;
    }
    if (!video || !SDL_WaitEvent(&event)) {
        // Nothing could ever arrive: end the loop rather than wait for ever.
        std::fprintf(stderr, "The event queue cannot be read: %s\n", SDL_GetError());
        return 0;
    }
    sdl2DispatchEvent(event);
    return 1;
}

void platformPostQuit(std::int32_t) {
    quitPosted = true;
}

void platformDiscardQuit() {
    quitPosted = false;
}

int platformRepaintPending(WindowHandle) {
    return paintPending ? 1 : 0;
}

void platformInvalidate(WindowHandle) {
    paintPending = sdl2Window.window != nullptr;
}

void platformBeginPaint(WindowHandle) {
    paintPending = false;
}

void platformEndPaint(WindowHandle) {}

void platformCaptureMouse(WindowHandle) {
    SDL_CaptureMouse(SDL_TRUE);
}

void platformReleaseMouse() {
    SDL_CaptureMouse(SDL_FALSE);
}
