// Win32 platform, the frame pacer's clock: the performance counter, and sleeps sharp
// enough for 60 frames a second. A plain Sleep rounds up to the system's timer tick,
// about 15.6 ms by default, which would miss every other deadline; a high-resolution
// waitable timer does not, and where there is none the tick is raised to 1 ms for the
// rest of the game's life.
#include <cstdint>

#include "platform.h"
#include "win32_platform.h"

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

constexpr std::int64_t NsPerSecond = 1000000000;

std::int64_t counterFrequency() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? f.QuadPart : 1;
    }();
    return frequency;
}

// Made at the first sleep and kept; null when no timer could be had at all.
HANDLE sleepTimer() {
    static const HANDLE timer = [] {
        HANDLE t = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
        if (t == nullptr) {
            timeBeginPeriod(1);
            t = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        }
        return t;
    }();
    return timer;
}

} // namespace

std::int64_t platformSteadyNowNs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::int64_t f = counterFrequency();
    // In two parts: the count times 10^9 would overflow after a few minutes of uptime.
    return now.QuadPart / f * NsPerSecond + now.QuadPart % f * NsPerSecond / f;
}

void platformSleepNs(std::int64_t ns) {
    if (ns <= 0) {
        return;
    }
    // Relative due times are negative, in units of 100 ns.
    LARGE_INTEGER due;
    due.QuadPart = -(ns / 100 > 0 ? ns / 100 : 1);
    HANDLE timer = sleepTimer();
    if (timer != nullptr && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) &&
        WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0) {
        return;
    }
    Sleep(static_cast<DWORD>((ns + 999999) / 1000000));
}
