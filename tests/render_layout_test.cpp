// The drawing's arithmetic, without GL: the turning view's steps, the marks' octagons, and the
// die's orientation frame and pips.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "board_draw.h"
#include "die.h"
#include "die_draw.h"
#include "scene.h"
#include "stage.h"

namespace {

TEST(TurningCamera, SpinsInACycleOf361FramesAndStopsTiltAndDistanceAtTheirLimits) {
    cameraSpin = cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
    // After n frames: the spin drawn at 360 once before it drops to 0; the tilt at exactly
    // -45 from frame 15, the distance past -14 from frame 13.
    const std::array<float, 4> expected[] = {
        {1, 1, -3, -11.614213f},    {12, 12, -36, -13.814212f},   {13, 13, -39, -14.014211f},
        {15, 15, -45, -14.014211f}, {360, 360, -45, -14.014211f}, {361, 0, -45, -14.014211f},
        {362, 1, -45, -14.014211f}};
    int frame = 0;
    for (const auto& [frames, spin, tilt, distance] : expected) {
        for (; frame < frames; ++frame) {
            advanceCamera();
        }
        EXPECT_EQ(std::pair(cameraSpin, cameraTilt), std::pair(spin, tilt)) << frame;
        EXPECT_FLOAT_EQ(cameraDistance, distance) << frame;
    }
}

TEST(BoardMarks, AreRegularOctagonsCounterClockwiseFromTheRight) {
    float corners[8][3];
    markCorners(2.5f, 3.5f, 0.05f, 0.2f, corners);
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(corners[k][0], 2.5 + 0.2 * std::cos(k * M_PI / 4), 1e-6) << k;
        EXPECT_NEAR(corners[k][1], 3.5 + 0.2 * std::sin(k * M_PI / 4), 1e-6) << k;
        EXPECT_EQ(corners[k][2], 0.05f);
    }
}

using Vec = std::array<float, 3>;

Vec vec(const float* v) {
    return {v[0], v[1], v[2]};
}

