// Measures the frame pacing of appSwapFrame.
//   pacing_bench [SECONDS]   a real toolkit window drawing empty frames for SECONDS
//                            (default 5): mean frame interval, jitter, lowest and highest,
//                            after ten frames of warming up
//   pacing_bench --unpaced [SECONDS]  the same with the window layer's bare swap, for
//                            comparison
//   pacing_bench --simulate  the pacer against simulated displays (60, 59.94, 60.05,
//                            144 and 240 Hz with vsync, and none), on a virtual clock
#if defined(__APPLE__)
#include <OpenGL/gl.h>
#else
#include <GL/gl.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app.h"
#include "frame_pacer.h"
#include "window.h"

namespace {

struct Figures {
    double meanMs;
    double jitterMs; // standard deviation of the intervals
    double lowMs;
    double highMs;
};

Figures figuresOf(const std::vector<double>& timesMs) {
    std::vector<double> intervals;
    for (std::size_t i = 1; i < timesMs.size(); ++i) {
        intervals.push_back(timesMs[i] - timesMs[i - 1]);
    }
    Figures f{0, 0, 0, 0};
    if (intervals.empty()) {
        return f;
    }
    double sum = 0;
    for (double v : intervals) {
        sum += v;
    }
    f.meanMs = sum / static_cast<double>(intervals.size());
    double squares = 0;
    for (double v : intervals) {
        squares += (v - f.meanMs) * (v - f.meanMs);
    }
    f.jitterMs = std::sqrt(squares / static_cast<double>(intervals.size()));
    f.lowMs = *std::min_element(intervals.begin(), intervals.end());
    f.highMs = *std::max_element(intervals.begin(), intervals.end());
    return f;
}

// --- a real window -----------------------------------------------------------------

std::vector<double> frameTimesMs;
std::size_t framesWanted;

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

constexpr int WarmUpFrames = 10;
bool unpaced;
int warmUp = WarmUpFrames;

void emptyFrame() {
    glClear(GL_COLOR_BUFFER_BIT);
    if (unpaced) {
        wndSwapBuffers();
    } else {
        appSwapFrame();
    }
    if (warmUp > 0) {
        --warmUp;
        return;
    }
    frameTimesMs.push_back(nowMs());
    if (frameTimesMs.size() < framesWanted) {
        return;
    }
    const Figures f = figuresOf(frameTimesMs);
    std::printf("%s: frames %zu, mean interval %.3f ms (%.2f frames/s), jitter %.3f ms, "
                "lowest %.3f ms, highest %.3f ms\n",
                unpaced ? "unpaced" : "paced", frameTimesMs.size(), f.meanMs, 1000.0 / f.meanMs,
                f.jitterMs, f.lowMs, f.highMs);
    if (!unpaced) {
        // How far the last frame is from where a perfect 60 Hz clock would put it.
        std::printf("drift over the run: %.3f ms\n",
                    (frameTimesMs.back() - frameTimesMs.front()) -
                        static_cast<double>(frameTimesMs.size() - 1) * FramePeriodNs / 1e6);
    }
    std::fflush(stdout);
    appExit();
}

void noPaint() {}

int runWindow(double seconds) {
    // The unpaced loop may run far faster than 60 frames a second; it stops after the
    // same number of frames, so it takes less time.
    framesWanted = static_cast<std::size_t>(seconds * 60.0) + 1;
    frameTimesMs.reserve(framesWanted);
    appSetDisplayMode(MODE_DOUBLE_BUFFER | MODE_DEPTH_16);
    appSetWindowRect(0, 0, 300, 300);
    if (!appOpenWindow("Frame pacing")) {
        return 1;
    }
    appSetIdleHandler(emptyFrame);
    appRun(noPaint);
    return 0;
}

// --- simulated displays --------------------------------------------------------------

struct Display {
    const char* name;
    double refreshHz; // 0: no vsync, the swap returns at once
};

// A frame's drawing takes 2 to 4 ms; a sleep overshoots by 50 to 150 microseconds; a
// swap with vsync returns up to 100 microseconds after the refresh it waited for. Each
// display is run from ten different phases of its refresh against the game's start.
void simulate(const Display& d, std::size_t frames) {
    const double vblankNs = d.refreshHz > 0 ? 1e9 / d.refreshHz : 0;
    const bool near60 = d.refreshHz > 55 && d.refreshHz < 65;
    unsigned seed = 12345;
    auto noise = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 8) % range);
    };
    std::vector<double> allIntervalsMs;
    int held = 0; // frames that stayed up two refreshes or more on a ~60 Hz display
    for (int phase = 0; phase < 10; ++phase) {
        FramePacer pacer{};
        double t = 1e9 + phase * 1.7e6;
        double previousVblank = 0;
        std::vector<double> presentedMs;
        for (std::size_t i = 0; i < frames; ++i) {
            t += 2e6 + noise(2000000u);
            const std::int64_t wait = pacerNextWait(pacer, static_cast<std::int64_t>(t));
            if (wait > 0) {
                t += static_cast<double>(wait) + 50e3 + noise(100000u);
            }
            double presented = t + 50e3; // the swap itself, with no display to wait for
            if (vblankNs > 0) {
                presented = std::ceil(t / vblankNs) * vblankNs;
                if (near60 && previousVblank > 0 && presented - previousVblank > 1.5 * vblankNs) {
                    ++held;
                }
                previousVblank = presented;
                t = presented + noise(100000u);
            } else {
                t = presented;
            }
            presentedMs.push_back(presented / 1e6);
        }
        for (std::size_t i = 1; i < presentedMs.size(); ++i) {
            allIntervalsMs.push_back(presentedMs[i] - presentedMs[i - 1]);
        }
    }
    std::vector<double> times = {0.0};
    for (double v : allIntervalsMs) {
        times.push_back(times.back() + v);
    }
    const Figures f = figuresOf(times);
    std::printf("| %s | %.3f | %.2f | %.3f | %.3f / %.3f | %s |\n", d.name, f.meanMs,
                1000.0 / f.meanMs, f.jitterMs, f.lowMs, f.highMs,
                near60 ? std::to_string(held).c_str() : "-");
}

int runSimulation() {
    const Display displays[] = {{"60 Hz, vsync", 60.0},     {"59.94 Hz, vsync", 59.94},
                                {"60.05 Hz, vsync", 60.05}, {"144 Hz, vsync", 144.0},
                                {"240 Hz, vsync", 240.0},   {"no vsync", 0.0}};
    const std::size_t frames = 60 * 60; // one simulated minute from each phase
    std::printf("| display | mean interval (ms) | frames/s | jitter (ms) | lowest / highest "
                "(ms) | frames held two refreshes |\n|---|---|---|---|---|---|\n");
    for (const Display& d : displays) {
        simulate(d, frames);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--simulate") == 0) {
        return runSimulation();
    }
    int arg = 1;
    if (argc > arg && std::strcmp(argv[arg], "--unpaced") == 0) {
        unpaced = true;
        ++arg;
    }
    const double seconds = argc > arg ? std::atof(argv[arg]) : 5.0;
    return runWindow(seconds > 0 ? seconds : 5.0);
}
