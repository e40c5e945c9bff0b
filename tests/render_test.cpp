// The drawing, read back from a real context: the fixed GL state and the projection,
// the turning view's steps, the pips' height, the board under the fixed and the turning
// view and in a wide window, the die at rest, lit and at the end of a roll, the display
// lists kept between frames; every glyph against the font's reference picture and the
// two text lines with the game's own words. Then the game through the handlers start-up
// registers, on the toolkit's null platform: the window it asks for, the command line,
// each key's request, and the space key's wireframe view drawn and presented at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "board_draw.h"
#include "die_draw.h"
#include "font.h"
#include "frame.h"
#include "game_test_support.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "opengl.h"
#include "scene.h"
#include "screen_probe.h"
#include "stage.h"
#include "startup.h"
#include "test_files.h"
#include "window.h"

namespace {

// A context with the game's fixed state and font and the projection of its size (300 x
// 300 unless reopened), stage 1 in play on an empty board with no message, and the die
// reset and at rest on the start cell.
class Render : public ::testing::Test {
  protected:
    void SetUp() override { openContext(300, 300); }
    void openContext(int w, int h) {
        ASSERT_TRUE(openOffscreenGl(w, h));
        width = w;
        height = h;
        initScene();
        buildFont();
        reshape(w, h);
        resetGameGlobals();
        stageNumber = 1;
        phase = PhasePlay;
        resetDie(die);
        die.posX = die.posY = die.posZ = 0.5f;
        message = static_cast<MessageId>(0);
    }
    Pixels readPixels() const { return readFramePixels(width, height); }
    Pixels drawOne() {
        drawFrame();
        return readPixels();
    }
    ScreenPoint onBoard(double x, double y, double z) const {
        return project(x, y, z, width, height);
    }
    ScreenPoint topLine(double k) const { return topLineOrigin(k, width, height); }

    // Every value and some without marks, laid out so that swapped indices or a turned
    // board show: 1 on Board[0][0] in the lower left, 6 on Board[5][0] in the lower right.
    static void fillBoard() {
        for (int i = 0; i < 36; ++i) {
            Board[i / 6][i % 6] = (i / 6 + 2 * (i % 6) + 2) % 9 - 1;
        }
        Board[4][5] = 1 << 30;
        Board[5][5] = -(1 << 30);
    }
    Pixels drawBoardOnly() {
        fillBoard();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setFrameView(PhasePlay);
        drawBoard();
        glPopMatrix();
        return readPixels();
    }

    int width = 300;
    int height = 300;
};

TEST_F(Render, InitSceneAndReshapeSetTheFixedStateAndTheTextSteps) {
    reshape(600, 300);
    // What the pictures do not show: normals made unit length, the depth test, back faces
    // culled and left as outlines, flat shading; after a reshape the model-view matrix is
    // current again.
    // clang-format off
    const GLint state[][3] = {{GL_NORMALIZE, 1}, {GL_DEPTH_TEST, 1}, {GL_DEPTH_FUNC, GL_LESS},
        {GL_CULL_FACE, 1}, {GL_CULL_FACE_MODE, GL_BACK}, {GL_SHADE_MODEL, GL_FLAT},
        {GL_POLYGON_MODE, GL_FILL, GL_LINE}, {GL_MATRIX_MODE, GL_MODELVIEW}};
    // clang-format on
    for (const auto& [name, first, second] : state) {
        GLint got[2] = {};
        glGetIntegerv(static_cast<GLenum>(name), got);
        EXPECT_EQ(std::pair(got[0], got[1]), std::pair(first, second)) << name;
    }
    EXPECT_EQ(std::tuple(windowWidth, windowHeight, textStepX, textStepY),
              std::tuple(600, 300, 0.1f, 0.3f));
    // A minimised window: the viewport goes to nothing, the text steps stay usable.
    for (auto [w, h] : {std::pair{0, 0}, {0, 200}, {400, 0}}) {
        reshape(w, h);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::tuple(viewport[2], viewport[3], textStepX, textStepY),
                  std::tuple(w, h, 0.1f, 0.3f));
    }
}

