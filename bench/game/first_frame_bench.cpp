// Time from starting the game to its first frame on the screen, in a real X server:
//   first_frame_bench [RUNS] -- PELMAR [ARGS...]
// Each run starts the game (in the current folder), watches for its window to be
// mapped, then reads the window's pixels every millisecond until the first frame's
// white text shows, and ends the game. Prints each run and the median, lowest and
// highest of both times (default 10 runs). Run it under scripts/with-xvfb.sh.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

const char* const GameTitle = "Pelmar - Quenmoor 1997 -";

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

bool isGameWindow(Display* display, Window w) {
    char* name = nullptr;
    const bool found =
        XFetchName(display, w, &name) != 0 && name != nullptr && std::strcmp(name, GameTitle) == 0;
    if (name != nullptr) {
        XFree(name);
    }
    return found;
}

// Whether the top rows of the window hold a white pixel: the title line of the first
// frame. Before that frame the window is empty.
bool textShown(Display* display, Window w) {
    XImage* image = XGetImage(display, w, 0, 0, 300, 40, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    bool white = false;
    for (int y = 0; y < 40 && !white; ++y) {
        for (int x = 0; x < 300 && !white; ++x) {
            white = (XGetPixel(image, x, y) & 0xFFFFFF) == 0xFFFFFF;
        }
    }
    XDestroyImage(image);
    return white;
}

struct Run {
    double mappedMs;
    double shownMs;
};

bool runOnce(Display* display, char** game, Run& run) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(game[0], game);
        std::perror(game[0]);
        _exit(127);
    }
    Window window = 0;
    bool ok = false;
    while (nowMs() - start < 10000) {
        while (window == 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && isGameWindow(display, event.xmap.window)) {
                window = event.xmap.window;
                run.mappedMs = nowMs() - start;
            }
        }
        if (window != 0 && textShown(display, window)) {
            run.shownMs = nowMs() - start;
            ok = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XSelectInput(display, root, NoEventMask);
    kill(pid, SIGTERM); // the toolkit turns it into a quit request
    int status = 0;
    waitpid(pid, &status, 0);
    return ok;
}

void summary(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("%s: median %.1f ms, lowest %.1f ms, highest %.1f ms\n", what,
                values[values.size() / 2], values.front(), values.back());
}

} // namespace

int main(int argc, char** argv) {
    int runs = 10;
    int first = 1;
    if (first < argc && std::strcmp(argv[first], "--") != 0) {
        runs = std::atoi(argv[first++]);
    }
    if (first < argc && std::strcmp(argv[first], "--") == 0) {
        ++first;
    }
    if (runs <= 0 || first >= argc) {
        std::fprintf(stderr, "usage: first_frame_bench [RUNS] -- PELMAR [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_frame_bench: no display (run it under with-xvfb.sh)\n");
        return 2;
    }
    std::vector<double> mapped;
    std::vector<double> shown;
    for (int i = 0; i < runs; ++i) {
        Run run{};
        if (!runOnce(display, argv + first, run)) {
            std::fprintf(stderr, "first_frame_bench: run %d showed no frame within 10 s\n", i + 1);
            return 1;
        }
        std::printf("run %d: window mapped after %.1f ms, first frame shown after %.1f ms\n", i + 1,
                    run.mappedMs, run.shownMs);
        mapped.push_back(run.mappedMs);
        shown.push_back(run.shownMs);
    }
    summary("window mapped", mapped);
    summary("first frame shown", shown);
    XCloseDisplay(display);
    return 0;
}
