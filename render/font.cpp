// Building the font's display lists and drawing strings with them.
#include "font.h"

#include <cstring>

#include "opengl.h"

std::uint32_t fontBase = 0;

namespace {

// One name for every 8-bit code a string can hold below 128: the lists of the
// control codes and of DEL stay empty, so those bytes draw nothing.
constexpr GLsizei FontListCount = 128;
constexpr int GlyphWidth = 8;

} // namespace

void buildFont() {
    // Glyph rows are single bytes packed one after another.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    fontBase = glGenLists(FontListCount);
    for (int c = FirstGlyph; c <= LastGlyph; ++c) {
        glNewList(fontBase + static_cast<GLuint>(c), GL_COMPILE);
        glBitmap(GlyphWidth, GlyphRows, 0.0f, static_cast<float>(GlyphBaseline), GlyphAdvance, 0.0f,
                 fontGlyphs[c - FirstGlyph]);
        glEndList();
    }
}

void printString(const char* text) {
    if (text == nullptr) {
        return;
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
