// The game through the handlers start-up registers, on the toolkit's null platform with
// the offscreen context current: the window it asks for, its keys, the command line,
// one frame per idle call, each key's request and the space key's wireframe view.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app.h"
#include "die.h"
#include "flow.h"
#include "game_test_support.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "opengl.h"
#include "render_probe.h"
#include "stage.h"
#include "startup.h"
#include "test_files.h"
#include "window.h"

namespace {

// Virtual-key codes of the keys the game binds to key presses.
enum : std::int32_t { VkSpace = 32, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40 };

class Game : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << gl.error();
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

    // One turn of the loop with no message waiting.
    static void frame() { windowHandlers.idleHandler(); }

    OffscreenGl gl{300, 300};
    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(Game, OpensItsWindowOnTheTitleAndReturnsZeroWhenItIsClosed) {
    dir.write("stage0.stg", stageText({DirNorth}, {DirNorth, DirSouth}));
    nullCloseWindow();
    EXPECT_EQ(start({}), 0);

    EXPECT_EQ(nullCallCount("createWindow Pelmar - Quenmoor 1997 - 0,0 300x300"), 1);
    EXPECT_EQ(nullPlatform.lastRequest.flags & PFD_DOUBLEBUFFER_FLAG, PFD_DOUBLEBUFFER_FLAG);
    EXPECT_EQ(nullPlatform.lastRequest.pixelType, PFD_TYPE_RGBA_VALUE);
    EXPECT_EQ(nullPlatform.lastRequest.depthBits, 16);
    // Escape first (the toolkit's), then the game's seven in their order.
    const KeyBinding keys[] = {{27, appExit},        {103, onGiveUpKey}, {71, onGiveUpKey},
                               {32, onWireframeKey}, {38, onUpKey},      {40, onDownKey},
                               {37, onLeftKey},      {39, onRightKey}};
    ASSERT_EQ(keyBindingCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(std::pair(keyBindings[i].key, keyBindings[i].handler),
                  std::pair(keys[i].key, keys[i].handler))
            << i;
    }
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
    const char* const mine[] = {"pelmar", "mine.stg"};
    cameraSpin = 7.0f;
    readCommandLine(2, mine);
    EXPECT_EQ(std::pair(Board[0][0], cameraSpin), std::pair(0, 7.0f))
        << "the file is read again, and the camera left alone";
}

TEST_F(Game, EachIdleCallIsAFrameJudgedBeforeItIsDrawnAndPresented) {
    // The title without its stage file: plain cells and a die that stands still.
    dir.write("stage1.stg", stageText(staircase, staircase));
    open();
    for (int i = 0; i < 5; ++i) {
        frame();
    }
    EXPECT_EQ(nullPlatform.swapCount, 5);
    EXPECT_EQ(die.rollDir + die.x + die.y, 0u);
    press(VkUp);
    frame();
    EXPECT_TRUE(textAt(readFramePixels(300, 300), "STAGE 01", topLineOrigin(-10.0, 300, 300)))
        << "the frame after the arrow key shows stage 1";
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

// The switches the space key sets: the front and back polygon modes, then the
// capabilities that are on.
std::string drawingState() {
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    auto mode = [](GLint m) { return m == GL_LINE ? "line" : m == GL_FILL ? "fill" : "other"; };
    std::string state = std::string(mode(modes[0])) + " " + mode(modes[1]);
    state += glIsEnabled(GL_LIGHTING) ? " lit" : "";
    state += glIsEnabled(GL_DEPTH_TEST) ? " depth" : "";
    return state + (glIsEnabled(GL_CULL_FACE) ? " cull" : "");
}

TEST_F(Game, SpaceTogglesTheWireframeViewAndDrawsAWholeFrameAtOnce) {
    dir.write("stage1.stg", stageText(staircase, staircase));
    open();
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
