#!/usr/bin/env bash
# Runs every fuzz harness of a build for a bounded time: first the inputs of
# its corpus in the tree (seeds and the inputs of past findings), then new
# inputs for the rest of the time. Prints each harness's executions; fails
# when any harness finds a fault (the input is kept in the working folder
# and named in the output).
#   fuzz/run_fuzzers.sh <build folder> [seconds per harness]
set -euo pipefail
build="$1"
seconds="${2:-30}"
tree="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failed=()
while read -r name; do
  [ -n "$name" ] || continue
  mkdir -p "$work/$name/corpus" "$work/$name/findings"
  log="$work/$name/log"
  status=0
  # The new inputs go into the working folder, so the tree's corpus stays as
  # it is; so do the harness's own files, which a finding leaves behind.
  TMPDIR="$work/$name" "$build/bin/${name}_fuzz" "$work/$name/corpus" "$tree/corpus/$name" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/$name/findings/" >"$log" 2>&1 || status=$?
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  echo "$name: ${executions:-?} executions in ${seconds} s"
  if [ "$status" -ne 0 ]; then
    failed+=("$name")
    echo "== $name found a fault:"
    grep -v '^#' "$log" | tail -n 60
    for finding in "$work/$name/findings"/*; do
      [ -e "$finding" ] || continue
      echo "input ($finding), base64: $(base64 -w0 "$finding")"
    done
  fi
done <"$build/fuzzers.txt"

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz findings in: ${failed[*]}"
  exit 1
fi
