// Frame pacing on a virtual clock: steady deadlines, no drift, no catching up in a rush.
#include <gtest/gtest.h>

#include "frame_pacer.h"

namespace {

constexpr std::int64_t Ms = 1000000;

// Draws `frames` frames that take `drawNs` each, sleeping as told but `overshootNs`
// longer; returns the time each frame was presented.
std::vector<std::int64_t> run(FramePacer& p, std::int64_t& t, int frames, std::int64_t drawNs,
                              std::int64_t overshootNs) {
    std::vector<std::int64_t> presented;
    for (int i = 0; i < frames; ++i) {
        t += drawNs;
        const std::int64_t wait = pacerNextWait(p, t);
        if (wait > 0) {
            t += wait + overshootNs;
        }
        presented.push_back(t);
    }
    return presented;
}

TEST(FramePacer, FastFramesArePresentedOnASixtyHertzGridWithoutDrift) {
    FramePacer p{};
    std::int64_t t = 5 * Ms;
    const std::vector<std::int64_t> at = run(p, t, 3600, Ms, 100000);
    for (std::size_t i = 1; i < at.size(); ++i) {
        // Overshooting sleeps never add up: frame i is at most one overshoot late.
        EXPECT_GE(at[i] - at[0], static_cast<std::int64_t>(i) * FramePeriodNs) << i;
        EXPECT_LE(at[i] - at[0], static_cast<std::int64_t>(i) * FramePeriodNs + 100000) << i;
    }
}

TEST(FramePacer, ASlightlyLateFrameIsMadeUpByTheNextDeadline) {
    FramePacer p{};
    std::int64_t t = 0;
    run(p, t, 10, Ms, 0);
    const std::int64_t grid = t;
    t += 20 * Ms; // drawn 3.3 ms past its deadline
    EXPECT_EQ(pacerNextWait(p, t), 0);
    t += Ms;
    EXPECT_EQ(t + pacerNextWait(p, t), grid + 2 * FramePeriodNs) << "back on the grid";
}

TEST(FramePacer, AStallStartsTheScheduleAfreshInsteadOfRushing) {
    FramePacer p{};
    std::int64_t t = 0;
    run(p, t, 10, Ms, 0);
    t += 500 * Ms;
    EXPECT_EQ(pacerNextWait(p, t), 0);
    t += Ms;
    EXPECT_EQ(pacerNextWait(p, t), FramePeriodNs - Ms) << "a whole period after the stall";
}

TEST(FramePacer, SlowFramesAreNeverHeldBack) {
    FramePacer p{};
    std::int64_t t = 0;
    for (int i = 0; i < 100; ++i) {
        t += 25 * Ms;
        EXPECT_EQ(pacerNextWait(p, t), 0) << i;
    }
}

} // namespace
