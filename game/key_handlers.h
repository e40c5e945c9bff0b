// The game's keys: what each bound key asks of the next frame, and the wireframe view
// of the space key.
#pragma once

#include <cstdint>

#include "app.h"

// 1 while the space key's wireframe view is on.
extern std::int32_t wireframe;

// Each records its request for the next frame and returns; the frame decides whether
// the request counts.
void onGiveUpKey();
void onUpKey();
void onDownKey();
void onLeftKey();
void onRightKey();

// Switches between the filled, lit view and the wireframe view, then runs one frame
// at once so that the change shows.
void onWireframeKey();

// The keys as the game binds them, in binding order.
constexpr std::int32_t GameKeyCount = 7;
extern const KeyBinding gameKeys[GameKeyCount];
