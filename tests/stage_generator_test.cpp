// Generated stages and demos prove themselves: they pass the check and meet their
// targets, the same seed gives the same stage, and a hopeless search still ends.
#include <gtest/gtest.h>

#include <memory>

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

TEST_F(Generate, StagesPassTheCheckAndMeetTheirTargets) {
    StageTargets t;
    t.minLength = 16;
    t.minTraps = 6;
    t.unique = true;
    t.minDifficulty = 50;
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const GeneratedStage g = generateStage(seed, t, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        const StageReport r = checkWritten(g, false);
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_TRUE(r.storedShortest);
        EXPECT_GE(r.figures.shortest, 16u);
        EXPECT_GE(r.figures.traps, 6u);
        EXPECT_EQ(r.figures.solutions, 1u);
        EXPECT_GE(r.figures.difficulty, 50u);
        EXPECT_EQ(r.figures.difficulty, g.figures.difficulty) << "the file holds what was found";
        EXPECT_EQ(targetShortfall(r.figures, t), 0u);
    }
}

TEST_F(Generate, UpperBoundsHoldAsWellAsLowerOnes) {
    StageTargets gentle;
    gentle.minLength = 8;
    gentle.maxLength = 12;
    gentle.minTraps = 1;
    gentle.maxTraps = 2;
    gentle.maxDifficulty = 20;
    for (std::uint64_t seed : {4u, 5u}) {
        const GeneratedStage g = generateStage(seed, gentle, SearchLimits{});
        ASSERT_TRUE(g.found) << "seed " << seed;
        const StageReport r = checkWritten(g, false);
        EXPECT_TRUE(passesCheck(r, true));
        EXPECT_LE(r.figures.shortest, 12u);
        EXPECT_GE(r.figures.traps, 1u);
        EXPECT_LE(r.figures.traps, 2u);
        EXPECT_LE(r.figures.difficulty, 20u);
    }
}

TEST_F(Generate, TheSameSeedGivesTheSameStage) {
    StageTargets t;
    t.minLength = 14;
    const GeneratedStage one = generateStage(42, t, SearchLimits{});
    const GeneratedStage two = generateStage(42, t, SearchLimits{});
    ASSERT_TRUE(one.found);
    EXPECT_EQ(stageFileText(one.board, one.moves), stageFileText(two.board, two.moves));
    EXPECT_EQ(one.tries, two.tries);
    const GeneratedStage other = generateStage(43, t, SearchLimits{});
    EXPECT_NE(stageFileText(one.board, one.moves), stageFileText(other.board, other.moves));
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
        EXPECT_EQ(g.moves.size() % 2, 0u);
        EXPECT_GE(g.moves.size(), 28u) << "rounded up to an even length";
        const StageReport r = checkWritten(g, true);
        EXPECT_TRUE(passesCheck(r, true)) << "seed " << seed;
        EXPECT_EQ(r.loopCells, g.moves.size()) << "no cell is entered twice";
    }
    SearchLimits brief;
    brief.seconds = 0.5;
    EXPECT_FALSE(generateDemo(1, 37, brief).found) << "no loop has more cells than the board";
}

} // namespace
