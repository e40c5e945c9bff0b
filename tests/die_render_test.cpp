// The die on the screen in play: which faces and pips the viewer sees at rest, after
// rolls, and at the last angle of a roll.
#include <gtest/gtest.h>

#include "die.h"
#include "flow.h"
#include "frame.h"
#include "render_probe.h"

namespace {

class DiePixels : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        message = static_cast<MessageId>(0); // no bottom line
    }
    // Puts the die at rest on its cell, as the game does between rolls.
    Pixels drawAtRest() {
        die.posX = static_cast<float>(die.x + 0.5);
        die.posY = static_cast<float>(die.y + 0.5);
        die.posZ = 0.5f;
        die.angleX = 0.0f;
        die.angleY = 0.0f;
        drawFrame();
        return readPixels();
    }
    // A point (s, t) from the middle of the die's top, `above` its centre: the pips'
    // tops stand 0.5 above it, the body's face 0.4.
    ScreenPoint onTop(double s, double t, double above) const {
        return project(playView(), die.x + 0.5 + s, die.y + 0.5 + t, 0.5 + above, width, height);
    }
};

TEST_F(DiePixels, TheResetDieShowsItsRedOneToTheViewer) {
    const Pixels pixels = drawAtRest();
    EXPECT_TRUE(pixelIs(pixels, onTop(0, 0, 0.5), colour::Red));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.15, 0, 0.5), colour::Red));
    for (double s : {-0.3, 0.3}) {
        for (double t : {-0.3, 0.3}) {
            EXPECT_TRUE(pixelIs(pixels, onTop(s, t, 0.4), colour::White)) << s << "," << t;
        }
    }
}

TEST_F(DiePixels, ARollNorthBringsTheMagentaFiveOnTop) {
    rollNorth(die);
    const Pixels pixels = drawAtRest();
    for (const auto& pip :
         {std::pair{0.0, 0.0}, {-0.2, -0.2}, {0.2, -0.2}, {0.2, 0.2}, {-0.2, 0.2}}) {
        EXPECT_TRUE(pixelIs(pixels, onTop(pip.first, pip.second, 0.5), colour::Magenta))
            << pip.first << "," << pip.second;
    }
    EXPECT_TRUE(pixelIs(pixels, onTop(0, 0.2, 0.4), colour::White));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.2, 0, 0.4), colour::White));
    // The cell it left is bare again.
    EXPECT_TRUE(pixelIs(pixels, project(playView(), 0.5, 0.3, 0, width, height), colour::Blue));
}

TEST_F(DiePixels, TheTwoAndTheThreeRunAlongTheDiagonalsTheirFacesGive) {
    // After a roll east the 3 is on top, from lower left to upper right.
    rollEast(die);
    Pixels pixels = drawAtRest();
    EXPECT_TRUE(pixelIs(pixels, onTop(0, 0, 0.5), colour::Yellow));
    EXPECT_TRUE(pixelIs(pixels, onTop(-0.2, -0.2, 0.5), colour::Yellow));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.2, 0.2, 0.5), colour::Yellow));
    EXPECT_TRUE(pixelIs(pixels, onTop(-0.2, 0.2, 0.4), colour::White));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.2, -0.2, 0.4), colour::White));

    // After a roll south from the start the 2 is on top, from upper left to lower right.
    resetDie(die);
    die.y = 1;
    rollSouth(die);
    pixels = drawAtRest();
    EXPECT_TRUE(pixelIs(pixels, onTop(-0.16, 0.16, 0.5), colour::Green));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.16, -0.16, 0.5), colour::Green));
    EXPECT_TRUE(pixelIs(pixels, onTop(-0.16, -0.16, 0.4), colour::White));
    EXPECT_TRUE(pixelIs(pixels, onTop(0.16, 0.16, 0.4), colour::White));
}

// Pixels where the two frames differ although `a` shows no colour edge there: where
// geometry only rounds the other way, the pixel lies on an edge.
int differencesOffEdges(const Pixels& a, const Pixels& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (sameColour(a.at(x, y), b.at(x, y))) {
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    edge = edge || !sameColour(a.at(x, y), a.at(x + dx, y + dy));
                }
            }
            count += edge ? 0 : 1;
        }
    }
    return count;
}

// At the last angle of a roll the turned die must look just like the die at rest on
// the new cell: this holds only if it is turned about its own centre after being
// moved there, by the angles the game gives.
TEST_F(DiePixels, AtTheEndOfARollTheTurnedDieMatchesTheRolledOne) {
    struct Case {
        void (*roll)(Die&);
        float angleX, angleY;
        float posX, posY;
    };
    const Case cases[] = {
        {rollNorth, -90.0f, 0.0f, 2.5f, 3.5f},
        {rollSouth, 90.0f, 0.0f, 2.5f, 1.5f},
        {rollWest, 0.0f, -90.0f, 1.5f, 2.5f},
        {rollEast, 0.0f, 90.0f, 3.5f, 2.5f},
    };
    for (const Case& c : cases) {
        resetDie(die);
        die.x = 2;
        die.y = 2;
        Die turned = die;
        turned.posX = c.posX;
        turned.posY = c.posY;
        turned.posZ = 0.5f;
        turned.angleX = c.angleX;
        turned.angleY = c.angleY;
        c.roll(die);
        turned.steps = die.steps; // the top line counts the completed roll
        const Pixels rolled = drawAtRest();

        die = turned;
        drawFrame();
        const Pixels swung = readPixels();
        EXPECT_EQ(differencesOffEdges(rolled, swung), 0) << "roll to " << c.posX << "," << c.posY;
    }
}

} // namespace
