// The window's palette: when a display needs one, building, flushing in, realizing,
// rebuilding and releasing it.
#include "window_palette.h"

#include <array>

#include "app.h"
#include "palette.h"
#include "pixel_format.h"
#include "platform_palette.h"

namespace {

constexpr std::uint16_t LogPaletteVersion = 0x300;

// A logical palette counts its entries in 16 bits: a format of more colour bits than
// that can hold describes no palette display.
constexpr std::uint8_t MaxPaletteColorBits = 15;

bool needsPalette(const PixelFormatRequest& format) {
    return format.pixelType == PFD_TYPE_RGBA_VALUE && (format.flags & PFD_NEED_PALETTE_FLAG) != 0;
}

// The stock palette's first colours; any it cannot give keep their last values.
void readStockColors(PaletteEntry* colours) {
    const PaletteHandle stock = platformStockPalette();
    if (stock != nullptr) {
        platformGetPaletteEntries(stock, 0, StaticColorCount, colours);
    }
}

PaletteHandle makeWindowPalette(SurfaceHandle dc, std::int32_t background) {
    WindowState& w = windowState;
    if (w.palette != nullptr) {
        return w.palette;
    }
    PixelFormatRequest format{};
    if (describeCurrentFormat(dc, format) <= 0 || !needsPalette(format) ||
        format.colorBits > MaxPaletteColorBits) {
        return w.palette;
    }
    paletteState.systemPaletteMode = (format.flags & PFD_NEED_SYSTEM_PALETTE_FLAG) != 0 ||
                                     (w.displayMode & MODE_SYSTEM_PALETTE) != 0;
    const std::int32_t count = std::int32_t{1} << format.colorBits;
    PaletteEntry* entries = platformAllocPaletteEntries(count);
    if (entries == nullptr) {
        return w.palette;
    }
    std::array<PaletteEntry, StaticColorCount> stock = defaultPaletteColors;
    if (fitsStaticColors(format, count)) {
        readStockColors(stock.data());
    }
    fillRampPalette(format, entries, count, stock.data());
    w.palette = platformCreatePalette(LogPaletteVersion, entries, count);
    platformFreePaletteEntries(entries);
    if (w.palette == nullptr) {
        return nullptr; // nothing to flush in or realize
    }
    flushSystemPalette(dc, count);
    realizeWindowPalette(dc, w.palette, background);
    return w.palette;
}

} // namespace

PaletteHandle createWindowPalette(SurfaceHandle dc) {
    return makeWindowPalette(dc, 0);
}

void flushSystemPalette(SurfaceHandle dc, std::int32_t count) {
    if (count != 256) {
        return;
    }
    PaletteEntry* entries = platformAllocPaletteEntries(count);
    if (entries == nullptr) {
        return;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        entries[i] = {0, 0, 0, PC_RESERVED_FLAG | PC_NOCOLLAPSE_FLAG};
    }
    const PaletteHandle flush = platformCreatePalette(LogPaletteVersion, entries, count);
    platformFreePaletteEntries(entries);
    if (flush == nullptr) {
        return;
    }
    const PaletteHandle previous = platformSelectPalette(dc, flush, 0);
    if (previous != nullptr) {
        platformRealizePalette(dc);
        platformSelectPalette(dc, previous, 0);
    }
    platformDeletePalette(flush); // never deleted while still selected
}

std::int32_t realizeWindowPalette(SurfaceHandle dc, PaletteHandle palette,
                                  std::int32_t background) {
    if (paletteState.systemPaletteMode) {
        if (background == 0 && !takeSystemColors(dc)) {
            return -1;
        }
        if (background != 0) {
            restoreSystemColors(dc);
        }
        if (!platformUnrealizePalette(palette)) {
            return -1;
        }
    } else {
        background = 0; // a shared palette is always selected as the foreground one
    }
    if (platformSelectPalette(dc, palette, background) == nullptr) {
        return -1;
    }
    return platformRealizePalette(dc);
}

void rebuildWindowPalette() {
    WindowState& w = windowState;
    PixelFormatRequest format{};
    if (w.dc == nullptr || w.palette == nullptr || describeCurrentFormat(w.dc, format) <= 0 ||
        !needsPalette(format)) {
        return;
    }
    // Our own restore of the system colours ends in this message too: a window that does
    // not hold them (deactivated, or still waiting for its turn) realizes the new palette
    // in the background, or it would take them straight back.
    const std::int32_t background =
        paletteState.systemPaletteMode && !paletteState.systemColorsTaken ? 1 : 0;
    const PaletteHandle old = w.palette;
    w.palette = nullptr;
    if (makeWindowPalette(w.dc, background) != nullptr) {
        platformDeletePalette(old);
        requestRepaint(w.window);
    } else {
        w.palette = old;
    }
}

void releaseWindowPalette() {
    WindowState& w = windowState;
    if (w.palette == nullptr) {
        return;
    }
    const PaletteHandle stock = platformStockPalette();
    if (paletteState.systemPaletteMode) {
        // Realized in the background, the stock palette gives the system back its colours
        // and its static palette use.
        realizeWindowPalette(w.dc, stock, 1);
    } else if (stock != nullptr) {
        platformSelectPalette(w.dc, stock, 0);
    }
    platformDeletePalette(w.palette);
    w.palette = nullptr;
}
