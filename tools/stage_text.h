// Text the stage tool prints: arrows and codes of a route, the board as the player
// sees it (row 5 at the top), a route drawn on the board, the stage file format and
// the Markdown table of stages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stage_check.h"
#include "stage_solver.h"

// "↑", "↓", "←", "→" for the four roll codes, "?" for any other.
const char* arrowOf(std::int32_t dir);

std::string routeArrows(const std::vector<std::int32_t>& route);
std::string routeCodes(const std::vector<std::int32_t>& route);

// The board with row 5 at the top: a cell shows its number as the die face it asks
// for, "#" when it can never be entered; the start and goal cells are bracketed.
std::string drawBoard(const StageBoard& board);

// The board with a route from the start on it: each cell shows its number and the
// arrow of the roll that leaves it ("*" for a cell left more than once, listed below
// the board), and "G" on the goal.
std::string drawRoute(const StageBoard& board, const std::vector<std::int32_t>& route);

// A stage file: six lines of cell values (a column each, from the bottom), the move
// count and the moves.
std::string stageFileText(const StageBoard& board, const std::vector<std::int32_t>& moves);

// One line per figure, for check and generate.
std::string figuresText(const StageFigures& f);

// A trap's depth as the figures show it: the number of rolls, or "loops".
std::string depthText(std::uint32_t depth);

// The three deepest traps, deepest first ("7, 5, 4"), or "none".
std::string threeDeepestText(const StageFigures& f);

// One line per wrong turn off `route`: where it is taken, how deep it runs and how many
// dead states lie beyond it.
std::string wrongTurnsText(const std::vector<WrongTurn>& turns,
                           const std::vector<std::int32_t>& route);

struct TableRow {
    std::string name; // the file name without folder and ".stg"
    StageReport report;
};

// The Markdown table of the stages' figures, the title demo described under it, in
// the order of the stage numbers in their names.
std::string stageTable(std::vector<TableRow> rows);
