#!/usr/bin/env bash
# Rewrites the table of stages in stages/README.md with what the stage tool prints,
# between the two marker lines; a test fails whenever the two differ.
#   tools/update-stage-table.sh [TOOL]     (default build/tools/pelmar-stage)
set -euo pipefail
cd "$(dirname "$0")/.."
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
"$tool" table stages/stage{0..20}.stg >"$table"
awk -v begin="$begin" -v end="$end" -v table="$table" '
    $0 == begin { print; while ((getline line < table) > 0) print line; skip = 1; next }
    $0 == end   { skip = 0 }
    !skip       { print }
' "$readme" >"$table.new"
mv "$table.new" "$readme"
