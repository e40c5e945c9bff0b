// Hand-made boards for the stage tool's tests.
#include "stage_boards.h"

bool TestBoard::paint(const std::vector<std::int32_t>& route) {
    Die d{};
    resetDie(d);
    for (std::int32_t dir : route) {
        rollDie(d, dir);
        if (d.x >= BoardSize || d.y >= BoardSize) {
            return false;
        }
        std::int32_t& cell = cells[d.x][d.y];
        if (cell != 0 && cell != d.bottom) {
            return false;
        }
        cell = d.bottom;
    }
    return true;
}

Die dieAfter(const std::vector<std::int32_t>& route) {
    Die d{};
    resetDie(d);
    for (std::int32_t dir : route) {
        rollDie(d, dir);
    }
    return d;
}

std::vector<std::int32_t> run(std::int32_t dir, int n) {
    return std::vector<std::int32_t>(static_cast<std::size_t>(n), dir);
}

std::vector<std::int32_t> operator+(std::vector<std::int32_t> a,
                                    const std::vector<std::int32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
