// The toolkit's core on the null platform: the window layer (the loop's order of calls,
// the window procedure's rules, repaint merging, opening, failures and teardown) and the
// game-facing layer (opening with its fallback, the binding tables and their dispatch).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "window_message.h"

namespace {

using Strings = std::vector<std::string>;
Strings trace; // what the test's handlers saw, in order

template <typename... Ints> std::int32_t note(const char* what, Ints... values) {
    std::string line = what;
    ((line += " " + std::to_string(values)), ...);
    trace.push_back(line);
    return 0;
}
const ReshapeSlot traceReshape = [](std::int32_t w, std::int32_t h) { note("reshape", w, h); };
const KeySlot traceKey = [](std::int32_t key, std::int32_t mods) { return note("key", key, mods); };
const AppHandler first = [] { note("first"); };
const AppHandler second = [] { note("second"); };
const AppMouseHandler traceMouse = [](MouseEvent* e) {
    note("mouse", e->kind, e->data[0], e->data[1], e->data[3]);
};

// Each idle call notes itself and posts the next batch of messages; once the batches
// are used up, it closes the window.
std::deque<std::vector<WindowMessage>> script;
void scriptedIdle() {
    note("idle");
    if (script.empty()) {
        nullCloseWindow();
        return;
    }
    nullPlatform.queue.insert(nullPlatform.queue.end(), script[0].begin(), script[0].end());
    script.pop_front();
}

class Toolkit : public ::testing::Test {
  protected:
    void SetUp() override {
        nullPlatformReset();
        trace.clear();
        script.clear();
    }
    static void open() {
        wndSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
        wndSetPosition(0, 0, 300, 200);
        ASSERT_EQ(wndOpen("Test"), 1);
    }
    static int openWindow(std::uint32_t mode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16) {
        appSetDisplayMode(mode);
        appSetWindowRect(0, 0, 300, 300);
        return appOpenWindow("Pelmar");
    }
    static WindowProcResult send(WindowMessageKind kind, std::int32_t a = 0, std::int32_t b = 0,
                                 std::int32_t c = 0) {
        return windowProc({kind, a, b, c});
    }
};
using WindowLayer = Toolkit;
using AppLayer = Toolkit;

TEST_F(WindowLayer, RunReshapesFirstHandlesEveryWaitingMessageBeforeIdlingAndEndsOnClose) {
    open();
    wndSetReshapeHandler(traceReshape);
    wndSetKeyHandler(traceKey);
    wndSetIdleHandler(scriptedIdle);
    script = {{{WmKeyDown, VK_UP_KEY, 0, 0}, {WmChar, 'g', 0, 0}, {WmKeyDown, 13, 0, 0}}};
    nullPlatform.calls.clear();
    wndRun();
    EXPECT_EQ(trace,
              (Strings{"reshape 300 200", "idle", "key 38 0", "key 103 0", "key 13 0", "idle"}));
    // The close tore everything down in order and its quit request ended the loop.
    EXPECT_EQ(nullPlatform.calls, (Strings{"destroyWindow", "makeCurrent none", "deleteContext",
                                           "releaseSurface", "postQuit 1"}));
    EXPECT_TRUE(!windowState.window && !windowState.dc && !windowState.context);
    const WindowHandlers& h = windowHandlers;
    EXPECT_TRUE(!h.reshapeHandler && !h.paintHandler && !h.keyHandler && !h.mousePressHandler &&
                !h.mouseReleaseHandler && !h.mouseMotionHandler && !h.idleHandler);

    trace.clear();
    wndSetReshapeHandler(traceReshape);
    wndRun(); // no window: nothing could ever arrive, so it must not wait
    open();
    wndSetKeyHandler(traceKey);
    wndSetIdleHandler([] {
        wndSetIdleHandler(nullptr); // the loop goes on with its waiting get
        nullPressKey(VK_DOWN_KEY);
        nullCloseWindow();
    });
    wndRun();
    EXPECT_EQ(trace, (Strings{"reshape 300 200", "key 40 0"}));
}

TEST_F(WindowLayer, SizesPassUnchangedAndRepaintRequestsMergeIntoOnePaint) {
    open();
    wndSetReshapeHandler(traceReshape);
    wndSetKeyHandler([](std::int32_t key, std::int32_t mods) { return traceKey(key, mods) + 1; });
    wndSetPaintHandler([] { note("paint"); });
    wndSetIdleHandler(scriptedIdle);
    script = {{{WmSize, 640, 480, 0}, {WmSize, 0, 0, 0}, {WmKeyDown, VK_UP_KEY, 0, 0}}};
    wndRun();
    EXPECT_EQ(trace, (Strings{"reshape 300 200", "idle", "reshape 640 480", "reshape 0 0",
                              "key 38 0", "paint", "idle"}));
    EXPECT_EQ(windowState.height, 0) << "the size is kept";
    EXPECT_EQ(nullCallCount("invalidate"), 1);
    EXPECT_TRUE(nullCallsInOrder({"beginPaint", "endPaint"}));
}

TEST_F(WindowLayer, OnlyTheSevenKeysLettersAndDigitsReachTheirHandlersAsDoesTheMouse) {
    open();
    wndSetKeyHandler(traceKey);
    // Backspace, Tab, Shift, A, F1, Delete and codes out of range reach nobody.
    for (int vk : {13, 27, 32, 37, 38, 39, 40, 8, 9, 16, 65, 112, 46, 0, 300}) {
        EXPECT_EQ(send(WmKeyDown, vk, KEY_MOD_SHIFT | KEY_MOD_CTRL).value, 0);
    }
    for (int ch : std::vector<int>{'0', '9', 'A', 'Z', 'a', 'z', '/', ':', '@', '[', '`', '{', 7,
                                   127, 0xE9}) {
        EXPECT_EQ(send(WmChar, ch, KEY_MOD_SHIFT).value, 0);
    }
    EXPECT_EQ(send(WmSysKeyDown, VK_UP_KEY).useDefault, 1) << "Alt held: the system's";

    // A press captures the mouse and its release frees it, with or without handlers.
    send(WmButtonDown, 5, 6, MOUSE_LEFT);
    EXPECT_TRUE(nullPlatform.mouseCaptured);
    send(WmButtonUp, 5, 6, MOUSE_LEFT);
    EXPECT_FALSE(nullPlatform.mouseCaptured);
    const MouseSlot traceSlot = [](std::int32_t x, std::int32_t y, std::int32_t b) {
        return note("slot", x, y, b);
    };
    wndSetMousePressHandler(traceSlot);
    wndSetMouseReleaseHandler(traceSlot);
    wndSetMouseMotionHandler(traceSlot);
    send(WmButtonDown, 1, 2, MOUSE_MIDDLE);
    send(WmMouseMove, 3, 4, MOUSE_LEFT | MOUSE_MIDDLE);
    send(WmButtonUp, 5, 6, MOUSE_MIDDLE);
    EXPECT_EQ(trace,
              (Strings{"key 13 3", "key 27 3", "key 32 3", "key 37 3", "key 38 3", "key 39 3",
                       "key 40 3", "key 48 1", "key 57 1", "key 65 1", "key 90 1", "key 97 1",
                       "key 122 1", "slot 1 2 4", "slot 3 4 5", "slot 5 6 4"}));
}

TEST_F(WindowLayer, PaletteMessagesActOnlyWhereThereIsAPalette) {
    open();
    EXPECT_EQ(send(WmActivate, 1, 0).useDefault, 1);
    EXPECT_EQ(send(WmQueryNewPalette).value, 1);

    nullPlatformReset();
    nullPlatform.needsPalette = true;
    nullPlatform.paletteChanges = 3; // every realization changes entries: a repaint
    open();
    nullPlatform.calls.clear();
    const WindowProcResult active = send(WmActivate, 1, 0);
    EXPECT_EQ(std::make_pair(active.useDefault, active.value), std::make_pair(0, std::intptr_t{1}));
    EXPECT_EQ(send(WmActivate, 1, 1).useDefault, 1) << "minimised: nothing";
    EXPECT_EQ(send(WmActivate, 0, 0).useDefault, 1);
    send(WmPaletteChanged, 0, 0, 1); // our own change
    paletteState.systemColorsTaken = 1;
    send(WmPaletteChanged);
    paletteState.systemColorsTaken = 0;
    send(WmPaletteChanged);
    send(WmUser);
    send(WmSysColorChange);
    // The teardown puts the stock palette back and deletes ours before the context goes.
    wndDestroy(windowState.window);
    EXPECT_EQ(nullPlatform.calls,
              (Strings{"realizePalette foreground", "invalidate", "realizePalette background",
                       "realizeBackgroundPalette", "realizePalette foreground", "rebuildPalette",
                       "destroyWindow", "selectDefaultPalette", "deletePalette", "makeCurrent none",
                       "deleteContext", "releaseSurface", "postQuit 1"}));
    // In system-palette mode it realizes the stock one, which restores the colours.
    open();
    paletteState.systemPaletteMode = 1;
    nullPlatform.calls.clear();
    wndDestroy(windowState.window);
    EXPECT_EQ(nullPlatform.calls,
              (Strings{"destroyWindow", "realizeDefaultPalette", "deletePalette",
                       "makeCurrent none", "deleteContext", "releaseSurface", "postQuit 1"}));
}

TEST_F(WindowLayer, TheOuterCornerGoesWhereAskedOrWhereThePlatformPutsIt) {
    nullPlatform.frameWidth = 4;
    nullPlatform.frameHeight = 3;
    nullPlatform.captionHeight = 19;
    nullPlatform.borderHeight = 1;
    wndSetPosition(10, 20, 300, 300);
    ASSERT_EQ(wndOpen("Placed"), 1);
    EXPECT_TRUE(nullCallsInOrder({"createWindow Placed 14,41 300x300"}));
    send(WmMove, 123, -45);
    EXPECT_EQ(std::make_pair(windowState.x, windowState.y), std::make_pair(123, -45));

    nullPlatformReset();
    nullPlatform.placedX = 77;
    nullPlatform.placedY = 88;
    wndSetPosition(INT32_MIN, 5, 320, 240);
    ASSERT_EQ(wndOpen("Anywhere"), 1);
    EXPECT_TRUE(nullCallsInOrder({"createWindow Anywhere default 320x240"}));
    EXPECT_EQ(std::make_pair(windowState.x, windowState.y), std::make_pair(77, 88));
}

TEST_F(WindowLayer, EachFailedStepOfOpeningShowsItsErrorAndReleasesWhatWasMade) {
    struct Failure {
        bool NullPlatform::*flag;
        const char* text; // a pattern (simple enough for Windows too): the handle varies
        int destroyed;    // the window was made: teardown ran and a quit request waits
        int contextsDeleted;
    };
    for (const Failure& f : {
             Failure{&NullPlatform::failRegisterClass, "Failed to register window class\n", 0, 0},
             Failure{&NullPlatform::failCreateWindow, "create window failed\n", 0, 0},
             Failure{&NullPlatform::failGetSurface,
                     "Could not get an HDC for window 0x\\w\\w\\w\\w\\w\\w\\w\\w+\n", 1, 0},
             Failure{&NullPlatform::failChooseFormat, "Selecting a pixel format failed\n", 1, 0},
             Failure{&NullPlatform::failSetFormat, "SetPixelFormat failed\n", 1, 0},
             Failure{&NullPlatform::failCreateContext, "wglCreateContext Failed\n", 1, 0},
             Failure{&NullPlatform::failMakeCurrent, "wglMakeCurrent Failed\n", 1, 1},
         }) {
        SCOPED_TRACE(f.text);
        nullPlatformReset();
        nullPlatform.*f.flag = true;
        EXPECT_EQ(wndOpen("Test"), 0);
        ASSERT_EQ(nullPlatform.boxes.size(), 1u);
        EXPECT_EQ(nullPlatform.boxes[0].caption, "Error");
        EXPECT_THAT(nullPlatform.boxes[0].text, ::testing::MatchesRegex(f.text));
        EXPECT_TRUE(!windowState.window && !windowState.context);
        EXPECT_EQ(nullCallCount("destroyWindow"), f.destroyed);
        EXPECT_EQ(nullPlatform.quitPosted, f.destroyed == 1);
        EXPECT_EQ(nullCallCount("deleteContext"), f.contextsDeleted);
    }
}

TEST_F(WindowLayer, ErrorTextIsCutToItsBufferAndTheColourCountFollowsTheVersion) {
    reportError("%s", std::string(1000, 'x').c_str());
    ASSERT_EQ(nullPlatform.boxes.size(), 1u);
    EXPECT_EQ(nullPlatform.boxes[0].text, std::string(255, 'x'));

    EXPECT_EQ(
        (std::vector<std::int32_t>{systemColorCountFor(2, 3, 5), systemColorCountFor(2, 3, 51),
                                   systemColorCountFor(2, 4, 0), systemColorCountFor(1, 3, 51)}),
        (std::vector<std::int32_t>{21, 21, 25, 25}));
    nullPlatform.version = {2, 3, 51};
    ASSERT_EQ(wndOpen("Old"), 1);
    EXPECT_EQ(windowState.systemColorCount, 21);
}

TEST_F(AppLayer, OpeningInstallsTheDefaultHandlersAndBindsEscapeAfterEarlierBindings) {
    appSetReshapeHandler([](std::int32_t, std::int32_t) {}); // replaced by the default
    appBindKey(38, first);
    ASSERT_EQ(openWindow(), 1);
    const WindowHandlers& h = windowHandlers;
    EXPECT_TRUE(h.reshapeHandler == appDefaultReshape && h.keyHandler == appDispatchKey &&
                h.mousePressHandler == appDispatchMousePress &&
                h.mouseReleaseHandler == appDispatchMouseRelease &&
                h.mouseMotionHandler == appDispatchMouseMotion);
    ASSERT_EQ(keyBindingCount, 2);
    EXPECT_EQ(std::make_pair(keyBindings[0].key, keyBindings[1].key), std::make_pair(38, 27));
    EXPECT_EQ(keyBindings[1].handler, appExit);
    EXPECT_EQ(nullPlatform.calls,
              (Strings{"registerClass AppWndClass", "createWindow Pelmar 0,0 300x300", "getSurface",
                       "showWindow", "choosePixelFormat", "setPixelFormat 7", "createContext",
                       "makeCurrent", "glResetState"}));
    h.reshapeHandler(0, 0); // minimised
    EXPECT_EQ(nullPlatform.calls.back(), "glPixelProjection 0x0");
}

TEST_F(AppLayer, EveryHandlerOfAKeyRunsInOrderOnlyARunAsksForARepaintAndTheTableIsBounded) {
    ASSERT_EQ(openWindow(), 1);
    appBindKey(103, first);
    appBindKey(71, first);
    appBindKey(103, second);
    EXPECT_EQ(appDispatchKey(103, 0), 1);
    EXPECT_EQ(appDispatchKey(71, KEY_MOD_SHIFT), 1);
    EXPECT_EQ(appDispatchKey(39, 0), 0);
    EXPECT_EQ(trace, (Strings{"first", "second", "first"}));
    windowProc({WmKeyDown, 40, 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 0);
    windowProc({WmChar, 'g', 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 1);

    for (int i = keyBindingCount; i < MaxKeyBindings; ++i) {
        appBindKey(1000 + i, first);
    }
    appBindKey(5, second); // a 201st binding is refused
    EXPECT_EQ(keyBindingCount, MaxKeyBindings);
    EXPECT_EQ(appDispatchKey(5, 0), 0);
    EXPECT_EQ(appDispatchKey(1000 + MaxKeyBindings - 1, 0), 1);
}

TEST_F(AppLayer, EscapeEndsTheProcessWithStatusZeroBeforeALaterBindingOf27) {
    EXPECT_EXIT(appExit(), ::testing::ExitedWithCode(0), "") << "even with no window";
    ASSERT_EQ(openWindow(), 1);
    appBindKey(27, [] { std::fputs("later escape binding ran\n", stderr); });
    EXPECT_EXIT(windowProc({WmKeyDown, 27, 0, 0}), ::testing::ExitedWithCode(0),
                ::testing::Not(::testing::HasSubstr("later escape binding ran")));
}

TEST_F(AppLayer, MouseDispatchCallsPerButtonBitAndTheTablesAreBounded) {
    for (std::int32_t b : {MOUSE_MIDDLE, MOUSE_LEFT, MOUSE_RIGHT}) {
        ASSERT_EQ(appBindMouse(EVENT_MOUSE_MOTION, b, traceMouse), 1);
    }
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_PRESS, MOUSE_RIGHT, traceMouse), 1);
    EXPECT_EQ(appDispatchMouseMotion(10, 20, MOUSE_LEFT | MOUSE_MIDDLE), 1);
    EXPECT_EQ(appDispatchMouseMotion(1, 1, 0), 0);
    EXPECT_EQ(appDispatchMousePress(3, 4, MOUSE_LEFT), 0);
    EXPECT_EQ(appDispatchMousePress(3, 4, MOUSE_RIGHT), 1);
    EXPECT_EQ(appDispatchMouseRelease(3, 4, MOUSE_RIGHT), 0) << "each kind has its own table";
    EXPECT_EQ(trace, (Strings{"mouse 64 10 20 4", "mouse 64 10 20 1", "mouse 16 3 4 2"}));

    for (int i = 0; i < MaxMouseBindings; ++i) {
        ASSERT_EQ(appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, traceMouse), 1);
    }
    EXPECT_EQ(appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, traceMouse), 0);
    EXPECT_EQ(mouseReleaseBindingCount, MaxMouseBindings);
    EXPECT_EQ(appBindMouse(EVENT_MOUSE_PRESS, 3, traceMouse), 0) << "no such button";
    EXPECT_EQ(appBindMouse(99, MOUSE_LEFT, traceMouse), 0) << "no such kind";
    EXPECT_EQ(mousePressBindingCount, 1);
}

