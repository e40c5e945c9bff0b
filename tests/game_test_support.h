// What the game's tests share: the rules' globals put back as a fresh process has them
// (tests run many games in one process), and stage files built along a path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "die.h"

// The title phase and its message, stage 0, an empty board and move list, no pending
// request, the camera at its start, the die record zeroed (not yet reset), no
// installed stage folder.
void resetGameGlobals();

using Grid = std::vector<std::vector<std::int32_t>>; // grid[x][y]

// The staircase from the start cell to the goal: east, north, east, north, ...
inline const std::vector<std::int32_t> staircase = {
    DirEast, DirNorth, DirEast, DirNorth, DirEast, DirNorth, DirEast, DirNorth, DirEast, DirNorth};

// A board of impassable cells except along `path` from the start cell, where each
// cell shows the face that lands on it.
Grid boardForPath(const std::vector<std::int32_t>& path);

// The text of a stage file: the grid a column at a time, the move count, the moves.
std::string stageText(const Grid& grid, const std::vector<std::int32_t>& stored);
