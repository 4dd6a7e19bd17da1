# korvane mask: apply and strip, with their refusals.
source "$(dirname "$0")/lib.sh"

expect 0 $'(555) 123-4567\n(555) 123-4567\n(12' '' mask apply '(999) 999-9999' 5551234567 '(555) 123-4567' 12
expect 0 $'AB12\nAB2' '' mask apply 'AA99' ab12 a1b2
expect 0 'AB-1234xyz' '' mask apply '^AA-9999*' ab1234xyz
expect 0 $'5551234567\n5551' '' mask strip '(999) 999-9999' '(555) 123-4567' '(555) 1'

expect 2 '5551' 'korvane mask strip: text does not fit the mask "(999) 999-9999": "(555) 12x-4567"' \
  mask strip '(999) 999-9999' '(555) 12x-4567' '(555) 1'
expect 2 '' 'korvane mask apply: invalid mask "99*9"' mask apply '99*9' 1
expect 2 '' 'korvane mask apply: invalid mask "(--)"' mask apply '(--)' 1
expect 2 '' 'korvane mask strip: missing MASK (see korvane mask strip --help)' mask strip

# mask edit: keys through standard input into a real masked Edit control; Enter or the end
# of the input prints the typed characters.
keys() { printf "$1" >"$work/keys"; }
phone='(999) 999-9999'
keys '555x1234567890\n'; INPUT=$work/keys expect 0 '5551234567' '' mask edit "$phone"
keys '5551'; INPUT=$work/keys expect 0 '5551' '' mask edit "$phone"
# Backspace (either byte) over the ") " takes the digit before it.
keys '5551\x7f\x08\x7f\r'; INPUT=$work/keys expect 0 '5' '' mask edit "$phone"
# Home rests on the first place, not the "("; typing there inserts.
keys '123\x1b[H9\x1bOF4\x1b[1~\x1b[C\x1b[3~\n'; INPUT=$work/keys expect 0 '9234' '' mask edit "$phone"
keys '\x1b[D\x1b[D7'; INPUT=$work/keys expect 0 '55755' '' mask edit "$phone" --text '555-5'
# Shift+Home selects back to the start, and typing replaces the selection.
keys '5551234567\x1b[D\x1b[1;2H9\n'; INPUT=$work/keys expect 0 '97' '' mask edit "$phone"
keys '\x1b[4~\x1b[D\x1b[1;2F\x1b[3~'; INPUT=$work/keys expect 0 '555123' '' mask edit "$phone" --text 5551234
keys 'ab\n'; INPUT=$work/keys expect 0 'AB-' '' mask edit '^AA-99' --text ab
# Ctrl-C and Escape alone leave without a value; an unknown sequence is ignored.
keys '55\x03\n'; INPUT=$work/keys expect 1 '' '' mask edit "$phone"
keys '55\x1b'; INPUT=$work/keys expect 1 '' '' mask edit "$phone"
keys '55\x1bx\n'; INPUT=$work/keys expect 1 '' '' mask edit "$phone"
keys '5\x1b[A\x1b[15~5\n'; INPUT=$work/keys expect 0 '55' '' mask edit "$phone"
expect 2 '' 'korvane mask edit: invalid mask "99*9"' mask edit '99*9'
expect 2 '' 'korvane mask edit: missing MASK (see korvane mask edit --help)' mask edit
if [[ $TOOL != *wine-tool.sh ]]; then
  # A double-byte character goes in and out whole (the Windows build takes the system's
  # code page and has no --lang).
  keys '\x93\xFAa\x7f\n'; INPUT=$work/keys expect 0 $'\x93\xFA' '' --lang 0x0411 mask edit '*'
  keys 'a\x93\xFA\x7f\n'; INPUT=$work/keys expect 0 'a' '' --lang 0x0411 mask edit '*'
fi
finish
