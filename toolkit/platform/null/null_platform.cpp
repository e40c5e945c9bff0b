// The null platform: a queue in memory, a record of every request and failures on
// demand. It behaves as a platform would: a resize reports the new size, closing runs
// the teardown through the window procedure and posts the quit request.
#include "null_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app.h"
#include "platform.h"

NullPlatform nullPlatform;

namespace {

// Handles are tokens, never dereferenced. The window's and the surface's are wider than
// 32 bits, as handles can be on a 64-bit system.
// NOLINTBEGIN(performance-no-int-to-ptr)
const WindowHandle windowObject =
    reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(0x7A5E12340A1DULL));
const SurfaceHandle surfaceObject =
    reinterpret_cast<SurfaceHandle>(static_cast<std::uintptr_t>(0x7A5E5678DC01ULL));
// NOLINTEND(performance-no-int-to-ptr)
int contextObject;

void record(std::string call) {
    nullPlatform.calls.push_back(std::move(call));
}

} // namespace

void nullRecord(std::string call) {
    record(std::move(call));
}

void nullPlatformReset() {
    nullPlatform = NullPlatform{};
    nullPlatform.clientWidth = 100;
    nullPlatform.clientHeight = 100;
    nullPlatform.stock.entries.assign(initialDefaultPaletteColors.begin(),
                                      initialDefaultPaletteColors.end());
    nullPlatform.selected = &nullPlatform.stock;
    nullPlatform.systemPaletteUse = SYSPAL_STATIC_USE;
    for (std::uint32_t i = 0; i < SystemColorCount; ++i) {
        nullPlatform.sysColors[i] = 0x604020 + i;
    }
    resetToolkitState();
}

void nullPost(WindowMessageKind kind, std::int32_t a, std::int32_t b, std::int32_t c) {
    nullPlatform.queue.push_back({kind, a, b, c});
}

void nullResize(std::int32_t width, std::int32_t height) {
    nullPlatform.clientWidth = width;
    nullPlatform.clientHeight = height;
    nullPost(WmSize, width, height);
}

void nullPressKey(std::int32_t virtualKey, std::int32_t modifiers) {
    nullPost(WmKeyDown, virtualKey, modifiers);
}

void nullTypeChar(std::int32_t character, std::int32_t modifiers) {
    nullPost(WmChar, character, modifiers);
}

void nullCloseWindow() {
    nullPost(WmClose);
}

namespace {

std::string joinCalls(std::vector<std::string>::const_iterator first,
                      std::vector<std::string>::const_iterator last) {
    std::string list;
    for (; first != last; ++first) {
        list += (list.empty() ? "" : "; ") + *first;
    }
    return list;
}

} // namespace

std::string nullCallList() {
    return joinCalls(nullPlatform.calls.begin(), nullPlatform.calls.end());
}

std::string nullCallsOf(void (*act)()) {
    nullPlatform.calls.clear();
    act();
    return nullCallList();
}

std::string nullCallsBetween(const std::string& after, const std::string& before) {
    const std::vector<std::string>& c = nullPlatform.calls;
    auto first = std::find(c.begin(), c.end(), after);
    first = first == c.end() ? first : first + 1;
    return joinCalls(first, std::find(first, c.end(), before));
}

std::string nullBoxList() {
    std::string list;
    for (const NullMessageBox& box : nullPlatform.boxes) {
        list += box.caption + ": " + box.text;
    }
    return list;
}

int nullCallCount(const std::string& call) {
    int n = 0;
    for (const std::string& c : nullPlatform.calls) {
        n += c == call ? 1 : 0;
    }
    return n;
}

bool nullCallsInOrder(const std::vector<std::string>& expected) {
    std::size_t next = 0;
    for (const std::string& c : nullPlatform.calls) {
        if (next < expected.size() && c == expected[next]) {
            ++next;
        }
    }
    return next == expected.size();
}

void platformGetVersion(PlatformVersion& version) {
    version = nullPlatform.version;
}

void platformGetFrameMetrics(FrameMetrics& m) {
    m = nullPlatform.frame;
}

int platformRegisterClass(const char* className) {
    record(std::string("registerClass ") + className);
    return nullPlatform.failRegisterClass ? 0 : 1;
}

WindowHandle platformCreateWindow(const char* title, const WindowPlacement& p) {
    record("createWindow " + std::string(title) + " " +
           (p.defaultPosition ? std::string("default")
                              : std::to_string(p.clientX) + "," + std::to_string(p.clientY)) +
           " " + std::to_string(p.width) + "x" + std::to_string(p.height));
    if (nullPlatform.failCreateWindow) {
        return nullptr;
    }
    nullPlatform.windowExists = true;
    nullPlatform.clientWidth = p.width;
    nullPlatform.clientHeight = p.height;
    return windowObject;
}

