// The toolkit's core on the null platform: the pixel-format request and the palette
// arithmetic, frame pacing seen through the buffer swap on the virtual clock, the window
// layer (the loop's order of calls, the window procedure's rules, repaint merging,
// opening, failures and teardown), the window's palette on the scripted displays, and the
// game-facing layer (opening with its fallback, the binding tables and their dispatch).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app.h"
#include "null_platform.h"
#include "palette.h"
#include "pixel_format.h"
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

WindowProcResult send(WindowMessageKind kind, int a = 0, int b = 0, int c = 0) {
    return windowProc({kind, a, b, c});
}

// How many entries of a palette have exactly these flags.
long withFlags(const NullPalette& palette, int flags) {
    return std::count_if(palette.entries.begin(), palette.entries.end(),
                         [flags](const PaletteEntry& e) { return e.flags == flags; });
}

TEST(PixelFormatRequest, EachBitOfTheModeAddsItsPart) {
    // flags, pixel type, colour, alpha, accumulation, depth and stencil bits
    const auto describe = [](std::uint32_t mode) {
        const PixelFormatRequest q = makePixelFormatRequest(mode);
        std::string text = std::to_string(q.flags);
        for (int n :
             {q.pixelType, q.colorBits, q.alphaBits, q.accumBits, q.depthBits, q.stencilBits}) {
            text += " " + std::to_string(n);
        }
        return text;
    };
    EXPECT_EQ(describe(258), "37 0 24 0 0 16 0") << "the game's: double buffer, draw, OpenGL";
    EXPECT_EQ(describe(MODE_DEPTH_16 | MODE_DEPTH_BUFFER), "36 0 24 0 0 16 0");
    EXPECT_EQ(describe(MODE_DEPTH_BUFFER | MODE_STENCIL_BUFFER), "36 0 24 0 0 24 4");
    EXPECT_EQ(describe(MODE_ACCUM_BUFFER | MODE_ALPHA_BITS), "36 0 24 8 32 0 0");
    EXPECT_EQ(describe(MODE_COLOR_INDEX | MODE_ACCUM_BUFFER | MODE_ALPHA_BITS), "36 1 8 8 16 0 0");
}

TEST(RampPalette, ComponentLevelsComeFromTheRampOfTheirWidth) {
    // 0 to 3 bits from the tables; wider components in even steps; a shift past the word.
    EXPECT_EQ((std::vector<int>{rampComponent(0xFF, 0, 0), rampComponent(1, 1, 0),
                                rampComponent(2, 1, 0), rampComponent(0x40, 2, 6),
                                rampComponent(0x80, 2, 6), rampComponent(5, 3, 0),
                                rampComponent(3 << 3, 3, 3), rampComponent(15, 4, 0),
                                rampComponent(5, 4, 0), rampComponent(0xFFFFFFFF, 8, 40)}),
              (std::vector<int>{0, 255, 0, 116, 191, 200, 139, 255, 85, 0}));
}

