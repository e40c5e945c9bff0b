// Drawing one whole frame from the game state: the view of the phase, the board,
// the die at its animated pose and the two lines of text.
#pragma once

#include <cstdint>

// The horizontal raster factor of a bottom-line message: minus half its length in
// characters, which centres it. 0 for an id that shows nothing.
float messageRasterFactor(std::int32_t id);

// Draws the frame and flushes it; presenting it is the caller's. Leaves the
// model-view matrix as it found it (the identity the reshape handler set).
void drawFrame();
