#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, then builds and runs a small program against
# it twice: through find_package(korvane CONFIG) and through pkg-config.
# usage: tests/package/check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name korvane.pc)")/..
libdir=$(cd "$libdir" && pwd)
export LD_LIBRARY_PATH=$libdir

cmake -S "$here" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >"$work/build.log" || { cat "$work/build.log" >&2; exit 1; }
out_cmake=$("$work/cmake/consumer")

PKG_CONFIG_PATH=$libdir/pkgconfig
export PKG_CONFIG_PATH
# The .pc names the configured prefix; point it at the scratch one.
flags=$(pkg-config --define-variable=prefix="$prefix" --cflags --libs korvane)
c++ -std=c++20 "$here/consumer.cpp" -o "$work/consumer-pc" $flags
out_pc=$("$work/consumer-pc")

[[ "$out_cmake" == "$out_pc" && -n "$out_cmake" ]] || { echo "package check: '$out_cmake' vs '$out_pc'" >&2; exit 1; }
echo "package check: find_package and pkg-config builds ran ($out_cmake)"
