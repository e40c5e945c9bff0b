// A real OpenGL context with no display, for tests that draw and read the pixels
// back: EGL on Mesa's surfaceless platform, desktop GL (compatibility profile), and
// an RGBA8 pbuffer with a depth buffer as the frame buffer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class OffscreenGl {
  public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // False when no context could be made current; error() then says why.
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    void* display_ = nullptr;
    void* surface_ = nullptr;
    void* context_ = nullptr;
    int width_;
    int height_;
    std::string error_;
};

struct Rgb {
    int r, g, b;
};

// The frame buffer as it stands, read back before any swap.
class Pixels {
  public:
    static Pixels read(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // Window coordinates: x from the left, y from the bottom. Outside reads as black.
    Rgb at(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgba_;
};
