// Checking a stage file: what the game's reader would silently ignore or keep, whether
// the stage can be solved, whether its stored moves are legal and reach the goal (or,
// for the title demo, loop on the board), and the stage's figures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "number_scanner.h"
#include "roll_rule.h"
#include "stage_solver.h"

struct Finding {
    bool failure;      // fails the check; otherwise a warning
    SourcePlace place; // line 0: the finding has no single place in the file
    std::string text;
};

// The moves of a stored list played from the reset die by the game's rule, as the
// replay shows them; codes that name no roll are passed over, as the replay does.
struct StoredPlay {
    static constexpr std::uint32_t Never = 0xffffffffu;
    std::uint32_t refusedAt = Never;             // list index of the first refused move
    RollVerdict refusal = RollVerdict::Accepted; // why it was refused
    std::uint32_t goalAt = Never;                // list index of the roll that first reached (5, 5)
    std::uint32_t lastRollAt = Never;            // list index of the last roll made
    Die die{};                                   // where the die stands at the end
    std::int32_t last = DirNone;                 // the last roll then, for the go-back rule
    std::vector<std::int32_t> route;             // the rolls made, in order
    std::uint32_t cells = 1;                     // cells the die has stood on, the start included
};

// Plays `count` stored moves on `board` from the reset die, the first judged against
// the last roll `last`; stops at the first move the rule refuses.
StoredPlay playStoredMoves(const StageBoard& board, const std::int32_t* moves, std::uint32_t count,
                           std::int32_t last);

struct StageReport {
    bool opened = false;
    std::string openError; // why the file could not be read, when it was not opened
    bool demo = false;     // checked as the title demo
    std::int32_t board[BoardSize][BoardSize] = {};
    std::uint32_t moveCount = 0;
    std::int32_t moves[MaxMoves] = {};
    std::vector<Finding> findings; // in the order of the file, then the rest
    bool storedSolves = false;     // a stage: the stored moves are a solution
    bool storedShortest = false;   // ... and a shortest one
    std::uint32_t loopCells = 0;   // the demo: cells its loop enters
    StageFigures figures;          // a stage: measured on the stored solution, or a shortest
    std::vector<std::int32_t> measuredRoute; // that route; for the demo, its loop
};

// Reads and checks the stage file at `path`. `demo` checks it as the title demo,
// which loops over its move list without resetting the die instead of reaching the
// goal. `a` is scratch space and holds the stage's analysis afterwards.
StageReport checkStageFile(const char* path, bool demo, StageAnalysis& a);

// Whether the report passes: no failure, and in strict mode no warning either.
bool passesCheck(const StageReport& r, bool strict);

// Whether `path` names the title demo's file (stage0.stg in any folder).
bool isDemoFileName(const std::string& path);
