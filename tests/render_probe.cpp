// The render tests' assertions on pixels and their fixture.
#include "render_probe.h"

#include <cstring>

#include "die.h"
#include "flow.h"
#include "font.h"
#include "scene.h"
#include "stage.h"

::testing::AssertionResult pixelIs(const Pixels& pixels, ScreenPoint at, Rgb expected) {
    const Rgb got = pixels.at(pixelIndex(at.x), pixelIndex(at.y));
    if (sameColour(got, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel (" << pixelIndex(at.x) << ", " << pixelIndex(at.y) << ") is " << describe(got)
           << ", expected " << describe(expected);
}

::testing::AssertionResult textAt(const Pixels& pixels, const char* text, ScreenPoint origin,
                                  int slack) {
    const int mismatches = textMismatches(pixels, text, origin, slack);
    if (mismatches == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "\"" << text << "\" not found at (" << pixelIndex(origin.x) << ", "
           << pixelIndex(origin.y) << "); best placement differs in " << mismatches << " pixels";
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
    die.posX = 0.5f;
    die.posY = 0.5f;
    die.posZ = 0.5f;
}

void RenderTest::TearDown() {
    gl.reset();
}

Pixels RenderTest::readPixels() const {
    return readFramePixels(width, height);
}
