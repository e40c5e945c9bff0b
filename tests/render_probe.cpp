// The render tests' projection, probes and fixture.
#include "render_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "die.h"
#include "flow.h"
#include "font.h"
#include "scene.h"
#include "stage.h"

namespace {

// The game's frustum: +-3 at the near plane 10. Its depth range plays no part here.
constexpr double FrustumScale = 10.0 / 3.0;
constexpr double PlayDepth = -11.414213;
constexpr double Degree = 3.14159265358979323846 / 180.0;

bool isWhite(Rgb c) {
    return c.r >= 250 && c.g >= 250 && c.b >= 250;
}

// The pixel of a screen point: the one whose square holds it.
int pixelIndex(double v) {
    return static_cast<int>(std::floor(v));
}

} // namespace

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
        const double s = std::sin(view.spin * Degree), c = std::cos(view.spin * Degree);
        const double ts = std::sin(view.tilt * Degree), tc = std::cos(view.tilt * Degree);
        const double spunY = s * x + c * y;
        x = c * x - s * y;
        y = tc * spunY - ts * z;
        z = ts * spunY + tc * z;
    }
    return projectEye(x, y, z + view.distance, width, height);
}

ScreenPoint projectEye(double x, double y, double z, int width, int height) {
    return {(FrustumScale * x / -z + 1.0) * 0.5 * width,
            (FrustumScale * y / -z + 1.0) * 0.5 * height};
}

bool sameColour(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
           ")";
}

::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected) {
    const Rgb got = pixels.at(pixelIndex(at.x), pixelIndex(at.y));
    if (sameColour(got, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << pixelIndex(at.x) << ", " << pixelIndex(at.y) << ") is " << describe(got)
           << ", expected " << describe(expected);
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

::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin) {
    // A glyph's lower-left corner lies two rows below the raster position. Each placement
    // within a pixel either way is compared in 10-pixel cells with a two-pixel margin.
    const int left = pixelIndex(origin.x);
    const int bottom = pixelIndex(origin.y) - GlyphBaseline;
    const int length = static_cast<int>(std::strlen(text));
    int best = length * 10 * GlyphRows;
    for (int shift = 0; shift < 9; ++shift) {
        int mismatches = 0;
        for (int y = -2; y < GlyphRows + 2; ++y) {
            for (int x = -2; x < length * 10 + 2; ++x) {
                const bool inGlyph =
                    x >= 0 && x < length * 10 && x % 10 < 8 && y >= 0 && y < GlyphRows;
                const int code = inGlyph ? static_cast<unsigned char>(text[x / 10]) : 0;
                const bool set = code >= FirstGlyph && code <= LastGlyph &&
                                 (fontGlyphs[code - FirstGlyph][y] & (0x80 >> x % 10)) != 0;
                const Rgb at = pixels.at(left + shift % 3 - 1 + x, bottom + shift / 3 - 1 + y);
                mismatches += set != isWhite(at) ? 1 : 0;
            }
        }
        best = std::min(best, mismatches);
    }
    if (best == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << text << "\" not found at (" << left << ", " << bottom
           << "); best placement differs in " << best << " pixels";
}

int whiteCount(const Pixels& pixels, int left, int bottom, int right, int top) {
    int count = 0;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            count += isWhite(pixels.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

void RenderTest::SetUp() {
    openContext(300, 300);
}

void RenderTest::openContext(int w, int h) {
    gl.reset();
    gl = std::make_unique<OffscreenGl>(w, h);
    ASSERT_TRUE(gl->ok()) << gl->error();
    width = w;
    height = h;
    initScene();
    buildFont();
    reshape(w, h);

    std::memset(Board, 0, sizeof Board);
    stageNumber = 1;
    phase = PhasePlay;
    message = MsgStart;
    cameraSpin = 0.0f;
    cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
    resetDie(die);
    die.posX = die.posY = die.posZ = 0.5f;
}

void RenderTest::TearDown() {
    gl.reset();
}

Pixels RenderTest::readPixels() const {
    return Pixels::read(width, height);
}
