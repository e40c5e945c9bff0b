// The drawing, read back from a real context: the fixed GL state and the projection,
// the turning view's steps, the pips' height, the board under the fixed and the turning
// view and in a wide window, the die at rest, lit and at the end of a roll, the display
// lists kept between frames; every glyph against the font's reference picture, the two
// text lines with the game's own words, and the wireframe view.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "board_draw.h"
#include "die_draw.h"
#include "font.h"
#include "frame.h"
#include "opengl.h"
#include "render_probe.h"
#include "scene.h"
#include "stage.h"

namespace {

TEST(TurningCamera, SpinsInACycleOf361FramesAndStopsTiltAndDistanceAtTheirLimits) {
    cameraSpin = cameraTilt = 0.0f;
    cameraDistance = BoardViewDepth;
    // After n frames: the spin drawn at 360 once before it drops to 0; the tilt at exactly
    // -45 from frame 15, the distance past -14 from frame 13.
    const std::array<float, 4> expected[] = {
        {1, 1, -3, -11.614213f},    {12, 12, -36, -13.814212f},   {13, 13, -39, -14.014211f},
        {15, 15, -45, -14.014211f}, {360, 360, -45, -14.014211f}, {361, 0, -45, -14.014211f},
        {362, 1, -45, -14.014211f}};
    int frame = 0;
    for (const auto& [frames, spin, tilt, distance] : expected) {
        for (; frame < frames; ++frame) {
            advanceCamera();
        }
        EXPECT_EQ(std::pair(cameraSpin, cameraTilt), std::pair(spin, tilt)) << frame;
        EXPECT_FLOAT_EQ(cameraDistance, distance) << frame;
    }
}

TEST(DieDrawing, TheTwentyOnePipsStandATenthProudOfTheBodysFaces) {
    Die d{};
    resetDie(d);
    int pips = 0;
    auto check = [](const PipRings& rings, const float* n, const float*, void* count) {
        ++*static_cast<int*>(count);
        for (int k = 0; k < 8; ++k) {
            for (int a = 0; a < 3; ++a) {
                EXPECT_NEAR(rings.top[k][a] - rings.base[k][a], 0.1f * n[a], 1e-6f);
            }
        }
    };
    forEachPip(d, check, &pips);
    EXPECT_EQ(pips, 21);
}

class Render : public RenderTest {
  protected:
    Pixels drawOne() {
        drawFrame();
        return readPixels();
    }
    ScreenPoint onBoard(double x, double y, double z) const {
        return project(View{}, x, y, z, width, height);
    }
    ScreenPoint topLine(double k) const { return topLineOrigin(k, width, height); }
    ScreenPoint bottomLine(double k) const { return bottomLineOrigin(k, width, height); }

