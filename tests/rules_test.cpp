// The rules with no display: the die's reset, rolls and count, and the game driven
// frame by frame: the title demo, rolls by the rules with their timing and poses, giving
// up, the replay, the way from stage to stage and the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "die.h"
#include "flow.h"
#include "game_test_support.h"
#include "stage.h"
#include "test_files.h"

namespace {

using Faces = std::array<std::int32_t, 6>; // top, bottom, north, south, west, east

Faces facesOf(const Die& d) {
    return {d.top, d.bottom, d.north, d.south, d.west, d.east};
}

TEST(Die, ResetRollsAndTheCountThatStopsAt255) {
    Die d{4, 3, DirEast, 17, 6, 1, 5, 2, 4, 3, 2.5f, 3.5f, 0.7f, 30.0f, -45.0f, {DirWest}};
    lastDir = DirNorth;
    resetDie(d);
    EXPECT_EQ(facesOf(d), Faces({1, 6, 2, 5, 3, 4}));
    EXPECT_EQ(std::tuple(d.x, d.y, d.steps, d.rollDir, lastDir), std::tuple(0u, 0u, 0u, 0, 0));
    EXPECT_EQ(std::tuple(d.angleX, d.angleY, d.posX, d.posZ, d.history[0]),
              std::tuple(0.0f, 0.0f, 2.5f, 0.7f, DirWest))
        << "pose and history stay";

    // From the reset die every face value differs, so each row pins down its roll's turn
    // of the faces, and with it every sequence of rolls.
    const struct {
        std::int32_t dir;
        Faces faces;
        std::uint32_t x, y;
    } cases[] = {{DirNorth, {5, 2, 1, 6, 3, 4}, 10, 11},
                 {DirSouth, {2, 5, 6, 1, 3, 4}, 10, 9},
                 {DirWest, {4, 3, 2, 5, 1, 6}, 9, 10},
                 {DirEast, {3, 4, 2, 5, 6, 1}, 11, 10}};
    for (const auto& c : cases) {
        Die r = d;
        r.x = r.y = 10;
        r.rollDir = c.dir;
        r.angleX = r.angleY = 90.0f;
        rollDie(r, c.dir);
        EXPECT_EQ(facesOf(r), c.faces) << c.dir;
        EXPECT_EQ(
            std::tuple(r.x, r.y, r.rollDir, r.steps, r.angleX + r.angleY, r.history[0], lastDir),
            std::tuple(c.x, c.y, 0, 1u, 0.0f, c.dir, c.dir))
            << c.dir;
        // The tools step cells without rolling a die; their step must be the roll's.
        EXPECT_EQ(std::pair(10 + stepX(c.dir), 10 + stepY(c.dir)), std::pair(int(c.x), int(c.y)));
    }

    std::int32_t played[300];
    for (int i = 0; i < 300; ++i) {
        played[i] = (i * 7 + i / 3) % 4 + 1;
        rollDie(d, played[i]);
    }
    EXPECT_EQ(d.steps, 255u);
    EXPECT_TRUE(std::equal(played, played + 255, d.history));
    EXPECT_EQ(d.history[255], played[299]) << "the last slot keeps the newest roll";
}

constexpr double Pi = 3.14159265358979323846;

class GameFlow : public ::testing::Test {
  protected:
    // The start-up state of the game, with an empty board and move list.
    void SetUp() override {
        resetGameGlobals();
        resetDie(die);
    }

    void writeStage(int number, const Moves& path, const Moves& stored) {
        dir.write("stage" + std::to_string(number) + ".stg", stageText(path, stored));
    }

    // Plays stage `number` from its file, at rest on the start cell.
    static void startStage(std::uint32_t number) {
        stageNumber = number;
        loadStage();
        resetDie(die);
        phase = PhasePlay;
        frame();
    }

