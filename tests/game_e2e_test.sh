#!/usr/bin/env bash
# The real game in a real X server, played as a player would, with real key presses
# and screenshots:
#   game_e2e_test.sh SCENARIO PELMAR E2E_PROBE X11_CLOSE_WINDOW
# Every scenario has a temporary folder of its own, and in it the game's data folder
# (PELMAR_DATA_DIR), empty: no stages but the scenario's own stand in for missing ones.
# The scenario installed (scripts/check-package.sh) plays an installed game with its own
# data folder and the shipped stages. Runs under scripts/with-xvfb.sh. The rules, the
# command line and the platform's own cases are the unit tests' and the SDL2 window
# tests' business.
set -uo pipefail

scenario=$1 pelmar=$2 probe=$3 close_window=$4
. "$(dirname "$0")/e2e_lib.sh"
data_dir=$work/data
mkdir "$data_dir"
if [ "$scenario" = installed ]; then unset PELMAR_DATA_DIR; else export PELMAR_DATA_DIR=$data_dir; fi

case "$scenario" in
play)
    stage "$work/play/stage0.stg" "$up_right_up"
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    # At the screen's top left corner, 300 x 300.
    geometry=$(xwininfo -id "$window")
    [ "$(grep -cE 'Absolute upper-left [XY]: +0$|(Width|Height): 300$' <<<"$geometry")" = 4 ] ||
        fail "window geometry: $geometry"
    wait_for title title
    # The demo runs under a turning camera: the picture keeps changing.
    cp "$work/shot.ppm" "$work/before.ppm"
    sleep 0.2
    shoot && cmp -s "$work/before.ppm" "$work/shot.ppm" && fail "the title screen stands still"
    xdotool key Up
    # Stage 1 seen face-on: its marks where its file puts them, plain cells elsewhere.
    read -ra board <<<"$(board_checks "$work/play/stage1.stg")"
    wait_for "stage 1" stage 1 steps 0 msg START die 0 0 "${board[@]}"
    roll Right 1 0 1 "TURN RIGHT"
    # Space: outlines without fill, the text as before, until it is pressed again.
    xdotool key space
    wait_for "outlines" hollow 1 4 stage 1 steps 1
    xdotool key space
    wait_for "filled again" cell 1 4 0 die 1 0
    "$close_window" "$window"
    end_game "closing the window"
    ;;
installed)
    # Started from a folder with no stages, the game plays the shipped ones from its own
    # data folder: stage 0 as the title demo, then stage 1 along its stored solution.
    mapfile -t stage0 < <(tr -s ' \t\r' '\n\n\n' <"$(dirname "$0")/../stages/stage0.stg" | grep .)
    mapfile -t stage1 < <(tr -s ' \t\r' '\n\n\n' <"$(dirname "$0")/../stages/stage1.stg" | grep .)
    start_game
    wait_for "stage 0 under the title camera" title turning "${stage0[@]:0:36}"
    start_stage_one
    read -ra board <<<"$(board_checks "$(dirname "$0")/../stages/stage1.stg")"
    wait_for "stage 1's board" "${board[@]}"
    keys=('' Up Down Left Right) dx=(0 0 0 -1 1) dy=(0 1 -1 0 0) x=0 y=0
    for step in 1 2 3; do
        move=${stage1[36 + step]} && x=$((x + dx[move])) y=$((y + dy[move]))
        # On the bottom row the die may stand in front of the message.
        message=(msg "TURN $(tr a-z A-Z <<<"${keys[move]}")") && [ "$y" -gt 0 ] || message=()
        xdotool key "${keys[move]}"
        wait_for "roll $step to ($x, $y)" stage 1 steps "$step" die "$x" "$y" "${message[@]}"
    done
    escape
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
finish
