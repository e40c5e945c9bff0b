// The pixel-format request from the display mode word, setting it on the surface and
// describing the format the surface got.
#include "pixel_format.h"

#include "app.h"
#include "platform.h"
#include "platform_palette.h"
#include "window_palette.h"

PixelFormatRequest makePixelFormatRequest(std::uint32_t mode) {
    PixelFormatRequest r{};
    r.size = 40;
    r.version = 1;
    r.flags = PFD_DRAW_TO_WINDOW_FLAG | PFD_SUPPORT_OPENGL_FLAG;
    if (mode & MODE_DOUBLE_BUFFER) {
        r.flags |= PFD_DOUBLEBUFFER_FLAG;
    }
    const bool colorIndex = (mode & MODE_COLOR_INDEX) != 0;
    r.pixelType = colorIndex ? PFD_TYPE_COLORINDEX_VALUE : PFD_TYPE_RGBA_VALUE;
    r.colorBits = colorIndex ? 8 : 24;
    r.alphaBits = (mode & MODE_ALPHA_BITS) ? 8 : 0;
    r.accumBits =
        (mode & MODE_ACCUM_BUFFER) ? static_cast<std::uint8_t>(r.colorBits + r.alphaBits) : 0;
    if (mode & MODE_DEPTH_16) {
        r.depthBits = 16;
    } else if (mode & MODE_DEPTH_BUFFER) {
        r.depthBits = 24;
    }
    r.stencilBits = (mode & MODE_STENCIL_BUFFER) ? 4 : 0;
    r.auxBuffers = 0;
    r.layerType = PFD_MAIN_PLANE_VALUE;
    return r;
}

int setupPixelFormat(SurfaceHandle dc, std::uint32_t mode) {
    const PixelFormatRequest request = makePixelFormatRequest(mode);
    const std::int32_t format = platformChoosePixelFormat(dc, request);
    if (format <= 0) {
        reportError("Selecting a pixel format failed\n");
        return 0;
    }
    if (!platformSetPixelFormat(dc, format, request)) {
        reportError("SetPixelFormat failed\n");
        return 0;
    }
    createWindowPalette(dc);
    return 1;
}

std::int32_t describeCurrentFormat(SurfaceHandle dc, PixelFormatRequest& descriptor) {
    const std::int32_t format = platformGetPixelFormat(dc);
    if (format <= 0) {
        reportError("Could not get pixel format for Dc 0x%08lX\n", handleDigits(dc));
        return 0;
    }
    if (platformDescribePixelFormat(dc, format, descriptor) <= 0) {
        reportError("Could not get a description of pixel format %d\n", static_cast<int>(format));
        return 0;
    }
    return format;
}
