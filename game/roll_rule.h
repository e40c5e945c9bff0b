// The rule of the game, in one place for the game and its tools: may the die at
// rest roll in a direction?
#pragma once

#include <cstdint>

#include "die.h"
#include "stage.h"

// The cell every stage is played to; reaching it ends play.
constexpr bool isGoalCell(std::uint32_t x, std::uint32_t y) {
    return x == BoardSize - 1 && y == BoardSize - 1;
}

enum class RollVerdict {
    Accepted,
    GoesBack,  // it would reverse the last roll
    OffBoard,  // the die stands on the board's edge on that side
    WrongFace, // the face that would end on the board differs from the cell's number
};

// The tests in the order the game makes them: go-back, edge, face. The board is
// read only at the neighbouring cell, and only once it is known to be on the board.
RollVerdict judgeRoll(const Die& d, std::int32_t last,
                      const std::int32_t (&board)[BoardSize][BoardSize], std::int32_t dir);
