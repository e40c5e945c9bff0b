#!/usr/bin/env bash
# The Windows build, made and tested on Linux: cross-builds every program with MinGW-w64
# into build-windows/, checks that the game and the stage tool need no DLL but the
# system's, then, under Wine on a private X server, runs the unit tests and plays
# pelmar.exe (tests/wine_smoke_test.sh).
#   scripts/test-windows.sh [LINUX_BUILD]
# LINUX_BUILD (default build/) is a Linux build with its end-to-end probes built.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
linux_build=${1:-build}

if [ "${1:-}" = --under-wine ]; then
    linux_build=$(cd "$2" && pwd)
    cd build-windows # where a failing check leaves its screenshot
    ctest --output-on-failure -j 2
    programs=("$PWD/pelmar.exe" "$PWD/tools/pelmar-stage.exe" "$linux_build/tests/e2e_probe"
        "$linux_build/tests/x11_close_window")
    ../tests/wine_smoke_test.sh play "${programs[@]}"
    # On an 8-bit display Wine has no OpenGL format: the game's error box, not a hang.
    XVFB_SCREEN=640x480x8 ../scripts/with-xvfb.sh ../tests/wine_smoke_test.sh no-pixel-format \
        "${programs[@]}"
    exit
fi

scripts/install-deps.sh --windows
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DPELMAR_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-windows -j 2

# A program copied alone onto a Windows machine must start: only the system's DLLs.
for exe in build-windows/pelmar.exe build-windows/tools/pelmar-stage.exe; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}'); do
        case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | opengl32.dll | winmm.dll | msvcrt.dll) ;;
        *)
            echo "test-windows: $exe needs $dll, which Windows does not have" >&2
            exit 1
            ;;
        esac
    done
done

for tool in e2e_probe x11_close_window; do
    if [ ! -x "$linux_build/tests/$tool" ]; then
        echo "test-windows: $linux_build/tests/$tool is missing: build the Linux tests first" >&2
        exit 2
    fi
done
scripts/with-xvfb.sh scripts/with-wine.sh "$PWD/scripts/test-windows.sh" --under-wine "$linux_build"
echo "test-windows: the Windows build and its tests took $((SECONDS - started)) s"
