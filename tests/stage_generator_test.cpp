// Generated stages and demos prove themselves: they pass the check and meet their
// targets, the same seed gives the same stage, and a hopeless search still ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
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
    // Length, traps (each at least, at most), one shortest way, difficulty (at least, at most).
    const StageTargets hard = {16, NoLimit, 6, NoLimit, true, 50, NoLimit};
    const StageTargets gentle = {8, 12, 1, 2, false, 0, 20};
    std::set<std::string> made;
    for (const auto& [t, seed] :
         {std::pair{hard, 1}, {hard, 2}, {hard, 3}, {gentle, 4}, {gentle, 5}}) {
        const GeneratedStage g = generateStage(seed, t, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        const StageReport r = checkWritten(g, false);
        const StageFigures& f = r.figures;
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_TRUE(f.shortest >= t.minLength && f.shortest <= t.maxLength &&
                    f.traps >= t.minTraps && f.traps <= t.maxTraps &&
                    (!t.unique || f.solutions == 1) && f.difficulty >= t.minDifficulty &&
                    f.difficulty <= t.maxDifficulty)
            << "seed " << seed << ": " << figuresText(f);
        EXPECT_EQ(f.difficulty, g.figures.difficulty) << "the file holds what was found";
        const GeneratedStage again = generateStage(seed, t, SearchLimits{});
        EXPECT_EQ(stageFileText(again.board, again.moves), stageFileText(g.board, g.moves));
        made.insert(stageFileText(g.board, g.moves));
    }
    EXPECT_EQ(made.size(), 5u) << "each seed its own stage";
    // Each target counts on its own: three traps, or a second shortest way, fall short.
    EXPECT_GT(targetShortfall({true, 10, 1, 100, 0, 2, 3, 20}, gentle), 0u);
    EXPECT_GT(targetShortfall({true, 16, 2, 100, 0, 8, 6, 50}, hard), 0u);
}

TEST_F(Generate, AHopelessSearchEndsAtItsLimitWithTheBestItSaw) {
    StageTargets impossible;
    impossible.minLength = 300; // far beyond any 6 x 6 board
    SearchLimits few;
    few.maxBoards = 3000;
    const GeneratedStage g = generateStage(7, impossible, few);
    EXPECT_FALSE(g.found);
    EXPECT_LE(g.tries, 3000u);
    EXPECT_TRUE(g.figures.solvable) << "the closest board is still a stage";
    SearchLimits brief;
    brief.seconds = 0.2;
    const GeneratedStage timed = generateStage(7, impossible, brief);
    EXPECT_FALSE(timed.found);
    EXPECT_LT(timed.seconds, 5.0);
}

TEST_F(Generate, DemosLoopOverMuchOfTheBoard) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const GeneratedStage g = generateDemo(seed, 27, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        EXPECT_GE(g.moves.size(), 28u) << "rounded up to an even length";
        const StageReport r = checkWritten(g, true);
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_EQ(r.loopCells, g.moves.size()) << "no cell is entered twice";
    }
    SearchLimits brief;
    brief.seconds = 0.5;
    EXPECT_FALSE(generateDemo(1, 37, brief).found) << "no loop has more cells than the board";
}

TEST(PaintRoute, WritesTheLandingFacesOverAnythingAndRefusesWhatNoBoardHolds) {
    StageBoard board;
    std::fill(&board[0][0], &board[0][0] + CellCount, 9);
    ASSERT_TRUE(paintRoute(board, {DirEast, DirNorth, DirNorth}));
    EXPECT_EQ(board[1][0], 4);
    EXPECT_EQ(board[1][1], 2);
    EXPECT_EQ(board[1][2], 3);
    EXPECT_EQ(board[0][0], 9) << "the start cell is only entered by coming back";
    EXPECT_EQ(std::count(&board[0][0], &board[0][0] + CellCount, 9), CellCount - 3);

    EXPECT_TRUE(paintRoute(board, {DirEast, DirWest, DirEast})) << "(1, 0) gets 4 both times";
    EXPECT_EQ(board[0][0], 6);
    EXPECT_FALSE(paintRoute(board, {DirEast, DirNorth, DirWest, DirSouth, DirEast}))
        << "around a square the die comes back to (1, 0) with 2 down instead of 4";
    EXPECT_FALSE(paintRoute(board, {DirNorth, DirWest})) << "off the board";
    EXPECT_FALSE(paintRoute(board, {DirEast, DirNone})) << "a code that names no roll";
}

} // namespace
