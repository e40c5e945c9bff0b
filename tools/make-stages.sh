#!/usr/bin/env bash
# Writes the shipped stages with the stage tool, the same every time: the title demo,
# then stages 1 to 20 along a difficulty curve (each stage's difficulty in its own
# band of five, rising by five a stage; more moves and more traps as it goes; a
# unique shortest solution from stage 8 on). Then checks them all and rewrites the
# table in stages/README.md.
#   tools/make-stages.sh [BUILD_DIR]     (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${1:-build}/tools/pelmar-stage

# The boards bound ends every search; the time bound is only a safety net, so the
# output depends on the seed and targets alone.
limits=(--seed 1 --max-boards 5000000 --time-limit 600 --force)

"$tool" generate --demo --min-length 36 "${limits[@]}" -o stages/stage0.stg
for k in $(seq 1 20); do
    min_length=$((k + 6 < 8 ? 8 : k + 6))
    min_traps=$((k * 7 / 10 < 1 ? 1 : k * 7 / 10))
    targets=(--min-length "$min_length" --min-traps "$min_traps")
    if [ "$k" -eq 1 ]; then
        # A gentle start: a short way and hardly a trap.
        targets+=(--max-length 12 --max-traps 2)
    elif [ "$k" -lt 20 ]; then
        targets+=(--max-length $((min_length + 6)) --max-traps $((min_traps + 3)))
    fi
    if [ "$k" -lt 20 ]; then
        targets+=(--min-difficulty $((10 + 5 * k)) --max-difficulty $((14 + 5 * k)))
    else
        targets+=(--min-difficulty 110)
    fi
    if [ "$k" -ge 8 ]; then
        targets+=(--unique)
    fi
    "$tool" generate "${targets[@]}" "${limits[@]}" -o "stages/stage$k.stg"
done

stages=(stages/stage{0..20}.stg)
"$tool" check --strict "${stages[@]}" >/dev/null
tools/update-stage-table.sh "$tool"
