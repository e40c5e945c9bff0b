// CPU time of one game frame beside an empty one, in an offscreen window:
//   frame_bench [FRAMES [ROUNDS]]
// An empty frame clears and swaps; a game frame runs the rules (advanceGame), draws
// the whole frame (drawFrame) and swaps, on the title screen (turning view, the demo
// die rolling) and in play (fixed view, die at rest). Three more kinds draw the play
// frame in layers, to show where its time goes: the board's 36 blue squares alone
// (which every game frame draws, so a floor for any of them), the whole board, and
// the board with the die; the whole play frame adds the text. Each kind is timed over
// FRAMES frames (default 3000) after 100 of warming up, in ROUNDS rounds (default 5)
// that take the kinds in turn, so that a change in the machine's load falls on all of
// them alike; the figures are each kind's median over the rounds, and the ratio is the
// median of the rounds' ratios. The window layer's bare swap: the 60-a-second pacing
// only sleeps, which costs no CPU. CPU time is the whole process's, the renderer's
// threads included. The board and the demo's moves are the shipped stage 0's. Uses
// SDL2's offscreen driver unless SDL_VIDEODRIVER says otherwise.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "board_draw.h"
#include "die.h"
#include "die_draw.h"
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

// The play frame up to the board, or up to the die, without the text.
template <bool WithDie> void layerFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setFrameView(PhasePlay);
    drawBoard();
    if (WithDie) {
        glPushMatrix();
        glTranslatef(die.posX, die.posY, die.posZ);
        drawDie(&die);
        glPopMatrix();
    }
    glPopMatrix();
    glFlush();
    wndSwapBuffers();
}

enum Kind { KindEmpty, KindSquares, KindBoard, KindBoardAndDie, KindPlay, KindTitle, KindCount };

const char* const kindNames[KindCount] = {
    "empty: clear and swap",
    "play, the board's 36 squares alone",
    "play, the whole board",
    "play, the board and the die",
    "game, play: fixed view, die at rest",
    "game, title: turning view, die rolling",
};

Cost measureKind(Kind kind, int frames) {
    switch (kind) {
    case KindEmpty:
        return measure(emptyFrame, frames);
    case KindTitle:
        phase = PhaseTitle;
        stageNumber = 0;
        return measure(gameFrame, frames);
    case KindPlay:
        phase = PhasePlay;
        stageNumber = 1;
        return measure(gameFrame, frames);
    case KindSquares: {
        std::int32_t cells[BoardSize][BoardSize];
        std::memcpy(cells, Board, sizeof cells);
        std::memset(Board, 0, sizeof Board); // no marks
        const Cost c = measure(layerFrame<false>, frames);
        std::memcpy(Board, cells, sizeof cells);
        return c;
    }
    case KindBoard:
        return measure(layerFrame<false>, frames);
    default:
        // At rest on its cell, as in play.
        die.posX = static_cast<float>(die.x + 0.5);
        die.posY = static_cast<float>(die.y + 0.5);
        die.posZ = 0.5f;
        return measure(layerFrame<true>, frames);
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (frames <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: frame_bench [FRAMES [ROUNDS]]\n");
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

    double load[3] = {};
    const bool haveLoad = getloadavg(load, 3) == 3;
    std::vector<double> cpu[KindCount];
    std::vector<double> wall[KindCount];
    std::vector<double> ratio[KindCount];
    for (int r = 0; r < rounds; ++r) {
        Cost costs[KindCount];
        for (int k = 0; k < KindCount; ++k) {
            costs[k] = measureKind(static_cast<Kind>(k), frames);
            cpu[k].push_back(costs[k].cpuUs);
            wall[k].push_back(costs[k].wallUs);
            ratio[k].push_back(costs[k].cpuUs / costs[KindEmpty].cpuUs);
        }
    }

    std::printf("%d frames each, %d rounds, 300 x 300, renderer: %s\n", frames, rounds,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    if (haveLoad) {
        std::printf("load average at the start: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    }
    std::printf("\n| frame | CPU per frame (us) | wall per frame (us) | CPU against the empty "
                "frame |\n");
    std::printf("|---|---|---|---|\n");
    for (int k = 0; k < KindCount; ++k) {
        std::printf("| %s | %.1f | %.1f | %.2f |\n", kindNames[k], median(cpu[k]), median(wall[k]),
                    median(ratio[k]));
    }
    return 0;
}
