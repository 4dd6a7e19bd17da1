#!/usr/bin/env bash
# Runs the Windows build of the tool under Wine as if it were the Linux one, so that the
# tool's tests check both: KORVANE_EXE names korvane.exe, WINE the loader. The console's
# "\r\n" line ends are turned back into "\n"; the exit status is the program's.
set -u
err=$(mktemp)
trap 'rm -f "$err"' EXIT
"${WINE:-/usr/lib/wine/wine64}" "$KORVANE_EXE" "$@" 2>"$err" | tr -d '\r'
status=${PIPESTATUS[0]}
tr -d '\r' <"$err" >&2
exit "$status"
