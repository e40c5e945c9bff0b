// Drawing boards and routes in the terminal, writing stage files and the table.
#include "stage_text.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "roll_rule.h"

namespace {

char faceChar(std::int32_t value) {
    return isFaceValue(value) ? static_cast<char>('0' + value) : '#';
}

// Column numbers under a board whose cells are `width` characters wide.
std::string columnFooter(int width) {
    std::string line = "     ";
    for (int x = 0; x < BoardSize; ++x) {
        line += std::to_string(x) + std::string(static_cast<std::size_t>(width - 1), ' ');
    }
    return line + "\n";
}

std::string border(int width) {
    return "   +" + std::string(static_cast<std::size_t>(width * BoardSize + 1), '-') + "+\n";
}

// The number in a stage's name ("stage12" gives 12), for ordering; names without one
// come last.
long stageNumberIn(const std::string& name) {
    std::size_t end = name.size();
    std::size_t start = end;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1]))) {
        --start;
    }
    return start == end || end - start > 9 ? 1000000000L : std::stol(name.substr(start));
}

std::string solutionsText(std::uint64_t n) {
    return n == UINT64_MAX ? "over 1.8e19" : std::to_string(n);
}

} // namespace

std::string threeDeepestText(const StageFigures& f) {
    std::string text;
    for (std::uint32_t depth : f.deepest) {
        if (depth != 0) {
            text += (text.empty() ? "" : ", ") + depthText(depth);
        }
    }
    return text.empty() ? "none" : text;
}

std::string depthText(std::uint32_t depth) {
    return depth == LoopingTrap ? "loops" : std::to_string(depth);
}

const char* arrowOf(std::int32_t dir) {
    switch (dir) {
    case DirNorth:
        return "↑";
    case DirSouth:
        return "↓";
    case DirWest:
        return "←";
    case DirEast:
        return "→";
    default:
        return "?";
    }
}

std::string routeArrows(const std::vector<std::int32_t>& route) {
    std::string text;
    for (std::size_t i = 0; i < route.size(); ++i) {
        text += (i == 0 ? "" : i % 4 == 0 ? "  " : " ") + std::string(arrowOf(route[i]));
    }
    return text;
}

std::string routeCodes(const std::vector<std::int32_t>& route) {
    std::string text;
    for (std::size_t i = 0; i < route.size(); ++i) {
        text += (i == 0 ? "" : i % 4 == 0 ? "  " : " ") + std::to_string(route[i]);
    }
    return text;
}

std::string drawBoard(const StageBoard& board) {
    std::string text = border(3);
    for (int y = BoardSize - 1; y >= 0; --y) {
        text += " " + std::to_string(y) + " |";
        for (int x = 0; x < BoardSize; ++x) {
            const bool marked = (x == 0 && y == 0) || isGoalCell(x, y);
            text += marked ? "[" : " ";
            text += faceChar(board[x][y]);
            text += marked ? "]" : " ";
        }
        text += " |\n";
    }
    return text + border(3) + columnFooter(3) +
           "   [ ] start (0, 0) and goal (5, 5); # can never be entered\n";
}

std::string drawRoute(const StageBoard& board, const std::vector<std::int32_t>& route) {
    // The rolls that leave each cell, with their step numbers.
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<std::size_t>> leaving;
    Die d{};
    resetDie(d);
    for (std::size_t i = 0; i < route.size(); ++i) {
        leaving[{d.x, d.y}].push_back(i);
        rollDie(d, route[i]);
    }
    const bool reachesGoal = isGoalCell(d.x, d.y);

    std::string text = border(4);
    std::string repeats;
    for (int y = BoardSize - 1; y >= 0; --y) {
        text += " " + std::to_string(y) + " |";
        for (int x = 0; x < BoardSize; ++x) {
            text += " ";
            text += faceChar(board[x][y]);
            const auto it = leaving.find({x, y});
            if (it == leaving.end()) {
                text += reachesGoal && isGoalCell(x, y) ? "G" : " ";
            } else if (it->second.size() == 1) {
                text += arrowOf(route[it->second.front()]);
            } else {
                text += "*";
                repeats += "   (" + std::to_string(x) + ", " + std::to_string(y) + ") is left " +
                           std::to_string(it->second.size()) + " times:";
                for (std::size_t step : it->second) {
                    repeats += " step " + std::to_string(step + 1) + " " + arrowOf(route[step]);
                }
                repeats += "\n";
            }
            text += " ";
        }
        text += " |\n";
    }
    return text + border(4) + columnFooter(4) + repeats;
}

