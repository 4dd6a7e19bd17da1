# korvane message and mask edit --window without a display: the box goes to standard
# error and its default button answers; a window no one could answer is refused.
source "$(dirname "$0")/lib.sh"

expect 0 'ok' 'Korvane: Hello [OK]' message Hello
expect 0 'yes' 'Question: Go on? [Yes]' message 'Go on?' --caption Question --buttons yesno --icon question
expect 0 'no' 'Korvane: Go on? [No]' message 'Go on?' --buttons=yesnocancel --default 2
expect 0 'cancel' 'Korvane: Again? [Cancel]' message 'Again?' --buttons yesnocancel --default 3
expect 0 'abort' 'Korvane: Disk [Abort]' message Disk --buttons abortretryignore --icon error
expect 0 'retry' 'Korvane: Disk [Retry]' message Disk --buttons retrycancel --icon warning
expect 0 'ok' 'Korvane: Save? [OK]' message 'Save?' --buttons okcancel --icon info
# A default past the last button is the first one, as MessageBoxA takes it.
expect 0 'yes' 'Korvane: Go on? [Yes]' message 'Go on?' --buttons yesno --default 3
expect 0 'ok' ':  [OK]' message '' --caption ''

expect 2 '' 'korvane message: missing TEXT (see korvane message --help)' message
expect 2 '' 'korvane message: unexpected argument "b" (see korvane message --help)' message a b
expect 2 '' 'korvane message: no set of buttons "yes" (see korvane message --help)' message a --buttons yes
expect 2 '' 'korvane message: no icon "happy" (see korvane message --help)' message a --icon happy
expect 2 '' 'korvane message: --default takes 1, 2 or 3 (see korvane message --help)' message a --default 4
expect 2 '' 'korvane message: --caption needs a caption (see korvane message --help)' message a --caption
expect 2 '' 'korvane message: unknown option --beep (see korvane message --help)' message a --beep
expect_match 0 '^usage: korvane message TEXT' message --help

expect 2 '' 'korvane mask edit: --window needs a display (see korvane mask edit --help)' \
  mask edit '(999) 999-9999' --window
# Insisting on a screen where none answers stops at once, saying why; an unknown driver is
# named and the windows go headless.
KORVANE_DISPLAY=x11 DISPLAY=:97531 expect 1 '' \
  'korvane: KORVANE_DISPLAY=x11, but no X server answers at DISPLAY=":97531"' message Hello
KORVANE_DISPLAY=wayland expect 0 'ok' $'korvane: KORVANE_DISPLAY=wayland is not a display driver (none, x11); running headless\nKorvane: Hello [OK]' \
  message Hello
finish
