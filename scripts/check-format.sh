#!/usr/bin/env bash
# Fails when any C++ file of the project differs from the layout in .clang-format.
# With --fix, rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

clang_format=clang-format
fix=0
for arg in "$@"; do
    case "$arg" in
        --fix) fix=1 ;;
        *) clang_format=$arg ;;
    esac
done

mapfile -t files < <(find game render toolkit tools tests bench fuzz \
    -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
if [ "$fix" -eq 1 ]; then
    "$clang_format" -i "${files[@]}"
else
    "$clang_format" --dry-run --Werror "${files[@]}"
fi
