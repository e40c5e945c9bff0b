// One frame of the game: the rules, then the drawing, then the swap.
#include "game_step.h"

#include "app.h"
#include "flow.h"
#include "frame.h"

void gameStep() {
    advanceGame();
    drawFrame();
    appSwapFrame();
}