// Checks the board on a fine grid against how it must look from the view: blue 0.9 x 0.9
// squares parted by black gaps, and on each the marks of its value. Points within
// `margin` of an edge, where a pixel may round either way, are left out.
void expectBoard(const Pixels& pixels, double margin, double spin = 0.0, double tilt = 0.0,
                 double distance = -11.414213) {
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
            const ScreenPoint at =
                project(x, y, mark ? 0.05 : 0.0, pixels.width, pixels.height, spin, tilt, distance);
            const auto found = pixelIs(pixels, at, expected);
            if (!found && ++wrong <= 3) {
                ADD_FAILURE() << found.message() << " at " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Render, InPlayTheBoardIsSeenFaceOnStretchedToTheWindowAndDrawnAnewWhenItChanges) {
    // The board and the die are kept in display lists between frames: a changed cell shows
    // at once, and a new context draws them anew rather than call names it never gave.
    EXPECT_TRUE(pixelIs(drawOne(), onBoard(2.5, 2.5, 0.05), colour::Blue));
    for (int context = 0; context < 2; ++context) {
        Board[2][2] = 1;
        const Pixels pixels = drawOne();
        EXPECT_TRUE(pixelIs(pixels, onBoard(2.5, 2.5, 0.05), colour::Red)) << context;
        EXPECT_TRUE(pixelIs(pixels, onBoard(0.5, 0.5, 1.0), colour::Red)) << context; // die
        openContext(300, 300);
    }
    expectBoard(drawBoardOnly(), 0.025);
    openContext(600, 300);
    expectBoard(drawBoardOnly(), 0.025);
}

TEST_F(Render, OnTheTitleAndInTheReplayTheViewTurnsAboutTheBoardsCentreFrameByFrame) {
    // After n frames: the spin drawn at 360 once before it drops to 0; the tilt at exactly
    // -45 from frame 15, the distance past -14 from frame 13.
    // clang-format off
    const std::map<int, std::array<float, 3>> camera = {{12, {12, -36, -13.814212f}},
        {13, {13, -39, -14.014211f}}, {15, {15, -45, -14.014211f}}, {361, {0, -45, -14.014211f}},
        {362, {1, -45, -14.014211f}}};
    // clang-format on
    for (GamePhase turning : {PhaseTitle, PhaseReplay}) {
        cameraSpin = cameraTilt = 0.0f;
        cameraDistance = BoardViewDepth;
        phase = turning;
        fillBoard();
        die.posZ = -50.0f; // behind the far plane, out of the way
        for (int frame = 1; frame <= 400; ++frame) {
            drawFrame();
            if (const auto at = camera.find(frame); at != camera.end()) {
                const auto [spin, tilt, distance] = at->second;
                EXPECT_EQ(std::pair(cameraSpin, cameraTilt), std::pair(spin, tilt)) << frame;
                EXPECT_FLOAT_EQ(cameraDistance, distance) << frame;
            }
        }
        // 400 frames: past a full turn of 361, 39 degrees on; tilt and distance at rest.
        expectBoard(readPixels(), 0.09, 39.0, -45.0, -14.014211);
    }
}

TEST_F(Render, TheDieIsLitFromNearTheViewerItsPipsStandProudAndItShowsTheFaceOnTop) {
    // All 21 pips stand a tenth proud of the body's faces.
    int pips = 0;
    auto check = [](const PipRings& rings, const float* n, const float*, void* count) {
        ++*static_cast<int*>(count);
        for (int k = 0; k < 8; ++k) {
            for (int a = 0; a < 3; ++a) {
                EXPECT_NEAR(rings.top[k][a] - rings.base[k][a], 0.1f * n[a], 1e-6f);
            }
        }
    };
    forEachPip(die, check, &pips);
    EXPECT_EQ(pips, 21);
    // The white body, by hand: the light model's ambient 0.2 and the light's ambient 0.4,
    // plus the light's diffuse 1.0 times the cosine between a side and the direction
    // (0.2, 0.2, 1) the light comes from: 0.2 / 1.0392 = 0.19245 on the east and north
    // sides, none on the west and south ones. The top's 1.56 saturates.
    const Rgb lit{202, 202, 202};   // 255 x 0.79245
    const Rgb unlit{153, 153, 153}; // 255 x 0.6
    // Seen from above at (0, 0), the east and north sides; at (5, 5), the west side.
    const std::tuple<int, double, double, Rgb> sides[] = {
        {0, 0.9, 0.15, lit}, {0, 0.15, 0.9, lit}, {5, 5.1, 5.85, unlit}};
    for (const auto& [cell, x, y, expected] : sides) {
        die.posX = die.posY = static_cast<float>(cell) + 0.5f;
        EXPECT_TRUE(pixelIs(drawOne(), onBoard(x, y, 0.5), expected, 1)) << x << ", " << y;
    }

    // The face on top, by points (s, t) from the middle of the die's top on the pips' tops:
    // at rest after a reset and after a roll north; and at the last angle of a roll, turned
    // about its own centre, what the roll puts there: north, the five's middle pip; east,
    // the three's. Play never turns the view.
    cameraSpin = 50.0f;
    cameraTilt = -30.0f;
    using Points = std::vector<std::pair<double, double>>;
    const std::tuple<void (*)(Die&), float, float, Points, Rgb> tops[] = {
        {resetDie, 0.0f, 0.0f, {{0, 0}, {0.15, 0}}, colour::Red},
        {rollNorth, 0.0f, 0.0f, {{0, 0}, {-0.2, -0.2}, {0.2, -0.2}, {0.2, 0.2}}, colour::Magenta},
        {resetDie, -90.0f, 0.0f, {{0, 0}}, colour::Magenta},
        {resetDie, 0.0f, 90.0f, {{0, 0}}, colour::Yellow}};
    for (const auto& [place, angleX, angleY, at, expected] : tops) {
        place(die);
        die.posX = static_cast<float>(die.x) + 0.5f;
        die.posY = static_cast<float>(die.y) + 0.5f;
        die.angleX = angleX;
        die.angleY = angleY;
        const Pixels pixels = drawOne();
        for (auto [s, t] : at) {
            EXPECT_TRUE(pixelIs(pixels, onBoard(die.x + 0.5 + s, die.y + 0.5 + t, 1.0), expected))
                << s << ", " << t;
        }
        // The cell a roll left is bare again.
        EXPECT_TRUE(die.y == 0 || pixelIs(pixels, onBoard(0.5, 0.3, 0), colour::Blue));
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
    for (int row = 0; row < 6; ++row) {
        std::string line;
        for (int c = 32 + 16 * row; c < 48 + 16 * row && c <= 126; ++c) {
            line += static_cast<char>(c);
        }
        glRasterPos2i(10, 250 - 30 * row);
        // Empty strings and bytes outside 32 to 126 draw nothing and do not move on.
        printString("");
        printString("\t\n\x1f\x7f\x80\xff");
        printString(line.c_str());
        EXPECT_TRUE(textAt(readPixels(), line.c_str(), {10, 250 - 30 * row}, 0)) << row;
    }
}

TEST_F(Render, TheTextLinesShowTheGamesWordsInPlaceNotStretchedWithTheWindow) {
    // Each message's words, centred on the bottom line: they start half their length in
    // text steps left of the middle. Ids with no message show nothing there.
    // clang-format off
    const char* const messages[] = {"TURN UP", "TURN DOWN", "TURN LEFT", "TURN RIGHT",
        "DON'T GO BACK !!", "START", "REPLAY", "STAGE CLEAR !!", "GIVE UP", "ALL STAGE CLEAR !!",
        "HIT DIR KEY TO START"};
    // clang-format on
    for (int w : {300, 600}) {
        openContext(w, 300);
        die.posX = die.posY = 3.5f; // the white die's top would reach the bottom rows from (0, 0)
        const std::string blank(20, ' ');
        for (std::int32_t id = -1; id <= 12; ++id) {
            message = static_cast<MessageId>(id);
            const char* text = id >= 1 && id <= 11 ? messages[id - 1] : blank.c_str();
            const double k = -0.5 * static_cast<double>(std::strlen(text));
            EXPECT_TRUE(textAt(drawOne(), text, bottomLineOrigin(k, width, height))) << id;
        }
        // The top line: the stage and the steps with leading zeros, or the title's name alone.
        // clang-format off
        const std::tuple<std::uint32_t, std::uint32_t, const char*, const char*> tops[] = {
            {9, 10, "STAGE 09", "STEP 010"}, {10, 9, "STAGE 10", "STEP 009"},
            {20, 100, "STAGE 20", "STEP 100"}, {0, 0, "     ", "     "}};
        // clang-format on
        for (auto [stage, steps, left, right] : tops) {
            stageNumber = stage;
            die.steps = steps;
            const Pixels pixels = drawOne();
            EXPECT_TRUE(textAt(pixels, left, topLine(-10.0)));
            EXPECT_TRUE(textAt(pixels, right, topLine(stage == 0 ? 4.0 : 2.0)));
            EXPECT_TRUE(stage != 0 || textAt(pixels, "Pelmar", topLine(-3.0)));
        }
    }
}

// Virtual-key codes of the keys the game binds to key presses.
enum : std::int32_t { VkSpace = 32, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40 };

class Game : public Render {
  protected:
    void SetUp() override {
        Render::SetUp();
        nullPlatformReset();
        resetGameGlobals();
        wireframe = 0;
    }

    // A key press (an arrow, space) or a typed g or G, handled by the window as the loop
    // does between two frames.
    static void press(std::int32_t key) {
        if (key == 'g' || key == 'G') {
            nullTypeChar(key, key == 'G' ? KEY_MOD_SHIFT : 0);
        } else {
            nullPressKey(key);
        }
        while (platformPeekMessage() && platformPumpMessage()) {
        }
    }

    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};

TEST_F(Game, StartsOnTheTitleOrPlaysTheStageFilesNamedAndReturnsZeroWhenClosed) {
    dir.write("stage0.stg", stageText({DirNorth}, {DirNorth, DirSouth}));
    nullCloseWindow();
    const char* const none[] = {"pelmar"};
    EXPECT_EQ(startGame(1, none), 0);

    EXPECT_EQ(nullCallCount("createWindow Pelmar - Quenmoor 1997 - 0,0 300x300"), 1);
    EXPECT_EQ(nullCallCount("glPixelProjection 300x300"), 0) << "the toolkit's reshape ran";
    EXPECT_EQ(std::tuple(phase, moveCount, die.top), std::tuple(PhaseTitle, 2u, 1))
        << "on the title, with its stage read and the die reset";

    // Switches, even one naming a stage file, and files that do not open change nothing.
    dir.write("mine.stg", stageText(staircase, staircase));
    const std::string absolute = (dir.path() / "mine.stg").string();
    const char* const ignored[] = {"pelmar", "missing.stg", ".", "/s",
                                   "/S",     "/x",          "/", absolute.c_str()};
    readCommandLine(8, ignored);
    EXPECT_EQ(phase, PhaseTitle);

    // Start-up reads the title's stage before the files: stage 1 is the named file's,
    // not the folder's stage1.stg.
    dir.write("stage1.stg", stageText({DirNorth}, {}));
    dir.write("short.stg", "5 5 5"); // three cells of column 0, nothing more
    nullCloseWindow();
    const char* const files[] = {"pelmar", "missing.stg", "mine.stg",
                                 "/s",     "short.stg",   "missing.stg"};
    startGame(6, files);
    // Column 0 from the short file, which had no count; the rest from the one before.
    EXPECT_EQ(std::tuple(phase, stageNumber, Board[0][2], Board[1][0], moveCount),
              std::tuple(PhasePlay, 1u, 5, 4, staircase.size()));
}

// The front and back polygon modes, and whether lighting, depth test and culling are on.
auto drawingState() {
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return std::tuple(modes[0], modes[1], glIsEnabled(GL_LIGHTING) != 0,
                      glIsEnabled(GL_DEPTH_TEST) != 0, glIsEnabled(GL_CULL_FACE) != 0);
}

TEST_F(Game, EachKeyLeavesARequestAndSpaceTogglesTheWireframeViewDrawingAFrameAtOnce) {
    dir.write("stage1.stg", stageText({DirEast, DirEast}, {})); // a 4 on (1, 0), a 1 on (2, 0)
    // The window as start-up opens it, reshaped as the loop does first.
    ASSERT_TRUE(openGameWindow());
    windowHandlers.reshapeHandler(300, 300);
    // Each key's request, from none; the last, an arrow, is left pending.
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t> keys[] = {
        {'g', 0, 0, 1},     {'G', 0, 0, 1},     {VkUp, 0, 1, 0},
        {VkDown, 0, -1, 0}, {VkLeft, -1, 0, 0}, {VkRight, 1, 0, 0}};
    for (auto [key, x, y, giveUp] : keys) {
        keyX = keyY = giveUpRequest = 0;
        press(key);
        EXPECT_EQ(std::tuple(keyX, keyY, giveUpRequest), std::tuple(x, y, giveUp)) << key;
    }
    EXPECT_EQ(nullPlatform.swapCount, 0) << "a request draws nothing by itself";

    // On the title with the arrow pending: the space key's frame judges it. Outlines,
    // unlit, through the back faces.
    press(VkSpace);
    EXPECT_EQ(drawingState(), std::tuple(GL_LINE, GL_LINE, false, false, false));
    EXPECT_EQ(std::tuple(wireframe, nullPlatform.swapCount, stageNumber), std::tuple(1, 1, 1u));
    // Squares: blue edges, black inside; the 1's octagon: a red outline around a hollow
    // middle; the die: pure white edges, and no white face filling its top; white text.
    const Pixels pixels = readPixels();
    // clang-format off
    const std::tuple<double, double, double, Rgb, int> probes[] = {{2.5, 2.5, 0, colour::Black, 0},
        {2.05, 2.5, 0, colour::Blue, 1}, {2.5, 0.5, 0.05, colour::Black, 0},
        {2.7, 0.5, 0.05, colour::Red, 1}, {0.9, 0.5, 0.9, colour::White, 1}};
    // clang-format on
    for (const auto& [x, y, z, expected, radius] : probes) {
        EXPECT_TRUE(pixelIs(pixels, onBoard(x, y, z), expected, radius)) << x << ", " << y;
    }
    EXPECT_FALSE(pixelIs(pixels, onBoard(0.65, 0.65, 0.9), colour::White, 1));
    EXPECT_TRUE(textAt(pixels, "STAGE 01", topLine(-10.0)));

    press(VkRight);
    windowHandlers.idleHandler(); // a frame that accepts the roll, at rest
    press(VkSpace);
    // Back faces stay outlines, culled.
    EXPECT_EQ(drawingState(), std::tuple(GL_FILL, GL_LINE, true, true, true));
    EXPECT_EQ(std::tuple(wireframe, nullPlatform.swapCount), std::tuple(0, 3));
    EXPECT_EQ(die.angleY, 15.0f) << "the space key's frame turned the die a step";
}

} // namespace
