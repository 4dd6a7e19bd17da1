#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (ASan + UBSan) and runs each for
# SECONDS (default 30), one after the other, starting from its committed seeds in
# tests/fuzz/corpus/<target>. Inputs the run finds go to build/fuzz/corpus, so the committed
# seeds stay small; a crashing input is kept in build/fuzz/findings and fails the run.
# Usage: scripts/fuzz.sh [SECONDS] [target...]      (default: every target)
# KORVANE_FUZZ_DIR picks another build directory (default build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
(($#)) && shift
scripts/deps.sh clang libclang-rt-14-dev

dir=${KORVANE_FUZZ_DIR:-build/fuzz}
echo "== $dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON \
  -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_TOOLS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_all

targets=("$@")
if ((${#targets[@]} == 0)); then
  for f in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

root=$PWD
work=$root/$dir/work
mkdir -p "$work" "$dir/findings"
# The emulated system: no win.ini of the host, shared objects of this run only.
export KORVANE_WININI=$work/none.ini KORVANE_LANGID=0x0409 KORVANE_LCID=0x0409
export KORVANE_SHM_PREFIX="/korvane-fuzz-$$-"
summary=()
status=0
for t in "${targets[@]}"; do
  corpus=$dir/corpus/$t
  mkdir -p "$corpus"
  log=$dir/$t.log
  echo "== $t: ${seconds}s"
  if ! (cd "$work" && "$root/$dir/tests/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$root/$dir/findings/$t-" \
        "$root/$corpus" "$root/tests/fuzz/corpus/$t") >"$log" 2>&1; then
    status=1
    tail -n 40 "$log"
    summary+=("$t: FAILED (see $log and $dir/findings)")
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  corp=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  summary+=("$t: ${runs:-?} executions, coverage ${cov:-?} edges, ${ft:-?} features, corpus ${corp:-?}")
done
echo "== fuzz summary (${seconds}s each)"
printf '  %s\n' "${summary[@]}"
exit $status
