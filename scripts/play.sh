#!/usr/bin/env bash
# Installs what is missing, builds Pelmar and its stage tool, and starts the game.
# Arguments go to the game, which runs in the folder this script was started from:
# stage files found there (or named with a path relative to it) come first, the
# checkout's stages/ (linked into the build folder as its data folder) fill in the rest.
set -euo pipefail
player_dir=$PWD
cd "$(dirname "$0")/.."
checkout=$PWD

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2 --target pelmar pelmar-stage

cd "$player_dir"
exec "$checkout/build/pelmar" "$@"
