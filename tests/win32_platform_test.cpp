// The Win32 platform, run under Wine (or on Windows) with a display: native messages
// into neutral ones, and real windows opened, fed through their queue and closed.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app.h"
#include "platform_palette.h"
#include "win32_platform.h"

namespace {

TEST(Win32Translate, PointersAreSignedSizesAreNotAndButtonsBecomeTheirBits) {
    const HWND self = reinterpret_cast<HWND>(0x1234);
    const LPARAM leftAbove = MAKELPARAM(-3, -7); // a captured pointer beyond the corner
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        WindowMessage expected;
    };
    for (const Case& c : {
             Case{WM_MOUSEMOVE,
                  MK_LBUTTON | MK_MBUTTON | MK_SHIFT,
                  leftAbove,
                  {WmMouseMove, -3, -7, 5}},
             Case{WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(299, 0), {WmMouseMove, 299, 0, 2}},
             Case{WM_LBUTTONDOWN, MK_LBUTTON, leftAbove, {WmButtonDown, -3, -7, 1}},
             Case{WM_RBUTTONUP, 0, MAKELPARAM(5, 6), {WmButtonUp, 5, 6, 2}},
             Case{WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 6), {WmButtonDown, 5, 6, 4}},
             Case{WM_MOVE, 0, leftAbove, {WmMove, -3, -7, 0}},
             Case{WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 300), {WmSize, 40000, 300, 0}},
             Case{WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0, {WmActivate, 0, 0, 0}},
             Case{WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, {WmActivate, 1, 1, 0}},
             Case{
                 WM_PALETTECHANGED, reinterpret_cast<WPARAM>(self), 0, {WmPaletteChanged, 0, 0, 1}},
             Case{WM_PALETTECHANGED, 0x99, 0, {WmPaletteChanged, 0, 0, 0}},
             Case{WM_KEYDOWN, VK_UP, 0, {WmKeyDown, 38, 3, 0}},
             Case{WM_SYSKEYDOWN, VK_UP, 0, {WmSysKeyDown, 38, 3, 0}},
             Case{WM_CHAR, 'G', 0, {WmChar, 71, 3, 0}},
             Case{WM_USER, 0, 0, {WmUser, 0, 0, 0}},
             Case{WM_USER + 1, 0, 0, {WmOther, 0, 0, 0}},
             Case{WM_SYSCOMMAND, SC_CLOSE, 0, {WmOther, 0, 0, 0}},
         }) {
        const WindowMessage m = win32Translate(self, c.message, c.wParam, c.lParam, 3);
        const WindowMessage& e = c.expected;
        EXPECT_EQ(std::make_tuple(m.kind, m.a, m.b, m.c), std::make_tuple(e.kind, e.a, e.b, e.c))
            << "message " << c.message;
    }
}

// A key counts as held when it is down: a Shift that has only toggled (as every press
// toggles it) is not held.
TEST(Win32Translate, ModifiersAreTheKeysDownNotTheKeysToggled) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x01;
    keys[VK_CONTROL] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(win32KeyModifiers(), KEY_MOD_CTRL);
    keys[VK_SHIFT] = 0x81;
    keys[VK_CONTROL] = 0x01;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(win32KeyModifiers(), KEY_MOD_SHIFT);
    SetKeyboardState(std::vector<BYTE>(256).data());
}

std::vector<std::string> seen;
HWND gameWindow() {
    return static_cast<HWND>(windowState.window);
}

