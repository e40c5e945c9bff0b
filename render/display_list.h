// Drawing kept in a display list: compiled once, replayed every frame, compiled again
// only when what it draws has changed. Software renderers spend much of a frame
// taking immediate-mode calls apart; a list hands them the same vertices ready made.
#pragma once

#include "opengl.h"

// Replays `list`, first compiling `draw` into it when it has no name yet or is
// `stale`. A name of 0 means none: one is taken here, and where GL has none to give,
// `draw` runs at once instead, so the picture is the same either way. Names belong to
// the context that was current when they were taken.
template <typename Draw> void drawThroughList(GLuint& list, bool stale, Draw draw) {
    if (list == 0) {
        list = glGenLists(1);
        stale = true;
    }
    if (list == 0) {
        draw();
        return;
    }
    if (stale) {
        // Compiled, not compiled and executed: every frame then goes the same way
        // through GL, the first one included.
        glNewList(list, GL_COMPILE);
        draw();
        glEndList();
    }
    glCallList(list);
}
