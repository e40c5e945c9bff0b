// SDL2 platform, the window side: SDL start-up and the no-display check, the window
// and its GL context, swap, message boxes and exit.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sdl2_platform.h"
#include "window_message.h"

Sdl2Window sdl2Window;

namespace {

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool isHeadlessName(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

} // namespace

bool sdl2HeadlessDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return isHeadlessName(driver != nullptr ? driver : std::getenv("SDL_VIDEODRIVER"));
}

void platformGetVersion(PlatformVersion& version) {
    version = {0, 0, 0};
}

void platformGetFrameMetrics(FrameMetrics& metrics) {
    // Not known before a window exists; sdl2PlaceOuterCorner makes up for it.
    metrics = {0, 0, 0, 0};
}

int platformRegisterClass(const char*) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        return 1;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "No display could be opened: %s\n", SDL_GetError());
        return 0;
    }
    // SDL quietly falls back to a driver that shows nothing when no display answers.
    // A game nobody can see is no use, unless that driver was asked for.
    if (!envSet("SDL_VIDEODRIVER") && sdl2HeadlessDriver()) {
        const char* display = std::getenv("DISPLAY");
        const std::string named =
            display != nullptr ? std::string(" (DISPLAY is \"") + display + "\")" : "";
        std::fprintf(stderr,
                     "No display could be opened: set DISPLAY (or WAYLAND_DISPLAY) to a "
                     "running display%s. SDL found only its \"%s\" video driver.\n",
                     named.c_str(), SDL_GetCurrentVideoDriver());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return 0;
    }
    sdl2WatchDisplayConnection();
    // Our own hold on the GL library keeps it loaded for the life of the process, not
    // just of one window, so that a window opened again finds it and the leak checker
    // can still name what the driver keeps.
    if (SDL_GL_LoadLibrary(nullptr) != 0) {
        std::fprintf(stderr, "The OpenGL library could not be loaded: %s\n", SDL_GetError());
    }
    return 1;
}

WindowHandle platformCreateWindow(const char* title, const WindowPlacement& placement) {
    sdl2Window = Sdl2Window{};
    sdl2Window.title = title;
    sdl2Window.placement = placement;
    sdl2Window.exists = true;
    return &sdl2Window;
}

void platformGetClientPosition(WindowHandle, std::int32_t& x, std::int32_t& y) {
    int px = 0;
    int py = 0;
    if (sdl2Window.window != nullptr) {
        SDL_GetWindowPosition(sdl2Window.window, &px, &py);
    }
    x = px;
    y = py;
}

SurfaceHandle platformGetSurface(WindowHandle window) {
    return window;
}

void platformShowWindow(WindowHandle) {
    sdl2Window.shown = true;
    if (sdl2Window.window != nullptr) {
        SDL_ShowWindow(sdl2Window.window);
    }
}

std::int32_t platformChoosePixelFormat(SurfaceHandle, const PixelFormatRequest&) {
    // SDL chooses the closest format itself when it makes the window.
    return 1;
}

int platformSetPixelFormat(SurfaceHandle, std::int32_t, const PixelFormatRequest& request) {
    if (sdl2Window.window != nullptr) {
        std::fprintf(stderr, "The window already has its pixel format.\n");
        return 0;
    }
    // Colour-index surfaces are long gone; the closest format is RGBA.
    sdl2Window.request = request;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (request.flags & PFD_DOUBLEBUFFER_FLAG) ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, request.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, request.alphaBits);
    if (request.accumBits > 0) {
        const int colour = (request.accumBits - request.alphaBits) / 3;
        SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, colour);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, colour);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, colour);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, request.alphaBits);
    }
    const WindowPlacement& p = sdl2Window.placement;
    const int x = p.defaultPosition ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : p.clientX;
    const int y = p.defaultPosition ? static_cast<int>(SDL_WINDOWPOS_UNDEFINED) : p.clientY;
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                         (sdl2Window.shown ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    sdl2Window.window = SDL_CreateWindow(sdl2Window.title.c_str(), x, y, p.width, p.height, flags);
    if (sdl2Window.window == nullptr) {
        std::fprintf(stderr, "No window with that pixel format: %s\n", SDL_GetError());
        return 0;
    }
    SDL_StartTextInput();
    sdl2PlaceOuterCorner();
    return 1;
}

void sdl2PlaceOuterCorner() {
    const WindowPlacement& p = sdl2Window.placement;
    if (sdl2Window.window == nullptr || p.defaultPosition || sdl2Window.outerCornerPlaced) {
        return;
    }
    int top = 0;
    int left = 0;
    if (SDL_GetWindowBordersSize(sdl2Window.window, &top, &left, nullptr, nullptr) != 0) {
        return; // no frame known (yet, or ever, as with no window manager)
    }
    sdl2Window.outerCornerPlaced = true;
    if (top != 0 || left != 0) {
        SDL_SetWindowPosition(sdl2Window.window, p.clientX + left, p.clientY + top);
    }
}

ContextHandle platformCreateContext(SurfaceHandle) {
    if (sdl2Window.window == nullptr) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(sdl2Window.window);
    if (context == nullptr) {
        std::fprintf(stderr, "No GL context: %s\n", SDL_GetError());
        return nullptr;
    }
    // Present on the display's refresh where there is one; appSwapFrame paces the rest.
    SDL_GL_SetSwapInterval(1);
    return context;
}

int platformMakeCurrent(SurfaceHandle, ContextHandle context) {
    if (SDL_GL_MakeCurrent(sdl2Window.window, static_cast<SDL_GLContext>(context)) != 0) {
        std::fprintf(stderr, "The GL context cannot be made current: %s\n", SDL_GetError());
        return 0;
    }
    return 1;
}

