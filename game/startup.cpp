// Start-up, in the order the game relies on: the stage data before the window, the
// window before any GL state, the GL state before the loop's first frame.
#include "startup.h"

#include "die.h"
#include "flow.h"
#include "font.h"
#include "game_step.h"
#include "key_handlers.h"
#include "scene.h"
#include "stage.h"

void readCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg == nullptr || arg[0] == '/') {
            continue;
        }
        // Several files that open are read in turn, each over the one before.
        if (loadStageFile(arg)) {
            phase = PhasePlay;
            stageNumber = 1;
        }
    }
}

bool openGameWindow() {
    appSetDisplayMode(GameDisplayMode);
    appSetWindowRect(0, 0, windowWidth, windowHeight);
    if (!appOpenWindow(WindowTitle)) {
        return false;
    }
    initScene();
    buildFont();
    resetDie(die);

    appSetIdleHandler(gameStep);
    appSetReshapeHandler(reshape);
    for (const KeyBinding& binding : gameKeys) {
        appBindKey(binding.key, binding.handler);
    }
    return true;
}

int startGame(int argc, const char* const* argv) {
    loadStage();
    readCommandLine(argc, argv);
    // Without a window there is no GL context to draw with; the toolkit has already
    // shown the reason.
    if (!openGameWindow()) {
        return 1;
    }
    appRun(display);
    return 0;
}
