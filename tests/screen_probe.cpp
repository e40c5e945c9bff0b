// The projection, colour probes and text finding shared by the render tests and the
// end-to-end tests' screenshot probe, and the offscreen context the render tests and the
// icon are drawn in.
#include "screen_probe.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "opengl.h"

namespace {

// The game's frustum: +-3 at the near plane 10. Its depth range plays no part here.
constexpr double FrustumScale = 10.0 / 3.0;
constexpr double TextDepth = -11.414213;
// A glyph: 13 rows of 8 pixels in a cell 10 wide, its bottom row two below the raster
// position.
constexpr int GlyphRows = 13;
constexpr int GlyphBaseline = 2;

// The font's reference picture (made by scripts/make-font-reference.py, checked by eye):
// a plain PBM of 160 x 90 pixels, the glyphs of characters 32 to 126 sixteen to a row,
// each 8 x 13 one pixel in from the top left of its 10 x 15 cell. Its rows of pixels are
// the lines made of nothing but 0 and 1.
const std::string& referencePixels() {
    static const std::string bits = [] {
        std::ifstream file(PELMAR_FONT_REFERENCE);
        std::string line;
        std::string bits;
        while (std::getline(file, line)) {
            bits += line.find_first_not_of("01") == std::string::npos ? line : "";
        }
        if (bits.size() != 160 * 90) {
            std::fprintf(stderr, "cannot read the font's reference %s\n", PELMAR_FONT_REFERENCE);
            std::abort();
        }
        return bits;
    }();
    return bits;
}

// How many pixels differ from the text drawn in white (250 and more in every channel) as
// the reference shows it, with its first glyph's lower-left corner at (left, bottom), in
// a two-pixel margin around it too.
int mismatchesAt(const Pixels& pixels, const char* text, int left, int bottom) {
    const int width = static_cast<int>(std::strlen(text)) * 10;
    int mismatches = 0;
    for (int y = -2; y < GlyphRows + 2; ++y) {
        for (int x = -2; x < width + 2; ++x) {
            const int i = x < 0 || x >= width ? -1 : static_cast<unsigned char>(text[x / 10]) - 32;
            const bool set =
                i >= 0 && i < 95 && x % 10 < 8 && y >= 0 && y < GlyphRows &&
                referencePixels()[static_cast<std::size_t>((i / 16 * 15 + GlyphRows - y) * 160 +
                                                           i % 16 * 10 + 1 + x % 10)] == '1';
            const Rgb c = pixels.at(left + x, bottom + y);
            mismatches += set != (c.r >= 250 && c.g >= 250 && c.b >= 250);
        }
    }
    return mismatches;
}

ScreenPoint projectEye(double x, double y, double z, int width, int height) {
    return {static_cast<int>(std::floor((FrustumScale * x / -z + 1.0) * 0.5 * width)),
            static_cast<int>(std::floor((FrustumScale * y / -z + 1.0) * 0.5 * height))};
}

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

} // namespace

const std::vector<std::pair<double, double>> markOffsets[7] = {
    {},
    {{0.5, 0.5}},
    {{0.34, 0.34}, {0.66, 0.66}},
    {{0.3, 0.3}, {0.5, 0.5}, {0.7, 0.7}},
    {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}},
    {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}, {0.5, 0.5}},
    {{0.3, 0.25}, {0.3, 0.5}, {0.3, 0.75}, {0.7, 0.25}, {0.7, 0.5}, {0.7, 0.75}},
};
const double markRadius[7] = {0.0, 0.2, 0.15, 0.1, 0.1, 0.1, 0.1};
const Rgb markColour[7] = {colour::Blue, colour::Red,     colour::Green, colour::Yellow,
                           colour::Cyan, colour::Magenta, colour::White};

Rgb Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return {0, 0, 0};
    }
    const std::size_t i = static_cast<std::size_t>((y * width + x) * channels);
    return {bytes[i], bytes[i + 1], bytes[i + 2]};
}

ScreenPoint project(double x, double y, double z, int width, int height, double spin, double tilt,
                    double distance) {
    // Turned about the board's centre by the spin, then tilted about the screen's x axis.
    const double s = std::sin(spin * M_PI / 180.0);
    const double c = std::cos(spin * M_PI / 180.0);
    const double ts = std::sin(tilt * M_PI / 180.0);
    const double tc = std::cos(tilt * M_PI / 180.0);
    const double sy = s * (x - 3.0) + c * (y - 3.0);
    return projectEye(c * (x - 3.0) - s * (y - 3.0), tc * sy - ts * z, ts * sy + tc * z + distance,
                      width, height);
}

ScreenPoint topLineOrigin(double k, int width, int height) {
    return projectEye(k * 60.0 / width, 3.0, TextDepth, width, height);
}

ScreenPoint bottomLineOrigin(double k, int width, int height) {
    return projectEye(k * 60.0 / width, -3.0 - 90.0 / height, TextDepth, width, height);
}

::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const Rgb got = pixels.at(at.x + dx, at.y + dy);
            if (std::abs(got.r - expected.r) <= 2 && std::abs(got.g - expected.g) <= 2 &&
                std::abs(got.b - expected.b) <= 2) {
                return ::testing::AssertionSuccess();
            }
        }
    }
    return ::testing::AssertionFailure()
           << "pixel (" << at.x << ", " << at.y << ") is " << describe(pixels.at(at.x, at.y))
           << ", expected " << describe(expected);
}

::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin,
                                  int slack) {
    int best = 1 << 30;
    for (int dy = -slack; dy <= slack; ++dy) {
        for (int dx = -slack; dx <= slack; ++dx) {
            best = std::min(
                best, mismatchesAt(pixels, text, origin.x + dx, origin.y - GlyphBaseline + dy));
        }
    }
    if (best == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << text << "\" not found at (" << origin.x << ", " << origin.y
           << "); best placement differs in " << best << " pixels";
}

bool openOffscreenGl(int width, int height) {
    // SDL and its GL library stay loaded between contexts (the library's first load is
    // never undone): unloading Mesa's driver after each test would only load it anew.
    static SDL_Window* window = nullptr;
    static SDL_GLContext context = nullptr;
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    static const bool loaded =
        SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    for (SDL_GLattr attribute :
         {SDL_GL_RED_SIZE, SDL_GL_GREEN_SIZE, SDL_GL_BLUE_SIZE, SDL_GL_ALPHA_SIZE}) {
        SDL_GL_SetAttribute(attribute, 8);
    }
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window = loaded ? SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL) : nullptr;
    context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "no offscreen GL context: %s\n", SDL_GetError());
    }
    return context != nullptr;
}

Pixels readFramePixels(int width, int height) {
    Pixels pixels{width, height, 4,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width * height) * 4)};
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.bytes.data());
    return pixels;
}
