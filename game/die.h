// The die: its record, the direction codes every part of the game speaks in,
// and the operations that put it on the start cell and complete a roll.
#pragma once

#include <cstdint>

enum Direction : std::int32_t {
    DirNone = 0,
    DirNorth = 1, // +y, up arrow
    DirSouth = 2, // -y, down arrow
    DirWest = 3,  // -x, left arrow
    DirEast = 4,  // +x, right arrow
};

// Every field is 32 bits wide; the order is the record's layout.
struct Die {
    std::uint32_t x;      // column of the die's cell; first index of Board
    std::uint32_t y;      // row of the die's cell; second index of Board
    std::int32_t rollDir; // roll in progress, DirNone while at rest
    std::uint32_t steps;  // completed rolls since the last reset, at most 255
    std::int32_t top;     // face toward the viewer (+z)
    std::int32_t bottom;  // face on the board (-z)
    std::int32_t north;   // +y
    std::int32_t south;   // -y
    std::int32_t west;    // -x
    std::int32_t east;    // +x
    float posX;           // centre for drawing, world units; written by every frame
    float posY;
    float posZ;
    float angleX;              // degrees turned about X during a roll north or south
    float angleY;              // degrees turned about Y during a roll west or east
    std::int32_t history[256]; // codes of the completed rolls; history[steps] is next
};

constexpr std::uint32_t MaxSteps = 255;

// The one die of the game, and the code of its last completed roll (DirNone after a
// reset), which the go-back rule reads.
extern Die die;
extern std::int32_t lastDir;

// Start cell (0, 0), 1 on top, 2 to the north, 3 to the west; pose and history stay.
void resetDie(Die& d);

// Each completes a roll: turns the faces, steps the cell, records the move and leaves
// the die at rest. They check nothing; the caller decides whether the roll may happen.
void rollNorth(Die& d);
void rollSouth(Die& d);
void rollWest(Die& d);
void rollEast(Die& d);

// Completes a roll given by its code; does nothing for a code outside 1 to 4.
void rollDie(Die& d, std::int32_t dir);

// True for the values a face of the die shows, 1 to 6: the cell values a die can enter.
constexpr bool isFaceValue(std::int32_t v) {
    return v >= 1 && v <= 6;
}

// True for the four codes that name a roll.
constexpr bool isDirection(std::int32_t dir) {
    return dir >= DirNorth && dir <= DirEast;
}

// The code of the roll that undoes `dir` (DirNone for a code that names no roll).
constexpr std::int32_t oppositeDirection(std::int32_t dir) {
    switch (dir) {
    case DirNorth:
        return DirSouth;
    case DirSouth:
        return DirNorth;
    case DirWest:
        return DirEast;
    case DirEast:
        return DirWest;
    default:
        return DirNone;
    }
}

// How a roll in `dir` moves the die's cell: +1, -1 or 0 along x and along y (0 for a
// code that names no roll). Added to an unsigned coordinate, -1 off the low edge wraps
// to a huge value, so one test against the board's size covers both edges.
constexpr std::int32_t stepX(std::int32_t dir) {
    return dir == DirEast ? 1 : dir == DirWest ? -1 : 0;
}
constexpr std::int32_t stepY(std::int32_t dir) {
    return dir == DirNorth ? 1 : dir == DirSouth ? -1 : 0;
}
