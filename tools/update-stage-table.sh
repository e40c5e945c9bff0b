#!/usr/bin/env bash
# Rewrites the table of stages in stages/README.md with what the stage tool prints,
# between the two marker lines. With --check it changes nothing and fails when the
# two differ.
#   tools/update-stage-table.sh [--check] [TOOL]     (default build/tools/pelmar-stage)
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi
tool=${1:-build/tools/pelmar-stage}
readme=stages/README.md
begin='<!-- stage table begin: made by pelmar-stage table -->'
end='<!-- stage table end -->'

if ! grep -qxF "$begin" "$readme" || ! grep -qxF "$end" "$readme"; then
    echo "update-stage-table: $readme lacks the marker lines" >&2
    exit 1
fi
table=$(mktemp)
trap 'rm -f "$table" "$table.new"' EXIT
if ! "$tool" table stages/stage{0..20}.stg >"$table"; then
    echo "update-stage-table: $tool table failed; it printed:" >&2
    cat "$table" >&2
    exit 1
fi
awk -v begin="$begin" -v end="$end" -v table="$table" '
    $0 == begin { print; while ((getline line < table) > 0) print line; skip = 1; next }
    $0 == end   { skip = 0 }
    !skip       { print }
' "$readme" >"$table.new"
if [ "$check" -eq 0 ]; then
    mv "$table.new" "$readme"
elif ! cmp -s "$table.new" "$readme"; then
    echo "update-stage-table: the table in $readme is stale; run tools/update-stage-table.sh." >&2
    diff -u "$readme" "$table.new" >&2 || true
    exit 1
fi
