// The running game's frames and keys, through the handlers start-up registers: one
// frame per idle call judged, drawn and presented; each key's request; the wireframe
// view of the space key with the frame it draws at once.
#include <gtest/gtest.h>

#include "die.h"
#include "flow.h"
#include "game_fixture.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "opengl.h"
#include "render_probe.h"
#include "stage.h"
#include "startup.h"
#include "window.h"

namespace {

class RunningGame : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        writeStage("stage0.stg", {DirNorth}, {DirNorth, DirSouth});
        writeStage("stage1.stg", staircase, staircase);
        loadStage();
        ASSERT_TRUE(openGameWindow());
        // What the loop does first.
        windowHandlers.reshapeHandler(300, 300);
    }

    // One turn of the loop with no message waiting.
    static void frame() { windowHandlers.idleHandler(); }

    static ScreenPoint board(double x, double y, double z) {
        return project(playView(), x, y, z, 300, 300);
    }
    static ScreenPoint topLine(double k) { return topLineOrigin(k, 300, 300); }
    static ScreenPoint bottomLine(double k) { return bottomLineOrigin(k, 300, 300); }
};

TEST_F(RunningGame, EachIdleCallJudgesDrawsAndPresentsOneFrame) {
    frame();
    EXPECT_EQ(nullPlatform.swapCount, 1);
    EXPECT_EQ(cameraSpin, 1.0f) << "the title's view turns a step a frame";
    Pixels pixels = readPixels();
    EXPECT_TRUE(textAt(pixels, "Pelmar", topLine(-3.0)));
    EXPECT_TRUE(textAt(pixels, "HIT DIR KEY TO START", bottomLine(-10.0)));

    // The frame after an arrow key already shows stage 1, face-on.
    pressKey(VkUp);
    frame();
    EXPECT_EQ(nullPlatform.swapCount, 2);
    pixels = readPixels();
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "STEP 000", topLine(2.0)));
    EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
    // The staircase's first cell is a 4: four cyan marks.
    EXPECT_TRUE(pixelIs(pixels, board(1.3, 0.3, 0.05), colour::Cyan));
    EXPECT_TRUE(pixelIs(pixels, board(1.5, 0.5, 0.0), colour::Blue));
    EXPECT_TRUE(pixelIs(pixels, board(1.5, 4.5, 0.0), colour::Blue));
}

TEST_F(RunningGame, EachKeyLeavesItsRequestForTheNextFrameOnly) {
    struct Case {
        const char* key;
        void (*deliver)();
        std::int32_t x, y, giveUp;
    };
    const Case cases[] = {
        {"up", [] { pressKey(VkUp); }, 0, 1, 0},
        {"down", [] { pressKey(VkDown); }, 0, -1, 0},
        {"left", [] { pressKey(VkLeft); }, -1, 0, 0},
        {"right", [] { pressKey(VkRight); }, 1, 0, 0},
        {"g", [] { typeChar('g'); }, 0, 0, 1},
        {"G", [] { typeChar('G'); }, 0, 0, 1},
        // A later key on the same axis replaces the earlier one; axes add up.
        {"up, down",
         [] {
             pressKey(VkUp);
             pressKey(VkDown);
         },
         0, -1, 0},
        {"right, left, up",
         [] {
             pressKey(VkRight);
             pressKey(VkLeft);
             pressKey(VkUp);
         },
         -1, 1, 0},
    };
    for (const Case& c : cases) {
        c.deliver();
        EXPECT_EQ(keyX, c.x) << c.key;
        EXPECT_EQ(keyY, c.y) << c.key;
        EXPECT_EQ(giveUpRequest, c.giveUp) << c.key;
        EXPECT_EQ(nullPlatform.swapCount, 0) << c.key << ": a request draws nothing by itself";
        advanceGame();
        EXPECT_EQ(keyX, 0) << c.key;
        EXPECT_EQ(keyY, 0) << c.key;
        EXPECT_EQ(giveUpRequest, 0) << c.key;
        phase = PhaseTitle; // stay where every arrow only starts a stage
        stageNumber = 0;
    }
}

TEST_F(RunningGame, SpaceSwitchesToOutlinesAndDrawsAFrameAtOnce) {
    pressKey(VkUp);
    frame();
    pressKey(VkRight); // a request pending when space arrives
    pressKey(VkSpace);

    EXPECT_EQ(wireframe, 1);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE) << "front faces";
    EXPECT_EQ(modes[1], GL_LINE) << "back faces";
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

    // The frame it drew is a whole one: the pending request was judged in it.
    EXPECT_EQ(nullPlatform.swapCount, 2);
    EXPECT_EQ(message, MsgTurnRight);
    EXPECT_EQ(die.rollDir, DirEast);
    const Pixels pixels = readPixels();
    EXPECT_TRUE(pixelIs(pixels, board(1.5, 4.5, 0.0), colour::Black)) << "no fill";
    EXPECT_TRUE(colourNear(pixels, board(1.05, 4.5, 0.0), colour::Blue, 1)) << "an outline";
    EXPECT_TRUE(textAt(pixels, "TURN RIGHT", bottomLine(-5.0)));
}

TEST_F(RunningGame, SpaceTwiceRestoresFilledLitDrawingAndTheRollGoesOn) {
    pressKey(VkUp);
    frame();
    pressKey(VkRight);
    frame(); // accepts the roll, at rest
    pressKey(VkSpace);
    EXPECT_EQ(die.angleY, 15.0f) << "the space key's frame turned the die a step";
    pressKey(VkSpace);
    EXPECT_EQ(die.angleY, 30.0f);

    EXPECT_EQ(wireframe, 0);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_LINE) << "back faces stay outlines, culled away";
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(nullPlatform.swapCount, 4);
    EXPECT_TRUE(pixelIs(readPixels(), board(1.5, 4.5, 0.0), colour::Blue));
}

TEST_F(RunningGame, TheWireframeViewStaysFromTheTitleIntoPlay) {
    pressKey(VkSpace);
    pressKey(VkDown);
    frame();
    frame();
    EXPECT_EQ(stageNumber, 1u);
    const Pixels pixels = readPixels();
    EXPECT_TRUE(pixelIs(pixels, board(1.5, 4.5, 0.0), colour::Black));
    EXPECT_TRUE(pixelIs(pixels, board(1.3, 0.3, 0.05), colour::Black)) << "a hollow mark";
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
}

} // namespace
