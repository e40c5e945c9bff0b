#!/usr/bin/env bash
# The SDL2 platform in a real X server, driven from outside as a player would:
#   sdl2_window_test.sh SCENARIO TOOLKIT_DEMO X11_CLOSE_WINDOW
# SCENARIO is one of keys, close, no-display. Runs under scripts/with-xvfb.sh; every
# launch of the window is bounded by timeout.
set -uo pipefail

scenario=$1 demo=$2 close_window=$3
source "$(dirname "$0")/e2e_lib.sh"

expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# Starts the demo (COMMAND...) in the background, logging to $work/log, and waits for
# its first reshape, which shows that its loop runs.
launch() {
    timeout 30 "$@" --log "$work/log" >"$work/stdout" 2>"$work/stderr" &
    game_pid=$!
    for _ in $(seq 50); do
        grep -q '^reshape' "$work/log" 2>/dev/null && return
        sleep 0.1
    done
    fail "the event loop never started"
}

# The same with the demo's ARGS..., in the X server, then focuses its window.
start_demo() {
    launch "$demo" "$@"
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Toolkit demo$' | head -1)
    [ -n "$window" ] || { fail "no window appeared"; finish; }
    xdotool windowfocus --sync "$window"
}

# Waits for the demo to end, into $status.
wait_demo() {
    wait "$game_pid"
    status=$?
    game_pid=
}

case "$scenario" in
close)
    # Placed and sized as asked; a held arrow repeats; the right button and minimising
    # arrive; the close box ends appRun in order.
    start_demo --rect 40 60 320 240
    expect_eq "geometry" "40 60 320 240" "$(xwininfo -id "$window" |
        awk -F': +' '/Absolute upper-left [XY]:|Width:|Height:/ {print $2}' | xargs)"
    expect_eq "first reshape" "reshape 320 240" "$(head -1 "$work/log")"
    xdotool keydown Right
    sleep 1
    xdotool keyup Right
    repeats=$(grep -c '^key 39$' "$work/log")
    [ "$repeats" -ge 3 ] || fail "a held arrow gave $repeats presses, expected auto-repeat"
    # The right button, pressed and released where the pointer is; minimised (unmapped)
    # the window reshapes to nothing, and back to its size when it comes back.
    xdotool mousemove --window "$window" 30 20 click 3
    xdotool windowunmap --sync "$window" windowmap --sync "$window"
    sleep 0.3
    expect_eq "right button" "mouse 16 2 30 20 mouse 32 2 30 20" "$(grep '^mouse' "$work/log" | xargs)"
    expect_eq "minimised and back" "reshape 0 0 reshape 320 240" \
        "$(grep '^reshape' "$work/log" | tail -2 | xargs)"
    "$close_window" "$window"
    wait_demo
    expect_eq "exit status on close" 0 "$status"
    expect_eq "last line" "run returned 0" "$(tail -1 "$work/log")"
    ;;
keys)
    # Arrows, g, Shift+G, space, Return and a digit arrive; Ctrl+G, Alt+Up, Alt+G, F1,
    # Tab, BackSpace and punctuation reach nobody; Caps Lock makes g a G.
    start_demo
    xdotool key --delay 30 Up Down Left Right g shift+g space ctrl+g alt+Up alt+g F1 Tab \
        BackSpace comma Return 7
    xdotool keydown Caps_Lock keyup Caps_Lock key g keydown Caps_Lock keyup Caps_Lock
    sleep 0.5
    expect_eq "keys" "38 40 37 39 103 71 32 13 55 71" "$(grep '^key ' "$work/log" | cut -c5- | xargs)"
    xdotool key Escape
    wait_demo
    expect_eq "exit status on Escape" 0 "$status"
    grep -q '^key 27\|^run returned' "$work/log" && fail "Escape ran a later binding or returned"
    ;;
no-display)
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$work" \
        timeout 20 "$demo" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "exit status $status without a display"
    grep -q 'No display' "$work/stderr" || fail "no clear message on stderr"
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(cat "$work/stdout")"
    # Asked for on purpose, the offscreen driver gives a working window with no display.
    launch env -u DISPLAY SDL_VIDEODRIVER=offscreen "$demo"
    expect_eq "offscreen reshape" "reshape 320 240" "$(head -1 "$work/log")"
    kill -TERM "$game_pid" # SDL turns it into a quit request: an orderly close
    wait_demo
    expect_eq "exit status after an interrupt" 0 "$status"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
finish
