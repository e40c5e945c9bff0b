// The fixed GL state and the projection, read back from a real context.
#include <gtest/gtest.h>

#include "board_draw.h"
#include "opengl.h"
#include "render_probe.h"
#include "scene.h"

namespace {

using SceneState = RenderTest;

TEST_F(SceneState, InitSceneSetsTheLightTheMaterialsAndTheSwitches) {
    // Working records scribbled over first: initScene must copy the defaults back.
    boardMaterial.ambient[0] = 0.9f;
    light0.position[0] = 5.0f;
    initScene();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint value[2] = {};
    glGetIntegerv(GL_DEPTH_FUNC, value);
    EXPECT_EQ(value[0], GL_LESS);
    glGetIntegerv(GL_CULL_FACE_MODE, value);
    EXPECT_EQ(value[0], GL_BACK);
    glGetIntegerv(GL_SHADE_MODEL, value);
    EXPECT_EQ(value[0], GL_FLAT);
    glGetIntegerv(GL_POLYGON_MODE, value);
    EXPECT_EQ(value[0], GL_FILL); // front
    EXPECT_EQ(value[1], GL_LINE); // back

    // The light was specified with the identity: its direction is fixed in eye space.
    GLfloat v[4] = {};
    glGetLightfv(GL_LIGHT0, GL_POSITION, v);
    EXPECT_FLOAT_EQ(v[0], 0.2f);
    EXPECT_FLOAT_EQ(v[2], 1.0f);
    EXPECT_EQ(v[3], 0.0f);
    applyBoardMaterial();
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.2f);
    applyTextMaterial();
    glGetMaterialfv(GL_FRONT, GL_EMISSION, v);
    EXPECT_EQ(v[0] + v[1] + v[2], 3.0f);
}

TEST_F(SceneState, ReshapeSetsTheFrustumViewportAndTextSteps) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);
    reshape(600, 300);

    GLdouble m[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    // glFrustum(-3, 3, -3, 3, 10, 17); GL keeps it in single precision.
    EXPECT_FLOAT_EQ(static_cast<float>(m[0]), 10.0f / 3.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(m[5]), 10.0f / 3.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(m[10]), -27.0f / 7.0f);
    EXPECT_EQ(m[11], -1.0);
    EXPECT_FLOAT_EQ(static_cast<float>(m[14]), -340.0f / 7.0f);
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12] + m[13] + m[14], 0.0); // the identity again
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 300);
    EXPECT_EQ(windowWidth, 600);
    EXPECT_EQ(windowHeight, 300);
    EXPECT_FLOAT_EQ(textStepX, 0.1f);
    EXPECT_FLOAT_EQ(textStepY, 0.3f);

    // Minimised: the viewport goes to nothing, the text steps stay usable.
    reshape(0, 0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 0);
    EXPECT_EQ(viewport[3], 0);
    EXPECT_FLOAT_EQ(textStepX, 0.1f);
    EXPECT_FLOAT_EQ(textStepY, 0.3f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneState, AWideWindowStretchesTheBoardAboutTheCentre) {
    openContext(400, 200);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setFrameView(PhasePlay);
    drawBoard();
    glPopMatrix();
    const Pixels pixels = readPixels();

    const View view = playView();
    for (double c : {0.5, 2.5, 3.5, 5.5}) {
        EXPECT_TRUE(pixelIs(pixels, project(view, c, c, 0, 400, 200), colour::Blue)) << c;
        EXPECT_TRUE(pixelIs(pixels, project(view, c, 6.0 - c, 0, 400, 200), colour::Blue)) << c;
    }
    // The board's centre, where four gaps meet, is the window's centre.
    EXPECT_TRUE(pixelIs(pixels, {200.0, 100.0}, colour::Black));
    // Twice as wide as high: the blue runs through the middle of the window's cells.
    int firstX = -1, lastX = -1, firstY = -1, lastY = -1;
    const ScreenPoint mid = project(view, 2.5, 2.5, 0, 400, 200);
    for (int x = 0; x < 400; ++x) {
        if (pixelIs(pixels, {x + 0.5, mid.y}, colour::Blue)) {
            lastX = x;
            firstX = firstX < 0 ? x : firstX;
        }
    }
    for (int y = 0; y < 200; ++y) {
        if (pixelIs(pixels, {mid.x, y + 0.5}, colour::Blue)) {
            lastY = y;
            firstY = firstY < 0 ? y : firstY;
        }
    }
    EXPECT_NEAR(lastX - firstX, 2 * (lastY - firstY), 2);
    EXPECT_NEAR(firstX + lastX, 399, 2); // centred across
    EXPECT_NEAR(firstY + lastY, 199, 2); // and up and down
}

} // namespace
