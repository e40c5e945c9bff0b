// Reading the game's picture, wherever it came from (an offscreen context or a
// screenshot of the real window): the game's projection worked out on its own, from
// the numbers the game is built to (so a wrong view in the code cannot move the probes
// with it), colour probes, and finding a line of text in the pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// A picture, bottom row first.
class Pixels {
  public:
    Pixels() = default;
    // `rgba` holds width x height pixels of 4 bytes, bottom row first.
    Pixels(int width, int height, std::vector<std::uint8_t> rgba);

    int width() const { return width_; }
    int height() const { return height_; }
    // Window coordinates: x from the left, y from the bottom. Outside reads as black.
    Rgb at(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgba_;
};

// Where the scene is seen from: the fixed view of play, or the turning view with its
// camera values.
struct View {
    bool turning;
    double spin;     // degrees about the board's normal
    double tilt;     // degrees about the screen's x axis
    double distance; // eye-space z of the board's centre
};

View playView();
View turningView(double spin, double tilt, double distance);

struct ScreenPoint {
    double x; // window pixels from the left
    double y; // window pixels from the bottom
};

// A point of the world (board units) on the screen of a width x height window.
ScreenPoint project(const View& view, double x, double y, double z, int width, int height);
// A point given in eye space (as the text's raster positions are).
ScreenPoint projectEye(double x, double y, double z, int width, int height);

// Where a line of text starts: its raster position `k` text steps across (a text step
// is 60 / width) at eye-space height `y`, at the text's depth.
ScreenPoint textOrigin(double k, double y, int width, int height);
// The raster positions of the two text lines.
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

std::string describe(Rgb c);

// Equal within the +-2 a channel by which rasterisers may differ.
bool sameColour(Rgb a, Rgb b);

// The pixel whose square holds a screen point.
int pixelIndex(double v);

// Whether some pixel within `radius` pixels of the point has the colour.
bool colourNear(const Pixels& pixels, ScreenPoint at, Rgb expected, int radius);

// How many pixels differ from the string drawn in white exactly as the font draws it,
// with nothing else white in a two-pixel margin around it, for the best placement
// within a pixel's rounding either way of the raster position `origin`. 0: it is there.
int textMismatches(const Pixels& pixels, const char* text, ScreenPoint origin, int slack = 1);

// The number of white pixels in a window rectangle (left, bottom inclusive; right, top
// exclusive).
int whiteCount(const Pixels& pixels, int left, int bottom, int right, int top);