std::string stageFileText(const StageBoard& board, const std::vector<std::int32_t>& moves) {
    std::string text;
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            text += std::to_string(board[x][y]) + (y == BoardSize - 1 ? "\n" : " ");
        }
    }
    text += std::to_string(moves.size()) + "\n";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const bool lineEnd = i + 1 == moves.size() || (i + 1) % 16 == 0;
        text += std::to_string(moves[i]) + (lineEnd ? "\n" : " ");
    }
    return text;
}

std::string figuresText(const StageFigures& f) {
    if (!f.solvable) {
        return "reachable states " + std::to_string(f.reachable) + ", no solution\n";
    }
    const std::string how = f.solutions == 1
                                ? "the only one"
                                : solutionsText(f.solutions) + " different ones of that length";
    return "shortest solution " + std::to_string(f.shortest) + " moves, " + how +
           "\nreachable states " + std::to_string(f.reachable) + ", dead " +
           std::to_string(f.dead) + ", decision points " + std::to_string(f.decisions) +
           ", traps " + std::to_string(f.traps) + ", difficulty " + std::to_string(f.difficulty) +
           "\ndeepest traps (rolls before the die is stuck, the wrong turn included): " +
           threeDeepestText(f) + "\n";
}

std::string wrongTurnsText(const std::vector<WrongTurn>& turns,
                           const std::vector<std::int32_t>& route) {
    std::string text;
    Die d{};
    resetDie(d);
    std::uint32_t step = 0;
    for (const WrongTurn& w : turns) {
        for (; step < w.step; ++step) {
            rollDie(d, route[step]);
        }
        text += "wrong turn at move " + std::to_string(w.step + 1) + ", " + arrowOf(w.dir) +
                " from (" + std::to_string(d.x) + ", " + std::to_string(d.y) + "): " +
                (w.depth == LoopingTrap
                     ? "loops"
                     : std::to_string(w.depth) + (w.depth == 1 ? " roll deep" : " rolls deep")) +
                ", " + std::to_string(w.deadStates) + " dead states\n";
    }
    return text;
}

std::string stageTable(std::vector<TableRow> rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const TableRow& a, const TableRow& b) {
        return stageNumberIn(a.name) < stageNumberIn(b.name);
    });
    std::string table = "| Stage | Shortest | Shortest solutions | Reachable states | Dead states "
                        "| Decision points | Traps | Deepest trap | Three deepest | Difficulty |\n"
                        "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n";
    std::string notes;
    for (const TableRow& row : rows) {
        const StageReport& r = row.report;
        const bool ok = passesCheck(r, false);
        if (r.demo) {
            notes += "\n" + row.name + " is the title demo: " +
                     (ok ? "a loop of " + std::to_string(r.measuredRoute.size()) + " moves over " +
                               std::to_string(r.loopCells) + " cells, legal also across its seam."
                         : std::string("its loop does not pass the check.")) +
                     "\n";
            continue;
        }
        const StageFigures& f = r.figures;
        if (!ok || !f.solvable) {
            table += "| " + row.name + " | fails the check | | | | | | | | |\n";
            continue;
        }
        table += "| " + row.name + " | " + std::to_string(f.shortest) + " | " +
                 solutionsText(f.solutions) + " | " + std::to_string(f.reachable) + " | " +
                 std::to_string(f.dead) + " | " + std::to_string(f.decisions) + " | " +
                 std::to_string(f.traps) + " | " +
                 (f.traps == 0 ? "none" : depthText(f.deepest[0])) + " | " + threeDeepestText(f) +
                 " | " + std::to_string(f.difficulty) + " |\n";
    }
    return table + notes;
}
