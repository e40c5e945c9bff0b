// The game through the handlers start-up registers, on the toolkit's null platform with
// the offscreen context current: the window it asks for, the command line, each key's
// request, and the space key's wireframe view drawn and presented at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app.h"
#include "flow.h"
#include "game_test_support.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "opengl.h"
#include "render_probe.h"
#include "startup.h"
#include "test_files.h"
#include "window.h"

namespace {

// Virtual-key codes of the keys the game binds to key presses.
enum : std::int32_t { VkSpace = 32, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40 };

class Game : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(openOffscreenGl(300, 300));
        nullPlatformReset();
        resetGameGlobals();
        wireframe = 0;
    }

    // The program with these arguments after its name, as main gets them.
    static int start(std::vector<const char*> args) {
        args.insert(args.begin(), "pelmar");
        return startGame(static_cast<int>(args.size()), args.data());
    }

    // Opens the game's window as start-up does, and reshapes it as the loop does first.
    static void open() {
        ASSERT_TRUE(openGameWindow());
        windowHandlers.reshapeHandler(300, 300);
    }

    // A key press (an arrow, space) or a typed g or G, handled by the window as the loop
    // does between two frames.
    static void press(std::int32_t key) {
        if (key == 'g' || key == 'G') {
            nullTypeChar(key, key == 'G' ? KEY_MOD_SHIFT : 0);
        } else {
            nullPressKey(key);
        }
        while (platformPeekMessage() && platformPumpMessage()) {
        }
    }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(Game, OpensItsWindowOnTheTitleAndReturnsZeroWhenItIsClosed) {
    dir.write("stage0.stg", stageText({DirNorth}, {DirNorth, DirSouth}));
    nullCloseWindow();
    EXPECT_EQ(start({}), 0);

    EXPECT_EQ(nullCallCount("createWindow Pelmar - Quenmoor 1997 - 0,0 300x300"), 1);
    const PixelFormatRequest& asked = nullPlatform.lastRequest;
    EXPECT_EQ(std::tuple(asked.flags & PFD_DOUBLEBUFFER_FLAG, asked.pixelType, asked.depthBits),
              std::tuple(PFD_DOUBLEBUFFER_FLAG, PFD_TYPE_RGBA_VALUE, 16));
    EXPECT_EQ(nullCallCount("glPixelProjection 300x300"), 0) << "the toolkit's reshape ran";
    EXPECT_EQ(std::tuple(phase, moveCount, die.top), std::tuple(PhaseTitle, 2u, 1))
        << "on the title, with its stage read and the die reset";

    // Without a window it ends with a failure status and goes no further.
    nullPlatformReset();
    nullPlatform.failCreateContext = true;
    EXPECT_NE(start({}), 0);
    EXPECT_EQ(nullPlatform.boxes.size(), 1u) << "the toolkit's error";
    EXPECT_EQ(keyBindingCount, 0);
    EXPECT_EQ(windowHandlers.idleHandler, nullptr);
}

TEST_F(Game, EachStageFileThatOpensIsReadOverTheLastAndPlayedAtOnceAsStageOne) {
    // Switches, even one naming a stage file, and files that do not open change nothing.
    dir.write("mine.stg", stageText(staircase, staircase));
    const std::string absolute = (dir.path() / "mine.stg").string();
    const char* const ignored[] = {"pelmar", "missing.stg", ".", "/s",
                                   "/S",     "/x",          "/", absolute.c_str()};
    readCommandLine(8, ignored);
    EXPECT_EQ(phase, PhaseTitle);

    // Start-up reads the title's stage before the files: stage 1 is the named file's,
    // not the folder's stage1.stg.
    dir.write("stage1.stg", stageText({DirNorth}, {}));
    dir.write("short.stg", "5 5 5"); // three cells of column 0, nothing more
    nullCloseWindow();
    start({"missing.stg", "mine.stg", "/s", "short.stg", "missing.stg"});
    EXPECT_EQ(std::pair(phase, stageNumber), std::pair(PhasePlay, 1u));
    std::int32_t expected[BoardSize][BoardSize] = {};
    paint(expected, staircase);
    expected[0][0] = expected[0][1] = expected[0][2] = 5;
    EXPECT_TRUE(std::equal(&Board[0][0], &Board[0][0] + 36, &expected[0][0]));
    EXPECT_EQ(moveCount, staircase.size()) << "the short file had no count";
}

TEST_F(Game, EachKeyLeavesItsRequestAndALaterOneOnItsAxisReplacesIt) {
    open();
    const struct {
        std::vector<std::int32_t> keys;
        std::int32_t x, y, giveUp;
    } cases[] = {
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
        EXPECT_EQ(std::tuple(keyX, keyY, giveUpRequest), std::tuple(c.x, c.y, c.giveUp))
            << c.keys[0];
    }
    EXPECT_EQ(nullPlatform.swapCount, 0) << "a request draws nothing by itself";
}

// The front and back polygon modes, and whether lighting, depth test and culling are on.
auto drawingState() {
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return std::tuple(modes[0], modes[1], glIsEnabled(GL_LIGHTING) != 0,
                      glIsEnabled(GL_DEPTH_TEST) != 0, glIsEnabled(GL_CULL_FACE) != 0);
}

TEST_F(Game, SpaceTogglesTheWireframeViewAndDrawsAWholeFrameAtOnce) {
    dir.write("stage1.stg", stageText(staircase, staircase));
    open();
    // On the title with an arrow pending: the space key's frame judges it. Outlines,
    // unlit, through the back faces.
    press(VkRight);
    press(VkSpace);
    EXPECT_EQ(drawingState(), std::tuple(GL_LINE, GL_LINE, false, false, false));
    EXPECT_EQ(std::tuple(wireframe, nullPlatform.swapCount, stageNumber), std::tuple(1, 1, 1u));
    EXPECT_TRUE(textAt(readFramePixels(300, 300), "STAGE 01", topLineOrigin(-10.0, 300, 300)));

    press(VkRight);
    windowHandlers.idleHandler(); // a frame that accepts the roll, at rest
    press(VkSpace);
    // Back faces stay outlines, culled.
    EXPECT_EQ(drawingState(), std::tuple(GL_FILL, GL_LINE, true, true, true));
    EXPECT_EQ(std::tuple(wireframe, nullPlatform.swapCount), std::tuple(0, 3));
    EXPECT_EQ(die.angleY, 15.0f) << "the space key's frame turned the die a step";
}

} // namespace
