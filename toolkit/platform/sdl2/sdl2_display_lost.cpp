// SDL2 platform: the end of the program when its X server goes away under it.
// Xlib's own handler prints a line without an end and calls exit(), whose exit handlers
// (the GL driver's, SDL's, the leak checker's) then meet the dead connection again.
#include "sdl2_platform.h"

#ifdef PELMAR_SDL2_X11

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

// Xlib calls this once any request finds the connection gone; it must not return.
// Nothing can be drawn or closed in order any more, so the process ends at once.
int displayLost(Display* display) {
    std::fprintf(stderr,
                 "The connection to the display %s was lost (its X server went away); the "
                 "program ends.\n",
                 DisplayString(display));
    _exit(1);
}

} // namespace

void sdl2WatchDisplayConnection() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0) {
        XSetIOErrorHandler(displayLost);
    }
}

#else

void sdl2WatchDisplayConnection() {}

#endif
