// The die's reset, its four rolls, and the invariants every sequence of rolls keeps.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "die.h"

namespace {

using Faces = std::array<std::int32_t, 6>; // top, bottom, north, south, west, east
const Faces startFaces{1, 6, 2, 5, 3, 4};

Faces facesOf(const Die& d) {
    return {d.top, d.bottom, d.north, d.south, d.west, d.east};
}

Die dieOn(std::uint32_t x, std::uint32_t y) {
    Die d{};
    resetDie(d);
    d.x = x;
    d.y = y;
    return d;
}

TEST(Die, ResetPutsItOnTheStartCellButKeepsPoseAndHistory) {
    Die d{4, 3, DirEast, 17, 6, 1, 5, 2, 4, 3, 2.5f, 3.5f, 0.7f, 30.0f, -45.0f, {DirWest}};
    lastDir = DirNorth;
    resetDie(d);
    EXPECT_EQ(facesOf(d), startFaces);
    EXPECT_EQ(d.x + d.y + d.steps, 0u);
    EXPECT_EQ(d.rollDir, DirNone);
    EXPECT_EQ(d.angleX, 0.0f);
    EXPECT_EQ(d.angleY, 0.0f);
    EXPECT_EQ(lastDir, DirNone);
    EXPECT_EQ(d.posX, 2.5f);
    EXPECT_EQ(d.posZ, 0.7f);
    EXPECT_EQ(d.history[0], DirWest);
}

TEST(Die, EachRollTurnsTheFacesStepsTheCellAndEndsAtRest) {
    struct Case {
        std::int32_t dir;
        Faces faces;
        std::uint32_t x, y;
    };
    const Case cases[] = {{DirNorth, {5, 2, 1, 6, 3, 4}, 2, 3},
                          {DirSouth, {2, 5, 6, 1, 3, 4}, 2, 1},
                          {DirWest, {4, 3, 2, 5, 1, 6}, 1, 2},
                          {DirEast, {3, 4, 2, 5, 6, 1}, 3, 2}};
    for (const Case& c : cases) {
        Die d = dieOn(2, 2);
        d.rollDir = c.dir;
        d.angleX = d.angleY = 90.0f;
        rollDie(d, c.dir);
        EXPECT_EQ(facesOf(d), c.faces) << c.dir;
        EXPECT_EQ(d.x, c.x) << c.dir;
        EXPECT_EQ(d.y, c.y) << c.dir;
        // The tools step cells without rolling a die; their step must be the roll's.
        EXPECT_EQ(d.x, 2 + stepX(c.dir)) << c.dir;
        EXPECT_EQ(d.y, 2 + stepY(c.dir)) << c.dir;
        EXPECT_EQ(d.rollDir, DirNone);
        EXPECT_EQ(d.angleX + d.angleY, 0.0f);
        EXPECT_EQ(d.steps, 1u);
        EXPECT_EQ(d.history[0], c.dir);
        EXPECT_EQ(lastDir, c.dir);
    }
}

TEST(Die, FourRollsOneWayOrARollAndItsOppositeRestoreTheOrientation) {
    for (std::int32_t dir = DirNorth; dir <= DirEast; ++dir) {
        Die d = dieOn(10, 10);
        for (int i = 0; i < 4; ++i) {
            rollDie(d, dir);
        }
        EXPECT_EQ(facesOf(d), startFaces) << dir;
        const int along = dir == DirNorth || dir == DirEast ? 4 : -4;
        const bool vertical = dir == DirNorth || dir == DirSouth;
        EXPECT_EQ(d.x, 10u + (vertical ? 0 : along)) << dir;
        EXPECT_EQ(d.y, 10u + (vertical ? along : 0)) << dir;

        Die back = dieOn(2, 2);
        rollDie(back, dir);
        rollDie(back, oppositeDirection(dir));
        EXPECT_EQ(facesOf(back), startFaces) << dir;
        EXPECT_EQ(back.x * 10 + back.y, 22u) << dir;
    }
}

TEST(Die, OppositeFacesAddUpToSevenAfterAnyRolls) {
    std::mt19937 random(1997);
    Die d = dieOn(1000, 1000);
    for (int i = 0; i < 2000; ++i) {
        rollDie(d, static_cast<std::int32_t>(random() % 4) + 1);
        ASSERT_EQ(d.top + d.bottom, 7) << "after roll " << i;
        ASSERT_EQ(d.north + d.south, 7) << "after roll " << i;
        ASSERT_EQ(d.west + d.east, 7) << "after roll " << i;
        // Three mutually adjacent faces differ, so every value appears once.
        ASSERT_TRUE(d.top != d.north && d.top != d.west && d.north != d.west);
    }
}

TEST(Die, TheCountStopsAt255AndTheLastSlotKeepsTheNewestRoll) {
    Die d = dieOn(1000, 1000);
    std::int32_t played[300];
    for (int i = 0; i < 300; ++i) {
        played[i] = (i * 7 + i / 3) % 4 + 1;
        rollDie(d, played[i]);
    }
    EXPECT_EQ(d.steps, 255u);
    for (int i = 0; i < 255; ++i) {
        ASSERT_EQ(d.history[i], played[i]) << "history entry " << i;
    }
    EXPECT_EQ(d.history[255], played[299]);
}

} // namespace
