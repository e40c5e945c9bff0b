// Generated stages and demos prove themselves: they pass the check and meet their
// targets, the same seed gives the same stage, and a hopeless search still ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "stage_check.h"
#include "stage_generator.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

class Generate : public ::testing::Test {
  protected:
    // Writes the generated stage to a file and checks it as the game would read it.
    StageReport checkWritten(const GeneratedStage& g, bool demo) {
        const std::string path = dir.write("made.stg", stageFileText(g.board, g.moves));
        return checkStageFile(path.c_str(), demo, *a);
    }
    TempDir dir;
    std::unique_ptr<StageAnalysis> a = std::make_unique<StageAnalysis>();
};

TEST_F(Generate, StagesPassTheStrictCheckMeetTheirTargetsAndFollowTheirSeed) {
    // Length, traps (each at least, at most), one shortest way, difficulty (at least, at
    // most), the three deepest traps' depths.
    const StageTargets deep = {16, NoLimit, 6, NoLimit, true, 50, NoLimit, {6, 4, 2}};
    const StageTargets gentle = {8, 12, 1, 2, false, 0, 20, {}};
    std::set<std::string> made;
    for (const auto& [t, seed] : {std::pair{deep, 1}, {deep, 2}, {gentle, 4}}) {
        const GeneratedStage g = generateStage(seed, t, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        const StageReport r = checkWritten(g, false);
        const StageFigures& f = r.figures;
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_TRUE(f.shortest >= t.minLength && f.shortest <= t.maxLength &&
                    f.traps >= t.minTraps && f.traps <= t.maxTraps &&
                    (!t.unique || f.solutions == 1) && f.difficulty >= t.minDifficulty &&
                    f.difficulty <= t.maxDifficulty && f.deepest[0] >= t.minDepths[0] &&
                    f.deepest[1] >= t.minDepths[1] && f.deepest[2] >= t.minDepths[2] &&
                    f.deepest[0] != LoopingTrap)
            << "seed " << seed << ": " << figuresText(f);
        EXPECT_EQ(f.difficulty, g.figures.difficulty) << "the file holds what was found";
        const GeneratedStage again = generateStage(seed, t, SearchLimits{});
        EXPECT_EQ(stageFileText(again.board, again.moves), stageFileText(g.board, g.moves));
        made.insert(stageFileText(g.board, g.moves));
    }
    EXPECT_EQ(made.size(), 3u) << "each seed its own stage";
    // Each target counts on its own: three traps, a second shortest way, a second trap
    // too shallow, fall short; a looping trap is never taken.
    EXPECT_GT(targetShortfall({true, 10, 1, 100, 0, 2, 3, 20}, gentle), 0u);
    const StageFigures close = {true, 16, 1, 100, 0, 8, 6, {6, 4, 2}, 4, 50};
    EXPECT_EQ(targetShortfall(close, deep), 0u);
    for (auto [solutions, second, first] :
         {std::tuple{2u, 4u, 6u}, {1u, 3u, 6u}, {1u, 4u, LoopingTrap}}) {
        StageFigures f = close;
        f.solutions = solutions;
        f.deepest = {first, second, 2};
        EXPECT_GT(targetShortfall(f, deep), 0u) << solutions << second << first;
    }
}

TEST_F(Generate, AHopelessSearchEndsAtItsLimitWithTheBestItSaw) {
    StageTargets impossible;
    impossible.minDepths = {40, 0, 0}; // deeper than a 6 x 6 board has room for
    const GeneratedStage g = generateStage(7, impossible, SearchLimits{60.0, 3000});
    EXPECT_TRUE(!g.found && g.tries <= 3000 && g.figures.solvable) << "the best is still a stage";
    const GeneratedStage timed = generateStage(7, impossible, SearchLimits{0.2, 1u << 30});
    EXPECT_TRUE(!timed.found && timed.seconds < 5.0) << timed.seconds;
}

TEST_F(Generate, DemosLoopOverMuchOfTheBoard) {
    const GeneratedStage g = generateDemo(3, 27, SearchLimits{});
    ASSERT_TRUE(g.found);
    EXPECT_GE(g.moves.size(), 28u) << "rounded up to an even length";
    const StageReport r = checkWritten(g, true);
    EXPECT_TRUE(passesCheck(r, true));
    EXPECT_EQ(r.loopCells, g.moves.size()) << "no cell is entered twice";
    SearchLimits brief;
    brief.seconds = 0.5;
    EXPECT_FALSE(generateDemo(1, 37, brief).found) << "no loop has more cells than the board";
}

TEST(PaintRoute, WritesTheLandingFacesOverAnythingAndRefusesWhatNoBoardHolds) {
    StageBoard board;
    std::fill(&board[0][0], &board[0][0] + CellCount, 9);
    ASSERT_TRUE(paintRoute(board, {DirEast, DirNorth, DirNorth}));
    // The start cell is only entered by coming back.
    EXPECT_EQ(std::make_tuple(board[1][0], board[1][1], board[1][2], board[0][0]),
              std::make_tuple(4, 2, 3, 9));
    EXPECT_EQ(std::count(&board[0][0], &board[0][0] + CellCount, 9), CellCount - 3);
    EXPECT_TRUE(paintRoute(board, {DirEast, DirWest, DirEast}) && board[0][0] == 6)
        << "(1, 0) gets 4 both times";
    EXPECT_FALSE(paintRoute(board, {DirEast, DirNorth, DirWest, DirSouth, DirEast}))
        << "around a square the die comes back to (1, 0) with 2 down instead of 4";
    EXPECT_FALSE(paintRoute(board, {DirNorth, DirWest})) << "off the board";
    EXPECT_FALSE(paintRoute(board, {DirEast, DirNone})) << "a code that names no roll";
}

} // namespace
