// The game-facing toolkit on the null platform: opening with its fallback, the key and
// mouse tables and their dispatch, Escape, and what reaches a bound key.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "window_message.h"

namespace {

std::vector<std::string> trace;

void first() {
    trace.push_back("first");
}
void second() {
    trace.push_back("second");
}
void laterEscape() {
    std::fputs("later escape binding ran\n", stderr);
}

class AppLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        nullPlatformReset();
        trace.clear();
    }
    static void openGameWindow() {
        appSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
        appSetWindowRect(0, 0, 300, 300);
        ASSERT_EQ(appOpenWindow("Pelmar"), 1);
    }
};

TEST_F(AppLayer, OpeningInstallsTheDefaultHandlersAndBindsEscapeFirst) {
    appSetReshapeHandler([](std::int32_t, std::int32_t) { trace.push_back("early reshape"); });
    openGameWindow();
    EXPECT_EQ(windowHandlers.reshapeHandler, appDefaultReshape) << "the early one is replaced";
    EXPECT_EQ(windowHandlers.keyHandler, appDispatchKey);
    EXPECT_EQ(windowHandlers.mousePressHandler, appDispatchMousePress);
    EXPECT_EQ(windowHandlers.mouseReleaseHandler, appDispatchMouseRelease);
    EXPECT_EQ(windowHandlers.mouseMotionHandler, appDispatchMouseMotion);
    ASSERT_EQ(keyBindingCount, 1);
    EXPECT_EQ(keyBindings[0].key, 27);
    EXPECT_EQ(keyBindings[0].handler, appExit);
    EXPECT_TRUE(nullCallsInOrder({"makeCurrent", "glResetState"}));
    EXPECT_EQ(nullCallCount("glDrawToFront"), 0);
    EXPECT_EQ(nullPlatform.lastRequest.depthBits, 16);
}

TEST_F(AppLayer, BindingsMadeBeforeOpeningStayAheadOfEscape) {
    appBindKey(38, first);
    openGameWindow();
    ASSERT_EQ(keyBindingCount, 2);
    EXPECT_EQ(keyBindings[0].key, 38);
    EXPECT_EQ(keyBindings[1].key, 27);
}

TEST_F(AppLayer, DefaultReshapeSetsAPixelProjectionEvenForZeroSize) {
    openGameWindow();
    appDefaultReshape(300, 200);
    appDefaultReshape(0, 0);
    EXPECT_TRUE(nullCallsInOrder({"glPixelProjection 300x200", "glPixelProjection 0x0"}));
}

TEST_F(AppLayer, AKeyBoundTwiceCallsBothInOrderAndOneHandlerServesTwoKeys) {
    appBindKey(103, first);
    appBindKey(71, first);
    appBindKey(103, second);
    EXPECT_EQ(appDispatchKey(103, 0), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"first", "second"}));
    trace.clear();
    EXPECT_EQ(appDispatchKey(71, KEY_MOD_SHIFT), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"first"}));
}

TEST_F(AppLayer, UnboundKeysCallNothingAndAskForNoRepaint) {
    openGameWindow();
    appBindKey(38, first);
    EXPECT_EQ(appDispatchKey(39, 0), 0);
    EXPECT_EQ(appDispatchKey(0, 0), 0);
    windowProc({WmKeyDown, 40, 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 0);
    windowProc({WmKeyDown, 38, 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 1) << "a handler ran: the picture may have changed";
    EXPECT_EQ(trace, (std::vector<std::string>{"first"}));
}

TEST_F(AppLayer, LettersArriveAsTheCharactersTypedNeverAsKeyPresses) {
    openGameWindow();
    appBindKey(103, first);
    appBindKey(71, second);
    windowProc({WmKeyDown, 'G', KEY_MOD_SHIFT, 0}); // the key press of Shift+G
    windowProc({WmChar, 'G', KEY_MOD_SHIFT, 0});    // and its character
    windowProc({WmKeyDown, 'G', 0, 0});
    windowProc({WmChar, 'g', 0, 0});
    windowProc({WmKeyDown, 'G', KEY_MOD_CTRL, 0});
    windowProc({WmChar, 7, KEY_MOD_CTRL, 0}); // Ctrl+G types a control character
    EXPECT_EQ(trace, (std::vector<std::string>{"second", "first"}));
}

TEST_F(AppLayer, EscapeEndsTheProcessWithStatusZeroBeforeALaterBindingOf27) {
    openGameWindow();
    appBindKey(27, laterEscape);
    EXPECT_EXIT(windowProc({WmKeyDown, 27, 0, 0}), ::testing::ExitedWithCode(0),
                ::testing::Not(::testing::HasSubstr("later escape binding ran")));
}

TEST_F(AppLayer, ExitWithoutAWindowStillEndsTheProcess) {
    EXPECT_EXIT(appExit(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AppLayer, TheKeyTableRefusesA201stBinding) {
    for (int i = 0; i < MaxKeyBindings; ++i) {
        appBindKey(1000 + i, first);
    }
    appBindKey(5, second);
    EXPECT_EQ(keyBindingCount, MaxKeyBindings);
    EXPECT_EQ(appDispatchKey(5, 0), 0);
    EXPECT_EQ(appDispatchKey(1000 + MaxKeyBindings - 1, 0), 1);
}

MouseEvent seen[8];
int seenCount;
void recordMouse(MouseEvent* e) {
    if (seenCount < 8) {
        seen[seenCount++] = *e;
    }
}

TEST_F(AppLayer, MouseDispatchCallsPerButtonBitWithThatButtonInTheEvent) {
    seenCount = 0;
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_MOTION, MOUSE_MIDDLE, recordMouse), 1);
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_MOTION, MOUSE_LEFT, recordMouse), 1);
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_MOTION, MOUSE_RIGHT, recordMouse), 1);
    EXPECT_EQ(appDispatchMouseMotion(10, 20, MOUSE_LEFT | MOUSE_MIDDLE), 1);
    ASSERT_EQ(seenCount, 2);
    EXPECT_EQ(seen[0].kind, EVENT_MOUSE_MOTION);
    EXPECT_EQ(seen[0].data[0], 10);
    EXPECT_EQ(seen[0].data[1], 20);
    EXPECT_EQ(seen[0].data[3], MOUSE_MIDDLE) << "entries in table order";
    EXPECT_EQ(seen[1].data[3], MOUSE_LEFT);
    EXPECT_EQ(appDispatchMouseMotion(1, 1, 0), 0) << "no button held: nothing bound to it";

    seenCount = 0;
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_PRESS, MOUSE_RIGHT, recordMouse), 1);
    EXPECT_EQ(appDispatchMousePress(3, 4, MOUSE_LEFT), 0);
    EXPECT_EQ(appDispatchMousePress(3, 4, MOUSE_RIGHT), 1);
    EXPECT_EQ(appDispatchMouseRelease(3, 4, MOUSE_RIGHT), 0) << "press and release tables differ";
    ASSERT_EQ(seenCount, 1);
    EXPECT_EQ(seen[0].kind, EVENT_MOUSE_PRESS);
}

