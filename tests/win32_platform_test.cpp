// The Win32 platform, run under Wine (or on Windows) with a display: native messages
// into neutral ones, and a real window opened, fed through its queue and closed, twice.
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
    const std::tuple<UINT, WPARAM, LPARAM, WindowMessage> cases[] = {
        {WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON | MK_SHIFT, leftAbove, {WmMouseMove, -3, -7, 5}},
        {WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(299, 0), {WmMouseMove, 299, 0, 2}},
        {WM_LBUTTONDOWN, MK_LBUTTON, leftAbove, {WmButtonDown, -3, -7, 1}},
        {WM_RBUTTONUP, 0, MAKELPARAM(5, 6), {WmButtonUp, 5, 6, 2}},
        {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 6), {WmButtonDown, 5, 6, 4}},
        {WM_MOVE, 0, leftAbove, {WmMove, -3, -7, 0}},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 300), {WmSize, 40000, 300, 0}},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0, {WmActivate, 0, 0, 0}},
        {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, {WmActivate, 1, 1, 0}},
        {WM_PALETTECHANGED, reinterpret_cast<WPARAM>(self), 0, {WmPaletteChanged, 0, 0, 1}},
        {WM_PALETTECHANGED, 0x99, 0, {WmPaletteChanged, 0, 0, 0}},
        {WM_KEYDOWN, VK_UP, 0, {WmKeyDown, 38, 3, 0}},
        {WM_SYSKEYDOWN, VK_UP, 0, {WmSysKeyDown, 38, 3, 0}},
        {WM_CHAR, 'G', 0, {WmChar, 71, 3, 0}},
        {WM_USER, 0, 0, {WmUser, 0, 0, 0}},
        {WM_SYSCOMMAND, SC_CLOSE, 0, {WmOther, 0, 0, 0}},
    };
    for (const auto& [message, wParam, lParam, e] : cases) {
        const WindowMessage m = win32Translate(self, message, wParam, lParam, 3);
        EXPECT_EQ(std::make_tuple(m.kind, m.a, m.b, m.c), std::make_tuple(e.kind, e.a, e.b, e.c))
            << "message " << message;
    }
}

// A key counts as held when it is down: a Shift that has only toggled is not held.
TEST(Win32Translate, ModifiersAreTheKeysDownNotTheKeysToggled) {
    for (const auto& [shift, control, held] :
         {std::tuple{0x01, 0x80, KEY_MOD_CTRL}, {0x81, 0x01, KEY_MOD_SHIFT}}) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = static_cast<BYTE>(shift);
        keys[VK_CONTROL] = static_cast<BYTE>(control);
        ASSERT_TRUE(SetKeyboardState(keys));
        EXPECT_EQ(win32KeyModifiers(), held);
    }
    SetKeyboardState(std::vector<BYTE>(256).data());
}

std::vector<std::string> seen;

// The first idle call posts what a player would, the second the close box.
void postPlayerThenClose() {
    seen.emplace_back("idle");
    const HWND w = static_cast<HWND>(windowState.window);
    if (seen.size() > 1) {
        PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    PostMessageA(w, WM_KEYDOWN, 'G', 0); // translated into the character 'g'
    PostMessageA(w, WM_SYSKEYDOWN, VK_UP, 0);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(4, 5));
}

// The class registered once serves both openings; the window is the one asked for.
TEST(Win32Window, OpensAsAskedTakesKeysAndTheMouseAndClosesByTheCloseBoxTwice) {
    for (int round = 0; round < 2; ++round) {
        resetToolkitState();
        seen.clear();
        appSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
        appSetWindowRect(20, 30, 300, 200);
        ASSERT_EQ(appOpenWindow("Win32 test"), 1) << "round " << round;
        const HWND w = static_cast<HWND>(windowState.window);
        RECT outer{};
        RECT client{};
        GetWindowRect(w, &outer);
        GetClientRect(w, &client);
        EXPECT_NEAR(outer.left, 20, 1); // frames differ by a pixel between systems
        EXPECT_NEAR(outer.top, 30, 1);
        EXPECT_EQ(std::make_tuple(client.right, client.bottom), std::make_tuple(300L, 200L));
        EXPECT_EQ(GetClassLongPtrA(w, GCL_STYLE), CS_HREDRAW | CS_VREDRAW);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE)) & ~WS_VISIBLE,
                  static_cast<DWORD>(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
        appBindKey('g', [] { seen.emplace_back("g"); });
        appBindMouse(EVENT_MOUSE_PRESS, MOUSE_LEFT, [](MouseEvent* e) {
            const bool captured = GetCapture() == static_cast<HWND>(windowState.window);
            seen.push_back("press " + std::to_string(e->data[0]) + (captured ? " captured" : ""));
        });
        appBindMouse(EVENT_MOUSE_RELEASE, MOUSE_LEFT, [](MouseEvent*) {
            seen.push_back(GetCapture() == nullptr ? "release" : "release captured");
        });
        appSetIdleHandler(postPlayerThenClose);
        appRun([] {});
        EXPECT_EQ(seen,
                  (std::vector<std::string>{"idle", "press -3 captured", "release", "g", "idle"}));
        EXPECT_FALSE(IsWindow(w));
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
    }
}

// The core never needs a palette on a true-colour display, so never reads the stock one
// there: read directly, it gives the system's colours in their order.
TEST(Win32Palette, TheStockColoursComeAsTheSystemHasThem) {
    PaletteEntry stock[20] = {};
    ASSERT_EQ(platformGetPaletteEntries(platformStockPalette(), 0, 20, stock), 20);
    EXPECT_EQ(std::make_tuple(stock[1].red, stock[1].green, stock[8].green, stock[19].blue),
              std::make_tuple(128, 0, 220, 255));
}

} // namespace
