// Fresh globals and stage files for the game's tests.
#include "game_test_support.h"

#include <algorithm>

#include "flow.h"

void resetGameGlobals() {
    phase = PhaseTitle;
    message = MsgStart;
    keyX = keyY = giveUpRequest = 0;
    replayIndex = clearFrames = 0;
    stageNumber = moveCount = 0;
    std::fill_n(&Board[0][0], BoardSize * BoardSize, 0);
    std::fill_n(moves, MaxMoves, 0);
    cameraSpin = cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
    stageDataDir = nullptr;
    die = Die{};
    lastDir = DirNone;
}

void paint(std::int32_t (&board)[BoardSize][BoardSize], const Moves& path) {
    const std::int32_t last = lastDir;
    Die d{};
    resetDie(d);
    for (std::int32_t dir : path) {
        rollDie(d, dir);
        board[d.x][d.y] = d.bottom;
    }
    lastDir = last;
}

std::string stageText(const Moves& path, const Moves& stored) {
    std::int32_t board[BoardSize][BoardSize] = {};
    paint(board, path);
    Moves numbers(&board[0][0], &board[0][0] + BoardSize * BoardSize);
    numbers.push_back(static_cast<std::int32_t>(stored.size()));
    numbers.insert(numbers.end(), stored.begin(), stored.end());
    std::string text;
    for (std::int32_t n : numbers) {
        text += std::to_string(n) + " ";
    }
    return text;
}
