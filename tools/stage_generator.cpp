// Stage generation: simulated annealing over the cell values off a route that each
// round keeps, scored by the exact figures of the solver, with moves that deepen the
// traps; and a randomised search for a demo loop.
#include "stage_generator.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>

#include "roll_rule.h"

namespace {

// splitmix64: small, fast, and the same sequence on every platform and library,
// which the standard distributions do not promise.
struct Rng {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
};

class Stopwatch {
  public:
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::uint32_t above(std::uint32_t value, std::uint32_t bound) {
    return value > bound ? value - bound : 0;
}

std::uint32_t below(std::uint32_t value, std::uint32_t bound) {
    return value < bound ? bound - value : 0;
}

struct Candidate {
    std::int32_t board[BoardSize][BoardSize];
    std::vector<std::int32_t> route;
    StageFigures figures;
    std::uint32_t shortfall;
    std::vector<int> stuck; // where the traps' longest ways end, the deepest traps' first
};

// Solves the candidate's board and scores it against the targets.
void evaluate(Candidate& c, const StageTargets& targets, StageAnalysis& a) {
    analyseStage(c.board, a);
    c.route = shortestSolution(a);
    c.figures = measureStage(a, c.route);
    c.shortfall = targetShortfall(c.figures, targets);
    c.stuck.clear();
    std::vector<std::pair<std::uint32_t, int>> ends; // depth, end state
    for (const WrongTurn& w : wrongTurns(a, c.route)) {
        if (w.depth == LoopingTrap) {
            continue;
        }
        int s = w.into;
        while (a.rollsLeft[s] > 0) {
            for (int t : a.next[s]) {
                if (t != NoState && a.rollsLeft[t] == a.rollsLeft[s] - 1) {
                    s = t;
                    break;
                }
            }
        }
        ends.emplace_back(w.depth, s);
    }
    std::sort(ends.begin(), ends.end(), std::greater<>());
    for (const auto& end : ends) {
        c.stuck.push_back(end.second);
    }
}

// A cell value for the search: mostly faces, sometimes a hole.
std::int32_t randomCell(Rng& rng, std::uint32_t holeChance) {
    return rng.below(100) < holeChance ? 0 : static_cast<std::int32_t>(rng.below(6) + 1);
}

// A random route from the start to the goal that enters no cell twice, as close to
// `shortest` to `longest` rolls as a randomised depth-first search on a budget finds.
std::vector<std::int32_t> randomRoute(Rng& rng, std::uint32_t shortest, std::uint32_t longest) {
    struct Step {
        std::uint32_t x;
        std::uint32_t y;
        std::int32_t dir;       // the roll that entered the cell; DirNone on the start
        std::uint32_t firstTry; // the rolls from here are tried in turn from this one
        std::uint32_t tried;
    };
    const auto miss = [&](std::size_t n) {
        return n < shortest ? shortest - n : n > longest ? n - longest : 0;
    };
    bool entered[BoardSize][BoardSize] = {};
    entered[0][0] = true;
    std::vector<Step> path{Step{0, 0, DirNone, rng.below(4), 0}};
    std::vector<std::int32_t> best;
    bool any = false;
    for (int budget = 20000; budget > 0 && !path.empty(); --budget) {
        Step& here = path.back();
        const bool atGoal = isGoalCell(here.x, here.y);
        if (atGoal && (!any || miss(path.size() - 1) < miss(best.size()))) {
            any = true;
            best.clear();
            for (std::size_t i = 1; i < path.size(); ++i) {
                best.push_back(path[i].dir);
            }
            if (miss(best.size()) == 0) {
                break;
            }
        }
        if (atGoal || here.tried == 4) {
            entered[here.x][here.y] = false;
            path.pop_back();
            continue;
        }
        const std::int32_t dir =
            DirNorth + static_cast<std::int32_t>((here.firstTry + here.tried++) % 4);
        const std::uint32_t x = here.x + static_cast<std::uint32_t>(stepX(dir));
        const std::uint32_t y = here.y + static_cast<std::uint32_t>(stepY(dir));
        if (x >= BoardSize || y >= BoardSize || entered[x][y] || path.size() > longest) {
            continue;
        }
        entered[x][y] = true;
        path.push_back(Step{x, y, dir, rng.below(4), 0});
    }
    return best;
}

// Lets the die roll on from a state where a trap leaves it stuck: a neighbouring cell
// off the route gets the face that the roll would put on it. False when the roll
// would leave the board, go back, or land on the route.
bool deepenTrap(Candidate& c, int stuck, const bool (&onRoute)[BoardSize][BoardSize],
                std::int32_t dir) {
    const DieState s = stateAt(stuck);
    const std::uint32_t x = s.x + static_cast<std::uint32_t>(stepX(dir));
    const std::uint32_t y = s.y + static_cast<std::uint32_t>(stepY(dir));
    if (dir == oppositeDirection(s.last) || x >= BoardSize || y >= BoardSize || onRoute[x][y]) {
        return false;
    }
    Die d{};
    placeDie(d, s);
    rollDie(d, dir);
    c.board[x][y] = d.bottom;
    return true;
}

// A fresh board for a round: random cells, and a random route of a length within the
// targets painted over them.
void paintFreshBoard(Candidate& c, Rng& rng, const StageTargets& targets,
                     std::uint32_t holeChance) {
    const std::uint32_t shortest =
        std::min<std::uint32_t>(targets.minLength + rng.below(4), CellCount - 2);
    const std::uint32_t longest =
        std::max(shortest, std::min<std::uint32_t>(targets.maxLength, CellCount - 2));
    for (auto& column : c.board) {
        for (auto& cell : column) {
            cell = randomCell(rng, holeChance);
        }
    }
    // The route stays on the board and enters each cell once, so it always paints.
    paintRoute(c.board, randomRoute(rng, shortest, longest));
}

// One change to a trial off its route: a trap made deeper, or one or two cells drawn
// anew. False when the trap picked could not be deepened.
bool changeOffRoute(Candidate& trial, Rng& rng, const bool (&onRoute)[BoardSize][BoardSize],
                    std::uint32_t holeChance) {
    if (!trial.stuck.empty() && rng.below(2) == 0) {
        // Mostly one of the three deepest traps, so that they grow together.
        const std::uint32_t ends = static_cast<std::uint32_t>(trial.stuck.size());
        const std::uint32_t pick = rng.below(std::min(rng.below(2) == 0 ? 3u : ends, ends));
        const int stuck = trial.stuck[pick];
        return deepenTrap(trial, stuck, onRoute,
                          DirNorth + static_cast<std::int32_t>(rng.below(4)));
    }
    const int changes = 1 + static_cast<int>(rng.below(3) == 0);
    for (int i = 0; i < changes; ++i) {
        const std::uint32_t x = rng.below(BoardSize);
        const std::uint32_t y = rng.below(BoardSize);
        if (!onRoute[x][y]) {
            trial.board[x][y] = randomCell(rng, holeChance);
        }
    }
    return true;
}

} // namespace

bool paintRoute(StageBoard& board, const std::vector<std::int32_t>& route) {
    bool painted[BoardSize][BoardSize] = {};
    Die d{};
    resetDie(d);
    for (std::int32_t dir : route) {
        if (!isDirection(dir)) {
            return false;
        }
        rollDie(d, dir);
        if (d.x >= BoardSize || d.y >= BoardSize ||
            (painted[d.x][d.y] && board[d.x][d.y] != d.bottom)) {
            return false;
        }
        board[d.x][d.y] = d.bottom;
        painted[d.x][d.y] = true;
    }
    return true;
}

std::uint32_t targetShortfall(const StageFigures& f, const StageTargets& t) {
    // A looping trap has no depth to promise, and the player could wander in it for
    // ever: generated stages have none.
    if (!f.solvable || f.deepest[0] == LoopingTrap) {
        return NoLimit;
    }
    const std::uint32_t extraRoutes =
        t.unique ? static_cast<std::uint32_t>(std::min<std::uint64_t>(f.solutions - 1, 8)) : 0;
    std::uint32_t shallow = 0;
    for (std::size_t i = 0; i < t.minDepths.size(); ++i) {
        shallow += below(f.deepest[i], t.minDepths[i]);
    }
    return 4 * (below(f.shortest, t.minLength) + above(f.shortest, t.maxLength)) +
           4 * (below(f.traps, t.minTraps) + above(f.traps, t.maxTraps)) + 3 * extraRoutes +
           3 * shallow + below(f.difficulty, t.minDifficulty) +
           above(f.difficulty, t.maxDifficulty);
}

GeneratedStage generateStage(std::uint64_t seed, const StageTargets& targets,
                             const SearchLimits& limits) {
    const Stopwatch clock;
    Rng rng{seed};
    auto analysis = std::make_unique<StageAnalysis>();
    GeneratedStage out;
    Candidate best{};
    best.shortfall = NoLimit;
    Candidate current{};
    Candidate trial{};

    // Each round anneals the cells off a route that it keeps: half the rounds paint a
    // fresh route among random cells, the others go on from the best board so far
    // along its shortest solution.
    constexpr int RoundLength = 4000;
    bool done = false;
    bool onRoute[BoardSize][BoardSize];
    while (!done) {
        const std::uint32_t holeChance = 10 + rng.below(25);
        if (best.shortfall != NoLimit && rng.below(2) == 0) {
            current = best;
        } else {
            paintFreshBoard(current, rng, targets, holeChance);
            evaluate(current, targets, *analysis);
            ++out.tries;
        }
        std::fill(&onRoute[0][0], &onRoute[0][0] + CellCount, false);
        Die d{};
        resetDie(d);
        for (std::int32_t dir : current.route) {
            rollDie(d, dir);
            onRoute[d.x][d.y] = true;
        }

        double temperature = 2.0;
        for (int step = 0; step < RoundLength && !done; ++step) {
            trial = current;
            if (!changeOffRoute(trial, rng, onRoute, holeChance)) {
                continue;
            }
            evaluate(trial, targets, *analysis);
            ++out.tries;
            if (trial.shortfall != NoLimit) {
                const double worse =
                    static_cast<double>(trial.shortfall) - static_cast<double>(current.shortfall);
                if (worse <= 0.0 || rng.unit() < std::exp(-worse / temperature)) {
                    std::swap(current, trial);
                }
            }
            temperature = std::max(0.05, temperature * 0.999);
            if (current.shortfall < best.shortfall ||
                (current.shortfall == best.shortfall &&
                 current.figures.difficulty > best.figures.difficulty)) {
                best = current;
            }
            done = best.shortfall == 0 || out.tries >= limits.maxBoards ||
                   ((out.tries & 255) == 0 && clock.seconds() >= limits.seconds);
        }
        done = done || out.tries >= limits.maxBoards || clock.seconds() >= limits.seconds;
    }

    out.found = best.shortfall == 0;
    std::copy(&best.board[0][0], &best.board[0][0] + CellCount, &out.board[0][0]);
    out.moves = best.route;
    out.figures = best.figures;
    out.seconds = clock.seconds();
    return out;
}

GeneratedStage generateDemo(std::uint64_t seed, std::uint32_t minMoves,
                            const SearchLimits& limits) {
    const Stopwatch clock;
    Rng rng{seed};
    GeneratedStage out;
    const std::uint32_t wanted = std::max<std::uint32_t>(4, minMoves + (minMoves & 1));
    if (wanted > static_cast<std::uint32_t>(CellCount)) {
        out.seconds = clock.seconds();
        return out;
    }

    // A depth-first walk in random order over cells not yet entered, closing the loop
    // when the die can roll back onto (0, 0) lying as it was reset. Each attempt has a
    // small budget, so that one unlucky early choice does not eat the whole search.
    struct Step {
        Die die;
        std::int32_t order[4]; // the rolls to try here, shuffled
        int tried;
    };
    // Only the board's edges matter while the loop is sought: its cells get their
    // values afterwards, from the faces that land on them.
    constexpr std::uint64_t AttemptBudget = 20000;
    std::vector<Step> path;
    bool entered[BoardSize][BoardSize];
    while (!out.found && out.tries < limits.maxBoards && clock.seconds() < limits.seconds) {
        std::fill(&entered[0][0], &entered[0][0] + CellCount, false);
        entered[0][0] = true;
        path.assign(1, Step{});
        resetDie(path[0].die);
        const auto shuffle = [&rng](Step& s) {
            for (int i = 0; i < 4; ++i) {
                s.order[i] = DirNorth + i;
            }
            for (int i = 3; i > 0; --i) {
                std::swap(s.order[i], s.order[rng.below(static_cast<std::uint32_t>(i) + 1)]);
            }
            s.tried = 0;
        };
        shuffle(path[0]);
        for (std::uint64_t budget = 0; !path.empty() && budget < AttemptBudget && !out.found;
             ++budget, ++out.tries) {
            Step& here = path.back();
            if (here.tried == 4) {
                if (path.size() > 1) { // the start cell stays taken: the loop ends there
                    entered[here.die.x][here.die.y] = false;
                }
                path.pop_back();
                continue;
            }
            const std::int32_t dir = here.order[here.tried++];
            const std::uint32_t x = here.die.x + static_cast<std::uint32_t>(stepX(dir));
            const std::uint32_t y = here.die.y + static_cast<std::uint32_t>(stepY(dir));
            if (x >= BoardSize || y >= BoardSize) {
                continue;
            }
            const bool home = x == 0 && y == 0;
            if (!home && entered[x][y]) {
                continue;
            }
            Die rolled = here.die;
            rollDie(rolled, dir);
            if (home) {
                out.found = path.size() >= wanted && orientationOf(rolled) == 0;
                if (out.found) {
                    path.push_back(Step{rolled, {}, 4});
                }
                continue;
            }
            entered[x][y] = true;
            path.push_back(Step{rolled, {}, 0});
            shuffle(path.back());
        }
    }

    if (out.found) {
        for (std::size_t i = 1; i < path.size(); ++i) {
            const Die& d = path[i].die;
            out.moves.push_back(d.history[d.steps - 1]);
        }
        for (auto& column : out.board) {
            for (auto& cell : column) {
                cell = static_cast<std::int32_t>(rng.below(6) + 1);
            }
        }
        paintRoute(out.board, out.moves); // a loop over distinct cells always paints
    }
    out.seconds = clock.seconds();
    return out;
}
