// The fixed GL state, the projection and the views.
#include "scene.h"

#include "board_draw.h"
#include "die_draw.h"
#include "opengl.h"
#include "stage.h"

const MaterialParams defaultBoardMaterial = {
    {0.2f, 0.2f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f,
    {0.0f, 0.0f, 0.0f, 1.0f},
};

const MaterialParams defaultTextMaterial = {
    {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, 0.0f,
    {1.0f, 1.0f, 1.0f, 1.0f},
};

const LightModelParams defaultLightModel = {{0.2f, 0.2f, 0.2f, 1.0f}, 0.0f, 0.0f};

const LightParams defaultLight0 = {
    {0.4f, 0.4f, 0.4f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f},
    {1.0f, 1.0f, 1.0f, 1.0f},
    {0.2f, 0.2f, 1.0f, 0.0f},
    {0.0f, 0.0f, -1.0f},
    0.0f,
    180.0f,
    1.0f,
    0.0f,
    0.0f,
};

MaterialParams boardMaterial = {};
MaterialParams textMaterial = {};
LightModelParams lightModel = {};
LightParams light0 = {};

std::int32_t windowWidth = 300;
std::int32_t windowHeight = 300;

// The factors of the 300 x 300 window the game opens with, so that text placed before
// the first usable reshape still lands on the screen.
float textStepX = 0.2f;
float textStepY = 0.3f;

namespace {

// The projection: the same frustum for every window shape, so a window that is not
// square stretches the scene; only the text factors follow the size.
constexpr double FrustumHalfSize = 3.0;
constexpr double FrustumNear = 10.0;
constexpr double FrustumFar = 17.0;

// The text factors: the eye-space width of 60 and height of 90 pixels' worth of window.
constexpr double TextSpanX = 60.0;
constexpr double TextSpanY = 90.0;

// The turning view's steps per frame and the limits it stops at.
constexpr float SpinStep = 1.0f;
constexpr float SpinFullTurn = 360.0f;
constexpr float TiltStep = 3.0f;
constexpr float TiltLimit = -45.0f;
constexpr float DistanceStep = 0.2f;
constexpr float DistanceLimit = -14.0f;

// Moves the board's centre, (3, 3) in model space, onto the line of sight.
constexpr float BoardCentre = 3.0f;

void applyMaterial(const MaterialParams& m) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &m.shininess);
    glMaterialfv(GL_FRONT, GL_EMISSION, m.emission);
}

} // namespace

void initScene() {
    // A new context: display lists compiled in an earlier one are gone with it.
    forgetBoardList();
    forgetDieLists();

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    boardMaterial = defaultBoardMaterial;
    textMaterial = defaultTextMaterial;
    lightModel = defaultLightModel;
    light0 = defaultLight0;

    // The model-view matrix is still the identity here, so the light's direction is
    // fixed in eye space and does not turn with the board.
    applyLightModel();
    applyLight0();
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);

    // Back faces stay outlines: culled in the normal view, they show in the wireframe
    // view, which turns culling off.
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_LINE);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);

    glShadeModel(GL_FLAT);
}

void applyLightModel() {
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, lightModel.ambient);
    glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, lightModel.localViewer);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, lightModel.twoSide);
}

void applyLight0() {
    glLightfv(GL_LIGHT0, GL_AMBIENT, light0.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0.diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light0.specular);
    glLightfv(GL_LIGHT0, GL_POSITION, light0.position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, light0.spotDirection);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, light0.spotExponent);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, light0.spotCutoff);
    glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, light0.constantAttenuation);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, light0.linearAttenuation);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, light0.quadraticAttenuation);
}

void applyBoardMaterial() {
    applyMaterial(boardMaterial);
}

void applyTextMaterial() {
    applyMaterial(textMaterial);
}

void reshape(std::int32_t width, std::int32_t height) {
    // The toolkit never passes a negative size; should one come, it counts as empty
    // rather than becoming a GL error and a negative stored size.
    const std::int32_t w = width < 0 ? 0 : width;
    const std::int32_t h = height < 0 ? 0 : height;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-FrustumHalfSize, FrustumHalfSize, -FrustumHalfSize, FrustumHalfSize, FrustumNear,
              FrustumFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glViewport(0, 0, w, h);

    windowWidth = w;
    windowHeight = h;
    updateTextSteps(w, h);
}

void display() {}

void updateTextSteps(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    textStepX = static_cast<float>(TextSpanX / width);
    textStepY = static_cast<float>(TextSpanY / height);
}

void advanceCamera() {
    cameraSpin += SpinStep;
    if (cameraSpin > SpinFullTurn) {
        cameraSpin = 0.0f;
    }
    if (cameraTilt > TiltLimit) {
        cameraTilt -= TiltStep;
    }
    if (cameraDistance > DistanceLimit) {
        cameraDistance -= DistanceStep;
    }
}

void setFrameView(GamePhase current) {
    glPushMatrix();
    if (current == PhaseTitle || current == PhaseReplay) {
        advanceCamera();
        glTranslatef(0.0f, 0.0f, cameraDistance);
        glRotatef(cameraTilt, 1.0f, 0.0f, 0.0f);
        glRotatef(cameraSpin, 0.0f, 0.0f, 1.0f);
        glTranslatef(-BoardCentre, -BoardCentre, 0.0f);
    } else {
        glTranslatef(-BoardCentre, -BoardCentre, BoardViewDepth);
    }
}
