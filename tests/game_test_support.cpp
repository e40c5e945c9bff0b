// Fresh globals and stage files for the game's tests.
#include "game_test_support.h"

#include <algorithm>
#include <iterator>

#include "die.h"
#include "flow.h"
#include "stage.h"

void resetGameGlobals() {
    phase = PhaseTitle;
    message = MsgStart;
    keyX = keyY = giveUpRequest = 0;
    replayIndex = clearFrames = 0;
    stageNumber = 0;
    for (auto& column : Board) {
        std::fill(std::begin(column), std::end(column), 0);
    }
    moveCount = 0;
    std::fill(std::begin(moves), std::end(moves), 0);
    cameraSpin = 0.0f;
    cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
    stageDataDir = nullptr;
    die = Die{};
    lastDir = DirNone;
}

Grid boardForPath(const std::vector<std::int32_t>& path) {
    Grid grid(BoardSize, std::vector<std::int32_t>(BoardSize, 0));
    Die d{};
    resetDie(d);
    for (std::int32_t dir : path) {
        rollDie(d, dir);
        grid[d.x][d.y] = d.bottom;
    }
    return grid;
}

std::string stageText(const Grid& grid, const std::vector<std::int32_t>& stored) {
    std::string text;
    for (int x = 0; x < BoardSize; ++x) {
        for (int y = 0; y < BoardSize; ++y) {
            text += std::to_string(grid[x][y]) + (y == BoardSize - 1 ? "\n" : " ");
        }
    }
    text += std::to_string(stored.size()) + "\n";
    for (std::int32_t m : stored) {
        text += std::to_string(m) + " ";
    }
    return text + "\n";
}
