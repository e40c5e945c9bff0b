// The drawing's arithmetic, without GL: the text scale factors, the turning view's
// steps, the marks' octagons and the die's orientation frame and pips.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "board_draw.h"
#include "die.h"
#include "die_draw.h"
#include "scene.h"
#include "stage.h"

namespace {

TEST(TextSteps, FollowTheWindowSoTextKeepsItsPixelSize) {
    updateTextSteps(300, 300);
    EXPECT_FLOAT_EQ(textStepX, 0.2f);
    EXPECT_FLOAT_EQ(textStepY, 0.3f);

    updateTextSteps(600, 300);
    EXPECT_FLOAT_EQ(textStepX, 0.1f);
    EXPECT_FLOAT_EQ(textStepY, 0.3f);

    // Worked out in double precision and then stored.
    updateTextSteps(7, 9);
    EXPECT_EQ(textStepX, static_cast<float>(60.0 / 7));
    EXPECT_EQ(textStepY, static_cast<float>(90.0 / 9));
}

TEST(TextSteps, AZeroSizeLeavesThemAsTheyWere) {
    updateTextSteps(400, 200);
    updateTextSteps(0, 200);
    updateTextSteps(400, 0);
    updateTextSteps(0, 0);
    EXPECT_FLOAT_EQ(textStepX, 0.15f);
    EXPECT_FLOAT_EQ(textStepY, 0.45f);
    EXPECT_TRUE(std::isfinite(textStepX) && std::isfinite(textStepY));
}

class TurningCamera : public ::testing::Test {
  protected:
    void SetUp() override {
        cameraSpin = 0.0f;
        cameraTilt = 0.0f;
        cameraDistance = BoardViewDepth;
    }
    void advance(int frames) {
        for (int i = 0; i < frames; ++i) {
            advanceCamera();
        }
    }
};

TEST_F(TurningCamera, SpinsOneDegreeAFrameInACycleOf361Frames) {
    advance(1);
    EXPECT_EQ(cameraSpin, 1.0f);
    advance(359);
    EXPECT_EQ(cameraSpin, 360.0f); // drawn at 360 once
    advance(1);
    EXPECT_EQ(cameraSpin, 0.0f);
    advance(1);
    EXPECT_EQ(cameraSpin, 1.0f);
}

TEST_F(TurningCamera, TiltsAndBacksAwayToLimitsAndStaysThere) {
    advance(1);
    EXPECT_EQ(cameraTilt, -3.0f);
    EXPECT_FLOAT_EQ(cameraDistance, -11.614213f);
    advance(11);
    EXPECT_FLOAT_EQ(cameraDistance, -13.814212f); // 12 frames
    advance(1);
    EXPECT_FLOAT_EQ(cameraDistance, -14.014211f); // 13 frames: past -14, it stops
    advance(2);
    EXPECT_EQ(cameraTilt, -45.0f); // 15 frames
    advance(500);
    EXPECT_EQ(cameraTilt, -45.0f);
    EXPECT_FLOAT_EQ(cameraDistance, -14.014211f);
}

TEST(BoardMarks, AreRegularOctagonsCounterClockwiseFromTheRight) {
    float corners[8][3];
    markCorners(2.5f, 3.5f, 0.05f, 0.2f, corners);
    EXPECT_FLOAT_EQ(corners[0][0], 2.7f); // corner 0 on the +x side
    EXPECT_FLOAT_EQ(corners[0][1], 3.5f);
    EXPECT_FLOAT_EQ(corners[2][0], 2.5f); // a quarter turn on: straight above
    EXPECT_FLOAT_EQ(corners[2][1], 3.7f);
    for (int k = 0; k < 8; ++k) {
        const float dx = corners[k][0] - 2.5f;
        const float dy = corners[k][1] - 3.5f;
        EXPECT_NEAR(std::hypot(dx, dy), 0.2, 1e-6) << k;
        EXPECT_NEAR(std::atan2(dy, dx), std::remainder(k * M_PI / 4, 2 * M_PI), 1e-5) << k;
        EXPECT_EQ(corners[k][2], 0.05f);
    }
}

using Vec = std::array<float, 3>;

float dot(const float* a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A pip as forEachPip hands it out.
struct PipRecord {
    PipRings rings;
    Vec normal;
    Vec colour;
};

void collectPip(const PipRings& rings, const float* n, const float* colour, void* context) {
    static_cast<std::vector<PipRecord>*>(context)->push_back(
        {rings, {n[0], n[1], n[2]}, {colour[0], colour[1], colour[2]}});
}

std::vector<PipRecord> pipsOf(const Die& d) {
    std::vector<PipRecord> pips;
    forEachPip(d, collectPip, &pips);
    return pips;
}

void expectCentre(const PipRecord& pip, Vec want, Vec colour) {
    for (int i = 0; i < 3; ++i) {
        float centre = 0.0f;
        for (const auto& p : pip.rings.base) {
            centre += p[i] / 8.0f;
        }
        EXPECT_NEAR(centre, want[i], 1e-5) << "axis " << i;
        EXPECT_EQ(pip.colour[i], colour[i]) << "colour " << i;
    }
}

Die resetOne() {
    Die d{};
    resetDie(d);
    return d;
}

TEST(DieDrawing, ResetDieShowsItsFacesWhereTheRecordSays) {
    const std::vector<PipRecord> pips = pipsOf(resetOne());
    ASSERT_EQ(pips.size(), 21u);
    // One red pip on +z, radius 0.2, its top at 0.5.
    expectCentre(pips[0], {0, 0, 0.4f}, {1, 0, 0});
    for (const auto& p : pips[0].rings.top) {
        EXPECT_NEAR(p[2], 0.5f, 1e-6);
        EXPECT_NEAR(std::hypot(p[0], p[1]), 0.2, 1e-6);
    }
    // Two green pips on +y.
    expectCentre(pips[1], {-0.16f, 0.4f, -0.16f}, {0, 1, 0});
    expectCentre(pips[2], {0.16f, 0.4f, 0.16f}, {0, 1, 0});
    // The black 6 on -z, two rows of three.
    const Vec six[6] = {{-0.2f, -0.25f, -0.4f}, {-0.2f, 0, -0.4f}, {-0.2f, 0.25f, -0.4f},
                        {0.2f, 0.25f, -0.4f},   {0.2f, 0, -0.4f},  {0.2f, -0.25f, -0.4f}};
    for (int i = 0; i < 6; ++i) {
        expectCentre(pips[15 + i], six[i], {0, 0, 0});
    }
}

// All 24 orientations a die can reach, found by rolling.
std::vector<Die> reachableOrientations() {
    std::vector<Die> found;
    std::set<std::tuple<int, int, int>> seen;
    std::vector<Die> queue = {resetOne()};
    while (!queue.empty()) {
        Die d = queue.back();
        queue.pop_back();
        if (!seen.insert({d.top, d.north, d.east}).second) {
            continue;
        }
        found.push_back(d);
        for (void (*roll)(Die&) : {rollNorth, rollSouth, rollWest, rollEast}) {
            Die next = d;
            roll(next);
            queue.push_back(next);
        }
    }
    return found;
}

TEST(DieDrawing, EveryOrientationIsTheResetDieTurned) {
    const std::vector<Die> orientations = reachableOrientations();
    ASSERT_EQ(orientations.size(), 24u);
    const std::vector<PipRecord> home = pipsOf(resetOne());

    for (const Die& d : orientations) {
        const DieFrame f = dieFrame(d);
        // A rotation: columns homeX, homeY, homeZ, right-handed.
        const float* x = f.homeX;
        const float* y = f.homeY;
        const float* z = f.homeZ;
        const Vec yCrossZ = {y[1] * z[2] - y[2] * z[1], y[2] * z[0] - y[0] * z[2],
                             y[0] * z[1] - y[1] * z[0]};
        EXPECT_EQ(dot(x, yCrossZ), 1.0f) << "top " << d.top << " north " << d.north;

        // Each point p of the home layout is drawn at p.x homeX + p.y homeY + p.z homeZ.
        const std::vector<PipRecord> pips = pipsOf(d);
        ASSERT_EQ(pips.size(), home.size());
        for (std::size_t i = 0; i < pips.size(); ++i) {
            for (int k = 0; k < 8; ++k) {
                for (int a = 0; a < 3; ++a) {
                    const Vec axis = {x[a], y[a], z[a]};
                    ASSERT_NEAR(pips[i].rings.top[k][a], dot(home[i].rings.top[k], axis), 1e-5)
                        << "pip " << i << " with top " << d.top << " north " << d.north;
                    ASSERT_NEAR(pips[i].rings.base[k][a], dot(home[i].rings.base[k], axis), 1e-5)
                        << "pip " << i << " with top " << d.top << " north " << d.north;
                }
            }
        }
    }
}

TEST(DieDrawing, PipsStandOnTheFacesAndReachExactlyOneHalf) {
    for (const Die& d : reachableOrientations()) {
        float extent[3] = {0, 0, 0};
        for (const PipRecord& pip : pipsOf(d)) {
            for (int k = 0; k < 8; ++k) {
                const float* top = pip.rings.top[k];
                const float* side = pip.rings.sideNormals[k];
                // The base on the body's face, the top 0.1 above it.
                EXPECT_NEAR(dot(pip.rings.base[k], pip.normal), 0.4f, 1e-6);
                EXPECT_NEAR(dot(top, pip.normal), 0.5f, 1e-6);
                // Side normals: unit, in the face's plane.
                EXPECT_NEAR(std::hypot(side[0], side[1], side[2]), 1.0, 1e-6);
                EXPECT_NEAR(dot(side, pip.normal), 0.0f, 1e-6);
                for (int a = 0; a < 3; ++a) {
                    extent[a] = std::max(extent[a], std::fabs(top[a]));
                }
            }
            // The top octagon runs counter-clockwise seen from outside.
            const float* t0 = pip.rings.top[0];
            const float* t1 = pip.rings.top[1];
            const float* t2 = pip.rings.top[2];
            const Vec u = {t1[0] - t0[0], t1[1] - t0[1], t1[2] - t0[2]};
            const Vec v = {t2[0] - t0[0], t2[1] - t0[1], t2[2] - t0[2]};
            const float cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                    u[0] * v[1] - u[1] * v[0]};
            EXPECT_GT(dot(cross, pip.normal), 0.0f);
        }
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(extent[a], 0.5f, 1e-6) << "axis " << a;
        }
    }
}

TEST(DieDrawing, AFaceValueOutOfRangeLeavesItsAxisEmptyAndStillDraws) {
    Die d = resetOne();
    d.top = 9;
    d.north = -3;
    const DieFrame f = dieFrame(d);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.homeZ[i], 0.0f);
        EXPECT_EQ(f.homeY[i], 0.0f);
    }
    EXPECT_EQ(f.homeX[0], 1.0f);
    const std::vector<PipRecord> pips = pipsOf(d);
    ASSERT_EQ(pips.size(), 21u);
    for (const PipRecord& pip : pips) {
        for (const auto& p : pip.rings.top) {
            EXPECT_TRUE(std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]));
        }
    }
}

} // namespace
