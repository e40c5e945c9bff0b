#!/usr/bin/env bash
# The game as a player gets it: builds the Debian package and the archive from a build
# folder, checks what they hold (the dependencies worked out from the linked
# libraries, the stages, the desktop entry, icons and manual pages), unpacks the .deb
# with dpkg-deb -x and plays the unpacked game from an unrelated folder on a private
# Xvfb; then the same for an install to a temporary prefix, moved elsewhere.
#   scripts/check-package.sh [BUILD_DIR]     (default build/, built with its tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "check-package: $*" >&2
    exit 1
}
started=$SECONDS
(cd "$build" && cpack -G "DEB;TGZ" -B "$work/packages" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2 && fail "cpack failed"; }
deb=$(echo "$work"/packages/pelmar_*.deb) tgz=$(echo "$work"/packages/pelmar-*.tar.gz)
for lib in libc6 libstdc++6 libsdl2-2.0-0 libgl1; do
    grep -q "$lib" <<<"$(dpkg-deb -f "$deb" Depends)" || fail "the package does not depend on $lib"
done
# The archive holds the very files of the package.
diff <(dpkg-deb -c "$deb" | awk '!/\/$/ { print $6 }' | sed 's|^\./usr/||' | sort) \
    <(tar -tzf "$tgz" | grep -v '/$' | sed 's|^[^/]*/||' | sort) >&2 ||
    fail "the archive and the package hold different files"

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
for n in {0..20}; do cmp -s {stages,"$usr/share/pelmar"}/stage$n.stg || fail "stage$n.stg not installed"; done
for f in LICENSE copyright README.md; do [ -s "$usr/share/doc/pelmar/$f" ] || fail "no doc/pelmar/$f"; done
desktop-file-validate "$usr/share/applications/pelmar.desktop" || fail "the desktop entry is invalid"
# The icons as committed, which are what the game's renderer draws.
scripts/make-icons.sh --check "$build"
for size in 16 32 48 64 128 256; do
    cmp -s "data/icons/pelmar-$size.png" "$usr/share/icons/hicolor/${size}x$size/apps/pelmar.png" ||
        fail "the $size-pixel icon is not the one drawn"
done
for page in man6/pelmar.6.gz man1/pelmar-stage.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

"$usr/bin/pelmar" --help | grep -qx "Data folder: $usr/share/pelmar" || fail "pelmar --help"

# The unpacked game, and an install to a prefix that is then moved elsewhere.
cmake --install "$build" --prefix "$work/prefix" >/dev/null && mv "$work/prefix" "$work/moved"
for game in "$usr/bin/pelmar" "$work/moved/bin/pelmar"; do
    scripts/with-xvfb.sh tests/game_e2e_test.sh installed "$game" "$build/tests/e2e_probe" ||
        fail "$game does not play the shipped stages"
done
echo "check-package: the package and a moved install play ($((SECONDS - started)) s)"
