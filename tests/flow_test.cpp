// The game driven frame by frame: the title demo, rolls by the rules with their
// timing and poses, giving up, the replay, the way from stage to stage and the end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "die.h"
#include "flow.h"
#include "stage.h"
#include "test_files.h"

namespace {

using Grid = std::vector<std::vector<std::int32_t>>; // grid[x][y]

constexpr double EdgeRadius = 0.707106781;
constexpr double Pi = 3.14159265358979323846;

// The staircase from the start cell to the goal: east, north, east, north, ...
const std::vector<std::int32_t> staircase = {DirEast,  DirNorth, DirEast,  DirNorth, DirEast,
                                             DirNorth, DirEast,  DirNorth, DirEast,  DirNorth};

// A board of impassable cells except along `path` from the start cell, where each
// cell shows the face that lands on it.
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

class GameFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        phase = PhaseTitle;
        message = MsgStart;
        keyX = keyY = giveUpRequest = 0;
        replayIndex = clearFrames = 0;
        stageNumber = 0;
        moveCount = 0;
        for (auto& column : Board) {
            for (auto& cell : column) {
                cell = 0;
            }
        }
        for (auto& m : moves) {
            m = 0;
        }
        stageDataDir = nullptr;
        die = Die{};
        resetDie(die);
    }

    void writeStage(int number, const Grid& grid, const std::vector<std::int32_t>& stored) {
        dir.write("stage" + std::to_string(number) + ".stg", stageText(grid, stored));
    }

    // Starts stage `number` in play, as the title's arrow key or the last stage would.
    void startStage(std::uint32_t number) {
        stageNumber = number;
        loadStage();
        resetDie(die);
        message = MsgStart;
        phase = PhasePlay;
        advanceGame();
    }

    static void frame(std::int32_t x = 0, std::int32_t y = 0, std::int32_t giveUp = 0) {
        keyX = x;
        keyY = y;
        giveUpRequest = giveUp;
        advanceGame();
    }

    static void frames(int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }

    // Requests a roll like the arrow key for `dir`, and lets it run to rest.
    static void playRoll(std::int32_t dir) {
        frame(dir == DirWest   ? -1
              : dir == DirEast ? 1
                               : 0,
              dir == DirNorth   ? 1
              : dir == DirSouth ? -1
                                : 0);
        ASSERT_EQ(die.rollDir, dir) << "roll " << dir << " was not accepted";
        frames(7);
    }

    // Starts play afresh with the reset die on the middle cell (2, 2) of an empty board.
    void standInTheMiddle() {
        SetUp();
        phase = PhasePlay;
        die.x = die.y = 2;
    }

    static void expectAtRestOn(std::uint32_t x, std::uint32_t y) {
        EXPECT_EQ(die.x, x);
        EXPECT_EQ(die.y, y);
        EXPECT_EQ(die.rollDir, DirNone);
        EXPECT_FLOAT_EQ(die.posX, x + 0.5f);
        EXPECT_FLOAT_EQ(die.posY, y + 0.5f);
        EXPECT_FLOAT_EQ(die.posZ, 0.5f);
    }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(GameFlow, TheTitleDemoLoopsWithoutPuttingTheDieBack) {
    writeStage(0, boardForPath({DirEast, DirNorth}), {DirEast, DirNorth});
    loadStage();
    frame();
    EXPECT_EQ(message, MsgHitDirKey);
    EXPECT_EQ(die.rollDir, DirEast);
    frames(15);
    expectAtRestOn(1, 1);
    // The frame after the list ran out starts no roll; the next pass goes on from here.
    frame(0, 0, 1);
    EXPECT_EQ(die.rollDir, DirNone);
    EXPECT_EQ(replayIndex, 0u);
    frames(16);
    expectAtRestOn(2, 2);
    EXPECT_EQ(die.steps, 4u) << "the demo never resets the die, and g does nothing here";
    EXPECT_EQ(phase, PhaseTitle);
    EXPECT_EQ(stageNumber, 0u);
}

