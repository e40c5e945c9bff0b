// Where the game's installed stage files live: a folder named by the player, or the
// one that sits beside the game's own executable, so that any install prefix, a moved
// install tree, an unpacked package and a build folder all find their stages.
#pragma once

#include <string>

// The full path of the running program with links resolved, or "" where the system
// cannot tell. The only code of the game that differs between operating systems.
std::string executablePath();

// The data folder of the program at `program`: `chosen` (PELMAR_DATA_DIR) when it
// names an existing folder; otherwise the first existing one of the installed layout
// beside the program (<prefix>/bin/pelmar: <prefix>/share/pelmar) and a build
// folder's share/pelmar. "" when there is none.
std::string findDataFolder(const char* chosen, const std::string& program);
