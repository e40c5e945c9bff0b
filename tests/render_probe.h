// What the render tests share: the game's projection worked out on its own, from
// the numbers the game is built to (so a wrong view in the code cannot move the
// probes with it), colour probes, finding a line of text in the pixels, and a fixture
// with a fresh context and game state.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gl_context.h"

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
// The pixel under a screen point, compared with the expected colour.
::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected);
// Whether some pixel within `radius` pixels of the point has the colour.
bool colourNear(const Pixels& pixels, ScreenPoint at, Rgb expected, int radius);

// Whether the string stands in white exactly as the font draws it, with the raster
// position at `origin` (within a pixel's rounding either way), and nothing else white
// in a two-pixel margin around it.
::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin);

// The number of white pixels in a window rectangle (left, bottom inclusive; right, top
// exclusive).
int whiteCount(const Pixels& pixels, int left, int bottom, int right, int top);

// A 300 x 300 context with the game's fixed state and font, the projection of a
// 300 x 300 window, an empty board, and the die reset and at rest on the start cell.
class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the context (and sets the game's GL state) at another size.
    void openContext(int width, int height);
    Pixels readPixels() const;

    std::unique_ptr<OffscreenGl> gl;
    int width = 300;
    int height = 300;
};
