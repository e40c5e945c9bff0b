#!/usr/bin/env bash
# The SDL2 platform in a real X server, driven from outside like a player would:
#   sdl2_window_test.sh SCENARIO TOOLKIT_DEMO X11_CLOSE_WINDOW
# SCENARIO is one of place, keys, close, no-display. Runs under scripts/with-xvfb.sh;
# every launch of the window is bounded by timeout.
set -uo pipefail

scenario=$1
demo=$2
close_window=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/sdl2-test.XXXXXX")
demo_pid=
cleanup() {
    if [ -n "$demo_pid" ] && kill -0 "$demo_pid" 2>/dev/null; then
        kill "$demo_pid" 2>/dev/null
        wait "$demo_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# Starts the demo in the background with its log in $work/log, and waits for its window.
start_demo() {
    timeout 30 "$demo" --log "$work/log" "$@" >"$work/stdout" 2>"$work/stderr" &
    demo_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Toolkit demo$' | head -1)
    if [ -z "$window" ]; then
        echo "FAIL: no window appeared; stderr:" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
    # The first reshape shows the loop is running.
    for _ in $(seq 50); do
        grep -q '^reshape' "$work/log" 2>/dev/null && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$window"
}

# Waits for the demo to end; sets $status.
wait_demo() {
    wait "$demo_pid"
    status=$?
    demo_pid=
}

keys_in_log() {
    grep '^key ' "$work/log" | cut -d' ' -f2 | tr '\n' ' ' | sed 's/ $//'
}

case "$scenario" in
place)
    start_demo --rect 40 60 320 240
    geometry=$(xwininfo -id "$window")
    expect_eq "left edge" 40 "$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")"
    expect_eq "top edge" 60 "$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")"
    expect_eq "width" 320 "$(awk '/Width:/ {print $2}' <<<"$geometry")"
    expect_eq "height" 240 "$(awk '/Height:/ {print $2}' <<<"$geometry")"
    expect_eq "first reshape" "reshape 320 240" "$(head -1 "$work/log")"
    "$close_window" "$window"
    wait_demo
    ;;
keys)
    start_demo --rect 0 0 300 300
    # Arrows, g, Shift+G, space, Return and a digit arrive; Ctrl+G, Alt+Up, F1, Tab,
    # BackSpace and punctuation reach nobody; a held key repeats.
    xdotool key --delay 30 Up Down Left Right g shift+g space ctrl+g alt+Up F1 Tab \
        BackSpace comma Return 7
    xdotool keydown Caps_Lock keyup Caps_Lock key g keydown Caps_Lock keyup Caps_Lock
    sleep 0.5
    expect_eq "keys" "38 40 37 39 103 71 32 13 55 71" "$(keys_in_log)"
    xdotool key Escape
    wait_demo
    expect_eq "exit status on Escape" 0 "$status"
    grep -q '^key 27' "$work/log" && fail "a later binding of Escape ran"
    grep -q '^run returned' "$work/log" && fail "Escape went through appRun's return"
    ;;
close)
    start_demo
    xdotool keydown Right
    sleep 1
    xdotool keyup Right
    repeats=$(grep -c '^key 39$' "$work/log")
    [ "$repeats" -ge 3 ] || fail "a held arrow gave $repeats presses, expected auto-repeat"
    "$close_window" "$window"
    wait_demo
    expect_eq "exit status on close" 0 "$status"
    expect_eq "last line" "run returned 0" "$(tail -1 "$work/log")"
    ;;
no-display)
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$work" \
        timeout 20 "$demo" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "exit status $status without a display"
    grep -q 'No display' "$work/stderr" || fail "no clear message on stderr"
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(cat "$work/stdout")"
    # Asked for on purpose, the offscreen driver gives a working window with no display.
    env -u DISPLAY SDL_VIDEODRIVER=offscreen timeout 20 "$demo" --log "$work/log" \
        >"$work/stdout" 2>"$work/stderr" &
    demo_pid=$!
    for _ in $(seq 50); do
        grep -q '^reshape' "$work/log" 2>/dev/null && break
        sleep 0.1
    done
    expect_eq "offscreen reshape" "reshape 320 240" "$(head -1 "$work/log")"
    kill -TERM "$demo_pid" # SDL turns it into a quit request: an orderly close
    wait_demo
    expect_eq "exit status after an interrupt" 0 "$status"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; demo stderr:" >&2
    cat "$work/stderr" >&2
    exit 1
fi
echo "sdl2 $scenario: all checks passed"
