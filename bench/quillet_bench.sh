#!/bin/bash
# quillet's benchmarks. Each prints its rates as ratios against a reference
# run in the same invocation; nothing here is a pass/fail test.
#
# Usage: bench/quillet_bench.sh [BUILD_DIR] [MEGABYTES]
# BUILD_DIR is a configured and built tree (default: build); the platform
# library is taken from its bin folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
megabytes=${2:-256}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CheckScript: the comment check of one script against a plain read.
# The scanner's sources are compiled with the benchmark, against the built
# platform library, with the same text-mode file layer as quillet.
${CXX:-g++} -std=c++17 -O2 -g -Wall -Wextra \
  -include winport/crt_override.h \
  -I "$root/platform/winport/include" -I "$root/platform/framework/include" -I "$root/quillet" \
  "$root/bench/check_script_bench.cpp" \
  "$root/quillet/check_script.cpp" "$root/quillet/qpxlex.cpp" "$root/quillet/yylexer.cpp" \
  -L "$build/bin" -ltekora-platform -Wl,-rpath,"$build/bin" \
  -o "$work/check_script_bench"
mkdir -p "$work/tmp"
TMPDIR="$work/tmp" "$work/check_script_bench" "$work" "$megabytes"
