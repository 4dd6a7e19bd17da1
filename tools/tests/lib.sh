# Helpers of the korvane tool tests: run the tool as a process and compare its standard
# output, standard error and exit status. Sourced with the tool and the data directory.
set -u
TOOL=$1
DATA=$2
checks=0
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# expect STATUS STDOUT STDERR ARGS...  Standard input comes from $INPUT (default: empty).
expect() {
  local want_status=$1 want_out=$2 want_err=$3 status=0
  shift 3
  "$TOOL" "$@" <"${INPUT:-/dev/null}" >"$work/out" 2>"$work/err" || status=$?
  local out err
  out=$(<"$work/out")
  err=$(<"$work/err")
  checks=$((checks + 1))
  if [[ $status != "$want_status" || $out != "$want_out" || $err != "$want_err" ]]; then
    failures=$((failures + 1))
    printf 'FAIL: korvane'; printf ' [%s]' "$@"; printf '\n'
    printf '  status %s, expected %s\n' "$status" "$want_status"
    printf '  stdout:\n%s\n  expected:\n%s\n' "$out" "$want_out"
    printf '  stderr:\n%s\n  expected:\n%s\n' "$err" "$want_err"
  fi
}

# expect_match STATUS STDOUT-REGEX ARGS...  for long texts such as help and the demo.
expect_match() {
  local want_status=$1 pattern=$2 status=0
  shift 2
  "$TOOL" "$@" </dev/null >"$work/out" 2>"$work/err" || status=$?
  checks=$((checks + 1))
  if [[ $status != "$want_status" ]] || ! grep -Eq -- "$pattern" "$work/out"; then
    failures=$((failures + 1))
    printf 'FAIL: korvane'; printf ' [%s]' "$@"; printf '\n  status %s, expected %s; stdout lacks /%s/\n' \
      "$status" "$want_status" "$pattern"
    cat "$work/out" "$work/err"
  fi
}

finish() {
  echo "$checks checks, $failures failed"
  [[ $failures == 0 ]]
}
