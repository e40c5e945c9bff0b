// pelmar: the game's entry point. It answers --help and --version, says where the
// installed stage files are (the working folder is always tried first) and starts
// the game.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data_folder.h"
#include "stage.h"
#include "startup.h"

#ifndef PELMAR_VERSION
#define PELMAR_VERSION "unknown"
#endif

namespace {

const char* const helpText = R"(usage: pelmar [STAGE-FILE] [/SWITCH...]
       pelmar --help | --version

Roll the die from the lower-left cell of the board to the upper-right one. It may
roll onto a cell only if the face that then lies on the board shows the cell's
number, and never straight back. After the goal, the stage's solution is replayed
and the next of 20 stages follows.

  STAGE-FILE  a stage file to play at once, as stage 1 (stage 2 follows it); a file
              that cannot be opened is ignored; several are read in turn, each over
              the one before.
  /SWITCH     an argument that begins with a slash is a switch and never a file
              (/s is accepted; every switch is ignored), so name a stage file by a
              relative path.

Keys: arrows roll the die (on the title, start stage 1), g gives up, space turns
the wireframe view on and off, Escape quits.

The stages, stage0.stg (the title demo) to stage20.stg, are read from the working
folder, or else from the data folder: PELMAR_DATA_DIR when it names a folder,
otherwise ../share/pelmar from the program's folder (share/pelmar in a build folder).
Data folder: %s

Exit status: 0 when the window is closed or Escape is pressed, 1 when no window
could be opened.
)";

} // namespace

int main(int argc, char** argv) {
    static const std::string dataFolder =
        findDataFolder(std::getenv("PELMAR_DATA_DIR"), executablePath());
    stageDataDir = dataFolder.empty() ? nullptr : dataFolder.c_str();

    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf(helpText, dataFolder.empty() ? "(none found)" : dataFolder.c_str());
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("pelmar %s\n", PELMAR_VERSION);
            return 0;
        }
    }
    return startGame(argc, argv);
}
