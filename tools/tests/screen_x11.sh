# korvane message, mask edit --window and printers --setup on an X screen (tests/x11/run.sh
# starts a private Xvfb), answered by real key presses through xdotool.
source "$(dirname "$0")/lib.sh"

# The close button of a window's frame, as a window manager reports it: WM_DELETE_WINDOW.
close_window() {
  timeout 10 python3 - "$1" <<'EOF'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to the size of an XEvent
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]
display = x.XOpenDisplay(None)
window = int(sys.argv[1])
event = ClientMessage(type=33, window=window, format=32)  # 33: ClientMessage
event.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XCloseDisplay(display)
EOF
}

# on_screen STATUS STDOUT TITLE KEYS ARGS...  Runs the tool in the background, waits for
# its window titled TITLE, types KEYS (xdotool arguments, one call per ";"; "close" for the
# close button) and compares what the tool printed. Every wait has a time limit, so a
# window that never comes fails.
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
      if [[ $step == close ]]; then
        close_window "$window" || problem="cannot close the window"
      else
        # shellcheck disable=SC2086  # each step is split into xdotool's arguments
        timeout 10 xdotool $step || problem="xdotool $step failed"
      fi
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

# The masked field in its window: refused characters ring and are not typed, and the
# field stops taking digits when the mask is full.
phone='(999) 999-9999'
on_screen 0 '5551234567' 'korvane mask edit' 'type --delay 30 555x1234567890;key Return' mask edit "$phone" --window
on_screen 0 '55755' 'korvane mask edit' 'key Left Left;type --delay 30 7;key Return' \
  mask edit "$phone" --window --text 555-5
on_screen 0 'AB-' 'korvane mask edit' 'key Return' mask edit '^AA-99' --window --text ab
on_screen 1 '' 'korvane mask edit' 'type --delay 30 555;key Escape' mask edit "$phone" --window
on_screen 1 '' 'korvane mask edit' 'type --delay 30 555;close' mask edit "$phone" --window

# The printer setup dialog over a private win.ini's two PDF-file printers, no CUPS server.
export CUPS_SERVER="$work/none.sock"
export KORVANE_WININI="$work/win.ini"
printf '[devices]\nFile PDF=PDF Writer,%s/a.pdf\nOther PDF=PDF Writer,%s/b.pdf\n[windows]\ndevice=File PDF,PDF Writer,%s/a.pdf\n' \
  "$work" "$work" "$work" >"$KORVANE_WININI"
on_screen 1 'cancelled' 'Printer Setup' 'key Escape' printers --setup
on_screen 1 'cancelled' 'Printer Setup' 'close' printers --setup
on_screen 0 'unchanged' 'Printer Setup' 'key Return' printers --setup
on_screen 0 $'device: Other PDF\ndriver: PDF Writer\nport: '"$work"$'/b.pdf\ndevice mode: the printer\'s default' \
  'Printer Setup' 'key Down;key Return' printers --setup
checks=$((checks + 1))
if ! grep -qx "device=Other PDF,PDF Writer,$work/b.pdf" "$KORVANE_WININI"; then
  failures=$((failures + 1)); echo "FAIL: win.ini lacks the new default"; cat "$KORVANE_WININI"
fi
finish
