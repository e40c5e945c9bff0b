// Win32 platform, the window side: the class and the window, its device context, its
// pixel format chosen, set and described, the WGL context, the swap, message boxes and
// the end of the process.
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform.h"
#include "platform_palette.h"
#include "win32_platform.h"

namespace {

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

HWND asWindow(WindowHandle window) {
    return static_cast<HWND>(window);
}
HDC asDc(SurfaceHandle dc) {
    return static_cast<HDC>(dc);
}

// The descriptor's fields of one byte and the request's, in pairs: copied one way to
// ask for a format, the other way to describe one.
using ByteField = std::pair<std::uint8_t PixelFormatRequest::*, BYTE PIXELFORMATDESCRIPTOR::*>;
constexpr ByteField byteFields[] = {
    {&PixelFormatRequest::pixelType, &PIXELFORMATDESCRIPTOR::iPixelType},
    {&PixelFormatRequest::colorBits, &PIXELFORMATDESCRIPTOR::cColorBits},
    {&PixelFormatRequest::redBits, &PIXELFORMATDESCRIPTOR::cRedBits},
    {&PixelFormatRequest::redShift, &PIXELFORMATDESCRIPTOR::cRedShift},
    {&PixelFormatRequest::greenBits, &PIXELFORMATDESCRIPTOR::cGreenBits},
    {&PixelFormatRequest::greenShift, &PIXELFORMATDESCRIPTOR::cGreenShift},
    {&PixelFormatRequest::blueBits, &PIXELFORMATDESCRIPTOR::cBlueBits},
    {&PixelFormatRequest::blueShift, &PIXELFORMATDESCRIPTOR::cBlueShift},
    {&PixelFormatRequest::alphaBits, &PIXELFORMATDESCRIPTOR::cAlphaBits},
    {&PixelFormatRequest::accumBits, &PIXELFORMATDESCRIPTOR::cAccumBits},
    {&PixelFormatRequest::depthBits, &PIXELFORMATDESCRIPTOR::cDepthBits},
    {&PixelFormatRequest::stencilBits, &PIXELFORMATDESCRIPTOR::cStencilBits},
    {&PixelFormatRequest::auxBuffers, &PIXELFORMATDESCRIPTOR::cAuxBuffers},
    {&PixelFormatRequest::layerType, &PIXELFORMATDESCRIPTOR::iLayerType},
};

PIXELFORMATDESCRIPTOR descriptorOf(const PixelFormatRequest& request) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = request.version;
    pfd.dwFlags = request.flags;
    for (const ByteField& field : byteFields) {
        pfd.*field.second = request.*field.first;
    }
    return pfd;
}

PixelFormatRequest requestOf(const PIXELFORMATDESCRIPTOR& pfd) {
    PixelFormatRequest request{};
    request.size = pfd.nSize;
    request.version = pfd.nVersion;
    request.flags = pfd.dwFlags;
    for (const ByteField& field : byteFields) {
        request.*field.first = pfd.*field.second;
    }
    return request;
}

bool hasStream(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A windowed program starts with no standard streams. Started from a console, it writes
// --help, --version and its error texts there: each stream not already sent somewhere
// (a file, a pipe) goes to the console of the program that started it, if it has one.
struct ParentConsole {
    ParentConsole() {
        const bool out = hasStream(STD_OUTPUT_HANDLE);
        const bool err = hasStream(STD_ERROR_HANDLE);
        if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
            return;
        }
        if (!out) {
            std::freopen("CONOUT$", "w", stdout);
        }
        if (!err) {
            std::freopen("CONOUT$", "w", stderr);
        }
    }
};
const ParentConsole parentConsole;

void printLastError(const char* what) {
    std::fprintf(stderr, "%s: system error %lu\n", what,
                 static_cast<unsigned long>(GetLastError()));
}

} // namespace

void platformGetVersion(PlatformVersion& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    // Only NT 3.5 and 3.51 answer differently here, and they are told apart by it alone.
    const BOOL known = GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    version = {0, 0, 0};
    if (known) {
        version = {static_cast<std::int32_t>(info.dwPlatformId),
                   static_cast<std::int32_t>(info.dwMajorVersion),
                   static_cast<std::int32_t>(info.dwMinorVersion)};
    }
}

