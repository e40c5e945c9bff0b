// The fixed GL state of the game and where the scene is seen from: the light and
// the materials, the projection kept by the reshape handler, the fixed and the
// turning view, and the text scale factors that follow the window's size.
#pragma once

#include <cstdint>

#include "flow.h"

struct MaterialParams {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
    float emission[4];
};

struct LightParams {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float position[4]; // w = 0: a directional light from (x, y, z)
    float spotDirection[3];
    float spotExponent;
    float spotCutoff;
    float constantAttenuation;
    float linearAttenuation;
    float quadraticAttenuation;
};

struct LightModelParams {
    float ambient[4];
    float localViewer;
    float twoSide;
};

// Each parameter set has a constant default and a working copy; initScene copies the
// defaults over, and only the working copies are ever handed to GL.
extern const MaterialParams defaultBoardMaterial;
extern const MaterialParams defaultTextMaterial;
extern const LightModelParams defaultLightModel;
extern const LightParams defaultLight0;

extern MaterialParams boardMaterial;
extern MaterialParams textMaterial; // white emission, so text placed with lighting on is white
extern LightModelParams lightModel;
extern LightParams light0;

// The client size last given to reshape; 300 x 300 until then, the size the window
// opens with.
extern std::int32_t windowWidth;
extern std::int32_t windowHeight;

// Eye-space widths that make about 8.76 and 13.14 pixels at the text's depth, whatever
// the window's size: the screen text is laid out in multiples of them.
extern float textStepX;
extern float textStepY;

// Once per GL context, with it current: clear colour, working records, light, and the
// fixed switches (lighting, depth test, normalisation, polygon modes, culling, flat
// shading). Display lists of an earlier context are forgotten.
void initScene();

void applyLightModel();
void applyLight0();
void applyBoardMaterial();
void applyTextMaterial();

// The reshape handler: the projection, the viewport and the text scale factors.
void reshape(std::int32_t width, std::int32_t height);

// The paint handler. Every frame is drawn by the idle handler, so it has nothing to do.
void display();

// Pushes the model-view matrix and applies the view of `current`: the fixed face-on
// view in play, the turning one (advanced by a step) on the title and in the replay.
void setFrameView(GamePhase current);

// The text scale factors for a client size. A zero size (a minimised window) keeps
// the factors as they were, since nothing is visible then anyway.
void updateTextSteps(std::int32_t width, std::int32_t height);

// One frame's step of the turning view: the spin goes round in 361 frames, the tilt
// and the distance move to their limits and stay there.
void advanceCamera();
