#!/usr/bin/env bash
# The game's icons in data/icons/, 16 to 256 pixels, drawn offscreen by the game's own
# renderer (tools/draw_icon.cpp): each drawn four times larger and scaled down, which
# smooths its edges.
#   scripts/make-icons.sh [BUILD_DIR]           draws them anew
#   scripts/make-icons.sh --check [BUILD_DIR]   fails when one differs from a new drawing
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    scripts/install-deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j 2 --target draw-icon >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-icons.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
for size in 16 32 48 64 128 256; do
    "$build/tests/draw-icon" $((4 * size)) "$work/large.pam"
    icon=data/icons/pelmar-$size.png
    out=$icon
    [ "$check" -eq 0 ] || out=$work/pelmar-$size.png
    convert "$work/large.pam" -filter box -resize "${size}x${size}" -strip \
        -define png:exclude-chunks=date,time "PNG32:$out"
    # Renderers may differ by a step or two in a channel.
    if [ "$check" -eq 1 ] && ! compare -metric AE -fuzz 2% "$icon" "$out" null: 2>/dev/null; then
        echo "make-icons: $icon differs from the renderer's drawing (scripts/make-icons.sh redraws it)" >&2
        status=1
    fi
done
exit "$status"
