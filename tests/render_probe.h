// What the render tests share: a real OpenGL context with no display (SDL2's offscreen
// driver, desktop GL with a depth buffer), assertions on the pixels read back from it
// (built on the projection and probes of screen_probe.h), and a fixture with the game's
// GL state and a fresh game.
#pragma once

#include <gtest/gtest.h>

#include "screen_probe.h"

// Makes a new context of this size current in place of the last one; false, said on
// stderr, when none can be made.
bool openOffscreenGl(int width, int height);

// The frame buffer as it stands, read back before any swap.
Pixels readFramePixels(int width, int height);

// A context with the game's fixed state and font and the projection of its size (300 x
// 300 unless reopened), an empty board, and the die reset and at rest on the start cell.
class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override { openContext(300, 300); }
    void openContext(int width, int height);
    Pixels readPixels() const { return readFramePixels(width, height); }

    int width = 300;
    int height = 300;
};
