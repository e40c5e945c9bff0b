// The screen text: every glyph against the font's reference picture, the two text lines
// of a frame with the game's own words in each situation and in a wide window, and the
// wireframe view.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "die.h"
#include "flow.h"
#include "font.h"
#include "frame.h"
#include "opengl.h"
#include "render_probe.h"
#include "stage.h"

namespace {

class FramePixels : public RenderTest {
  protected:
    Pixels drawOne() {
        drawFrame();
        return readPixels();
    }
    ScreenPoint bottomLine(double k) const { return bottomLineOrigin(k, width, height); }
    ScreenPoint topLine(double k) const { return topLineOrigin(k, width, height); }
    ScreenPoint onBoard(double x, double y, double z) const {
        return project(playView(), x, y, z, width, height);
    }
};

TEST_F(FramePixels, EveryGlyphLooksAsTheReferenceShowsIt) {
    // Pixel for pixel and exactly in place, white on black: a line per row of the
    // reference, 16 characters each.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glDisable(GL_LIGHTING);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    std::string lines[6];
    for (int c = 32; c <= 126; ++c) {
        lines[(c - 32) / 16] += static_cast<char>(c);
    }
    for (int row = 0; row < 6; ++row) {
        glRasterPos2i(10, 250 - 30 * row);
        // Empty strings and bytes outside 32 to 126 draw nothing and do not move on.
        const std::string half = lines[row].substr(0, 8);
        printString(half.c_str());
        printString("");
        printString("\t\n\x1f\x7f");
        printString(lines[row].c_str() + 8);
    }
    const Pixels pixels = readPixels();
    for (int row = 0; row < 6; ++row) {
        EXPECT_TRUE(textAt(pixels, lines[row].c_str(), {10.5, 250.5 - 30 * row}, 0)) << row;
    }
}

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
    const char* const texts[] = {"TURN UP",
                                 "TURN DOWN",
                                 "TURN LEFT",
                                 "TURN RIGHT",
                                 "DON'T GO BACK !!",
                                 "START",
                                 "REPLAY",
                                 "STAGE CLEAR !!",
                                 "GIVE UP",
                                 "ALL STAGE CLEAR !!",
                                 "HIT DIR KEY TO START"};
    for (int id = 1; id <= 11; ++id) {
        message = static_cast<MessageId>(id);
        // Each starts half its length in text steps left of the middle.
        const double k = -0.5 * static_cast<double>(std::strlen(texts[id - 1]));
        EXPECT_TRUE(textAt(drawOne(), texts[id - 1], bottomLine(k))) << texts[id - 1];
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

TEST_F(FramePixels, TheWireframeViewDrawsUnlitOutlinesWithoutFill) {
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
    // The die: pure white edges, and no white face filling its top.
    EXPECT_TRUE(colourNear(pixels, onBoard(0.9, 0.5, 0.9), colour::White, 1));
    EXPECT_FALSE(colourNear(pixels, onBoard(0.65, 0.65, 0.9), colour::White, 1));
    // The text is still white without lighting.
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
}

} // namespace
