#!/usr/bin/env bash
# The real game in a real X server, played as a player would, with real key presses and
# screenshots, and under faults:
#   game_e2e_test.sh SCENARIO PELMAR E2E_PROBE
# play: --help and --version; FIFOs and a device as stage files (named on the command
#   line, and as the title's stage0.stg) never block the game; stage 1 from its file, a
#   roll, the wireframe view, Escape;
# installed (scripts/check-package.sh): an installed game, with its own data folder,
#   shows stage 0 on the title and plays stage 1's first rolls;
# signals: SIGINT and SIGTERM close the game in order, with status 0;
# display-lost: the X server going away ends the game within a second, with a message
#   and status 1 (this scenario stops the server of scripts/with-xvfb.sh, by its pid);
# no-display: a display that is not set, or that nobody serves, is a clear error.
# Every scenario but installed gives the game an empty data folder of its own
# (PELMAR_DATA_DIR): no stages but the scenario's stand in for missing ones. Runs under
# scripts/with-xvfb.sh; every launch is bounded by timeout, every wait by a deadline.
# The rules and the platform's own cases are the unit tests' and the SDL2 window tests'
# business.
set -uo pipefail

scenario=$1 pelmar=$2 probe=$3
. "$(dirname "$0")/e2e_lib.sh"
mkdir "$work/data"
if [ "$scenario" = installed ]; then unset PELMAR_DATA_DIR; else export PELMAR_DATA_DIR=$work/data; fi

case "$scenario" in
play)
    # Both answers come at once, on stdout, with status 0.
    timeout 10 "$pelmar" --version | grep -qx 'pelmar [0-9][0-9.]*' || fail "--version"
    timeout 10 "$pelmar" --help | grep -qx "Data folder: $work/data" || fail "--help names no data folder"
    mkfifo "$work/play/stage0.stg" "$work/play/mine.stg"
    stage "$work/play/stage1.stg" "$right_then_up"
    start_game mine.stg /dev/zero
    start_stage_one Up
    roll Right 1 0 1 "TURN RIGHT"
    # Space: outlines without fill, the text as before.
    xdotool key space
    wait_for "outlines" hollow 1 4 stage 1 steps 1
    escape
    ;;
installed)
    # Started from a folder with no stages, the game plays the shipped ones from its own
    # data folder: stage 0 as the title demo, then stage 1 as its file lays it out and
    # the first rolls of its stored solution.
    shipped=$(dirname "$0")/../stages
    start_game
    # shellcheck disable=SC2046
    wait_for "stage 0 under the title camera" title turning $(board_values "$shipped/stage0.stg")
    start_stage_one
    # shellcheck disable=SC2046
    wait_for "stage 1's board" $(board_checks "$shipped/stage1.stg")
    read -ra moves <<<"$(tr -s ' \n' ' ' <"$shipped/stage1.stg" | cut -d' ' -f38-40)"
    keys=('' Up Down Left Right) dx=(0 0 0 -1 1) dy=(0 1 -1 0 0) x=0 y=0 step=0
    for move in "${moves[@]}"; do
        step=$((step + 1)) x=$((x + dx[move])) y=$((y + dy[move]))
        # On the bottom row the die may stand in front of the message.
        roll "${keys[move]}" "$x" "$y" "$step" "$([ "$y" -eq 0 ] || echo "TURN ${keys[move]^^}")"
    done
    escape
    ;;
signals)
    for name in INT TERM; do
        start_game
        kill -"$name" "$(game_process)"
        end_game "SIG$name" 0 5
        [ -s "$work/stderr" ] && fail "SIG$name: $(cat "$work/stderr")"
    done
    ;;
display-lost)
    start_game
    kill "$XVFB_PID"
    end_game "the X server went away" 1 1
    grep -q "The connection to the display $DISPLAY was lost" "$work/stderr" || fail "no clear message"
    ;;
no-display)
    # A display number with neither a lock file nor a socket: nobody serves it.
    n=900
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    for display in "" ":$n"; do
        launcher="env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR=$work ${display:+DISPLAY=$display}" \
            launch
        end_game "display '$display'" 1
        grep -q "No display could be opened.*${display:+DISPLAY is \"$display\"}" "$work/stderr" ||
            fail "no clear message with display '$display'"
    done
    ;;
*) fail "unknown scenario $scenario" ;;
esac
finish
