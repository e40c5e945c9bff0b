// The pacer's clock for platforms whose standard sleep is fine-grained (Linux, macOS):
// the standard steady clock and a plain sleep.
#include <chrono>
#include <thread>

#include "platform.h"

std::int64_t platformSteadyNowNs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

void platformSleepNs(std::int64_t ns) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(ns));
}
