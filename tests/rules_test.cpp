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
    EXPECT_EQ(std::tuple(d.x, d.y, d.steps, d.rollDir, lastDir, d.angleX, d.angleY),
              std::tuple(0u, 0u, 0u, 0, 0, 0.0f, 0.0f));
    EXPECT_EQ(std::tuple(d.posX, d.posZ, d.history[0]), std::tuple(2.5f, 0.7f, DirWest))
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

class GameFlow : public ::testing::Test {
  protected:
    // The start-up state of the game, with an empty board and move list.
    void SetUp() override {
        resetGameGlobals();
        resetDie(die);
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
        // Whether used or not, a request counts for this one frame only.
        EXPECT_EQ(std::tuple(keyX, keyY, giveUpRequest), std::tuple(0, 0, 0));
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

    // On the cell and drawn there at rest.
    static void expectOn(std::uint32_t x, std::uint32_t y) {
        EXPECT_EQ(std::tuple(die.x, die.y, die.posX, die.posY, die.posZ),
                  std::tuple(x, y, x + 0.5f, y + 0.5f, 0.5f));
    }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(GameFlow, ARollRestsOneFrameThenSwingsAboutTheEdgeItTipsOverForSixAndEndsOnTheSeventh) {
    // The die's centre swings on a quarter circle about the bottom edge ahead, from 135
    // degrees (seen with the way ahead to the right) down to 45.
    const struct {
        std::int32_t dir;
        const float& angle; // turns by 15 degrees a frame, in the sign of `turn`
        float turn, ahead;  // `ahead`: the sign of the way it rolls along its axis
        std::uint32_t toX, toY;
        MessageId message;
    } cases[] = {{DirNorth, die.angleX, -1, 1, 2, 3, MsgTurnUp},
                 {DirSouth, die.angleX, 1, -1, 2, 1, MsgTurnDown},
                 {DirWest, die.angleY, -1, -1, 1, 2, MsgTurnLeft},
                 {DirEast, die.angleY, 1, 1, 3, 2, MsgTurnRight}};
    for (const auto& c : cases) {
        standInTheMiddle("NSWE");
        frame(stepX(c.dir), stepY(c.dir)); // accepted, and drawn at rest
        expectOn(2, 2);
        const float& along = c.dir == DirWest || c.dir == DirEast ? die.posX : die.posY;
        for (int i = 1; i <= 6; ++i) {
            frame(1, 1); // lost: the die is rolling
            const double theta = (135 - 15 * i) * std::acos(-1.0) / 180;
            EXPECT_EQ(c.angle, c.turn * 15 * i) << c.dir << " frame " << i;
            EXPECT_NEAR((along - 2.5) * c.ahead - 0.5, 0.707106781 * std::cos(theta), 1e-6)
                << c.dir << " frame " << i;
            EXPECT_NEAR(die.posZ, 0.707106781 * std::sin(theta), 1e-6) << c.dir << " frame " << i;
        }
        frame();
        expectOn(c.toX, c.toY);
        EXPECT_EQ(std::tuple(lastDir, die.steps, message), std::tuple(c.dir, 1u, c.message));
    }
}

TEST_F(GameFlow, RequestsAreJudgedWestEastSouthNorthByEdgeFaceAndGoBack) {
    const struct {
        const char* what;
        std::uint32_t x, y; // where the die stands
        std::int32_t last, keyX, keyY;
        const char* fits; // the sides whose neighbour shows the die's face there
        std::int32_t rollDir;
        MessageId message;
    } cases[] = {
        {"left and up allowed: north wins", 2, 2, 0, -1, 1, "WN", DirNorth, MsgTurnUp},
        {"up refused by its face: left stands", 2, 2, 0, -1, 1, "W", DirWest, MsgTurnLeft},
        {"left goes back, up overrides", 2, 2, DirEast, -1, 1, "WN", DirNorth, MsgTurnUp},
        {"a right request keeps down unjudged", 2, 2, DirNorth, 1, -1, "", DirNone, MsgStart},
        {"alone, down is judged", 2, 2, DirNorth, 0, -1, "S", DirNone, MsgDontGoBack},
        {"left and down meet the edges", 0, 0, 0, -1, -1, "", DirNone, MsgStart},
        // Should a die ever stand off the board in play, no request reads the grid.
        {"off the board", 7, std::uint32_t(-1), 0, -1, 1, "", DirNone, MsgStart},
    };
    for (const auto& c : cases) {
        standInTheMiddle(c.fits);
        die.x = c.x;
        die.y = c.y;
        lastDir = c.last;
        frame(c.keyX, c.keyY);
        EXPECT_EQ(std::pair(die.rollDir, message), std::pair(c.rollDir, c.message)) << c.what;
    }
}

TEST_F(GameFlow, FromTheTitleDemoThroughEachStageAndItsReplayToTheEnd) {
    // Each pass of the demo: east (8 frames), 7 used up, north (8), 0 used up, the end of
    // the list.
    dir.write("stage0.stg",
              stageText({DirEast, DirNorth, DirEast, DirNorth}, {DirEast, 7, DirNorth, 0}));
    dir.write("stage1.stg", stageText(staircase, staircase));
    // The replay plays a stored list that leads off the board all the same, passing over
    // a code that names no roll.
    dir.write("stage2.stg", stageText({DirNorth}, {DirWest, 9, DirSouth, DirSouth, DirEast}));
    loadStage();
    frame(0, 0, 1); // g does nothing on the title
    frames(2 * 19 - 1);
    expectOn(2, 2);
    EXPECT_EQ(std::pair(die.steps, message), std::pair(4u, MsgHitDirKey));
    frame(0, 1); // even while the demo die rolls
    EXPECT_EQ(std::tuple(phase, stageNumber, message, Board[1][0], die.steps),
              std::tuple(PhasePlay, 1u, MsgStart, 4, 0u));
    expectOn(0, 0);

    playRoll(DirEast);
    frame(-1, 0);
    EXPECT_EQ(message, MsgDontGoBack);
    // Given up, the die is drawn once more where it stood, then on the start cell; the
    // direction requests of that frame are ignored, and the last roll is forgotten.
    frame(1, 0, 1);
    EXPECT_EQ(std::tuple(message, phase, die.x + die.steps, die.rollDir, lastDir, die.posX),
              std::tuple(MsgGiveUp, PhasePlay, 0u, 0, 0, 1.5f));
    frame(1, 0);
    EXPECT_EQ(std::pair(die.rollDir, die.posX), std::pair(std::int32_t{DirEast}, 0.5f));
    frame(0, 0, 1); // g while the die rolls does nothing
    frames(6);
    for (std::size_t i = 1; i < staircase.size(); ++i) {
        playRoll(staircase[i]);
    }
    expectOn(5, 5);
    frame(1, 0);
    EXPECT_EQ(std::tuple(phase, message, die.steps + die.x, die.posX),
              std::tuple(PhaseReplay, MsgReplay, 0u, 5.5f))
        << "drawn once more on the goal";
    frames(10 * 8);
    expectOn(5, 5);
    EXPECT_EQ(std::pair(die.steps, message), std::pair(10u, MsgReplay));
    frames(10);
    EXPECT_EQ(std::pair(message, phase), std::pair(MsgStageClear, PhaseReplay));
    frame(0, 1);
    EXPECT_EQ(std::tuple(phase, stageNumber, message, Board[0][1] * 10 + Board[1][0]),
              std::tuple(PhasePlay, 2u, MsgStart, 20));
    expectOn(0, 0);

    // Played as stage 20, whose clearing leaves the game on its last message.
    stageNumber = 20;
    die.x = die.y = 5;
    frames(1 + 8 + 1 + 8 * 3);
    EXPECT_EQ(std::tuple(die.x, die.y, die.steps), std::tuple(0u, std::uint32_t(-2), 4u));
    frames(10);
    EXPECT_EQ(message, MsgStageClear);
    frame(1, 1, 1);
    frames(50);
    EXPECT_EQ(std::tuple(message, phase, stageNumber),
              std::tuple(MsgAllStageClear, PhaseReplay, 20u));
}

} // namespace
