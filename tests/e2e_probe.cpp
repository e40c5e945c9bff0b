// Checks a screenshot of the game's window for the end-to-end tests:
//   e2e_probe SHOT.ppm CHECK...
// where each CHECK, on the text lines or on the face-on view of play, is one of
//   title          the top line "Pelmar" and the bottom line "HIT DIR KEY TO START"
//   stage N        the top line's "STAGE 0N" on the left
//   steps N        the top line's "STEP 00N" on the right
//   msg TEXT       the bottom line holds TEXT, centred
//   die X Y        the die rests on cell (X, Y): white on both sides of its top face
//   cell X Y V     the cell shows the mark of V (1 to 6) in its colour; for 0, plain
//                  blue wherever any value would put a mark
//   hollow X Y     the cell is an outline: black in the middle, blue at its left edge
//   turning V...   the board of these 36 cell values (a stage file's order) under the
//                  title's turning camera at rest, at the whole degree of its turn that
//                  fits best: all but three cells, which the die may hide, as for cell
// The picture is an 8-bit binary PPM, as ImageMagick's import writes it. Exit status 0
// when every check holds, 1 when one does not (each said on stderr), 2 for a usage
// error or an unreadable picture.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "screen_probe.h"

namespace {

Pixels shot;
int failures = 0;

// The picture, or an empty one when the file is no 8-bit binary PPM.
Pixels readPpm(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    Pixels p;
    int maxValue = 0;
    file >> magic >> p.width >> p.height >> maxValue;
    file.get();
    if (!file || magic != "P6" || maxValue != 255 || p.width <= 0 || p.height <= 0 ||
        p.width > 8192 || p.height > 8192) {
        return {};
    }
    // The file runs from the top row down; Pixels from the bottom up.
    p.channels = 3;
    p.bytes.resize(static_cast<std::size_t>(p.width * p.height * 3));
    for (int y = p.height - 1; y >= 0; --y) {
        file.read(reinterpret_cast<char*>(&p.bytes[static_cast<std::size_t>(y * p.width * 3)]),
                  p.width * 3);
    }
    return file ? p : Pixels{};
}

void expect(const ::testing::AssertionResult& result) {
    if (!result) {
        std::fprintf(stderr, "e2e_probe: fails: %s\n", result.message());
        ++failures;
    }
}

// The point (x, y, z) of the board, seen face-on, shows the colour (or, with a radius,
// a pixel near it).
void at(double x, double y, double z, Rgb expected, int radius = 0) {
    expect(pixelIs(shot, project(x, y, z, shot.width, shot.height), expected, radius));
}

// The title's camera at rest: tilted 45 degrees back, 14 units off (the single-precision
// sum of its steps).
constexpr double TitleTilt = -45.0;
constexpr double TitleDistance = -14.014211;

// Whether cell (x, y) shows the mark of `value` in its colour (for 0, plain blue wherever
// any value would put a mark): face-on, or turned `spin` degrees under the title's camera.
::testing::AssertionResult cellShows(int x, int y, int value, std::optional<double> spin = {}) {
    if (value < 0 || value > 6) {
        throw std::out_of_range("no mark for " + std::to_string(value));
    }
    for (int v = value == 0 ? 1 : value; v <= (value == 0 ? 6 : value); ++v) {
        const auto [mx, my] = markOffsets[v].at(0);
        const double z = value == 0 ? 0.0 : 0.05;
        const ScreenPoint p = spin ? project(x + mx, y + my, z, shot.width, shot.height, *spin,
                                             TitleTilt, TitleDistance)
                                   : project(x + mx, y + my, z, shot.width, shot.height);
        auto shown = pixelIs(shot, p, markColour[value == 0 ? 0 : v]);
        if (!shown) {
            return shown << " (cell " << x << ", " << y << " showing " << value << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// A line of text `k` text steps across the top or the bottom line.
void text(const std::string& line, double k, bool top) {
    const ScreenPoint origin = top ? topLineOrigin(k, shot.width, shot.height)
                                   : bottomLineOrigin(k, shot.width, shot.height);
    expect(textAt(shot, line.c_str(), origin));
}

// Runs the check at args[i] and moves i past it.
void check(const std::vector<std::string>& args, std::size_t& i) {
    const std::string name = args.at(i++);
    auto number = [&] { return std::stoi(args.at(i++)); };
    if (name == "title") {
        text("Pelmar", -3.0, true);
        text("HIT DIR KEY TO START", -10.0, false);
    } else if (name == "stage" || name == "steps") {
        char line[32];
        std::snprintf(line, sizeof line, name == "stage" ? "STAGE %02d" : "STEP %03d", number());
        text(line, name == "stage" ? -10.0 : 2.0, true);
    } else if (name == "msg") {
        const std::string message = args.at(i++);
        text(message, -0.5 * static_cast<double>(message.size()), false);
    } else if (name == "die" || name == "hollow" || name == "cell") {
        const int x = number();
        const int y = number();
        const int value = name == "cell" ? number() : 0;
        if (name == "die") {
            at(x + 0.5, y + 0.15, 0.9, colour::White);
            at(x + 0.5, y + 0.85, 0.9, colour::White);
        } else if (name == "hollow") {
            at(x + 0.5, y + 0.5, 0.0, colour::Black);
            at(x + 0.05, y + 0.5, 0.0, colour::Blue, 1);
        } else {
            expect(cellShows(x, y, value));
        }
    } else if (name == "turning") {
        std::vector<int> values(36);
        std::generate(values.begin(), values.end(), number);
        int fewestWrong = 36;
        for (int spin = 0; spin < 360; ++spin) {
            int wrong = 0;
            for (int n = 0; n < 36; ++n) {
                wrong += cellShows(n / 6, n % 6, values[static_cast<std::size_t>(n)], spin) ? 0 : 1;
            }
            fewestWrong = std::min(fewestWrong, wrong);
        }
        if (fewestWrong > 3) {
            expect(::testing::AssertionFailure()
                   << "under the turning camera, " << fewestWrong << " cells differ at best");
        }
    } else {
        throw std::invalid_argument("unknown check \"" + name + "\"");
    }
}

} // namespace

int main(int argc, char** argv) {
    shot = argc > 2 ? readPpm(argv[1]) : Pixels{};
    if (shot.width == 0) {
        std::fprintf(stderr, "usage: e2e_probe SHOT.ppm CHECK... (an 8-bit binary PPM)\n");
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        for (std::size_t i = 0; i < args.size();) {
            check(args, i);
        }
    } catch (const std::logic_error& e) { // a word missing, no number, no such mark
        std::fprintf(stderr, "e2e_probe: unusable checks: %s\n", e.what());
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
