// Exhaustive solving of a stage over every state of play at rest (the die's cell, how
// it lies, its last roll), judged by the game's own rule, and the exact figures that
// describe a stage: shortest length, shortest routes, reachable and dead states,
// decision points, traps and how deep they run, and the difficulty score.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "die.h"
#include "stage.h"

using StageBoard = std::int32_t[BoardSize][BoardSize];

constexpr int CellCount = BoardSize * BoardSize;
constexpr int OrientationCount = 24; // the ways a die can lie
constexpr int LastDirCount = 5;      // DirNone and the four roll codes
constexpr int StateCount = CellCount * OrientationCount * LastDirCount;
constexpr int StartState = 0; // the reset die on (0, 0), no last roll
constexpr int NoState = -1;

// A state of play at rest, unpacked.
struct DieState {
    std::uint32_t x;
    std::uint32_t y;
    int orientation; // 0 is the reset die's
    std::int32_t last;
};

int stateIndex(const DieState& s);
DieState stateAt(int index);

// The orientation of a die's faces (0 to 23), or -1 when they are no die's faces.
int orientationOf(const Die& d);

// A die at rest in the given state, faces and cell set; its history is not kept.
void placeDie(Die& d, const DieState& s);

constexpr std::int16_t RollsForever = 0x7fff;

// Everything the solver learns about one board. Large: keep one and reuse it (only
// the states it reached are cleared for the next board).
struct StageAnalysis {
    // Per state; only reachable states have their successors filled in.
    std::array<std::int16_t, StateCount> distance;            // from the start, -1 unreachable
    std::array<std::uint64_t, StateCount> ways;               // shortest routes to it, saturating
    std::array<std::array<std::int16_t, 4>, StateCount> next; // by direction code - 1; -1 refused
    std::array<std::int16_t, StateCount> toGoal; // rolls to the nearest goal, -1 when none
    // Dead states only: the most rolls the die can still make before it is stuck, or
    // RollsForever when a cycle lies ahead.
    std::array<std::int16_t, StateCount> rollsLeft;
    std::vector<std::int16_t> order;           // the reachable states, nearest first
    std::array<std::int16_t, StateCount> rank; // where a reachable state stands in order

    bool solvable = false;
    std::uint32_t shortest = 0;  // moves of a shortest solution
    std::uint64_t solutions = 0; // distinct shortest solutions, saturating at UINT64_MAX
    std::uint32_t reachable = 0;
    std::uint32_t dead = 0;
};

// A reachable state from which the goal can no longer be reached.
inline bool isDead(const StageAnalysis& a, int s) {
    return a.distance[s] >= 0 && a.toGoal[s] < 0;
}

// Finds every state reachable from the start by legal rolls (the goal ends play, so
// nothing goes on from it), the shortest routes to each, and which can still win.
void analyseStage(const StageBoard& board, StageAnalysis& a);

// One shortest solution as direction codes; empty when the stage has none.
std::vector<std::int32_t> shortestSolution(const StageAnalysis& a);

// Every shortest solution, up to `limit` of them, in order of their codes.
std::vector<std::vector<std::int32_t>> shortestSolutions(const StageAnalysis& a, std::size_t limit);

// The depth of a trap whose dead region has a cycle: the player can wander in it
// until giving up. It ranks above every finite depth.
constexpr std::uint32_t LoopingTrap = 0xffffffffu;

// A legal roll off a route that leads into a dead state.
struct WrongTurn {
    std::uint32_t step;       // index in the route of the move it is taken instead of
    std::int32_t dir;         // the roll taken
    std::uint32_t depth;      // rolls the player can make, this one included, before the
                              // die is stuck (1: stuck at once), or LoopingTrap
    std::uint32_t deadStates; // states of the dead region it leads into
    int into;                 // the dead state it leads into
};

// Every wrong turn off `route` (a legal solution) into a dead state, in route order.
std::vector<WrongTurn> wrongTurns(const StageAnalysis& a, const std::vector<std::int32_t>& route);

struct StageFigures {
    bool solvable = false;
    std::uint32_t shortest = 0;
    std::uint64_t solutions = 0;
    std::uint32_t reachable = 0;
    std::uint32_t dead = 0;
    std::uint32_t decisions = 0; // states on the route with two or more legal moves
    std::uint32_t traps = 0;     // decision points with a legal wrong move into a dead state
    // The three deepest traps' depths, deepest first (a trap is as deep as its deepest
    // wrong turn); 0 where there are fewer traps.
    std::array<std::uint32_t, 3> deepest{};
    // The traps' rolls beyond the wrong turn itself, added up; a looping trap counts as
    // many as its dead region has states, one more than any finite trap there could.
    std::uint32_t trapRolls = 0;
    std::uint32_t difficulty = 0;
};

// The figures of a stage, with decision points and traps counted along `route`, which
// must be a legal solution (the stored one, or a shortest one).
StageFigures measureStage(const StageAnalysis& a, const std::vector<std::int32_t>& route);

// shortest + 2 x decisions + 3 x traps + 2 x trap rolls + dead / 2 (rounded down); 0 when
// unsolvable.
std::uint32_t difficultyScore(const StageFigures& f);
