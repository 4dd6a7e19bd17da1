#!/usr/bin/env bash
# Cross-builds the library for Windows with mingw-w64: the 32-bit korvane.dll (and its
# import library libkorvane.dll.a) and the same tree as a 64-bit DLL, then checks that each
# DLL's export table holds exactly the names of src/korvane.exports. Installs the cross
# compilers when they are missing, and runs the 64-bit build's tests under Wine (scripts/wine.sh).
# Usage: scripts/windows.sh [build-dir]      (default: build/windows; the 64-bit build goes
#        to <build-dir>64, its test programs to <build-dir>64-tests)
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

# The test programs that need no Linux platform layer, cross-built against the same sources
# with the posix thread model (GoogleTest needs std::thread); the DLLs above keep win32.
tests=${dir}64-tests
echo "== $tests (x86_64, test programs)"
scripts/deps.sh googletest
cmake -S . -B "$tests" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_WINDOWS_TESTS=ON -DKORVANE_MINGW_THREADS=posix \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$tests" -j"$(nproc)" --target windows_tests

# The 64-bit build runs: the tool's tests and the test programs under Wine.
scripts/wine.sh "${dir}64" "$tests"
