// The pixel-format request from the display mode word, and the palette arithmetic.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "pixel_format.h"

namespace {

TEST(PixelFormatRequest, TheGamesModeAsksForDoubleBufferedRgbaWith16DepthBits) {
    const PixelFormatRequest r = makePixelFormatRequest(258);
    EXPECT_EQ(r.size, 40);
    EXPECT_EQ(r.version, 1);
    EXPECT_EQ(r.flags, PFD_DRAW_TO_WINDOW_FLAG | PFD_SUPPORT_OPENGL_FLAG | PFD_DOUBLEBUFFER_FLAG);
    EXPECT_EQ(r.pixelType, PFD_TYPE_RGBA_VALUE);
    EXPECT_EQ(r.colorBits, 24);
    EXPECT_EQ(r.depthBits, 16);
    EXPECT_EQ(r.alphaBits, 0);
    EXPECT_EQ(r.accumBits, 0);
    EXPECT_EQ(r.stencilBits, 0);
    EXPECT_EQ(r.auxBuffers, 0);
    EXPECT_EQ(r.layerType, PFD_MAIN_PLANE_VALUE);
}

TEST(PixelFormatRequest, EachBitOfTheModeAddsItsPart) {
    EXPECT_EQ(makePixelFormatRequest(MODE_DEPTH_16 | MODE_DEPTH_BUFFER).depthBits, 16);
    EXPECT_EQ(makePixelFormatRequest(MODE_DEPTH_BUFFER).depthBits, 24);
    EXPECT_EQ(makePixelFormatRequest(0).depthBits, 0);
    EXPECT_EQ(makePixelFormatRequest(0).flags & PFD_DOUBLEBUFFER_FLAG, 0u);
    EXPECT_EQ(makePixelFormatRequest(MODE_STENCIL_BUFFER).stencilBits, 4);
    EXPECT_EQ(makePixelFormatRequest(MODE_ALPHA_BITS).alphaBits, 8);
    EXPECT_EQ(makePixelFormatRequest(MODE_ACCUM_BUFFER).accumBits, 24);
    EXPECT_EQ(makePixelFormatRequest(MODE_ACCUM_BUFFER | MODE_ALPHA_BITS).accumBits, 32);

    const PixelFormatRequest index =
        makePixelFormatRequest(MODE_COLOR_INDEX | MODE_ACCUM_BUFFER | MODE_ALPHA_BITS);
    EXPECT_EQ(index.pixelType, PFD_TYPE_COLORINDEX_VALUE);
    EXPECT_EQ(index.colorBits, 8);
    EXPECT_EQ(index.accumBits, 16);
    EXPECT_EQ(makePixelFormatRequest(MODE_SYSTEM_PALETTE | 4 | 128).flags,
              PFD_DRAW_TO_WINDOW_FLAG | PFD_SUPPORT_OPENGL_FLAG)
        << "no other bit has an effect";
}

PixelFormatRequest format332() {
    PixelFormatRequest f = makePixelFormatRequest(MODE_DOUBLE_BUFFER);
    f.colorBits = 8;
    f.redBits = 3;
    f.redShift = 0;
    f.greenBits = 3;
    f.greenShift = 3;
    f.blueBits = 2;
    f.blueShift = 6;
    return f;
}

TEST(RampPalette, ComponentLevelsComeFromTheRampOfTheirWidth) {
    EXPECT_EQ(rampComponent(0xFF, 0, 0), 0);
    EXPECT_EQ(rampComponent(1, 1, 0), 255);
    EXPECT_EQ(rampComponent(2, 1, 0), 0);
    EXPECT_EQ(rampComponent(0x40, 2, 6), 116);
    EXPECT_EQ(rampComponent(0x80, 2, 6), 191);
    EXPECT_EQ(rampComponent(5, 3, 0), 200);
    EXPECT_EQ(rampComponent(3 << 3, 3, 3), 139);
    // Wider components have no table: their levels spread evenly.
    EXPECT_EQ(rampComponent(0, 4, 0), 0);
    EXPECT_EQ(rampComponent(15, 4, 0), 255);
    EXPECT_EQ(rampComponent(5, 4, 0), 85);
    EXPECT_EQ(rampComponent(0xFFFFFFFF, 8, 40), 0) << "a shift past the word reads nothing";
}

TEST(RampPalette, SharedModeFitsTheTwentyStaticColoursIntoTheirSlots) {
    nullPlatformReset();
    std::vector<PaletteEntry> entries(256);
    fillRampPalette(format332(), entries.data(), 256, initialDefaultPaletteColors.data());
    const std::int32_t expected[StaticColorCount] = {0,   3,   24, 27, 64, 67, 88,  173, 181, 236,
                                                     247, 164, 91, 7,  56, 63, 192, 199, 248, 255};
    std::vector<bool> isSlot(256, false);
    for (int j = 0; j < StaticColorCount; ++j) {
        EXPECT_EQ(staticColorSlots[j], expected[j]) << "colour " << j;
        const PaletteEntry& e = entries[expected[j]];
        const PaletteEntry& c = initialDefaultPaletteColors[j];
        EXPECT_EQ(e.red, c.red);
        EXPECT_EQ(e.green, c.green);
        EXPECT_EQ(e.blue, c.blue);
        EXPECT_EQ(e.flags, 0);
        isSlot[expected[j]] = true;
    }
    for (int i = 0; i < 256; ++i) {
        if (isSlot[i]) {
            continue;
        }
        EXPECT_EQ(entries[i].red, rampTable3[i & 7]) << i;
        EXPECT_EQ(entries[i].green, rampTable3[(i >> 3) & 7]) << i;
        EXPECT_EQ(entries[i].blue, rampTable2[i >> 6]) << i;
        EXPECT_EQ(entries[i].flags, PC_NOCOLLAPSE_FLAG) << i;
    }
}

TEST(RampPalette, SystemPaletteModeKeepsThePureRampWithBlackAndWhiteStatic) {
    nullPlatformReset();
    paletteState.systemPaletteMode = 1;
    std::vector<PaletteEntry> entries(256);
    fillRampPalette(format332(), entries.data(), 256, initialDefaultPaletteColors.data());
    EXPECT_EQ(entries[0].red + entries[0].green + entries[0].blue, 0);
    EXPECT_EQ(entries[0].flags, 0);
    EXPECT_EQ(entries[255].red & entries[255].green & entries[255].blue, 255);
    EXPECT_EQ(entries[255].flags, 0);
    EXPECT_EQ(entries[88].green, rampTable3[3]) << "no static colour moved in";
    EXPECT_EQ(entries[88].flags, PC_NOCOLLAPSE_FLAG);
    paletteState.systemPaletteMode = 0;
}

TEST(RampPalette, OtherSizesAndLayoutsKeepThePlainRamp) {
    nullPlatformReset();
    PixelFormatRequest f = format332();
    f.redShift = 5; // 2-3-3 the other way round
    f.blueShift = 0;
    std::vector<PaletteEntry> entries(256);
    fillRampPalette(f, entries.data(), 256, initialDefaultPaletteColors.data());
    for (const PaletteEntry& e : entries) {
        EXPECT_EQ(e.flags, PC_NOCOLLAPSE_FLAG);
    }
    PixelFormatRequest small = format332();
    small.redBits = 1;
    small.greenBits = 1;
    small.greenShift = 1;
    small.blueBits = 1;
    small.blueShift = 2;
    std::vector<PaletteEntry> eight(8);
    fillRampPalette(small, eight.data(), 8, initialDefaultPaletteColors.data());
    EXPECT_EQ(eight[5].red, 255);
    EXPECT_EQ(eight[5].green, 0);
    EXPECT_EQ(eight[5].blue, 255);
}

TEST(RampPalette, FittingPrefersExactColoursAndTheLowestEntryOnATie) {
    nullPlatformReset();
    // Every entry grey 10, entry 7 pure red: red goes to 7, the rest to the lowest free.
    std::vector<PaletteEntry> entries(256, PaletteEntry{10, 10, 10, 9});
    entries[7] = {255, 0, 0, 0};
    std::array<PaletteEntry, StaticColorCount> stock{};
    stock[0] = {255, 0, 0, 0};
    for (int j = 1; j < StaticColorCount; ++j) {
        stock[j] = {10, 10, 10, 0};
    }
    fitStaticColors(entries.data(), stock.data());
    EXPECT_EQ(staticColorSlots[0], 7);
    EXPECT_EQ(staticColorSlots[1], 0) << "exact grey, first match";
    EXPECT_EQ(staticColorSlots[2], 0) << "the exact pass may share an entry";
    for (const PaletteEntry& e : entries) {
        EXPECT_EQ(e.flags, PC_NOCOLLAPSE_FLAG);
    }

    std::vector<PaletteEntry> far(256, PaletteEntry{0, 0, 0, 0});
    std::array<PaletteEntry, StaticColorCount> bright{};
    bright.fill({200, 200, 200, 0});
    fitStaticColors(far.data(), bright.data());
    for (int j = 0; j < StaticColorCount; ++j) {
        EXPECT_EQ(staticColorSlots[j], j) << "nearest pass takes each free entry in turn";
    }
}

TEST(ColourSetting, ThreeNumbersBecomeAColourValue) {
    std::uint32_t colour = 0xDEAD;
    const char* text = "255 128 0";
    EXPECT_EQ(parseColorSetting(text, std::strlen(text) + 1, colour), 1);
    EXPECT_EQ(colour, 0x000080FFu);
    const char* spaced = "\t1\n 2   3 and more";
    EXPECT_EQ(parseColorSetting(spaced, 64, colour), 1);
    EXPECT_EQ(colour, 0x00030201u);
    const char* wide = "-1 256 99999999999999999999999";
    EXPECT_EQ(parseColorSetting(wide, 64, colour), 1);
    EXPECT_EQ(colour, 0x00FF00FFu) << "each number masked to its byte";
}

TEST(ColourSetting, AnythingElseLeavesTheColourUnchanged) {
    std::uint32_t colour = 0x123456;
    for (const char* text : {"", "12 34", "red green blue", "1, 2, 3", "- 1 2 3"}) {
        EXPECT_EQ(parseColorSetting(text, 64, colour), 0) << text;
        EXPECT_EQ(colour, 0x123456u) << text;
    }
    EXPECT_EQ(parseColorSetting(nullptr, 64, colour), 0);
    // A value that fills its buffer with no terminator is read within the buffer only.
    const char unterminated[5] = {'1', ' ', '2', ' ', '3'};
    EXPECT_EQ(parseColorSetting(unterminated, sizeof unterminated, colour), 1);
    EXPECT_EQ(colour, 0x00030201u);
    const char cut[4] = {'1', ' ', '2', ' '};
    colour = 7;
    EXPECT_EQ(parseColorSetting(cut, sizeof cut, colour), 0);
    EXPECT_EQ(colour, 7u);
}

} // namespace
