// Drawing strings with the font's glyphs.
#include "font.h"

#include "opengl.h"

namespace {

constexpr int GlyphWidth = 8;

} // namespace

void buildFont() {
    // Glyph rows are single bytes packed one after another. Nothing else in the game
    // unpacks pixels, so this holds for the life of the context.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void printString(const char* text) {
    if (text == nullptr) {
        return;
    }
    // Each glyph goes to GL as a bitmap straight from the table. Called from display
    // lists, Mesa draws every bitmap as a draw of its own; called directly, it gathers
    // a line of them into one draw, which halves what the text costs. Only the bytes
    // that have a glyph are looked up: any other draws nothing and does not move the
    // raster position.
    for (const char* at = text; *at != '\0'; ++at) {
        const int c = static_cast<unsigned char>(*at);
        if (c >= FirstGlyph && c <= LastGlyph) {
            glBitmap(GlyphWidth, GlyphRows, 0.0f, static_cast<float>(GlyphBaseline), GlyphAdvance,
                     0.0f, fontGlyphs[c - FirstGlyph]);
        }
    }
}
