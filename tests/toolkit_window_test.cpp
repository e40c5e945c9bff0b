// The window layer on the null platform: the loop's order of calls, the window
// procedure's rules, repaint merging, opening and its failures, and the teardown.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "window_message.h"

namespace {

std::vector<std::string> trace; // what the test's handlers saw, in order

void traceReshape(std::int32_t w, std::int32_t h) {
    trace.push_back("reshape " + std::to_string(w) + "x" + std::to_string(h));
}
void tracePaint() {
    trace.push_back("paint");
}
std::int32_t traceKey(std::int32_t key, std::int32_t mods) {
    trace.push_back("key " + std::to_string(key) + " mods " + std::to_string(mods));
    return 0;
}
std::int32_t changedKey(std::int32_t key, std::int32_t) {
    trace.push_back("key " + std::to_string(key));
    return 1;
}
std::int32_t traceMouse(std::int32_t x, std::int32_t y, std::int32_t b) {
    trace.push_back("mouse " + std::to_string(x) + "," + std::to_string(y) + " " +
                    std::to_string(b));
    return 0;
}

class WindowLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        nullPlatformReset();
        trace.clear();
    }
    void open(std::int32_t width = 300, std::int32_t height = 200) {
        wndSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
        wndSetPosition(0, 0, width, height);
        ASSERT_EQ(wndOpen("Test"), 1);
    }
    static WindowProcResult send(WindowMessageKind kind, std::int32_t a = 0, std::int32_t b = 0,
                                 std::int32_t c = 0) {
        return windowProc({kind, a, b, c});
    }
};

int idleCalls;

TEST_F(WindowLayer, LoopStartsWithAReshapeOfTheClientSizeThenIdles) {
    open(300, 200);
    wndSetReshapeHandler(traceReshape);
    idleCalls = 0;
    wndSetIdleHandler([] {
        trace.push_back("idle");
        if (++idleCalls == 2) {
            nullCloseWindow();
        }
    });
    wndRun();
    EXPECT_EQ(trace, (std::vector<std::string>{"reshape 300x200", "idle", "idle"}));
}

TEST_F(WindowLayer, BurstOfKeysIsHandledCompletelyBeforeTheNextIdleCall) {
    open();
    wndSetKeyHandler(traceKey);
    idleCalls = 0;
    wndSetIdleHandler([] {
        trace.push_back("idle");
        if (++idleCalls == 1) {
            nullPressKey(VK_UP_KEY);
            nullPressKey(VK_LEFT_KEY);
            nullTypeChar('g');
            nullPressKey(VK_RETURN_KEY);
        } else {
            nullCloseWindow();
        }
    });
    wndRun();
    EXPECT_EQ(trace, (std::vector<std::string>{"idle", "key 38 mods 0", "key 37 mods 0",
                                               "key 103 mods 0", "key 13 mods 0", "idle"}));
}

TEST_F(WindowLayer, CloseTearsDownInOrderPostsQuitAndEndsTheLoop) {
    open();
    wndSetReshapeHandler(traceReshape);
    wndSetKeyHandler(traceKey);
    wndSetIdleHandler([] { nullCloseWindow(); });
    nullPressKey(VK_SPACE_KEY); // still delivered: it was queued before the close
    wndRun();
    EXPECT_TRUE(nullCallsInOrder(
        {"destroyWindow", "makeCurrent none", "deleteContext", "releaseSurface", "postQuit 1"}));
    EXPECT_EQ(nullCallCount("wait on an empty queue"), 0) << "the quit request ended the loop";
    EXPECT_EQ(windowState.window, nullptr);
    EXPECT_EQ(windowState.dc, nullptr);
    EXPECT_EQ(windowState.context, nullptr);
    EXPECT_EQ(windowHandlers.reshapeHandler, nullptr);
    EXPECT_EQ(windowHandlers.keyHandler, nullptr);
    EXPECT_EQ(windowHandlers.idleHandler, nullptr);
}

TEST_F(WindowLayer, MessagesAfterTheTeardownReachNobody) {
    open();
    wndSetKeyHandler(traceKey);
    wndSetReshapeHandler(traceReshape);
    wndDestroy(windowState.window);
    send(WmKeyDown, VK_UP_KEY);
    send(WmSize, 10, 10);
    EXPECT_TRUE(trace.empty());
}

