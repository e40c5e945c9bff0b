// Fuzzing the stage tool with arbitrary stage files: the check, as a stage and as the
// title demo, and the solver, whose shortest solution must be a legal one by the
// game's rule, end on the goal and be as long as the check says.
#include <memory>

#include "fuzz_stage_file.h"
#include "roll_rule.h"
#include "stage_check.h"
#include "stage_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto analysis = std::make_unique<StageAnalysis>();
    const std::string path = writeInput("input.stg", data, size);

    const StageReport demo = checkStageFile(path.c_str(), true, *analysis);
    FUZZ_CHECK(demo.opened && demo.moveCount <= MaxMoves);
    const StageReport stage = checkStageFile(path.c_str(), false, *analysis);
    FUZZ_CHECK(stage.opened && passesCheck(stage, true) == stage.findings.empty() &&
               !drawBoard(stage.board).empty());
    if (!analysis->solvable) {
        FUZZ_CHECK(shortestSolution(*analysis).empty());
        return 0;
    }
    const std::vector<std::int32_t> route = shortestSolution(*analysis);
    FUZZ_CHECK(route.size() == analysis->shortest && route.size() == stage.figures.shortest);
    Die d{};
    resetDie(d);
    std::int32_t last = DirNone;
    for (std::int32_t dir : route) {
        FUZZ_CHECK(!isGoalCell(d.x, d.y));
        FUZZ_CHECK(judgeRoll(d, last, stage.board, dir) == RollVerdict::Accepted);
        rollDie(d, dir);
        last = dir;
    }
    FUZZ_CHECK(isGoalCell(d.x, d.y));
    FUZZ_CHECK(!drawRoute(stage.board, route).empty() && !routeArrows(route).empty());
    return 0;
}
