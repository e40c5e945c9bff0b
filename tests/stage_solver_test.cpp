// The solver and the figures on boards whose answers follow from how they were drawn:
// routes painted on a board of holes.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "stage_boards.h"
#include "stage_text.h"

namespace {

const Route spur = run(DirEast, 2) + run(DirNorth, 3);                  // up the column x = 2
const Route fork = run(DirEast, 2) + run(DirNorth, 2) + Route{DirEast}; // off it to the right
const Route upFirst = run(DirNorth, 4) + Route{DirEast, DirNorth} + run(DirEast, 4);
// Up from the start, round a square and on over its first two cells again: painted
// without a clash, so the die comes back round lying as it went.
const Route ring = {DirNorth, DirNorth, DirNorth, DirEast,  DirEast, DirSouth,
                    DirSouth, DirWest,  DirWest,  DirNorth, DirNorth};

TEST(Solver, FiguresOfHandDrawnBoards) {
    // Round (2, 1) and (3, 1) and down onto (3, 0), then on along the edges.
    const Route detour =
        Route{DirEast, DirEast, DirNorth, DirEast, DirSouth} + run(DirEast, 2) + run(DirNorth, 5);
    const struct {
        TestBoard board;
        // solvable, shortest, solutions, reachable, dead, decisions, traps, difficulty
        std::tuple<bool, int, int, int, int, int, int, int> counts;
        std::array<std::uint32_t, 3> deepest;
        Route shortest = eastThenNorth;
    } cases[] = {
        {{eastThenNorth}, {1, 10, 1, 11, 0, 0, 0, 10}, {}}, // a forced corridor
        // The die can roll up from (2, 0) but never back: 1 roll deep, one dead state;
        // 10 + 2 x 1 decision + 3 x 1 trap + 1 dead / 2.
        {{eastThenNorth, run(DirEast, 2) + run(DirNorth, 1)}, {1, 10, 1, 12, 1, 1, 1, 15}, {1}},
        // Three cells up and one off to the right on the way: 3 rolls deep, four dead
        // states; and one cell left of (5, 4). 10 + 2 x 2 + 3 x 2 + 2 x (2 + 0) + 5 / 2.
        {{eastThenNorth, spur, fork, run(DirEast, 5) + run(DirNorth, 4) + Route{DirWest}},
         {1, 10, 1, 16, 5, 2, 2, 26},
         {3, 1}},
        // The start cell is a hole, so the die circles the ring for ever, either way round
        // (its first cell and eight more each way): it weighs 17 rolls.
        // 10 + 2 + 3 + 2 x 17 + 17 / 2.
        {{eastThenNorth, ring}, {1, 10, 1, 28, 17, 1, 1, 57}, {LoopingTrap}},
        // Rolled straight on from (2, 0), the die would put 3, not 1, on (3, 0).
        {{detour}, {1, 12, 1, 13, 0, 0, 0, 12}, {}, detour},
        // Two corridors that bring the same face down on the goal, each with the die lying
        // its own way there: two goal states, a choice but no trap.
        {{eastThenNorth, upFirst}, {1, 10, 2, 21, 0, 1, 0, 12}, {}, upFirst},
        // The corridor ends below the goal, which is a hole: all ten states dead.
        {{run(DirEast, 5) + run(DirNorth, 4)}, {0, 0, 0, 10, 10, 0, 0, 0}, {}, {}},
    };
    auto a = std::make_unique<StageAnalysis>();
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(c.board.painted);
        analyseStage(c.board.cells, *a);
        const StageFigures f = measureStage(*a, c.shortest);
        EXPECT_EQ(std::make_tuple(f.solvable, int(f.shortest), int(f.solutions), int(f.reachable),
                                  int(f.dead), int(f.decisions), int(f.traps), int(f.difficulty)),
                  c.counts);
        EXPECT_EQ(f.deepest, c.deepest);
        EXPECT_EQ(shortestSolution(*a), c.shortest);
    }
    // Painting refuses a route that no board holds: one that leaves the board, names no
    // roll, or comes back to (1, 0) round a square with 2 down instead of 4.
    for (const Route& r : {Route{DirNorth, DirWest}, Route{DirEast, DirNone},
                           Route{DirEast, DirNorth, DirWest, DirSouth, DirEast}}) {
        EXPECT_FALSE(TestBoard{r}.painted);
    }

    // What check prints of them.
    analyseStage(TestBoard{eastThenNorth, ring}.cells, *a);
    EXPECT_EQ(wrongTurnsText(wrongTurns(*a, eastThenNorth), eastThenNorth),
              "wrong turn at move 1, ↑ from (0, 0): loops, 17 dead states\n");
    analyseStage(TestBoard{eastThenNorth, spur, fork}.cells, *a);
    EXPECT_EQ(wrongTurnsText(wrongTurns(*a, eastThenNorth), eastThenNorth),
              "wrong turn at move 3, ↑ from (2, 0): 3 rolls deep, 4 dead states\n");
    EXPECT_EQ(figuresText(measureStage(*a, eastThenNorth)),
              "shortest solution 10 moves, the only one\nreachable states 15, dead 4, decision "
              "points 1, traps 1, difficulty 21\ndeepest traps (rolls before the die is stuck, "
              "the wrong turn included): 3\n");
}

TEST(Solver, TheWaysOfTwoRoutesAddUpWhereTheyMeet) {
    // Two routes that meet on (2, 3) with the die lying alike, and go on as one.
    const Route tail = run(DirEast, 3) + run(DirNorth, 2);
    auto a = std::make_unique<StageAnalysis>();
    analyseStage(TestBoard{Route{DirNorth, DirNorth, DirEast, DirEast, DirNorth} + tail,
                           Route{DirEast, DirEast, DirNorth, DirNorth, DirNorth} + tail}
                     .cells,
                 *a);
    EXPECT_EQ(a->solutions, 2u);
}

} // namespace
