// Timings of the stage tool: checking all 21 shipped stages, generating stages to the
// last stage's targets, and the frontier of the generator's search: the deepest traps it
// finds at each solution length. Prints figures; passes or fails nothing.
//   stage_bench [--frontier] [STAGES_FOLDER]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "stage_check.h"
#include "stage_generator.h"
#include "stage_text.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The machine's load average over the last minute, as the figures depend on it.
std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    return in >> one ? one : "unknown";
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
    std::printf("generate, %s: seeds 1-%d, found %d; median %.2f s, mean %.2f s, slowest "
                "%.2f s; %.2f us a board\n",
                label, seeds, found, times[times.size() / 2], total / seeds, times.back(),
                total * 1e6 / static_cast<double>(boards));
}

// For each even solution length, the deepest trap that the search finds on a stage with
// that unique shortest solution (and, with `traps`, at least that many traps): the best
// board of searches from seeds 1 to 3 for a trap deeper than any board has room for.
void benchFrontier(std::uint32_t traps, std::uint64_t boards) {
    std::printf("\nfrontier, unique shortest solution, at least %u trap(s), seeds 1-3, %llu "
                "boards each (load %s):\n| length | deepest trap | three deepest | seconds |\n"
                "|--:|--:|--:|--:|\n",
                traps, static_cast<unsigned long long>(boards), loadAverage().c_str());
    for (std::uint32_t length = 10; length <= 34; length += 2) {
        StageTargets t;
        t.minLength = t.maxLength = length;
        t.minTraps = traps;
        t.unique = true;
        t.minDepths = {CellCount * 120, 0, 0};
        SearchLimits limits;
        limits.maxBoards = boards;
        limits.seconds = 600.0;
        StageFigures deepest;
        double seconds = 0.0;
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            const GeneratedStage g = generateStage(seed, t, limits);
            seconds += g.seconds;
            const StageFigures& f = g.figures;
            if (f.shortest == length && f.solutions == 1 && f.traps >= traps &&
                f.deepest[0] > deepest.deepest[0]) {
                deepest = f;
            }
        }
        std::printf("| %u | %s | %s | %.1f |\n", length,
                    deepest.traps == 0 ? "-" : depthText(deepest.deepest[0]).c_str(),
                    deepest.traps == 0 ? "-" : threeDeepestText(deepest).c_str(), seconds);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool frontier = argc > 1 && std::strcmp(argv[1], "--frontier") == 0;
    const std::string folder = argc > (frontier ? 2 : 1) ? argv[argc - 1] : PELMAR_STAGE_DIR;
    std::printf("load average at the start: %s\n", loadAverage().c_str());
    if (frontier) {
        benchFrontier(1, 2000000);
        benchFrontier(8, 2000000);
        std::printf("load average at the end: %s\n", loadAverage().c_str());
        return 0;
    }
    benchCheck(folder);

    StageTargets last; // the floors the last stage must meet
    last.minLength = 24;
    last.minTraps = 8;
    last.unique = true;
    last.minDepths = {7, 4, 0};
    benchGenerate("stage-20 floors (shortest >= 24, traps >= 8, traps 7 and 4 deep, unique)", last,
                  10);

    StageTargets shipped = last; // what the shipped stage 20 was made to, but its difficulty
    shipped.minLength = 26;
    shipped.minDepths = {8, 4, 1};
    benchGenerate("shipped stage 20 (>= 26, traps >= 8, traps 8, 4 and 1 deep, unique)", shipped,
                  5);
    std::printf("load average at the end: %s\n", loadAverage().c_str());
    return 0;
}
