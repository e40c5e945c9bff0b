// The offscreen GL context of the render tests: an SDL2 window on the offscreen driver.
#include "gl_context.h"

#include <GL/gl.h>
#include <SDL.h>

#include <utility>
#include <vector>

OffscreenGl::OffscreenGl(int width, int height) {
    // SDL stays initialised between contexts: quitting would unload Mesa's driver.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        for (auto [attribute, value] : {std::pair{SDL_GL_RED_SIZE, 8},
                                        {SDL_GL_GREEN_SIZE, 8},
                                        {SDL_GL_BLUE_SIZE, 8},
                                        {SDL_GL_DEPTH_SIZE, 16}}) {
            SDL_GL_SetAttribute(attribute, value);
        }
        window_ = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL);
    }
    context_ =
        window_ != nullptr ? SDL_GL_CreateContext(static_cast<SDL_Window*>(window_)) : nullptr;
    if (context_ == nullptr) {
        error_ = std::string("no offscreen GL context: ") + SDL_GetError();
    }
}

OffscreenGl::~OffscreenGl() {
    SDL_GL_DeleteContext(context_);
    SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
}

Pixels readFramePixels(int width, int height) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) *
                                   static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return Pixels(width, height, std::move(rgba));
}
