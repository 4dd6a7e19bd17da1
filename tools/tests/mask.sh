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
finish
