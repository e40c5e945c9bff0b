// The die's reset, its four rolls, and the invariants every sequence of rolls keeps.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "die.h"

namespace {

struct Faces {
    std::int32_t top, bottom, north, south, west, east;
    bool operator==(const Faces& o) const {
        return top == o.top && bottom == o.bottom && north == o.north && south == o.south &&
               west == o.west && east == o.east;
    }
};

Faces facesOf(const Die& d) {
    return {d.top, d.bottom, d.north, d.south, d.west, d.east};
}

const Faces startFaces{1, 6, 2, 5, 3, 4};

Die freshDie() {
    Die d{};
    resetDie(d);
    return d;
}

TEST(DieReset, PutsTheDieOnTheStartCellButKeepsPoseAndHistory) {
    Die d{};
    d.x = 4;
    d.y = 3;
    d.rollDir = DirEast;
    d.steps = 17;
    d.angleX = 30.0f;
    d.angleY = -45.0f;
    d.posX = 2.5f;
    d.posY = 3.5f;
    d.posZ = 0.7f;
    d.history[0] = DirWest;
    lastDir = DirNorth;

    resetDie(d);

    EXPECT_EQ(facesOf(d), startFaces);
    EXPECT_EQ(d.x, 0u);
    EXPECT_EQ(d.y, 0u);
    EXPECT_EQ(d.rollDir, DirNone);
    EXPECT_EQ(d.steps, 0u);
    EXPECT_EQ(d.angleX, 0.0f);
    EXPECT_EQ(d.angleY, 0.0f);
    EXPECT_EQ(lastDir, DirNone);
    EXPECT_EQ(d.posX, 2.5f);
    EXPECT_EQ(d.posY, 3.5f);
    EXPECT_EQ(d.posZ, 0.7f);
    EXPECT_EQ(d.history[0], DirWest);
}

TEST(DieRoll, EachDirectionTurnsTheFacesAndStepsTheCell) {
    Die east = freshDie();
    rollEast(east);
    EXPECT_EQ(facesOf(east), (Faces{3, 4, 2, 5, 6, 1}));
    EXPECT_EQ(east.x, 1u);
    EXPECT_EQ(east.y, 0u);
    EXPECT_EQ(lastDir, DirEast);

    Die north = freshDie();
    rollNorth(north);
    EXPECT_EQ(facesOf(north), (Faces{5, 2, 1, 6, 3, 4}));
    EXPECT_EQ(north.x, 0u);
    EXPECT_EQ(north.y, 1u);
    EXPECT_EQ(lastDir, DirNorth);

    Die west = freshDie();
    west.x = 2;
    rollWest(west);
    EXPECT_EQ(facesOf(west), (Faces{4, 3, 2, 5, 1, 6}));
    EXPECT_EQ(west.x, 1u);
    EXPECT_EQ(lastDir, DirWest);

    Die south = freshDie();
    south.y = 2;
    rollSouth(south);
    EXPECT_EQ(facesOf(south), (Faces{2, 5, 6, 1, 3, 4}));
    EXPECT_EQ(south.y, 1u);
    EXPECT_EQ(lastDir, DirSouth);
}

TEST(DieRoll, CompletingARollCountsItAndLeavesTheDieAtRest) {
    Die d = freshDie();
    d.rollDir = DirEast;
    d.angleY = 90.0f;
    d.angleX = 5.0f;
    rollEast(d);
    EXPECT_EQ(d.rollDir, DirNone);
    EXPECT_EQ(d.angleX, 0.0f);
    EXPECT_EQ(d.angleY, 0.0f);
    EXPECT_EQ(d.steps, 1u);
    EXPECT_EQ(d.history[0], DirEast);
}

TEST(DieRoll, FourRollsOneWayRestoreTheOrientationFourCellsOn) {
    const std::int32_t dirs[] = {DirNorth, DirSouth, DirWest, DirEast};
    for (std::int32_t dir : dirs) {
        Die d = freshDie();
        d.x = 10;
        d.y = 10;
        for (int i = 0; i < 4; ++i) {
            rollDie(d, dir);
        }
        EXPECT_EQ(facesOf(d), startFaces) << "direction " << dir;
        const int dx = dir == DirEast ? 4 : dir == DirWest ? -4 : 0;
        const int dy = dir == DirNorth ? 4 : dir == DirSouth ? -4 : 0;
        EXPECT_EQ(d.x, static_cast<std::uint32_t>(10 + dx)) << "direction " << dir;
        EXPECT_EQ(d.y, static_cast<std::uint32_t>(10 + dy)) << "direction " << dir;
        EXPECT_EQ(d.steps, 4u);
    }
}

TEST(DieRoll, ARollAndItsOppositeRestoreOrientationAndCell) {
    const std::int32_t dirs[] = {DirNorth, DirSouth, DirWest, DirEast};
    for (std::int32_t dir : dirs) {
        Die d = freshDie();
        d.x = 2;
        d.y = 2;
        rollDie(d, dir);
        rollDie(d, oppositeDirection(dir));
        EXPECT_EQ(facesOf(d), startFaces) << "direction " << dir;
        EXPECT_EQ(d.x, 2u);
        EXPECT_EQ(d.y, 2u);
        EXPECT_EQ(lastDir, oppositeDirection(dir));
    }
}

TEST(DieRoll, OppositeFacesAlwaysAddUpToSevenAndHoldEveryValueOnce) {
    std::mt19937 random(1997);
    Die d = freshDie();
    d.x = 1000;
    d.y = 1000;
    for (int i = 0; i < 2000; ++i) {
        rollDie(d, static_cast<std::int32_t>(random() % 4) + 1);
        ASSERT_EQ(d.top + d.bottom, 7) << "after roll " << i;
        ASSERT_EQ(d.north + d.south, 7) << "after roll " << i;
        ASSERT_EQ(d.west + d.east, 7) << "after roll " << i;
        ASSERT_NE(d.top, d.north);
        ASSERT_NE(d.top, d.west);
        ASSERT_NE(d.north, d.west);
    }
}

TEST(DieRoll, TheCountStopsAt255AndTheLastSlotKeepsTheNewestRoll) {
    Die d = freshDie();
    d.x = 1000;
    d.y = 1000;
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

TEST(DieRoll, ACodeThatNamesNoRollChangesNothing) {
    Die d = freshDie();
    lastDir = DirNorth;
    rollDie(d, 0);
    rollDie(d, 5);
    rollDie(d, -1);
    EXPECT_EQ(facesOf(d), startFaces);
    EXPECT_EQ(d.steps, 0u);
    EXPECT_EQ(lastDir, DirNorth);
}

} // namespace
