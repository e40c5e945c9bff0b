// Start-up: the command line, the game's window, its fixed GL state and font, the
// handlers, and the toolkit's loop that drives everything from then on.
#pragma once

#include <cstdint>

#include "app.h"

constexpr const char* WindowTitle = "Pelmar - Quenmoor 1997 -";
// RGBA, double-buffered, 16-bit depth.
constexpr std::uint32_t GameDisplayMode = MODE_DOUBLE_BUFFER | MODE_DEPTH_16;

// Reads the arguments after the program's name. One that begins with a slash is a
// switch: "/s" is accepted and, like every other switch, changes nothing. Any other
// names a stage file: one that opens is read into the current stage and play starts
// on it at once as stage 1; one that does not open is passed over.
void readCommandLine(int argc, const char* const* argv);

// Opens the game's window and readies everything the loop needs: the fixed GL state
// and the font, the die on its start cell, the frame and reshape handlers and the
// game's keys. False when no window could be opened; then nothing else was done.
bool openGameWindow();

// The program: loads the title demo, reads the command line, opens the window and
// runs the game in it. 0 once the window has been closed; 1 when no window could be
// opened (the toolkit has said why).
int startGame(int argc, const char* const* argv);