// The first idle call posts what a player would, the second the close box: the loop must
// handle each batch before the next idle call, and end on the close.
void postPlayerThenClose() {
    seen.push_back("idle");
    const HWND w = gameWindow();
    if (seen.size() > 1) {
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    PostMessageA(w, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(w, WM_KEYDOWN, 'G', 0); // translated into the character 'g'
    PostMessageA(w, WM_SYSKEYDOWN, VK_UP, 0);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(4, 5));
}

void note(const char* what, const MouseEvent* e) {
    seen.push_back(what + std::to_string(e->data[0]) + "," + std::to_string(e->data[1]) +
                   (GetCapture() == gameWindow() ? " captured" : ""));
}

TEST(Win32Window, OpensAsAskedTakesKeysAndMouseAndClosesByTheCloseBoxTwice) {
    for (int round = 0; round < 2; ++round) {
        resetToolkitState();
        seen.clear();
        appSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
        appSetWindowRect(20, 30, 300, 200);
        ASSERT_EQ(appOpenWindow("Win32 test"), 1) << "round " << round;
        const HWND w = gameWindow();
        RECT outer{}, client{};
        GetWindowRect(w, &outer);
        GetClientRect(w, &client);
        // The frame's measures differ by a pixel between systems; the client's size never.
        EXPECT_NEAR(outer.left, 20, 1);
        EXPECT_NEAR(outer.top, 30, 1);
        EXPECT_EQ(std::make_tuple(client.right, client.bottom), std::make_tuple(300L, 200L));
        EXPECT_EQ(GetClassLongPtrA(w, GCL_STYLE), CS_HREDRAW | CS_VREDRAW);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE)) & ~WS_VISIBLE,
                  static_cast<DWORD>(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
        EXPECT_NE(wglGetCurrentContext(), nullptr);
        // The format set is the one asked for: drawn to a window, with OpenGL, double
        // buffered (flags 4, 0x20, 1), RGBA, a depth buffer of at least 16 bits.
        PixelFormatRequest set{};
        const SurfaceHandle dc = windowState.dc;
        ASSERT_GT(platformDescribePixelFormat(dc, platformGetPixelFormat(dc), set), 0);
        EXPECT_EQ(std::make_tuple(set.flags & 0x25u, set.pixelType, set.depthBits >= 16),
                  std::make_tuple(0x25u, 0, true));

        appBindKey(VK_UP_KEY, [] { seen.push_back("up"); });
        appBindKey('g', [] { seen.push_back("g"); });
        appBindKey('G', [] { seen.push_back("G"); });
        appBindMouse(EVENT_MOUSE_PRESS, MOUSE_LEFT, [](MouseEvent* e) { note("press ", e); });
        appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, [](MouseEvent* e) { note("release ", e); });
        appSetIdleHandler(postPlayerThenClose);
        appRun([] {});
        // The character that the key press makes is posted behind what waited already.
        EXPECT_EQ(seen, (std::vector<std::string>{"idle", "up", "press -3,7 captured",
                                                  "release 4,5", "g", "idle"}));
        EXPECT_FALSE(IsWindow(w));
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
    }
}

// On a true-colour display no palette is ever needed, so the core never reaches these:
// each is asked directly, with what the system itself answers as the oracle.
TEST(Win32Palette, TheGdiAndRegistryCallsAnswerAsTheCoreExpects) {
    PaletteEntry stock[20] = {};
    ASSERT_EQ(platformGetPaletteEntries(platformStockPalette(), 0, 20, stock), 20);
    EXPECT_EQ(std::make_tuple(stock[1].red, stock[1].green, stock[8].green, stock[19].blue),
              std::make_tuple(128, 0, 220, 255));

    PaletteEntry* entries = platformAllocPaletteEntries(256);
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(entries[255].red + entries[255].flags, 0) << "zero-filled";
    entries[2] = {10, 20, 30, PC_NOCOLLAPSE_FLAG};
    const PaletteHandle palette = platformCreatePalette(0x300, entries, 256);
    platformFreePaletteEntries(entries);
    ASSERT_NE(palette, nullptr);
    PaletteEntry back[3] = {};
    EXPECT_EQ(platformGetPaletteEntries(palette, 0, 3, back), 3);
    EXPECT_EQ(std::make_tuple(back[2].red, back[2].blue, back[2].flags),
              std::make_tuple(10, 30, PC_NOCOLLAPSE_FLAG));
    platformDeletePalette(palette);
    EXPECT_EQ(platformAllocPaletteEntries(0), nullptr);

    const std::uint32_t window = platformGetSysColor(COLOR_WINDOW);
    const std::int32_t element = COLOR_WINDOW;
    const std::uint32_t teal = 0x00808000;
    EXPECT_EQ(platformSetSysColors(1, &element, &teal), 1);
    EXPECT_EQ(platformGetSysColor(COLOR_WINDOW), teal);
    platformSetSysColors(1, &element, &window);

    // The settings of a fresh prefix hold "R G B" text for every system colour.
    const ColorSettingsHandle key = platformOpenColorSettings();
    ASSERT_NE(key, nullptr);
    char text[64];
    std::uint32_t length = 0;
    EXPECT_EQ(platformReadColorSetting(key, "Window", text, sizeof text, length), 1);
    std::uint32_t colour = 0;
    EXPECT_EQ(parseColorSetting(text, length, colour), 1) << std::string(text, length);
    EXPECT_EQ(platformReadColorSetting(key, "Window", text, 3, length), 0) << "too long";
    EXPECT_EQ(platformReadColorSetting(key, "NoSuchColour", text, sizeof text, length), 0);
    platformCloseColorSettings(key);
}

} // namespace
