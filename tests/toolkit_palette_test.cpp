// The pixel-format request from the display mode word, and the palette arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "pixel_format.h"

namespace {

TEST(PixelFormatRequest, EachBitOfTheModeAddsItsPart) {
    // flags, pixel type, colour, alpha, accumulation, depth and stencil bits
    const auto describe = [](std::uint32_t mode) {
        const PixelFormatRequest q = makePixelFormatRequest(mode);
        EXPECT_EQ((std::vector<int>{q.size, q.version, q.auxBuffers, q.layerType}),
                  (std::vector<int>{40, 1, 0, PFD_MAIN_PLANE_VALUE}));
        std::string text = std::to_string(q.flags);
        for (int n :
             {q.pixelType, q.colorBits, q.alphaBits, q.accumBits, q.depthBits, q.stencilBits}) {
            text += " " + std::to_string(n);
        }
        return text;
    };
    EXPECT_EQ(describe(258), "37 0 24 0 0 16 0") << "the game's: double buffer, draw, OpenGL";
    EXPECT_EQ(describe(0), "36 0 24 0 0 0 0");
    EXPECT_EQ(describe(MODE_DEPTH_16 | MODE_DEPTH_BUFFER), "36 0 24 0 0 16 0");
    EXPECT_EQ(describe(MODE_DEPTH_BUFFER), "36 0 24 0 0 24 0");
    EXPECT_EQ(describe(MODE_STENCIL_BUFFER), "36 0 24 0 0 0 4");
    EXPECT_EQ(describe(MODE_ACCUM_BUFFER), "36 0 24 0 24 0 0");
    EXPECT_EQ(describe(MODE_ACCUM_BUFFER | MODE_ALPHA_BITS), "36 0 24 8 32 0 0");
    EXPECT_EQ(describe(MODE_COLOR_INDEX | MODE_ACCUM_BUFFER | MODE_ALPHA_BITS), "36 1 8 8 16 0 0");
    EXPECT_EQ(describe(MODE_SYSTEM_PALETTE | 4 | 128), "36 0 24 0 0 0 0") << "no effect";
}

TEST(RampPalette, ComponentLevelsComeFromTheRampOfTheirWidth) {
    // 0 to 3 bits from the tables; wider components in even steps; a shift past the word.
    EXPECT_EQ((std::vector<int>{rampComponent(0xFF, 0, 0), rampComponent(1, 1, 0),
                                rampComponent(2, 1, 0), rampComponent(0x40, 2, 6),
                                rampComponent(0x80, 2, 6), rampComponent(5, 3, 0),
                                rampComponent(3 << 3, 3, 3), rampComponent(15, 4, 0),
                                rampComponent(5, 4, 0), rampComponent(0xFFFFFFFF, 8, 40)}),
              (std::vector<int>{0, 255, 0, 116, 191, 200, 139, 255, 85, 0}));
}

TEST(RampPalette, OtherSizesAndLayoutsKeepThePlainRamp) {
    nullPlatformReset();
    // 3-3-2 in another order, and eight entries of 1-1-1.
    PixelFormatRequest f = {40, 1, 0, 0, 8, 3, 5, 3, 3, 2, 0, 0, 0, 0, 0, 0, 0};
    std::vector<PaletteEntry> e(256);
    fillRampPalette(f, e.data(), 256, initialDefaultPaletteColors.data());
    EXPECT_TRUE(std::all_of(e.begin(), e.end(), [](auto& x) { return x.flags == 4; }));
    f = {40, 1, 0, 0, 3, 1, 0, 1, 1, 1, 2, 0, 0, 0, 0, 0, 0};
    fillRampPalette(f, e.data(), 8, initialDefaultPaletteColors.data());
    EXPECT_EQ((std::vector<int>{e[5].red, e[5].green, e[5].blue, e[5].flags}),
              (std::vector<int>{255, 0, 255, PC_NOCOLLAPSE_FLAG}));
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

} // namespace
