// The key handlers. They leave requests in the game's globals and never look at the
// game's state; only the wireframe toggle changes the picture itself.
#include "key_handlers.h"

#include "flow.h"
#include "game_step.h"
#include "opengl.h"

std::int32_t wireframe = 0;

const KeyBinding gameKeys[GameKeyCount] = {
    {'g', onGiveUpKey},             // give up
    {'G', onGiveUpKey},             // give up, with Shift or Caps Lock
    {VK_SPACE_KEY, onWireframeKey}, // wireframe view on or off
    {VK_UP_KEY, onUpKey},           // roll north
    {VK_DOWN_KEY, onDownKey},       // roll south
    {VK_LEFT_KEY, onLeftKey},       // roll west
    {VK_RIGHT_KEY, onRightKey},     // roll east
};

void onGiveUpKey() {
    giveUpRequest = 1;
}

void onUpKey() {
    keyY = 1;
}

void onDownKey() {
    keyY = -1;
}

void onLeftKey() {
    keyX = -1;
}

void onRightKey() {
    keyX = 1;
}

void onWireframeKey() {
    // Back faces are always drawn as lines; with culling off they show through too.
    if (wireframe == 0) {
        glPolygonMode(GL_FRONT, GL_LINE);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        wireframe = 1;
    } else {
        glPolygonMode(GL_FRONT, GL_FILL);
        glEnable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        wireframe = 0;
    }
    gameStep();
}
