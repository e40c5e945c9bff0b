#!/usr/bin/env bash
# Plays the shipped stages 1 to 20 in the real game, each from its stored solution with
# real key presses, checking the picture after every roll, through every replay to
# "ALL STAGE CLEAR !!". Slow (a few minutes), so not part of the suite:
#   scripts/with-xvfb.sh tests/play_all_stages.sh PELMAR E2E_PROBE STAGES
# for instance with build/pelmar build/tests/e2e_probe stages.
set -uo pipefail

scenario=all-stages pelmar=$(realpath "$1") probe=$(realpath "$2") stages=$3
# The helpers of the end-to-end tests: start_game, wait_for, escape, finish and the rest.
. "$(dirname "$0")/e2e_lib.sh"
cp "$stages"/stage{0..20}.stg "$work/play/"
game_timeout=900
keys=(none Up Down Left Right)

start_game
start_stage_one
for k in $(seq 1 20); do
    # After the 36 cells: the count, then the moves.
    read -r -a moves < <(tr -s ' \n' ' ' <"$stages/stage$k.stg" | cut -d' ' -f38-)
    x=0 y=0 step=0
    wait_for "stage $k started" stage "$k" steps 0 msg START die 0 0
    for move in "${moves[@]}"; do
        step=$((step + 1))
        case $move in 1) y=$((y + 1)) ;; 2) y=$((y - 1)) ;; 3) x=$((x - 1)) ;; 4) x=$((x + 1)) ;; esac
        xdotool key "${keys[move]}"
        # The die on the bottom or the top row stands in front of that row's text. The
        # frame on the goal is followed at once by the replay.
        checks=(die "$x" "$y")
        [ "$y" -eq 0 ] || checks+=(msg "TURN ${keys[move]^^}")
        [ "$y" -eq 5 ] || checks+=(stage "$k" steps "$step")
        [ "$step" -lt "${#moves[@]}" ] || checks=(stage "$k" msg REPLAY)
        wait_for "stage $k, move $step" "${checks[@]}"
        # Without the step count, the die turned the whole quarter looks at rest a frame
        # early: let that frame pass.
        [ "$y" -lt 5 ] || sleep 0.1
    done
done
wait_for "the end" stage 20 msg "ALL STAGE CLEAR !!"
escape
finish
