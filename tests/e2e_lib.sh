# Shared by the scripts that play the real game in Xvfb (sourced, not run): a scratch
# folder, stage files, finding the window, screenshots read by e2e_probe, waits with
# deadlines, the verdict. The sourcing script sets scenario, pelmar (the game), probe
# (e2e_probe) and, for a game that runs through another program (Wine), launcher.

# The scratch folder, with play/ for the game's working folder; removed at the end, when
# a game still running is stopped.
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-e2e.XXXXXX")
mkdir "$work/play"
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Stage files of six lines of six cells, each a board column from the bottom cell up,
# then the count and the moves. up_right_up: up one, five cells right along the second
# row, then four up the right column, so that the die keeps off the bottom and top rows,
# where it would stand in front of the text. right_then_up: five cells right along the
# bottom row, then five up the right column.
up_right_up=$(<"$(dirname "${BASH_SOURCE[0]}")/stages/up_right_up.stg")
right_then_up=$(<"$(dirname "${BASH_SOURCE[0]}")/stages/right_then_up.stg")
stage() { printf '%s\n' "$2" >"$1"; }

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    # The picture that failed, for a look afterwards, in the working folder (ctest's),
    # named for this run.
    [ ! -f "$work/shot.ppm" ] || cp "$work/shot.ppm" "e2e-$scenario-$$-failure-$failures.ppm"
}
finish() {
    [ "$failures" -eq 0 ] && echo "pelmar $scenario: all checks passed" && exit 0
    echo "$failures check(s) failed; game stderr:" >&2
    cat "$work/stderr" >&2
    exit 1
}

# Starts the game in $work/play with these arguments, in the background, for at most
# game_timeout seconds (60 unless the sourcing script sets it).
launch() {
    # shellcheck disable=SC2086 # the launcher is one word or none
    (cd "$work/play" && exec timeout "${game_timeout:-60}" ${launcher:-} "$pelmar" "$@" \
        >"$work/stdout" 2>"$work/stderr") &
    game_pid=$!
}
# The same, then waits for the game's window, into $window, and gives it the keyboard.
start_game() {
    launch "$@"
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' |
        head -1)
    [ -n "$window" ] || { fail "no window appeared"; finish; }
    timeout 10 xdotool windowfocus --sync "$window"
}
# The game's own process, under timeout (and the launcher).
game_process() { awk '{ print $1 }' "/proc/$game_pid/task/$game_pid/children" 2>/dev/null; }
# Waits for the game to end, which must be with status 0 (or the one given), within the
# seconds given if any, and with nothing on stdout.
end_game() { # how it was ended, [status], [seconds]
    local game
    game=$(game_process)
    [ -z "${3:-}" ] || [ -z "$game" ] || timeout "$3" tail -s 0.01 --pid="$game" -f /dev/null ||
        fail "still running $3 s after $1"
    wait "$game_pid"
    local status=$?
    game_pid=
    [ "$status" -eq "${2:-0}" ] || fail "exit status $status after $1"
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
}
escape() { xdotool key Escape; end_game Escape; }

shoot() { timeout 10 import -window "$window" -depth 8 "ppm:$work/shot.ppm"; }
# Whether the window shows all of these e2e_probe checks now.
holds() { shoot && "$probe" "$work/shot.ppm" "$@" 2>"$work/probe.err"; }
# what, checks: the window must come to show them within ten seconds. When it does
# not, what follows would only fail after it: the scenario ends here.
wait_for() {
    local deadline=$((SECONDS + 10))
    until holds "${@:2}"; do
        if [ "$SECONDS" -ge "$deadline" ] || ! kill -0 "$game_pid" 2>/dev/null; then
            fail "$1: $(cat "$work/probe.err")"
            finish
        fi
        sleep 0.03
    done
}

# A stage file's 36 cell values, one a line, each outside 1 to 6 as 0 (no mark).
board_values() {
    awk '{ for (i = 1; i <= NF && n < 36; i++) { print ($i >= 1 && $i <= 6) ? $i : 0; n++ } }' "$1"
}
# The e2e_probe checks of a stage file's board, every cell but the die's (0, 0).
board_checks() {
    board_values "$1" | awk 'NR > 1 { n = NR - 1; printf "cell %d %d %d ", n / 6, n % 6, $1 }'
}

# Starts stage 1 from the title with an arrow key.
start_stage_one() {
    wait_for title title
    xdotool key "${1:-Right}"
    wait_for "stage 1 started" stage 1 steps 0 msg START die 0 0
}
# key, x, y, steps, [message]: rolls onto (x, y) in stage 1 and comes to rest there,
# with the message unless none is given (the die may stand in front of it).
roll() {
    xdotool key "$1"
    wait_for "roll $1 to ($2, $3)" stage 1 steps "$4" die "$2" "$3" ${5:+msg} ${5:+"$5"}
}
