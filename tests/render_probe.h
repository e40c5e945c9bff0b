// What the render tests share: assertions on the pixels of a frame (built on the
// projection and probes of screen_probe.h), and a fixture with a fresh context and
// game state.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gl_context.h"
#include "screen_probe.h"

// The pixel under a screen point, compared with the expected colour.
::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected);

// Whether the string stands in white exactly as the font draws it, with the raster
// position at `origin` (within a pixel's rounding either way), and nothing else white
// in a two-pixel margin around it.
::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin,
                                  int slack = 1);

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
