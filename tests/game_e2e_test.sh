#!/usr/bin/env bash
# The real game in a real X server, played as a player would, with real key presses
# and screenshots:
#   game_e2e_test.sh SCENARIO PELMAR E2E_PROBE X11_CLOSE_WINDOW
# Every scenario has a temporary folder of its own, and in it the game's data folder
# (PELMAR_DATA_DIR), which only missing-title-stage puts stages in. The scenario
# installed plays an installed game with its own data folder and the shipped stages.
# Runs under scripts/with-xvfb.sh; every launch of the game is bounded by timeout, and
# every wait for the picture by a deadline.
set -uo pipefail

scenario=$1 pelmar=$2 probe=$3 close_window=$4
. "$(dirname "$0")/e2e_lib.sh"
data_dir=$work/data
mkdir "$data_dir"
if [ "$scenario" = installed ]; then unset PELMAR_DATA_DIR; else export PELMAR_DATA_DIR=$data_dir; fi
# The title demo, in every scenario but the one without it and the installed game's.
case "$scenario" in missing-title-stage | installed) ;; *) stage "$work/play/stage0.stg" "$up_right_up" ;; esac

case "$scenario" in
title)
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
    "$close_window" "$window"
    end_game "closing the window"
    ;;
start)
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    start_stage_one Up
    # Stage 1 seen face-on: its marks where its file puts them, plain cells elsewhere.
    wait_for "stage 1's board" cell 1 0 4 cell 2 0 1 cell 3 0 3 cell 4 0 6 cell 5 0 4 \
        cell 5 1 2 cell 5 2 3 cell 5 3 5 cell 5 5 2 cell 0 1 0 cell 2 2 0 cell 4 5 0
    # Space: outlines without fill, the text as before, until it is pressed again.
    xdotool key space
    wait_for "outlines" hollow 1 4 stage 1 steps 0 msg START
    xdotool key space
    wait_for "filled again" cell 1 4 0 cell 2 0 1 die 0 0
    escape
    ;;
play)
    stage "$work/play/stage1.stg" "$up_right_up"
    stage "$work/play/stage2.stg" "$right_then_up"
    start_game
    start_stage_one
    # Off the board, or onto a cell whose number the face does not show: nothing.
    xdotool key Left Down Right
    sleep 0.3
    wait_for "refused moves" stage 1 steps 0 msg START die 0 0
    roll Up 0 1 1 "TURN UP"
    xdotool key Down
    wait_for "go back" msg "DON'T GO BACK !!" die 0 1 steps 1
    roll Right 1 1 2 "TURN RIGHT"
    xdotool key g
    wait_for "g gives up" msg "GIVE UP" stage 1 steps 0 die 0 0 cell 1 1 4
    roll Up 0 1 1 "TURN UP"
    xdotool key shift+g
    wait_for "G gives up" msg "GIVE UP" stage 1 steps 0 die 0 0 cell 0 1 2
    roll Up 0 1 1 "TURN UP"
    for x in 1 2 3 4 5; do roll Right "$x" 1 $((1 + x)) "TURN RIGHT"; done
    for y in 2 3 4; do roll Up 5 "$y" $((5 + y)) "TURN UP"; done
    # Onto the goal; its stored moves are then replayed from the start cell.
    xdotool key Up
    wait_for replay msg REPLAY stage 1
    wait_for "stage 2 after the replay" stage 2 steps 0 msg START die 0 0 \
        cell 1 0 4 cell 2 0 1 cell 5 5 2 cell 0 1 0 cell 1 1 0
    escape
    ;;
command-line)
    # The named file is played, not the stage 1 of the working folder.
    stage "$work/play/stage1.stg" "$right_then_up"
    stage "$work/play/mine.stg" "$up_right_up"
    start_game /s mine.stg
    wait_for "the named stage as stage 1" stage 1 steps 0 msg START die 0 0 \
        cell 0 1 2 cell 1 1 4 cell 1 0 0
    roll Up 0 1 1 "TURN UP"
    escape
    # Switches are never stage files, even one that names a file that exists.
    start_game /s /S /x / "$work/play/mine.stg"
    wait_for "switches ignored" title
    escape
    ;;
missing-title-stage)
    # No stage file anywhere: the title, then stage 1 all plain, with nothing to roll onto.
    start_game
    start_stage_one
    plain=()
    for xy in {0..5}{0..5}; do [ "$xy" = 00 ] || plain+=(cell "${xy:0:1}" "${xy:1}" 0); done
    wait_for "plain stage 1" "${plain[@]}"
    xdotool key Right Up
    sleep 0.3
    wait_for "no cell to roll onto" stage 1 steps 0 die 0 0
    escape
    # A stage of the installed folder stands in for one missing from the working folder...
    stage "$data_dir/stage1.stg" "$up_right_up"
    start_game
    start_stage_one
    wait_for "stage 1 from the installed folder" cell 0 1 2 cell 1 0 0
    escape
    # ...and the working folder's comes first.
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game
    start_stage_one
    wait_for "stage 1 from the working folder" cell 1 0 4 cell 0 1 0
    escape
    ;;
installed)
    # Started from a folder with no stages, the game plays the shipped ones from its own
    # data folder: stage 0 as the title demo, then stage 1 along its stored solution.
    mapfile -t stage0 < <(tr -s ' \t\r' '\n\n\n' <"$(dirname "$0")/../stages/stage0.stg" | grep .)
    mapfile -t stage1 < <(tr -s ' \t\r' '\n\n\n' <"$(dirname "$0")/../stages/stage1.stg" | grep .)
    start_game
    wait_for "stage 0 under the title camera" title turning "${stage0[@]:0:36}"
    start_stage_one
    cells=()
    for i in {1..35}; do cells+=(cell $((i / 6)) $((i % 6)) "${stage1[i]}"); done
    wait_for "stage 1's board" "${cells[@]}"
    keys=('' Up Down Left Right) dx=(0 0 0 -1 1) dy=(0 1 -1 0 0) x=0 y=0
    for step in 1 2 3; do
        move=${stage1[36 + step]} && x=$((x + dx[move])) y=$((y + dy[move]))
        roll "${keys[move]}" "$x" "$y" "$step" "TURN $(tr a-z A-Z <<<"${keys[move]}")"
    done
    escape
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
