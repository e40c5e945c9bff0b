// One frame of the game: the phase logic at rest, the quarter-turn of a roll, and
// the drawing pose of the die.
#include "flow.h"

#include <cmath>

#include "die.h"
#include "roll_rule.h"
#include "stage.h"

GamePhase phase = PhaseTitle;
MessageId message = MsgStart;
std::int32_t keyX = 0;
std::int32_t keyY = 0;
std::int32_t giveUpRequest = 0;
std::uint32_t replayIndex = 0;
std::uint32_t clearFrames = 0;

const char* messageText(std::int32_t id) {
    static const char* const texts[] = {
        "TURN UP",
        "TURN DOWN",
        "TURN LEFT",
        "TURN RIGHT",
        "DON'T GO BACK !!",
        "START",
        "REPLAY",
        "STAGE CLEAR !!",
        "GIVE UP",
        "ALL STAGE CLEAR !!",
        "HIT DIR KEY TO START",
    };
    if (id < MsgTurnUp || id > MsgHitDirKey) {
        return nullptr;
    }
    return texts[id - MsgTurnUp];
}

namespace {

constexpr float RollStep = 15.0f;          // degrees per frame
constexpr float RollLimit = 90.0f;         // a quarter turn
constexpr double EdgeRadius = 0.707106781; // from the die's centre to an edge
constexpr double Pi = 3.14159265358979323846;

// Loads stage `number` and starts playing it from the start cell.
void enterStage(std::uint32_t number) {
    stageNumber = number;
    loadStage();
    resetDie(die);
    message = MsgStart;
    phase = PhasePlay;
}

// A stored move starts its roll; a code that names no roll is used up without one,
// so the demo and the replay always move on.
void startStoredMove() {
    const std::int32_t move = moves[replayIndex];
    die.rollDir = isDirection(move) ? move : DirNone;
    ++replayIndex;
}

// Judges one direction request; an accepted one sets the message and the roll.
void checkRequest(std::int32_t dir, MessageId accepted) {
    switch (judgeRoll(die, lastDir, Board, dir)) {
    case RollVerdict::Accepted:
        message = accepted;
        die.rollDir = dir;
        break;
    case RollVerdict::GoesBack:
        message = MsgDontGoBack;
        break;
    case RollVerdict::OffBoard:
    case RollVerdict::WrongFace:
        break;
    }
}

// Play at rest. False when the frame took the goal or give-up branch, whose die is
// drawn once more where it stood.
bool playAtRest() {
    if (isGoalCell(die.x, die.y)) {
        replayIndex = 0;
        resetDie(die);
        message = MsgReplay;
        phase = PhaseReplay;
        return false;
    }
    if (giveUpRequest != 0) {
        resetDie(die);
        message = MsgGiveUp;
        return false;
    }
    // A later accepted check overrides an earlier one, so north wins, and a right
    // request keeps a down request from being judged at all.
    if (keyX < 0) {
        checkRequest(DirWest, MsgTurnLeft);
    }
    if (keyX > 0) {
        checkRequest(DirEast, MsgTurnRight);
    } else if (keyY < 0) {
        checkRequest(DirSouth, MsgTurnDown);
    }
    if (keyY > 0) {
        checkRequest(DirNorth, MsgTurnUp);
    }
    return true;
}

void titleAtRest() {
    message = MsgHitDirKey;
    if (replayIndex < moveCount) {
        startStoredMove();
    } else {
        // The demo starts over from wherever the die now stands.
        replayIndex = 0;
    }
}

void replayAtRest() {
    if (replayIndex < moveCount) {
        startStoredMove();
        clearFrames = 0;
    } else if (clearFrames < ClearFrameCount) {
        ++clearFrames;
        message = MsgStageClear;
    } else if (stageNumber < LastStage) {
        enterStage(stageNumber + 1);
    } else {
        message = MsgAllStageClear;
    }
}

void restPose() {
    die.angleX = 0.0f;
    die.angleY = 0.0f;
    die.posX = static_cast<float>(die.x + 0.5);
    die.posY = static_cast<float>(die.y + 0.5);
    die.posZ = 0.5f;
}

// Turns the rolling die one step, or completes the roll once it has turned a
// quarter, then places it on its quarter circle about the bottom edge it tips over.
void animateRoll() {
    const std::int32_t dir = die.rollDir;
    switch (dir) {
    case DirNorth:
        if (die.angleX > -RollLimit) {
            die.angleX -= RollStep;
        } else {
            rollNorth(die);
        }
        break;
    case DirSouth:
        if (die.angleX < RollLimit) {
            die.angleX += RollStep;
        } else {
            rollSouth(die);
        }
        break;
    case DirWest:
        if (die.angleY > -RollLimit) {
            die.angleY -= RollStep;
        } else {
            rollWest(die);
        }
        break;
    default: // DirEast
        if (die.angleY < RollLimit) {
            die.angleY += RollStep;
        } else {
            rollEast(die);
        }
        break;
    }

    const double x = die.x;
    const double y = die.y;
    double theta = 0.0;
    switch (dir) {
    case DirNorth:
        theta = die.angleX + 135.0;
        break;
    case DirSouth:
        theta = die.angleX + 45.0;
        break;
    case DirWest:
        theta = die.angleY - 45.0;
        break;
    default:
        theta = 135.0 - die.angleY;
        break;
    }
    const double c = EdgeRadius * std::cos(theta * Pi / 180.0);
    const double s = EdgeRadius * std::sin(theta * Pi / 180.0);
    double px = x + 0.5;
    double py = y + 0.5;
    double pz = s;
    switch (dir) {
    case DirNorth:
        py = y + 1.0 + c;
        break;
    case DirSouth:
        py = y + c;
        break;
    case DirWest:
        px = x + c;
        pz = -s;
        break;
    default:
        px = x + 1.0 + c;
        break;
    }
    die.posX = static_cast<float>(px);
    die.posY = static_cast<float>(py);
    die.posZ = static_cast<float>(pz);
}

} // namespace

void advanceGame() {
    if (phase == PhaseTitle && (keyX != 0 || keyY != 0)) {
        enterStage(1);
        keyX = 0;
        keyY = 0;
    }

    if (die.rollDir == DirNone) {
        bool drawnWhereItStood = false;
        switch (phase) {
        case PhasePlay:
            drawnWhereItStood = !playAtRest();
            break;
        case PhaseTitle:
            titleAtRest();
            break;
        case PhaseReplay:
            replayAtRest();
            break;
        }
        if (!drawnWhereItStood) {
            restPose();
        }
    } else if (isDirection(die.rollDir)) {
        animateRoll();
    }

    keyX = 0;
    keyY = 0;
    giveUpRequest = 0;
}
