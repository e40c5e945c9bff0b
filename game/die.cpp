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

// Turns four faces one place around the roll's axis: a takes b's value, b takes c's,
// c takes d's and d takes a's.
static void turnFaces(std::int32_t& a, std::int32_t& b, std::int32_t& c, std::int32_t& d) {
    const std::int32_t first = a;
    a = b;
    b = c;
    c = d;
    d = first;
}

void rollNorth(Die& d) {
    turnFaces(d.top, d.south, d.bottom, d.north);
    d.y += 1;
    finishRoll(d, DirNorth);
}

void rollSouth(Die& d) {
    turnFaces(d.top, d.north, d.bottom, d.south);
    d.y -= 1;
    finishRoll(d, DirSouth);
}

void rollWest(Die& d) {
    turnFaces(d.top, d.east, d.bottom, d.west);
    d.x -= 1;
    finishRoll(d, DirWest);
}

void rollEast(Die& d) {
    turnFaces(d.top, d.west, d.bottom, d.east);
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
