# korvane message on an X screen (tests/x11/run.sh
# starts a private Xvfb), answered by real key presses through xdotool.
source "$(dirname "$0")/lib.sh"

# on_screen STATUS STDOUT TITLE KEYS ARGS...  Runs the tool in the background, waits for
# its window titled TITLE, types KEYS (xdotool arguments, one call per ";") and compares
# what the tool printed. Every wait has a time limit, so a window that never comes fails.
on_screen() {
  local want_status=$1 want_out=$2 title=$3 keys=$4 status=0 problem=''
  shift 4
  timeout 20 "$TOOL" "$@" </dev/null >"$work/out" 2>"$work/err" &
  local tool=$!
  local window
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -1)
  if [[ -n $window ]]; then
    # Keys go where the X focus is; a person, too, types once the window has it.
    local tries=0
    while [[ $(xdotool getwindowfocus 2>/dev/null) != "$window" ]] && ((tries++ < 100)); do sleep 0.05; done
    local step
    IFS=';' read -ra steps <<<"$keys"
    for step in "${steps[@]}"; do
      # shellcheck disable=SC2086  # each step is split into xdotool's arguments
      timeout 10 xdotool $step || problem="xdotool $step failed"
    done
  else
    problem="no window titled \"$title\""
  fi
  wait "$tool" || status=$?
  local out err
  out=$(<"$work/out")
  err=$(<"$work/err")
  checks=$((checks + 1))
  if [[ -n $problem || $status != "$want_status" || $out != "$want_out" || -n $err ]]; then
    failures=$((failures + 1))
    printf 'FAIL: korvane'; printf ' [%s]' "$@"; printf ' answered by %s\n' "$keys"
    [[ -n $problem ]] && printf '  %s\n' "$problem"
    printf '  status %s, expected %s\n' "$status" "$want_status"
    printf '  stdout:\n%s\n  expected:\n%s\n  stderr:\n%s\n' "$out" "$want_out" "$err"
  fi
}

# The box's buttons by their mnemonics, Return for the default one, Escape for Cancel.
on_screen 0 'no' 'Screen test' 'key n' message Hello --caption 'Screen test' --buttons yesno
on_screen 0 'yes' 'Screen test' 'key Return' message Hello --caption 'Screen test' --buttons yesno --icon question
on_screen 0 'cancel' 'Korvane' 'key Escape' message 'Go on?' --buttons yesnocancel
on_screen 0 'retry' 'Korvane' 'key r' message 'Disk?' --buttons abortretryignore --icon error

finish
