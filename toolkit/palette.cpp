// Palette arithmetic: ramp levels, the ramp palette, static-colour fitting and the
// reading of a colour setting.
#include "palette.h"

#include <cctype>
#include <climits>
#include <cstring>

const std::uint8_t rampTable1[2] = {0, 255};
const std::uint8_t rampTable2[4] = {0, 116, 191, 255};
const std::uint8_t rampTable3[8] = {0, 63, 104, 139, 171, 200, 229, 255};

const std::array<PaletteEntry, StaticColorCount> initialDefaultPaletteColors = {{
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
}};

// Defined after its initial value in this file, so it starts as that copy.
std::array<PaletteEntry, StaticColorCount> defaultPaletteColors = initialDefaultPaletteColors;

std::int32_t staticColorSlots[StaticColorCount];

const std::int32_t systemColorElements[SystemColorCount] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

const char* const systemColorNames[SystemColorCount] = {
    "Scrollbar",     "Background",     "ActiveTitle",  "InactiveTitle", "Menu",
    "Window",        "WindowFrame",    "MenuText",     "WindowText",    "TitleText",
    "ActiveBorder",  "InactiveBorder", "AppWorkspace", "Hilight",       "HilightText",
    "ButtonFace",    "ButtonShadow",   "GrayText",     "ButtonText",    "InactiveTitleText",
    "ButtonHilight", "ButtonDkShadow", "ButtonLight",  "InfoText",      "InfoWindow",
};

const std::uint32_t monochromeSystemColors[SystemColorCount] = {
    PaletteWhite, PaletteBlack, PaletteBlack, PaletteWhite, PaletteWhite,
    PaletteWhite, PaletteBlack, PaletteBlack, PaletteBlack, PaletteWhite,
    PaletteWhite, PaletteWhite, PaletteWhite, PaletteBlack, PaletteWhite,
    PaletteWhite, PaletteBlack, PaletteBlack, PaletteBlack, PaletteBlack,
    PaletteBlack, PaletteBlack, PaletteWhite, PaletteBlack, PaletteWhite,
};

PaletteState paletteState;

std::uint8_t rampComponent(std::uint32_t index, std::uint32_t bits, std::uint32_t shift) {
    const std::uint32_t v = shift < 32 ? index >> shift : 0;
    switch (bits) {
    case 0:
        return 0;
    case 1:
        return rampTable1[v & 1];
    case 2:
        return rampTable2[v & 3];
    case 3:
        return rampTable3[v & 7];
    default: {
        // No table for wider components: spread their levels evenly from 0 to 255.
        const std::uint32_t mask = bits >= 8 ? 255u : (1u << bits) - 1;
        return static_cast<std::uint8_t>((v & mask) * 255u / mask);
    }
    }
}

bool fitsStaticColors(const PixelFormatRequest& format, std::int32_t count) {
    return count == 256 && !paletteState.systemPaletteMode && format.redBits == 3 &&
           format.redShift == 0 && format.greenBits == 3 && format.greenShift == 3 &&
           format.blueBits == 2 && format.blueShift == 6;
}

PaletteEntry* fillRampPalette(const PixelFormatRequest& format, PaletteEntry* entries,
                              std::int32_t count, const PaletteEntry* stockColors) {
    for (std::int32_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::uint32_t>(i);
        entries[i].red = rampComponent(index, format.redBits, format.redShift);
        entries[i].green = rampComponent(index, format.greenBits, format.greenShift);
        entries[i].blue = rampComponent(index, format.blueBits, format.blueShift);
        entries[i].flags = PC_NOCOLLAPSE_FLAG;
    }
    if (count == 256 && paletteState.systemPaletteMode) {
        // Under no-static use only black and white stay fixed.
        entries[0].flags = 0;
        entries[255].flags = 0;
    } else if (fitsStaticColors(format, count)) {
        fitStaticColors(entries, stockColors);
        for (int j = 0; j < StaticColorCount; ++j) {
            PaletteEntry& slot = entries[staticColorSlots[j]];
            slot = defaultPaletteColors[j];
            slot.flags = 0;
        }
    }
    return entries;
}

namespace {

bool sameColour(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

std::int32_t squaredDistance(const PaletteEntry& a, const PaletteEntry& b) {
    const std::int32_t dr = a.red - b.red;
    const std::int32_t dg = a.green - b.green;
    const std::int32_t db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

} // namespace

void fitStaticColors(PaletteEntry* entries, const PaletteEntry* stockColors) {
    // The flags bytes serve as "already taken" marks while fitting.
    for (int j = 0; j < StaticColorCount; ++j) {
        defaultPaletteColors[j] = stockColors[j];
        defaultPaletteColors[j].flags = 0;
    }
    for (int i = 0; i < 256; ++i) {
        entries[i].flags = 0;
    }
    for (int j = 0; j < StaticColorCount; ++j) {
        for (int i = 0; i < 256; ++i) {
            if (sameColour(entries[i], defaultPaletteColors[j])) {
                defaultPaletteColors[j].flags = 1;
                entries[i].flags = 1;
                staticColorSlots[j] = i;
                break;
            }
        }
    }
    for (int j = 0; j < StaticColorCount; ++j) {
        if (defaultPaletteColors[j].flags) {
            continue;
        }
        std::int32_t best = 0x30001; // above 3 * 255 * 255, the largest distance
        std::int32_t bestEntry = 0;
        for (int i = 0; i < 256; ++i) {
            if (entries[i].flags) {
                continue;
            }
            const std::int32_t d = squaredDistance(entries[i], defaultPaletteColors[j]);
            if (d < best) {
                best = d;
                bestEntry = i;
            }
        }
        staticColorSlots[j] = bestEntry;
        entries[bestEntry].flags = 1;
    }
    for (int j = 0; j < StaticColorCount; ++j) {
        defaultPaletteColors[j].flags = 0;
    }
    for (int i = 0; i < 256; ++i) {
        entries[i].flags = PC_NOCOLLAPSE_FLAG;
    }
}

namespace {

// Reads one "%ld" number from text[pos..length): blanks first, then an optional sign
// and decimal digits. Out-of-range values clamp as strtol clamps them.
bool readLong(const char* text, std::size_t length, std::size_t& pos, long& value) {
    while (pos < length && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < length && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= length || !std::isdigit(static_cast<unsigned char>(text[pos]))) {
        return false;
    }
    unsigned long magnitude = 0;
    const unsigned long limit = negative ? 0ul - static_cast<unsigned long>(LONG_MIN)
                                         : static_cast<unsigned long>(LONG_MAX);
    for (; pos < length && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        const unsigned digit = static_cast<unsigned>(text[pos] - '0');
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    if (negative) {
        value = magnitude == limit ? LONG_MIN : -static_cast<long>(magnitude);
    } else {
        value = static_cast<long>(magnitude);
    }
    return true;
}

} // namespace

int parseColorSetting(const char* text, std::size_t length, std::uint32_t& colour) {
    if (text == nullptr) {
        return 0;
    }
    length = strnlen(text, length);
    long rgb[3];
    std::size_t pos = 0;
    for (long& component : rgb) {
        if (!readLong(text, length, pos, component)) {
            return 0;
        }
    }
    colour =
        static_cast<std::uint32_t>((rgb[0] & 255) + 256 * (rgb[1] & 255) + 65536 * (rgb[2] & 255));
    return 1;
}