void platformGetFrameMetrics(FrameMetrics& metrics) {
    metrics = {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
               GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYBORDER)};
}

int platformRegisterClass(const char* className) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = win32WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = className;
    // The class outlives a window: a second opening finds it registered already.
    if (RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        return 1;
    }
    printLastError("RegisterClassA");
    return 0;
}

WindowHandle platformCreateWindow(const char* title, const WindowPlacement& p) {
    RECT outer = {p.clientX, p.clientY, p.clientX + p.width, p.clientY + p.height};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const int x = p.defaultPosition ? CW_USEDEFAULT : outer.left;
    const int y = p.defaultPosition ? CW_USEDEFAULT : outer.top;
    HWND window = CreateWindowExA(0, WindowClassName, title, WindowStyle, x, y,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        printLastError("CreateWindowExA");
    }
    return window;
}

void platformGetClientPosition(WindowHandle window, std::int32_t& x, std::int32_t& y) {
    RECT outer{};
    GetWindowRect(asWindow(window), &outer);
    FrameMetrics m{};
    platformGetFrameMetrics(m);
    x = outer.left + m.frameWidth;
    y = outer.top + m.captionHeight - m.borderHeight + m.frameHeight;
}

SurfaceHandle platformGetSurface(WindowHandle window) {
    return GetDC(asWindow(window));
}

void platformShowWindow(WindowHandle window) {
    ShowWindow(asWindow(window), SW_SHOWDEFAULT);
}

std::int32_t platformChoosePixelFormat(SurfaceHandle dc, const PixelFormatRequest& request) {
    const PIXELFORMATDESCRIPTOR pfd = descriptorOf(request);
    return ChoosePixelFormat(asDc(dc), &pfd);
}

int platformSetPixelFormat(SurfaceHandle dc, std::int32_t format,
                           const PixelFormatRequest& request) {
    const PIXELFORMATDESCRIPTOR pfd = descriptorOf(request);
    if (!SetPixelFormat(asDc(dc), format, &pfd)) {
        printLastError("SetPixelFormat");
        return 0;
    }
    return 1;
}

std::int32_t platformGetPixelFormat(SurfaceHandle dc) {
    return GetPixelFormat(asDc(dc));
}

std::int32_t platformDescribePixelFormat(SurfaceHandle dc, std::int32_t format,
                                         PixelFormatRequest& descriptor) {
    PIXELFORMATDESCRIPTOR pfd{};
    const int result = DescribePixelFormat(asDc(dc), format, sizeof pfd, &pfd);
    if (result > 0) {
        descriptor = requestOf(pfd);
    }
    return result;
}

ContextHandle platformCreateContext(SurfaceHandle dc) {
    return wglCreateContext(asDc(dc));
}

int platformMakeCurrent(SurfaceHandle dc, ContextHandle context) {
    if (context == nullptr) {
        return wglMakeCurrent(nullptr, nullptr) ? 1 : 0;
    }
    return wglMakeCurrent(asDc(dc), static_cast<HGLRC>(context)) ? 1 : 0;
}

void platformDeleteContext(ContextHandle context) {
    wglDeleteContext(static_cast<HGLRC>(context));
}

void platformReleaseSurface(WindowHandle window, SurfaceHandle dc) {
    ReleaseDC(asWindow(window), asDc(dc));
}

void platformDestroyWindow(WindowHandle window) {
    // WM_DESTROY reaches the core's teardown before this returns.
    DestroyWindow(asWindow(window));
}

void platformGetClientSize(WindowHandle window, std::int32_t& width, std::int32_t& height) {
    RECT client{};
    GetClientRect(asWindow(window), &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

int platformSwapBuffers(SurfaceHandle dc) {
    return SwapBuffers(asDc(dc)) ? 1 : 0;
}

void platformMessageBox(const char* text, const char* caption) {
    const std::size_t n = std::strlen(text);
    std::fprintf(stderr, "%s: %s%s", caption, text, n > 0 && text[n - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);
    const UINT icon = std::strcmp(caption, "Warning") == 0 ? MB_ICONWARNING : MB_ICONERROR;
    MessageBoxA(GetFocus(), text, caption, MB_OK | icon);
}

void platformExitProcess(int status) {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(status));
}
