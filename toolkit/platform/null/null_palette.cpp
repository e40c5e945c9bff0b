// The null platform's display: the pixel format it describes, its palettes (kept with
// their entries, so that tests can read what was made), the system palette use, the
// system colours and the user's colour settings, with failures on demand. Palettes are
// named in the record by the order they were made ("p1", "p2") or "stock": "create p1",
// "select p1" ("select p1 bg" as a background palette), "realize", "unrealize p1",
// "delete p1", "use nostatic", "sysColors 25", "broadcast", "postUser", "yield",
// "openSettings", "closeSettings".
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "null_platform.h"

namespace {

// Whether this call of a kind fails: bit n of `failures` fails the call numbered n.
bool callFails(std::uint32_t failures, std::int32_t& calls) {
    const std::int32_t n = calls++;
    return n < 32 && ((failures >> n) & 1u) != 0;
}

std::string paletteName(PaletteHandle palette) {
    if (palette == nullptr) {
        return "null";
    }
    if (palette == &nullPlatform.stock) {
        return "stock";
    }
    for (std::size_t i = 0; i < nullPlatform.palettes.size(); ++i) {
        if (&nullPlatform.palettes[i] == palette) {
            // Using a deleted palette is a fault a test should see in the record.
            return "p" + std::to_string(i + 1) +
                   (nullPlatform.palettes[i].deleted ? " deleted" : "");
        }
    }
    return "unknown";
}

// Stands for the open key of the colour settings.
int colorSettingsKey;

} // namespace

std::int32_t platformGetPixelFormat(SurfaceHandle) {
    return nullPlatform.display == NullDisplayNoFormat ? 0 : nullPlatform.pixelFormat;
}

std::int32_t platformDescribePixelFormat(SurfaceHandle, std::int32_t format,
                                         PixelFormatRequest& d) {
    if (nullPlatform.display == NullDisplayNoDescription || format <= 0) {
        return 0;
    }
    constexpr std::uint32_t Flags =
        PFD_DRAW_TO_WINDOW_FLAG | PFD_SUPPORT_OPENGL_FLAG | PFD_DOUBLEBUFFER_FLAG;
    if (nullPlatform.display == NullDisplayTrueColor) {
        d = {40, 1, Flags, PFD_TYPE_RGBA_VALUE, 24, 8, 16, 8, 8, 8, 0, 0, 0, 16, 0, 0, 0};
        return format;
    }
    d = {
        40, 1, Flags | PFD_NEED_PALETTE_FLAG, PFD_TYPE_RGBA_VALUE, 8, 3, 0, 3, 3, 2, 6, 0, 0, 16, 0,
        0,  0};
    if (nullPlatform.display == NullDisplaySystemPalette) {
        d.flags |= PFD_NEED_SYSTEM_PALETTE_FLAG;
    }
    return format;
}

PaletteEntry* platformAllocPaletteEntries(std::int32_t count) {
    if (count <= 0 || callFails(nullPlatform.failAllocs, nullPlatform.allocCalls)) {
        return nullptr;
    }
    return static_cast<PaletteEntry*>(
        std::calloc(static_cast<std::size_t>(count), sizeof(PaletteEntry)));
}

void platformFreePaletteEntries(PaletteEntry* entries) {
    std::free(entries);
}

PaletteHandle platformCreatePalette(std::uint16_t version, const PaletteEntry* entries,
                                    std::int32_t count) {
    PaletteHandle made = nullptr;
    if (version == 0x300 && count > 0 &&
        !callFails(nullPlatform.failCreatePalettes, nullPlatform.createPaletteCalls)) {
        nullPlatform.palettes.push_back({{entries, entries + count}, false});
        made = &nullPlatform.palettes.back();
    }
    nullRecord("create " + paletteName(made));
    return made;
}

void platformDeletePalette(PaletteHandle palette) {
    // So is deleting the palette that the surface still holds.
    nullRecord("delete " + paletteName(palette) +
               (palette == nullPlatform.selected ? " selected" : ""));
    if (palette != nullptr && palette != &nullPlatform.stock) {
        static_cast<NullPalette*>(palette)->deleted = true;
    }
}

