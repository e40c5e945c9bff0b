// Making new stages: a seeded search over boards for one whose exact figures meet
// given targets, growing deep traps off a solution painted first; and a title demo
// whose move list loops on its board.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "stage_solver.h"

constexpr std::uint32_t NoLimit = std::numeric_limits<std::uint32_t>::max();

struct StageTargets {
    std::uint32_t minLength = 16;
    std::uint32_t maxLength = NoLimit;
    std::uint32_t minTraps = 4;
    std::uint32_t maxTraps = NoLimit;
    bool unique = false; // exactly one shortest solution
    std::uint32_t minDifficulty = 0;
    std::uint32_t maxDifficulty = NoLimit;
    // The deepest trap, the second and the third deepest at least this deep (0: any).
    std::array<std::uint32_t, 3> minDepths{};
};

struct SearchLimits {
    double seconds = 60.0;             // wall-clock bound on the search
    std::uint64_t maxBoards = 5000000; // boards solved, at most
};

struct GeneratedStage {
    bool found = false; // the targets were met within the limits
    std::int32_t board[BoardSize][BoardSize] = {};
    std::vector<std::int32_t> moves; // a shortest solution, or the demo's loop
    StageFigures figures;            // of the best board seen, when nothing was found
    std::uint64_t tries = 0;         // boards solved, or demo loop steps tried
    double seconds = 0.0;            // time the search took
};

// Writes on each cell that the reset die enters along `route` the face that lands on
// it, over whatever the cell held. False when the route holds a code that names no
// roll, leaves the board or needs two faces on one cell; the cells before that are
// painted.
bool paintRoute(StageBoard& board, const std::vector<std::int32_t>& route);

// How far a stage's figures fall short of the targets: 0 when they meet them all.
std::uint32_t targetShortfall(const StageFigures& f, const StageTargets& t);

// Searches boards from `seed` until one meets `targets`, or a limit is reached (then
// `found` is false and the best board seen is returned). Each round of the search
// paints a route from the start to the goal of a length within the targets and keeps
// it, changing only the cells off it: mostly by letting the die roll on from where a
// wrong turn leaves it stuck, which deepens that trap. The same seed and targets give
// the same stage, unless the time limit cut the search short.
GeneratedStage generateStage(std::uint64_t seed, const StageTargets& targets,
                             const SearchLimits& limits);

// A title demo: a board and a loop of at least `minMoves` moves (rounded up to an even
// number) that starts and ends on (0, 0) with the die as it was reset, never enters a
// cell twice and is legal across the loop's seam.
GeneratedStage generateDemo(std::uint64_t seed, std::uint32_t minMoves, const SearchLimits& limits);