TEST_F(WindowLayer, PaletteIsRestoredAndDeletedBeforeTheContextGoes) {
    nullPlatform.needsPalette = true;
    open();
    ASSERT_NE(windowState.palette, nullptr);
    wndDestroy(windowState.window);
    EXPECT_TRUE(nullCallsInOrder(
        {"selectDefaultPalette", "deletePalette", "makeCurrent none", "deleteContext"}));

    nullPlatformReset();
    nullPlatform.needsPalette = true;
    open();
    paletteState.systemPaletteMode = 1;
    wndDestroy(windowState.window);
    EXPECT_TRUE(nullCallsInOrder({"realizeDefaultPalette", "deletePalette"}));
    EXPECT_EQ(nullCallCount("selectDefaultPalette"), 0);
}

TEST_F(WindowLayer, RepaintRequestsMergeWhileOneIsWaiting) {
    open();
    wndSetKeyHandler(changedKey);
    wndSetPaintHandler(tracePaint);
    idleCalls = 0;
    wndSetIdleHandler([] {
        if (++idleCalls == 1) {
            nullPressKey(VK_UP_KEY);
            nullPressKey(VK_DOWN_KEY);
        } else {
            nullCloseWindow();
        }
    });
    wndRun();
    EXPECT_EQ(trace, (std::vector<std::string>{"key 38", "key 40", "paint"}));
    EXPECT_EQ(nullCallCount("invalidate"), 1);
    EXPECT_TRUE(nullCallsInOrder({"beginPaint", "endPaint"}));
}

TEST_F(WindowLayer, SizeMessagesReachTheReshapeHandlerUnchangedAndAskForARepaint) {
    open();
    wndSetReshapeHandler(traceReshape);
    send(WmSize, 640, 480);
    send(WmSize, 0, 0); // minimised
    EXPECT_EQ(trace, (std::vector<std::string>{"reshape 640x480", "reshape 0x0"}));
    EXPECT_EQ(windowState.width, 0);
    EXPECT_EQ(nullCallCount("invalidate"), 1) << "the second request merged into the first";
}

TEST_F(WindowLayer, OnlyTheSevenKeysAndLettersAndDigitsAreDelivered) {
    open();
    wndSetKeyHandler(traceKey);
    for (int vk : {13, 27, 32, 37, 38, 39, 40}) {
        send(WmKeyDown, vk, KEY_MOD_SHIFT | KEY_MOD_CTRL);
    }
    for (int vk : {8, 9, 16, 65, 71, 112, 46, 0, -1, 300}) { // Backspace, Tab, Shift, A, G, F1
        EXPECT_EQ(send(WmKeyDown, vk).value, 0);
    }
    for (int ch : {'0', '9', 'A', 'Z', 'a', 'z'}) {
        send(WmChar, ch);
    }
    for (int ch : {7, 13, 27, 32, int{'/'}, int{':'}, int{'@'}, int{'['}, int{'`'}, int{'{'}, 127,
                   0xE9, -5}) {
        EXPECT_EQ(send(WmChar, ch).value, 0);
    }
    send(WmSysKeyDown, VK_UP_KEY); // Alt held
    EXPECT_EQ(trace, (std::vector<std::string>{"key 13 mods 3", "key 27 mods 3", "key 32 mods 3",
                                               "key 37 mods 3", "key 38 mods 3", "key 39 mods 3",
                                               "key 40 mods 3", "key 48 mods 0", "key 57 mods 0",
                                               "key 65 mods 0", "key 90 mods 0", "key 97 mods 0",
                                               "key 122 mods 0"}));
    EXPECT_EQ(send(WmSysKeyDown, VK_UP_KEY).useDefault, 1);
}

