// Win32 platform: the coarse palette operations that the core still calls until its own
// palette sequence, over the GDI-shaped operations of win32_palette.cpp, takes their
// place. Until then this platform makes no palette (true colour), as SDL2 does.
#include "platform.h"

PaletteHandle platformCreatePalette(SurfaceHandle) {
    return nullptr;
}
std::int32_t platformRealizePalette(SurfaceHandle, PaletteHandle, std::int32_t) {
    return 0;
}
void platformRealizeBackgroundPalette(SurfaceHandle, PaletteHandle) {}
void platformRealizeDefaultPalette(SurfaceHandle) {}
void platformSelectDefaultPalette(SurfaceHandle) {}
void platformRebuildPalette(SurfaceHandle) {}