TEST_F(GameFlow, AStoredMoveThatNamesNoRollIsUsedUpWithoutOne) {
    writeStage(0, boardForPath({}), {7, -1, 0, DirEast, 123456});
    loadStage();
    frames(3);
    EXPECT_EQ(die.rollDir, DirNone);
    EXPECT_EQ(replayIndex, 3u);
    frame();
    EXPECT_EQ(die.rollDir, DirEast);
    // 6 turning frames, the completing one, 123456, the end of the list, 7, -1, 0.
    frames(6 + 1 + 1 + 1 + 3);
    EXPECT_EQ(die.rollDir, DirNone);
    frame();
    EXPECT_EQ(die.rollDir, DirEast) << "the demo must move on past unusable entries";
    EXPECT_EQ(die.x, 1u);
}

TEST_F(GameFlow, AnArrowLeavesTheTitleEvenWhileTheDemoDieRolls) {
    writeStage(0, boardForPath({DirNorth}), {DirNorth});
    writeStage(1, boardForPath(staircase), staircase);
    loadStage();
    frames(3);
    ASSERT_EQ(die.rollDir, DirNorth);
    cameraSpin = 50.0f;
    frame(0, 1);
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 1u);
    EXPECT_EQ(message, MsgStart);
    EXPECT_EQ(Board[1][0], 4);
    EXPECT_EQ(cameraSpin, 0.0f);
    EXPECT_EQ(die.steps, 0u);
    expectAtRestOn(0, 0);
    EXPECT_EQ(keyY, 0);
}

TEST_F(GameFlow, ARollRestsOneFrameTurnsSixAndCompletesOnTheSeventh) {
    writeStage(1, boardForPath(staircase), staircase);
    startStage(1);
    frame(1, 0);
    EXPECT_EQ(message, MsgTurnRight);
    EXPECT_EQ(die.rollDir, DirEast);
    EXPECT_EQ(die.x, 0u);
    EXPECT_FLOAT_EQ(die.posX, 0.5f) << "the accepting frame draws the die at rest";
    EXPECT_FLOAT_EQ(die.posZ, 0.5f);
    for (int i = 1; i <= 6; ++i) {
        frame(0, 1); // lost: the die is rolling
        EXPECT_FLOAT_EQ(die.angleY, 15.0f * i);
        const double theta = (135.0 - 15.0 * i) * Pi / 180.0;
        EXPECT_NEAR(die.posX, 1.0 + EdgeRadius * std::cos(theta), 1e-6);
        EXPECT_NEAR(die.posZ, EdgeRadius * std::sin(theta), 1e-6);
        EXPECT_FLOAT_EQ(die.posY, 0.5f);
        EXPECT_EQ(die.x, 0u);
    }
    frame(0, 1);
    expectAtRestOn(1, 0);
    EXPECT_EQ(die.angleY, 0.0f);
    EXPECT_EQ(die.steps, 1u);
    EXPECT_EQ(message, MsgTurnRight) << "requests made while rolling are lost";
    frame();
    EXPECT_EQ(die.rollDir, DirNone);
    frame(0, 1);
    EXPECT_EQ(die.rollDir, DirNorth) << "the eighth frame takes the next request";
}

TEST_F(GameFlow, EachRollSwingsTheDieAboutTheBottomEdgeItTipsOver) {
    struct Case {
        std::int32_t dir, keyX, keyY;
        double edgeX, edgeY; // the pivot edge's line; NAN for the axis it runs along
        std::uint32_t toX, toY;
    };
    const Case cases[] = {{DirNorth, 0, 1, NAN, 3.0, 2, 3},
                          {DirSouth, 0, -1, NAN, 2.0, 2, 1},
                          {DirWest, -1, 0, 2.0, NAN, 1, 2},
                          {DirEast, 1, 0, 3.0, NAN, 3, 2}};
    for (const Case& c : cases) {
        standInTheMiddle();
        Board[2][3] = die.north;
        Board[2][1] = die.south;
        Board[1][2] = die.west;
        Board[3][2] = die.east;
        frame(c.keyX, c.keyY);
        ASSERT_EQ(die.rollDir, c.dir);
        for (int i = 1; i <= 6; ++i) {
            frame();
            const double along = std::isnan(c.edgeX) ? die.posY - c.edgeY : die.posX - c.edgeX;
            EXPECT_NEAR(std::hypot(along, die.posZ), EdgeRadius, 1e-6) << c.dir << " frame " << i;
            if (i == 3) {
                EXPECT_NEAR(along, 0.0, 1e-6) << "upright over the edge at 45 degrees";
            }
        }
        frame();
        expectAtRestOn(c.toX, c.toY);
        EXPECT_EQ(lastDir, c.dir);
    }
}

