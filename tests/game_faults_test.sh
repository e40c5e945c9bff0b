#!/usr/bin/env bash
# The real game under faults, end to end in a real X server:
#   game_faults_test.sh SCENARIO PELMAR
# special-files: FIFOs and a device as stage files (named on the command line, and as
#   stage0.stg and stage1.stg in the working folder) never block the game;
# signals: SIGINT and SIGTERM close the game in order, with status 0;
# display-lost: the X server going away ends the game within a second, with a message
#   and status 1 (this scenario stops the server of scripts/with-xvfb.sh, by its pid);
# unreachable-display: a display that nobody serves is a clear error.
# Every launch is bounded by timeout, every wait by a deadline.
set -uo pipefail

scenario=$1 pelmar=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-faults.XXXXXX")
export PELMAR_DATA_DIR=$work # no stages but those of the scenario
timeout_pid=
trap '[ -n "$timeout_pid" ] && kill "$timeout_pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*; the game's stderr:" >&2; cat "$work/stderr" >&2; exit 1; }

# Starts the game in $work with these arguments; once its window shows, $game is its pid.
start_game() {
    (cd "$work" && exec timeout 30 "$pelmar" "$@" >"$work/stdout" 2>"$work/stderr") &
    timeout_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor' | head -1)
    game=$(awk '{ print $1 }' "/proc/$timeout_pid/task/$timeout_pid/children")
    [ -n "$window" ] && [ -n "$game" ] && timeout 10 xdotool windowfocus --sync "$window" ||
        fail "no window appeared with arguments: $*"
}
# after, status, seconds: the game must end within that time, with that status.
expect_end() {
    local deadline=$(($(date +%s%N) + $3 * 1000000000))
    while kill -0 "$game" 2>/dev/null && [ "$(date +%s%N)" -lt "$deadline" ]; do sleep 0.01; done
    kill -0 "$game" 2>/dev/null && fail "still running $3 s after $1"
    wait "$timeout_pid"
    local status=$?
    timeout_pid=
    [ "$status" = "$2" ] || fail "exit status $status after $1, expected $2"
}

case "$scenario" in
special-files)
    mkfifo "$work/stage0.stg" "$work/stage1.stg" "$work/mine.stg"
    start_game mine.stg /dev/zero
    xdotool key Right # on to stage 1, whose file is a FIFO too
    sleep 0.5
    xdotool key Escape
    expect_end Escape 0 5
    ;;
signals)
    for signal in INT TERM; do
        start_game
        kill -"$signal" "$game"
        expect_end "SIG$signal" 0 5
        [ -s "$work/stderr" ] && fail "SIG$signal: a message on stderr"
    done
    ;;
display-lost)
    start_game
    kill "$XVFB_PID"
    expect_end "the X server went away" 1 1
    grep -q "The connection to the display $DISPLAY was lost" "$work/stderr" || fail "no clear message"
    ;;
unreachable-display)
    # A display number with neither a lock file nor a socket: nobody serves it.
    n=900
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    DISPLAY=":$n" timeout 20 "$pelmar" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" != 0 ] && [ "$status" != 124 ] || fail "exit status $status with display :$n"
    grep -q "No display could be opened.*DISPLAY is \":$n\"" "$work/stderr" || fail "no clear message"
    ;;
*) fail "unknown scenario $scenario" ;;
esac
[ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
echo "pelmar $scenario: all checks passed"
