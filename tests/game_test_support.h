// What the game's tests share: the rules' globals put back as a fresh process has them
// (tests run many games in one process), and stage files painted along a path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "die.h"
#include "stage.h"

// The title phase and its message, stage 0, an empty board and move list, no pending
// request, the camera at its start, the die record zeroed (not yet reset), no
// installed stage folder.
void resetGameGlobals();

using Moves = std::vector<std::int32_t>;

// The staircase from the start cell to the goal: east, north, east, north, ...
inline const Moves staircase = {DirEast,  DirNorth, DirEast,  DirNorth, DirEast,
                                DirNorth, DirEast,  DirNorth, DirEast,  DirNorth};

// Paints `path` from the start cell onto `board`: each cell it enters shows the face
// that lands there. The game's lastDir is left as it was.
void paint(std::int32_t (&board)[BoardSize][BoardSize], const Moves& path);

// A stage file whose board is `path` painted on impassable cells.
std::string stageText(const Moves& path, const Moves& stored);
