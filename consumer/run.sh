#!/usr/bin/env bash
# Builds the consumer against an installed tekora twice, once through its
# CMake package and once through pkg-config alone, and runs both builds.
# Usage: consumer/run.sh <install prefix> [lib dir name, default lib]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
libdir=$prefix/${2:-lib}
work=$(mktemp -d "${TMPDIR:-/tmp}/tekora-consumer-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "== consumer with find_package(tekora) from $prefix"
# tekora_DIR names the package exactly, so no other tekora on the machine can stand in.
cmake -S "$here" -B "$work/cmake" -Dtekora_DIR="$libdir/cmake/tekora" >/dev/null
cmake --build "$work/cmake" >/dev/null
mkdir "$work/run-cmake"
"$work/cmake/consumer" "$work/run-cmake"

echo "== consumer with pkg-config --cflags --libs tekora from $prefix"
# PKG_CONFIG_LIBDIR replaces pkg-config's own search path: only this prefix counts.
flags=$(PKG_CONFIG_LIBDIR="$libdir/pkgconfig" pkg-config --cflags --libs tekora)
${CXX:-g++} -std=c++17 "$here/main.cpp" $flags -o "$work/consumer-pc"
mkdir "$work/run-pc"
"$work/consumer-pc" "$work/run-pc"
