// The go-back, edge and face tests of a roll.
#include "roll_rule.h"

RollVerdict judgeRoll(const Die& d, std::int32_t last,
                      const std::int32_t (&board)[BoardSize][BoardSize], std::int32_t dir) {
    if (!isDirection(dir)) {
        return RollVerdict::OffBoard;
    }
    if (last == oppositeDirection(dir)) {
        return RollVerdict::GoesBack;
    }
    // A die that a stored move list has driven off the board has no neighbours at
    // all; play never puts it there, but the grid must never be read outside.
    constexpr std::uint32_t edge = BoardSize - 1;
    if (d.x > edge || d.y > edge) {
        return RollVerdict::OffBoard;
    }
    std::uint32_t x = d.x;
    std::uint32_t y = d.y;
    std::int32_t face = 0;
    switch (dir) {
    case DirNorth:
        if (y >= edge) {
            return RollVerdict::OffBoard;
        }
        ++y;
        face = d.north;
        break;
    case DirSouth:
        if (y == 0) {
            return RollVerdict::OffBoard;
        }
        --y;
        face = d.south;
        break;
    case DirWest:
        if (x == 0) {
            return RollVerdict::OffBoard;
        }
        --x;
        face = d.west;
        break;
    default: // DirEast
        if (x >= edge) {
            return RollVerdict::OffBoard;
        }
        ++x;
        face = d.east;
        break;
    }
    return face == board[x][y] ? RollVerdict::Accepted : RollVerdict::WrongFace;
}
