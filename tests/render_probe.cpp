// The render tests' offscreen context, their assertions on pixels and their fixture.
#include "render_probe.h"

#include <SDL.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "die.h"
#include "flow.h"
#include "font.h"
#include "game_test_support.h"
#include "opengl.h"
#include "scene.h"
#include "stage.h"

void RenderTest::openContext(int w, int h) {
    ASSERT_TRUE(openOffscreenGl(w, h));
    width = w;
    height = h;

    initScene();
    buildFont();
    reshape(w, h);

    resetGameGlobals();
    stageNumber = 1;
    phase = PhasePlay;
    resetDie(die);
    die.posX = die.posY = die.posZ = 0.5f;
}

bool openOffscreenGl(int width, int height) {
    // SDL and its GL library stay loaded between contexts (the library's first load is
    // never undone): unloading Mesa's driver after each test would only load it anew.
    static SDL_Window* window = nullptr;
    static SDL_GLContext context = nullptr;
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    static const bool loaded =
        SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    for (auto [attribute, value] : {std::pair{SDL_GL_RED_SIZE, 8},
                                    {SDL_GL_GREEN_SIZE, 8},
                                    {SDL_GL_BLUE_SIZE, 8},
                                    {SDL_GL_ALPHA_SIZE, 8},
                                    {SDL_GL_DEPTH_SIZE, 16}}) {
        SDL_GL_SetAttribute(attribute, value);
    }
    window = loaded ? SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL) : nullptr;
    context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "no offscreen GL context: %s\n", SDL_GetError());
    }
    return context != nullptr;
}

Pixels readFramePixels(int width, int height) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) *
                                   static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return Pixels{width, height, std::move(rgba)};
}