float dot(const Vec& a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Vec cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// The pips as forEachPip hands them out: rings, face normal, colour.
using Pips = std::vector<std::tuple<PipRings, Vec, Vec>>;

Pips pipsOf(const Die& d) {
    Pips pips;
    forEachPip(
        d,
        [](const PipRings& rings, const float* n, const float* c, void* to) {
            static_cast<Pips*>(to)->emplace_back(rings, vec(n), vec(c));
        },
        &pips);
    return pips;
}

// Where the face of value v lies, read from all six sides of the record.
Vec sideOf(const Die& d, int v) {
    const std::pair<int, Vec> sides[] = {{d.east, {1, 0, 0}},  {d.west, {-1, 0, 0}},
                                         {d.north, {0, 1, 0}}, {d.south, {0, -1, 0}},
                                         {d.top, {0, 0, 1}},   {d.bottom, {0, 0, -1}}};
    return std::find_if(std::begin(sides), std::end(sides), [v](auto& s) { return s.first == v; })
        ->second;
}

Die resetOne() {
    Die d{};
    resetDie(d);
    return d;
}

TEST(DieDrawing, InEveryOrientationEachPipStandsOnItsFaceInItsColour) {
    // By face value: colour, radius, and the centres of the pips on the body's face in
    // drawing order, on the reset die (4 east, 2 north, 1 on top).
    const struct {
        Vec colour;
        float radius;
        std::vector<Vec> centres;
    } faces[] = {
        // clang-format off
        {{1, 0, 0}, 0.2f, {{0, 0, 0.4f}}},
        {{0, 1, 0}, 0.15f, {{-0.16f, 0.4f, -0.16f}, {0.16f, 0.4f, 0.16f}}},
        {{1, 1, 0}, 0.1f, {{-0.4f, 0, 0}, {-0.4f, -0.2f, -0.2f}, {-0.4f, 0.2f, 0.2f}}},
        {{0, 1, 1}, 0.1f, {{0.4f, -0.2f, -0.2f}, {0.4f, -0.2f, 0.2f}, {0.4f, 0.2f, 0.2f},
                           {0.4f, 0.2f, -0.2f}}},
        {{1, 0, 1}, 0.1f, {{0, -0.4f, 0}, {-0.2f, -0.4f, -0.2f}, {0.2f, -0.4f, -0.2f},
                           {0.2f, -0.4f, 0.2f}, {-0.2f, -0.4f, 0.2f}}},
        {{0, 0, 0}, 0.1f, {{-0.2f, -0.25f, -0.4f}, {-0.2f, 0, -0.4f}, {-0.2f, 0.25f, -0.4f},
                           {0.2f, 0.25f, -0.4f}, {0.2f, 0, -0.4f}, {0.2f, -0.25f, -0.4f}}},
        // clang-format on
    };
    // Every orientation a die can reach, found by rolling.
    std::set<std::tuple<int, int, int>> seen;
    for (std::vector<Die> queue = {resetOne()}; !queue.empty();) {
        const Die d = queue.back();
        queue.pop_back();
        if (!seen.insert({d.top, d.north, d.east}).second) {
            continue;
        }
        for (void (*roll)(Die&) : {rollNorth, rollSouth, rollWest, rollEast}) {
            queue.push_back(d);
            roll(queue.back());
        }
        // Where the reset die's +x, +y and +z sides are now: the columns of its rotation.
        const Vec home[3] = {sideOf(d, 4), sideOf(d, 2), sideOf(d, 1)};
        const DieFrame f = dieFrame(d);
        ASSERT_EQ(std::tuple(vec(f.homeX), vec(f.homeY), vec(f.homeZ)),
                  std::tuple(home[0], home[1], home[2]))
            << "top " << d.top << " north " << d.north;
        const Pips pips = pipsOf(d);
        ASSERT_EQ(pips.size(), 21u);
        auto pip = pips.begin();
        for (int v = 1; v <= 6; ++v) {
            for (const Vec& at : faces[v - 1].centres) {
                const auto& [rings, normal, colour] = *pip++;
                ASSERT_EQ(normal, sideOf(d, v)) << v;
                ASSERT_EQ(colour, faces[v - 1].colour) << v;
                // Unit side normals in the face's plane, counter-clockwise seen from outside;
                // the base ring around the turned centre, the top 0.1 further out.
                const Vec quarterTurn = cross(vec(rings.sideNormals[0]), vec(rings.sideNormals[2]));
                ASSERT_NEAR(dot(quarterTurn, normal), 1.0f, 1e-6) << v;
                for (int k = 0; k < 8; ++k) {
                    const Vec side = vec(rings.sideNormals[k]);
                    ASSERT_NEAR(dot(side, side), 1.0f, 1e-6);
                    ASSERT_NEAR(dot(side, normal), 0.0f, 1e-6);
                    for (int a = 0; a < 3; ++a) {
                        const float centre =
                            at[0] * home[0][a] + at[1] * home[1][a] + at[2] * home[2][a];
                        ASSERT_NEAR(rings.base[k][a], centre + faces[v - 1].radius * side[a], 1e-6)
                            << "value " << v << " with top " << d.top << " north " << d.north;
                        ASSERT_NEAR(rings.top[k][a], rings.base[k][a] + 0.1f * normal[a], 1e-6);
                    }
                }
            }
        }
    }
    EXPECT_EQ(seen.size(), 24u);
}

TEST(DieDrawing, AFaceValueOutOfRangeLeavesItsAxisEmptyAndStillDraws) {
    Die d = resetOne();
    d.top = 9;
    d.north = -3;
    const DieFrame f = dieFrame(d);
    EXPECT_EQ(std::tuple(vec(f.homeX), vec(f.homeY), vec(f.homeZ)),
              std::tuple(Vec{1, 0, 0}, Vec{}, Vec{}));
    EXPECT_EQ(pipsOf(d).size(), 21u);
}

} // namespace