TEST(RampPalette, FittingTakesExactColoursFirstThenTheNearestFreeEntryTheLowestOnATie) {
    // All black but entry 7, red; the stock colours are red, black twice, then grey.
    std::vector<PaletteEntry> entries(256, PaletteEntry{0, 0, 0, 9});
    entries[7] = {255, 0, 0, 0};
    std::vector<PaletteEntry> stock(StaticColorCount, PaletteEntry{200, 200, 200, 0});
    stock[0] = {255, 0, 0, 0};
    stock[1] = stock[2] = {0, 0, 0, 0};
    fitStaticColors(entries.data(), stock.data());
    EXPECT_EQ(
        std::vector<int>(staticColorSlots, staticColorSlots + StaticColorCount),
        (std::vector<int>{7, 0, 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_TRUE(std::all_of(entries.begin(), entries.end(),
                            [](const PaletteEntry& e) { return e.flags == PC_NOCOLLAPSE_FLAG; }));
}

// Frame pacing: 60 frames a second on steady deadlines, no drift, no catching up in a rush.
constexpr std::int64_t Ms = 1000000;
constexpr std::int64_t Period = 16666667; // a sixtieth of a second, rounded up

// Draws `frames` frames that take `drawNs` each and swaps each; returns when each swap
// happened.
std::vector<std::int64_t> run(int frames, std::int64_t drawNs) {
    std::vector<std::int64_t> swapped;
    while (frames-- > 0) {
        nullPlatform.clockNs += drawNs;
        appSwapFrame();
        swapped.push_back(nullPlatform.clockNs);
    }
    return swapped;
}

TEST(FramePacing, FastFramesKeepASixtyHertzGridLateOnesGoAtOnceSlowOnesAreNeverHeld) {
    nullPlatformReset();
    const std::vector<std::int64_t> at = run(3600, Ms);
    EXPECT_EQ(std::make_pair(at[1] - at[0], at[3599] - at[0]),
              std::make_pair(Period, 3599 * Period));
    // Drawn 4.3 ms past its deadline: swapped at once, and the next one is on the grid.
    EXPECT_EQ(run(1, 21 * Ms).back(), at.back() + 21 * Ms);
    EXPECT_EQ(run(1, Ms).back(), at.back() + 2 * Period);
    // After a stall the schedule starts afresh, a whole period on.
    const std::int64_t stalled = run(1, 500 * Ms).back();
    EXPECT_EQ(run(1, Ms).back(), stalled + Period);
    const std::vector<std::int64_t> slow = run(100, 25 * Ms);
    EXPECT_EQ(slow.back() - slow.front(), 99 * 25 * Ms);
}

class Toolkit : public ::testing::Test {
  protected:
    void SetUp() override {
        nullPlatformReset();
        trace.clear();
    }
    // Opens the window as the game does, 300 x 200 at the corner of `display`: the palette
    // calls made between setting the format and making the context.
    static std::string open(NullDisplay display = NullDisplayTrueColor,
                            std::uint32_t mode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16) {
        nullPlatform.display = display;
        appSetDisplayMode(mode);
        appSetWindowRect(0, 0, 300, 200);
        EXPECT_EQ(appOpenWindow("Test"), 1);
        return nullCallsBetween("setPixelFormat 7", "createContext");
    }
};
using N = NullPlatform;

TEST_F(Toolkit, LoopReshapesFirstHandlesEveryWaitingMessageBeforeIdlingAndEndsOnClose) {
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
    // The close tore everything down in order and its quit request ended the loop.
    EXPECT_EQ(nullCallsBetween("glResetState", ""),
              "invalidate; beginPaint; endPaint; invalidate; beginPaint; endPaint; destroyWindow; "
              "makeCurrent none; deleteContext; releaseSurface; postQuit 1");
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
    EXPECT_EQ(trace, "key 40 0");
}

TEST_F(Toolkit, OnlyTheSevenKeysLettersAndDigitsReachTheKeyHandler) {
    wndSetKeyHandler(traceKey);
    // Backspace, Tab, Shift, A, F1, Delete and codes out of range reach nobody.
    for (int vk : {13, 27, 32, 37, 38, 39, 40, 8, 9, 16, 65, 112, 46, 0, 300}) {
        send(WmKeyDown, vk, KEY_MOD_SHIFT | KEY_MOD_CTRL | 4);
    }
    for (unsigned char ch : std::string("09AZaz/:@[`{\x07\x7F\xE9")) {
        send(WmChar, ch, KEY_MOD_SHIFT);
    }
    EXPECT_EQ(send(WmSysKeyDown, VK_UP_KEY).useDefault, 1) << "Alt held: the system's";
    EXPECT_EQ(trace, "key 13 3; key 27 3; key 32 3; key 37 3; key 38 3; key 39 3; key 40 3; "
                     "key 48 1; key 57 1; key 65 1; key 90 1; key 97 1; key 122 1");
}

TEST_F(Toolkit, TheOuterCornerGoesWhereAskedOrWhereThePlatformPutsIt) {
    nullPlatform.frame = {4, 3, 19, 1}; // frame width and height, caption, border
    wndSetPosition(10, 20, 300, 300);
    ASSERT_EQ(wndOpen("Placed"), 1);

    nullPlatform.placedX = 77;
    nullPlatform.placedY = 88;
    wndSetPosition(INT32_MIN, 5, 320, 240);
    ASSERT_EQ(wndOpen("Anywhere"), 1);
    EXPECT_EQ(std::make_pair(windowState.x, windowState.y), std::make_pair(77, 88));
    EXPECT_TRUE(nullCallsInOrder(
        {"createWindow Placed 14,41 300x300", "createWindow Anywhere default 320x240"}));
}

TEST_F(Toolkit, EachFailedStepOfOpeningShowsItsErrorAndReleasesWhatWasMade) {
    reportError("%s", std::string(1000, 'x').c_str());
    EXPECT_EQ(nullBoxList(), "Error: " + std::string(255, 'x')) << "cut to its buffer";
    const std::pair<bool N::*, const char*> failures[] = {
        {&N::failRegisterClass, "Failed to register window class\n"},
        {&N::failCreateWindow, "create window failed\n"},
        {&N::failGetSurface, "Could not get an HDC for window 0x12340A1D\n"},
        {&N::failChooseFormat, "Selecting a pixel format failed\n"},
        {&N::failSetFormat, "SetPixelFormat failed\n"},
        {&N::failCreateContext, "wglCreateContext Failed\n"},
        {&N::failMakeCurrent, "wglMakeCurrent Failed\n"},
    };
    for (const auto& [flag, text] : failures) {
        nullPlatformReset();
        nullPlatform.*flag = true;
        EXPECT_EQ(wndOpen("Test"), 0);
        EXPECT_EQ(nullBoxList(), "Error: " + std::string(text));
        EXPECT_TRUE(!windowState.window && !windowState.context) << "all released";
    }
}

TEST_F(Toolkit, OpeningBindsEscapeAfterEarlierKeysAndDispatchRunsEveryHandlerInOrder) {
    appSetReshapeHandler([](std::int32_t, std::int32_t) {}); // replaced by the default
    appBindKey(38, first);
    EXPECT_EQ(open(), "");
    EXPECT_EQ(nullCallList(), "registerClass AppWndClass; createWindow Test 0,0 300x200; "
                              "getSurface; showWindow; choosePixelFormat; setPixelFormat 7; "
                              "createContext; makeCurrent; glResetState");
    EXPECT_EQ((std::vector<int>{keyBindingCount, keyBindings[0].key, keyBindings[1].key}),
              (std::vector<int>{2, 38, 27}));
    windowHandlers.reshapeHandler(0, 0); // minimised
    EXPECT_EQ(nullPlatform.calls.back(), "glPixelProjection 0x0");

    appBindKey(103, first);
    appBindKey(103, [] { note("second"); });
    send(WmKeyDown, 40);
    EXPECT_EQ(nullCallCount("invalidate"), 0) << "only a handler that ran asks for a repaint";
    send(WmKeyDown, 38);
    send(WmChar, 'g', KEY_MOD_SHIFT);
    EXPECT_EQ(nullCallCount("invalidate"), 1);
    // Each bit of the buttons held goes to the handlers of that button, entry by entry; a
    // press takes the mouse until the release.
    appBindMouse(EVENT_MOUSE_MOTION, MOUSE_MIDDLE, traceMouse);
    appBindMouse(EVENT_MOUSE_MOTION, MOUSE_LEFT, traceMouse);
    send(WmMouseMove, 10, 20, MOUSE_LEFT | MOUSE_MIDDLE | MOUSE_RIGHT);
    send(WmButtonDown, 3, 4, MOUSE_RIGHT);
    send(WmButtonUp, 3, 4, MOUSE_RIGHT);
    EXPECT_EQ(trace, "first; first; second; mouse 64 10 20 4; mouse 64 10 20 1");
    EXPECT_TRUE(nullCallsInOrder({"captureMouse", "releaseMouse"}));

    // Escape, bound at opening, ends the process with status 0 before a later 27 runs.
    appBindKey(27, [] { std::_Exit(3); });
    EXPECT_EXIT(send(WmKeyDown, 27), ::testing::ExitedWithCode(0), "");
    wndDestroy(windowState.window);
    EXPECT_EXIT(appExit(), ::testing::ExitedWithCode(0), "") << "even with no window";

    // The tables refuse a 201st key, and unknown mouse buttons and kinds.
    for (int i = keyBindingCount; i < 201; ++i) {
        appBindKey(1000 + i, first);
    }
    EXPECT_EQ(keyBindingCount, 200);
    EXPECT_EQ(appDispatchKey(1199, 0), 1);
    EXPECT_EQ(appBindMouse(EVENT_MOUSE_PRESS, 3, traceMouse), 0) << "no such button";
    EXPECT_EQ(appBindMouse(99, MOUSE_LEFT, traceMouse), 0) << "no such kind";
}

TEST_F(Toolkit, ASingleBufferFailureFallsBackWarningAndDrawingToTheFront) {
    nullPlatform.failSingleBufferFormat = true;
    EXPECT_EQ(open(NullDisplayTrueColor, MODE_DEPTH_16), "");
    EXPECT_EQ(nullBoxList(), "Error: Selecting a pixel format failed\nWarning: Can't initialize a "
                             "single buffer visual. Will use a double buffer visual instead, only "
                             "drawing into the front buffer.");
    EXPECT_TRUE(nullCallsInOrder({"glResetState", "glDrawToFront"}));
    // The first attempt's quit request must not end the run, which paints with `first`.
    appSetIdleHandler(scriptedIdle);
    script = {{{WmPaint, 0, 0, 0}}};
    appRun(first);
    EXPECT_EQ(trace, "idle; first; idle");
}

// The flush of the system palette, as a display of 256 entries has it made.
const std::string Flush = "create p1; create p2; select p2; realize; select stock; delete p2";

TEST_F(Toolkit, ASharedPaletteCarriesTheStockColoursAndActsOnThePaletteMessages) {
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
        EXPECT_EQ(std::memcmp(&e, &nullPlatform.stock.entries[j], sizeof e), 0) << "flags 0: " << j;
    }
    EXPECT_EQ(withFlags(nullPlatform.palettes[0], PC_NOCOLLAPSE_FLAG), 236);
}

TEST_F(Toolkit, SystemPaletteModeShowsBlackAndWhiteOnlyWhileTheWindowHoldsIt) {
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

TEST_F(Toolkit, ATakeOverThatMustWaitIsRetriedOneAtATimeAndAfterEachFrame) {
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

    nullPlatformReset();
    nullPlatform.systemPaletteUse = SYSPAL_NOSTATIC_USE; // and it never lets go
    open(NullDisplay332, MODE_DOUBLE_BUFFER | MODE_SYSTEM_PALETTE);
    wndSetIdleHandler(scriptedIdle);
    script = {{}, {}}; // three frames, then the window closes
    wndRun();
    EXPECT_EQ(trace, "idle; idle; idle");
    EXPECT_EQ(nullCallCount("postUser"), 4) << "one at opening, then one after each frame";
}

TEST_F(Toolkit, APaletteThatCannotBeMadeOrFlushedFailsNothingElse) {
    // The failing calls (bit n: the call numbered n), the display, the calls and boxes seen.
    const std::tuple<std::uint32_t N::*, std::uint32_t, NullDisplay, std::string> rows[] = {
        {&N::failAllocs, 1, NullDisplay332, ""},
        {&N::failAllocs, 2, NullDisplay332, "create p1; select p1; realize"},
        {&N::failCreatePalettes, 1, NullDisplay332, "create null"},
        {&N::failSelectPalettes, 4, NullDisplay332,
         "create p1; create p2; select p2; realize; select stock; delete p2; select p1"},
        {&N::failAllocs, 0, NullDisplayNoFormat,
         "Error: Could not get pixel format for Dc 0x5678DC01\n"},
        {&N::failAllocs, 0, NullDisplayNoDescription,
         "Error: Could not get a description of pixel format 7\n"},
    };
    for (const auto& [failures, failing, display, expected] : rows) {
        nullPlatformReset();
        nullPlatform.*failures = failing;
        const std::string calls = open(display); // before the boxes it may show
        EXPECT_EQ(calls + nullBoxList(), expected);
    }
}

} // namespace
