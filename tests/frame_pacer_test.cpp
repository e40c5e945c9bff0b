// Frame pacing seen through the toolkit's buffer swap on the null platform's virtual
// clock: 60 frames a second on steady deadlines, no drift, no catching up in a rush.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app.h"
#include "null_platform.h"

namespace {

constexpr std::int64_t Ms = 1000000;
constexpr std::int64_t Period = 16666667; // a sixtieth of a second, rounded up

// Draws `frames` frames that take `drawNs` each and swaps each, with `afterNs` more
// between the swap and the next frame; returns when each swap happened.
std::vector<std::int64_t> run(int frames, std::int64_t drawNs, std::int64_t afterNs = 0) {
    std::vector<std::int64_t> swapped;
    while (frames-- > 0) {
        nullPlatform.clockNs += drawNs;
        appSwapFrame();
        swapped.push_back(nullPlatform.clockNs);
        nullPlatform.clockNs += afterNs;
    }
    return swapped;
}

TEST(FramePacing, FastFramesAreSwappedOnASixtyHertzGridWithoutDrift) {
    nullPlatformReset();
    nullPlatform.clockNs = 5 * Ms;
    const std::vector<std::int64_t> at = run(3600, Ms, Ms / 10);
    for (std::size_t i = 1; i < at.size(); ++i) {
        ASSERT_EQ(at[i] - at[0], static_cast<std::int64_t>(i) * Period) << i;
    }
    EXPECT_EQ(nullPlatform.swapCount, 3600);
}

TEST(FramePacing, LateFramesAreMadeUpStallsStartAfreshAndSlowFramesAreNeverHeld) {
    nullPlatformReset();
    const std::int64_t grid = run(10, Ms).back();
    // Drawn 4.3 ms past its deadline: swapped at once, and the next one is on the grid.
    EXPECT_EQ(run(1, 21 * Ms).back(), grid + 21 * Ms);
    EXPECT_EQ(run(1, Ms).back(), grid + 2 * Period);
    // After a stall the schedule starts afresh, a whole period on.
    const std::int64_t stalled = run(1, 500 * Ms).back();
    EXPECT_EQ(run(1, Ms).back(), stalled + Period);
    const std::vector<std::int64_t> slow = run(100, 25 * Ms);
    EXPECT_EQ(slow.back() - slow.front(), 99 * 25 * Ms);
}

} // namespace
