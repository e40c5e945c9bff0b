// The null platform: no window system and no GL. Tests queue neutral messages and
// events the way a real platform produces them, then read what the core asked for.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform.h"
#include "window_message.h"

struct NullMessageBox {
    std::string caption;
    std::string text;
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
    std::int32_t frameWidth, frameHeight, captionHeight, borderHeight;

    // Failures to play back: each step of opening can be made to fail.
    bool failRegisterClass;
    bool failCreateWindow;
    bool failGetSurface;
    bool failChooseFormat;
    bool failSingleBufferFormat; // no format without double buffering
    bool failSetFormat;
    bool failCreateContext;
    bool failMakeCurrent;

    // A display that needs a palette: creation gives one, and realizing it reports
    // this many changed entries.
    bool needsPalette;
    std::int32_t paletteChanges;

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

// How many recorded calls equal `call`, and whether `expected` occurs in the record in
// this order (other calls may come between).
int nullCallCount(const std::string& call);
bool nullCallsInOrder(const std::vector<std::string>& expected);
