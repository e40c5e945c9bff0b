// The shipped stages make the curve the game promises, from a gentle first stage to a
// hard last one, after a title demo that loops over most of the board. (Each one's
// strict check is a test of its own.)
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "stage_check.h"

namespace {

TEST(ShippedStages, DifficultyRisesFromAGentleStartToAHardEnd) {
    auto a = std::make_unique<StageAnalysis>();
    std::vector<StageFigures> f;
    for (std::uint32_t n = 0; n < StageCount; ++n) {
        const std::string path = std::string(PELMAR_STAGE_DIR) + "/" + stageFileNames[n];
        const StageReport r = checkStageFile(path.c_str(), n == 0, *a);
        if (n == 0) {
            EXPECT_GE(r.measuredRoute.size(), 16u);
            EXPECT_GE(r.loopCells, 24u);
        }
        f.push_back(r.figures);
    }
    EXPECT_LE(f[1].shortest, 12u);
    EXPECT_LE(f[1].traps, 2u);
    for (std::uint32_t n = 2; n <= LastStage; ++n) {
        EXPECT_GT(f[n].difficulty, f[n - 1].difficulty) << stageFileNames[n];
        EXPECT_TRUE(n < 8 || f[n].solutions == 1) << stageFileNames[n] << ": one shortest way";
    }
    EXPECT_GE(f[LastStage].shortest, 24u);
    EXPECT_GE(f[LastStage].traps, 10u);
}

} // namespace