PaletteHandle platformStockPalette() {
    return nullPlatform.stock.entries.empty() ? nullptr : &nullPlatform.stock;
}

std::int32_t platformGetPaletteEntries(PaletteHandle palette, std::int32_t first,
                                       std::int32_t count, PaletteEntry* entries) {
    const std::vector<PaletteEntry>& from = static_cast<NullPalette*>(palette)->entries;
    std::int32_t copied = 0;
    while (first >= 0 && copied < count &&
           static_cast<std::size_t>(first) + static_cast<std::size_t>(copied) < from.size()) {
        entries[copied] = from[static_cast<std::size_t>(first) + static_cast<std::size_t>(copied)];
        ++copied;
    }
    return copied;
}

PaletteHandle platformSelectPalette(SurfaceHandle, PaletteHandle palette, std::int32_t background) {
    nullRecord("select " + paletteName(palette) + (background != 0 ? " bg" : ""));
    if (palette == nullptr ||
        callFails(nullPlatform.failSelectPalettes, nullPlatform.selectPaletteCalls)) {
        return nullptr;
    }
    const PaletteHandle previous = nullPlatform.selected;
    nullPlatform.selected = palette;
    return previous;
}

std::int32_t platformRealizePalette(SurfaceHandle) {
    nullRecord("realize");
    return nullPlatform.paletteChanges;
}

std::int32_t platformUnrealizePalette(PaletteHandle palette) {
    nullRecord("unrealize " + paletteName(palette));
    return palette != nullptr ? 1 : 0;
}

std::uint32_t platformSetSystemPaletteUse(SurfaceHandle, std::uint32_t use) {
    nullRecord(use == SYSPAL_STATIC_USE ? "use static" : "use nostatic");
    return std::exchange(nullPlatform.systemPaletteUse, use);
}

std::uint32_t platformGetSysColor(std::int32_t element) {
    return element >= 0 && element < SystemColorCount ? nullPlatform.sysColors[element] : 0;
}

std::int32_t platformSetSysColors(std::int32_t count, const std::int32_t* elements,
                                  const std::uint32_t* colours) {
    nullRecord("sysColors " + std::to_string(count));
    for (std::int32_t i = 0; i < count; ++i) {
        if (elements[i] >= 0 && elements[i] < SystemColorCount) {
            nullPlatform.sysColors[elements[i]] = colours[i];
        }
    }
    return 1;
}

void platformBroadcastSysColorChange() {
    nullRecord("broadcast");
    if (nullPlatform.windowExists) {
        nullPost(WmSysColorChange); // this window hears it as well
    }
}

std::int32_t platformUserMessageWaiting(WindowHandle) {
    return std::any_of(nullPlatform.queue.begin(), nullPlatform.queue.end(),
                       [](const WindowMessage& m) { return m.kind == WmUser; });
}

void platformPostUserMessage(WindowHandle) {
    nullRecord("postUser");
    nullPost(WmUser);
}

void platformYieldTimeSlice() {
    nullRecord("yield");
}

ColorSettingsHandle platformOpenColorSettings() {
    nullRecord("openSettings");
    return nullPlatform.failOpenColorSettings ? nullptr : &colorSettingsKey;
}

std::int32_t platformReadColorSetting(ColorSettingsHandle, const char* name, char* buffer,
                                      std::uint32_t size, std::uint32_t& length) {
    const auto found = nullPlatform.colorSettings.find(name);
    if (found == nullPlatform.colorSettings.end() || !found->second.text ||
        found->second.value.size() > size) {
        return 0; // missing, not text, or longer than the buffer
    }
    // Text that fills the buffer exactly comes without its terminating zero.
    const std::string& value = found->second.value;
    length = static_cast<std::uint32_t>(std::min<std::size_t>(value.size() + 1, size));
    std::memcpy(buffer, value.c_str(), length);
    return 1;
}

void platformCloseColorSettings(ColorSettingsHandle) {
    nullRecord("closeSettings");
}
