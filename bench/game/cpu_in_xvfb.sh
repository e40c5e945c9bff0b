#!/usr/bin/env bash
# CPU use of the running game at its 60 frames a second, in Xvfb:
#   bench/game/cpu_in_xvfb.sh [PELMAR] [SECONDS]
# Starts the game (default build/pelmar) on a private Xvfb with the shipped stages 0
# and 1 in its working folder, lets it warm up for a second, then reads the CPU time
# of the game's process (all its threads) and of the X server over SECONDS (default
# 10) on the title screen, and as long again in play on stage 1 with the die at rest.
# Prints each as a share of one core.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ -z "${PELMAR_CPU_BENCH_DISPLAY:-}" ]; then
    PELMAR_CPU_BENCH_DISPLAY=1 exec scripts/with-xvfb.sh "$0" "$@"
fi

pelmar=$(realpath "${1:-build/pelmar}")
seconds=${2:-10}
tick=$(getconf CLK_TCK)
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-cpu-bench.XXXXXX")
game_pid=
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null
        wait "$game_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cp stages/stage0.stg stages/stage1.stg "$work/"

# User and system time of a process, all its threads, in clock ticks. The command name
# in field 2 may hold blanks; the fields after its closing parenthesis are fixed.
cpu_ticks() {
    local stat
    stat=$(<"/proc/$1/stat")
    stat=${stat##*) }
    awk '{ print $12 + $13 }' <<<"$stat"
}

# The X server is the other child of with-xvfb.sh, our parent.
xvfb_pid=
for p in /proc/[0-9]*; do
    if [ "$(cat "$p/comm" 2>/dev/null)" = Xvfb ] &&
        [ "$(awk '{ print $4 }' "$p/stat" 2>/dev/null)" = "$PPID" ]; then
        xvfb_pid=${p#/proc/}
    fi
done

(cd "$work" && exec timeout $((seconds * 2 + 30)) "$pelmar" >/dev/null 2>"$work/stderr") &
game_pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Pelmar - Quenmoor 1997 -$' | head -1)
xdotool windowfocus --sync "$window"
# The game itself is the child of timeout.
pelmar_pid=$(awk '{ print $1 }' "/proc/$game_pid/task/$game_pid/children")
sleep 1

measure() { # what
    local g0 x0 t0 g1 x1 t1
    g0=$(cpu_ticks "$pelmar_pid")
    x0=$([ -n "$xvfb_pid" ] && cpu_ticks "$xvfb_pid" || echo 0)
    t0=$(date +%s.%N)
    sleep "$seconds"
    g1=$(cpu_ticks "$pelmar_pid")
    x1=$([ -n "$xvfb_pid" ] && cpu_ticks "$xvfb_pid" || echo 0)
    t1=$(date +%s.%N)
    awk -v what="$1" -v g=$((g1 - g0)) -v x=$((x1 - x0)) -v tick="$tick" -v t0="$t0" -v t1="$t1" \
        'BEGIN { s = t1 - t0; printf "| %s | %.1f s | %.1f %% | %.1f %% |\n", what, s, 100 * g / tick / s, 100 * x / tick / s }'
}

echo "| game on screen | measured over | game's CPU (share of one core) | Xvfb's CPU |"
echo "|---|---|---|---|"
measure "title: turning view, demo die rolling"
xdotool key Right
sleep 0.5
measure "play: fixed view, die at rest"
xdotool key Escape
wait "$game_pid"
game_pid=
