// The window's logical palette on displays that need one, and the take-over of the
// system colours in system-palette mode: the whole sequence, written once over the
// platform's palette operations (platform_palette.h).
#pragma once

#include <cstdint>

#include "window.h"

// Makes the window's palette when the format set on `dc` is RGBA and needs one: the ramp
// (with the static colours fitted in), the system palette flushed, the palette realized
// in the foreground. The palette, or null.
PaletteHandle createWindowPalette(SurfaceHandle dc);
// Clears a system palette of 256 entries, so that the real palette maps into it afresh.
void flushSystemPalette(SurfaceHandle dc, std::int32_t count);
// Realizes `palette` in the foreground, or in the background when `background` is 1:
// the number of entries that changed, or -1.
std::int32_t realizeWindowPalette(SurfaceHandle dc, PaletteHandle palette, std::int32_t background);
// After a system-colour change: a new palette replaces the window's, which stays when no
// new one can be made.
void rebuildWindowPalette();
// At teardown: the stock palette goes back into the surface (with the system colours, in
// system-palette mode) and the window's palette is deleted.
void releaseWindowPalette();

// The system colours, in system-palette mode. Taking them over saves them and shows black
// and white instead; 0 when another program holds the system palette, and a retry is
// then posted to the window.
std::int32_t takeSystemColors(SurfaceHandle dc);
// Puts the user's colours back: 1, or 0 when they were not taken over.
std::int32_t restoreSystemColors(SurfaceHandle dc);
// Posts a WmUser to the window unless one waits already; while the loop draws frames,
// only after the next one (postDeferredPaletteRetry, which the loop calls after each).
void postPaletteRetry();
void postDeferredPaletteRetry();
// Reads the user's settings for the first `count` system colours into `colours`; a
// setting that cannot be read leaves its colour as it was. 0 when the settings cannot be
// opened.
std::int32_t readUserColors(std::uint32_t* colours, std::int32_t count);