void platformDeleteContext(ContextHandle context) {
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void platformReleaseSurface(WindowHandle, SurfaceHandle) {
    // The surface is the window's own; it goes with the window.
}

void platformDestroyWindow(WindowHandle) {
    if (!sdl2Window.exists) {
        return;
    }
    const WindowMessage destroy = {WmDestroy, 0, 0, 0};
    windowProc(destroy);
    if (sdl2Window.window != nullptr) {
        SDL_DestroyWindow(sdl2Window.window);
    }
    sdl2Window = Sdl2Window{};
}

void platformGetClientSize(WindowHandle, std::int32_t& width, std::int32_t& height) {
    int w = sdl2Window.placement.width;
    int h = sdl2Window.placement.height;
    if (sdl2Window.window != nullptr) {
        SDL_GL_GetDrawableSize(sdl2Window.window, &w, &h);
    }
    width = w;
    height = h;
}

int platformSwapBuffers(SurfaceHandle) {
    if (sdl2Window.window == nullptr) {
        return 0;
    }
    SDL_GL_SwapWindow(sdl2Window.window);
    return 1;
}

namespace {

// The width and place of one colour component from its mask.
void describeComponent(Uint32 mask, std::uint8_t& bits, std::uint8_t& shift) {
    bits = 0;
    shift = 0;
    for (; mask != 0 && (mask & 1) == 0; mask >>= 1) {
        ++shift;
    }
    for (; (mask & 1) != 0; mask >>= 1) {
        ++bits;
    }
}

} // namespace

std::int32_t platformGetPixelFormat(SurfaceHandle) {
    return sdl2Window.window != nullptr ? 1 : 0;
}

std::int32_t platformDescribePixelFormat(SurfaceHandle, std::int32_t,
                                         PixelFormatRequest& descriptor) {
    // Always RGBA and never a palette: the buffers as asked, the colour bits the window has.
    descriptor = sdl2Window.request;
    descriptor.flags &= ~(PFD_NEED_PALETTE_FLAG | PFD_NEED_SYSTEM_PALETTE_FLAG);
    descriptor.pixelType = PFD_TYPE_RGBA_VALUE;
    int bpp = 0;
    Uint32 red = 0;
    Uint32 green = 0;
    Uint32 blue = 0;
    Uint32 alpha = 0;
    if (!SDL_PixelFormatEnumToMasks(SDL_GetWindowPixelFormat(sdl2Window.window), &bpp, &red, &green,
                                    &blue, &alpha) ||
        red == 0 || green == 0 || blue == 0) {
        red = 0xFF0000; // SDL cannot say: the usual 8 bits a component
        green = 0x00FF00;
        blue = 0x0000FF;
    }
    describeComponent(red, descriptor.redBits, descriptor.redShift);
    describeComponent(green, descriptor.greenBits, descriptor.greenShift);
    describeComponent(blue, descriptor.blueBits, descriptor.blueShift);
    descriptor.colorBits =
        static_cast<std::uint8_t>(descriptor.redBits + descriptor.greenBits + descriptor.blueBits);
    return 1;
}

// The format above needs no palette, so the core never asks for the rest of the palette
// operations here; they answer as a display without palettes would.
PaletteEntry* platformAllocPaletteEntries(std::int32_t) {
    return nullptr;
}
void platformFreePaletteEntries(PaletteEntry*) {}
PaletteHandle platformCreatePalette(std::uint16_t, const PaletteEntry*, std::int32_t) {
    return nullptr;
}
void platformDeletePalette(PaletteHandle) {}
PaletteHandle platformStockPalette() {
    return nullptr;
}
std::int32_t platformGetPaletteEntries(PaletteHandle, std::int32_t, std::int32_t, PaletteEntry*) {
    return 0;
}
PaletteHandle platformSelectPalette(SurfaceHandle, PaletteHandle, std::int32_t) {
    return nullptr;
}
std::int32_t platformRealizePalette(SurfaceHandle) {
    return -1;
}
std::int32_t platformUnrealizePalette(PaletteHandle) {
    return 0;
}
std::uint32_t platformSetSystemPaletteUse(SurfaceHandle, std::uint32_t) {
    return SYSPAL_STATIC_USE;
}
std::uint32_t platformGetSysColor(std::int32_t) {
    return 0;
}
std::int32_t platformSetSysColors(std::int32_t, const std::int32_t*, const std::uint32_t*) {
    return 0;
}
void platformBroadcastSysColorChange() {}
std::int32_t platformUserMessageWaiting(WindowHandle) {
    return 0;
}
void platformPostUserMessage(WindowHandle) {}
void platformYieldTimeSlice() {}
ColorSettingsHandle platformOpenColorSettings() {
    return nullptr;
}
std::int32_t platformReadColorSetting(ColorSettingsHandle, const char*, char*, std::uint32_t,
                                      std::uint32_t&) {
    return 0;
}
void platformCloseColorSettings(ColorSettingsHandle) {}

void platformMessageBox(const char* text, const char* caption) {
    const std::size_t n = std::strlen(text);
    std::fprintf(stderr, "%s: %s%s", caption, text, n > 0 && text[n - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);
    if (sdl2HeadlessDriver()) {
        return; // nowhere to show it
    }
    const Uint32 kind =
        std::strcmp(caption, "Warning") == 0 ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_ERROR;
    SDL_ShowSimpleMessageBox(kind, caption, text, SDL_GetKeyboardFocus());
}

void platformExitProcess(int status) {
    // The window is gone already. SDL_Quit here would only unload the X and GL libraries
    // a moment before the process ends, and leave the leak checker unable to name what
    // those libraries keep for the life of the process.
    std::exit(status);
}