TEST_F(GameFlow, EdgesAndWrongFacesRefuseSilently) {
    Grid grid = boardForPath(staircase);
    grid[1][0] = 5; // the east face shows 4
    writeStage(1, grid, staircase);
    startStage(1);
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{1, 0}}) {
        frame(x, y);
        EXPECT_EQ(message, MsgStart);
        EXPECT_EQ(die.rollDir, DirNone);
    }
    grid[0][1] = 2;
    writeStage(1, grid, staircase);
    startStage(1);
    frame(0, 1);
    EXPECT_EQ(die.rollDir, DirNorth);
}

TEST_F(GameFlow, ReversingTheLastRollIsRefusedButOnlyTheLastOne) {
    Grid grid = boardForPath({DirEast, DirNorth, DirWest});
    writeStage(1, grid, {});
    startStage(1);
    playRoll(DirEast);
    frame(-1, 0);
    EXPECT_EQ(message, MsgDontGoBack);
    EXPECT_EQ(die.rollDir, DirNone);
    expectAtRestOn(1, 0);

    playRoll(DirNorth);
    playRoll(DirWest); // judged by the board alone now
    expectAtRestOn(0, 1);
    EXPECT_EQ(message, MsgTurnLeft);

    // After giving up nothing counts as going back, not even east after a west roll.
    frame(0, 0, 1);
    EXPECT_EQ(message, MsgGiveUp);
    frame(1, 0);
    EXPECT_EQ(die.rollDir, DirEast);
    EXPECT_EQ(message, MsgTurnRight);
}

TEST_F(GameFlow, SeveralRequestsInOneFrameAreJudgedWestEastSouthNorth) {
    // Left and up both allowed: north is judged last and wins.
    standInTheMiddle();
    Board[1][2] = die.west;
    Board[2][3] = die.north;
    frame(-1, 1);
    EXPECT_EQ(die.rollDir, DirNorth);
    EXPECT_EQ(message, MsgTurnUp);

    // Left allowed, up refused by its face: the left roll stands.
    standInTheMiddle();
    Board[1][2] = die.west;
    Board[2][3] = die.south;
    frame(-1, 1);
    EXPECT_EQ(die.rollDir, DirWest);
    EXPECT_EQ(message, MsgTurnLeft);

    // Left goes back, up is allowed: the go-back message is overridden.
    standInTheMiddle();
    lastDir = DirEast;
    Board[2][3] = die.north;
    frame(-1, 1);
    EXPECT_EQ(die.rollDir, DirNorth);
    EXPECT_EQ(message, MsgTurnUp);

    // Right and down: with a right request the down request is never judged, so its
    // go-back refusal does not show.
    standInTheMiddle();
    lastDir = DirNorth;
    message = MsgTurnUp;
    Board[3][2] = die.west; // the east face does not match
    frame(1, -1);
    EXPECT_EQ(die.rollDir, DirNone);
    EXPECT_EQ(message, MsgTurnUp);
    frame(0, -1);
    EXPECT_EQ(message, MsgDontGoBack) << "alone, the down request is judged";
}

TEST_F(GameFlow, GivingUpDrawsTheDieOnceMoreWhereItStood) {
    writeStage(1, boardForPath(staircase), staircase);
    startStage(1);
    playRoll(DirEast);
    playRoll(DirNorth);
    frame(1, 0, 1);
    EXPECT_EQ(message, MsgGiveUp);
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(die.x, 0u);
    EXPECT_EQ(die.y, 0u);
    EXPECT_EQ(die.steps, 0u);
    EXPECT_EQ(die.rollDir, DirNone) << "direction requests of the give-up frame are ignored";
    EXPECT_FLOAT_EQ(die.posX, 1.5f);
    EXPECT_FLOAT_EQ(die.posY, 1.5f);
    frame();
    expectAtRestOn(0, 0);

    // A g pressed while the die rolls is lost.
    frame(1, 0);
    frame(0, 0, 1);
    frames(6);
    expectAtRestOn(1, 0);
    EXPECT_EQ(message, MsgTurnRight);
}