TEST_F(AppLayer, MouseTablesRefuseA21stBindingAndUnknownKindsOrButtons) {
    for (int i = 0; i < MaxMouseBindings; ++i) {
        ASSERT_EQ(appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, recordMouse), 1);
    }
    EXPECT_EQ(appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, recordMouse), 0);
    EXPECT_EQ(mouseReleaseBindingCount, MaxMouseBindings);
    EXPECT_EQ(appBindMouse(EVENT_MOUSE_PRESS, 3, recordMouse), 0);
    EXPECT_EQ(appBindMouse(99, MOUSE_LEFT, recordMouse), 0);
    EXPECT_EQ(mousePressBindingCount, 0);
}

TEST_F(AppLayer, SingleBufferFallbackWarnsDrawsToTheFrontAndKeepsRunning) {
    nullPlatform.failSingleBufferFormat = true;
    appSetDisplayMode(MODE_DEPTH_16);
    appSetWindowRect(0, 0, 300, 300);
    ASSERT_EQ(appOpenWindow("Pelmar"), 1);
    ASSERT_EQ(nullPlatform.boxes.size(), 2u);
    EXPECT_EQ(nullPlatform.boxes[0].caption, "Error");
    EXPECT_EQ(nullPlatform.boxes[0].text, "Selecting a pixel format failed\n");
    EXPECT_EQ(nullPlatform.boxes[1].caption, "Warning");
    EXPECT_EQ(nullPlatform.boxes[1].text,
              "Can't initialize a single buffer visual. Will use a double buffer visual "
              "instead, only drawing into the front buffer.");
    EXPECT_EQ(windowState.displayMode, MODE_DEPTH_16 | MODE_DOUBLE_BUFFER);
    EXPECT_TRUE(nullCallsInOrder({"glResetState", "glDrawToFront"}));
    EXPECT_EQ(keyBindingCount, 1);

    // The first attempt's quit request must not end the run.
    appSetIdleHandler([] {
        trace.push_back("idle");
        nullCloseWindow();
    });
    appRun(nullptr);
    EXPECT_EQ(trace, (std::vector<std::string>{"idle"}));
}

TEST_F(AppLayer, NoFallbackWhenDoubleBufferingAlreadyFailed) {
    nullPlatform.failChooseFormat = true;
    appSetDisplayMode(MODE_DOUBLE_BUFFER);
    EXPECT_EQ(appOpenWindow("Pelmar"), 0);
    EXPECT_EQ(nullCallCount("choosePixelFormat"), 1);
    EXPECT_EQ(keyBindingCount, 0) << "nothing bound";
    EXPECT_EQ(windowHandlers.keyHandler, nullptr) << "nothing installed";
}

TEST_F(AppLayer, FallbackThatFailsTooReturnsZero) {
    nullPlatform.failCreateContext = true;
    appSetDisplayMode(0);
    EXPECT_EQ(appOpenWindow("Pelmar"), 0);
    EXPECT_EQ(nullCallCount("createContext"), 2);
    EXPECT_EQ(keyBindingCount, 0);
    EXPECT_EQ(nullPlatform.boxes.size(), 2u) << "two errors, no warning";
}

TEST_F(AppLayer, RunInstallsThePaintHandlerAndReturnsWhenTheWindowCloses) {
    openGameWindow();
    appSetIdleHandler([] { nullCloseWindow(); });
    appRun(first);
    EXPECT_EQ(windowHandlers.paintHandler, nullptr) << "cleared by the teardown";
    EXPECT_TRUE(nullCallsInOrder({"destroyWindow", "postQuit 1"}));
}

} // namespace
