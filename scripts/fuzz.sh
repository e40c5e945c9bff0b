#!/usr/bin/env bash
# Builds the libFuzzer target of fuzz/ with clang (ASan and UBSan) in build-fuzz/ and
# runs it from the committed seeds (fuzz/corpus/ and the shipped stages):
#   scripts/fuzz.sh                  200,000 inputs (what CI runs)
#   scripts/fuzz.sh --runs N         N inputs
#   scripts/fuzz.sh --seconds S      S seconds, for a longer search
# Fails on any finding (a crash, a sanitizer report, a broken invariant, an input
# that hangs or eats memory); the input that caused it is kept in build-fuzz/findings/.
# The inputs found along the way go to a scratch folder, never into the checkout, or
# with FUZZ_KEEP=DIR to DIR/TARGET, where a later run goes on from them.
set -euo pipefail
cd "$(dirname "$0")/.."

budget=(-runs=200000)
case "${1:-}" in
    "") ;;
    --runs) budget=(-runs="$2") ;;
    --seconds) budget=(-max_total_time="$2") ;;
    *)
        echo "usage: scripts/fuzz.sh [--runs N | --seconds S]" >&2
        exit 2
        ;;
esac

scripts/install-deps.sh --analysis
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPELMAR_FUZZ=ON -DPELMAR_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j 2 --target stage_fuzz

# Each input is written to a file and read back: on a memory file system, where there
# is one, rewriting a file does not wait for a disk.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
findings=$PWD/build-fuzz/findings
mkdir -p "$findings"
for target in stage_fuzz; do
    corpus=${FUZZ_KEEP:+$FUZZ_KEEP/$target}
    [ -n "$corpus" ] && mkdir -p "$corpus" || corpus=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-corpus.XXXXXX")
    echo "fuzz: $target, ${budget[*]}"
    status=0
    "build-fuzz/fuzz/$target" "${budget[@]}" -max_len=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" "$corpus" fuzz/corpus stages \
        >"build-fuzz/$target.log" 2>&1 || status=$?
    [ -n "${FUZZ_KEEP:-}" ] || rm -rf "$corpus"
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' \
        "build-fuzz/$target.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "build-fuzz/$target.log" >&2
        echo "fuzz: $target found a fault (status $status); the input is in $findings/" >&2
        exit 1
    fi
done
