// The game's idle handler: one call is one frame, from the rules to the picture on
// the screen.
#pragma once

// Runs the frame's game logic, draws the frame from the state it left, and presents it.
void gameStep();
