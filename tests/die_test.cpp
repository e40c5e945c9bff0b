// The die's reset, its four rolls, and the invariants every sequence of rolls keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <tuple>

#include "die.h"

namespace {

using Faces = std::array<std::int32_t, 6>; // top, bottom, north, south, west, east
const Faces startFaces{1, 6, 2, 5, 3, 4};

Faces facesOf(const Die& d) {
    return {d.top, d.bottom, d.north, d.south, d.west, d.east};
}

TEST(Die, ResetPutsItOnTheStartCellButKeepsPoseAndHistory) {
    Die d{4, 3, DirEast, 17, 6, 1, 5, 2, 4, 3, 2.5f, 3.5f, 0.7f, 30.0f, -45.0f, {DirWest}};
    lastDir = DirNorth;
    resetDie(d);
    EXPECT_EQ(facesOf(d), startFaces);
    EXPECT_EQ(std::tuple(d.x, d.y, d.steps, d.rollDir, lastDir), std::tuple(0u, 0u, 0u, 0, 0));
    EXPECT_EQ(std::tuple(d.angleX, d.angleY, d.posX, d.posZ), std::tuple(0.0f, 0.0f, 2.5f, 0.7f));
    EXPECT_EQ(d.history[0], DirWest);
}

TEST(Die, EachRollTurnsTheFacesStepsTheCellAndItsOppositeOrFourOfItUndoIt) {
    struct Case {
        std::int32_t dir;
        Faces faces;
        std::uint32_t x, y;
    };
    const Case cases[] = {{DirNorth, {5, 2, 1, 6, 3, 4}, 10, 11},
                          {DirSouth, {2, 5, 6, 1, 3, 4}, 10, 9},
                          {DirWest, {4, 3, 2, 5, 1, 6}, 9, 10},
                          {DirEast, {3, 4, 2, 5, 6, 1}, 11, 10}};
    for (const Case& c : cases) {
        Die d{};
        resetDie(d);
        d.x = d.y = 10;
        d.rollDir = c.dir;
        d.angleX = d.angleY = 90.0f;
        rollDie(d, c.dir);
        EXPECT_EQ(facesOf(d), c.faces) << c.dir;
        EXPECT_EQ(std::tuple(d.x, d.y, d.rollDir, d.steps), std::tuple(c.x, c.y, 0, 1u)) << c.dir;
        EXPECT_EQ(d.angleX + d.angleY, 0.0f);
        EXPECT_EQ(std::pair(d.history[0], lastDir), std::pair(c.dir, c.dir));
        // The tools step cells without rolling a die; their step must be the roll's.
        EXPECT_EQ(std::pair(10 + stepX(c.dir), 10 + stepY(c.dir)), std::pair(int(c.x), int(c.y)));

        Die back = d;
        rollDie(back, oppositeDirection(c.dir));
        EXPECT_EQ(facesOf(back), startFaces) << c.dir;
        EXPECT_EQ(back.x * 100 + back.y, 1010u) << c.dir;
        for (int i = 0; i < 3; ++i) {
            rollDie(d, c.dir);
        }
        EXPECT_EQ(facesOf(d), startFaces) << c.dir;
    }
}

TEST(Die, OppositeFacesAddUpToSevenAfterAnyRolls) {
    std::mt19937 random(1997);
    Die d{};
    resetDie(d);
    for (int i = 0; i < 2000; ++i) {
        rollDie(d, static_cast<std::int32_t>(random() % 4) + 1);
        ASSERT_EQ(Faces({d.top + d.bottom, d.north + d.south, d.west + d.east}), Faces({7, 7, 7}))
            << "after roll " << i;
        // Three mutually adjacent faces differ, so every value appears once.
        ASSERT_TRUE(d.top != d.north && d.top != d.west && d.north != d.west);
    }
}

TEST(Die, TheCountStopsAt255AndTheLastSlotKeepsTheNewestRoll) {
    Die d{};
    resetDie(d);
    std::int32_t played[300];
    for (int i = 0; i < 300; ++i) {
        played[i] = (i * 7 + i / 3) % 4 + 1;
        rollDie(d, played[i]);
    }
    EXPECT_EQ(d.steps, 255u);
    EXPECT_TRUE(std::equal(played, played + 255, d.history));
    EXPECT_EQ(d.history[255], played[299]);
}

} // namespace
