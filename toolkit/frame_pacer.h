// Holds presented frames to a steady 60 a second, whatever the display's refresh rate
// and whether or not the swap waits for it.
#pragma once

#include <cstdint>

constexpr std::int64_t FramePeriodNs = 1000000000 / 60 + 1; // 16 666 667 ns

// Half a frame late or more and the schedule starts afresh from now, rather than
// rushing frames to catch up after a stall (a dragged window, a busy machine). Less
// than that is made up by the following deadlines, so lateness never adds up to drift.
constexpr std::int64_t FrameLateLimitNs = FramePeriodNs / 2;

struct FramePacer {
    std::int64_t deadlineNs; // when the next frame may be presented; 0 before the first
};

// Called when a frame is drawn and about to be presented, at `nowNs` of a steady clock.
// Returns how long to sleep before presenting it (0 for not at all) and moves the
// deadline on by one period. Deadlines are absolute, so a sleep that overshoots a
// little is taken back from the next one instead of accumulating.
std::int64_t pacerNextWait(FramePacer& pacer, std::int64_t nowNs);
