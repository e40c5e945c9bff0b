#!/usr/bin/env bash
# Installs what is missing, builds Pelmar with warnings as errors and runs every test.
#   scripts/test.sh              the normal build, in build/, then the package, Windows,
#                                robustness and static-analysis stages
#   scripts/test.sh --sanitize   the same suite under AddressSanitizer and UBSan, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
cmake_args=(-DPELMAR_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${1:-}" in
    "") ;;
    --sanitize)
        build_dir=build-asan
        cmake_args=(-DPELMAR_WERROR=ON -DPELMAR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
        export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
        export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
        # Leaks inside system libraries (X11, Mesa, SDL) are theirs; ours must be none.
        export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
        ;;
    *)
        echo "usage: scripts/test.sh [--sanitize]" >&2
        exit 2
        ;;
esac

scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja "${cmake_args[@]}"
cmake --build "$build_dir" -j 2
ctest --test-dir "$build_dir" --output-on-failure -j 2
# The stages beyond the suite run once, with the normal build: the packages, the
# Windows build under Wine, fuzzing and the soak, the second compiler and the analysers.
if [ "$build_dir" = build ]; then
    scripts/check-package.sh "$build_dir"
    scripts/test-windows.sh "$build_dir"
    scripts/robustness.sh
    scripts/static-analysis.sh
fi
