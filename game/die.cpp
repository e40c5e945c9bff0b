// Resetting and rolling the die: the faces move around the roll's axis, the cell
// steps by one, and the roll is counted and recorded.
#include "die.h"

Die die;
std::int32_t lastDir = DirNone;

void resetDie(Die& d) {
    d.top = 1;
    d.bottom = 6;
    d.north = 2;
    d.south = 5;
    d.west = 3;
    d.east = 4;
    d.x = 0;
    d.y = 0;
    d.angleX = 0.0f;
    d.angleY = 0.0f;
    d.rollDir = DirNone;
    d.steps = 0;
    lastDir = DirNone;
}

// The part every roll shares once its faces have turned and its cell has changed.
static void finishRoll(Die& d, std::int32_t dir) {
    d.angleX = 0.0f;
    d.angleY = 0.0f;
    // Past the 255th roll the count stays and the last slot keeps the newest roll.
    d.history[d.steps] = dir;
    if (d.steps < MaxSteps) {
        ++d.steps;
    }
    d.rollDir = DirNone;
    lastDir = dir;
}

void rollNorth(Die& d) {
    const std::int32_t top = d.top;
    d.top = d.south;
    d.south = d.bottom;
    d.bottom = d.north;
    d.north = top;
    d.y += 1;
    finishRoll(d, DirNorth);
}

void rollSouth(Die& d) {
    const std::int32_t top = d.top;
    d.top = d.north;
    d.north = d.bottom;
    d.bottom = d.south;
    d.south = top;
    d.y -= 1;
    finishRoll(d, DirSouth);
}

void rollWest(Die& d) {
    const std::int32_t top = d.top;
    d.top = d.east;
    d.east = d.bottom;
    d.bottom = d.west;
    d.west = top;
    d.x -= 1;
    finishRoll(d, DirWest);
}

void rollEast(Die& d) {
    const std::int32_t top = d.top;
    d.top = d.west;
    d.west = d.bottom;
    d.bottom = d.east;
    d.east = top;
    d.x += 1;
    finishRoll(d, DirEast);
}

void rollDie(Die& d, std::int32_t dir) {
    switch (dir) {
    case DirNorth:
        rollNorth(d);
        break;
    case DirSouth:
        rollSouth(d);
        break;
    case DirWest:
        rollWest(d);
        break;
    case DirEast:
        rollEast(d);
        break;
    default:
        break;
    }
}
