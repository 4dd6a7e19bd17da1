#!/usr/bin/env bash
# Builds the library and the korvane tool, then runs the tool's demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target korvane-tool
build/tools/korvane demo
