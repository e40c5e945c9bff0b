// Whole frames as the game draws them: the two text lines in each situation, the
// wireframe view, the turning view, and the GL state a frame leaves behind.
#include <gtest/gtest.h>

#include <utility>

#include "die.h"
#include "flow.h"
#include "frame.h"
#include "opengl.h"
#include "render_probe.h"
#include "stage.h"

namespace {

constexpr double TextDepth = -11.414213;

class FramePixels : public RenderTest {
  protected:
    Pixels drawOne() {
        drawFrame();
        return readPixels();
    }
    // Where a text line starts: `k` text steps across, at `y` in eye space. A text
    // step is 60 / width across, 90 / height up.
    ScreenPoint textOrigin(double k, double y) const {
        return projectEye(k * 60.0 / width, y, TextDepth, width, height);
    }
    ScreenPoint bottomLine(double k) const { return textOrigin(k, -3.0 - 90.0 / height); }
    ScreenPoint topLine(double k) const { return textOrigin(k, 3.0); }
};

TEST_F(FramePixels, TheTitleShowsTheGameNameAndTheInvitation) {
    stageNumber = 0;
    phase = PhaseTitle;
    message = MsgHitDirKey;
    const Pixels pixels = drawOne();
    EXPECT_TRUE(textAt(pixels, "Pelmar", topLine(-3.0)));
    EXPECT_TRUE(textAt(pixels, "HIT DIR KEY TO START", bottomLine(-10.0)));
    // Nothing else is written on the top line.
    EXPECT_EQ(whiteCount(pixels, 0, 270, 115, 300), 0);
    EXPECT_EQ(whiteCount(pixels, 190, 270, 300, 300), 0);
}

TEST_F(FramePixels, AStageShowsItsNumberAndStepsWithLeadingZeros) {
    struct Case {
        std::uint32_t stage;
        std::uint32_t steps;
        const char* stageText;
        const char* stepText;
    };
    const Case cases[] = {
        {1, 0, "STAGE 01", "STEP 000"},
        {3, 17, "STAGE 03", "STEP 017"},
        {12, 255, "STAGE 12", "STEP 255"},
        {20, 100, "STAGE 20", "STEP 100"},
    };
    for (const Case& c : cases) {
        stageNumber = c.stage;
        die.steps = c.steps;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(textAt(pixels, c.stageText, topLine(-10.0))) << c.stageText;
        EXPECT_TRUE(textAt(pixels, c.stepText, topLine(2.0))) << c.stepText;
        EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
    }
}

TEST_F(FramePixels, EveryMessageIsCentredOnTheBottomLine) {
    // Each text starts minus half its length in text steps left of the middle.
    const std::pair<MessageId, double> messages[] = {
        {MsgTurnUp, -3.5},   {MsgTurnDown, -4.5},    {MsgTurnLeft, -4.5},   {MsgTurnRight, -5.0},
        {MsgDontGoBack, -8}, {MsgStart, -2.5},       {MsgReplay, -3.0},     {MsgStageClear, -7.0},
        {MsgGiveUp, -3.5},   {MsgAllStageClear, -9}, {MsgHitDirKey, -10.0},
    };
    for (const auto& [id, k] : messages) {
        message = id;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(textAt(pixels, messageText(id), bottomLine(k))) << messageText(id);
    }
}

TEST_F(FramePixels, AMessageOutsideTheTableLeavesTheBottomLineEmpty) {
    die.posX = 3.5f; // the white die's top would reach the bottom rows from (0, 0)
    die.posY = 3.5f;
    for (std::int32_t id : {0, 12, -1}) {
        message = static_cast<MessageId>(id);
        const Pixels pixels = drawOne();
        EXPECT_EQ(whiteCount(pixels, 0, 0, width, 18), 0) << id;
        EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0))) << id;
    }
}

TEST_F(FramePixels, TextStaysCentredAndTheSameSizeInAWideWindow) {
    openContext(500, 250);
    stageNumber = 7;
    die.steps = 42;
    message = MsgDontGoBack;
    const Pixels pixels = drawOne();
    EXPECT_TRUE(textAt(pixels, "DON'T GO BACK !!", bottomLine(-8.0)));
    EXPECT_TRUE(textAt(pixels, "STAGE 07", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "STEP 042", topLine(2.0)));
}

