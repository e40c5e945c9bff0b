// What the core's palette code asks of a platform: one small operation for each GDI
// call it stands for, so that the whole palette sequence (when a palette is needed, how
// it is built, flushed, realized, rebuilt and restored, the system-colour take-over)
// is written once in the core. Win32 answers with GDI; a true-colour platform describes
// a format that needs no palette and is never asked the rest; the null platform answers
// from a scripted display.
#pragma once

#include <cstdint>

#include "palette.h"
#include "pixel_format.h"
#include "window.h"

// An open key of the user's colour settings; null when none could be opened.
using ColorSettingsHandle = void*;

// System palette use, as SetSystemPaletteUse takes and returns it.
constexpr std::uint32_t SYSPAL_STATIC_USE = 1;
constexpr std::uint32_t SYSPAL_NOSTATIC_USE = 2;

// GetPixelFormat: the number of the format set on `dc`, 0 or less when it has none.
std::int32_t platformGetPixelFormat(SurfaceHandle dc);
// DescribePixelFormat: fills `descriptor` with format `format` of `dc` (every field the
// core reads: flags, pixel type, colour bits, component bits and shifts). Above 0 on
// success.
std::int32_t platformDescribePixelFormat(SurfaceHandle dc, std::int32_t format,
                                         PixelFormatRequest& descriptor);

// LocalAlloc / LocalFree: room for `count` zero-filled entries of a logical palette, or
// null when the memory cannot be had.
PaletteEntry* platformAllocPaletteEntries(std::int32_t count);
void platformFreePaletteEntries(PaletteEntry* entries);
// CreatePalette from a logical palette of `version` (0x300) and `count` entries; null on
// failure. DeleteObject releases it.
PaletteHandle platformCreatePalette(std::uint16_t version, const PaletteEntry* entries,
                                    std::int32_t count);
void platformDeletePalette(PaletteHandle palette);

// GetStockObject(DEFAULT_PALETTE): the stock default palette, null where there is none.
PaletteHandle platformStockPalette();
// GetPaletteEntries: copies `count` entries from `first` on; the number copied.
std::int32_t platformGetPaletteEntries(PaletteHandle palette, std::int32_t first,
                                       std::int32_t count, PaletteEntry* entries);

// SelectPalette: selects `palette` into `dc` as a background palette when `background` is
// nonzero, else as the foreground one; the palette selected before, null on failure.
PaletteHandle platformSelectPalette(SurfaceHandle dc, PaletteHandle palette,
                                    std::int32_t background);
// RealizePalette: maps the palette selected into `dc` into the system palette; the
// number of entries that changed, or -1 on failure.
std::int32_t platformRealizePalette(SurfaceHandle dc);
// UnrealizeObject: the next realization maps `palette` afresh; nonzero on success.
std::int32_t platformUnrealizePalette(PaletteHandle palette);

// SetSystemPaletteUse with SYSPAL_STATIC_USE or SYSPAL_NOSTATIC_USE; the use before.
std::uint32_t platformSetSystemPaletteUse(SurfaceHandle dc, std::uint32_t use);
// GetSysColor and SetSysColors, colours as COLORREF words.
std::uint32_t platformGetSysColor(std::int32_t element);
std::int32_t platformSetSysColors(std::int32_t count, const std::int32_t* elements,
                                  const std::uint32_t* colours);
// PostMessageA(HWND_BROADCAST, WM_SYSCOLORCHANGE): every top-level window, this one too,
// hears that the system colours changed.
void platformBroadcastSysColorChange();

// PeekMessageA without removing: whether a WM_USER message for `window` is waiting.
std::int32_t platformUserMessageWaiting(WindowHandle window);
// PostMessageA(window, WM_USER): the window procedure gets WmUser from the queue later.
void platformPostUserMessage(WindowHandle window);
// Sleep(0): gives up the rest of the time slice.
void platformYieldTimeSlice();

// RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors") for reading values.
ColorSettingsHandle platformOpenColorSettings();
// RegQueryValueExA of the value `name` into `buffer` of `size` bytes: 1 when it was read
// and is text (REG_SZ), with `length` set to the bytes stored; else 0.
std::int32_t platformReadColorSetting(ColorSettingsHandle key, const char* name, char* buffer,
                                      std::uint32_t size, std::uint32_t& length);
void platformCloseColorSettings(ColorSettingsHandle key);
