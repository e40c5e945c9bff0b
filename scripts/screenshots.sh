#!/usr/bin/env bash
# Screenshots of the real game for README.md, written to docs/screenshots/: the title
# screen, a stage in play, a roll in mid-turn and the wireframe view. Builds the game
# when needed and plays it with real key presses on a private Xvfb, on sample stages
# of its own, so that the pictures do not depend on the stages the checkout ships.
#   scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${PELMAR_SCREENSHOTS_DISPLAY:-}" ]; then
    scripts/install-deps.sh
    if [ ! -f build/CMakeCache.txt ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build build -j 2 --target pelmar
    PELMAR_SCREENSHOTS_DISPLAY=1 exec scripts/with-xvfb.sh "$0" "$@"
fi

out=$PWD/docs/screenshots
pelmar=$PWD/build/pelmar
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-screenshots.XXXXXX")
game_pid=
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill -CONT "$game_pid" 2>/dev/null
        kill "$game_pid" 2>/dev/null
        wait "$game_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The title demo: every value somewhere, a loop of moves run over and over.
cat >"$work/stage0.stg" <<'EOF'
1 2 3 4 5 6
0 1 0 6 0 2
3 0 4 0 5 0
0 6 0 1 0 3
5 0 2 0 6 0
0 4 0 3 0 1
8
4 4 1 1 3 3 2 2
EOF
# Stage 1: up two, or up one and along the second row; the rest are decoys.
cat >"$work/stage1.stg" <<'EOF'
0 2 1 6 0 3
6 4 1 0 1 0
0 5 0 3 0 0
0 3 0 4 0 5
0 2 0 0 2 0
0 4 1 3 6 4
10
1 4 4 4 4 4 1 1 1 1
EOF

cd "$work"
timeout 120 "$pelmar" >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' | head -1)
if [ -z "$window" ]; then
    echo "screenshots: the game's window did not appear:" >&2
    cat "$work/stderr" >&2
    exit 1
fi
xdotool windowfocus --sync "$window"

shoot() { # file
    import -window "$window" -strip "$1"
}
# Presses a key and gives the die time to finish its roll (7 frames at 60 a second);
# a key that arrives during a roll is lost.
press() {
    xdotool key "$1"
    sleep 0.3
}

# The title once the camera has tilted back and turned a little.
sleep 1.5
shoot "$out/title.png"

press Right # stage 1
press Up
press Right
press Right
shoot "$out/play.png"

# A roll in mid-turn: stop the game a few frames after the key press. A shot that
# equals the die at rest before the press came too early, one that equals it at rest
# afterwards too late; then try again from the same cell.
caught=0
for pause in 0.06 0.05 0.08 0.04 0.07 0.06 0.05 0.08 0.04 0.07; do
    press g # back to the start
    press Up
    shoot "$work/before.png"
    xdotool key Up
    sleep "$pause"
    kill -STOP "$game_pid"
    shoot "$work/mid.png"
    kill -CONT "$game_pid"
    sleep 0.3
    shoot "$work/after.png"
    if ! cmp -s "$work/mid.png" "$work/before.png" && ! cmp -s "$work/mid.png" "$work/after.png"; then
        caught=1
        break
    fi
done
if [ "$caught" -ne 1 ]; then
    echo "screenshots: could not catch the die in mid-turn" >&2
    exit 1
fi
cp "$work/mid.png" "$out/roll.png"

press space
shoot "$out/wireframe.png"

xdotool key Escape
wait "$game_pid"
game_pid=
echo "screenshots: title.png, play.png, roll.png and wireframe.png in docs/screenshots/"
