// Start-up: the window the game asks for, its handlers and keys, the command line with
// its stage files and switches, and what happens without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app.h"
#include "die.h"
#include "flow.h"
#include "game_fixture.h"
#include "stage.h"
#include "startup.h"

namespace {

class StartUp : public GameFixture {
  protected:
    // The program with these arguments after its name, as main gets them.
    static int start(std::vector<const char*> args) {
        args.insert(args.begin(), "pelmar");
        return startGame(static_cast<int>(args.size()), args.data());
    }

    static std::vector<std::int32_t> cells(const std::int32_t (&board)[BoardSize][BoardSize]) {
        return {&board[0][0], &board[0][0] + BoardSize * BoardSize};
    }
};

TEST_F(StartUp, OpensTheGamesWindowOnTheTitleAndReturnsZeroWhenItIsClosed) {
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
        EXPECT_EQ(keyBindings[i].key, keys[i].key) << i;
        EXPECT_EQ(keyBindings[i].handler, keys[i].handler) << i;
    }
    EXPECT_EQ(nullCallCount("glPixelProjection 300x300"), 0) << "the toolkit's reshape ran";

    EXPECT_EQ(phase, PhaseTitle);
    EXPECT_EQ(moveCount, 2u) << "the title's stage was not read";
    EXPECT_EQ(die.top, 1) << "the die was not reset";
}

TEST_F(StartUp, WithoutAWindowItEndsWithAFailureStatusAndGoesNoFurther) {
    nullPlatform.failCreateContext = true; // a window, but nothing to draw with
    EXPECT_NE(start({}), 0);
    EXPECT_EQ(nullPlatform.boxes.size(), 1u) << "the toolkit's error";
    EXPECT_EQ(keyBindingCount, 0);
    EXPECT_EQ(windowHandlers.idleHandler, nullptr);
}

TEST_F(StartUp, EachStageFileThatOpensIsReadOverTheLastAndPlayedAtOnceAsStageOne) {
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
    EXPECT_EQ(phase, PhasePlay);
    EXPECT_EQ(stageNumber, 1u);
    std::int32_t expected[BoardSize][BoardSize] = {};
    paint(expected, staircase);
    expected[0][0] = expected[0][1] = expected[0][2] = 5;
    EXPECT_EQ(cells(Board), cells(expected));
    EXPECT_EQ(moveCount, staircase.size()) << "the short file had no count";

    cameraSpin = 7.0f;
    const char* const mine[] = {"pelmar", "mine.stg"};
    readCommandLine(2, mine);
    EXPECT_EQ(cameraSpin, 7.0f) << "reading the file leaves the camera alone";
}

} // namespace
