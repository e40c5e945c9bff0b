// Drawing the board and its cell marks.
#include "board_draw.h"

#include <cstring>

#include "die.h"
#include "display_list.h"
#include "face_look.h"
#include "opengl.h"
#include "scene.h"
#include "stage.h"

const float cellColor[3] = {0.0f, 0.0f, 1.0f};

const float* const markColors[7] = {
    nullptr, faceRed, faceGreen, faceYellow, faceCyan, faceMagenta, faceWhite,
};

namespace {

const MarkPattern markPatterns[6] = {
    {1, {{0.5, 0.5}}},
    // The 2 and the 3 run along the diagonal from lower left to upper right.
    {2, {{0.34, 0.34}, {0.66, 0.66}}},
    {3, {{0.3, 0.3}, {0.5, 0.5}, {0.7, 0.7}}},
    {4, {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}}},
    {5, {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}, {0.5, 0.5}}},
    // Two columns of three.
    {6, {{0.3, 0.25}, {0.3, 0.5}, {0.3, 0.75}, {0.7, 0.25}, {0.7, 0.5}, {0.7, 0.75}}},
};

// Each square leaves this margin on every side, so 0.1-wide black gaps part the cells.
constexpr double CellMargin = 0.05;
// The marks stand this far in front of their square, so the depth test keeps them on top.
constexpr float MarkHeight = 0.05f;

const float upNormal[3] = {0.0f, 0.0f, 1.0f};

// The squares and marks of the board as it was when they were last compiled. Any
// writer may change Board (a new stage, a file from the command line, a test), so
// every frame compares the cells instead of trusting to be told.
GLuint boardList = 0;
std::int32_t boardListCells[BoardSize][BoardSize] = {};

void drawCellSquare(int x, int y) {
    const float left = static_cast<float>(x + CellMargin);
    const float right = static_cast<float>(x + 1.0 - CellMargin);
    const float bottom = static_cast<float>(y + CellMargin);
    const float top = static_cast<float>(y + 1.0 - CellMargin);
    glBegin(GL_POLYGON);
    glColor3fv(cellColor);
    glNormal3fv(upNormal);
    glVertex3f(left, bottom, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glVertex3f(right, top, 0.0f);
    glVertex3f(left, top, 0.0f);
    glEnd();
}

void drawCells() {
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            drawCellSquare(x, y);
            const std::int32_t v = Board[x][y];
            const MarkPattern* pattern = markPattern(v);
            if (pattern == nullptr) {
                continue;
            }
            for (int i = 0; i < pattern->count; ++i) {
                const MarkOffset& at = pattern->offsets[i];
                drawMark(static_cast<float>(x + at.dx), static_cast<float>(y + at.dy), MarkHeight,
                         pipRadius[v], markColors[v]);
            }
        }
    }
}

} // namespace

const MarkPattern* markPattern(std::int32_t v) {
    if (!isFaceValue(v)) {
        return nullptr;
    }
    return &markPatterns[v - 1];
}

void markCorners(float cx, float cy, float z, float r, float corners[8][3]) {
    for (int k = 0; k < OctagonCorners; ++k) {
        double c = 0.0;
        double s = 0.0;
        octagonDirection(k, c, s);
        corners[k][0] = static_cast<float>(cx + r * c);
        corners[k][1] = static_cast<float>(cy + r * s);
        corners[k][2] = z;
    }
}

void drawMark(float cx, float cy, float z, float r, const float* colour) {
    float corners[OctagonCorners][3];
    markCorners(cx, cy, z, r, corners);
    glBegin(GL_POLYGON);
    glNormal3fv(upNormal);
    glColor3fv(colour);
    for (const float* corner : corners) {
        glVertex3fv(corner);
    }
    glEnd();
}

void drawBoard() {
    applyBoardMaterial();
    // Colours set from here on light the squares and marks in their own colours; the
    // rest of the material stays the board's.
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);

    const bool changed = std::memcmp(boardListCells, Board, sizeof Board) != 0;
    if (changed) {
        std::memcpy(boardListCells, Board, sizeof Board);
    }
    drawThroughList(boardList, changed, drawCells);

    glDisable(GL_COLOR_MATERIAL);
}

void forgetBoardList() {
    boardList = 0;
}
