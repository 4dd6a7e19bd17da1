#!/usr/bin/env bash
# Cross-builds the library for Windows with mingw-w64: the 32-bit korvane.dll (and its
# import library libkorvane.dll.a) and the same tree as a 64-bit DLL, then checks that each
# DLL's export table holds exactly the names of src/korvane.exports. Installs the cross
# compilers when they are missing, and runs the 64-bit build's tests under Wine (scripts/wine.sh).
# Usage: scripts/windows.sh [build-dir]      (default: build/windows; the 64-bit build goes
#        to <build-dir>64)
set -euo pipefail
dir=$(realpath -m "${1:-$(dirname "$0")/../build/windows}")
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-i686 g++-mingw-w64-x86-64

for target in "i686:$dir" "x86_64:${dir}64"; do
  arch=${target%%:*} out=${target#*:}
  echo "== $out ($arch)"
  cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-$arch.cmake" >/dev/null
  cmake --build "$out" -j"$(nproc)"
  cmake --build "$out" --target check_exports
done

# The 64-bit build runs: its tests under Wine.
scripts/wine.sh "${dir}64"