TEST_F(WindowLayer, ButtonsCaptureTheMouseWhetherOrNotHandlersAreSet) {
    open();
    send(WmButtonDown, 5, 6, MOUSE_LEFT);
    EXPECT_TRUE(nullPlatform.mouseCaptured);
    send(WmButtonUp, 5, 6, MOUSE_LEFT);
    EXPECT_FALSE(nullPlatform.mouseCaptured);

    wndSetMousePressHandler(traceMouse);
    wndSetMouseReleaseHandler(traceMouse);
    wndSetMouseMotionHandler(traceMouse);
    send(WmButtonDown, 1, 2, MOUSE_MIDDLE);
    send(WmMouseMove, 3, 4, MOUSE_LEFT | MOUSE_MIDDLE);
    send(WmButtonUp, 5, 6, MOUSE_MIDDLE);
    EXPECT_EQ(trace, (std::vector<std::string>{"mouse 1,2 4", "mouse 3,4 5", "mouse 5,6 4"}));
}

TEST_F(WindowLayer, PaletteMessagesAnswerAsTheWindowProcedureSays) {
    open();
    // No palette: activation and palette messages do nothing but their default.
    EXPECT_EQ(send(WmActivate, 1, 0).useDefault, 1);
    EXPECT_EQ(send(WmQueryNewPalette).value, 1);
    EXPECT_EQ(nullCallCount("realizePalette foreground"), 0);

    nullPlatformReset();
    nullPlatform.needsPalette = true;
    nullPlatform.paletteChanges = 3;
    open();
    const WindowProcResult active = send(WmActivate, 1, 0);
    EXPECT_EQ(active.useDefault, 0);
    EXPECT_EQ(active.value, 1);
    EXPECT_EQ(nullCallCount("invalidate"), 1);
    EXPECT_EQ(send(WmActivate, 1, 1).useDefault, 1) << "minimised: nothing";
    EXPECT_EQ(send(WmActivate, 0, 0).useDefault, 1);
    EXPECT_EQ(nullCallCount("realizePalette background"), 1);

    send(WmPaletteChanged, 0, 0, 1); // our own change
    EXPECT_EQ(nullCallCount("realizeBackgroundPalette"), 0);
    paletteState.systemColorsTaken = 1;
    send(WmPaletteChanged, 0, 0, 0);
    EXPECT_EQ(nullCallCount("realizeBackgroundPalette"), 0);
    paletteState.systemColorsTaken = 0;
    send(WmPaletteChanged, 0, 0, 0);
    EXPECT_EQ(nullCallCount("realizeBackgroundPalette"), 1);

    send(WmUser);
    EXPECT_EQ(nullCallCount("realizePalette foreground"), 2);
    send(WmSysColorChange);
    EXPECT_EQ(nullCallCount("rebuildPalette"), 1);
}

TEST_F(WindowLayer, MoveRecordsTheClientPosition) {
    open();
    send(WmMove, 123, -45);
    EXPECT_EQ(windowState.x, 123);
    EXPECT_EQ(windowState.y, -45);
}

TEST_F(WindowLayer, PositionPutsTheOuterCornerWhereAsked) {
    nullPlatform.frameWidth = 4;
    nullPlatform.frameHeight = 4;
    nullPlatform.captionHeight = 19;
    nullPlatform.borderHeight = 1;
    wndSetPosition(10, 20, 300, 300);
    EXPECT_EQ(windowState.defaultPosition, 0);
    EXPECT_EQ(windowState.x, 14);
    EXPECT_EQ(windowState.y, 20 + 19 - 1 + 4);
    ASSERT_EQ(wndOpen("Placed"), 1);
    EXPECT_TRUE(nullCallsInOrder({"createWindow Placed 14,42 300x300"}));

    nullPlatformReset();
    nullPlatform.placedX = 77;
    nullPlatform.placedY = 88;
    wndSetPosition(INT32_MIN, 5, 320, 240);
    EXPECT_EQ(windowState.defaultPosition, 1);
    ASSERT_EQ(wndOpen("Anywhere"), 1);
    EXPECT_TRUE(nullCallsInOrder({"createWindow Anywhere default 320x240"}));
    EXPECT_EQ(windowState.x, 77) << "where the platform put it";
    EXPECT_EQ(windowState.y, 88);
}

TEST_F(WindowLayer, AWindowlessLoopReturnsInsteadOfWaitingForever) {
    wndSetIdleHandler([] { trace.push_back("idle"); });
    wndSetReshapeHandler(traceReshape);
    wndRun();
    EXPECT_TRUE(trace.empty());
}