    // Play with the reset die on the middle cell (2, 2) of an empty board, whose
    // neighbours on the `fitting` sides (N, S, W, E) show the die's face there.
    void standInTheMiddle(const std::string& fitting) {
        SetUp();
        phase = PhasePlay;
        die.x = die.y = 2;
        const auto fits = [&](char side) { return fitting.find(side) != std::string::npos; };
        Board[2][3] = fits('N') ? die.north : die.south;
        Board[2][1] = fits('S') ? die.south : die.north;
        Board[1][2] = fits('W') ? die.west : die.east;
        Board[3][2] = fits('E') ? die.east : die.west;
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

    // Presses the arrow key for `dir` and lets the roll run to rest.
    static void playRoll(std::int32_t dir) {
        frame(stepX(dir), stepY(dir));
        ASSERT_EQ(die.rollDir, dir) << "roll " << dir << " was not accepted";
        frames(7);
    }

    static void expectAtRestOn(std::uint32_t x, std::uint32_t y) {
        EXPECT_EQ(std::tuple(die.x, die.y, die.rollDir, die.posX, die.posY, die.posZ),
                  std::tuple(x, y, 0, x + 0.5f, y + 0.5f, 0.5f));
    }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(GameFlow, TheTitleDemoLoopsFromWhereItStandsUntilAnArrowStartsStageOne) {
    // Each pass: east (8 frames), 7 used up, north (8), 0 used up, the end of the list.
    writeStage(0, {DirEast, DirNorth, DirEast, DirNorth}, {DirEast, 7, DirNorth, 0});
    writeStage(1, staircase, staircase);
    loadStage();
    for (int i = 0; i < 2 * 19; ++i) {
        frame(0, 0, 1); // g does nothing on the title
        EXPECT_EQ(message, MsgHitDirKey);
    }
    expectAtRestOn(2, 2);
    EXPECT_EQ(die.steps, 4u);
    frames(3);
    EXPECT_EQ(die.rollDir, DirEast) << "the third pass starts where the second ended";

    cameraSpin = 50.0f;
    frame(0, 1); // even while the demo die rolls
    EXPECT_EQ(std::tuple(phase, stageNumber, message, Board[1][0], cameraSpin, die.steps),
              std::tuple(PhasePlay, 1u, MsgStart, 4, 0.0f, 0u));
    expectAtRestOn(0, 0);
}

TEST_F(GameFlow, ARollRestsOneFrameThenSwingsAboutTheEdgeItTipsOverForSixAndEndsOnTheSeventh) {
    const struct {
        std::int32_t dir;
        const float& angle; // the one that turns, by 15 degrees a frame, in the sign of `turn`
        double turn;
        double ahead; // the sign of the way it rolls along its axis
        std::uint32_t toX, toY;
        MessageId message;
    } cases[] = {{DirNorth, die.angleX, -1, 1, 2, 3, MsgTurnUp},
                 {DirSouth, die.angleX, 1, -1, 2, 1, MsgTurnDown},
                 {DirWest, die.angleY, -1, -1, 1, 2, MsgTurnLeft},
                 {DirEast, die.angleY, 1, 1, 3, 2, MsgTurnRight}};
    for (const auto& c : cases) {
        standInTheMiddle("NSWE");
        frame(stepX(c.dir), stepY(c.dir));
        EXPECT_EQ(std::tuple(die.rollDir, message, die.posX, die.posY, die.angleX + die.angleY),
                  std::tuple(c.dir, c.message, 2.5f, 2.5f, 0.0f))
            << "the accepting frame draws the die at rest";
        // The centre swings on a quarter circle about the bottom edge ahead, from 135
        // degrees (seen with the way ahead to the right) down to 45.
        const bool alongX = c.dir == DirWest || c.dir == DirEast;
        for (int i = 1; i <= 6; ++i) {
            frame(1, 1); // lost: the die is rolling
            const double ahead = ((alongX ? die.posX : die.posY) - 2.5) * c.ahead - 0.5;
            const double theta = (135 - 15 * i) * Pi / 180;
            EXPECT_EQ(std::pair(c.angle, alongX ? die.posY : die.posX),
                      std::pair(float(c.turn * 15 * i), 2.5f))
                << c.dir << " frame " << i;
            EXPECT_NEAR(ahead, 0.707106781 * std::cos(theta), 1e-6) << c.dir << " frame " << i;
            EXPECT_NEAR(die.posZ, 0.707106781 * std::sin(theta), 1e-6) << c.dir << " frame " << i;
        }
        frame();
        expectAtRestOn(c.toX, c.toY);
        EXPECT_EQ(std::pair(lastDir, die.steps), std::pair(c.dir, 1u));
        frame();
        EXPECT_EQ(std::pair(die.rollDir, message), std::pair(0, c.message))
            << "no request outlives its frame";
    }
}

TEST_F(GameFlow, RequestsAreJudgedWestEastSouthNorthByEdgeFaceAndGoBack) {
    const struct {
        const char* what;
        std::int32_t last, keyX, keyY;
        const char* fits; // the sides whose neighbour shows the die's face there
        std::int32_t rollDir;
        MessageId message;
    } cases[] = {
        {"left and up allowed: north wins", 0, -1, 1, "WN", DirNorth, MsgTurnUp},
        {"up refused by its face: left stands", 0, -1, 1, "W", DirWest, MsgTurnLeft},
        {"left goes back, up overrides", DirEast, -1, 1, "WN", DirNorth, MsgTurnUp},
        {"a right request keeps down unjudged", DirNorth, 1, -1, "", DirNone, MsgStart},
        {"alone, down is judged", DirNorth, 0, -1, "S", DirNone, MsgDontGoBack},
        {"a wrong face refuses silently", 0, 1, 0, "", DirNone, MsgStart},
    };
    for (const auto& c : cases) {
        standInTheMiddle(c.fits);
        lastDir = c.last;
        frame(c.keyX, c.keyY);
        EXPECT_EQ(std::pair(die.rollDir, message), std::pair(c.rollDir, c.message)) << c.what;
    }

    // On the start cell, left and down meet the edge: nothing happens. Should a die ever
    // stand off the board in play, no request reads the grid.
    standInTheMiddle("");
    die.x = die.y = 0;
    Board[0][0] = 6;
    frame(-1, -1);
    die.x = 7;
    die.y = static_cast<std::uint32_t>(-1);
    frame(-1, 1);
    frame(1, -1);
    EXPECT_EQ(std::pair(die.rollDir, message), std::pair(0, MsgStart));
}

TEST_F(GameFlow, OnlyTheLastRollCountsAsGoingBackAndGivingUpForgetsIt) {
    phase = PhasePlay;
    paint(Board, {DirEast, DirNorth, DirWest});
    playRoll(DirEast);
    frame(-1, 0);
    EXPECT_EQ(message, MsgDontGoBack);
    playRoll(DirNorth);
    playRoll(DirWest);
    expectAtRestOn(0, 1);

    // Given up, the die is drawn once more where it stood, then on the start cell; the
    // direction requests of that frame are ignored.
    frame(1, 0, 1);
    EXPECT_EQ(std::tuple(message, phase, die.x + die.y + die.steps, die.rollDir),
              std::tuple(MsgGiveUp, PhasePlay, 0u, 0));
    EXPECT_EQ(std::pair(die.posX, die.posY), std::pair(0.5f, 1.5f));
    frame(1, 0);
    EXPECT_EQ(die.rollDir, DirEast) << "east after west is no going back once given up";
    EXPECT_EQ(die.posY, 0.5f);
    giveUpRequest = 1; // pressed while the die rolls: lost, not kept for later
    frames(8);
    expectAtRestOn(1, 0);
    EXPECT_EQ(message, MsgTurnRight);
}

TEST_F(GameFlow, TheGoalLeadsToTheReplayTheClearFramesAndTheNextStageUntilTheLast) {
    writeStage(1, staircase, staircase);
    // The replay plays a stored list that leads off the board all the same, passing over
    // a code that names no roll.
    writeStage(2, {DirNorth}, {DirWest, 9, DirSouth, DirSouth, DirEast});
    startStage(1);
    for (std::int32_t dir : staircase) {
        playRoll(dir);
    }
    expectAtRestOn(5, 5);
    cameraSpin = 90.0f;
    frame(1, 0);
    EXPECT_EQ(std::tuple(phase, message, die.steps + die.x, die.posX),
              std::tuple(PhaseReplay, MsgReplay, 0u, 5.5f))
        << "drawn once more on the goal";
    frames(10 * 8);
    expectAtRestOn(5, 5);
    EXPECT_EQ(std::pair(die.steps, message), std::pair(10u, MsgReplay));
    frames(10);
    EXPECT_EQ(std::pair(message, phase), std::pair(MsgStageClear, PhaseReplay));
    frame(0, 1);
    EXPECT_EQ(std::tuple(phase, stageNumber, message, Board[0][1] * 10 + Board[1][0], cameraSpin),
              std::tuple(PhasePlay, 2u, MsgStart, 20, 0.0f));
    expectAtRestOn(0, 0);

    die.x = die.y = 5;
    frames(1 + 8 + 1 + 8 * 3);
    EXPECT_EQ(std::tuple(die.x, die.y, die.steps), std::tuple(0u, std::uint32_t(-2), 4u));
    EXPECT_GT(die.posY, 1e9f) << "drawn where its pose puts it";
    frames(1 + 10);
    // stage3.stg is missing: stage 3 is played on stage 2's board and moves.
    EXPECT_EQ(std::tuple(stageNumber, Board[0][1], moves[0]), std::tuple(3u, 2, DirWest));
    expectAtRestOn(0, 0);

    writeStage(20, {DirEast}, {DirEast});
    startStage(20);
    die.x = die.y = 5;
    frames(1 + 8 + 10);
    EXPECT_EQ(message, MsgStageClear);
    for (int i = 0; i < 50; ++i) {
        frame(1, 1, 1);
        ASSERT_EQ(std::tuple(message, phase, stageNumber),
                  std::tuple(MsgAllStageClear, PhaseReplay, 20u));
    }
    expectAtRestOn(1, 0);
}

} // namespace
