#!/usr/bin/env bash
# Runs the 64-bit Windows build under Wine: the korvane tool's tests, the same scripts the
# Linux build passes, through tools/tests/wine-tool.sh. These hosts cannot execute 32-bit
# code, so the 64-bit build is the one that runs. Installs wine and wine64 when missing.
# Also runs the cross-built GoogleTest programs when their build is named.
# Usage: scripts/wine.sh BUILD-DIR [TEST-BUILD-DIR]   (64-bit builds made by scripts/windows.sh)
set -euo pipefail
build=$(realpath "$1")
tests=${2:+$(realpath "$2")}
cd "$(dirname "$0")/.."
scripts/deps.sh wine wine64

export WINE=/usr/lib/wine/wine64 WINEDEBUG=-all
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
# The prefix goes only once its server has ended: it still writes there while it stops.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; /usr/lib/wine/wineserver -w 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# Windows without a display: the null graphics driver. The prefix is made by the first
# command; waiting for its server lets that set-up finish before a program makes a window.
"$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
/usr/lib/wine/wineserver -w

# The Linux tests run without a win.ini and so get the built-in settings of a United States
# machine; Windows answers [intl] from the user's locale, whose four values below are newer
# than those. Setting them makes both builds answer the same questions alike.
intl='HKCU\Control Panel\International'
for kv in 'sShortDate=M/d/yy' 'sLongDate=dddd, MMMM dd, yyyy' 'iLZero=0' 'sLanguage=usa'; do
  "$WINE" reg add "$intl" /v "${kv%%=*}" /d "${kv#*=}" /f >/dev/null
done

# The tool finds korvane.dll beside it.
cp "$build/src/korvane.dll" "$build/tools/"
export KORVANE_EXE=$build/tools/korvane.exe
failed=0
# cli.sh stays Linux-only: --profile and --lang are refused on Windows by design.
for family in number date mask system; do
  echo "== wine: tool_$family"
  bash tools/tests/$family.sh tools/tests/wine-tool.sh tools/tests/data || failed=1
done
if [ -n "$tests" ]; then
  for program in "$tests"/tests/windows/test_*.exe; do
    name=$(basename "$program" .exe)
    # The character-set tests run once per system, as on Linux; Wine takes the system
    # language and ANSI code page from LANG.
    # The format tests for a Japanese system are named so, and run again on one.
    systems=en_US
    [ "$name" = test_intl ] && systems="en_US ja_JP ko_KR"
    [ "$name" = test_format ] && systems="en_US ja_JP"
    for system in $systems; do
      filter=()
      [ "$name/$system" = test_format/ja_JP ] && filter=(--gtest_filter='*Japanese*')
      # Wine's _gcvt leaves out the point Windows writes after a whole number ("123.").
      [ "$name" = test_number ] && filter=(--gtest_filter='-NumberDouble.FormatsAndEdges')
      echo "== wine: $name ($system)"
      # Each run in a directory of its own, as on Linux: some write files where they run.
      work=$(mktemp -d)
      (cd "$work" && LANG=$system.UTF-8 LC_ALL=$system.UTF-8 "$WINE" "$program" --gtest_brief=1 "${filter[@]}") |
        tr -d '\r' || failed=1
      rm -rf "$work"
    done
  done
fi
exit "$failed"