TEST_F(WindowLayer, WithoutAnIdleHandlerTheLoopWaitsForMessages) {
    open();
    wndSetKeyHandler(traceKey);
    idleCalls = 0;
    wndSetIdleHandler([] {
        // Clears itself: the loop must go on with its waiting get.
        wndSetIdleHandler(nullptr);
        nullPressKey(VK_DOWN_KEY);
        nullCloseWindow();
    });
    wndRun();
    EXPECT_EQ(trace, (std::vector<std::string>{"key 40 mods 0"}));
}

struct OpenFailure {
    const char* name;
    bool NullPlatform::*flag;
    const char* text;
    bool windowMade; // then the teardown ran and a quit request waits
};

void PrintTo(const OpenFailure& f, std::ostream* out) {
    *out << f.name;
}

class OpeningFails : public WindowLayer, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpeningFails, ShowsItsErrorReleasesWhatWasMadeAndReturnsZero) {
    const OpenFailure& f = GetParam();
    nullPlatform.*f.flag = true;
    wndSetDisplayMode(MODE_DOUBLE_BUFFER);
    EXPECT_EQ(wndOpen("Test"), 0);
    ASSERT_EQ(nullPlatform.boxes.size(), 1u);
    EXPECT_EQ(nullPlatform.boxes[0].caption, "Error");
    EXPECT_EQ(nullPlatform.boxes[0].text, f.text);
    EXPECT_EQ(windowState.window, nullptr);
    EXPECT_EQ(windowState.context, nullptr);
    EXPECT_EQ(nullPlatform.quitPosted, f.windowMade);
    EXPECT_EQ(nullCallCount("destroyWindow"), f.windowMade ? 1 : 0);
    if (std::string(f.name) == "MakeCurrent") {
        EXPECT_EQ(nullCallCount("deleteContext"), 1) << "the context made is released";
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, OpeningFails,
    ::testing::Values(
        OpenFailure{"Register", &NullPlatform::failRegisterClass,
                    "Failed to register window class\n", false},
        OpenFailure{"Create", &NullPlatform::failCreateWindow, "create window failed\n", false},
        OpenFailure{"Choose", &NullPlatform::failChooseFormat, "Selecting a pixel format failed\n",
                    true},
        OpenFailure{"SetFormat", &NullPlatform::failSetFormat, "SetPixelFormat failed\n", true},
        OpenFailure{"Context", &NullPlatform::failCreateContext, "wglCreateContext Failed\n", true},
        OpenFailure{"MakeCurrent", &NullPlatform::failMakeCurrent, "wglMakeCurrent Failed\n",
                    true}),
    [](const ::testing::TestParamInfo<OpenFailure>& info) { return info.param.name; });

TEST_F(WindowLayer, NoSurfaceReportsTheWindowHandleInEightHexDigits) {
    nullPlatform.failGetSurface = true;
    EXPECT_EQ(wndOpen("Test"), 0);
    ASSERT_EQ(nullPlatform.boxes.size(), 1u);
    const std::string& text = nullPlatform.boxes[0].text;
    EXPECT_EQ(text.rfind("Could not get an HDC for window 0x", 0), 0u) << text;
    EXPECT_EQ(text.back(), '\n');
    EXPECT_TRUE(nullPlatform.quitPosted);
}

TEST_F(WindowLayer, ErrorTextIsCutToItsBufferAndStaysTerminated) {
    const std::string longText(1000, 'x');
    reportError("%s", longText.c_str());
    ASSERT_EQ(nullPlatform.boxes.size(), 1u);
    EXPECT_EQ(nullPlatform.boxes[0].text, std::string(255, 'x'));
    EXPECT_EQ(nullPlatform.boxes[0].caption, "Error");
}

TEST_F(WindowLayer, SystemColourCountDependsOnThePlatformVersion) {
    EXPECT_EQ(systemColorCountFor(2, 3, 5), 21);
    EXPECT_EQ(systemColorCountFor(2, 3, 51), 21);
    EXPECT_EQ(systemColorCountFor(2, 4, 0), 25);
    EXPECT_EQ(systemColorCountFor(1, 3, 51), 25);
    nullPlatform.version = {2, 3, 51};
    ASSERT_EQ(wndOpen("Old"), 1);
    EXPECT_EQ(windowState.systemColorCount, 21);
}

} // namespace
