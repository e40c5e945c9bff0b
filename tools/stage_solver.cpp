// Breadth-first search over the states of play, with every roll judged by the game's
// own rule; a roll turns the die by a table built with the die's own roll operations
// and steps its cell as die.h says a roll does.
#include "stage_solver.h"

#include <algorithm>
#include <limits>

#include "roll_rule.h"

namespace {

struct Orientations {
    Die faces[OrientationCount];            // only the six face fields matter
    std::int8_t byTopNorth[7][7];           // orientation index, or -1
    std::int8_t after[OrientationCount][4]; // orientation after a roll, by code - 1
};

bool sameFaces(const Die& a, const Die& b) {
    return a.top == b.top && a.bottom == b.bottom && a.north == b.north && a.south == b.south &&
           a.west == b.west && a.east == b.east;
}

// Rolls the reset die every way until no new orientation turns up. The roll
// operations also record the roll in the game's lastDir; the tool keeps its own.
Orientations buildOrientations() {
    Orientations o{};
    for (auto& row : o.byTopNorth) {
        std::fill(std::begin(row), std::end(row), -1);
    }
    Die d{};
    resetDie(d);
    int count = 0;
    o.faces[count++] = d;
    o.byTopNorth[d.top][d.north] = 0;
    for (int i = 0; i < count; ++i) {
        for (std::int32_t dir = DirNorth; dir <= DirEast; ++dir) {
            Die rolled = o.faces[i];
            rolled.steps = 0;
            rollDie(rolled, dir);
            std::int8_t& known = o.byTopNorth[rolled.top][rolled.north];
            if (known < 0) {
                known = static_cast<std::int8_t>(count);
                o.faces[count++] = rolled;
            }
            o.after[i][dir - 1] = known;
        }
    }
    return o;
}

const Orientations& orientations() {
    static const Orientations table = buildOrientations();
    return table;
}

bool isGoalState(int s) {
    const DieState d = stateAt(s);
    return isGoalCell(d.x, d.y);
}

std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    return a > most - b ? most : a + b;
}

} // namespace

int stateIndex(const DieState& s) {
    const int cell = static_cast<int>(s.x) * BoardSize + static_cast<int>(s.y);
    return (cell * OrientationCount + s.orientation) * LastDirCount + s.last;
}

DieState stateAt(int index) {
    DieState s{};
    s.last = index % LastDirCount;
    index /= LastDirCount;
    s.orientation = index % OrientationCount;
    const int cell = index / OrientationCount;
    s.x = static_cast<std::uint32_t>(cell / BoardSize);
    s.y = static_cast<std::uint32_t>(cell % BoardSize);
    return s;
}

int orientationOf(const Die& d) {
    if (!isFaceValue(d.top) || !isFaceValue(d.north)) {
        return -1;
    }
    const int i = orientations().byTopNorth[d.top][d.north];
    return i >= 0 && sameFaces(orientations().faces[i], d) ? i : -1;
}

void placeDie(Die& d, const DieState& s) {
    const Die& f = orientations().faces[s.orientation];
    d.top = f.top;
    d.bottom = f.bottom;
    d.north = f.north;
    d.south = f.south;
    d.west = f.west;
    d.east = f.east;
    d.x = s.x;
    d.y = s.y;
    d.rollDir = DirNone;
    d.steps = 0;
}

