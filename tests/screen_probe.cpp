// The projection, colour probes and text finding shared by the render tests and the
// end-to-end tests' screenshot probe.
#include "screen_probe.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>

namespace {

// The game's frustum: +-3 at the near plane 10. Its depth range plays no part here.
constexpr double FrustumScale = 10.0 / 3.0;
constexpr double PlayDepth = -11.414213;
constexpr double TextDepth = -11.414213;
constexpr double Pi = 3.14159265358979323846;
// The font's cells: 13 rows of 8 pixels a glyph, 10 pixels apart, the raster position
// two rows above a glyph's bottom.
constexpr int GlyphRows = 13;
constexpr int GlyphBaseline = 2;

bool isWhite(Rgb c) {
    return c.r >= 250 && c.g >= 250 && c.b >= 250;
}

// The glyphs of characters 32 to 126 as the reference picture shows them, row by row
// from the bottom, bit 7 the leftmost pixel (see scripts/make-font-reference.py).
std::vector<std::uint8_t> loadReferenceGlyphs() {
    std::ifstream file(PELMAR_FONT_REFERENCE);
    std::string word;
    std::vector<int> numbers; // width, height, then the pixels
    while (file >> word) {
        if (word[0] == '#') {
            std::getline(file, word);
        } else if (word != "P1" && numbers.size() < 2) {
            numbers.push_back(std::stoi(word));
        } else if (word != "P1") {
            for (char c : word) {
                numbers.push_back(c - '0');
            }
        }
    }
    if (numbers.size() < 2 + 160 * 90 || numbers[0] != 160) {
        std::fprintf(stderr, "cannot read the font's reference %s\n", PELMAR_FONT_REFERENCE);
        std::abort();
    }
    std::vector<std::uint8_t> glyphs(95 * GlyphRows);
    for (int i = 0; i < 95; ++i) {
        for (int r = 0; r < GlyphRows; ++r) {
            const int top = i / 16 * 15 + 1 + GlyphRows - 1 - r;
            for (int x = 0; x < 8; ++x) {
                const bool set =
                    numbers[2 + static_cast<std::size_t>(top * 160 + i % 16 * 10 + 1 + x)];
                glyphs[static_cast<std::size_t>(i * GlyphRows + r)] |= set ? 0x80 >> x : 0;
            }
        }
    }
    return glyphs;
}

bool glyphPixelSet(const char* text, int x, int y) {
    static const std::vector<std::uint8_t> glyphs = loadReferenceGlyphs();
    // x, y relative to the first glyph's lower-left corner.
    if (y < 0 || y >= GlyphRows || x < 0) {
        return false;
    }
    const std::size_t cell = static_cast<std::size_t>(x / 10);
    const int column = x % 10;
    if (cell >= std::strlen(text) || column >= 8) {
        return false;
    }
    const int code = static_cast<unsigned char>(text[cell]);
    if (code < 32 || code > 126) {
        return false;
    }
    return (glyphs[static_cast<std::size_t>((code - 32) * GlyphRows + y)] & (0x80 >> column)) != 0;
}

int mismatchesAt(const Pixels& pixels, const char* text, int left, int bottom) {
    const int width = static_cast<int>(std::strlen(text)) * 10;
    int mismatches = 0;
    for (int y = -2; y < GlyphRows + 2; ++y) {
        for (int x = -2; x < width + 2; ++x) {
            const bool expected = glyphPixelSet(text, x, y);
            if (expected != isWhite(pixels.at(left + x, bottom + y))) {
                ++mismatches;
            }
        }
    }
    return mismatches;
}

} // namespace

Pixels::Pixels(int width, int height, std::vector<std::uint8_t> rgba)
    : width_(width), height_(height), rgba_(std::move(rgba)) {}

Rgb Pixels::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {0, 0, 0};
    }
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(x)) *
                          4;
    return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
}

View playView() {
    return {false, 0.0, 0.0, PlayDepth};
}

View turningView(double spin, double tilt, double distance) {
    return {true, spin, tilt, distance};
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

ScreenPoint projectEye(double x, double y, double z, int width, int height) {
    const double nx = FrustumScale * x / -z;
    const double ny = FrustumScale * y / -z;
    return {(nx + 1.0) * 0.5 * width, (ny + 1.0) * 0.5 * height};
}

ScreenPoint textOrigin(double k, double y, int width, int height) {
    return projectEye(k * 60.0 / width, y, TextDepth, width, height);
}

ScreenPoint topLineOrigin(double k, int width, int height) {
    return textOrigin(k, 3.0, width, height);
}

ScreenPoint bottomLineOrigin(double k, int width, int height) {
    return textOrigin(k, -3.0 - 90.0 / height, width, height);
}

bool sameColour(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string describe(Rgb c) {
    char text[48];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
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

int textMismatches(const Pixels& pixels, const char* text, ScreenPoint origin, int slack) {
    // A glyph's lower-left corner lies two rows below the raster position.
    const int left = pixelIndex(origin.x);
    const int bottom = pixelIndex(origin.y) - GlyphBaseline;
    int best = -1;
    for (int dy = -slack; dy <= slack; ++dy) {
        for (int dx = -slack; dx <= slack; ++dx) {
            const int mismatches = mismatchesAt(pixels, text, left + dx, bottom + dy);
            if (best < 0 || mismatches < best) {
                best = mismatches;
            }
        }
    }
    return best;
}

int whiteCount(const Pixels& pixels, int left, int bottom, int right, int top) {
    int count = 0;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            if (isWhite(pixels.at(x, y))) {
                ++count;
            }
        }
    }
    return count;
}
