#!/usr/bin/env bash
# Builds and runs every test: the normal build, then AddressSanitizer + UndefinedBehaviorSanitizer,
# then the threaded test programs under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

run_config() {  # name, cmake options..., then -- and the targets to build (all when none)
  local dir=build/$1; shift
  local opts=() targets=()
  while (($#)) && [ "$1" != "--" ]; do opts+=("$1"); shift; done
  (($#)) && shift
  targets=("$@")
  echo "== $dir"
  cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
  if ((${#targets[@]})); then
    cmake --build "$dir" -j"$jobs" --target "${targets[@]}"
    local regex
    regex=$(IFS='|'; echo "${targets[*]}")
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" -R "^(${regex})(\\.|$)"
  else
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
  fi
}

run_config tests -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The installed form: a program outside the tree built against it both ways.
tests/package/check.sh build/tests
run_config asan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=address -DKORVANE_BUILD_BENCH=OFF
# ThreadSanitizer needs a fixed memory layout on kernels with high mmap randomisation.
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1 suppressions=$PWD/tests/tsan.supp}"
if setarch "$(uname -m)" -R true 2>/dev/null; then
  setarch "$(uname -m)" -R bash -c "$(declare -f run_config); jobs=$jobs; run_config tsan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=thread -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_TOOLS=OFF -- test_memory test_frame test_platform test_format test_user32 test_ui test_stress test_x11"
else
  run_config tsan -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=thread -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_TOOLS=OFF -- test_memory test_frame test_platform test_format test_user32 test_ui test_stress
fi
