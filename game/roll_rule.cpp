// The go-back, edge and face tests of a roll.
#include "roll_rule.h"

namespace {

// The face on the die's side toward `dir`: the one a roll that way puts on the board.
std::int32_t faceToward(const Die& d, std::int32_t dir) {
    switch (dir) {
    case DirNorth:
        return d.north;
    case DirSouth:
        return d.south;
    case DirWest:
        return d.west;
    default: // DirEast
        return d.east;
    }
}

} // namespace

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
    if (d.x >= BoardSize || d.y >= BoardSize) {
        return RollVerdict::OffBoard;
    }
    const std::uint32_t x = d.x + static_cast<std::uint32_t>(stepX(dir));
    const std::uint32_t y = d.y + static_cast<std::uint32_t>(stepY(dir));
    if (x >= BoardSize || y >= BoardSize) {
        return RollVerdict::OffBoard;
    }
    return faceToward(d, dir) == board[x][y] ? RollVerdict::Accepted : RollVerdict::WrongFace;
}
