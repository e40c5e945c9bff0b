# Shared by the tests that play the real game in an X server (source it): a scratch
# folder, checks that count failures, starting the game under timeout in $work/play,
# and waiting for screenshots to pass e2e_probe's checks (those two need $pelmar and
# $probe).
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-e2e.XXXXXX")
mkdir "$work/play"
game_pid=
failures=0
e2e_cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
    rm -rf "$work"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    # The picture that failed, for a look afterwards, in a folder of this run's own
    # under the working folder (ctest's).
    [ -n "${shots:-}" ] || shots=$(mktemp -d "$PWD/e2e-failures.XXXXXX")
    [ -f "$work/shot.ppm" ] && cp "$work/shot.ppm" "$shots/failure-$failures.ppm" &&
        echo "(screenshot: $shots/failure-$failures.ppm)" >&2
}
finish() {
    [ "$failures" -eq 0 ] && echo "all checks passed" && exit 0
    echo "$failures check(s) failed; game stderr:" >&2
    cat "$work/stderr" >&2
    exit 1
}

# Starts the game in $work/play with these arguments and waits for its window.
start_game() {
    (cd "$work/play" && exec timeout 30 "$pelmar" "$@" >"$work/stdout" 2>"$work/stderr") &
    game_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' |
        head -1)
    [ -n "$window" ] || { fail "no window appeared"; finish; }
    timeout 10 xdotool windowfocus --sync "$window"
}
# Waits for the game to end, which must be with status 0 and nothing on stdout.
end_game() { # how it was ended
    wait "$game_pid"
    local status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "exit status $status after $1"
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
}
escape() { xdotool key Escape; end_game Escape; }

shoot() { timeout 10 import -window "$window" -depth 8 "ppm:$work/shot.ppm"; }
# what, checks: the window must come to pass these e2e_probe checks within ten seconds;
# when it does not, what follows would only fail after it, so the test ends here.
wait_for() {
    local deadline=$((SECONDS + 10))
    until shoot && "$probe" "$work/shot.ppm" "${@:2}" 2>"$work/probe.err"; do
        if [ "$SECONDS" -ge "$deadline" ] || ! kill -0 "$game_pid" 2>/dev/null; then
            fail "$1: $(cat "$work/probe.err")"
            finish
        fi
        sleep 0.03
    done
}
