// The die: a white cube with raised octagonal pips, drawn in its own frame (centre at
// the origin, +x east, +y north, +z top) with the pips placed from the face values
// the Die record holds, so a roll needs no stored rotation.
#pragma once

#include "die.h"

extern const float dieBodyColor[3];
extern const float* const diePipColors[7]; // by face value 1 to 6; entry 0 is unused

// Where the die's home axes point now. The home frame is the die just after a reset
// (4 on +x, 2 on +y, 1 on +z). faceNormal[v] is the outward normal of face value v
// (entry 0 is unused).
struct DieFrame {
    float homeX[3];
    float homeY[3];
    float homeZ[3];
    float faceNormal[7][3];
};

// Builds the frame from `top`, `north` and `east`. A value outside 1 to 6 sets
// nothing, leaving zero components, and indexes no table.
DieFrame dieFrame(const Die& d);

// The rings of one pip: the top octagon, the base octagon on the body's face, and the
// outward normals of the eight side walls.
struct PipRings {
    float top[8][3];
    float base[8][3];
    float sideNormals[8][3];
};

// Receives the pips in drawing order: face values 1 to 6, and within a face in the
// order of its layout.
using PipSink = void (*)(const PipRings& rings, const float* faceNormal, const float* colour,
                         void* context);

// Works out the 21 pips of the die as it stands and hands each to `sink`. The side
// normals are computed once per face; each further pip of a face moves the previous
// one's base ring by the step between their centres.
void forEachPip(const Die& d, PipSink sink, void* context);

// Draws the die with the caller's model-view matrix (centre at the origin). Reads
// only top, north and east; each way the die lies is compiled into a display list
// the first time it is drawn.
void drawDie(const Die* d);

// Drops the die's display lists without deleting them: for a new GL context, where
// the old names mean nothing.
void forgetDieLists();

// One pip: its flat top, then the band of side walls; no bottom, it stands on the face.
void drawPip(const float* top, const float* base, const float* sideNormals, const float* faceNormal,
             const float* colour);
