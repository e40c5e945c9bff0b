// Frame pacing by absolute deadlines one period apart.
#include "frame_pacer.h"

std::int64_t pacerNextWait(FramePacer& pacer, std::int64_t nowNs) {
    if (pacer.deadlineNs == 0 || nowNs - pacer.deadlineNs >= FrameLateLimitNs) {
        pacer.deadlineNs = nowNs + FramePeriodNs;
        return 0;
    }
    const std::int64_t wait = pacer.deadlineNs > nowNs ? pacer.deadlineNs - nowNs : 0;
    pacer.deadlineNs += FramePeriodNs;
    return wait;
}
