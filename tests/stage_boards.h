// Hand-made boards for the stage tool's tests: routes painted onto a board of holes.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "stage_generator.h"

using Route = std::vector<std::int32_t>;

// `dir` `n` times: routes are written as runs joined with +.
inline Route run(std::int32_t dir, int n) {
    return Route(static_cast<std::size_t>(n), dir);
}
inline Route operator+(Route a, const Route& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline const Route eastThenNorth = run(DirEast, 5) + run(DirNorth, 5); // along the edges

// A board of holes with the routes painted on it, each cell showing the face that the
// reset die puts on it along them (a later route over an earlier one's cell wins).
struct TestBoard {
    std::int32_t cells[BoardSize][BoardSize] = {};
    bool painted = true; // every route stayed on the board, one face a cell
    TestBoard(std::initializer_list<Route> routes) {
        for (const Route& r : routes) {
            painted = paintRoute(cells, r) && painted;
        }
    }
};
