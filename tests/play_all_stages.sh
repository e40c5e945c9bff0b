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

start_game
start_stage_one
for k in $(seq 1 20); do
    # After the 36 cells: the count, then the moves.
    read -r -a moves < <(tr -s ' \n' ' ' <"$stages/stage$k.stg" | cut -d' ' -f38-)
    wait_for "stage $k started" stage "$k" steps 0 msg START die 0 0
    play_moves "$k" "${moves[@]:0:${#moves[@]}-1}"
    # The frame on the goal is followed at once by the replay.
    xdotool key "${move_keys[${moves[-1]}]}"
    wait_for "stage $k: goal" stage "$k" msg REPLAY
done
wait_for "the end" stage 20 msg "ALL STAGE CLEAR !!"
escape
finish
