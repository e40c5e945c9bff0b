// The Win32 platform's window procedure, run under Wine (or on Windows): native messages
// into neutral ones.
#include <gtest/gtest.h>

#include <tuple>

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

// The core never needs a palette on a true-colour display, so never reads the stock one
// there: read directly, it gives the system's colours in their order.
TEST(Win32Palette, TheStockColoursComeAsTheSystemHasThem) {
    PaletteEntry stock[20] = {};
    ASSERT_EQ(platformGetPaletteEntries(platformStockPalette(), 0, 20, stock), 20);
    EXPECT_EQ(std::make_tuple(stock[1].red, stock[1].green, stock[8].green, stock[19].blue),
              std::make_tuple(128, 0, 220, 255));
}

} // namespace
