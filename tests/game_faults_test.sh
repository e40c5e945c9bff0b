#!/usr/bin/env bash
# The real game under faults, end to end in a real X server:
#   game_faults_test.sh SCENARIO PELMAR PELMAR_STAGE
# special-files: FIFOs and a device as stage files (named on the command line, and as
#   stage0.stg and stage1.stg in the working folder) block neither the game nor the tool;
# signals: SIGINT and SIGTERM close the game in order, with status 0;
# display-lost: the X server going away ends the game within a second, with a message
#   and status 1 (this scenario stops the server of scripts/with-xvfb.sh, by its pid);
# unreachable-display: a display that nobody serves is a clear error.
# Every launch is bounded by timeout, every wait by a deadline.
set -uo pipefail

scenario=$1 pelmar=$2 tool=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-faults.XXXXXX")
timeout_pid=
cleanup() {
    [ -n "$timeout_pid" ] && kill "$timeout_pid" 2>/dev/null && wait "$timeout_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }

# Starts the game in $work with these arguments; once its window shows, $game is its pid.
start_game() {
    (cd "$work" && exec timeout 30 "$pelmar" "$@" >"$work/stdout" 2>"$work/stderr") &
    timeout_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor' | head -1)
    game=$(awk '{ print $1 }' "/proc/$timeout_pid/task/$timeout_pid/children")
    [ -n "$window" ] && [ -n "$game" ] && timeout 10 xdotool windowfocus --sync "$window" && return
    fail "no window appeared with arguments: $*"
    exit 1
}
# Waits up to $2 seconds for the game to end with status $1; sets $ms, the time taken.
expect_end() {
    local start=$(date +%s%N) status
    for ((i = 0; i < $2 * 100; i++)); do kill -0 "$game" 2>/dev/null || break; sleep 0.01; done
    ms=$((($(date +%s%N) - start) / 1000000))
    kill -0 "$game" 2>/dev/null && fail "still running $2 s after $what" && kill "$game"
    wait "$timeout_pid"
    status=$? timeout_pid=
    [ "$status" = "$1" ] || fail "exit status $status after $what, expected $1"
}

case "$scenario" in
special-files)
    mkfifo "$work/stage0.stg" "$work/stage1.stg" "$work/mine.stg"
    start_game mine.stg /dev/zero
    xdotool key Right # on to stage 1, whose file is a FIFO too
    sleep 0.5
    xdotool key Escape
    what=Escape expect_end 0 5
    for file in "$work/mine.stg" /dev/zero; do
        timeout 10 "$tool" check "$file" 2>"$work/tool-stderr"
        status=$?
        [ "$status" = 2 ] && grep -q "$file: cannot be read: not a regular file" "$work/tool-stderr" ||
            fail "pelmar-stage check $file: status $status, $(cat "$work/tool-stderr")"
    done
    ;;
signals)
    for signal in INT TERM; do
        start_game
        kill -"$signal" "$game"
        what=SIG$signal expect_end 0 5
        [ -s "$work/stderr" ] && fail "SIG$signal: $(cat "$work/stderr")"
    done
    ;;
display-lost)
    start_game
    kill "$XVFB_PID"
    what="the X server went away" expect_end 1 1
    grep -q "The connection to the display $DISPLAY was lost" "$work/stderr" ||
        fail "no clear message: $(cat "$work/stderr")"
    echo "the game ended $ms ms after the X server was stopped"
    ;;
unreachable-display)
    # A display number with neither a lock file nor a socket: nobody serves it.
    n=900
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    DISPLAY=":$n" timeout 20 "$pelmar" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" != 0 ] && [ "$status" != 124 ] || fail "exit status $status with display :$n"
    grep -q "No display could be opened.*DISPLAY is \":$n\"" "$work/stderr" ||
        fail "no clear message: $(cat "$work/stderr")"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
[ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
[ "$failures" -eq 0 ] && echo "pelmar $scenario: all checks passed" && exit 0
echo "$failures check(s) failed; game stderr:" >&2
cat "$work/stderr" >&2
exit 1
