# korvane number: format, parse, calc and tokenize, with their refusals.
source "$(dirname "$0")/lib.sh"

expect 0 $'1,234,567.89\n-1,234.50' '' number format '#,##0.00' 1234567.891 -1234.5
expect 0 $'(5.00)\nnil 0' '' number format '0.00;(0.00);'"'nil '0" -5 0.001
expect 0 '12.5%' '' number format '0.0%' 0.125
expect 0 '5.00 ' '' number format '#,##0.00_)' 5
expect 0 '1.23E-04' '' number format '0.00E+00' 0.000123
expect 0 '1,234.50' '' number format '' 1234.5
expect 0 '($1,234.50)' '' number format '$' -1234.5
# A tokenized picture, as tokenize prints it, formats like the plain one.
expect 0 '\x0F#\x01##0\x0200\x10' '' number tokenize '#,##0.00'
expect 0 '1,234.50' '' number format '\x0F#\x01##0\x0200\x10' 1234.5
expect 0 '\x03\x0F#\x01##0\x10' '' number tokenize '$#,##0'

expect 0 $'-5\n1234.5' '' number parse '#,##0.00;(#,##0.00)' '(5.00)' '1,234.50'
expect 0 '.125' '' number parse '0.0%' '12.5%'
expect 0 $'-1234.5\n1234.5' '' number parse '' '-1,234.5' '1,234.5'
expect 0 '-1234.5' '' number parse '$' '($1,234.50)'

expect 0 $'9.9\n-4\n.5' '' number calc '(1.10 + 2.20) * 3' '-(2 + 2)' '2×3÷4−1'
expect 0 $'.67\n-.67' '' number calc --round 2 '2 / 3' '-2/3'
expect 0 '1200' '' number calc --round=-2 '1234'

# The largest values still fit the output the tool sizes for them.
big=$(printf '9%.0s' {1..40})
expect 0 "9$(printf ',999%.0s' {1..13}).00" '' number format '#,##0.00' "$big"
expect 0 "-1$(printf '0%.0s' {1..117})"$'\n'".$(printf '0%.0s' {1..120})1" '' number calc -- '-1E117' '1E-121'

# Bad values: one message each, nothing on stdout for them, the rest still done.
expect 2 $'12.00\n3.00' $'korvane number format: not a number: "abc"
korvane number format: number too large: "1e999"
korvane number format: not a number: "1.5x"
korvane number format: not a number: ""' number format '#,##0.00' 12 abc 1e999 1.5x 3 ''
expect 2 '1234.5' 'korvane number parse: not a number by picture "#,##0.00": "12,34"' \
  number parse '#,##0.00' '12,34' '1,234.5'
expect 2 '' $'korvane number calc: division by zero in "1/0"
korvane number calc: missing ")" in "2*(3"
korvane number calc: missing operand at the end in "2+"
korvane number calc: unbalanced ")" in "(1+2))"
korvane number calc: unexpected "x 4" in "3 x 4"
korvane number calc: empty expression in ""' number calc '1/0' '2*(3' '2+' '(1+2))' '3 x 4' ''
# Bad pictures and arguments stop the command.
expect 2 '' 'korvane number format: invalid number picture "#,##0;-#,##0;0;0"' number format '#,##0;-#,##0;0;0' 1
# Messages quote at most 60 bytes of a value.
expect 2 '' 'korvane number format: picture longer than 63 bytes: "'"$(printf '0%.0s' {1..60})"'..."' \
  number format "$(printf '0%.0s' {1..64})" 1
deep=$(printf '(%.0s' {1..101})1$(printf ')%.0s' {1..101})
expect 2 '' "korvane number calc: expression nested too deeply in \"${deep:0:60}...\"" number calc "$deep"
expect 2 '' "korvane number calc: expression nested too deeply in \"$(printf -- '-%.0s' {1..60})...\"" \
  number calc -- "$(printf -- '-%.0s' {1..101})1"
expect 2 '' 'korvane number calc: number too large at "1e200" in "1e200"' number calc '1e200'
expect 2 '' 'korvane number format: bad escape in picture "\x0F#\xZZ"' number format '\x0F#\xZZ' 1
expect 2 '' 'korvane number tokenize: invalid number picture "0.#0E+00"' number tokenize '0.#0E+00'
expect 2 '' 'korvane number format: missing PICTURE (see korvane number format --help)' number format
expect 2 '' 'korvane number calc: --round takes whole places from -120 to 120, not "x" (see korvane number calc --help)' \
  number calc --round x 1
expect 2 '' 'korvane number: unknown subcommand "frob" (see korvane number --help)' number frob
finish
