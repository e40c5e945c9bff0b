// The checks of a stage file, each finding placed at its line and column where it
// has one.
#include "stage_check.h"

#include <algorithm>
#include <filesystem>

#include "roll_rule.h"
#include "stage_text.h"

namespace {

std::string cellName(std::uint32_t x, std::uint32_t y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// What the reader does with each value that a stage author would not expect.
void findReaderProblems(const std::vector<StageToken>& trace, StageReport& r) {
    std::uint32_t cells = 0;
    std::uint32_t wantedMoves = 0;
    bool countRead = false;
    std::uint32_t movesRead = 0;
    for (const StageToken& t : trace) {
        const SourcePlace at = t.scan.place;
        const auto warn = [&](const std::string& text) { r.findings.push_back({false, at, text}); };
        if (t.scan.glued) {
            warn("this number runs on from the one before it without a space, so the two are "
                 "read as separate values (a leading 0 makes a number octal: 08 is 0 then 8)");
        }
        if (t.scan.clamped) {
            warn("the number does not fit in 32 bits and reads as " + std::to_string(t.scan.value));
        }
        if (t.scan.result == ScanResult::Failed && t.field != StageField::Trailing) {
            r.findings.push_back({true, at,
                                  "a sign or 0x with no digit after it names no value; the game "
                                  "would keep the previous stage's value for this one"});
            cells += t.field == StageField::Cell ? 1 : 0;
            movesRead += t.field == StageField::Move ? 1 : 0;
            countRead = countRead || t.field == StageField::Count;
            continue;
        }
        switch (t.field) {
        case StageField::Cell: {
            ++cells;
            const std::uint32_t x = t.index / BoardSize;
            const std::uint32_t y = t.index % BoardSize;
            if (t.scan.value != 0 && !isFaceValue(t.scan.value)) {
                warn("cell " + cellName(x, y) + " holds " + std::to_string(t.scan.value) +
                     ", which no face shows: the cell can never be entered (0 says so plainly)");
            }
            break;
        }
        case StageField::Count: {
            countRead = true;
            wantedMoves = static_cast<std::uint32_t>(t.scan.value);
            if (t.scan.value < 0) {
                warn("the move count " + std::to_string(t.scan.value) +
                     " is negative and reads as " + std::to_string(wantedMoves) +
                     "; only the first " + std::to_string(MaxMoves) + " moves are read");
            } else if (wantedMoves > MaxMoves) {
                warn("the move count " + std::to_string(wantedMoves) + " is above " +
                     std::to_string(MaxMoves) + "; only the first " + std::to_string(MaxMoves) +
                     " moves are read");
            }
            break;
        }
        case StageField::Move:
            ++movesRead;
            if (!isDirection(t.scan.value)) {
                warn("move " + std::to_string(t.index + 1) + " is " + std::to_string(t.scan.value) +
                     ", which names no roll (1 up, 2 down, 3 left, 4 right); the replay passes "
                     "over it");
            }
            break;
        case StageField::Stop: {
            const bool text = t.scan.result == ScanResult::NotANumber;
            std::string what = text ? "text that is not a number stops the reading"
                               : t.scan.overLimit
                                   ? "the reading stops at " + std::to_string(MaxStageFileBytes) +
                                         " bytes, the most a stage file may hold,"
                                   : "the file ends";
            if (cells < CellCount) {
                what += " after " + std::to_string(cells) + " of 36 cell values";
            } else if (!countRead) {
                what += " before the move count";
            } else {
                what += " after " + std::to_string(movesRead) + " of " +
                        std::to_string(r.moveCount) + " moves";
            }
            // The game keeps whatever the previous stage left in the values not read, so
            // the stage would play differently depending on which stage came before.
            r.findings.push_back(
                {true, at,
                 what + "; the game would keep the previous stage's values for the rest"});
            break;
        }
        case StageField::Trailing:
            warn(t.scan.result == ScanResult::Number
                     ? "the number " + std::to_string(t.scan.value) +
                           " after the last move is ignored (the count says " +
                           std::to_string(wantedMoves) + ")"
                     : "text after the last move is ignored");
            break;
        }
    }
}

SourcePlace placeOfMove(const std::vector<StageToken>& trace, std::uint32_t index) {
    for (const StageToken& t : trace) {
        if (t.field == StageField::Move && t.index == index) {
            return t.scan.place;
        }
    }
    return SourcePlace{0, 0};
}

// Why the move at which `p` stopped was refused.
std::string refusalText(const StageBoard& board, const StoredPlay& p, std::int32_t move) {
    const std::string head = "move " + std::to_string(p.refusedAt + 1) + " (" + arrowOf(move) +
                             ") from " + cellName(p.die.x, p.die.y) + " is refused: ";
    switch (p.refusal) {
    case RollVerdict::GoesBack:
        return head + "it reverses the roll before it";
    case RollVerdict::OffBoard:
        return head + "it rolls off the board";
    default: {
        Die rolled = p.die;
        rollDie(rolled, move);
        return head + "it would put " + std::to_string(rolled.bottom) + " on cell " +
               cellName(rolled.x, rolled.y) + ", which shows " +
               std::to_string(board[rolled.x][rolled.y]);
    }
    }
}

void checkStoredSolution(const std::vector<StageToken>& trace, StageAnalysis& a, StageReport& r) {
    const StoredPlay p = playStoredMoves(r.board, r.moves, r.moveCount, DirNone);
    if (p.refusedAt != StoredPlay::Never) {
        r.findings.push_back(
            {true, placeOfMove(trace, p.refusedAt), refusalText(r.board, p, r.moves[p.refusedAt])});
    } else if (p.route.empty()) {
        r.findings.push_back(
            {true, {0, 0}, "the stored move list is empty: the replay would show nothing"});
    } else if (p.goalAt == StoredPlay::Never) {
        r.findings.push_back(
            {true,
             {0, 0},
             "the stored moves end on " + cellName(p.die.x, p.die.y) + ", not on the goal (5, 5)"});
    } else if (p.goalAt != p.lastRollAt) {
        r.findings.push_back({true, placeOfMove(trace, p.goalAt + 1),
                              "the stored moves reach the goal at move " +
                                  std::to_string(p.goalAt + 1) + " and go on beyond it"});
    } else {
        r.storedSolves = true;
    }
    r.storedShortest = r.storedSolves && p.route.size() == a.shortest;
    if (r.storedSolves && !r.storedShortest) {
        r.findings.push_back({false,
                              {0, 0},
                              "the stored solution has " + std::to_string(p.route.size()) +
                                  " moves; a shortest one has " + std::to_string(a.shortest)});
    }
    r.measuredRoute = r.storedSolves ? p.route : shortestSolution(a);
    r.figures = measureStage(a, r.measuredRoute);
}

void checkDemoLoop(const std::vector<StageToken>& trace, StageReport& r) {
    const StoredPlay first = playStoredMoves(r.board, r.moves, r.moveCount, DirNone);
    if (first.refusedAt != StoredPlay::Never) {
        r.findings.push_back({true, placeOfMove(trace, first.refusedAt),
                              refusalText(r.board, first, r.moves[first.refusedAt])});
        return;
    }
    if (first.route.empty()) {
        r.findings.push_back({false, {0, 0}, "the demo has no moves: the die stands still"});
        return;
    }
    if (first.die.x != 0 || first.die.y != 0 || orientationOf(first.die) != 0) {
        r.findings.push_back(
            {true,
             {0, 0},
             "the demo ends on " + cellName(first.die.x, first.die.y) + " with " +
                 std::to_string(first.die.top) + " on top and " + std::to_string(first.die.north) +
                 " to the north, not on (0, 0) as reset (1 on top, 2 to the north), so each pass "
                 "starts elsewhere"});
        return;
    }
    // Every later pass starts as the first did, except that the die remembers the
    // last roll of the pass before; that can only change the first move's verdict.
    const StoredPlay again = playStoredMoves(r.board, r.moves, r.moveCount, first.route.back());
    if (again.refusedAt != StoredPlay::Never) {
        r.findings.push_back(
            {true, placeOfMove(trace, again.refusedAt),
             "on the second pass, " + refusalText(r.board, again, r.moves[again.refusedAt])});
        return;
    }
    r.measuredRoute = first.route;
    r.loopCells = first.cells;
}

} // namespace

StoredPlay playStoredMoves(const StageBoard& board, const std::int32_t* moves, std::uint32_t count,
                           std::int32_t last) {
    StoredPlay p;
    resetDie(p.die);
    p.last = last;
    bool stoodOn[BoardSize][BoardSize] = {};
    stoodOn[0][0] = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int32_t move = moves[i];
        if (!isDirection(move)) {
            continue;
        }
        p.refusal = judgeRoll(p.die, p.last, board, move);
        if (p.refusal != RollVerdict::Accepted) {
            p.refusedAt = i;
            break;
        }
        rollDie(p.die, move);
        p.last = move;
        p.route.push_back(move);
        p.lastRollAt = i;
        // An accepted roll always ends on the board.
        p.cells += stoodOn[p.die.x][p.die.y] ? 0 : 1;
        stoodOn[p.die.x][p.die.y] = true;
        if (isGoalCell(p.die.x, p.die.y) && p.goalAt == StoredPlay::Never) {
            p.goalAt = i;
        }
    }
    return p;
}

StageReport checkStageFile(const char* path, bool demo, StageAnalysis& a) {
    StageReport r;
    r.demo = demo;
    std::vector<StageToken> trace;
    r.opened = readStageFile(path, StageSlots{r.board, r.moveCount, r.moves}, &trace, &r.openError);
    if (!r.opened) {
        return r;
    }
    findReaderProblems(trace, r);
    analyseStage(r.board, a);
    if (demo) {
        checkDemoLoop(trace, r);
        return r;
    }
    if (!a.solvable) {
        r.findings.push_back({true, {0, 0}, "the stage cannot be solved"});
        r.figures = measureStage(a, {});
        return r;
    }
    checkStoredSolution(trace, a, r);
    return r;
}

bool passesCheck(const StageReport& r, bool strict) {
    if (!r.opened) {
        return false;
    }
    return std::none_of(r.findings.begin(), r.findings.end(),
                        [strict](const Finding& f) { return f.failure || strict; });
}

bool isDemoFileName(const std::string& path) {
    return std::filesystem::path(path).filename() == stageFileNames[0];
}
