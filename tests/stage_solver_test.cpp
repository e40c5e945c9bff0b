// The solver and the figures on boards whose answers follow from how they were drawn.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "stage_boards.h"

namespace {

class Solver : public ::testing::Test {
  protected:
    // Solves the board and measures it along `route`: solvable, shortest, solutions,
    // reachable, dead, decision points, traps, difficulty.
    auto figures(const TestBoard& b, const Route& route = eastThenNorth) {
        analyseStage(b.cells, *a);
        const StageFigures f = measureStage(*a, route);
        return std::make_tuple(f.solvable, f.shortest, f.solutions, f.reachable, f.dead,
                               f.decisions, f.traps, f.difficulty);
    }
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

TEST_F(Solver, ABlockedGoalLeavesNoSolution) {
    // The corridor is whole up to the cell below the goal, whose face is then wrong:
    // the start and the nine corridor cells are reachable, and all are dead.
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    b.cells[5][5] = 7 - b.cells[5][5];
    EXPECT_EQ(figures(b), std::make_tuple(false, 0u, 0u, 10u, 10u, 0u, 0u, 0u));
    EXPECT_TRUE(shortestSolution(*a).empty());
}

TEST_F(Solver, AForcedCorridorHasOneSolutionAndNoChoices) {
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    EXPECT_EQ(figures(b), std::make_tuple(true, 10u, 1u, 11u, 0u, 0u, 0u, 10u));
    EXPECT_EQ(shortestSolution(*a), eastThenNorth);
}

TEST_F(Solver, AWrongFaceOnTheStraightWayForcesADetour) {
    // Round (2, 1) and (3, 1) and down onto (3, 0), then on along the edges.
    const Route detour =
        Route{DirEast, DirEast, DirNorth, DirEast, DirSouth} + run(DirEast, 2) + run(DirNorth, 5);
    TestBoard b;
    ASSERT_TRUE(b.paint(detour));
    // Rolled straight on from (2, 0), the die would put another face on (3, 0).
    ASSERT_NE(dieAfter(run(DirEast, 3)).bottom, b.cells[3][0]);
    figures(b);
    EXPECT_EQ(std::make_tuple(a->shortest, a->solutions), std::make_tuple(12u, 1u));
    EXPECT_EQ(shortestSolution(*a), detour);
}

TEST_F(Solver, ADeadEndSpurIsATrapBecauseTheDieCannotRollBack) {
    // A spur above (2, 0) that the die can enter from there and leave only by rolling
    // straight back, which the rule forbids.
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    b.cells[2][1] = dieAfter(run(DirEast, 2)).north;
    EXPECT_EQ(figures(b), std::make_tuple(true, 10u, 1u, 12u, 1u, 1u, 1u, 10u + 2 + 3 + 1 / 2));
    const Die spur = dieAfter(run(DirEast, 2) + run(DirNorth, 1));
    EXPECT_TRUE(isDead(*a, stateIndex({2, 1, orientationOf(spur), DirNorth})));
}

TEST_F(Solver, TwoEqualRoutesAreBothShortestAndTheirWaysAddUpWhereTheyMeet) {
    // Two corridors from the start that bring the same face down on the goal, each
    // with the die lying its own way there: two goal states, a choice but no trap.
    const Route upFirst = run(DirNorth, 4) + Route{DirEast, DirNorth} + run(DirEast, 4);
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    ASSERT_TRUE(b.paint(upFirst)) << "the two corridors must agree on the goal's face";
    EXPECT_EQ(figures(b), std::make_tuple(true, 10u, 2u, 1u + 9 + 9 + 2, 0u, 1u, 0u, 12u));
    EXPECT_EQ(shortestSolutions(*a, 10), (std::vector<Route>{upFirst, eastThenNorth}));
    EXPECT_EQ(shortestSolutions(*a, 1).size(), 1u);

    // Two routes that meet on (2, 3) with the die lying alike, and go on as one.
    const Route tail = run(DirEast, 3) + run(DirNorth, 2);
    TestBoard m;
    ASSERT_TRUE(m.paint(Route{DirNorth, DirNorth, DirEast, DirEast, DirNorth} + tail));
    ASSERT_TRUE(m.paint(Route{DirEast, DirEast, DirNorth, DirNorth, DirNorth} + tail));
    EXPECT_EQ(std::get<2>(figures(m)), 2u);
}

} // namespace
