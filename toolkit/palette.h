// Palette arithmetic for displays of 8 bits or fewer: the colour ramp, the fitting of
// the system's static colours into it, and the tables and state of the system-colour
// takeover. Pure functions; a platform with palettes feeds them to its own calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "pixel_format.h"

struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t flags;
};

constexpr std::uint8_t PC_RESERVED_FLAG = 1;
constexpr std::uint8_t PC_NOCOLLAPSE_FLAG = 4;

constexpr int StaticColorCount = 20;
constexpr int SystemColorCount = 25;

// Colour values as COLORREF words: red in bits 0-7, green 8-15, blue 16-23; a high byte
// of 0x02 marks a palette-relative colour.
constexpr std::uint32_t PaletteWhite = 0x02FFFFFF;
constexpr std::uint32_t PaletteBlack = 0x02000000;

extern const std::uint8_t rampTable1[2];
extern const std::uint8_t rampTable2[4];
extern const std::uint8_t rampTable3[8];

// The first 20 colours of the stock default palette, as last fitted (their usual values
// before that), and the palette entry each of them was fitted into.
extern std::array<PaletteEntry, StaticColorCount> defaultPaletteColors;
extern std::int32_t staticColorSlots[StaticColorCount];
extern const std::array<PaletteEntry, StaticColorCount> initialDefaultPaletteColors;

// Element numbers and names of the system colours, and what each shows while the
// program owns the system palette.
extern const std::int32_t systemColorElements[SystemColorCount];
extern const char* const systemColorNames[SystemColorCount];
extern const std::uint32_t monochromeSystemColors[SystemColorCount];

struct PaletteState {
    std::int32_t systemPaletteMode; // the palette takes over the system palette
    std::int32_t systemColorsTaken; // the system colours are replaced by ours right now
    std::uint32_t savedSystemColors[SystemColorCount];
    std::int32_t retryAfterFrame; // a take-over retry waits for the next idle call
};

extern PaletteState paletteState;

// The level 0 to 255 of one colour component of palette entry `index`.
std::uint8_t rampComponent(std::uint32_t index, std::uint32_t bits, std::uint32_t shift);

// Whether fillRampPalette fits the static colours into `count` entries of `format`: 256
// entries of the 3-3-2 layout, outside system-palette mode.
bool fitsStaticColors(const PixelFormatRequest& format, std::int32_t count);

// Fills `count` entries with the ramp of the described format. For 256 entries it keeps
// black and white static in system-palette mode, or, for the 3-3-2 layout, fits the 20
// `stockColors` into their nearest entries.
PaletteEntry* fillRampPalette(const PixelFormatRequest& format, PaletteEntry* entries,
                              std::int32_t count, const PaletteEntry* stockColors);

// Finds for each of the 20 `stockColors` the entry of the 256 that will carry it, into
// staticColorSlots; the stock colours are kept in defaultPaletteColors.
void fitStaticColors(PaletteEntry* entries, const PaletteEntry* stockColors);

// Reads a colour setting ("255 128 0") as red, green and blue, into a colour value. Reads
// at most `length` bytes; 1 when three numbers were read, else 0 and `colour` unchanged.
int parseColorSetting(const char* text, std::size_t length, std::uint32_t& colour);
