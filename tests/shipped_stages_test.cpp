// The shipped stages make the curve the game promises, from a gentle first stage to a
// hard last one with deep traps, after a title demo that loops over most of the board;
// and stages/README.md shows their figures as the stage tool measures them now. (Each
// stage's strict check is a test of its own.)
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "stage_text.h"

namespace {

TEST(ShippedStages, RiseFromAGentleStartToDeepTrapsAtTheEnd) {
    auto a = std::make_unique<StageAnalysis>();
    std::vector<TableRow> rows;
    for (std::uint32_t n = 0; n < StageCount; ++n) {
        const std::string path = std::string(PELMAR_STAGE_DIR) + "/" + stageFileNames[n];
        rows.push_back({"stage" + std::to_string(n), checkStageFile(path.c_str(), n == 0, *a)});
    }
    EXPECT_TRUE(rows[0].report.measuredRoute.size() == 36 && rows[0].report.loopCells == 36);
    const StageFigures& first = rows[1].report.figures;
    EXPECT_TRUE(first.shortest <= 12 && first.traps <= 2 && first.deepest[0] <= 2);
    for (std::uint32_t n = 1; n <= LastStage; ++n) {
        const StageFigures& f = rows[n].report.figures;
        EXPECT_EQ(f.solutions, 1u) << n;
        EXPECT_TRUE(n == 1 || f.difficulty > rows[n - 1].report.figures.difficulty) << n;
        EXPECT_TRUE(n < 11 || f.deepest[0] >= 5) << n;
        EXPECT_TRUE(n < 15 || (f.deepest[0] >= 6 && f.deepest[1] >= 4)) << n;
    }
    const StageFigures& last = rows[LastStage].report.figures;
    EXPECT_TRUE(last.deepest[0] >= 7 && last.shortest >= 24 && last.traps >= 8);

    // The table between its marker lines in the README.
    std::ifstream in(std::string(PELMAR_STAGE_DIR) + "/README.md");
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::string begin = "<!-- stage table begin: made by pelmar-stage table -->\n";
    const std::size_t from = text.find(begin) + begin.size();
    EXPECT_EQ(text.substr(from, text.find("<!-- stage table end -->") - from), stageTable(rows))
        << "run tools/update-stage-table.sh";
}

} // namespace
