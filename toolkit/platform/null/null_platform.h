// The null platform: no window system and no GL. Tests queue neutral messages and
// events the way a real platform produces them, script the display (true colour or a
// palette display, failures), then read what the core asked for.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform.h"
#include "platform_palette.h"
#include "window_message.h"

struct NullMessageBox {
    std::string caption;
    std::string text;
};

// The displays the null platform can be: what the surface's pixel format describes.
enum NullDisplay : std::int32_t {
    NullDisplayTrueColor,     // RGBA, 24 colour bits: no palette
    NullDisplay332,           // RGBA, 8 bits as red 3-3-2 from bit 0, needing a palette
    NullDisplaySystemPalette, // the same, needing the whole system palette too
    NullDisplayNoFormat,      // the surface has no pixel format
    NullDisplayNoDescription, // its format cannot be described
};

struct NullPalette {
    std::vector<PaletteEntry> entries;
    bool deleted;
};

// A value under the user's colour settings: text, or some other kind of value.
struct NullColorSetting {
    std::string value;
    bool text;
};

struct NullPlatform {
    std::deque<WindowMessage> queue;
    bool quitPosted;
    std::int32_t quitCode;
    bool paintPending;
    bool windowExists;
    bool mouseCaptured;
    std::int32_t clientWidth; // the client size the platform reports
    std::int32_t clientHeight;
    std::int32_t placedX; // where the platform puts a window it may place itself
    std::int32_t placedY;
    PlatformVersion version;
    FrameMetrics frame;

    // Failures to play back: each step of opening can be made to fail.
    bool failRegisterClass;
    bool failCreateWindow;
    bool failGetSurface;
    bool failChooseFormat;
    bool failSingleBufferFormat; // no format without double buffering
    bool failSetFormat;
    bool failCreateContext;
    bool failMakeCurrent;

    // The display, its palettes and its system colours (null_palette.cpp).
    NullDisplay display;
    std::int32_t pixelFormat;    // set on the surface; 0 until then
    std::int32_t paletteChanges; // entries that each realization changes
    // Bit n set: the call numbered n (from 0, since the reset) of that kind fails.
    std::uint32_t failAllocs, failCreatePalettes, failSelectPalettes;
    std::int32_t allocCalls, createPaletteCalls, selectPaletteCalls;
    std::deque<NullPalette> palettes; // every palette made, "p1" first
    NullPalette stock;                // the stock default palette: the 20 usual colours
    PaletteHandle selected;           // the palette in the surface; the stock one at first
    std::uint32_t systemPaletteUse;   // set it to SYSPAL_NOSTATIC_USE for another program's hold
    std::array<std::uint32_t, SystemColorCount> sysColors; // distinct colours at first
    bool failOpenColorSettings;
    std::map<std::string, NullColorSetting> colorSettings; // by name; none at first

    std::int64_t clockNs; // the virtual steady clock: only sleeps and tests move it on
    PixelFormatRequest lastRequest;
    std::int32_t swapCount;
    std::vector<std::string> calls; // every request of the core, in order
    std::vector<NullMessageBox> boxes;
};

extern NullPlatform nullPlatform;

// Back to a fresh platform with an empty record; also resets the toolkit's own state.
void nullPlatformReset();

// What a real platform would queue when the user acts.
void nullPost(WindowMessageKind kind, std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0);
void nullResize(std::int32_t width, std::int32_t height); // WmSize with the new size
void nullPressKey(std::int32_t virtualKey, std::int32_t modifiers = 0);
void nullTypeChar(std::int32_t character, std::int32_t modifiers = 0);
void nullCloseWindow(); // the close box

// Adds a call to the record.
void nullRecord(std::string call);

// The record as one text, the calls separated by "; ", and every box shown as
// "Caption: text" one after the other.
std::string nullCallList();
std::string nullBoxList();
// The calls that `act` makes; the calls recorded after the first `after` up to the next
// `before`; each as one text like nullCallList.
std::string nullCallsOf(void (*act)());
std::string nullCallsBetween(const std::string& after, const std::string& before);

// How many recorded calls equal `call`, and whether `expected` occurs in the record in
// this order (other calls may come between).
int nullCallCount(const std::string& call);
bool nullCallsInOrder(const std::vector<std::string>& expected);
