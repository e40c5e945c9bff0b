// pelmar: the game's entry point. It only says where an installed game keeps its
// stage files; the working folder is always tried first.
#include "stage.h"
#include "startup.h"

#ifndef PELMAR_DATA_DIR
#define PELMAR_DATA_DIR ""
#endif

int main(int argc, char** argv) {
    static const char installedStages[] = PELMAR_DATA_DIR;
    stageDataDir = installedStages[0] != '\0' ? installedStages : nullptr;
    return startGame(argc, argv);
}
