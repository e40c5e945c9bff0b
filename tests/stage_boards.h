// Hand-made boards for the stage tool's tests: routes painted onto a board of holes.
#pragma once

#include <cstdint>
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

// The reset die after the rolls of `route`, whatever the board.
inline Die dieAfter(const Route& route) {
    Die d{};
    resetDie(d);
    for (std::int32_t dir : route) {
        rollDie(d, dir);
    }
    return d;
}

struct TestBoard {
    std::int32_t cells[BoardSize][BoardSize] = {}; // holes until painted

    // Writes on each cell that the reset die enters along `route` the face that lands
    // there; false when the route leaves the board or needs two faces on one cell,
    // counting the faces routes painted before.
    bool paint(const Route& route) {
        std::int32_t faces[BoardSize][BoardSize] = {};
        if (!paintRoute(faces, route)) {
            return false;
        }
        for (int x = 0; x < BoardSize; ++x) {
            for (int y = 0; y < BoardSize; ++y) {
                if (faces[x][y] == 0) {
                    continue;
                }
                if (cells[x][y] != 0 && cells[x][y] != faces[x][y]) {
                    return false;
                }
                cells[x][y] = faces[x][y];
            }
        }
        return true;
    }
};