void platformGetClientPosition(WindowHandle, std::int32_t& x, std::int32_t& y) {
    x = nullPlatform.placedX;
    y = nullPlatform.placedY;
}

SurfaceHandle platformGetSurface(WindowHandle) {
    record("getSurface");
    return nullPlatform.failGetSurface ? nullptr : surfaceObject;
}

void platformShowWindow(WindowHandle) {
    record("showWindow");
}

std::int32_t platformChoosePixelFormat(SurfaceHandle, const PixelFormatRequest& request) {
    record("choosePixelFormat");
    nullPlatform.lastRequest = request;
    const bool single = (request.flags & PFD_DOUBLEBUFFER_FLAG) == 0;
    if (nullPlatform.failChooseFormat || (single && nullPlatform.failSingleBufferFormat)) {
        return 0;
    }
    return 7;
}

int platformSetPixelFormat(SurfaceHandle, std::int32_t format, const PixelFormatRequest&) {
    record("setPixelFormat " + std::to_string(format));
    if (nullPlatform.failSetFormat) {
        return 0;
    }
    nullPlatform.pixelFormat = format;
    return 1;
}

ContextHandle platformCreateContext(SurfaceHandle) {
    record("createContext");
    return nullPlatform.failCreateContext ? nullptr : &contextObject;
}

int platformMakeCurrent(SurfaceHandle, ContextHandle context) {
    record(context != nullptr ? "makeCurrent" : "makeCurrent none");
    return context != nullptr && nullPlatform.failMakeCurrent ? 0 : 1;
}

void platformDeleteContext(ContextHandle) {
    record("deleteContext");
}

void platformReleaseSurface(WindowHandle, SurfaceHandle) {
    record("releaseSurface");
}

void platformDestroyWindow(WindowHandle window) {
    record("destroyWindow");
    WindowMessage destroy = {WmDestroy, 0, 0, 0};
    windowProc(destroy);
    (void)window;
    nullPlatform.windowExists = false;
    nullPlatform.paintPending = false;
}

void platformGetClientSize(WindowHandle, std::int32_t& width, std::int32_t& height) {
    width = nullPlatform.clientWidth;
    height = nullPlatform.clientHeight;
}

int platformSwapBuffers(SurfaceHandle dc) {
    ++nullPlatform.swapCount;
    return dc != nullptr ? 1 : 0;
}

int platformPeekMessage() {
    return !nullPlatform.queue.empty() || nullPlatform.quitPosted || nullPlatform.paintPending;
}

int platformPumpMessage() {
    if (!nullPlatform.queue.empty()) {
        const WindowMessage msg = nullPlatform.queue.front();
        nullPlatform.queue.pop_front();
        windowProc(msg);
        return 1;
    }
    if (nullPlatform.quitPosted) {
        nullPlatform.quitPosted = false;
        return 0;
    }
    if (nullPlatform.paintPending) {
        // Painting validates the window; a paint handler that skips that still gets
        // only this one message.
        windowProc({WmPaint, 0, 0, 0});
        nullPlatform.paintPending = false;
        return 1;
    }
    // Nothing will ever arrive here: end the loop instead of hanging the test.
    record("wait on an empty queue");
    return 0;
}

void platformPostQuit(std::int32_t code) {
    record("postQuit " + std::to_string(code));
    nullPlatform.quitPosted = true;
    nullPlatform.quitCode = code;
}

void platformDiscardQuit() {
    record("discardQuit");
    nullPlatform.quitPosted = false;
}

int platformRepaintPending(WindowHandle) {
    return nullPlatform.paintPending ? 1 : 0;
}

void platformInvalidate(WindowHandle) {
    record("invalidate");
    nullPlatform.paintPending = nullPlatform.windowExists;
}

void platformBeginPaint(WindowHandle) {
    record("beginPaint");
    nullPlatform.paintPending = false;
}

void platformEndPaint(WindowHandle) {
    record("endPaint");
}

void platformCaptureMouse(WindowHandle) {
    record("captureMouse");
    nullPlatform.mouseCaptured = true;
}

void platformReleaseMouse() {
    record("releaseMouse");
    nullPlatform.mouseCaptured = false;
}

void platformMessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s", caption, text);
    nullPlatform.boxes.push_back({caption, text});
}

void platformExitProcess(int status) {
    std::exit(status);
}

std::int64_t platformSteadyNowNs() {
    return nullPlatform.clockNs;
}

void platformSleepNs(std::int64_t ns) {
    nullPlatform.clockNs += ns;
}

void platformGlResetState() {
    record("glResetState");
}

void platformGlDrawToFront() {
    record("glDrawToFront");
}

void platformGlPixelProjection(std::int32_t width, std::int32_t height) {
    record("glPixelProjection " + std::to_string(width) + "x" + std::to_string(height));
}
