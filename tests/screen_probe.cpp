// The projection, colour probes and text finding shared by the render tests and the
// end-to-end tests' screenshot probe.
#include "screen_probe.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// The game's frustum: +-3 at the near plane 10. Its depth range plays no part here.
constexpr double FrustumScale = 10.0 / 3.0;
constexpr double TextDepth = -11.414213;
constexpr double Pi = 3.14159265358979323846;
// A glyph: 13 rows of 8 pixels in a cell 10 wide, its bottom row two below the raster
// position.
constexpr int GlyphRows = 13;
constexpr int GlyphBaseline = 2;

bool isWhite(Rgb c) {
    return c.r >= 250 && c.g >= 250 && c.b >= 250;
}

// The font's reference picture (made by scripts/make-font-reference.py, checked by eye):
// a plain PBM of 160 x 90 pixels, the glyphs of characters 32 to 126 sixteen to a row,
// each 8 x 13 one pixel in from the top left of its 10 x 15 cell.
const std::string& referencePixels() {
    static const std::string pixels = [] {
        std::ifstream file(PELMAR_FONT_REFERENCE);
        std::string line;
        for (int header = 0; header < 2 && std::getline(file, line);) {
            header += line[0] == '#' ? 0 : 1;
        }
        std::string bits;
        for (char c : std::string(std::istreambuf_iterator<char>(file), {})) {
            if (c == '0' || c == '1') {
                bits += c;
            }
        }
        if (bits.size() != 160 * 90) {
            std::fprintf(stderr, "cannot read the font's reference %s\n", PELMAR_FONT_REFERENCE);
            std::abort();
        }
        return bits;
    }();
    return pixels;
}

// Whether the text draws a pixel at x, y from its first glyph's lower-left corner.
bool glyphPixelSet(const char* text, int x, int y) {
    const std::size_t cell = static_cast<std::size_t>(x / 10);
    if (y < 0 || y >= GlyphRows || x < 0 || x % 10 >= 8 || cell >= std::strlen(text)) {
        return false;
    }
    const int i = static_cast<unsigned char>(text[cell]) - 32;
    if (i < 0 || i >= 95) {
        return false;
    }
    const int row = i / 16 * 15 + 1 + GlyphRows - 1 - y;
    return referencePixels()[static_cast<std::size_t>(row * 160 + i % 16 * 10 + 1 + x % 10)] == '1';
}

int mismatchesAt(const Pixels& pixels, const char* text, int left, int bottom) {
    const int width = static_cast<int>(std::strlen(text)) * 10;
    int mismatches = 0;
    for (int y = -2; y < GlyphRows + 2; ++y) {
        for (int x = -2; x < width + 2; ++x) {
            mismatches += glyphPixelSet(text, x, y) != isWhite(pixels.at(left + x, bottom + y));
        }
    }
    return mismatches;
}

ScreenPoint projectEye(double x, double y, double z, int width, int height) {
    const double nx = FrustumScale * x / -z;
    const double ny = FrustumScale * y / -z;
    return {(nx + 1.0) * 0.5 * width, (ny + 1.0) * 0.5 * height};
}

bool sameColour(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

int pixelIndex(double v) {
    return static_cast<int>(std::floor(v));
}

bool colourNear(const Pixels& pixels, ScreenPoint at, Rgb expected, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (sameColour(pixels.at(pixelIndex(at.x) + dx, pixelIndex(at.y) + dy), expected)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

Rgb Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return {0, 0, 0};
    }
    const std::size_t i = static_cast<std::size_t>(y * width + x) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2]};
}

ScreenPoint project(const View& view, double x, double y, double z, int width, int height) {
    x -= 3.0;
    y -= 3.0;
    if (view.turning) {
        const double s = std::sin(view.spin * Pi / 180.0);
        const double c = std::cos(view.spin * Pi / 180.0);
        const double sx = c * x - s * y;
        const double sy = s * x + c * y;
        const double ts = std::sin(view.tilt * Pi / 180.0);
        const double tc = std::cos(view.tilt * Pi / 180.0);
        x = sx;
        y = tc * sy - ts * z;
        z = ts * sy + tc * z;
    }
    return projectEye(x, y, z + view.distance, width, height);
}

ScreenPoint topLineOrigin(double k, int width, int height) {
    return projectEye(k * 60.0 / width, 3.0, TextDepth, width, height);
}

ScreenPoint bottomLineOrigin(double k, int width, int height) {
    return projectEye(k * 60.0 / width, -3.0 - 90.0 / height, TextDepth, width, height);
}

int whiteCount(const Pixels& pixels, int left, int bottom, int right, int top) {
    int count = 0;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            count += isWhite(pixels.at(x, y));
        }
    }
    return count;
}

::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected, int radius) {
    if (colourNear(pixels, at, expected, radius)) {
        return ::testing::AssertionSuccess();
    }
    const int x = pixelIndex(at.x);
    const int y = pixelIndex(at.y);
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << describe(pixels.at(x, y)) << ", expected "
           << describe(expected);
}

::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin,
                                  int slack) {
    const int left = pixelIndex(origin.x);
    const int bottom = pixelIndex(origin.y) - GlyphBaseline;
    int best = -1;
    for (int dy = -slack; dy <= slack; ++dy) {
        for (int dx = -slack; dx <= slack; ++dx) {
            const int mismatches = mismatchesAt(pixels, text, left + dx, bottom + dy);
            best = best < 0 || mismatches < best ? mismatches : best;
        }
    }
    if (best == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << text << "\" not found at (" << left << ", " << pixelIndex(origin.y)
           << "); best placement differs in " << best << " pixels";
}
