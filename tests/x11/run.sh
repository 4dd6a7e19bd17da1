#!/usr/bin/env bash
# Runs the X11 driver's tests on a private Xvfb: a display number no one else uses, a
# screen of 1024x768 at 24 bits, stopped afterwards whatever happens.
# Usage: run.sh TEST_PROGRAM [gtest arguments...]
set -euo pipefail
program=$1
shift
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
number=$((90 + RANDOM % 400))
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1152x864x24 -nolisten tcp -noreset >"xvfb.log" 2>&1 &
xvfb=$!
# A test may have stopped the server itself (the loss of the display is one of them).
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.05
done
export DISPLAY=":$number" KORVANE_DISPLAY=x11 KORVANE_TEST_XVFB_PID=$xvfb
status=0
"$program" "$@" || status=$?
exit $status