    // Every value and some without marks, laid out so that swapped indices or a turned
    // board show: 1 on Board[0][0] in the lower left, 6 on Board[5][0] in the lower right.
    static void fillBoard() {
        for (int i = 0; i < 36; ++i) {
            Board[i / 6][i % 6] = (i / 6 + 2 * (i % 6) + 2) % 9 - 1;
        }
        Board[4][5] = 1 << 30;
        Board[5][5] = -(1 << 30);
    }
    // The die at rest on its cell, as the game puts it between rolls, with no bottom line.
    Pixels drawAtRest() {
        die.posX = static_cast<float>(die.x + 0.5);
        die.posY = static_cast<float>(die.y + 0.5);
        die.posZ = 0.5f;
        die.angleX = die.angleY = 0.0f;
        message = static_cast<MessageId>(0);
        return drawOne();
    }
};

TEST_F(Render, InitSceneSetsTheFixedSwitches) {
    // Back faces are outlines.
    // clang-format off
    const GLint state[][3] = {{GL_LIGHTING, 1}, {GL_LIGHT0, 1}, {GL_DEPTH_TEST, 1},
        {GL_NORMALIZE, 1}, {GL_CULL_FACE, 1}, {GL_DEPTH_FUNC, GL_LESS}, {GL_CULL_FACE_MODE, GL_BACK},
        {GL_SHADE_MODEL, GL_FLAT}, {GL_POLYGON_MODE, GL_FILL, GL_LINE}};
    // clang-format on
    for (const auto& [name, first, second] : state) {
        GLint got[2] = {};
        glGetIntegerv(static_cast<GLenum>(name), got);
        EXPECT_EQ(std::pair(got[0], got[1]), std::pair(first, second)) << name;
    }
}

TEST_F(Render, ReshapeSetsTheFrustumViewportAndTextSteps) {
    reshape(600, 300);
    // glFrustum(-3, 3, -3, 3, 10, 17), which GL keeps in single precision.
    GLfloat m[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    const float expected[16] = {10.0f / 3, 0, 0,          0,  0, 10.0f / 3, 0,           0,
                                0,         0, -27.0f / 7, -1, 0, 0,         -340.0f / 7, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(m[i], expected[i]) << i;
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(std::tuple(mode, windowWidth, windowHeight, textStepX, textStepY),
              std::tuple(GL_MODELVIEW, 600, 300, 0.1f, 0.3f));
    // A minimised window: the viewport goes to nothing, the text steps stay usable.
    for (auto [w, h] : {std::pair{0, 0}, {0, 200}, {400, 0}}) {
        reshape(w, h);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::tuple(viewport[2], viewport[3], textStepX, textStepY),
                  std::tuple(w, h, 0.1f, 0.3f));
    }
}

// Where each value's marks stand in its cell, as offsets from the cell's corner, their
// corner radius and their colour.
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

// Draws the board of fillBoard alone and checks it on a fine grid against how it must
// look from the view: blue 0.9 x 0.9 squares parted by black gaps, and on each the marks
// of its value. Points within `margin` of an edge, where a pixel may round either way,
// are left out. In the turning view the frames have been drawn already.
void expectBoard(int width, int height, const View& view, double margin) {
    if (!view.turning) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setFrameView(PhasePlay);
        drawBoard();
        glPopMatrix();
    }
    const Pixels pixels = readFramePixels(width, height);
    int wrong = 0;
    for (double x = -0.3; x < 6.3; x += 0.025) {
        for (double y = -0.3; y < 6.3; y += 0.025) {
            const int cx = static_cast<int>(std::floor(x));
            const int cy = static_cast<int>(std::floor(y));
            const double fx = x - cx;
            const double fy = y - cy;
            if (std::min({std::abs(fx - 0.05), std::abs(fx - 0.95), std::abs(fy - 0.05),
                          std::abs(fy - 0.95)}) < margin) {
                continue;
            }
            const bool square = cx >= 0 && cx < 6 && cy >= 0 && cy < 6 && fx > 0.05 && fx < 0.95 &&
                                fy > 0.05 && fy < 0.95;
            const int v = square && Board[cx][cy] >= 1 && Board[cx][cy] <= 6 ? Board[cx][cy] : 0;
            double d = 1.0;
            for (auto [mx, my] : markOffsets[v]) {
                d = std::min(d, std::hypot(fx - mx, fy - my));
            }
            // A mark's flat sides lie 0.924 of its radius from the centre.
            if (d > 0.92 * markRadius[v] - margin && d < markRadius[v] + margin) {
                continue;
            }
            const bool mark = d < markRadius[v];
            const Rgb expected = mark ? markColour[v] : square ? colour::Blue : colour::Black;
            const auto found =
                pixelIs(pixels, project(view, x, y, mark ? 0.05 : 0.0, pixels.width, pixels.height),
                        expected);
            if (!found && ++wrong <= 3) {
                ADD_FAILURE() << found.message() << " at " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Render, InPlayTheBoardIsSeenFaceOnStretchedToTheWindowButNotTheText) {
    fillBoard();
    expectBoard(width, height, View{}, 0.025);
    openContext(600, 300);
    fillBoard();
    expectBoard(width, height, View{}, 0.025);
    // The text is not stretched.
    stageNumber = 7;
    die.steps = 42;
    message = MsgDontGoBack;
    const Pixels pixels = drawOne();
    EXPECT_TRUE(textAt(pixels, "DON'T GO BACK !!", bottomLine(-8.0)));
    EXPECT_TRUE(textAt(pixels, "STAGE 07", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "STEP 042", topLine(2.0)));
}

TEST_F(Render, OnTheTitleAndInTheReplayTheViewTurnsAboutTheBoardsCentreFrameByFrame) {
    for (GamePhase turning : {PhaseTitle, PhaseReplay}) {
        cameraSpin = cameraTilt = 0.0f;
        cameraDistance = BoardViewDepth;
        phase = turning;
        message = static_cast<MessageId>(0);
        fillBoard();
        die.posZ = -50.0f; // behind the far plane, out of the way
        for (int frame = 0; frame < 400; ++frame) {
            drawFrame();
        }
        // 400 frames: past a full turn of 361, 39 degrees on; tilt and distance at rest.
        expectBoard(width, height, View{39.0, -45.0, -14.014211, true}, 0.09);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Render, TheDiesSidesShowTheLightComingFromNearTheViewer) {
    // The white body, by hand: the light model's ambient 0.2 and the light's ambient 0.4,
    // plus the light's diffuse 1.0 times the cosine between a side and the direction
    // (0.2, 0.2, 1) the light comes from: 0.2 / 1.0392 = 0.19245 on the east and north
    // sides, none on the west and south ones. The top's 1.56 saturates.
    const Rgb lit{202, 202, 202};   // 255 x 0.79245
    const Rgb unlit{153, 153, 153}; // 255 x 0.6
    // Seen from above at (0, 0): the east and north sides; at (5, 5) the west and south.
    const std::tuple<int, double, double, Rgb> sides[] = {
        {0, 0.9, 0.15, lit}, {0, 0.15, 0.9, lit}, {5, 5.1, 5.85, unlit}, {5, 5.85, 5.1, unlit}};
    for (const auto& [cell, x, y, expected] : sides) {
        die.x = die.y = static_cast<std::uint32_t>(cell);
        EXPECT_TRUE(pixelIs(drawAtRest(), onBoard(x, y, 0.5), expected, 1)) << x << ", " << y;
    }
}

TEST_F(Render, TheResetDieShowsItsRedOneAndARollNorthTheMagentaFive) {
    // Points (s, t) from the middle of the die's top, on the pips' tops (0.5 above its
    // centre) or on the body's face (0.4), and their colour; play never turns the view.
    cameraSpin = 50.0f;
    cameraTilt = -30.0f;
    auto onTop = [this](std::vector<std::pair<double, double>> at, double above, Rgb expected) {
        const Pixels pixels = drawAtRest();
        for (auto [s, t] : at) {
            EXPECT_TRUE(
                pixelIs(pixels, onBoard(die.x + 0.5 + s, die.y + 0.5 + t, 0.5 + above), expected))
                << s << ", " << t;
        }
    };
    onTop({{0, 0}, {0.15, 0}}, 0.5, colour::Red);
    onTop({{-0.3, -0.3}, {-0.3, 0.3}, {0.3, -0.3}, {0.3, 0.3}}, 0.4, colour::White);
    rollNorth(die);
    onTop({{0, 0}, {-0.2, -0.2}, {0.2, -0.2}, {0.2, 0.2}, {-0.2, 0.2}}, 0.5, colour::Magenta);
    onTop({{0, 0.2}, {0.2, 0}}, 0.4, colour::White);
    // The cell it left is bare again.
    EXPECT_TRUE(pixelIs(drawAtRest(), onBoard(0.5, 0.3, 0), colour::Blue));
}

// At the last angle of a roll the turned die must look just like the die at rest on
// the new cell: this holds only if it is turned about its own centre after being
// moved there, by the angles the game gives. Where geometry only rounds the other way,
// a pixel's colour lies within a pixel of it in the other frame.
TEST_F(Render, AtTheEndOfARollTheTurnedDieMatchesTheRolledOne) {
    const std::tuple<void (*)(Die&), float, float> rolls[] = {{rollNorth, -90.0f, 0.0f},
                                                              {rollSouth, 90.0f, 0.0f},
                                                              {rollWest, 0.0f, -90.0f},
                                                              {rollEast, 0.0f, 90.0f}};
    for (auto [roll, angleX, angleY] : rolls) {
        resetDie(die);
        die.x = die.y = 2;
        Die turned = die;
        roll(die);
        const Pixels rolled = drawAtRest();
        turned.posX = die.posX;
        turned.posY = die.posY;
        turned.angleX = angleX;
        turned.angleY = angleY;
        turned.steps = die.steps; // the top line counts the completed roll
        die = turned;
        const Pixels turning = drawOne();
        int differences = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const ScreenPoint p = {x + 0.5, y + 0.5};
                differences += pixelIs(rolled, p, turning.at(x, y), 1) &&
                                       pixelIs(turning, p, rolled.at(x, y), 1)
                                   ? 0
                                   : 1;
            }
        }
        EXPECT_EQ(differences, 0) << angleX << ", " << angleY;
    }
}

TEST_F(Render, EveryGlyphLooksAsTheReferenceShowsIt) {
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
        printString("\t\n\x1f\x7f\x80\xff");
        printString(lines[row].c_str() + 8);
    }
    const Pixels pixels = readPixels();
    for (int row = 0; row < 6; ++row) {
        EXPECT_TRUE(textAt(pixels, lines[row].c_str(), {10.5, 250.5 - 30 * row}, 0)) << row;
    }
}

TEST_F(Render, TheTextLinesShowTheGamesWordsInPlace) {
    // Each message's words, centred on the bottom line: they start half their length in
    // text steps left of the middle. Ids with no message show nothing there.
    // clang-format off
    const char* const messages[] = {"TURN UP", "TURN DOWN", "TURN LEFT", "TURN RIGHT",
        "DON'T GO BACK !!", "START", "REPLAY", "STAGE CLEAR !!", "GIVE UP", "ALL STAGE CLEAR !!",
        "HIT DIR KEY TO START"};
    // clang-format on
    die.posX = die.posY = 3.5f; // the white die's top would reach the bottom rows from (0, 0)
    for (std::int32_t id = -1; id <= 12; ++id) {
        message = static_cast<MessageId>(id);
        const Pixels pixels = drawOne();
        const char* text = id >= 1 && id <= 11 ? messages[id - 1] : nullptr;
        if (text != nullptr) {
            const double k = -0.5 * static_cast<double>(std::strlen(text));
            EXPECT_TRUE(textAt(pixels, text, bottomLine(k))) << id;
        } else {
            EXPECT_EQ(whiteCount(pixels, 0, 0, width, 18), 0) << id;
        }
    }
    // The top line: the stage and the steps with leading zeros, or the title's name alone.
    const std::tuple<std::uint32_t, std::uint32_t, const char*, const char*> tops[] = {
        {9, 10, "STAGE 09", "STEP 010"},
        {10, 9, "STAGE 10", "STEP 009"},
        {20, 100, "STAGE 20", "STEP 100"},
        {0, 0, "Pelmar", nullptr}};
    for (auto [stage, steps, left, right] : tops) {
        stageNumber = stage;
        die.steps = steps;
        const Pixels pixels = drawOne();
        if (right != nullptr) {
            EXPECT_TRUE(textAt(pixels, left, topLine(-10.0)));
            EXPECT_TRUE(textAt(pixels, right, topLine(2.0)));
        } else {
            EXPECT_TRUE(textAt(pixels, left, topLine(-3.0)));
            EXPECT_EQ(whiteCount(pixels, 0, 270, 115, 300) + whiteCount(pixels, 190, 270, 300, 300),
                      0);
        }
    }
}

// The board and the die are kept in display lists between frames: a changed cell shows
// at once, and a new context draws them anew rather than call names it never gave.
TEST_F(Render, AChangedCellAndANewContextAreDrawnAnew) {
    EXPECT_TRUE(pixelIs(drawOne(), onBoard(2.5, 2.5, 0.05), colour::Blue));
    for (int context = 0; context < 2; ++context) {
        Board[2][2] = 1;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.5, 0.05), colour::Red)) << context;
        EXPECT_TRUE(pixelIs(pixels, onBoard(0.5, 0.5, 1.0), colour::Red)) << context; // die
        openContext(300, 300);
    }
}

