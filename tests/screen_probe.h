// Reading the game's picture, wherever it came from (an offscreen context or a
// screenshot of the real window): the game's projection worked out on its own, from
// the numbers the game is built to (so a wrong view in the code cannot move the probes
// with it), colour probes, and finding a line of text as the font's reference picture
// draws it. And a real OpenGL context with no display to draw in.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

struct Rgb {
    int r, g, b;
};

// A picture of width x height pixels of `channels` bytes (red, green, blue first), bottom
// row first.
struct Pixels {
    int width = 0;
    int height = 0;
    int channels = 4;
    std::vector<std::uint8_t> bytes;
    // Window coordinates: x from the left, y from the bottom. Outside reads as black.
    Rgb at(int x, int y) const;
};

// The pixel a point falls in, in window coordinates: x from the left, y from the bottom.
struct ScreenPoint {
    int x, y;
};

// A point of the world (board units) on the screen of a width x height window: seen
// face-on, as in play, or as on the title, turned `spin` degrees about the board's normal
// and tilted `tilt` degrees about the screen's x axis, the board's centre at eye-space z
// `distance`.
ScreenPoint project(double x, double y, double z, int width, int height, double spin = 0.0,
                    double tilt = 0.0, double distance = -11.414213);
// Where a line of text starts: its raster position `k` text steps across (a text step
// is 60 / width), on the top line or the bottom line.
ScreenPoint topLineOrigin(double k, int width, int height);
ScreenPoint bottomLineOrigin(double k, int width, int height);

namespace colour {
constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Green{0, 255, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Cyan{0, 255, 255};
constexpr Rgb Magenta{255, 0, 255};
} // namespace colour

// How the board marks each value 1 to 6 (0: none): where the marks stand in a cell, as
// offsets from its corner, their corner radius and their colour (blue: the bare cell).
extern const std::vector<std::pair<double, double>> markOffsets[7];
extern const double markRadius[7];
extern const Rgb markColour[7];

// Whether the pixel under a screen point, or with a radius some pixel that near it, has
// the colour, within the +-2 a channel by which rasterisers may differ.
::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected,
                                   int radius = 0);

// Whether the string stands in white exactly as the font's reference picture draws it,
// with nothing else white in a two-pixel margin around it, for the best placement
// within `slack` pixels either way of the raster position `origin`.
::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin,
                                  int slack = 1);

// Makes a new context of this size current (SDL2's offscreen driver, desktop GL with a
// depth buffer) in place of the last one; false, said on stderr, when none can be made.
bool openOffscreenGl(int width, int height);
// The frame buffer as it stands, read back before any swap.
Pixels readFramePixels(int width, int height);
