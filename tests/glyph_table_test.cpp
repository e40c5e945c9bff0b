// The font's glyph table: the glyphs that must be exact, and the layout every glyph
// keeps (baseline, descenders, letter heights), so that any string lines up.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include "font.h"

namespace {

const std::uint8_t* glyph(char c) {
    return fontGlyphs[static_cast<unsigned char>(c) - FirstGlyph];
}

bool rowUsed(char c, int row) {
    return glyph(c)[row] != 0;
}

// The highest and lowest rows that hold a pixel; -1 for a blank glyph.
int topRow(char c) {
    for (int row = GlyphRows - 1; row >= 0; --row) {
        if (rowUsed(c, row)) {
            return row;
        }
    }
    return -1;
}

int bottomRow(char c) {
    for (int row = 0; row < GlyphRows; ++row) {
        if (rowUsed(c, row)) {
            return row;
        }
    }
    return -1;
}

void expectGlyph(char c, const std::uint8_t (&bytes)[GlyphRows]) {
    for (int row = 0; row < GlyphRows; ++row) {
        EXPECT_EQ(glyph(c)[row], bytes[row]) << "'" << c << "' row " << row;
    }
}

TEST(GlyphTable, HoldsTheFiveFixedGlyphsExactly) {
    expectGlyph(' ', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    expectGlyph('!',
                {0x00, 0x00, 0x18, 0x18, 0x00, 0x00, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18});
    expectGlyph('0',
                {0x00, 0x00, 0x3C, 0x66, 0xC3, 0xE3, 0xF3, 0xDB, 0xCF, 0xC7, 0xC3, 0x66, 0x3C});
    expectGlyph('A',
                {0x00, 0x00, 0xC3, 0xC3, 0xC3, 0xC3, 0xFF, 0xC3, 0xC3, 0xC3, 0x66, 0x3C, 0x18});
    expectGlyph('g',
                {0x7E, 0xC3, 0x03, 0x03, 0x7F, 0xC3, 0xC3, 0xC3, 0x7E, 0x00, 0x00, 0x00, 0x00});
}

TEST(GlyphTable, OnlyTheDescendersReachBelowTheBaseline) {
    const std::string descenders = "gjpqy_/\\|";
    for (int c = FirstGlyph; c <= LastGlyph; ++c) {
        const char ch = static_cast<char>(c);
        const bool below = rowUsed(ch, 0) || rowUsed(ch, 1);
        EXPECT_EQ(below, descenders.find(ch) != std::string::npos) << "'" << ch << "'";
    }
}

TEST(GlyphTable, EveryCharacterButSpaceDrawsSomethingOfItsOwn) {
    EXPECT_EQ(topRow(' '), -1);
    std::set<std::string> seen;
    for (int c = FirstGlyph + 1; c <= LastGlyph; ++c) {
        const char ch = static_cast<char>(c);
        EXPECT_NE(topRow(ch), -1) << "'" << ch << "' is blank";
        const std::string bytes(reinterpret_cast<const char*>(glyph(ch)), GlyphRows);
        EXPECT_TRUE(seen.insert(bytes).second) << "'" << ch << "' looks like another character";
    }
}

TEST(GlyphTable, CapitalsAndDigitsFillRowsTwoToTwelve) {
    const std::string tall = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (char ch : tall) {
        EXPECT_EQ(bottomRow(ch), GlyphBaseline) << "'" << ch << "'";
        EXPECT_EQ(topRow(ch), GlyphRows - 1) << "'" << ch << "'";
    }
}

TEST(GlyphTable, SmallLettersStandOnTheBaselineAtTheirOwnHeights) {
    // Without ascender or descender: rows 2 to 8.
    for (char ch : std::string("acemnorsuvwxz")) {
        EXPECT_EQ(bottomRow(ch), GlyphBaseline) << "'" << ch << "'";
        EXPECT_EQ(topRow(ch), 8) << "'" << ch << "'";
    }
    // Ascenders (and the dots of i and j) rise above the small letters.
    for (char ch : std::string("bdfhijklt")) {
        EXPECT_GT(topRow(ch), 8) << "'" << ch << "'";
    }
    for (char ch : std::string("gjpqy")) {
        EXPECT_EQ(bottomRow(ch), 0) << "'" << ch << "'";
    }
    for (char ch = 'a'; ch <= 'z'; ++ch) {
        const char capital = static_cast<char>(ch - 'a' + 'A');
        EXPECT_NE(std::memcmp(glyph(ch), glyph(capital), GlyphRows), 0) << "'" << ch << "'";
    }
}

} // namespace