// The space key's view: front faces as outlines, no lighting, depth test or culling.
void wireframeOn() {
    glPolygonMode(GL_FRONT, GL_LINE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

TEST_F(FramePixels, TheWireframeViewDrawsOutlinesWithoutFill) {
    Board[3][3] = 1;
    wireframeOn();
    const Pixels pixels = drawOne();
    const View view = playView();
    auto at = [&](double x, double y, double z) { return project(view, x, y, z, width, height); };

    // Squares: blue edges, black inside.
    EXPECT_TRUE(pixelIs(pixels, at(2.5, 2.5, 0), colour::Black));
    EXPECT_TRUE(colourNear(pixels, at(2.05, 2.5, 0), colour::Blue, 1));
    EXPECT_TRUE(colourNear(pixels, at(2.5, 2.95, 0), colour::Blue, 1));
    // The 1's octagon: a red outline around a hollow middle.
    EXPECT_TRUE(pixelIs(pixels, at(3.5, 3.5, 0.05), colour::Black));
    EXPECT_TRUE(colourNear(pixels, at(3.7, 3.5, 0.05), colour::Red, 1));
    EXPECT_TRUE(colourNear(pixels, at(3.5, 3.3, 0.05), colour::Red, 1));
    // The die: white edges, and no white face filling its top.
    EXPECT_TRUE(colourNear(pixels, at(0.9, 0.5, 0.9), colour::White, 1));
    EXPECT_FALSE(colourNear(pixels, at(0.65, 0.65, 0.9), colour::White, 1));
    // The text is still white without lighting.
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
}

class TurningView : public FramePixels, public ::testing::WithParamInterface<GamePhase> {};

TEST_P(TurningView, TurnsTheBoardAboutItsCentreFrameByFrame) {
    phase = GetParam();
    stageNumber = phase == PhaseTitle ? 0 : 4;
    message = static_cast<MessageId>(0);
    Board[0][0] = 1; // red
    Board[5][0] = 3; // yellow middle mark
    Board[0][5] = 5; // magenta middle mark
    Board[5][5] = 1;
    die.posX = 2.5f; // out of the way of the corners
    die.posY = 2.5f;

    // 400 frames: past a full turn of 361, 39 degrees on; tilt and distance at rest.
    for (int frame = 0; frame < 399; ++frame) {
        drawFrame();
    }
    const Pixels pixels = drawOne();
    const View view = turningView(39.0, -45.0, -14.014211);
    auto at = [&](double x, double y) { return project(view, x, y, 0.05, width, height); };

    EXPECT_TRUE(pixelIs(pixels, at(0.5, 0.5), colour::Red));
    EXPECT_TRUE(pixelIs(pixels, at(5.5, 0.5), colour::Yellow));
    EXPECT_TRUE(pixelIs(pixels, at(0.5, 5.5), colour::Magenta));
    EXPECT_TRUE(pixelIs(pixels, at(5.5, 5.5), colour::Red));
    EXPECT_TRUE(pixelIs(pixels, at(2.5, 4.5), colour::Blue));
    EXPECT_TRUE(pixelIs(pixels, at(4.5, 1.5), colour::Blue));
    // Not where the fixed view would have put them.
    EXPECT_FALSE(pixelIs(pixels, project(playView(), 0.5, 0.5, 0.05, width, height), colour::Red));
}

INSTANTIATE_TEST_SUITE_P(TitleAndReplay, TurningView, ::testing::Values(PhaseTitle, PhaseReplay));

TEST_F(FramePixels, PlayKeepsTheFixedViewAndTheCameraStill) {
    cameraSpin = 50.0f;
    cameraTilt = -30.0f;
    Board[0][0] = 1;
    die.posX = 2.5f;
    const Pixels pixels = drawOne();
    EXPECT_EQ(cameraSpin, 50.0f);
    EXPECT_EQ(cameraTilt, -30.0f);
    EXPECT_TRUE(pixelIs(pixels, project(playView(), 0.5, 0.5, 0.05, width, height), colour::Red));
}

TEST_F(FramePixels, AFrameLeavesTheMatricesAsItFoundThem) {
    phase = PhaseTitle;
    for (int frame = 0; frame < 3; ++frame) {
        drawFrame();
    }
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLdouble m[16] = {};
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0) << i;
    }
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
