// Win32 platform, the palette side: the GDI calls behind the core's palette sequence,
// the system colours, the palette retry message and the user's colour settings. (The
// pixel format's description is with the rest of the pixel format, in win32_window.cpp.)
#include <cstddef>

#include "platform_palette.h"
#include "win32_platform.h"

// The core's entries are handed to GDI as they are.
static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY), "palette entry layout");
static_assert(offsetof(PaletteEntry, red) == offsetof(PALETTEENTRY, peRed), "red");
static_assert(offsetof(PaletteEntry, green) == offsetof(PALETTEENTRY, peGreen), "green");
static_assert(offsetof(PaletteEntry, blue) == offsetof(PALETTEENTRY, peBlue), "blue");
static_assert(offsetof(PaletteEntry, flags) == offsetof(PALETTEENTRY, peFlags), "flags");

namespace {

HDC asDc(SurfaceHandle dc) {
    return static_cast<HDC>(dc);
}
HPALETTE asPalette(PaletteHandle palette) {
    return static_cast<HPALETTE>(palette);
}

// A logical palette holds at most this many entries (its count is 16 bits wide).
constexpr std::int32_t MaxPaletteEntries = 0xFFFF;

} // namespace

PaletteEntry* platformAllocPaletteEntries(std::int32_t count) {
    if (count <= 0 || count > MaxPaletteEntries) {
        return nullptr;
    }
    return static_cast<PaletteEntry*>(
        LocalAlloc(LPTR, static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY)));
}

void platformFreePaletteEntries(PaletteEntry* entries) {
    if (entries != nullptr) {
        LocalFree(entries);
    }
}

PaletteHandle platformCreatePalette(std::uint16_t version, const PaletteEntry* entries,
                                    std::int32_t count) {
    if (entries == nullptr || count <= 0 || count > MaxPaletteEntries) {
        return nullptr;
    }
    // LOGPALETTE ends in its entries: room for the header and all of them at once.
    const SIZE_T size =
        offsetof(LOGPALETTE, palPalEntry) + static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY);
    auto* logical = static_cast<LOGPALETTE*>(LocalAlloc(LPTR, size));
    if (logical == nullptr) {
        return nullptr;
    }
    logical->palVersion = version;
    logical->palNumEntries = static_cast<WORD>(count);
    CopyMemory(logical->palPalEntry, entries, static_cast<SIZE_T>(count) * sizeof(PALETTEENTRY));
    HPALETTE palette = CreatePalette(logical);
    LocalFree(logical);
    return palette;
}

void platformDeletePalette(PaletteHandle palette) {
    if (palette != nullptr) {
        DeleteObject(asPalette(palette));
    }
}

PaletteHandle platformStockPalette() {
    return GetStockObject(DEFAULT_PALETTE);
}

std::int32_t platformGetPaletteEntries(PaletteHandle palette, std::int32_t first,
                                       std::int32_t count, PaletteEntry* entries) {
    if (palette == nullptr || entries == nullptr || first < 0 || count <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(GetPaletteEntries(asPalette(palette), static_cast<UINT>(first),
                                                       static_cast<UINT>(count),
                                                       reinterpret_cast<PALETTEENTRY*>(entries)));
}

PaletteHandle platformSelectPalette(SurfaceHandle dc, PaletteHandle palette,
                                    std::int32_t background) {
    return SelectPalette(asDc(dc), asPalette(palette), background ? TRUE : FALSE);
}

std::int32_t platformRealizePalette(SurfaceHandle dc) {
    const UINT changed = RealizePalette(asDc(dc));
    return changed == GDI_ERROR ? -1 : static_cast<std::int32_t>(changed);
}

std::int32_t platformUnrealizePalette(PaletteHandle palette) {
    return UnrealizeObject(asPalette(palette)) ? 1 : 0;
}

std::uint32_t platformSetSystemPaletteUse(SurfaceHandle dc, std::uint32_t use) {
    return SetSystemPaletteUse(asDc(dc), use);
}

std::uint32_t platformGetSysColor(std::int32_t element) {
    return GetSysColor(element);
}

std::int32_t platformSetSysColors(std::int32_t count, const std::int32_t* elements,
                                  const std::uint32_t* colours) {
    // COLORREF is a 32-bit word of another name; copied rather than cast.
    constexpr std::int32_t MaxElements = 64;
    if (count <= 0 || count > MaxElements || elements == nullptr || colours == nullptr) {
        return 0;
    }
    INT numbers[MaxElements];
    COLORREF values[MaxElements];
    for (std::int32_t i = 0; i < count; ++i) {
        numbers[i] = elements[i];
        values[i] = colours[i];
    }
    return SetSysColors(count, numbers, values) ? 1 : 0;
}

void platformBroadcastSysColorChange() {
    PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
}

std::int32_t platformUserMessageWaiting(WindowHandle window) {
    MSG msg;
    return PeekMessageA(&msg, static_cast<HWND>(window), WM_USER, WM_USER, PM_NOREMOVE) ? 1 : 0;
}

void platformPostUserMessage(WindowHandle window) {
    PostMessageA(static_cast<HWND>(window), WM_USER, 0, 0);
}

void platformYieldTimeSlice() {
    Sleep(0);
}

ColorSettingsHandle platformOpenColorSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

std::int32_t platformReadColorSetting(ColorSettingsHandle key, const char* name, char* buffer,
                                      std::uint32_t size, std::uint32_t& length) {
    DWORD type = 0;
    DWORD bytes = size;
    // A value longer than the buffer fails with ERROR_MORE_DATA and is not read at all.
    if (key == nullptr || buffer == nullptr ||
        RegQueryValueExA(static_cast<HKEY>(key), name, nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return 0;
    }
    length = bytes;
    return 1;
}

void platformCloseColorSettings(ColorSettingsHandle key) {
    if (key != nullptr) {
        RegCloseKey(static_cast<HKEY>(key));
    }
}
