// Timings of the stage tool: checking all 21 shipped stages, and generating stages
// to the last stage's targets. Prints figures; passes or fails nothing.
//   stage_bench [STAGES_FOLDER]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "stage_check.h"
#include "stage_generator.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void benchCheck(const std::string& folder) {
    auto a = std::make_unique<StageAnalysis>();
    constexpr int Rounds = 200;
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < Rounds; ++round) {
        for (std::uint32_t n = 0; n < StageCount; ++n) {
            const std::string path = folder + "/" + stageFileNames[n];
            failures += passesCheck(checkStageFile(path.c_str(), n == 0, *a), true) ? 0 : 1;
        }
    }
    const double each = secondsSince(start) / Rounds;
    std::printf("check, all 21 shipped stages (read, solve, figures): %.3f ms a pass "
                "(%.1f us a stage; mean of %d passes)%s\n",
                each * 1e3, each * 1e6 / StageCount, Rounds,
                failures == 0 ? "" : "  [some stages FAILED the check]");
}

void benchGenerate(const char* label, const StageTargets& t, int seeds) {
    std::vector<double> times;
    int found = 0;
    std::uint64_t boards = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
        const GeneratedStage g = generateStage(static_cast<std::uint64_t>(seed), t, SearchLimits{});
        times.push_back(g.seconds);
        found += g.found ? 1 : 0;
        boards += g.tries;
    }
    std::sort(times.begin(), times.end());
    double total = 0.0;
    for (double s : times) {
        total += s;
    }
    std::printf("generate, %s: seeds 1-%d, found %d; median %.3f s, mean %.3f s, slowest "
                "%.3f s; %.2f us a board\n",
                label, seeds, found, times[times.size() / 2], total / seeds, times.back(),
                total * 1e6 / static_cast<double>(boards));
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : PELMAR_STAGE_DIR;
    benchCheck(folder);

    StageTargets last; // the minimum the last stage must meet
    last.minLength = 24;
    last.minTraps = 10;
    last.unique = true;
    benchGenerate("stage-20 minimum (shortest >= 24, traps >= 10, unique)", last, 10);

    StageTargets shipped = last; // what the shipped stage 20 was made to
    shipped.minLength = 26;
    shipped.minTraps = 14;
    shipped.minDifficulty = 110;
    benchGenerate("shipped stage 20 (>= 26, traps >= 14, unique, difficulty >= 110)", shipped, 5);
    return 0;
}
