// Start-up: the window the game asks for, its handlers and keys, the first frames, the
// command line with its stage files and switches, and what happens without a window
// or without the title's stage file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app.h"
#include "die.h"
#include "flow.h"
#include "game_fixture.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "render_probe.h"
#include "scene.h"
#include "stage.h"
#include "startup.h"
#include "window.h"

namespace {

class StartUp : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        writeStage("stage0.stg", titlePath, {DirNorth, DirSouth});
    }

    // The arguments after the program's name, as main gets them.
    struct CommandLine {
        explicit CommandLine(std::vector<std::string> args) : strings(std::move(args)) {
            strings.insert(strings.begin(), "pelmar");
            for (const std::string& a : strings) {
                pointers.push_back(a.c_str());
            }
        }
        int argc() const { return static_cast<int>(pointers.size()); }
        const char* const* argv() const { return pointers.data(); }
        std::vector<std::string> strings;
        std::vector<const char*> pointers;
    };

    static int start(std::vector<std::string> args) {
        const CommandLine line(std::move(args));
        return startGame(line.argc(), line.argv());
    }
    // Start-up's first two steps: the title's stage, then the command line.
    static void readArgs(std::vector<std::string> args) {
        loadStage();
        const CommandLine line(std::move(args));
        readCommandLine(line.argc(), line.argv());
    }

    // A board's cells, to compare with the game's.
    struct Cells {
        std::int32_t at[BoardSize][BoardSize] = {};
    };
    static Cells painted(const Moves& path) {
        Cells cells;
        paint(cells.at, path);
        return cells;
    }
    static bool boardIs(const Cells& cells) {
        return std::equal(&cells.at[0][0], &cells.at[0][0] + BoardSize * BoardSize, &Board[0][0]);
    }
    void expectTitle() const {
        EXPECT_EQ(phase, PhaseTitle);
        EXPECT_EQ(stageNumber, 0u);
        EXPECT_TRUE(boardIs(title));
    }

    const Moves titlePath = {DirNorth};
    const Cells title = painted(titlePath);
    const Cells mine = painted(staircase);
};

TEST_F(StartUp, OpensTheGamesWindowOnTheTitleAndReturnsZeroWhenItIsClosed) {
    nullCloseWindow();
    EXPECT_EQ(start({}), 0);

    EXPECT_EQ(nullCallCount("createWindow Pelmar - Quenmoor 1997 - 0,0 300x300"), 1);
    EXPECT_EQ(nullPlatform.lastRequest.flags & PFD_DOUBLEBUFFER_FLAG, PFD_DOUBLEBUFFER_FLAG);
    EXPECT_EQ(nullPlatform.lastRequest.pixelType, PFD_TYPE_RGBA_VALUE);
    EXPECT_EQ(nullPlatform.lastRequest.depthBits, 16);

    // Escape first (the toolkit's), then the game's seven in their order.
    const std::int32_t keys[] = {27, 103, 71, 32, 38, 40, 37, 39};
    const AppHandler handlers[] = {appExit, onGiveUpKey, onGiveUpKey, onWireframeKey,
                                   onUpKey, onDownKey,   onLeftKey,   onRightKey};
    ASSERT_EQ(keyBindingCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(keyBindings[i].key, keys[i]) << i;
        EXPECT_EQ(keyBindings[i].handler, handlers[i]) << i;
    }
    // The game's reshape got the client size, not the toolkit's pixel projection.
    EXPECT_EQ(nullCallCount("glPixelProjection 300x300"), 0);
    EXPECT_EQ(windowWidth, 300);
    EXPECT_EQ(textStepX, 0.2f);
    EXPECT_EQ(textStepY, 0.3f);

    expectTitle();
    EXPECT_EQ(die.top, 1);
    EXPECT_EQ(die.bottom, 6);
    EXPECT_EQ(nullPlatform.swapCount, 0) << "closed before any idle call";
}

TEST_F(StartUp, SpaceInTheRunningGameDrawsAFrameAtOnce) {
    nullPressKey(VkSpace);
    nullCloseWindow();
    EXPECT_EQ(start({}), 0);
    EXPECT_EQ(nullPlatform.swapCount, 1);
    const Pixels pixels = readPixels();
    EXPECT_TRUE(textAt(pixels, "Pelmar", topLineOrigin(-3.0, 300, 300)));
    EXPECT_TRUE(textAt(pixels, "HIT DIR KEY TO START", bottomLineOrigin(-10.0, 300, 300)));
}

TEST_F(StartUp, WithoutAWindowItEndsWithAFailureStatusAndTouchesNoGl) {
    for (bool NullPlatform::*failure :
         {&NullPlatform::failCreateWindow, &NullPlatform::failCreateContext}) {
        nullPlatformReset();
        nullPlatform.*failure = true;
        EXPECT_NE(start({}), 0);
        ASSERT_EQ(nullPlatform.boxes.size(), 1u);
        EXPECT_EQ(nullPlatform.boxes[0].caption, "Error");
        EXPECT_EQ(keyBindingCount, 0);
        EXPECT_EQ(windowHandlers.idleHandler, nullptr);
        EXPECT_EQ(nullPlatform.swapCount, 0);
    }
}

TEST_F(StartUp, AStageFileOnTheCommandLineIsPlayedAtOnceAsStageOne) {
    writeStage("mine.stg", staircase, staircase);
    loadStage();
    cameraSpin = 7.0f; // the file's read leaves the camera alone
    const CommandLine line({"mine.stg"});
    readCommandLine(line.argc(), line.argv());
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 1u);
    EXPECT_EQ(message, MsgStart);
    EXPECT_TRUE(boardIs(mine));
    EXPECT_EQ(moveCount, staircase.size());
    EXPECT_EQ(cameraSpin, 7.0f);
}

TEST_F(StartUp, SwitchesChangeNothingAndAreNeverOpened) {
    // An existing stage file named with a leading slash is still a switch.
    writeStage("mine.stg", staircase, staircase);
    const std::string absolute = (dir.path() / "mine.stg").string();
    ASSERT_EQ(absolute[0], '/');
    readArgs({"/s", "/S", "/x", "/", absolute});
    expectTitle();
}

TEST_F(StartUp, FilesThatDoNotOpenArePassedOverAndEachThatOpensIsReadOverTheLast) {
    readArgs({"missing.stg", "."});
    expectTitle();

    writeStage("mine.stg", staircase, staircase);
    dir.write("short.stg", "5 5 5"); // three cells of column 0, nothing more
    readArgs({"missing.stg", "mine.stg", "/s", "short.stg", "missing.stg"});
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 1u);
    Cells expected = mine;
    expected.at[0][0] = expected.at[0][1] = expected.at[0][2] = 5;
    EXPECT_TRUE(boardIs(expected));
    EXPECT_EQ(moveCount, staircase.size()) << "the short file had no count";
}

TEST_F(StartUp, WithoutTheTitlesStageTheBoardIsPlainAndTheDieStandsStill) {
    std::filesystem::remove(dir.path() / "stage0.stg");
    loadStage();
    ASSERT_TRUE(openGameWindow());
    windowHandlers.reshapeHandler(300, 300);
    for (int i = 0; i < 5; ++i) {
        windowHandlers.idleHandler();
        EXPECT_EQ(die.rollDir, DirNone);
        EXPECT_EQ(die.x, 0u);
        EXPECT_EQ(die.y, 0u);
    }
    EXPECT_TRUE(boardIs(Cells{}));
    EXPECT_EQ(moveCount, 0u);
    EXPECT_EQ(message, MsgHitDirKey);
}

} // namespace
