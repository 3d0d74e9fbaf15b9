#!/usr/bin/env bash
# Merges the example scripts with quillet, then prepares the merged script with
# dovrik, and shows what each program wrote. Usage: examples/demo.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../build}" && pwd)/bin
out=$(mktemp -d "${TMPDIR:-/tmp}/quillet-demo-XXXXXX")

# The example's own registry turns the error boxes off ("MessageBox"=0), so the
# errors go to standard output only and the demo never waits for Enter.
export WINPORT_ROOT="$here/winport"

echo "== quillet $here/scripts -> $out/merged.sql"
"$bin/quillet" "$here/scripts" "$out/merged.sql" || echo "(quillet exit code $?)"
echo
echo "== dovrik $out/merged.sql -> $out/prepared.sql"
"$bin/dovrik" "$out/merged.sql" "$out/prepared.sql" || echo "(dovrik exit code $?)"
echo
echo "== $out/prepared.sql"
cat "$out/prepared.sql"