TEST_F(AppLayer, OnlyASingleBufferFailureFallsBackWarningAndDrawingToTheFront) {
    nullPlatform.failSingleBufferFormat = true;
    ASSERT_EQ(openWindow(MODE_DEPTH_16), 1);
    ASSERT_EQ(nullPlatform.boxes.size(), 2u);
    EXPECT_EQ(nullPlatform.boxes[0].text, "Selecting a pixel format failed\n");
    EXPECT_EQ(nullPlatform.boxes[1].caption, "Warning");
    EXPECT_EQ(nullPlatform.boxes[1].text,
              "Can't initialize a single buffer visual. Will use a double buffer visual "
              "instead, only drawing into the front buffer.");
    EXPECT_EQ(windowState.displayMode, MODE_DEPTH_16 | MODE_DOUBLE_BUFFER);
    EXPECT_TRUE(nullCallsInOrder({"glResetState", "glDrawToFront"}));
    EXPECT_EQ(keyBindingCount, 1);
    // The first attempt's quit request must not end the run, which paints with `first`.
    appSetIdleHandler(scriptedIdle);
    script = {{{WmPaint, 0, 0, 0}}};
    appRun(first);
    EXPECT_EQ(trace, (Strings{"idle", "first", "idle"}));

    // No fallback from double buffering, and none twice: nothing bound or installed.
    nullPlatformReset();
    nullPlatform.failChooseFormat = true;
    EXPECT_EQ(openWindow(MODE_DOUBLE_BUFFER), 0);
    EXPECT_EQ(nullCallCount("choosePixelFormat"), 1);
    EXPECT_EQ(windowHandlers.keyHandler, nullptr);
    nullPlatformReset();
    nullPlatform.failCreateContext = true;
    EXPECT_EQ(openWindow(0), 0);
    EXPECT_EQ(nullCallCount("createContext"), 2);
    EXPECT_EQ(nullPlatform.boxes.size(), 2u) << "two errors, no warning";
    EXPECT_EQ(keyBindingCount, 0);
}

} // namespace
