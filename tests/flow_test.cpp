// The game driven frame by frame: the title demo, rolls by the rules with their
// timing and poses, giving up, the replay, the way from stage to stage and the end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "die.h"
#include "flow.h"
#include "game_test_support.h"
#include "stage.h"
#include "test_files.h"

namespace {

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

    // Play on an empty board with the reset die on the middle cell (2, 2).
    void standInTheMiddle() {
        SetUp();
        phase = PhasePlay;
        die.x = die.y = 2;
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
        EXPECT_EQ(die.x * 10 + die.y, x * 10 + y);
        EXPECT_EQ(die.rollDir, DirNone);
        EXPECT_EQ(std::vector<float>({die.posX, die.posY, die.posZ}),
                  std::vector<float>({x + 0.5f, y + 0.5f, 0.5f}));
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
    EXPECT_EQ(phase, PhaseTitle);

    cameraSpin = 50.0f;
    frame(0, 1); // even while the demo die rolls
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 1u);
    EXPECT_EQ(message, MsgStart);
    EXPECT_EQ(Board[1][0], 4);
    EXPECT_EQ(cameraSpin, 0.0f);
    EXPECT_EQ(die.steps, 0u);
    expectAtRestOn(0, 0);
}

TEST_F(GameFlow, ARollRestsOneFrameThenSwingsAboutTheEdgeItTipsOverForSixAndEndsOnTheSeventh) {
    struct Case {
        std::int32_t dir;
        double edgeX, edgeY; // the pivot edge; NAN for the axis it runs along
        std::uint32_t toX, toY;
        MessageId message;
    };
    const Case cases[] = {{DirNorth, NAN, 3.0, 2, 3, MsgTurnUp},
                          {DirSouth, NAN, 2.0, 2, 1, MsgTurnDown},
                          {DirWest, 2.0, NAN, 1, 2, MsgTurnLeft},
                          {DirEast, 3.0, NAN, 3, 2, MsgTurnRight}};
    for (const Case& c : cases) {
        standInTheMiddle();
        Board[2][3] = die.north;
        Board[2][1] = die.south;
        Board[1][2] = die.west;
        Board[3][2] = die.east;
        frame(stepX(c.dir), stepY(c.dir));
        ASSERT_EQ(die.rollDir, c.dir);
        EXPECT_EQ(message, c.message);
        // The accepting frame draws the die at rest.
        EXPECT_EQ(std::tuple(die.posX, die.posY, die.angleX + die.angleY),
                  std::tuple(2.5f, 2.5f, 0.0f));
        const float& angle = std::isnan(c.edgeX) ? die.angleX : die.angleY;
        const double turn = c.dir == DirNorth || c.dir == DirWest ? -1 : 1;
        const double outward = c.dir == DirSouth || c.dir == DirWest ? 1 : -1;
        for (int i = 1; i <= 6; ++i) {
            frame(1, 1); // lost: the die is rolling
            const double along = std::isnan(c.edgeX) ? die.posY - c.edgeY : die.posX - c.edgeX;
            EXPECT_EQ(angle, turn * 15 * i) << c.dir;
            EXPECT_NEAR(std::hypot(along, die.posZ), 0.707106781, 1e-6) << c.dir << " frame " << i;
            EXPECT_NEAR(along, 0.707106781 * std::cos((45 + 15 * i) * Pi / 180) * outward, 1e-6)
                << c.dir << " frame " << i;
        }
        frame();
        expectAtRestOn(c.toX, c.toY);
        EXPECT_EQ(std::pair(lastDir, die.steps), std::pair(c.dir, 1u));
        frame();
        EXPECT_EQ(die.rollDir, DirNone) << "no request outlives its frame";
        EXPECT_EQ(message, c.message);
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
        standInTheMiddle();
        lastDir = c.last;
        message = MsgStart;
        const std::string fits = c.fits;
        Board[1][2] = fits.find('W') != std::string::npos ? die.west : die.east;
        Board[3][2] = fits.find('E') != std::string::npos ? die.east : die.west;
        Board[2][1] = fits.find('S') != std::string::npos ? die.south : die.north;
        Board[2][3] = fits.find('N') != std::string::npos ? die.north : die.south;
        frame(c.keyX, c.keyY);
        EXPECT_EQ(die.rollDir, c.rollDir) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }

    // On the start cell, left and down meet the edge: nothing happens. Should a die ever
    // stand off the board in play, no request reads the grid.
    SetUp();
    phase = PhasePlay;
    Board[0][0] = 6;
    frame(-1, 0);
    frame(0, -1);
    die.x = 7;
    die.y = static_cast<std::uint32_t>(-1);
    frame(-1, 1);
    frame(1, -1);
    EXPECT_EQ(die.rollDir, DirNone);
    EXPECT_EQ(message, MsgStart);
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

    // Given up, the die is drawn once more where it stood, then on the start cell.
    frame(1, 0, 1);
    EXPECT_EQ(message, MsgGiveUp);
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(die.x + die.y + die.steps, 0u);
    EXPECT_EQ(die.rollDir, DirNone) << "direction requests of the give-up frame are ignored";
    EXPECT_EQ(std::pair(die.posX, die.posY), std::pair(0.5f, 1.5f));
    frame(1, 0);
    EXPECT_EQ(die.rollDir, DirEast) << "east after west is no going back once given up";
    EXPECT_EQ(die.posY, 0.5f);
    giveUpRequest = 1; // pressed while the die rolls: lost, not kept for later
    frames(8);
    expectAtRestOn(1, 0);
    EXPECT_EQ(message, MsgTurnRight);
}

