// CPU time of one game frame beside an empty one, in an offscreen window:
//   frame_bench [FRAMES]
// An empty frame clears and swaps; a game frame runs the rules (advanceGame), draws
// the whole frame (drawFrame) and swaps, on the title screen (turning view, the demo
// die rolling) and in play (fixed view, die at rest). Each is timed over FRAMES frames
// (default 3000) after 100 of warming up, with the window layer's bare swap: the
// 60-a-second pacing only sleeps, which costs no CPU. CPU time is the whole process's,
// the renderer's threads included. The board and the demo's moves are the shipped
// stage 0's. Uses SDL2's offscreen driver unless SDL_VIDEODRIVER says otherwise.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "flow.h"
#include "frame.h"
#include "opengl.h"
#include "scene.h"
#include "stage.h"
#include "startup.h"
#include "window.h"

namespace {

double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Cost {
    double cpuUs;  // per frame
    double wallUs; // per frame
};

template <typename Frame> Cost measure(Frame frame, int frames) {
    for (int i = 0; i < 100; ++i) {
        frame();
    }
    glFinish();
    const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double wall0 = seconds(CLOCK_MONOTONIC);
    for (int i = 0; i < frames; ++i) {
        frame();
    }
    glFinish();
    const double cpu = seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    const double wall = seconds(CLOCK_MONOTONIC) - wall0;
    return {cpu * 1e6 / frames, wall * 1e6 / frames};
}

void emptyFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFlush();
    wndSwapBuffers();
}

void gameFrame() {
    advanceGame();
    drawFrame();
    wndSwapBuffers();
}

void report(const char* what, Cost c, Cost empty) {
    std::printf("| %s | %.1f | %.1f | %.2f |\n", what, c.cpuUs, c.wallUs, c.cpuUs / empty.cpuUs);
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 3000;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: frame_bench [FRAMES]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);

    if (!loadStageFile(PELMAR_STAGE_DIR "/stage0.stg")) {
        std::fprintf(stderr, "frame_bench: cannot read %s\n", PELMAR_STAGE_DIR "/stage0.stg");
        return 1;
    }
    if (!openGameWindow()) {
        return 1;
    }
    reshape(300, 300);

    const Cost empty = measure(emptyFrame, frames);
    const Cost title = measure(gameFrame, frames);
    phase = PhasePlay;
    stageNumber = 1;
    const Cost play = measure(gameFrame, frames);

    std::printf("%d frames each, 300 x 300, renderer: %s\n\n", frames,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf(
        "| frame | CPU per frame (us) | wall per frame (us) | CPU against the empty frame |\n");
    std::printf("|---|---|---|---|\n");
    report("empty: clear and swap", empty, empty);
    report("game, title: turning view, die rolling", title, empty);
    report("game, play: fixed view, die at rest", play, empty);
    return 0;
}
