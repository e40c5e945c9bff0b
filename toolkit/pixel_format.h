// The pixel-format request built from the display mode word, and the step of opening
// the window that asks the platform for it.
#pragma once

#include <cstdint>

#include "window.h"

// Flag and type values as the Win32 pixel-format descriptor has them.
constexpr std::uint32_t PFD_DOUBLEBUFFER_FLAG = 0x00000001;
constexpr std::uint32_t PFD_DRAW_TO_WINDOW_FLAG = 0x00000004;
constexpr std::uint32_t PFD_SUPPORT_OPENGL_FLAG = 0x00000020;
constexpr std::uint32_t PFD_NEED_PALETTE_FLAG = 0x00000080;
constexpr std::uint32_t PFD_NEED_SYSTEM_PALETTE_FLAG = 0x00000100;
constexpr std::uint8_t PFD_TYPE_RGBA_VALUE = 0;
constexpr std::uint8_t PFD_TYPE_COLORINDEX_VALUE = 1;
constexpr std::uint8_t PFD_MAIN_PLANE_VALUE = 0;

// The fields of the Win32 descriptor that a request or a described format uses; a
// platform copies them into its own structure. Everything not listed is 0.
struct PixelFormatRequest {
    std::uint16_t size;    // 40, the size of the Win32 descriptor
    std::uint16_t version; // 1
    std::uint32_t flags;
    std::uint8_t pixelType;
    std::uint8_t colorBits;
    std::uint8_t redBits;
    std::uint8_t redShift;
    std::uint8_t greenBits;
    std::uint8_t greenShift;
    std::uint8_t blueBits;
    std::uint8_t blueShift;
    std::uint8_t alphaBits;
    std::uint8_t accumBits;
    std::uint8_t depthBits;
    std::uint8_t stencilBits;
    std::uint8_t auxBuffers;
    std::uint8_t layerType;
};

PixelFormatRequest makePixelFormatRequest(std::uint32_t mode);

// Chooses and sets the format for `dc` from `mode`, then makes the window's palette where
// the display needs one. 1 on success; 0 after an error box. A palette that cannot be
// made fails nothing.
int setupPixelFormat(SurfaceHandle dc, std::uint32_t mode);

// Fills `descriptor` with the format set on `dc`: its number, or 0 after an error box.
std::int32_t describeCurrentFormat(SurfaceHandle dc, PixelFormatRequest& descriptor);
