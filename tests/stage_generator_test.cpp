// Generated stages and demos prove themselves: they pass the check and meet their
// targets, each seed gives a stage of its own, and a hopeless search still ends.
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

// Writes the generated stage to a file and checks it as the game would read it.
StageReport checkWritten(const GeneratedStage& g, bool demo) {
    const TempDir dir;
    auto a = std::make_unique<StageAnalysis>();
    return checkStageFile(dir.write("made.stg", stageFileText(g.board, g.moves)).c_str(), demo, *a);
}

TEST(Generate, StagesPassTheStrictCheckMeetTheirTargetsAndFollowTheirSeed) {
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
        EXPECT_EQ(targetShortfall(f, t), 0u) << "seed " << seed << ": " << figuresText(f);
        EXPECT_EQ(f.difficulty, g.figures.difficulty) << "the file holds what was found";
        made.insert(stageFileText(g.board, g.moves));
    }
    EXPECT_EQ(made.size(), 3u) << "each seed its own stage";
    // Each target counts on its own: three traps, a second shortest way, a second trap
    // too shallow fall short, and a looping trap is never taken.
    EXPECT_GT(targetShortfall({true, 10, 1, 100, 0, 2, 3, {}, 0, 20}, gentle), 0u);
    const StageFigures close = {true, 16, 1, 100, 0, 8, 6, {6, 4, 2}, 4, 50};
    StageFigures two = close, shallow = close, loops = close;
    two.solutions = 2;
    shallow.deepest[1] = 3;
    loops.deepest[0] = LoopingTrap;
    EXPECT_EQ(targetShortfall(close, deep), 0u);
    for (const StageFigures& f : {two, shallow, loops}) {
        EXPECT_GT(targetShortfall(f, deep), 0u);
    }
}

TEST(Generate, AHopelessSearchEndsAtItsTimeLimitWithTheBestItSaw) {
    StageTargets impossible;
    impossible.minLength = 300; // far beyond any 6 x 6 board
    const GeneratedStage g = generateStage(7, impossible, SearchLimits{0.2, 1u << 30});
    EXPECT_TRUE(!g.found && g.seconds < 5.0 && g.figures.solvable) << g.seconds;
}

TEST(Generate, DemosLoopOverMuchOfTheBoard) {
    const GeneratedStage g = generateDemo(3, 27, SearchLimits{});
    ASSERT_TRUE(g.found);
    EXPECT_GE(g.moves.size(), 28u) << "rounded up to an even length";
    const StageReport r = checkWritten(g, true);
    EXPECT_TRUE(passesCheck(r, true));
    EXPECT_EQ(r.loopCells, g.moves.size()) << "no cell is entered twice";
}

} // namespace
