#!/usr/bin/env bash
# Writes the shipped stages with the stage tool, the same every time: the title demo,
# then stages 1 to 20 along a difficulty curve. Each stage has a unique shortest
# solution and a difficulty above the stage before, but below a ceiling of its own,
# so that the last stages have room to rise; the solutions grow longer, the traps more
# numerous and deeper (from stage 11 one at least 5 rolls deep, from stage 15 one at
# least 6 and a second at least 4, in stage 20 one at least 8). Then checks them all
# and rewrites the table in stages/README.md.
#   tools/make-stages.sh [BUILD_DIR]     (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build}/tools/pelmar-stage

# The boards bound ends every search; the time bound is only a safety net, so the
# output depends on the seeds and targets alone.
limits=(--max-boards 4000000 --time-limit 900 --force)

# The difficulty figure that check prints for a stage file.
difficulty() { "$tool" check "$1" | sed -n 's/.*, difficulty \([0-9]*\)$/\1/p'; }

"$tool" generate --demo --min-length 36 --seed 1 "${limits[@]}" -o stages/stage0.stg
# The ceiling on each stage's difficulty, stages 1 to 19: about four a stage, with room
# where the traps' depths step up (stages 3, 11 and 15).
ceilings=(20 24 28 32 36 40 44 48 52 56 62 66 70 74 80 84 87 90 93)
previous=0
for k in $(seq 1 20); do
    min_length=$((k + 6 < 8 ? 8 : k + 6))
    min_traps=$((k * 2 / 5 < 1 ? 1 : k * 2 / 5))
    deepest=$((k == 20 ? 8 : 2 + k / 3 > 6 ? 6 : 2 + k / 3))
    second=$(((k + 1) / 4 > 4 ? 4 : (k + 1) / 4))
    third=$((k == 20 ? 1 : k / 7))
    targets=(--unique --min-length "$min_length" --min-traps "$min_traps"
        --min-difficulty $((previous + 1)))
    if [ "$k" -eq 1 ]; then
        # A gentle start: a short way and hardly a trap.
        targets+=(--max-length 12 --max-traps 2)
    else
        targets+=(--min-depths "$deepest,$second,$third")
    fi
    if [ "$k" -gt 1 ] && [ "$k" -lt 20 ]; then
        targets+=(--max-length $((min_length + 4)) --max-traps $((min_traps + 3)))
    fi
    if [ "$k" -lt 20 ]; then
        targets+=(--max-difficulty "${ceilings[k - 1]}")
    fi
    # A few seeds in a fixed order: the first that meets the targets is kept.
    for seed in 1 2 3 4; do
        if "$tool" generate --seed "$seed" "${targets[@]}" "${limits[@]}" \
            -o "stages/stage$k.stg" 2>/dev/null; then
            break
        elif [ "$seed" -eq 4 ]; then
            echo "make-stages: no seed made stage $k: ${targets[*]}" >&2
            exit 1
        fi
    done
    previous=$(difficulty "stages/stage$k.stg")
    echo "stage $k: seed $seed, difficulty $previous"
done

stages=(stages/stage{0..20}.stg)
"$tool" check --strict "${stages[@]}" >/dev/null
tools/update-stage-table.sh "$tool"
