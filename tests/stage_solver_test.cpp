// The solver and the figures on boards whose answers follow from how they were drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "stage_boards.h"
#include "stage_solver.h"

namespace {

const std::vector<std::int32_t> eastThenNorth = run(DirEast, 5) + run(DirNorth, 5);

class Solver : public ::testing::Test {
  protected:
    void analyse(const TestBoard& b) { analyseStage(b.cells, *a); }
    StageFigures figures(const std::vector<std::int32_t>& route) { return measureStage(*a, route); }
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

TEST_F(Solver, StatesRoundTripThroughTheirIndex) {
    for (int s = 0; s < StateCount; ++s) {
        ASSERT_EQ(stateIndex(stateAt(s)), s);
    }
    const DieState start = stateAt(StartState);
    EXPECT_EQ(start.x, 0u);
    EXPECT_EQ(start.y, 0u);
    EXPECT_EQ(start.last, DirNone);
    Die reset{};
    resetDie(reset);
    EXPECT_EQ(orientationOf(reset), start.orientation);

    // Every sequence of rolls leaves the die in one of the 24 orientations, and all
    // of them turn up within five rolls.
    std::vector<bool> seen(OrientationCount, false);
    for (int code = 0; code < 4 * 4 * 4 * 4 * 4; ++code) {
        Die d = reset;
        for (int c = code, i = 0; i < 5; ++i, c /= 4) {
            rollDie(d, DirNorth + c % 4);
            const int o = orientationOf(d);
            ASSERT_GE(o, 0);
            seen[static_cast<std::size_t>(o)] = true;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), OrientationCount);
    Die d = reset;
    d.top = 7; // no die has that face
    EXPECT_EQ(orientationOf(d), -1);
}

TEST_F(Solver, AnEmptyBoardOrABlockedGoalHasNoSolution) {
    TestBoard empty;
    analyse(empty);
    EXPECT_FALSE(a->solvable);
    EXPECT_EQ(a->reachable, 1u);
    EXPECT_EQ(a->dead, 1u);
    EXPECT_TRUE(shortestSolution(*a).empty());
    EXPECT_EQ(figures({}).difficulty, 0u);

    // The corridor is whole up to the cell below the goal, whose face is then wrong.
    TestBoard blocked;
    ASSERT_TRUE(blocked.paint(eastThenNorth));
    blocked.cells[5][5] = 7 - blocked.cells[5][5];
    analyse(blocked);
    EXPECT_FALSE(a->solvable);
    EXPECT_EQ(a->reachable, 10u); // the start and the nine corridor cells
    EXPECT_EQ(a->dead, 10u);
    EXPECT_EQ(a->solutions, 0u);
}

TEST_F(Solver, AForcedCorridorHasOneSolutionAndNoChoices) {
    TestBoard corridor;
    ASSERT_TRUE(corridor.paint(eastThenNorth));
    analyse(corridor);
    ASSERT_TRUE(a->solvable);
    EXPECT_EQ(a->shortest, 10u);
    EXPECT_EQ(a->solutions, 1u);
    EXPECT_EQ(a->reachable, 11u);
    EXPECT_EQ(a->dead, 0u);
    EXPECT_EQ(shortestSolution(*a), eastThenNorth);
    const StageFigures f = figures(eastThenNorth);
    EXPECT_EQ(f.decisions, 0u);
    EXPECT_EQ(f.traps, 0u);
    EXPECT_EQ(f.difficulty, 10u);
}

TEST_F(Solver, AWrongFaceOnTheStraightWayForcesADetour) {
    // Round (2, 1) and (3, 1) and down onto (3, 0), then on along the edges.
    const std::vector<std::int32_t> detour =
        std::vector<std::int32_t>{DirEast, DirEast, DirNorth, DirEast, DirSouth} + run(DirEast, 2) +
        run(DirNorth, 5);
    TestBoard b;
    ASSERT_TRUE(b.paint(detour));
    // Rolled straight on from (2, 0), the die would put another face on (3, 0).
    ASSERT_NE(dieAfter(run(DirEast, 3)).bottom, b.cells[3][0]);
    analyse(b);
    ASSERT_TRUE(a->solvable);
    EXPECT_EQ(a->shortest, 12u);
    EXPECT_EQ(a->solutions, 1u);
    EXPECT_EQ(shortestSolution(*a), detour);
}

TEST_F(Solver, ADeadEndSpurIsATrapBecauseTheDieCannotRollBack) {
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    // A spur above (2, 0) that the die can enter from there and leave only by rolling
    // straight back, which the rule forbids.
    b.cells[2][1] = dieAfter(run(DirEast, 2)).north;
    analyse(b);
    ASSERT_TRUE(a->solvable);
    EXPECT_EQ(a->shortest, 10u);
    EXPECT_EQ(a->reachable, 12u);
    EXPECT_EQ(a->dead, 1u);
    const int spur =
        stateIndex({2, 1, orientationOf(dieAfter(run(DirEast, 2) + run(DirNorth, 1))), DirNorth});
    EXPECT_TRUE(isDead(*a, spur));
    EXPECT_EQ(a->next[spur][DirSouth - 1], NoState);

    const StageFigures f = figures(eastThenNorth);
    EXPECT_EQ(f.decisions, 1u);
    EXPECT_EQ(f.traps, 1u);
    EXPECT_EQ(f.difficulty, 10u + 2 * 1 + 3 * 1 + 1 / 2);
}

TEST_F(Solver, ADetourThatRejoinsTheRouteIsADecisionButNoTrap) {
    // Two corridors from the start that bring the same face down on the goal.
    const std::vector<std::int32_t> upFirst =
        run(DirNorth, 4) + std::vector<std::int32_t>{DirEast, DirNorth} + run(DirEast, 4);
    TestBoard b;
    ASSERT_TRUE(b.paint(eastThenNorth));
    ASSERT_TRUE(b.paint(upFirst)) << "the two corridors must agree on the goal's face";
    analyse(b);
    ASSERT_TRUE(a->solvable);
    EXPECT_EQ(a->shortest, 10u);
    EXPECT_EQ(a->solutions, 2u);
    EXPECT_EQ(a->dead, 0u);
    // Each corridor ends on the goal with the die lying its own way: two goal states.
    EXPECT_EQ(a->reachable, 1u + 9u + 9u + 2u);
    const auto all = shortestSolutions(*a, 10);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], upFirst); // in order of their codes: north is 1, east 4
    EXPECT_EQ(all[1], eastThenNorth);
    EXPECT_EQ(shortestSolutions(*a, 1).size(), 1u);

    const StageFigures f = figures(eastThenNorth);
    EXPECT_EQ(f.decisions, 1u); // the start, where both corridors begin
    EXPECT_EQ(f.traps, 0u);
}

} // namespace
