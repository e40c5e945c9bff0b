#!/usr/bin/env bash
# The project through a second compiler and two static analysers, warnings as errors:
# clang builds every target, clang-tidy reads the project's own sources with the
# checked-in .clang-tidy, and cppcheck looks for what compilers let pass.
#   scripts/static-analysis.sh [BUILD_DIR]     (default build-clang)
# The Windows platform's files need the Windows headers: the MinGW build's -Werror
# covers them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-clang}
start=$SECONDS

scripts/install-deps.sh --analysis
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DPELMAR_WERROR=ON \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_dir" -j 2

sources=$(git ls-files 'game/*.cpp' 'render/*.cpp' 'toolkit/*.cpp' 'toolkit/platform/*.cpp' \
    'toolkit/platform/null/*.cpp' 'toolkit/platform/sdl2/*.cpp' 'toolkit/demo/*.cpp' \
    'tools/*.cpp')
# run-clang-tidy prints every file it starts; only findings are worth reading.
if ! run-clang-tidy -p "$build_dir" -j 2 -quiet $sources >"$build_dir/clang-tidy.log" 2>&1; then
    grep -E '(warning|error):' "$build_dir/clang-tidy.log" | sort -u >&2
    echo "static-analysis: clang-tidy found the above (whole log: $build_dir/clang-tidy.log)" >&2
    exit 1
fi

cppcheck --project="$build_dir/compile_commands.json" --quiet --error-exitcode=1 \
    --enable=warning,performance,portability --inline-suppr --library=opengl --library=sdl \
    -i tests -i bench -i fuzz -j 2

echo "static-analysis: clang build, clang-tidy and cppcheck clean ($((SECONDS - start)) s)"