TEST_F(GameFlow, TheGoalLeadsToTheReplayTheClearFramesAndTheNextStage) {
    writeStage(1, staircase, staircase);
    writeStage(2, {DirNorth}, {DirNorth});
    startStage(1);
    for (std::int32_t dir : staircase) {
        playRoll(dir);
    }
    expectAtRestOn(5, 5);
    cameraSpin = 90.0f;
    frame(1, 0);
    EXPECT_EQ(phase, PhaseReplay);
    EXPECT_EQ(message, MsgReplay);
    EXPECT_EQ(die.steps + die.x, 0u);
    EXPECT_EQ(die.posX, 5.5f) << "drawn once more on the goal";
    frame();
    EXPECT_EQ(die.rollDir, staircase[0]);
    frames(10 * 8 - 1);
    expectAtRestOn(5, 5);
    EXPECT_EQ(die.steps, 10u);
    EXPECT_EQ(message, MsgReplay);
    for (std::uint32_t i = 1; i <= 10; ++i) {
        frame(0, 1);
        EXPECT_EQ(message, MsgStageClear);
    }
    frame();
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 2u);
    EXPECT_EQ(message, MsgStart);
    EXPECT_EQ(Board[0][1] * 10 + Board[1][0], 20);
    EXPECT_EQ(cameraSpin, 0.0f);
    expectAtRestOn(0, 0);

    // stage3.stg is missing: stage 3 is played on stage 2's board and moves.
    die.x = die.y = 5;
    frames(1 + 8 + 10);
    EXPECT_EQ(message, MsgStageClear) << "every cleared stage shows it for 10 frames";
    frame();
    EXPECT_EQ(stageNumber, 3u);
    EXPECT_EQ(Board[0][1], 2);
    EXPECT_EQ(moves[0], DirNorth);
}

TEST_F(GameFlow, TheReplayPlaysAnyStoredListAndStage20EndsInAllStageClearForGood) {
    writeStage(1, staircase, {DirWest, 9, DirSouth, DirSouth, DirEast});
    writeStage(2, staircase, {});
    startStage(1);
    die.x = die.y = 5;
    frames(1 + 8 + 1 + 8 * 3);
    EXPECT_EQ(die.x, 0u);
    EXPECT_EQ(die.y, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(die.steps, 4u);
    EXPECT_GT(die.posY, 1e9f) << "drawn where its pose puts it";
    frames(1 + 10);
    EXPECT_EQ(stageNumber, 2u);
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
