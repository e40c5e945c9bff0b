// The game's 8 x 13 bitmap font and the drawing of a string at the current raster
// position.
#pragma once

#include <cstdint>

constexpr int FirstGlyph = 32; // space
constexpr int LastGlyph = 126; // '~'
constexpr int GlyphCount = LastGlyph - FirstGlyph + 1;
constexpr int GlyphRows = 13;         // one byte per row, bottom row first, bit 7 leftmost
constexpr int GlyphBaseline = 2;      // rows 0 and 1 are for descenders only
constexpr float GlyphAdvance = 10.0f; // 8 pixels of glyph and 2 blank columns

// The glyph of character code c is fontGlyphs[c - FirstGlyph].
extern const std::uint8_t fontGlyphs[GlyphCount][GlyphRows];

// Readies GL to take the glyphs as they are stored. Once per context, before the
// first string.
void buildFont();

// Draws `text` at the current raster position in the current raster colour, moving
// the position 10 pixels right per character, so that the next call continues the
// line. Bytes outside 32 to 126 draw nothing and do not move it.
void printString(const char* text);
