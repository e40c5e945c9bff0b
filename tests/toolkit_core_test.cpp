// The toolkit's core on the null platform: the window layer (the loop's order of calls,
// the window procedure's rules, repaint merging, opening, failures and teardown), the
// window's palette on the scripted displays, and the game-facing layer (opening with its
// fallback, the binding tables and their dispatch).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "platform.h"

namespace {

std::string trace; // what the test's handlers saw, in order, separated by "; "

template <typename... Ints> std::int32_t note(const char* what, Ints... values) {
    trace += (trace.empty() ? "" : "; ") + std::string(what);
    ((trace += " " + std::to_string(values)), ...);
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
    }
    // Opens the window on `display`: the palette calls made in between.
    static std::string open(NullDisplay display = NullDisplayTrueColor,
                            std::uint32_t mode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16) {
        nullPlatform.display = display;
        wndSetDisplayMode(mode);
        wndSetPosition(0, 0, 300, 200);
        EXPECT_EQ(wndOpen("Test"), 1);
        return nullCallsBetween("setPixelFormat 7", "createContext");
    }
    static int openWindow(std::uint32_t mode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16) {
        appSetDisplayMode(mode);
        appSetWindowRect(0, 0, 300, 300);
        return appOpenWindow("Pelmar");
    }
    static WindowProcResult send(WindowMessageKind kind, int a = 0, int b = 0, int c = 0) {
        return windowProc({kind, a, b, c});
    }
    static long withFlags(const NullPalette& palette, int flags) { // entries that have them
        return std::count_if(palette.entries.begin(), palette.entries.end(),
                             [flags](const PaletteEntry& e) { return e.flags == flags; });
    }
};
using N = NullPlatform;
using WindowLayer = Toolkit;
using AppLayer = Toolkit;
using PaletteDisplay = Toolkit;

TEST_F(WindowLayer, RunReshapesFirstHandlesEveryWaitingMessageBeforeIdlingAndEndsOnClose) {
    open();
    wndSetReshapeHandler(traceReshape);
    wndSetKeyHandler([](std::int32_t key, std::int32_t mods) { return traceKey(key, mods) + 1; });
    wndSetPaintHandler([] { note("paint"); });
    wndSetIdleHandler(scriptedIdle);
    // Three keys that each ask for a repaint, then two sizes: each batch paints once.
    script = {{{WmKeyDown, VK_UP_KEY, 0, 0}, {WmChar, 'g', 0, 0}, {WmKeyDown, 13, 0, 0}},
              {{WmSize, 640, 480, 0}, {WmSize, 0, 0, 0}}};
    wndRun();
    EXPECT_EQ(trace, "reshape 300 200; idle; key 38 0; key 103 0; key 13 0; paint; idle; "
                     "reshape 640 480; reshape 0 0; paint; idle");
    EXPECT_EQ(windowState.height, 0) << "the size is kept";
    // The close tore everything down in order and its quit request ended the loop.
    EXPECT_EQ(nullCallsBetween("makeCurrent", ""),
              "invalidate; beginPaint; endPaint; invalidate; beginPaint; endPaint; destroyWindow; "
              "makeCurrent none; deleteContext; releaseSurface; postQuit 1");
    EXPECT_TRUE(!windowState.window && !windowState.dc && !windowState.context);
    const WindowHandlers none{};
    EXPECT_EQ(std::memcmp(&windowHandlers, &none, sizeof none), 0) << "every slot emptied";

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
    EXPECT_EQ(trace, "reshape 300 200; key 40 0");
}

TEST_F(WindowLayer, OnlyTheSevenKeysLettersAndDigitsReachTheKeyHandler) {
    open();
    wndSetKeyHandler(traceKey);
    // Backspace, Tab, Shift, A, F1, Delete and codes out of range reach nobody.
    for (int vk : {13, 27, 32, 37, 38, 39, 40, 8, 9, 16, 65, 112, 46, 0, 300}) {
        EXPECT_EQ(send(WmKeyDown, vk, KEY_MOD_SHIFT | KEY_MOD_CTRL).value, 0);
    }
    for (unsigned char ch : std::string("09AZaz/:@[`{\x07\x7F\xE9")) {
        EXPECT_EQ(send(WmChar, ch, KEY_MOD_SHIFT).value, 0);
    }
    EXPECT_EQ(send(WmSysKeyDown, VK_UP_KEY).useDefault, 1) << "Alt held: the system's";
    EXPECT_EQ(trace, "key 13 3; key 27 3; key 32 3; key 37 3; key 38 3; key 39 3; key 40 3; "
                     "key 48 1; key 57 1; key 65 1; key 90 1; key 97 1; key 122 1");
}

