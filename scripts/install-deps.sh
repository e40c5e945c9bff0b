#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages that building, playing and testing Pelmar need,
# and only those that are missing, so that a machine that has them all is left alone.
#   scripts/install-deps.sh             for Linux
#   scripts/install-deps.sh --windows   also the cross build for Windows and Wine
#   scripts/install-deps.sh --analysis  also clang with libFuzzer, clang-tidy and cppcheck
set -euo pipefail

packages=(
    cmake            # the build
    ninja-build
    g++
    libgtest-dev     # the test suite (GoogleTest)
    libgmock-dev     #   and its matchers (GoogleMock)
    clang-format     # the layout check
    libgl-dev        # OpenGL 1.x headers and library
    libgl1-mesa-dri  # software GL (llvmpipe) for windows on Xvfb and with no display
    libegl-dev       # render tests: SDL2's offscreen driver, a GL context with no
    libegl-mesa0     #   display, through Mesa's EGL
    libsdl2-dev      # the window toolkit's SDL2 platform
    xvfb             # an X server for the window tests (scripts/with-xvfb.sh)
    xdotool          # real key presses in the window tests
    x11-utils        # xwininfo: where the window went and how big it is
    libx11-dev       # the test helper that sends a window its close request
    imagemagick      # import: screenshots of the game's window (end-to-end tests, docs)
    dpkg-dev         # dpkg-shlibdeps: the Debian package's dependencies (cpack -G DEB)
    desktop-file-utils # desktop-file-validate: the package check of the desktop entry
    man-db           # man -l: the package check of the manual pages
)
for group in "$@"; do
    case "$group" in
    --windows)
        packages+=(
            g++-mingw-w64-x86-64-posix   # the cross compiler, with the posix thread model
            binutils-mingw-w64-x86-64    # objdump: which DLLs a program needs
            googletest                   # GoogleTest's sources, built for Windows
            wine                         # runs the Windows programs and tests
            wine64
        )
        ;;
    --analysis)
        packages+=(
            clang            # the second compiler, and the fuzz targets' (scripts/fuzz.sh)
            libclang-rt-dev  # libFuzzer and the sanitizer runtimes for clang
            clang-tidy       # static analysis with the checked-in .clang-tidy
            cppcheck         #   and a second analyser
        )
        ;;
    *)
        echo "usage: scripts/install-deps.sh [--windows] [--analysis]" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
    echo "install-deps: apt-get not found; install these yourself: ${missing[*]}" >&2
    echo "install-deps: see README.md for the Fedora and Homebrew equivalents" >&2
    exit 1
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}" >&2
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
