#!/usr/bin/env bash
# Screenshots of the real game for README.md, written to docs/screenshots/: the title
# screen, a stage in play, a roll in mid-turn and the wireframe view. Builds the game
# when needed and plays it with real key presses on a private Xvfb: the shipped
# stages 0 and 1, stage 1 along the first moves of its stored solution.
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
timeout_pid=
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill -CONT "$game_pid" 2>/dev/null
        kill "$game_pid" 2>/dev/null
    fi
    [ -n "$timeout_pid" ] && wait "$timeout_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cp stages/stage0.stg stages/stage1.stg "$work/"
# The keys of stage 1's first three stored moves: after 36 cells and the count.
keys=()
for code in $(tr -s ' \t\r' '\n\n\n' <"$work/stage1.stg" | grep . | sed -n '38,40p'); do
    case "$code" in
    1) keys+=(Up) ;;
    2) keys+=(Down) ;;
    3) keys+=(Left) ;;
    4) keys+=(Right) ;;
    esac
done
if [ "${#keys[@]}" -ne 3 ]; then
    echo "screenshots: stage1.stg has no three stored moves to play" >&2
    exit 1
fi

cd "$work"
timeout 120 "$pelmar" >"$work/stdout" 2>"$work/stderr" &
timeout_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' | head -1)
if [ -z "$window" ]; then
    echo "screenshots: the game's window did not appear:" >&2
    cat "$work/stderr" >&2
    exit 1
fi
# The game itself, which SIGSTOP must reach, is the child of timeout.
game_pid=$(awk '{ print $1 }' "/proc/$timeout_pid/task/$timeout_pid/children")
xdotool windowfocus --sync "$window"

shoot() { # file
    import -window "$window" -strip "$1"
}
# The board without the two text lines, whose message changes when a roll is accepted.
shoot_board() { # file
    import -window "$window" -crop 300x256+0+24 "ppm:$1"
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
for key in "${keys[@]}"; do
    press "$key"
done
shoot "$out/play.png"

# A roll in mid-turn: stop the game a few frames after the key press. A board that
# equals the die at rest before the press came too early, one that equals it at rest
# afterwards too late; then try again from the same cell.
caught=0
for pause in 0.06 0.05 0.08 0.04 0.07 0.06 0.05 0.08 0.04 0.07; do
    press g # back to the start, then the first move
    press "${keys[0]}"
    shoot_board "$work/before.ppm"
    xdotool key "${keys[1]}"
    sleep "$pause"
    kill -STOP "$game_pid"
    shoot "$work/mid.png"
    shoot_board "$work/mid.ppm"
    kill -CONT "$game_pid"
    sleep 0.3
    shoot_board "$work/after.ppm"
    if ! cmp -s "$work/mid.ppm" "$work/before.ppm" && ! cmp -s "$work/mid.ppm" "$work/after.ppm"; then
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
wait "$timeout_pid"
game_pid=
timeout_pid=
echo "screenshots: title.png, play.png, roll.png and wireframe.png in docs/screenshots/"
