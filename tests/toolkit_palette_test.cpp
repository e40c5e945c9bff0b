// The pixel-format request from the display mode word, and the palette arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "pixel_format.h"

namespace {

TEST(PixelFormatRequest, EachBitOfTheModeAddsItsPart) {
    constexpr std::uint32_t Window = PFD_DRAW_TO_WINDOW_FLAG | PFD_SUPPORT_OPENGL_FLAG;
    struct Row {
        std::uint32_t mode, flags;
        int pixelType, colour, alpha, accum, depth, stencil;
    };
    const int Rgba = PFD_TYPE_RGBA_VALUE;
    for (const Row& r : {
             Row{258, Window | PFD_DOUBLEBUFFER_FLAG, Rgba, 24, 0, 0, 16, 0}, // the game's
             Row{0, Window, Rgba, 24, 0, 0, 0, 0},
             Row{MODE_DEPTH_16 | MODE_DEPTH_BUFFER, Window, Rgba, 24, 0, 0, 16, 0},
             Row{MODE_DEPTH_BUFFER, Window, Rgba, 24, 0, 0, 24, 0},
             Row{MODE_STENCIL_BUFFER, Window, Rgba, 24, 0, 0, 0, 4},
             Row{MODE_ACCUM_BUFFER, Window, Rgba, 24, 0, 24, 0, 0},
             Row{MODE_ACCUM_BUFFER | MODE_ALPHA_BITS, Window, Rgba, 24, 8, 32, 0, 0},
             Row{MODE_COLOR_INDEX | MODE_ACCUM_BUFFER | MODE_ALPHA_BITS, Window,
                 PFD_TYPE_COLORINDEX_VALUE, 8, 8, 16, 0, 0},
             Row{MODE_SYSTEM_PALETTE | 4 | 128, Window, Rgba, 24, 0, 0, 0, 0}, // no effect
         }) {
        const PixelFormatRequest q = makePixelFormatRequest(r.mode);
        EXPECT_EQ(q.flags, r.flags) << r.mode;
        EXPECT_EQ((std::vector<int>{q.pixelType, q.colorBits, q.alphaBits, q.accumBits, q.depthBits,
                                    q.stencilBits}),
                  (std::vector<int>{r.pixelType, r.colour, r.alpha, r.accum, r.depth, r.stencil}))
            << r.mode;
        EXPECT_EQ((std::vector<int>{q.size, q.version, q.auxBuffers, q.layerType}),
                  (std::vector<int>{40, 1, 0, PFD_MAIN_PLANE_VALUE}));
    }
}

TEST(RampPalette, ComponentLevelsComeFromTheRampOfTheirWidth) {
    struct Row {
        std::uint32_t index, bits, shift;
        int level;
    };
    for (const Row& r : {Row{0xFF, 0, 0, 0}, Row{1, 1, 0, 255}, Row{2, 1, 0, 0},
                         Row{0x40, 2, 6, 116}, Row{0x80, 2, 6, 191}, Row{5, 3, 0, 200},
                         Row{3 << 3, 3, 3, 139}, Row{15, 4, 0, 255}, Row{5, 4, 0, 85},
                         Row{0xFFFFFFFF, 8, 40, 0}}) { // wider: even steps; a shift past the word
        EXPECT_EQ(rampComponent(r.index, r.bits, r.shift), r.level) << r.index << " " << r.bits;
    }
}

// The usual 8-bit format: red 3 bits at shift 0, green 3 at 3, blue 2 at 6.
constexpr PixelFormatRequest Format332 = {40, 1, 0, 0, 8, 3, 0, 3, 3, 2, 6, 0, 0, 0, 0, 0, 0};

std::vector<PaletteEntry> rampPalette(const PixelFormatRequest& format, int count) {
    std::vector<PaletteEntry> entries(static_cast<std::size_t>(count));
    fillRampPalette(format, entries.data(), count, initialDefaultPaletteColors.data());
    return entries;
}

std::vector<int> rgbf(const PaletteEntry& e) {
    return {e.red, e.green, e.blue, e.flags};
}

// The 3-3-2 ramp's colour of entry i, with the given flags.
std::vector<int> ramp332(int i, int flags) {
    return {rampTable3[i & 7], rampTable3[(i >> 3) & 7], rampTable2[i >> 6], flags};
}

TEST(RampPalette, The332RampCarriesTheStaticColoursOrKeepsBlackAndWhiteStatic) {
    nullPlatformReset();
    const std::vector<int> slots = {0,   3,   24, 27, 64, 67, 88,  173, 181, 236,
                                    247, 164, 91, 7,  56, 63, 192, 199, 248, 255};
    for (int systemMode : {1, 0}) {
        paletteState.systemPaletteMode = systemMode;
        const std::vector<PaletteEntry> entries = rampPalette(Format332, 256);
        for (int i = 0; i < 256; ++i) {
            const auto slot = std::find(slots.begin(), slots.end(), i);
            const std::vector<int> shared =
                slot == slots.end() ? ramp332(i, PC_NOCOLLAPSE_FLAG)
                                    : rgbf(initialDefaultPaletteColors[slot - slots.begin()]);
            const std::vector<int> system = ramp332(i, i % 255 == 0 ? 0 : PC_NOCOLLAPSE_FLAG);
            EXPECT_EQ(rgbf(entries[i]), systemMode ? system : shared) << i;
        }
    }
    EXPECT_EQ(std::vector<int>(staticColorSlots, staticColorSlots + StaticColorCount), slots);
}

TEST(RampPalette, OtherSizesAndLayoutsKeepThePlainRamp) {
    nullPlatformReset();
    PixelFormatRequest f = Format332;
    f.redShift = 5; // 3-3-2 in another order
    f.blueShift = 0;
    for (const PaletteEntry& e : rampPalette(f, 256)) {
        ASSERT_EQ(e.flags, PC_NOCOLLAPSE_FLAG) << "no static colour fitted";
    }
    f = {40, 1, 0, 0, 3, 1, 0, 1, 1, 1, 2, 0, 0, 0, 0, 0, 0}; // eight entries, 1-1-1
    EXPECT_EQ(rgbf(rampPalette(f, 8)[5]), (std::vector<int>{255, 0, 255, PC_NOCOLLAPSE_FLAG}));
}

TEST(RampPalette, FittingTakesExactColoursFirstThenTheNearestFreeEntryTheLowestOnATie) {
    // All black but entry 7, red; the stock colours are red, black twice, then grey.
    std::vector<PaletteEntry> entries(256, PaletteEntry{0, 0, 0, 9});
    entries[7] = {255, 0, 0, 0};
    std::array<PaletteEntry, StaticColorCount> stock{};
    stock.fill({200, 200, 200, 0});
    stock[0] = {255, 0, 0, 0};
    stock[1] = stock[2] = {0, 0, 0, 0};
    fitStaticColors(entries.data(), stock.data());
    EXPECT_EQ(
        std::vector<int>(staticColorSlots, staticColorSlots + StaticColorCount),
        (std::vector<int>{7, 0, 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_TRUE(std::all_of(entries.begin(), entries.end(),
                            [](const PaletteEntry& e) { return e.flags == PC_NOCOLLAPSE_FLAG; }));
}

TEST(ColourSetting, ThreeNumbersBecomeAColourValueAndAnythingElseChangesNothing) {
    const char unterminated[5] = {'1', ' ', '2', ' ', '3'}; // read within its buffer only
    const char cut[4] = {'1', ' ', '2', ' '};
    struct Row {
        const char* text;
        std::size_t length;
        int read;
        std::uint32_t colour;
    };
    int row = 0;
    for (const Row& r :
         {Row{"255 128 0", 10, 1, 0x000080FF}, Row{"\t1\n 2   3 and more", 64, 1, 0x030201},
          Row{"-1 256 99999999999999999999999", 64, 1, 0xFF00FF}, // masked to bytes
          Row{unterminated, sizeof unterminated, 1, 0x030201}, Row{cut, sizeof cut, 0, 0x123456},
          Row{"", 64, 0, 0x123456}, Row{"12 34", 64, 0, 0x123456},
          Row{"red green blue", 64, 0, 0x123456}, Row{"1, 2, 3", 64, 0, 0x123456},
          Row{"- 1 2 3", 64, 0, 0x123456}, Row{nullptr, 64, 0, 0x123456}}) {
        std::uint32_t colour = 0x123456;
        EXPECT_EQ(parseColorSetting(r.text, r.length, colour), r.read) << "row " << row;
        EXPECT_EQ(colour, r.colour) << "row " << row++;
    }
}

} // namespace
