// A game with no window system: the toolkit on its null platform (scripted messages,
// no real window), the offscreen GL context current in its place, the rules' globals
// fresh and an empty working folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "game_test_support.h"
#include "gl_context.h"
#include "test_files.h"

class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a stage file into the working folder: `path` painted on impassable cells,
    // and the stored moves.
    void writeStage(const std::string& name, const Moves& path, const Moves& stored) const;

    // Lets the window procedure handle every queued message, as the loop does between
    // two frames.
    static void deliverMessages();
    // A key press (arrows, space) or a typed character (g, G) through the window.
    static void pressKey(std::int32_t virtualKey);
    static void typeChar(std::int32_t character);

    static Pixels readPixels() { return readFramePixels(300, 300); }

    std::unique_ptr<OffscreenGl> gl;
    TempDir dir;
    std::unique_ptr<WorkingDirGuard> workingDir;
};

// Virtual-key codes of the keys the game binds to key presses.
constexpr std::int32_t VkSpace = 32;
constexpr std::int32_t VkLeft = 37;
constexpr std::int32_t VkUp = 38;
constexpr std::int32_t VkRight = 39;
constexpr std::int32_t VkDown = 40;
