#!/usr/bin/env bash
# Installs what is missing, builds Pelmar and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j 2

if [ ! -x build/pelmar ]; then
    echo "play: the rules are built, but the game has no window yet; nothing to start." >&2
    exit 0
fi
exec build/pelmar "$@"
