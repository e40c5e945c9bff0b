// The shipped stages: each passes the strict check, and together they make the
// curve the game promises, from a gentle first stage to a hard last one.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "stage_check.h"

namespace {

class ShippedStages : public ::testing::Test {
  protected:
    void SetUp() override {
        auto a = std::make_unique<StageAnalysis>();
        for (std::uint32_t n = 0; n < StageCount; ++n) {
            const std::string path = std::string(PELMAR_STAGE_DIR) + "/" + stageFileNames[n];
            reports.push_back(checkStageFile(path.c_str(), n == 0, *a));
        }
    }
    std::vector<StageReport> reports;
};

TEST_F(ShippedStages, EveryOnePassesTheStrictCheck) {
    for (std::uint32_t n = 0; n < StageCount; ++n) {
        EXPECT_TRUE(passesCheck(reports[n], true)) << stageFileNames[n];
    }
}

TEST_F(ShippedStages, TheDemoLoopsOverMostOfTheBoard) {
    const StageReport& demo = reports[0];
    EXPECT_TRUE(demo.demo);
    EXPECT_GE(demo.measuredRoute.size(), 16u);
    EXPECT_GE(demo.loopCells, 24u);
}

TEST_F(ShippedStages, DifficultyRisesFromAGentleStartToAHardEnd) {
    const StageFigures& first = reports[1].figures;
    EXPECT_LE(first.shortest, 12u);
    EXPECT_LE(first.traps, 2u);
    for (std::uint32_t n = 2; n <= LastStage; ++n) {
        EXPECT_GT(reports[n].figures.difficulty, reports[n - 1].figures.difficulty)
            << stageFileNames[n];
    }
    for (std::uint32_t n = 8; n <= LastStage; ++n) {
        EXPECT_EQ(reports[n].figures.solutions, 1u) << stageFileNames[n];
    }
    const StageFigures& last = reports[LastStage].figures;
    EXPECT_GE(last.shortest, 24u);
    EXPECT_GE(last.traps, 10u);
}

} // namespace
