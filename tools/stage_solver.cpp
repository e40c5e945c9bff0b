// Breadth-first search over the states of play, with every roll judged by the game's
// own rule; a roll turns the die by a table built with the die's own roll operations
// and steps its cell as die.h says a roll does.
#include "stage_solver.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "roll_rule.h"

namespace {

struct Orientations {
    Die faces[OrientationCount];             // only the six face fields matter
    std::int16_t byTopNorth[7][7];           // orientation index, or -1
    std::int16_t after[OrientationCount][4]; // orientation after a roll, by code - 1
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
            std::int16_t& known = o.byTopNorth[rolled.top][rolled.north];
            if (known < 0) {
                known = static_cast<std::int16_t>(count);
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

// The most rolls the die can still make from each dead state: a depth-first walk over
// the dead states, which only ever lead to dead states. A roll onto a state still on
// the walk's path closes a cycle, and every state before it can wander for ever.
void measureDeadEnds(StageAnalysis& a) {
    std::vector<std::uint8_t> mark(a.order.size()); // by rank: 0 not seen, 1 on the path, 2 done
    struct Visit {
        int state;
        int dir; // the next roll to look at, by code - 1
    };
    std::vector<Visit> path;
    const auto fold = [&a](int s, int t) { // s can roll onto t, which is done
        std::int16_t& left = a.rollsLeft[s];
        left = left == RollsForever || a.rollsLeft[t] == RollsForever
                   ? RollsForever
                   : std::max<std::int16_t>(left, static_cast<std::int16_t>(a.rollsLeft[t] + 1));
    };
    for (int root : a.order) {
        if (!isDead(a, root) || mark[a.rank[root]] != 0) {
            continue;
        }
        mark[a.rank[root]] = 1;
        a.rollsLeft[root] = 0;
        path.push_back({root, 0});
        while (!path.empty()) {
            const int s = path.back().state;
            if (path.back().dir == 4) {
                mark[a.rank[s]] = 2;
                path.pop_back();
                if (!path.empty()) {
                    fold(path.back().state, s);
                }
                continue;
            }
            const int t = a.next[s][path.back().dir++];
            if (t == NoState) {
                continue;
            }
            if (mark[a.rank[t]] == 0) {
                mark[a.rank[t]] = 1;
                a.rollsLeft[t] = 0;
                path.push_back({t, 0});
            } else if (mark[a.rank[t]] == 1) {
                a.rollsLeft[s] = RollsForever;
            } else {
                fold(s, t);
            }
        }
    }
}

// The dead states reachable from the dead state `from`, itself included. `seen` is
// all false before and after.
std::uint32_t deadRegionSize(const StageAnalysis& a, int from, std::vector<bool>& seen) {
    std::vector<int> region{from};
    seen[a.rank[from]] = true;
    for (std::size_t head = 0; head < region.size(); ++head) {
        for (int t : a.next[region[head]]) {
            if (t != NoState && !seen[a.rank[t]]) {
                seen[a.rank[t]] = true;
                region.push_back(t);
            }
        }
    }
    for (int s : region) {
        seen[a.rank[s]] = false;
    }
    return static_cast<std::uint32_t>(region.size());
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
    // Only the states reached last time hold anything to clear.
    if (a.order.empty()) {
        a.distance.fill(-1);
        a.toGoal.fill(-1);
    }
    for (int s : a.order) {
        a.distance[s] = -1;
        a.toGoal[s] = -1;
    }
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
    const std::size_t n = a.order.size();
    for (std::size_t i = 0; i < n; ++i) {
        a.rank[a.order[i]] = static_cast<std::int16_t>(i);
    }
    std::vector<std::uint16_t> firstIn(n + 1);
    for (int s : a.order) {
        for (int t : a.next[s]) {
            if (t != NoState) {
                ++firstIn[a.rank[t] + 1];
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        firstIn[i + 1] = static_cast<std::uint16_t>(firstIn[i + 1] + firstIn[i]);
    }
    std::vector<std::int16_t> from(firstIn[n]);
    std::vector<std::uint16_t> filled(n);
    for (int s : a.order) {
        for (int t : a.next[s]) {
            if (t != NoState) {
                const int r = a.rank[t];
                from[firstIn[r] + filled[r]++] = static_cast<std::int16_t>(s);
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
        for (int i = firstIn[a.rank[t]]; i < firstIn[a.rank[t] + 1]; ++i) {
            const int s = from[i];
            if (a.toGoal[s] < 0) {
                a.toGoal[s] = static_cast<std::int16_t>(a.toGoal[t] + 1);
                queue.push_back(static_cast<std::int16_t>(s));
            }
        }
    }
    a.dead = a.reachable - static_cast<std::uint32_t>(queue.size());
    measureDeadEnds(a);
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

std::vector<WrongTurn> wrongTurns(const StageAnalysis& a, const std::vector<std::int32_t>& route) {
    std::vector<WrongTurn> found;
    std::vector<bool> seen(a.order.size());
    int s = StartState;
    for (std::uint32_t step = 0; step < route.size() && s != NoState; ++step) {
        const std::int32_t move = route[step];
        if (!isDirection(move)) {
            break;
        }
        for (std::int32_t dir = DirNorth; dir <= DirEast; ++dir) {
            const int t = a.next[s][dir - 1];
            if (dir == move || t == NoState || !isDead(a, t)) {
                continue;
            }
            const std::uint32_t depth = a.rollsLeft[t] == RollsForever
                                            ? LoopingTrap
                                            : static_cast<std::uint32_t>(a.rollsLeft[t]) + 1;
            found.push_back({step, dir, depth, deadRegionSize(a, t, seen), t});
        }
        s = a.next[s][move - 1];
    }
    return found;
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
        for (int t : a.next[s]) {
            legal += t != NoState ? 1 : 0;
        }
        f.decisions += legal >= 2 ? 1 : 0;
        s = a.next[s][move - 1];
    }
    // A trap is a decision point with a wrong turn into a dead state, as deep as the
    // deepest of them; the wrong turns come in route order.
    struct Trap {
        std::uint32_t depth;
        std::uint32_t rolls; // beyond the wrong turn
    };
    std::vector<Trap> traps;
    std::uint32_t lastStep = 0;
    for (const WrongTurn& w : wrongTurns(a, route)) {
        const Trap t{w.depth, w.depth == LoopingTrap ? w.deadStates : w.depth - 1};
        if (traps.empty() || w.step != lastStep) {
            traps.push_back(t);
        } else if (t.depth > traps.back().depth) {
            traps.back() = t;
        }
        lastStep = w.step;
    }
    std::vector<std::uint32_t> depths;
    for (const Trap& t : traps) {
        depths.push_back(t.depth);
        f.trapRolls += t.rolls;
    }
    f.traps = static_cast<std::uint32_t>(traps.size());
    std::sort(depths.begin(), depths.end(), std::greater<>());
    std::copy_n(depths.begin(), std::min<std::size_t>(depths.size(), 3), f.deepest.begin());
    f.difficulty = difficultyScore(f);
    return f;
}

std::uint32_t difficultyScore(const StageFigures& f) {
    if (!f.solvable || f.reachable == 0) {
        return 0;
    }
    return f.shortest + 2 * f.decisions + 3 * f.traps + 2 * f.trapRolls + f.dead / 2;
}
