// Checks a screenshot of the game's window against what should be there, for the
// end-to-end tests:
//   e2e_probe SHOT.ppm CHECK...
// CHECK is one of (X Y Z are board units, as the game places the board and the die;
// COLOUR is black, white, red, green, blue, yellow, cyan or magenta):
//   at X Y Z COLOUR          the point (X, Y, Z) of the face-on view of play shows COLOUR
//   near X Y Z COLOUR        some pixel within one of that point does
//   text top|bottom K TEXT   that line holds TEXT in white, its raster position K text
//                            steps from the middle
//   not CHECK                the check fails
// The picture is a binary PPM (P6, 8 bits), as ImageMagick's import writes it. Exit
// status 0 when every check holds, 1 when one does not (each said on stderr), 2 for a
// usage error or an unreadable picture.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "screen_probe.h"

namespace {

bool readPpm(const char* path, Pixels& pixels) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    int width = 0;
    int height = 0;
    int maxValue = 0;
    const bool header = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 &&
                        std::fgetc(file) != EOF && width > 0 && height > 0 && width <= 8192 &&
                        height <= 8192 && maxValue == 255;
    std::vector<std::uint8_t> rgb;
    if (header) {
        rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    }
    const bool complete = header && std::fread(rgb.data(), 1, rgb.size(), file) == rgb.size();
    std::fclose(file);
    if (!complete) {
        return false;
    }
    // The file runs from the top row down; Pixels from the bottom up.
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) *
                                   static_cast<std::size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t from = (static_cast<std::size_t>(height - 1 - y) * width + x) * 3;
            const std::size_t to = (static_cast<std::size_t>(y) * width + x) * 4;
            rgba[to] = rgb[from];
            rgba[to + 1] = rgb[from + 1];
            rgba[to + 2] = rgb[from + 2];
            rgba[to + 3] = 255;
        }
    }
    pixels = Pixels(width, height, std::move(rgba));
    return true;
}

bool colourNamed(const std::string& name, Rgb& c) {
    static const struct {
        const char* name;
        Rgb colour;
    } names[] = {
        {"black", colour::Black}, {"white", colour::White},     {"red", colour::Red},
        {"green", colour::Green}, {"blue", colour::Blue},       {"yellow", colour::Yellow},
        {"cyan", colour::Cyan},   {"magenta", colour::Magenta},
    };
    for (const auto& n : names) {
        if (name == n.name) {
            c = n.colour;
            return true;
        }
    }
    return false;
}

bool number(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

struct Outcome {
    bool usable; // false: a usage error
    bool holds;
    std::string what; // the check and, when it failed, what was found
};

// Runs the check at args[i], moving i past it.
Outcome check(const Pixels& pixels, char** args, int count, int& i) {
    const std::string name = i < count ? args[i] : "";
    auto arg = [&](int k) -> const char* { return i + k < count ? args[i + k] : nullptr; };
    if (name == "not") {
        ++i;
        Outcome inner = check(pixels, args, count, i);
        inner.holds = !inner.holds;
        inner.what = "not " + inner.what;
        return inner;
    }
    if (name == "at" || name == "near") {
        double x = 0;
        double y = 0;
        double z = 0;
        Rgb expected{};
        if (!arg(4) || !number(arg(1), x) || !number(arg(2), y) || !number(arg(3), z) ||
            !colourNamed(arg(4), expected)) {
            return {false, false, name + ": needs X Y Z COLOUR"};
        }
        std::string what = name + " " + arg(1) + " " + arg(2) + " " + arg(3) + " " + arg(4);
        i += 5;
        const ScreenPoint p = project(playView(), x, y, z, pixels.width(), pixels.height());
        const bool holds = colourNear(pixels, p, expected, name == "near" ? 1 : 0);
        const Rgb got = pixels.at(pixelIndex(p.x), pixelIndex(p.y));
        what += " (pixel " + std::to_string(pixelIndex(p.x)) + ", " +
                std::to_string(pixels.height() - 1 - pixelIndex(p.y)) + " from the top is " +
                describe(got) + ")";
        return {true, holds, what};
    }
    if (name == "text") {
        double k = 0;
        const std::string line = arg(1) ? arg(1) : "";
        if (!arg(3) || (line != "top" && line != "bottom") || !number(arg(2), k)) {
            return {false, false, "text: needs top|bottom K TEXT"};
        }
        const std::string text = arg(3);
        i += 4;
        const ScreenPoint origin = line == "top"
                                       ? topLineOrigin(k, pixels.width(), pixels.height())
                                       : bottomLineOrigin(k, pixels.width(), pixels.height());
        const int mismatches = textMismatches(pixels, text.c_str(), origin);
        return {true, mismatches == 0,
                "text " + line + " \"" + text + "\" (" + std::to_string(mismatches) +
                    " pixels differ)"};
    }
    return {false, false, "unknown check \"" + name + "\""};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: e2e_probe SHOT.ppm CHECK...\n");
        return 2;
    }
    Pixels pixels;
    if (!readPpm(argv[1], pixels)) {
        std::fprintf(stderr, "e2e_probe: %s is no 8-bit binary PPM picture\n", argv[1]);
        return 2;
    }
    int failed = 0;
    for (int i = 2; i < argc;) {
        const Outcome outcome = check(pixels, argv, argc, i);
        if (!outcome.usable) {
            std::fprintf(stderr, "e2e_probe: %s\n", outcome.what.c_str());
            return 2;
        }
        if (!outcome.holds) {
            std::fprintf(stderr, "e2e_probe: fails: %s\n", outcome.what.c_str());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
