// draw-icon: the game's icon, drawn by the game's own renderer with no display: the
// die at rest on a board cell, seen from above its south-east corner, on a
// transparent background.
//   draw-icon SIZE OUT.pam
// writes a SIZE x SIZE RGBA picture (PAM); scripts/make-icons.sh draws it larger
// than needed and scales it down into the PNG icons of data/icons/.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "board_draw.h"
#include "die.h"
#include "die_draw.h"
#include "opengl.h"
#include "scene.h"
#include "screen_probe.h"
#include "stage.h"

namespace {

// The die stands on (2, 2), which asks for its bottom face, 6; the eight cells around
// it show other marks.
void setBoard() {
    const int cells[][3] = {{2, 2, 6}, {1, 1, 5}, {2, 1, 2}, {3, 1, 3}, {1, 2, 4},
                            {3, 2, 1}, {1, 3, 2}, {2, 3, 6}, {3, 3, 3}};
    for (const auto& c : cells) {
        Board[c[0]][c[1]] = c[2];
    }
    resetDie(die);
    die.x = 2;
    die.y = 2;
}

void drawIcon() {
    initScene();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.5, 0.5, -0.5, 0.5, 1.5, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Tilted back and turned so that the top, south and east faces show.
    glTranslatef(0.1f, 0.3f, -5.7f);
    glRotatef(-50.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(-30.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(-2.5f, -2.5f, 0.0f);
    // Only those nine cells: x and y from 1 to 4.
    const double planes[4][4] = {{1, 0, 0, -1}, {-1, 0, 0, 4}, {0, 1, 0, -1}, {0, -1, 0, 4}};
    for (int i = 0; i < 4; ++i) {
        glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
        glEnable(GL_CLIP_PLANE0 + i);
    }
    drawBoard();
    glTranslatef(2.5f, 2.5f, 0.5f);
    drawDie(&die);
    glFinish();
}

} // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 4096) {
        std::fprintf(stderr, "usage: draw-icon SIZE OUT.pam (SIZE 16 to 4096)\n");
        return 2;
    }
    if (!openOffscreenGl(size, size)) {
        return 1;
    }
    setBoard();
    drawIcon();

    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "draw-icon: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(out, "P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n",
                 size, size);
    // GL's rows run from the bottom up, the file's from the top down.
    const std::size_t row = static_cast<std::size_t>(size) * 4;
    bool written = true;
    for (int y = size - 1; y >= 0; --y) {
        written = written && std::fwrite(&rgba[y * row], 1, row, out) == row;
    }
    return std::fclose(out) == 0 && written ? 0 : 1;
}