TEST_F(GameFlow, TheGoalLeadsToTheReplayTheClearFramesAndTheNextStage) {
    writeStage(1, boardForPath(staircase), staircase);
    const Grid second = boardForPath({DirNorth});
    writeStage(2, second, {DirNorth});
    startStage(1);
    for (std::int32_t dir : staircase) {
        playRoll(dir);
    }
    expectAtRestOn(5, 5);
    EXPECT_EQ(die.steps, 10u);

    cameraSpin = 90.0f;
    frame(1, 0);
    EXPECT_EQ(phase, PhaseReplay);
    EXPECT_EQ(message, MsgReplay);
    EXPECT_EQ(die.steps, 0u);
    EXPECT_EQ(die.x, 0u);
    EXPECT_FLOAT_EQ(die.posX, 5.5f) << "drawn once more on the goal";
    EXPECT_FLOAT_EQ(die.posY, 5.5f);

    frame();
    EXPECT_EQ(die.rollDir, staircase[0]);
    EXPECT_FLOAT_EQ(die.posX, 0.5f);
    EXPECT_FLOAT_EQ(die.posY, 0.5f);
    frames(10 * 8 - 1);
    expectAtRestOn(5, 5);
    EXPECT_EQ(die.steps, 10u);
    EXPECT_EQ(message, MsgReplay);

    for (std::uint32_t i = 1; i <= ClearFrameCount; ++i) {
        frame(0, 1);
        EXPECT_EQ(message, MsgStageClear);
        EXPECT_EQ(clearFrames, i);
        EXPECT_EQ(phase, PhaseReplay);
    }
    frame();
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 2u);
    EXPECT_EQ(message, MsgStart);
    EXPECT_EQ(Board[0][1], second[0][1]);
    EXPECT_EQ(Board[1][0], 0);
    EXPECT_EQ(cameraSpin, 0.0f);
    expectAtRestOn(0, 0);
}

TEST_F(GameFlow, TheReplayPlaysTheStoredListEvenWhenItMissesTheGoal) {
    Grid grid = boardForPath(staircase);
    writeStage(1, grid, {DirEast, 9, DirNorth});
    startStage(1);
    die.x = die.y = 5; // as if the player had just arrived
    frame();
    ASSERT_EQ(phase, PhaseReplay);
    frames(8 + 1 + 8);
    expectAtRestOn(1, 1);
    EXPECT_EQ(die.steps, 2u);
    frame();
    EXPECT_EQ(message, MsgStageClear);
}

TEST_F(GameFlow, AMissingStageFileKeepsThePreviousBoardAndMoves) {
    writeStage(1, boardForPath(staircase), {});
    startStage(1);
    die.x = die.y = 5;
    frame();
    EXPECT_EQ(message, MsgReplay);
    frames(1 + ClearFrameCount);
    EXPECT_EQ(stageNumber, 2u);
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(Board[1][0], 4);
    EXPECT_EQ(moveCount, 0u);
}

TEST_F(GameFlow, ClearingStage20EndsInAllStageClearForGood) {
    writeStage(20, boardForPath({DirEast}), {DirEast});
    startStage(20);
    die.x = die.y = 5;
    frame();
    frames(8 + ClearFrameCount);
    EXPECT_EQ(message, MsgStageClear);
    for (int i = 0; i < 50; ++i) {
        frame(1, 1, 1);
        ASSERT_EQ(message, MsgAllStageClear);
        ASSERT_EQ(phase, PhaseReplay);
        ASSERT_EQ(stageNumber, 20u);
        ASSERT_EQ(die.rollDir, DirNone);
    }
    expectAtRestOn(1, 0);
}

TEST_F(GameFlow, StoredMovesThatLeaveTheBoardNeverReadOutsideIt) {
    writeStage(1, boardForPath(staircase), {DirWest, DirSouth, DirSouth, DirEast});
    writeStage(2, boardForPath(staircase), {});
    startStage(1);
    die.x = die.y = 5;
    frame();
    frames(8 * 4);
    EXPECT_EQ(die.x, 0u);
    EXPECT_EQ(die.y, static_cast<std::uint32_t>(-2));
    EXPECT_TRUE(std::isfinite(die.posY));
    EXPECT_GT(die.posY, 1e9f) << "drawn where its pose puts it";
    frames(1 + ClearFrameCount);
    EXPECT_EQ(stageNumber, 2u);
    expectAtRestOn(0, 0);

    // Should a die ever stand off the board in play, no request reads the grid.
    die.x = 7;
    die.y = static_cast<std::uint32_t>(-1);
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
        frame(x, y);
        EXPECT_EQ(die.rollDir, DirNone);
    }
}

} // namespace
