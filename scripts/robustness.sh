#!/usr/bin/env bash
# CI's robustness stage, after the suite has built build/: the fuzz target for
# 200,000 inputs, then a one-minute soak of the real game.
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
scripts/fuzz.sh
scripts/soak.sh 60 build/pelmar
echo "robustness: fuzzing and soak passed in $((SECONDS - started)) s"