TEST_F(Render, TheWireframeViewDrawsUnlitOutlinesWithoutFill) {
    Board[3][3] = 1;
    // The space key's view: front faces as outlines, no lighting, depth test or culling.
    glPolygonMode(GL_FRONT, GL_LINE);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    const Pixels pixels = drawOne();
    // Squares: blue edges, black inside.
    EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.5, 0), colour::Black));
    EXPECT_TRUE(pixelIs(pixels, onBoard(2.05, 2.5, 0), colour::Blue, 1));
    EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.95, 0), colour::Blue, 1));
    // The 1's octagon: a red outline around a hollow middle.
    EXPECT_TRUE(pixelIs(pixels, onBoard(3.5, 3.5, 0.05), colour::Black));
    EXPECT_TRUE(pixelIs(pixels, onBoard(3.7, 3.5, 0.05), colour::Red, 1));
    EXPECT_TRUE(pixelIs(pixels, onBoard(3.5, 3.3, 0.05), colour::Red, 1));
    // The die: pure white edges, and no white face filling its top.
    EXPECT_TRUE(pixelIs(pixels, onBoard(0.9, 0.5, 0.9), colour::White, 1));
    EXPECT_FALSE(pixelIs(pixels, onBoard(0.65, 0.65, 0.9), colour::White, 1));
    // The text is still white without lighting.
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));
    EXPECT_TRUE(textAt(pixels, "START", bottomLine(-2.5)));
}

} // namespace
