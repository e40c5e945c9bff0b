// The board: a blue square for every cell and, on each cell numbered 1 to 6, that
// number's marks laid out like the pips of a die face.
#pragma once

#include <cstdint>

extern const float cellColor[3];
extern const float* const markColors[7]; // by cell value 1 to 6; entry 0 is unused

struct MarkOffset {
    double dx; // from the cell's lower-left corner
    double dy;
};

struct MarkPattern {
    int count;
    MarkOffset offsets[6]; // in drawing order
};

// The marks of cell value v, or null for a value outside 1 to 6, which has none.
const MarkPattern* markPattern(std::int32_t v);

// The corners of a mark, counter-clockwise from the one on the +x side of the centre.
void markCorners(float cx, float cy, float z, float r, float corners[8][3]);

// Draws the whole Board in the plane z = 0. Needs the model-view matrix of
// setFrameView. The cells go through a display list, compiled again whenever a
// cell's value has changed since the last frame.
void drawBoard();

// Drops the board's display list without deleting it: for a new GL context, where
// the old name means nothing.
void forgetBoardList();

// One flat, filled octagon facing +z with corner radius r, centred on (cx, cy, z).
void drawMark(float cx, float cy, float z, float r, const float* colour);