TEST_F(WindowLayer, TheOuterCornerGoesWhereAskedOrWhereThePlatformPutsIt) {
    nullPlatform.frame = {4, 3, 19, 1}; // frame width and height, caption, border
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

TEST_F(WindowLayer, EachFailedStepOfOpeningShowsItsErrorReleasesWhatWasMadeAndCountsColours) {
    struct Failure {
        bool N::*flag;
        const char* text;
        int destroyed; // the window was made: teardown ran and a quit request waits
        int contextsDeleted;
    };
    for (const Failure& f : {
             Failure{&N::failRegisterClass, "Failed to register window class\n", 0, 0},
             Failure{&N::failCreateWindow, "create window failed\n", 0, 0},
             Failure{&N::failGetSurface, "Could not get an HDC for window 0x12340A1D\n", 1, 0},
             Failure{&N::failChooseFormat, "Selecting a pixel format failed\n", 1, 0},
             Failure{&N::failSetFormat, "SetPixelFormat failed\n", 1, 0},
             Failure{&N::failCreateContext, "wglCreateContext Failed\n", 1, 0},
             Failure{&N::failMakeCurrent, "wglMakeCurrent Failed\n", 1, 1},
         }) {
        nullPlatformReset();
        nullPlatform.*f.flag = true;
        EXPECT_EQ(wndOpen("Test"), 0);
        EXPECT_EQ(nullBoxList(), "Error: " + std::string(f.text));
        EXPECT_TRUE(!windowState.window && !windowState.context);
        EXPECT_EQ(nullCallCount("destroyWindow"), f.destroyed);
        EXPECT_EQ(nullPlatform.quitPosted, f.destroyed == 1);
        EXPECT_EQ(nullCallCount("deleteContext"), f.contextsDeleted);
    }
    nullPlatformReset();
    reportError("%s", std::string(1000, 'x').c_str());
    EXPECT_EQ(nullBoxList(), "Error: " + std::string(255, 'x')) << "cut to its buffer";
    EXPECT_EQ(
        (std::vector<std::int32_t>{systemColorCountFor(2, 3, 5), systemColorCountFor(2, 3, 51),
                                   systemColorCountFor(2, 4, 0), systemColorCountFor(1, 3, 51)}),
        (std::vector<std::int32_t>{21, 21, 25, 25}));
}

TEST_F(AppLayer, OpeningBindsEscapeAfterEarlierKeysAndEveryHandlerOfAKeyRunsInOrder) {
    appSetReshapeHandler([](std::int32_t, std::int32_t) {}); // replaced by the default
    appBindKey(38, first);
    ASSERT_EQ(openWindow(), 1);
    ASSERT_EQ(keyBindingCount, 2);
    EXPECT_EQ(std::make_pair(keyBindings[0].key, keyBindings[1].key), std::make_pair(38, 27));
    EXPECT_EQ(nullCallList(), "registerClass AppWndClass; createWindow Pelmar 0,0 300x300; "
                              "getSurface; showWindow; choosePixelFormat; setPixelFormat 7; "
                              "createContext; makeCurrent; glResetState");
    windowHandlers.reshapeHandler(0, 0); // minimised
    EXPECT_EQ(nullPlatform.calls.back(), "glPixelProjection 0x0");

    appBindKey(103, first);
    appBindKey(71, first);
    appBindKey(103, second);
    EXPECT_EQ(appDispatchKey(103, 0), 1);
    EXPECT_EQ(appDispatchKey(71, KEY_MOD_SHIFT), 1);
    EXPECT_EQ(appDispatchKey(39, 0), 0);
    EXPECT_EQ(trace, "first; second; first");
    windowProc({WmKeyDown, 40, 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 0) << "only a handler that ran asks for a repaint";
    windowProc({WmChar, 'g', 0, 0});
    EXPECT_EQ(nullCallCount("invalidate"), 1);

    // Escape, bound first, ends the process with status 0 before a later 27 runs.
    appBindKey(27, [] { std::fputs("later escape binding ran\n", stderr); });
    EXPECT_EXIT(windowProc({WmKeyDown, 27, 0, 0}), ::testing::ExitedWithCode(0),
                ::testing::Not(::testing::HasSubstr("later escape binding ran")));
    wndDestroy(windowState.window);
    EXPECT_EXIT(appExit(), ::testing::ExitedWithCode(0), "") << "even with no window";

    for (int i = keyBindingCount; i < MaxKeyBindings; ++i) {
        appBindKey(1000 + i, first);
    }
    appBindKey(5, second); // a 201st binding is refused
    EXPECT_EQ(keyBindingCount, MaxKeyBindings);
    EXPECT_EQ(appDispatchKey(5, 0), 0);
    EXPECT_EQ(appDispatchKey(1000 + MaxKeyBindings - 1, 0), 1);
}

TEST_F(AppLayer, MouseMessagesCaptureAndCallTheHandlersOfEachButtonBitFromBoundedTables) {
    ASSERT_EQ(openWindow(), 1);
    for (std::int32_t b : {MOUSE_MIDDLE, MOUSE_LEFT, MOUSE_RIGHT}) {
        ASSERT_EQ(appBindMouse(EVENT_MOUSE_MOTION, b, traceMouse), 1);
    }
    ASSERT_EQ(appBindMouse(EVENT_MOUSE_PRESS, MOUSE_RIGHT, traceMouse), 1);
    std::string repaints, captured; // a digit a message
    const WindowMessage messages[] = {{WmMouseMove, 10, 20, MOUSE_LEFT | MOUSE_MIDDLE},
                                      {WmMouseMove, 1, 1, 0},
                                      {WmButtonDown, 3, 4, MOUSE_LEFT},
                                      {WmButtonDown, 3, 4, MOUSE_RIGHT},
                                      {WmButtonUp, 3, 4, MOUSE_RIGHT}};
    for (const WindowMessage& msg : messages) {
        nullPlatform.paintPending = false;
        windowProc(msg);
        repaints += nullPlatform.paintPending ? '1' : '0';
        captured += nullPlatform.mouseCaptured ? '1' : '0';
    }
    EXPECT_EQ(repaints, "10010") << "each kind has its own table";
    EXPECT_EQ(captured, "00110") << "with or without a handler";
    EXPECT_EQ(trace, "mouse 64 10 20 4; mouse 64 10 20 1; mouse 16 3 4 2");

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
    EXPECT_EQ(nullBoxList(), "Error: Selecting a pixel format failed\nWarning: Can't initialize a "
                             "single buffer visual. Will use a double buffer visual instead, only "
                             "drawing into the front buffer.");
    EXPECT_EQ(windowState.displayMode, MODE_DEPTH_16 | MODE_DOUBLE_BUFFER);
    EXPECT_TRUE(nullCallsInOrder({"glResetState", "glDrawToFront"}));
    EXPECT_EQ(keyBindingCount, 1);
    // The first attempt's quit request must not end the run, which paints with `first`.
    appSetIdleHandler(scriptedIdle);
    script = {{{WmPaint, 0, 0, 0}}};
    appRun(first);
    EXPECT_EQ(trace, "idle; first; idle");

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

// The flush of the system palette, as a display of 256 entries has it made.
const std::string Flush = "create p1; create p2; select p2; realize; select stock; delete p2";

TEST_F(PaletteDisplay, ASharedPaletteCarriesTheStockColoursAndActsOnTheMessagesOfTheTable) {
    // Activation, minimised activation, deactivation, then the palette messages.
    const WindowMessage messages[] = {{WmActivate, 1, 0, 0},       {WmActivate, 1, 1, 0},
                                      {WmActivate, 0, 0, 0},       {WmQueryNewPalette, 0, 0, 0},
                                      {WmPaletteChanged, 0, 0, 0}, {WmUser, 0, 0, 0},
                                      {WmSysColorChange, 0, 0, 0}};
    for (NullDisplay display : {NullDisplayTrueColor, NullDisplay332}) {
        nullPlatformReset();
        nullPlatform.stock.entries[8] = {192, 220, 190, 0}; // read from the platform each time
        EXPECT_EQ(open(display), display == NullDisplay332 ? Flush + "; select p1; realize" : "");
        nullPlatform.calls.clear();
        std::string results; // "d": the platform's default handling
        for (const WindowMessage& msg : messages) {
            const WindowProcResult got = windowProc(msg);
            results += got.useDefault ? "d" : std::to_string(got.value);
        }
        EXPECT_EQ(results, display == NullDisplay332 ? "1dd100d" : "ddd100d");
        // No entry changed, so no repaint; but the new palette made on the colour change is.
        EXPECT_EQ(nullCallList(),
                  display == NullDisplayTrueColor
                      ? ""
                      : "select p1; realize; select p1; realize; select p1 bg; realize; select p1; "
                        "realize; create p3; create p4; select p4; realize; select p1; delete p4; "
                        "select p3; realize; delete p1; invalidate");
    }
    nullPlatform.failCreatePalettes = 1u << nullPlatform.createPaletteCalls;
    EXPECT_EQ(nullCallsOf([] { send(WmSysColorChange); }), "create null") << "p3 stays";
    EXPECT_EQ(nullCallsOf([] { wndDestroy(windowState.window); }),
              "destroyWindow; select stock; delete p3; makeCurrent none; deleteContext; "
              "releaseSurface; postQuit 1");

    // The first palette: the flush's entries are reserved; the stock colours in their slots.
    EXPECT_EQ(withFlags(nullPlatform.palettes.at(1), PC_RESERVED_FLAG | PC_NOCOLLAPSE_FLAG), 256);
    const int slots[StaticColorCount] = {0,   3,   24, 27, 64, 67, 88,  173, 181, 236,
                                         247, 164, 91, 7,  56, 63, 192, 199, 248, 255};
    for (int j = 0; j < StaticColorCount; ++j) {
        const PaletteEntry& e = nullPlatform.palettes[0].entries[slots[j]];
        EXPECT_EQ(staticColorSlots[j], slots[j]) << j;
        EXPECT_EQ(std::memcmp(&e, &nullPlatform.stock.entries[j], sizeof e), 0) << "flags 0: " << j;
    }
    EXPECT_EQ(withFlags(nullPlatform.palettes[0], PC_NOCOLLAPSE_FLAG), 236);
}

TEST_F(PaletteDisplay, SystemPaletteModeShowsBlackAndWhiteOnlyWhileTheWindowHoldsIt) {
    // A setting that is missing, not text, too long or malformed leaves its colour alone;
    // "MenuText" fills the 64-byte buffer, with no terminating zero.
    nullPlatform.colorSettings = {{"Scrollbar", {"255 128 0", true}},
                                  {"Background", {"-1 256 99999999999999999999", true}},
                                  {"ActiveTitle", {"1 2 3", false}},
                                  {"InactiveTitle", {"4 5 6" + std::string(60, ' '), true}},
                                  {"Menu", {"7 8 - 9", true}},
                                  {"MenuText", {"10 11 12" + std::string(56, ' '), true}},
                                  {"InfoWindow", {"\t9\n 10 11 and more", true}}};
    std::array<std::uint32_t, SystemColorCount> user = nullPlatform.sysColors;
    user[0] = 0x000080FF;
    user[1] = 0x00FF00FF;
    user[7] = 0x000C0B0A;
    user[24] = 0x000B0A09;
    open(NullDisplaySystemPalette); // taken over as the retry below shows
    std::string shades;             // white and black while taken over
    for (std::uint32_t c : nullPlatform.sysColors) {
        shades += c == 0x02FFFFFF ? 'W' : c == 0x02000000 ? 'B' : '?';
    }
    EXPECT_EQ(shades, "WBBWWWBBBWWWWBWWBBBBBBWBW");
    const NullPalette& ramp = nullPlatform.palettes.at(0); // black and white stay static
    EXPECT_EQ(withFlags(ramp, PC_NOCOLLAPSE_FLAG) + ramp.entries[0].flags + ramp.entries[255].flags,
              254);

    platformPumpMessage(); // our own broadcast: a new palette, and the colours stay taken
    EXPECT_EQ(nullCallsOf([] { send(WmPaletteChanged); }), "") << "ignored while taken";
    EXPECT_EQ(nullCallsOf([] { send(WmActivate, 0); }),
              "openSettings; closeSettings; sysColors 25; use static; broadcast; unrealize p3; "
              "select p3 bg; realize");
    EXPECT_EQ(nullPlatform.sysColors, user);
    platformPumpMessage(); // the restore's broadcast: rebuilt in the background, not taken
    EXPECT_EQ(nullCallsBetween("delete p6", "delete p3"), "unrealize p5; select p5 bg; realize");
    EXPECT_EQ(nullCallsOf([] { send(WmPaletteChanged); }), "select p5 bg; realize");
    EXPECT_EQ(nullCallsOf([] { send(WmPaletteChanged, 0, 0, 1); }), "") << "our own change";

    send(WmActivate, 1);
    nullPlatform.failOpenColorSettings = true; // the colours saved on taking them go back
    wndDestroy(windowState.window);
    EXPECT_EQ(nullCallsBetween("destroyWindow", "delete p5"),
              "openSettings; sysColors 25; use static; broadcast; unrealize stock; "
              "select stock bg; realize");
    EXPECT_EQ(nullPlatform.sysColors, user);
}

TEST_F(PaletteDisplay, ATakeOverThatMustWaitIsRetriedThroughTheQueueOneRetryAtATime) {
    nullPlatform.version = {2, 3, 51};                   // 21 system colours
    nullPlatform.systemPaletteUse = SYSPAL_NOSTATIC_USE; // another program holds it
    EXPECT_EQ(open(NullDisplay332, MODE_DOUBLE_BUFFER | MODE_SYSTEM_PALETTE),
              Flush + "; use nostatic; yield; postUser");
    EXPECT_EQ(nullCallsOf([] { send(WmActivate, 1); }), "use nostatic; yield") << "one retry waits";
    nullPlatform.systemPaletteUse = SYSPAL_STATIC_USE; // and it lets go
    nullPlatform.paletteChanges = 2;
    EXPECT_EQ(
        nullCallsOf([] { platformPumpMessage(); }),
        "use nostatic; sysColors 21; broadcast; unrealize p1; select p1; realize; invalidate");
}

TEST_F(PaletteDisplay, FramesGoOnWithOneRetryEachWhileAnotherProgramKeepsThePalette) {
    nullPlatform.systemPaletteUse = SYSPAL_NOSTATIC_USE; // and never lets go
    open(NullDisplay332, MODE_DOUBLE_BUFFER | MODE_SYSTEM_PALETTE);
    wndSetIdleHandler(scriptedIdle);
    script = {{}, {}}; // three frames, then the window closes
    wndRun();
    EXPECT_EQ(trace, "idle; idle; idle");
    EXPECT_EQ(nullCallCount("postUser"), 4) << "one at opening, then one after each frame";
}

TEST_F(PaletteDisplay, APaletteThatCannotBeMadeOrFlushedFailsNothingElse) {
    struct Row {
        std::uint32_t N::*failures;
        std::uint32_t failing; // bit n: the call numbered n fails
        NullDisplay display;
        std::string calls; // with the error box shown
    };
    for (const Row& r : {
             Row{&N::failAllocs, 1, NullDisplay332, ""},
             Row{&N::failAllocs, 2, NullDisplay332, "create p1; select p1; realize"},
             Row{&N::failCreatePalettes, 1, NullDisplay332, "create null"},
             Row{&N::failSelectPalettes, 4, NullDisplay332,
                 "create p1; create p2; select p2; realize; select stock; delete p2; select p1"},
             Row{&N::failAllocs, 0, NullDisplayNoFormat,
                 "Error: Could not get pixel format for Dc 0x5678DC01\n"},
             Row{&N::failAllocs, 0, NullDisplayNoDescription,
                 "Error: Could not get a description of pixel format 7\n"},
         }) {
        nullPlatformReset();
        nullPlatform.*r.failures = r.failing;
        const std::string calls = open(r.display);
        EXPECT_EQ(calls + nullBoxList(), r.calls);
    }
}

} // namespace
