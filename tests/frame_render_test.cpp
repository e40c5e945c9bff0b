// Whole frames as the game draws them: the two text lines in each situation and in a
// wide window, and the wireframe view.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "die.h"
#include "flow.h"
#include "font.h"
#include "frame.h"
#include "opengl.h"
#include "render_probe.h"
#include "scene.h"
#include "stage.h"

namespace {

class FramePixels : public RenderTest {
  protected:
    Pixels drawOne() {
        drawFrame();
        return readPixels();
    }
    // Where a text line starts: `k` text steps across.
    ScreenPoint bottomLine(double k) const { return bottomLineOrigin(k, width, height); }
    ScreenPoint topLine(double k) const { return topLineOrigin(k, width, height); }
    ScreenPoint onBoard(double x, double y, double z) const {
        return project(playView(), x, y, z, width, height);
    }
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
    const struct {
        std::uint32_t stage, steps;
        const char *stageText, *stepText;
    } cases[] = {{1, 0, "STAGE 01", "STEP 000"},    {3, 17, "STAGE 03", "STEP 017"},
                 {9, 10, "STAGE 09", "STEP 010"},   {10, 9, "STAGE 10", "STEP 009"},
                 {12, 255, "STAGE 12", "STEP 255"}, {20, 100, "STAGE 20", "STEP 100"}};
    for (const auto& c : cases) {
        stageNumber = c.stage;
        die.steps = c.steps;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(textAt(pixels, c.stageText, topLine(-10.0)));
        EXPECT_TRUE(textAt(pixels, c.stepText, topLine(2.0)));
    }
}

TEST_F(FramePixels, EveryMessageIsCentredOnTheBottomLineAndNoOtherIdShowsOne) {
    // Each text starts minus half its length in text steps left of the middle.
    const std::pair<MessageId, double> messages[] = {
        {MsgTurnUp, -3.5},   {MsgTurnDown, -4.5},    {MsgTurnLeft, -4.5},   {MsgTurnRight, -5.0},
        {MsgDontGoBack, -8}, {MsgStart, -2.5},       {MsgReplay, -3.0},     {MsgStageClear, -7.0},
        {MsgGiveUp, -3.5},   {MsgAllStageClear, -9}, {MsgHitDirKey, -10.0},
    };
    for (const auto& [id, k] : messages) {
        message = id;
        EXPECT_TRUE(textAt(drawOne(), messageText(id), bottomLine(k))) << messageText(id);
    }
    die.posX = die.posY = 3.5f; // the white die's top would reach the bottom rows from (0, 0)
    for (std::int32_t id : {0, 12, -1}) {
        message = static_cast<MessageId>(id);
        const Pixels pixels = drawOne();
        EXPECT_EQ(whiteCount(pixels, 0, 0, width, 18), 0) << id;
        EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0))) << id;
    }
}

TEST_F(FramePixels, TextKeepsItsSizeAndStaysCentredInAWideWindow) {
    openContext(500, 250);
    stageNumber = 7;
    die.steps = 42;
    message = MsgDontGoBack;
    const Pixels pixels = drawOne();
    EXPECT_TRUE(textAt(pixels, "DON'T GO BACK !!", bottomLine(-8.0)));
    EXPECT_TRUE(textAt(pixels, "STAGE 07", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "STEP 042", topLine(2.0)));
}

TEST_F(FramePixels, TheWireframeViewDrawsOutlinesWithoutFill) {
    Board[3][3] = 1;
    // The space key's view: front faces as outlines, no lighting, depth test or culling.
    glPolygonMode(GL_FRONT, GL_LINE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    const Pixels pixels = drawOne();
    // Squares: blue edges, black inside.
    EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.5, 0), colour::Black));
    EXPECT_TRUE(colourNear(pixels, onBoard(2.05, 2.5, 0), colour::Blue, 1));
    EXPECT_TRUE(colourNear(pixels, onBoard(2.5, 2.95, 0), colour::Blue, 1));
    // The 1's octagon: a red outline around a hollow middle.
    EXPECT_TRUE(pixelIs(pixels, onBoard(3.5, 3.5, 0.05), colour::Black));
    EXPECT_TRUE(colourNear(pixels, onBoard(3.7, 3.5, 0.05), colour::Red, 1));
    EXPECT_TRUE(colourNear(pixels, onBoard(3.5, 3.3, 0.05), colour::Red, 1));
    // The die: white edges, and no white face filling its top.
    EXPECT_TRUE(colourNear(pixels, onBoard(0.9, 0.5, 0.9), colour::White, 1));
    EXPECT_FALSE(colourNear(pixels, onBoard(0.65, 0.65, 0.9), colour::White, 1));
    // The text is still white without lighting.
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
}

// The board and the die are kept in display lists between frames: a changed cell shows
// at once, and a new context draws them anew rather than call names it never gave.
TEST_F(FramePixels, AChangedCellAndANewContextAreDrawnAnew) {
    EXPECT_TRUE(pixelIs(drawOne(), onBoard(2.5, 2.5, 0.05), colour::Blue));
    for (int context = 0; context < 2; ++context) {
        Board[2][2] = 1;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.5, 0.05), colour::Red)) << context;
        EXPECT_TRUE(pixelIs(pixels, onBoard(0.5, 0.5, 1.0), colour::Red)) << context; // die
        openContext(300, 300);
    }
}

// Bytes with no glyph (controls, DEL, 128 and above) draw nothing and leave the raster
// position, even with other display lists about for such a byte to name by mistake.
TEST_F(FramePixels, BytesWithoutAGlyphDrawNothingAndDoNotMove) {
    drawOne();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRasterPos3f(-2.0f * textStepX, 3.0f, BoardViewDepth);
    printString("\x01\x80\x41\t\x7f\xff\x42"); // A and B among them
    EXPECT_TRUE(textAt(readPixels(), "AB", topLine(-2.0)));
}

} // namespace
