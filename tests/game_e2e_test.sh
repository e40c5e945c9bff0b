#!/usr/bin/env bash
# The real game in a real X server, played like a player would, with real key presses
# and screenshots:
#   game_e2e_test.sh SCENARIO PELMAR E2E_PROBE X11_CLOSE_WINDOW DATA_DIR
# SCENARIO is one of title, start, play, give-up, command-line, missing-title-stage,
# data-dir, wireframe, close, no-display. PELMAR is the game built with DATA_DIR as its
# folder of installed stages; this script empties that folder before and after using
# it. Runs under scripts/with-xvfb.sh; every launch of the game is bounded by timeout,
# and every wait for the picture by a deadline.
set -uo pipefail

scenario=$1
pelmar=$2
probe=$3
close_window=$4
data_dir=$5

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-e2e.XXXXXX")
mkdir "$work/play"
game_pid=
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null
        wait "$game_pid" 2>/dev/null
    fi
    if [ "$scenario" = data-dir ] || [ "$scenario" = missing-title-stage ]; then
        rm -f "$data_dir"/*.stg
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    # The picture that failed, for a look afterwards (in ctest's working folder).
    [ -f "$work/shot.ppm" ] && cp "$work/shot.ppm" "e2e-$scenario-failure-$failures.ppm"
}
expect_eq() { # what, expected, actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

# --- stages ------------------------------------------------------------------------
# Six lines of six cells, each a board column from the bottom cell up, then the moves.

# The title demo: every value somewhere, a loop of moves run over and over.
title_stage='1 2 3 4 5 6
0 1 0 6 0 2
3 0 4 0 5 0
0 6 0 1 0 3
5 0 2 0 6 0
0 4 0 3 0 1
8
4 4 1 1 3 3 2 2'
# Five cells right along the bottom row, then five up the right column.
right_then_up='0 0 0 0 0 0
4 0 0 0 0 0
1 0 0 0 0 0
3 0 0 0 0 0
6 0 0 0 0 0
4 2 3 5 4 2
10
4 4 4 4 4 1 1 1 1 1'
# Up one, five cells right along the second row, then four up the right column. The
# die keeps off the bottom and top rows, where it would stand in front of the text.
up_right_up='0 2 0 0 0 0
0 4 0 0 0 0
0 5 0 0 0 0
0 3 0 0 0 0
0 2 0 0 0 0
0 4 1 3 6 4
10
1 4 4 4 4 4 1 1 1 1'

stage() { # file, text
    printf '%s\n' "$2" >"$1"
}

# --- what the picture should show ---------------------------------------------------
# Checks for e2e_probe; coordinates are board units of the face-on view of play.

add() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }

# The die at rest on cell (x, y): its white top, either side of the middle row of pips.
die_on() {
    echo "at $(add "$1" 0.5) $(add "$2" 0.15) 0.9 white at $(add "$1" 0.5) $(add "$2" 0.85) 0.9 white"
}
# A cell with no mark: blue wherever any value would put one.
plain() {
    local x=$1 y=$2
    echo "at $(add "$x" 0.5) $(add "$y" 0.5) 0 blue at $(add "$x" 0.3) $(add "$y" 0.3) 0 blue" \
        "at $(add "$x" 0.34) $(add "$y" 0.34) 0 blue at $(add "$x" 0.3) $(add "$y" 0.5) 0 blue"
}
# One mark of value v on cell (x, y), in its colour.
mark() {
    local x=$1 y=$2
    case "$3" in
    1) echo "at $(add "$x" 0.5) $(add "$y" 0.5) 0.05 red" ;;
    2) echo "at $(add "$x" 0.34) $(add "$y" 0.34) 0.05 green" ;;
    3) echo "at $(add "$x" 0.5) $(add "$y" 0.5) 0.05 yellow" ;;
    4) echo "at $(add "$x" 0.3) $(add "$y" 0.3) 0.05 cyan" ;;
    5) echo "at $(add "$x" 0.5) $(add "$y" 0.5) 0.05 magenta" ;;
    6) echo "at $(add "$x" 0.3) $(add "$y" 0.5) 0.05 white" ;;
    esac
}
top_line() { # stage, steps: "STAGE 01" on the left, "STEP 000" on the right
    echo "text top -10 $(printf '%q' "STAGE $(printf %02d "$1")")" \
        "text top 2 $(printf '%q' "STEP $(printf %03d "$2")")"
}
message() { # the bottom line, centred
    local text=$1
    echo "text bottom $(awk -v n="${#text}" 'BEGIN { print -n / 2 }') $(printf '%q' "$text")"
}

finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed; game stderr:" >&2
        cat "$work/stderr" >&2 2>/dev/null
        exit 1
    fi
    echo "pelmar $scenario: all checks passed"
    exit 0
}

# --- driving the game ---------------------------------------------------------------

# Starts the game in $work/play with these arguments and waits for its window.
start_game() {
    (cd "$work/play" && exec timeout 30 "$pelmar" "$@" >"$work/stdout" 2>"$work/stderr") &
    game_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' |
        head -1)
    if [ -z "$window" ]; then
        echo "FAIL: no window appeared; stderr:" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
    xdotool windowfocus --sync "$window"
}

# Waits for the game to end; sets $status.
wait_game() {
    wait "$game_pid"
    status=$?
    game_pid=
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(head -c 200 "$work/stdout")"
}

end_with_escape() {
    xdotool key Escape
    wait_game
    expect_eq "exit status on Escape" 0 "$status"
}

press() {
    xdotool key "$@"
}

shoot() {
    import -window "$window" -depth 8 "ppm:$work/shot.ppm"
}

# Whether the window shows all of these checks now.
holds() {
    shoot && eval "\"\$probe\" \"\$work/shot.ppm\" $*" 2>"$work/probe.err"
}

# what, checks: the window must show them now.
expect() {
    local what=$1
    shift
    holds "$@" || fail "$what: $(cat "$work/probe.err")"
}

# what, checks: the window must come to show them within ten seconds. When it does
# not, what follows would only fail after it: the scenario ends here.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        holds "$@" && return 0
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.03
    done
    fail "$what: $(cat "$work/probe.err")"
    finish
}

title_shown() {
    echo "text top -3 Pelmar $(message 'HIT DIR KEY TO START')"
}

# Starts stage 1 from the title with an arrow key.
start_stage_one() {
    wait_for "title" "$(title_shown)"
    press "${1:-Right}"
    wait_for "stage 1 started" "$(top_line 1 0) $(message START) $(die_on 0 0)"
}

# Rolls the die with `key` and waits until it rests on (x, y) after `steps` rolls.
roll() { # key, x, y, steps, message
    press "$1"
    wait_for "roll $1 to ($2, $3)" "$(top_line 1 "$4") $(message "$5") $(die_on "$2" "$3")"
}

# --- scenarios ----------------------------------------------------------------------

case "$scenario" in
title)
    stage "$work/play/stage0.stg" "$title_stage"
    start_game
    geometry=$(xwininfo -id "$window")
    expect_eq "left edge" 0 "$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")"
    expect_eq "top edge" 0 "$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")"
    expect_eq "width" 300 "$(awk '/Width:/ {print $2}' <<<"$geometry")"
    expect_eq "height" 300 "$(awk '/Height:/ {print $2}' <<<"$geometry")"
    wait_for "title" "$(title_shown)"
    # The demo runs under a turning camera: the picture keeps changing.
    cp "$work/shot.ppm" "$work/before.ppm"
    sleep 0.2
    shoot
    cmp -s "$work/before.ppm" "$work/shot.ppm" && fail "the title screen stands still"
    end_with_escape
    ;;
start)
    stage "$work/play/stage0.stg" "$title_stage"
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    start_stage_one Up
    # Stage 1 seen face-on: its marks where its file puts them, plain cells elsewhere.
    expect "stage 1's board" "$(mark 1 0 4) $(mark 2 0 1) $(mark 3 0 3) $(mark 4 0 6)" \
        "$(mark 5 0 4) $(mark 5 1 2) $(mark 5 2 3) $(mark 5 3 5) $(mark 5 5 2)" \
        "$(plain 0 1) $(plain 2 2) $(plain 4 5)"
    end_with_escape
    ;;
play)
    stage "$work/play/stage0.stg" "$title_stage"
    stage "$work/play/stage1.stg" "$up_right_up"
    stage "$work/play/stage2.stg" "$right_then_up"
    start_game
    start_stage_one
    # Off the board, or onto a cell whose number the face does not show: nothing.
    press Left Down Right
    sleep 0.3
    expect "refused moves" "$(top_line 1 0) $(message START) $(die_on 0 0)"
    roll Up 0 1 1 "TURN UP"
    press Down
    wait_for "go back" "$(message "DON'T GO BACK !!") $(die_on 0 1) $(top_line 1 1)"
    for x in 1 2 3 4 5; do
        roll Right "$x" 1 $((1 + x)) "TURN RIGHT"
    done
    for y in 2 3 4; do
        roll Up 5 "$y" $((5 + y)) "TURN UP"
    done
    # Onto the goal; its stored moves are then replayed from the start cell.
    press Up
    wait_for "replay" "$(message REPLAY) text top -10 STAGE\\ 01"
    wait_for "stage 2 after the replay" "$(top_line 2 0) $(message START) $(die_on 0 0)" \
        "$(mark 1 0 4) $(mark 2 0 1) $(mark 5 5 2) $(plain 0 1) $(plain 1 1)"
    end_with_escape
    ;;
give-up)
    stage "$work/play/stage0.stg" "$title_stage"
    stage "$work/play/stage1.stg" "$up_right_up"
    start_game
    start_stage_one
    roll Up 0 1 1 "TURN UP"
    roll Right 1 1 2 "TURN RIGHT"
    press g
    wait_for "g gives up" "$(message "GIVE UP") $(top_line 1 0) $(die_on 0 0) $(mark 1 1 4)"
    # A fresh start: no roll counts as going back.
    roll Up 0 1 1 "TURN UP"
    press shift+g
    wait_for "G gives up" "$(message "GIVE UP") $(top_line 1 0) $(die_on 0 0) $(mark 0 1 2)"
    end_with_escape
    ;;
command-line)
    stage "$work/play/stage0.stg" "$title_stage"
    stage "$work/play/mine.stg" "$up_right_up"
    start_game /s mine.stg
    wait_for "the named stage as stage 1" "$(top_line 1 0) $(message START) $(die_on 0 0)" \
        "$(mark 0 1 2) $(mark 1 1 4) $(plain 1 0)"
    roll Up 0 1 1 "TURN UP"
    end_with_escape
    # Switches are never stage files, even one that names a file that exists.
    start_game /s /S /x / "$work/play/mine.stg"
    wait_for "switches ignored" "$(title_shown)"
    end_with_escape
    ;;
missing-title-stage)
    rm -f "$data_dir"/*.stg
    start_game
    wait_for "title without its stage" "$(title_shown)"
    # The board and the moves stay empty: stage 1, missing as well, is all plain cells.
    press Up
    checks="$(top_line 1 0) $(message START) $(die_on 0 0)"
    for x in 0 1 2 3 4 5; do
        for y in 0 1 2 3 4 5; do
            [ "$x$y" = 00 ] || checks="$checks $(plain "$x" "$y")"
        done
    done
    wait_for "plain stage 1" "$checks"
    press Right Up
    sleep 0.3
    expect "no cell to roll onto" "$checks"
    end_with_escape
    ;;
data-dir)
    rm -f "$data_dir"/*.stg
    mkdir -p "$data_dir"
    stage "$data_dir/stage1.stg" "$up_right_up"
    start_game
    start_stage_one
    expect "stage 1 from the installed folder" "$(mark 0 1 2) $(plain 1 0)"
    end_with_escape
    # The working folder comes first.
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    start_stage_one
    expect "stage 1 from the working folder" "$(mark 1 0 4) $(plain 0 1)"
    end_with_escape
    ;;
wireframe)
    stage "$work/play/stage0.stg" "$title_stage"
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    start_stage_one
    press space
    wait_for "outlines without fill" "at 1.5 4.5 0 black near 1.05 4.5 0 blue" \
        "at 2.5 0.5 0.05 black near 2.7 0.5 0.05 red $(top_line 1 0) $(message START)"
    press space
    wait_for "filled again" "$(plain 1 4) $(mark 2 0 1) $(die_on 0 0)"
    end_with_escape
    ;;
close)
    stage "$work/play/stage0.stg" "$title_stage"
    start_game
    wait_for "title" "$(title_shown)"
    "$close_window" "$window"
    wait_game
    expect_eq "exit status on close" 0 "$status"
    ;;
no-display)
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$work" \
        timeout 20 "$pelmar" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "exit status $status without a display"
    grep -q 'No display' "$work/stderr" || fail "no clear message on stderr"
    [ -s "$work/stdout" ] && fail "wrote to stdout: $(cat "$work/stdout")"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

finish
