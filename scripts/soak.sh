#!/usr/bin/env bash
# Plays the real game for a while on a private Xvfb, as a restless player would:
#   scripts/soak.sh SECONDS [PELMAR]      (PELMAR: default build/pelmar)
# Random keys at a human rate and held down to auto-repeat, window resizes and focus
# changes, with the game's resident memory and CPU time sampled every second; ends with
# Escape. Fails on a crash, a non-zero exit, or resident memory that keeps growing at
# the largest window size, measured every five seconds (the median of the second half
# of those may not exceed the first half's by more than SOAK_GROWTH_KB, default 1024).
# SOAK_SAMPLES=FILE keeps the samples: seconds, resident kB, CPU clock ticks.
set -uo pipefail
cd "$(dirname "$0")/.."
[ -n "${PELMAR_SOAK_DISPLAY:-}" ] || PELMAR_SOAK_DISPLAY=1 exec scripts/with-xvfb.sh "$0" "$@"

seconds=${1:?usage: scripts/soak.sh SECONDS [PELMAR]} pelmar=$(realpath "${2:-build/pelmar}")
# The end-to-end tests' helpers: the scratch folder, start_game, end_game, fail, finish.
scenario=soak game_timeout=$((seconds + 60))
. tests/e2e_lib.sh
cp stages/*.stg "$work/play/"
# glibc raises its threshold for memory mapped blocks to the size of the last one freed;
# then the driver's frame buffers, made anew at every resize, come from the heap and
# fragment it, and resident memory creeps up with every new size, with no leak at all.
# A fixed threshold keeps those buffers out of the heap, so that what grows is a leak.
export MALLOC_MMAP_THRESHOLD_=131072
start_game
game=$(game_process)
# Every second, until the game is gone: seconds, resident memory, CPU time.
(while stat=$(<"/proc/$game/stat") && rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$game/status"); do
    echo "$SECONDS $rss $(awk '{ print $12 + $13 }' <<<"${stat##*) }")" && sleep 1
done) >"$work/samples" 2>/dev/null &
root=$(xwininfo -root | awk '/Window id:/ { print $4 }')

# The largest size comes first, then many others at once, so that what the heap keeps
# for sizes already seen is in place before the measuring starts.
for size in 800x600 $(for _ in $(seq 150); do echo "$((1 + RANDOM % 800))x$((1 + RANDOM % 600))"; done); do
    xdotool windowsize "$window" ${size/x/ } && sleep 0.03
done
keys=(Left Right Up Down g G space a Return Tab BackSpace F1 shift+Up ctrl+Left)
start=$SECONDS checkpoint=0
while [ $((SECONDS - start)) -lt "$seconds" ]; do
    kill -0 "$game" 2>/dev/null || break
    if [ $((SECONDS - checkpoint)) -ge 5 ]; then # memory at the largest size
        checkpoint=$SECONDS && xdotool windowsize "$window" 800 600 && sleep 0.5
        awk '/^VmRSS/ { print $2 }' "/proc/$game/status" >>"$work/largest"
    fi
    xdotool windowfocus "$window" 2>/dev/null
    case $((RANDOM % 6)) in
    0 | 1) xdotool key --delay $((80 + RANDOM % 220)) "${keys[RANDOM % 14]}" "${keys[RANDOM % 14]}" ;;
    2) key=${keys[RANDOM % 4]} && xdotool keydown "$key" && sleep 1.$((RANDOM % 10)) && xdotool keyup "$key" ;;
    3) xdotool windowsize "$window" $((1 + RANDOM % 800)) $((1 + RANDOM % 600)) ;;
    4) xdotool windowfocus "$root" && sleep 0.$((RANDOM % 5)) ;;
    5) sleep 0.3 ;;
    esac
done
xdotool windowfocus --sync "$window" 2>/dev/null && xdotool key Escape
end_game Escape
[ $((SECONDS - start)) -ge "$seconds" ] || fail "the game ended early"
[ "$failures" -eq 0 ] || finish

# Memory at the largest size, in two halves: a leak lifts the median of the second half
# above the first's; the allocator's ups and downs do not.
mapfile -t rss <"$work/largest"
[ "${#rss[@]}" -ge 4 ] || fail "only ${#rss[@]} samples of memory"
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
first=$(median "${rss[@]:0:${#rss[@]}/2}") second=$(median "${rss[@]:${#rss[@]}/2}")
[ -z "${SOAK_SAMPLES:-}" ] || cp "$work/samples" "$SOAK_SAMPLES"
read -r t0 _ c0 <"$work/samples" && read -r t1 _ c1 < <(tail -1 "$work/samples")
cpu=$(((c1 - c0) * 1000 / $(getconf CLK_TCK) / (t1 > t0 ? t1 - t0 : 1)))
echo "soak: $((SECONDS - start)) s; memory at 800 x 600 (medians) $first kB, then $second kB;" \
    "CPU $((cpu / 10)).$((cpu % 10)) % of one core"
[ "$second" -le $((first + ${SOAK_GROWTH_KB:-1024})) ] || fail "resident memory keeps growing"
finish
