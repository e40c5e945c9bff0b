// Frame pacing on a virtual clock: steady deadlines, no drift, no catching up in a rush.
#include <gtest/gtest.h>

#include <vector>

#include "frame_pacer.h"

namespace {

constexpr std::int64_t Ms = 1000000;

// Draws `frames` frames that take `drawNs` each, from the virtual time `t` on, sleeping
// as told but `overshootNs` longer; returns when each frame was presented.
std::vector<std::int64_t> run(FramePacer& p, std::int64_t& t, int frames, std::int64_t drawNs,
                              std::int64_t overshootNs = 0) {
    std::vector<std::int64_t> presented;
    while (frames-- > 0) {
        t += drawNs;
        const std::int64_t wait = pacerNextWait(p, t);
        presented.push_back(t += wait > 0 ? wait + overshootNs : 0);
    }
    return presented;
}

TEST(FramePacer, FastFramesArePresentedOnASixtyHertzGridWithoutDrift) {
    FramePacer p{};
    std::int64_t t = 5 * Ms;
    const std::vector<std::int64_t> at = run(p, t, 3600, Ms, Ms / 10);
    for (std::size_t i = 1; i < at.size(); ++i) {
        // Overshooting sleeps never add up: frame i is at most one overshoot late.
        const std::int64_t late = at[i] - at[0] - static_cast<std::int64_t>(i) * FramePeriodNs;
        ASSERT_TRUE(late >= 0 && late <= Ms / 10) << i << ": " << late;
    }
}

TEST(FramePacer, LateFramesAreMadeUpStallsStartAfreshAndSlowFramesAreNeverHeld) {
    FramePacer p{};
    std::int64_t t = 0;
    run(p, t, 10, Ms);
    const std::int64_t grid = t;
    t += 20 * Ms; // drawn 3.3 ms past its deadline
    EXPECT_EQ(pacerNextWait(p, t), 0);
    t += Ms;
    t += pacerNextWait(p, t);
    EXPECT_EQ(t, grid + 2 * FramePeriodNs) << "back on the grid";
    t += 500 * Ms; // a stall: no rush to catch up
    EXPECT_EQ(pacerNextWait(p, t), 0);
    t += Ms;
    EXPECT_EQ(pacerNextWait(p, t), FramePeriodNs - Ms) << "a whole period after the stall";
    const std::vector<std::int64_t> slow = run(p, t, 100, 25 * Ms);
    EXPECT_EQ(slow.back() - slow.front(), 99 * 25 * Ms);
}

} // namespace
