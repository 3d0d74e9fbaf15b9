#!/bin/bash
# Benchmark of the CVS status query. Nothing here is a pass/fail test.
#
# Usage: bench/cvs_status_bench.sh [BUILD_DIR] [COUNT]
#
# A repository made with "cvs init" in a temporary folder, a working copy of
# one file; then COUNT (default 200) PACvsStatus queries on the file against
# COUNT runs of "cvs status FILE" from the shell, in the same run. The ratio
# is the query's own cost (batch file, process start, parsing) on top of the
# cvs run itself (target: under 20% more).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
count=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$root/bench/bench_program.sh"
compile_bench_program cvs_status_bench

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" TMPDIR="$work/tmp"
mkdir -p "$work/tmp" "$work/import" "$work/home"
cvs -Q -d "$work/repo" init
echo "int main() {}" > "$work/import/main.cpp"
(cd "$work/import" && cvs -Q -d "$work/repo" import -m start proj vendor start)
(cd "$work/home" && cvs -Q -d "$work/repo" checkout proj)
# The library takes Windows paths: backslashes.
winpath() { printf '%s' "$1" | tr / '\\'; }
export PHOME="$(winpath "$work/home")"

# The two sides take turns, seven runs each, so that a busy moment of the
# machine falls on both alike; the best run of each counts. Besides the
# seconds on the clock (the target), each side's processor seconds (its
# own and its children's) are shown: on a machine busy with other work
# they change far less from run to run.
best() { sort -g | head -1; }
runs=7
: > "$work/query.txt"
: > "$work/shell.txt"
for ((run = 0; run < runs; run++)); do
  "$work/cvs_status_bench" "$(winpath "$work/home/proj/main.cpp")" "$count" | awk '{print $2, $4}' >> "$work/query.txt"
  (cd "$work/home/proj" && TIMEFORMAT='%R %U %S' && {
     time for ((i = 0; i < count; i++)); do cvs status main.cpp > "$work/tmp/out.txt"; done
   } 2>&1 | awk '{print $1, $2 + $3}') >> "$work/shell.txt"
done
query=$(awk '{print $1}' "$work/query.txt" | best)
shell=$(awk '{print $1}' "$work/shell.txt" | best)
queryCpu=$(awk '{print $2}' "$work/query.txt" | best)
shellCpu=$(awk '{print $2}' "$work/shell.txt" | best)
echo "$count status queries, best of $runs:"
printf '  cvs status from the shell  %8.3f s  (%.2f ms each), processor %.3f s\n' \
  "$shell" "$(echo "$shell * 1000 / $count" | bc -l)" "$shellCpu"
printf '  PACvsStatus                %8.3f s  (%.2f ms each), processor %.3f s\n' \
  "$query" "$(echo "$query * 1000 / $count" | bc -l)" "$queryCpu"
printf '  PACvsStatus takes %.2f times the cvs run: %.0f%% on top (target < 20%%)\n' \
  "$(echo "$query / $shell" | bc -l)" "$(echo "($query / $shell - 1) * 100" | bc -l)"
printf '  processor time: %.2f times, %.0f%% on top\n' \
  "$(echo "$queryCpu / $shellCpu" | bc -l)" "$(echo "($queryCpu / $shellCpu - 1) * 100" | bc -l)"
if [ -n "$(ls -A "$work/tmp" | grep -v '^out.txt$')" ]; then echo "temporary files were left behind" >&2; exit 1; fi
