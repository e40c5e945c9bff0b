#!/usr/bin/env bash
# The SDL2 platform in a real X server, driven from outside as a player would:
#   sdl2_window_test.sh SCENARIO TOOLKIT_DEMO X11_CLOSE_WINDOW
# SCENARIO is one of keys, close, no-display. Runs under scripts/with-xvfb.sh; every
# launch of the window is bounded by timeout (e2e_lib.sh's launch).
set -uo pipefail

scenario=$1 pelmar=$2 close_window=$3
source "$(dirname "$0")/e2e_lib.sh"

expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}
# Starts the demo with these arguments, logging to $work/log, waits for its first
# reshape, which shows that its loop runs, then focuses its window, into $window (unless
# it runs offscreen, through a launcher).
start_demo() {
    launch --log "$work/log" "$@"
    timeout 5 sh -c "until grep -q '^reshape' '$work/log' 2>/dev/null; do sleep 0.1; done" ||
        fail "the event loop never started"
    [ -n "${launcher:-}" ] && return
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Toolkit demo$' | head -1)
    [ -n "$window" ] || { fail "no window appeared"; finish; }
    xdotool windowfocus --sync "$window"
}

case "$scenario" in
close)
    # Placed and sized as asked; a held arrow repeats; the right button and minimising
    # (unmapping: a reshape to nothing, and back) arrive; the close box ends appRun.
    start_demo --rect 40 60 320 240
    expect_eq "geometry" "40 60 320 240" "$(xwininfo -id "$window" |
        awk -F': +' '/Absolute upper-left [XY]:|Width:|Height:/ {print $2}' | xargs)"
    xdotool keydown Right sleep 1 keyup Right
    [ "$(grep -c '^key 39$' "$work/log")" -ge 3 ] || fail "a held arrow did not repeat"
    xdotool mousemove --window "$window" 30 20 click 3
    xdotool windowunmap --sync "$window" windowmap --sync "$window" sleep 0.3
    expect_eq "right button" "mouse 16 2 30 20 mouse 32 2 30 20" "$(grep '^mouse' "$work/log" | xargs)"
    expect_eq "reshapes" "reshape 320 240 reshape 0 0 reshape 320 240" \
        "$(grep '^reshape' "$work/log" | xargs)"
    "$close_window" "$window"
    end_game "closing the window"
    expect_eq "last line" "run returned 0" "$(tail -1 "$work/log")"
    ;;
keys)
    # Arrows, g, Shift+G, space, Return and a digit arrive; Ctrl+G, Alt+Up, Alt+G, F1,
    # Tab, BackSpace and punctuation reach nobody; Caps Lock makes g a G. Escape ends it.
    start_demo
    xdotool key --delay 30 Up Down Left Right g shift+g space ctrl+g alt+Up alt+g F1 Tab \
        BackSpace comma Return 7
    xdotool keydown Caps_Lock keyup Caps_Lock key g keydown Caps_Lock keyup Caps_Lock sleep 0.5
    expect_eq "keys" "38 40 37 39 103 71 32 13 55 71" "$(grep '^key ' "$work/log" | cut -c5- | xargs)"
    escape
    ;;
no-display)
    # Asked for on purpose, the offscreen driver gives a working window with no display;
    # SDL turns SIGTERM into a quit request, an orderly close.
    launcher="env -u DISPLAY SDL_VIDEODRIVER=offscreen" start_demo
    expect_eq "offscreen reshape" "reshape 320 240" "$(head -1 "$work/log")"
    kill -TERM "$game_pid"
    end_game SIGTERM
    ;;
*) fail "unknown scenario $scenario" ;;
esac
finish
