// Fuzzing with arbitrary stage files. Each input is the file of stage 0, read through
// loadStage (the later stages find no file and keep its board and moves, as with any
// missing stage file), and, read from its end, the player's requests for a few hundred
// frames of advanceGame; after every frame the die and the game must be sound. Then the
// stage tool checks the same file, as the title demo and as a stage, and its shortest
// solution must be legal by the game's rule, end on the goal and be as long as the
// check says.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "die.h"
#include "flow.h"
#include "game_test_support.h"
#include "roll_rule.h"
#include "stage.h"
#include "stage_check.h"
#include "stage_text.h"
#include "test_files.h"

namespace {

// Stops the run, which libFuzzer reports as a finding, when `condition` is false.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void() : (std::fprintf(stderr, "does not hold: %s\n", #condition), std::abort()))

// The stages' data folder, since libFuzzer's working folder has none; removed at exit.
const TempDir folder;
const std::string folderPath = folder.path().string();

void checkGame() {
    const Die& d = die;
    unsigned faces = 0;
    for (std::int32_t f : {d.top, d.bottom, d.north, d.south, d.west, d.east}) {
        faces |= f >= 1 && f <= 6 ? 1u << f : 1u;
    }
    FUZZ_CHECK(faces == 0x7e); // 1 to 6, each once
    FUZZ_CHECK(d.top + d.bottom == 7 && d.north + d.south == 7 && d.west + d.east == 7);
    FUZZ_CHECK(d.steps <= MaxSteps && d.rollDir >= DirNone && d.rollDir <= DirEast);
    FUZZ_CHECK(std::all_of(d.history, d.history + d.steps, isDirection));
    FUZZ_CHECK(std::fabs(d.angleX) <= 90.0f && std::fabs(d.angleY) <= 90.0f);
    FUZZ_CHECK(phase == PhasePlay || phase == PhaseReplay || phase == PhaseTitle);
    FUZZ_CHECK(stageNumber <= LastStage && moveCount <= MaxMoves);
    if (phase == PhasePlay) {
        FUZZ_CHECK(d.x < BoardSize && d.y < BoardSize);
        // At rest after a roll, the face on the board is the number of the cell.
        FUZZ_CHECK(d.rollDir != DirNone || d.steps == 0 || Board[d.x][d.y] == d.bottom);
        FUZZ_CHECK(d.steps > 0 || (d.x == 0 && d.y == 0));
    } else {
        FUZZ_CHECK(replayIndex <= moveCount);
        FUZZ_CHECK(clearFrames <= ClearFrameCount);
    }
}

// The requests of one byte: bits 0-1 left or right, 2-3 up or down, 4 give up; with
// bit 7 set, the roll that the stored moves make next instead, so that the goal, the
// replay and the next stages are reached.
void request(std::uint8_t b) {
    const std::int32_t stored = die.steps < moveCount ? moves[die.steps] : DirNone;
    static const std::int32_t axis[4] = {0, -1, 1, 0};
    keyX = (b & 0x80) ? stepX(stored) : axis[b & 3];
    keyY = (b & 0x80) ? stepY(stored) : axis[(b >> 2) & 3];
    giveUpRequest = (b & 0x80) ? 0 : (b >> 4) & 1;
}

void checkTool(const std::string& path) {
    static const auto analysis = std::make_unique<StageAnalysis>();
    const StageReport demo = checkStageFile(path.c_str(), true, *analysis);
    FUZZ_CHECK(demo.opened && demo.moveCount <= MaxMoves);
    const StageReport stage = checkStageFile(path.c_str(), false, *analysis);
    FUZZ_CHECK(stage.opened && passesCheck(stage, true) == stage.findings.empty() &&
               !drawBoard(stage.board).empty());
    // Stored moves that play legally onto the goal prove the stage solvable.
    const StoredPlay p = playStoredMoves(stage.board, stage.moves, stage.moveCount, DirNone);
    FUZZ_CHECK(p.goalAt == StoredPlay::Never ||
               (analysis->solvable && analysis->shortest <= p.route.size()));
    const std::vector<std::int32_t> route = shortestSolution(*analysis);
    FUZZ_CHECK(route.size() == analysis->shortest && route.size() == stage.figures.shortest);
    Die d{};
    resetDie(d); // and the last roll, which each roll then records
    for (std::int32_t dir : route) {
        FUZZ_CHECK(!isGoalCell(d.x, d.y));
        FUZZ_CHECK(judgeRoll(d, lastDir, stage.board, dir) == RollVerdict::Accepted);
        rollDie(d, dir);
    }
    FUZZ_CHECK(isGoalCell(d.x, d.y) == analysis->solvable);
    FUZZ_CHECK(!drawRoute(stage.board, route).empty() &&
               routeArrows(route).empty() == route.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path =
        folder.write(stageFileNames[0], std::string(reinterpret_cast<const char*>(data), size));
    // Start-up: the title on stage 0, or, by the first byte, play at once as with a stage
    // named on the command line, numbered anywhere from 1 to 20.
    resetGameGlobals();
    stageDataDir = folderPath.c_str();
    loadStage();
    resetDie(die);
    const std::uint32_t start = size > 0 ? data[0] % (StageCount + 4) : 0;
    if (start >= 1 && start <= LastStage) {
        stageNumber = start;
        phase = PhasePlay;
    }
    checkGame();
    for (int frame = 0; frame < 400; ++frame) {
        if (size > 0) {
            request(data[size - 1 - static_cast<std::size_t>(frame) % size]);
        }
        advanceGame();
        checkGame();
    }
    checkTool(path);
    return 0;
}
