#!/usr/bin/env bash
# Cross-builds the library for 32-bit Windows (korvane.dll and its import library
# libkorvane.dll.a) with mingw-w64, then checks that the DLL's export table holds exactly
# the names of src/korvane.exports. Installs the cross compiler when it is missing.
# Usage: scripts/windows.sh [build-dir]      (default: build/windows)
set -euo pipefail
dir=$(realpath -m "${1:-$(dirname "$0")/../build/windows}")
cd "$(dirname "$0")/.."
scripts/deps.sh g++-mingw-w64-i686

echo "== $dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-i686.cmake" >/dev/null
cmake --build "$dir" -j"$(nproc)"
cmake --build "$dir" --target check_exports
