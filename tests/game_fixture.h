// A game with no window system: the toolkit on its null platform (scripted messages,
// no real window), the offscreen GL context current in its place, the rules' globals
// fresh and an empty working folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "game_test_support.h"
#include "gl_context.h"
#include "key_handlers.h"
#include "null_platform.h"
#include "platform.h"
#include "test_files.h"
#include "window.h"

// Virtual-key codes of the keys the game binds to key presses.
enum : std::int32_t { VkSpace = 32, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40 };

class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << gl.error();
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

    OffscreenGl gl{300, 300};
    TempDir dir;
    WorkingDirGuard inDir{dir.path()};
};
