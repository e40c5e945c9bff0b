// A real OpenGL context with no display, for tests that draw and read the pixels back:
// SDL2's offscreen driver (EGL on Mesa), desktop GL with a depth buffer.
#pragma once

#include <string>

#include "screen_probe.h"

class OffscreenGl {
  public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // False when no context could be made current; error() then says why.
    bool ok() const { return context_ != nullptr; }
    const std::string& error() const { return error_; }

  private:
    void* window_ = nullptr;
    void* context_ = nullptr;
    std::string error_;
};

// The frame buffer as it stands, read back before any swap.
Pixels readFramePixels(int width, int height);