void analyseStage(const StageBoard& board, StageAnalysis& a) {
    a.distance.fill(-1);
    a.toGoal.fill(-1);
    a.order.clear();
    a.solvable = false;
    a.shortest = 0;
    a.solutions = 0;

    const Orientations& o = orientations();
    Die probe{};
    a.distance[StartState] = 0;
    a.ways[StartState] = 1;
    a.order.push_back(StartState);
    for (std::size_t head = 0; head < a.order.size(); ++head) {
        const int s = a.order[head];
        auto& next = a.next[s];
        next.fill(NoState);
        const DieState here = stateAt(s);
        if (isGoalCell(here.x, here.y)) {
            if (!a.solvable) {
                a.solvable = true;
                a.shortest = static_cast<std::uint32_t>(a.distance[s]);
            }
            if (a.distance[s] == static_cast<std::int16_t>(a.shortest)) {
                a.solutions = addSaturating(a.solutions, a.ways[s]);
            }
            continue; // reaching the goal ends play
        }
        placeDie(probe, here);
        for (std::int32_t dir = DirNorth; dir <= DirEast; ++dir) {
            if (judgeRoll(probe, here.last, board, dir) != RollVerdict::Accepted) {
                continue;
            }
            DieState there;
            there.x = here.x + static_cast<std::uint32_t>(stepX(dir));
            there.y = here.y + static_cast<std::uint32_t>(stepY(dir));
            there.orientation = o.after[here.orientation][dir - 1];
            there.last = dir;
            const int t = stateIndex(there);
            next[dir - 1] = static_cast<std::int16_t>(t);
            if (a.distance[t] < 0) {
                a.distance[t] = static_cast<std::int16_t>(a.distance[s] + 1);
                a.ways[t] = a.ways[s];
                a.order.push_back(static_cast<std::int16_t>(t));
            } else if (a.distance[t] == a.distance[s] + 1) {
                a.ways[t] = addSaturating(a.ways[t], a.ways[s]);
            }
        }
    }
    a.reachable = static_cast<std::uint32_t>(a.order.size());

    // How far each state is from winning: walk the roll graph backwards from every
    // goal state reached. The graph is small, so its reverse is built afresh each time.
    std::array<std::uint16_t, StateCount + 1> firstIn{};
    for (int s : a.order) {
        for (int t : a.next[s]) {
            if (t != NoState) {
                ++firstIn[t + 1];
            }
        }
    }
    for (int i = 0; i < StateCount; ++i) {
        firstIn[i + 1] = static_cast<std::uint16_t>(firstIn[i + 1] + firstIn[i]);
    }
    std::vector<std::int16_t> from(firstIn[StateCount]);
    std::array<std::uint16_t, StateCount> filled{};
    for (int s : a.order) {
        for (int t : a.next[s]) {
            if (t != NoState) {
                from[firstIn[t] + filled[t]++] = static_cast<std::int16_t>(s);
            }
        }
    }
    std::vector<std::int16_t> queue;
    for (int s : a.order) {
        if (isGoalState(s)) {
            a.toGoal[s] = 0;
            queue.push_back(static_cast<std::int16_t>(s));
        }
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int t = queue[head];
        for (int i = firstIn[t]; i < firstIn[t + 1]; ++i) {
            const int s = from[i];
            if (a.toGoal[s] < 0) {
                a.toGoal[s] = static_cast<std::int16_t>(a.toGoal[t] + 1);
                queue.push_back(static_cast<std::int16_t>(s));
            }
        }
    }
    a.dead = a.reachable - static_cast<std::uint32_t>(queue.size());
}

std::vector<std::vector<std::int32_t>> shortestSolutions(const StageAnalysis& a,
                                                         std::size_t limit) {
    std::vector<std::vector<std::int32_t>> found;
    if (!a.solvable || limit == 0) {
        return found;
    }
    // Depth-first along the rolls that keep to a shortest route: a roll is taken only
    // when the state it leads to lies on some shortest route, so no branch is wasted.
    std::vector<std::int32_t> route;
    std::vector<int> states{StartState};
    std::vector<std::int32_t> tried{DirNone}; // the last roll tried from each state
    while (!states.empty() && found.size() < limit) {
        const int s = states.back();
        std::int32_t dir = tried.back();
        int t = NoState;
        if (isGoalState(s)) {
            found.push_back(route);
        } else {
            while (t == NoState && ++dir <= DirEast) {
                t = a.next[s][dir - 1];
                const bool onShortestRoute =
                    t != NoState && a.toGoal[t] >= 0 && a.distance[t] == a.distance[s] + 1 &&
                    static_cast<std::uint32_t>(a.distance[t] + a.toGoal[t]) == a.shortest;
                t = onShortestRoute ? t : NoState;
            }
        }
        if (t != NoState) {
            tried.back() = dir;
            route.push_back(dir);
            states.push_back(t);
            tried.push_back(DirNone);
            continue;
        }
        states.pop_back();
        tried.pop_back();
        if (!route.empty()) {
            route.pop_back();
        }
    }
    return found;
}

std::vector<std::int32_t> shortestSolution(const StageAnalysis& a) {
    auto one = shortestSolutions(a, 1);
    return one.empty() ? std::vector<std::int32_t>{} : one.front();
}

StageFigures measureStage(const StageAnalysis& a, const std::vector<std::int32_t>& route) {
    StageFigures f;
    f.solvable = a.solvable;
    f.shortest = a.shortest;
    f.solutions = a.solutions;
    f.reachable = a.reachable;
    f.dead = a.dead;
    int s = StartState;
    for (std::int32_t move : route) {
        if (!isDirection(move) || s == NoState) {
            break;
        }
        int legal = 0;
        bool trap = false;
        for (std::int32_t dir = DirNorth; dir <= DirEast; ++dir) {
            const int t = a.next[s][dir - 1];
            if (t == NoState) {
                continue;
            }
            ++legal;
            trap = trap || (dir != move && isDead(a, t));
        }
        if (legal >= 2) {
            ++f.decisions;
            f.traps += trap ? 1 : 0;
        }
        s = a.next[s][move - 1];
    }
    f.difficulty = difficultyScore(f);
    return f;
}

std::uint32_t difficultyScore(const StageFigures& f) {
    if (!f.solvable || f.reachable == 0) {
        return 0;
    }
    return f.shortest + 2 * f.decisions + 3 * f.traps + f.dead / 2;
}
