// The running game's frames and keys, through the handlers start-up registers: one
// frame per idle call, judged before it is drawn and presented (also on a title without
// its stage file); each key's request; the space key's wireframe view with the whole
// frame it draws at once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "die.h"
#include "flow.h"
#include "game_fixture.h"
#include "opengl.h"
#include "render_probe.h"
#include "stage.h"
#include "startup.h"

namespace {

class RunningGame : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        dir.write("stage1.stg", stageText(staircase, staircase));
        ASSERT_TRUE(openGameWindow());
        windowHandlers.reshapeHandler(300, 300); // what the loop does first
    }

    // One turn of the loop with no message waiting.
    static void frame() { windowHandlers.idleHandler(); }

    // The switches the space key sets: the front and back polygon modes, then the
    // capabilities that are on.
    static std::string drawingState() {
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        auto mode = [](GLint m) { return m == GL_LINE ? "line" : m == GL_FILL ? "fill" : "other"; };
        std::string state = std::string(mode(modes[0])) + " " + mode(modes[1]);
        state += glIsEnabled(GL_LIGHTING) ? " lit" : "";
        state += glIsEnabled(GL_DEPTH_TEST) ? " depth" : "";
        return state + (glIsEnabled(GL_CULL_FACE) ? " cull" : "");
    }
};

TEST_F(RunningGame, EachIdleCallIsAFrameJudgedBeforeItIsDrawnAndPresented) {
    // The title without its stage file: plain cells and a die that stands still.
    loadStage();
    for (int i = 0; i < 5; ++i) {
        frame();
    }
    EXPECT_EQ(nullPlatform.swapCount, 5);
    EXPECT_EQ(die.rollDir, DirNone);
    EXPECT_EQ(die.x + die.y, 0u);
    press(VkUp);
    frame();
    EXPECT_TRUE(textAt(readFramePixels(300, 300), "STAGE 01", topLineOrigin(-10.0, 300, 300)))
        << "the frame after the arrow key shows stage 1";
}

TEST_F(RunningGame, EachKeyLeavesItsRequestAndALaterOneOnItsAxisReplacesIt) {
    const struct {
        std::vector<std::int32_t> keys;
        std::int32_t x, y, giveUp;
    } cases[] = {
        // A later key on the same axis replaces the earlier one; the axes add up.
        {{VkDown, VkUp}, 0, 1, 0},
        {{VkUp, VkDown}, 0, -1, 0},
        {{VkLeft, VkRight, VkUp}, 1, 1, 0},
        {{VkRight, VkLeft, VkDown}, -1, -1, 0},
        {{'g'}, 0, 0, 1},
        {{'G'}, 0, 0, 1},
    };
    for (const auto& c : cases) {
        keyX = keyY = giveUpRequest = 0;
        for (std::int32_t key : c.keys) {
            press(key);
        }
        EXPECT_EQ(keyX, c.x) << c.keys[0];
        EXPECT_EQ(keyY, c.y) << c.keys[0];
        EXPECT_EQ(giveUpRequest, c.giveUp) << c.keys[0];
    }
    EXPECT_EQ(nullPlatform.swapCount, 0) << "a request draws nothing by itself";
}

TEST_F(RunningGame, SpaceTogglesTheWireframeViewAndDrawsAWholeFrameAtOnce) {
    // On the title with an arrow pending: the space key's frame judges it.
    press(VkRight);
    press(VkSpace);
    EXPECT_EQ(wireframe, 1);
    EXPECT_EQ(drawingState(), "line line") << "outlines, unlit, through the back faces";
    EXPECT_EQ(nullPlatform.swapCount, 1);
    EXPECT_EQ(stageNumber, 1u);

    press(VkRight);
    frame(); // accepts the roll, at rest
    press(VkSpace);
    EXPECT_EQ(wireframe, 0);
    EXPECT_EQ(drawingState(), "fill line lit depth cull") << "back faces stay outlines, culled";
    EXPECT_EQ(nullPlatform.swapCount, 3);
    EXPECT_EQ(die.angleY, 15.0f) << "the space key's frame turned the die a step";
}

} // namespace
