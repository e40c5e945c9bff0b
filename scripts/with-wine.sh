#!/usr/bin/env bash
# Runs a command with WINEPREFIX set to a fresh Wine prefix of its own:
#   scripts/with-wine.sh CMD ARGS...
# The prefix is made silently in a temporary folder (no Mono or Gecko prompt, no crash
# dialog that would wait for a click); its wineserver is stopped and the folder removed
# when the command ends, fails or is interrupted. The exit status is the command's.
# Programs started under it should be waited for with `wineserver -w` between runs.
set -uo pipefail

if [ $# -eq 0 ]; then
    echo "usage: scripts/with-wine.sh CMD ARGS..." >&2
    exit 2
fi
for tool in wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-wine: $tool is not installed (scripts/install-deps.sh --windows)" >&2
        exit 2
    fi
done

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/with-wine.XXXXXX")
export WINEPREFIX
# No Mono or Gecko installer; errors about missing DLLs still reach stderr.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDEBUG=${WINEDEBUG:--all,err+module}
cleanup() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if ! timeout 120 wineboot --init >"$WINEPREFIX/with-wine.log" 2>&1 ||
    ! timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
        /d 0 /f >>"$WINEPREFIX/with-wine.log" 2>&1 ||
    ! timeout 60 wineserver -w; then
    echo "with-wine: the Wine prefix could not be made; its log:" >&2
    cat "$WINEPREFIX/with-wine.log" >&2
    rm -f "$WINEPREFIX/with-wine.log"
    exit 2
fi
rm -f "$WINEPREFIX/with-wine.log"
"$@"
