#!/usr/bin/env bash
# The Windows game, pelmar.exe, under Wine in a real X server, played as a player would
# with real key presses and screenshots:
#   wine_smoke_test.sh SCENARIO PELMAR_EXE PELMAR_STAGE_EXE E2E_PROBE X11_CLOSE_WINDOW
# SCENARIO is play (a true-colour display) or no-pixel-format (an 8-bit one, where Wine
# has no OpenGL format). Runs under scripts/with-xvfb.sh and scripts/with-wine.sh. Every
# launch is bounded by timeout (an error box waits for a click), every wait for the
# picture by a deadline, and Wine is let go of each program before the next starts.
set -uo pipefail

scenario=$1 pelmar=$2 stage_tool=$3 probe=$4 close_window=$5
. "$(dirname "$0")/e2e_lib.sh"
stage "$work/play/stage1.stg" "$right_then_up"
stage "$work/play/mine.stg" "$up_right_up"

launcher=wine
wine_done() { timeout 30 wineserver -w || fail "Wine still busy after $1"; }

if [ "$scenario" = no-pixel-format ]; then
    # The error box says why, as stderr does; its OK button ends the game with status 1.
    launch
    timeout 20 xdotool search --sync --onlyvisible --name '^Error$' windowfocus --sync key Return ||
        fail "no error box"
    wait "$game_pid"
    status=$? game_pid=
    [ "$status" -eq 1 ] || fail "exit status $status after the error box"
    grep -q '^Error: Selecting a pixel format failed' "$work/stderr" || fail "no error on stderr"
    wine_done "the error box"
    finish
fi

# The stage tool, a console program, checks a stage there too; the game, a windowed one,
# still answers --help on its standard output, naming the data folder beside it.
(cd "$work/play" && timeout 60 wine "$stage_tool" check stage1.stg >"$work/stdout" 2>&1) ||
    fail "pelmar-stage.exe check: $(cat "$work/stdout")"
timeout 60 wine "$pelmar" --help 2>/dev/null | grep -q '^Data folder: .*share.pelmar' ||
    fail "pelmar.exe --help names no data folder"
wine_done "the stage tool and --help"

start_game
[ "$(xwininfo -id "$window" | grep -cE '^ +(Width|Height): 300$')" = 2 ] ||
    fail "the client area is not 300 x 300"
wait_for "the title demo" title
cp "$work/shot.ppm" "$work/before.ppm"
sleep 0.2
shoot && cmp -s "$work/before.ppm" "$work/shot.ppm" && fail "the title demo stands still"
xdotool key Up
# shellcheck disable=SC2046 # one probe argument per word
wait_for "stage 1 as its file lays it out" stage 1 steps 0 msg START die 0 0 \
    $(board_checks "$work/play/stage1.stg")
# g and G are characters: they reach the game only as typed ones.
for key in g shift+g; do
    roll Right 1 0 1 "TURN RIGHT"
    xdotool key "$key"
    wait_for "$key gives up" msg "GIVE UP" stage 1 steps 0 die 0 0
done
xdotool key space
wait_for "the wireframe view" hollow 1 4 stage 1 steps 0
escape
wine_done Escape

# A stage file named on the command line is played at once; the close box ends the game.
start_game /s mine.stg
# shellcheck disable=SC2046
wait_for "the named stage as stage 1" stage 1 steps 0 msg START die 0 0 \
    $(board_checks "$work/play/mine.stg")
"$close_window" "$window"
end_game "closing the window"
wine_done "closing the window"
finish
