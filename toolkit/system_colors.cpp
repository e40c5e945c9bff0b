// The system colours in system-palette mode: taking them over (black and white while the
// window holds the system palette), giving the user's back, and reading the user's
// colour settings.
#include <algorithm>

#include "palette.h"
#include "platform_palette.h"
#include "window_palette.h"

namespace {

// The elements changed and restored: as many as the window layer says, within the tables.
std::int32_t colorCount() {
    return std::clamp(windowState.systemColorCount, 0, SystemColorCount);
}

} // namespace

std::int32_t takeSystemColors(SurfaceHandle dc) {
    PaletteState& p = paletteState;
    if (p.systemColorsTaken) {
        return 1;
    }
    if (platformSetSystemPaletteUse(dc, SYSPAL_NOSTATIC_USE) != SYSPAL_STATIC_USE) {
        // Another program holds the system palette: let it run, then try again from the
        // queue.
        platformYieldTimeSlice();
        postPaletteRetry();
        return 0;
    }
    // Every element that the restore writes is saved, so that one the user's settings
    // lack comes back as it was.
    const std::int32_t count = colorCount();
    for (std::int32_t i = 0; i < count; ++i) {
        p.savedSystemColors[i] = platformGetSysColor(systemColorElements[i]);
    }
    platformSetSysColors(count, systemColorElements, monochromeSystemColors);
    p.systemColorsTaken = 1;
    platformBroadcastSysColorChange();
    return 1;
}

namespace {

void postRetryNow() {
    if (!platformUserMessageWaiting(windowState.window)) {
        platformPostUserMessage(windowState.window);
    }
}

} // namespace

void postPaletteRetry() {
    // While frames are drawn, the loop handles every waiting message before the next
    // one: a retry posted at once would come back before it, fail again, and leave the
    // game without frames for as long as the other program holds the palette. So it
    // waits for the next frame.
    if (windowHandlers.idleHandler != nullptr) {
        paletteState.retryAfterFrame = 1;
        return;
    }
    postRetryNow();
}

void postDeferredPaletteRetry() {
    if (paletteState.retryAfterFrame) {
        paletteState.retryAfterFrame = 0;
        postRetryNow();
    }
}

std::int32_t restoreSystemColors(SurfaceHandle dc) {
    PaletteState& p = paletteState;
    if (!p.systemColorsTaken) {
        return 0;
    }
    const std::int32_t count = colorCount();
    readUserColors(p.savedSystemColors, count);
    platformSetSysColors(count, systemColorElements, p.savedSystemColors);
    platformSetSystemPaletteUse(dc, SYSPAL_STATIC_USE);
    platformBroadcastSysColorChange();
    p.systemColorsTaken = 0;
    return 1;
}

std::int32_t readUserColors(std::uint32_t* colours, std::int32_t count) {
    const ColorSettingsHandle key = platformOpenColorSettings();
    if (key == nullptr) {
        return 0;
    }
    for (std::int32_t j = 0; j < std::min(count, SystemColorCount); ++j) {
        char text[64];
        std::uint32_t length = 0;
        // A setting that is missing, too long, not text or not three numbers leaves its
        // colour as it was.
        if (platformReadColorSetting(key, systemColorNames[j], text, sizeof text, length)) {
            parseColorSetting(text, std::min<std::size_t>(length, sizeof text), colours[j]);
        }
    }
    platformCloseColorSettings(key);
    return 1;
}
