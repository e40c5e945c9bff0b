#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb server of its own:
#   scripts/with-xvfb.sh CMD ARGS...
# Xvfb picks a free display itself (-displayfd); it is stopped by its process id when
# the command ends, fails or is interrupted. The exit status is the command's.
# XVFB_SCREEN overrides the screen (default 1280x1024x24).
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: scripts/with-xvfb.sh CMD ARGS..." >&2
    exit 2
fi
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "with-xvfb: Xvfb is not installed (Debian package xvfb; scripts/install-deps.sh)" >&2
    exit 2
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/with-xvfb.XXXXXX")
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb writes the number of the display it took to the pipe once it accepts clients.
mkfifo "$workdir/displayfd"
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
    3>"$workdir/displayfd" 2>"$workdir/xvfb.log" &
xvfb_pid=$!

display=
if ! read -r -t 20 display <"$workdir/displayfd" || [ -z "$display" ]; then
    echo "with-xvfb: Xvfb did not start; its log:" >&2
    cat "$workdir/xvfb.log" >&2
    exit 2
fi

export DISPLAY=":$display"
export XVFB_PID=$xvfb_pid # for tests of a server that goes away
unset WAYLAND_DISPLAY
"$@"
