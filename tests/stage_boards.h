// Hand-made boards for the stage tool's tests: routes painted onto an empty board.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stage_solver.h"

// A board of impassable cells.
struct TestBoard {
    std::int32_t cells[BoardSize][BoardSize] = {};

    // Rolls the reset die along `route` and writes on each cell it enters the face
    // that lands there. False when the route leaves the board or needs two different
    // faces on one cell.
    bool paint(const std::vector<std::int32_t>& route);
};

// The faces of the reset die after the rolls of `route`, ignoring the board.
Die dieAfter(const std::vector<std::int32_t>& route);

// Repeats `dir` `n` times, for writing routes as runs.
std::vector<std::int32_t> run(std::int32_t dir, int n);
std::vector<std::int32_t> operator+(std::vector<std::int32_t> a,
                                    const std::vector<std::int32_t>& b);
