// The game itself, one frame at a time: the title demo, play by the rules, the
// replay of a cleared stage and the way from stage to stage.
#pragma once

#include <cstdint>

enum GamePhase : std::int32_t {
    PhasePlay = 0,
    PhaseReplay = 1,
    PhaseTitle = 2,
};

enum MessageId : std::int32_t {
    MsgTurnUp = 1,
    MsgTurnDown = 2,
    MsgTurnLeft = 3,
    MsgTurnRight = 4,
    MsgDontGoBack = 5,
    MsgStart = 6,
    MsgReplay = 7,
    MsgStageClear = 8,
    MsgGiveUp = 9,
    MsgAllStageClear = 10,
    MsgHitDirKey = 11,
};

// How many frames "STAGE CLEAR !!" stays before the next stage.
constexpr std::uint32_t ClearFrameCount = 10;

extern GamePhase phase;
extern MessageId message;          // the bottom line; kept until changed
extern std::int32_t keyX;          // -1 left, +1 right, 0 none; for the next frame only
extern std::int32_t keyY;          // +1 up, -1 down, 0 none; for the next frame only
extern std::int32_t giveUpRequest; // 1 once g was pressed; for the next frame only
extern std::uint32_t replayIndex;  // next stored move of the demo or the replay
extern std::uint32_t clearFrames;  // frames shown since the replay ran out of moves

// The bottom line's text for a message id, or null for an id that shows nothing.
const char* messageText(std::int32_t id);

// One frame of game logic. Reads the requests the key handlers left, judges them,
// advances the roll and the phase, leaves the die's drawing pose set, and clears
// the requests.
void advanceGame();
