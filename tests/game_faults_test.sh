#!/usr/bin/env bash
# The real game under faults, end to end in a real X server:
#   game_faults_test.sh SCENARIO PELMAR
# special-files: FIFOs and a device as stage files (named on the command line, and as
#   stage0.stg and stage1.stg in the working folder) never block the game;
# signals: SIGINT and SIGTERM close the game in order, with status 0;
# display-lost: the X server going away ends the game within a second, with a message
#   and status 1 (this scenario stops the server of scripts/with-xvfb.sh, by its pid);
# no-display: a display that is not set, or that nobody serves, is a clear error.
# Runs under scripts/with-xvfb.sh; every launch is bounded by timeout, every wait by a
# deadline.
set -uo pipefail

scenario=$1 pelmar=$2
. "$(dirname "$0")/e2e_lib.sh"
export PELMAR_DATA_DIR=$work/play # no stages but the scenario's

# after, status, seconds: the game must end within that time, with that status.
expect_end() {
    timeout "$3" tail -s 0.01 --pid="$(game_process)" -f /dev/null ||
        fail "still running $3 s after $1"
    end_game "$1" "$2"
}

case "$scenario" in
special-files)
    mkfifo "$work/play/stage0.stg" "$work/play/stage1.stg" "$work/play/mine.stg"
    start_game mine.stg /dev/zero
    xdotool key Right # on to stage 1, whose file is a FIFO too
    sleep 0.5
    xdotool key Escape
    expect_end Escape 0 5
    ;;
signals)
    for name in INT TERM; do
        start_game
        kill -"$name" "$(game_process)"
        expect_end "SIG$name" 0 5
        [ -s "$work/stderr" ] && fail "SIG$name: $(cat "$work/stderr")"
    done
    ;;
display-lost)
    start_game
    kill "$XVFB_PID"
    expect_end "the X server went away" 1 1
    grep -q "The connection to the display $DISPLAY was lost" "$work/stderr" || fail "no clear message"
    ;;
no-display)
    # A display number with neither a lock file nor a socket: nobody serves it.
    n=900
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    for display in "" ":$n"; do
        env -u DISPLAY -u WAYLAND_DISPLAY ${display:+DISPLAY=$display} XDG_RUNTIME_DIR="$work" \
            timeout 20 "$pelmar" >"$work/stdout" 2>"$work/stderr"
        status=$?
        [ "$status" != 0 ] && [ "$status" != 124 ] || fail "exit status $status, display '$display'"
        grep -q "No display could be opened.*${display:+DISPLAY is \"$display\"}" "$work/stderr" ||
            fail "no clear message with display '$display'"
        [ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
    done
    ;;
*) fail "unknown scenario $scenario" ;;
esac
finish
