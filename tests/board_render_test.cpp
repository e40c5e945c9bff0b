// The board as it appears on the screen in play: where each cell lands, the black
// gaps, and the marks of every value.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "board_draw.h"
#include "opengl.h"
#include "render_probe.h"
#include "scene.h"
#include "stage.h"

namespace {

class BoardPixels : public RenderTest {
  protected:
    Pixels draw() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        setFrameView(PhasePlay);
        drawBoard();
        glPopMatrix();
        return readPixels();
    }
    ScreenPoint at(double x, double y, double z = 0.0) const {
        return project(playView(), x, y, z, width, height);
    }
};

const Rgb markColour[7] = {colour::Black, colour::Red,     colour::Green, colour::Yellow,
                           colour::Cyan,  colour::Magenta, colour::White};

TEST_F(BoardPixels, AnEmptyBoardIsThirtySixBlueSquaresPartedByBlackGaps) {
    const Pixels pixels = draw();
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            for (double d : {0.1, 0.5, 0.9}) {
                EXPECT_TRUE(pixelIs(pixels, at(x + d, y + 0.5), colour::Blue)) << x << "," << y;
                EXPECT_TRUE(pixelIs(pixels, at(x + 0.5, y + d), colour::Blue)) << x << "," << y;
            }
        }
    }
    // The gaps between cells and the frame around the board.
    for (int i = 0; i <= 6; ++i) {
        for (double along : {0.5, 2.5, 5.5}) {
            EXPECT_TRUE(pixelIs(pixels, at(i, along), colour::Black)) << "column gap " << i;
            EXPECT_TRUE(pixelIs(pixels, at(along, i), colour::Black)) << "row gap " << i;
        }
    }
    EXPECT_TRUE(pixelIs(pixels, at(-0.3, 3.0), colour::Black));
    EXPECT_TRUE(pixelIs(pixels, at(3.0, 6.3), colour::Black));
}

TEST_F(BoardPixels, TheFirstIndexRunsRightAndTheSecondUp) {
    Board[0][0] = 1; // lower left
    Board[5][0] = 3; // lower right
    Board[0][5] = 5; // upper left
    Board[5][5] = 2; // upper right
    const Pixels pixels = draw();
    EXPECT_TRUE(pixelIs(pixels, at(0.5, 0.5, 0.05), colour::Red));
    EXPECT_TRUE(pixelIs(pixels, at(5.5, 0.5, 0.05), colour::Yellow));
    EXPECT_TRUE(pixelIs(pixels, at(0.5, 5.5, 0.05), colour::Magenta));
    EXPECT_TRUE(pixelIs(pixels, at(5.34, 5.34, 0.05), colour::Green));
    // And the screen's lower left really is the board's lower left.
    EXPECT_LT(at(0.5, 0.5).x, 50);
    EXPECT_LT(at(0.5, 0.5).y, 50);
}

// Where each value's marks stand in its cell, as offsets from the cell's corner.
const std::vector<std::vector<std::pair<double, double>>> markOffsets = {
    {{0.5, 0.5}},
    {{0.34, 0.34}, {0.66, 0.66}},
    {{0.3, 0.3}, {0.5, 0.5}, {0.7, 0.7}},
    {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}},
    {{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.7, 0.7}, {0.5, 0.5}},
    {{0.3, 0.25}, {0.3, 0.5}, {0.3, 0.75}, {0.7, 0.25}, {0.7, 0.5}, {0.7, 0.75}},
};

TEST_F(BoardPixels, EachValueShowsItsMarksInItsColour) {
    for (int v = 1; v <= 6; ++v) {
        Board[v - 1][2] = v;
    }
    const Pixels pixels = draw();
    for (int v = 1; v <= 6; ++v) {
        for (const auto& [dx, dy] : markOffsets[v - 1]) {
            EXPECT_TRUE(pixelIs(pixels, at(v - 1 + dx, 2 + dy, 0.05), markColour[v]))
                << "value " << v << " mark at " << dx << "," << dy;
        }
    }
    // Between the marks the square shows blue.
    EXPECT_TRUE(pixelIs(pixels, at(1.66, 2.34, 0.05), colour::Blue)); // off the 2's diagonal
    EXPECT_TRUE(pixelIs(pixels, at(3.5, 2.5, 0.05), colour::Blue));   // the 4 has no middle
    EXPECT_TRUE(pixelIs(pixels, at(5.5, 2.5, 0.05), colour::Blue));   // between the 6's columns
}

TEST_F(BoardPixels, TheOneIsAnOctagonOfRadiusPointTwo) {
    Board[2][3] = 1;
    const Pixels pixels = draw();
    // The flat sides lie 0.185 from the centre, the corners 0.2.
    for (double inside : {-0.17, 0.17}) {
        EXPECT_TRUE(pixelIs(pixels, at(2.5 + inside, 3.5, 0.05), colour::Red)) << inside;
        EXPECT_TRUE(pixelIs(pixels, at(2.5, 3.5 + inside, 0.05), colour::Red)) << inside;
    }
    for (double outside : {-0.23, 0.23}) {
        EXPECT_TRUE(pixelIs(pixels, at(2.5 + outside, 3.5, 0.05), colour::Blue)) << outside;
        EXPECT_TRUE(pixelIs(pixels, at(2.5, 3.5 + outside, 0.05), colour::Blue)) << outside;
    }
}

TEST_F(BoardPixels, ValuesOutsideOneToSixArePlainCells) {
    const int plain[] = {0, -1, 7, 1 << 30, -(1 << 30)};
    for (int i = 0; i < 5; ++i) {
        Board[i][4] = plain[i];
    }
    const Pixels pixels = draw();
    for (int i = 0; i < 5; ++i) {
        // Wherever any value would put a mark, the cell stays blue.
        for (const auto& marks : markOffsets) {
            for (const auto& [dx, dy] : marks) {
                EXPECT_TRUE(pixelIs(pixels, at(i + dx, 4 + dy), colour::Blue))
                    << "value " << plain[i];
            }
        }
    }
}

} // namespace
