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
    # Both answers come at once, on stdout, with status 0.
    timeout 10 "$pelmar" --version | grep -qx 'pelmar [0-9][0-9.]*' || fail "--version"
    timeout 10 "$pelmar" --help | grep -qx "Data folder: $data_dir" || fail "--help names no data folder"
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
    # shellcheck disable=SC2046 # one probe argument per word
    wait_for "stage 1" stage 1 steps 0 msg START die 0 0 $(board_checks "$work/play/stage1.stg")
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
    # data folder: stage 1 as its file lays it out, and the first rolls of its solution.
    shipped=$(dirname "$0")/../stages/stage1.stg
    read -ra moves <<<"$(tr -s ' \n' ' ' <"$shipped" | cut -d' ' -f38-40)"
    start_game
    start_stage_one
    # shellcheck disable=SC2046
    wait_for "stage 1's board" $(board_checks "$shipped")
    play_moves 1 "${moves[@]}"
    escape
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac
finish
