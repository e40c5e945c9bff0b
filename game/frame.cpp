// The frame's drawing: what goes on the screen, in which order, and where the text
// lines stand.
#include "frame.h"

#include <charconv>
#include <cstring>

#include "board_draw.h"
#include "die.h"
#include "die_draw.h"
#include "flow.h"
#include "font.h"
#include "opengl.h"
#include "scene.h"
#include "stage.h"

namespace {

const float textColour[3] = {1.0f, 1.0f, 1.0f};
const float textNormal[3] = {0.0f, 0.0f, 1.0f};

// Where the text lines stand in eye space: the top line on the board's upper edge, the
// bottom line a text row below its lower edge, both at the board's depth.
constexpr float TopLineY = 3.0f;
constexpr float BottomLineY = -3.0f;
// Raster factors of the top line: the title centred; the stage on the left and the
// step count on the right, eight characters each.
constexpr float TitleFactor = -3.0f;
constexpr float StageFactor = -10.0f;
constexpr float StepFactor = 2.0f;

void drawDieAtPose() {
    glPushMatrix();
    glTranslatef(die.posX, die.posY, die.posZ);
    glRotatef(die.angleY, 0.0f, 1.0f, 0.0f);
    glRotatef(die.angleX, 1.0f, 0.0f, 0.0f);
    drawDie(&die);
    glPopMatrix();
}

void startTextAt(float x, float y) {
    glColor3fv(textColour);
    glRasterPos3f(x, y, BoardViewDepth);
}

// A number's decimal digits, without sign or leading zeros.
void printNumber(std::uint32_t value) {
    char digits[16] = {};
    std::to_chars(digits, digits + sizeof digits - 1, value);
    printString(digits);
}

void drawBottomLine() {
    const char* text = messageText(message);
    if (text == nullptr) {
        return;
    }
    startTextAt(messageRasterFactor(message) * textStepX, BottomLineY - textStepY);
    printString(text);
}

void drawTopLine() {
    if (stageNumber == 0) {
        startTextAt(TitleFactor * textStepX, TopLineY);
        printString("Pelmar");
        return;
    }
    startTextAt(StageFactor * textStepX, TopLineY);
    printString("STAGE ");
    if (stageNumber < 10) {
        printString("0");
    }
    printNumber(stageNumber);

    startTextAt(StepFactor * textStepX, TopLineY);
    printString("STEP ");
    if (die.steps < 100) {
        printString("0");
    }
    if (die.steps < 10) {
        printString("0");
    }
    printNumber(die.steps);
}

} // namespace

float messageRasterFactor(std::int32_t id) {
    const char* text = messageText(id);
    if (text == nullptr) {
        return 0.0f;
    }
    return -0.5f * static_cast<float>(std::strlen(text));
}

void drawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setFrameView(phase);
    drawBoard();
    drawDieAtPose();
    glPopMatrix();

    // With lighting on, the raster colour comes from the text material's white
    // emission; in the wireframe view, lighting is off and the white colour counts.
    applyTextMaterial();
    glNormal3fv(textNormal);
    drawBottomLine();
    drawTopLine();

    glFlush();
}
