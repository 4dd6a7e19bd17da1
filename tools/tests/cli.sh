# korvane as a whole: help, unknown commands, values from standard input, settings,
# --profile and --lang, and the demo.
source "$(dirname "$0")/lib.sh"

expect_match 0 '^usage: korvane \[--profile FILE\]' --help
expect_match 0 '^usage: korvane number format PICTURE' number format --help
expect_match 0 'date guess' date --help
expect_match 0 '^usage: korvane mask apply' mask apply --help
expect 2 '' 'korvane: missing command (see korvane --help)'
expect 2 '' 'korvane: unknown command "frob" (see korvane --help)' frob
expect 2 '' 'korvane date: missing subcommand (see korvane date --help)' date
expect 2 '' 'korvane number format: unknown option --bogus (see korvane number format --help)' number format --bogus '0' 1

# Without values the tool filters its standard input, one value per line ("\r\n" too).
printf '1234.5\nabc\r\n-0.004\n\n1e3\r\n' >"$work/amounts"
INPUT=$work/amounts expect 2 $'1,234.50\n0.00\n1,000.00' $'korvane number format: not a number: "abc"
korvane number format: not a number: ""' number format '#,##0.00' 
printf '3/15/01\nsoon\n2001-12-25\n' >"$work/dates"
INPUT=$work/dates expect 2 $'2001-03-15-00.00.00.000000\n2001-12-25-00.00.00.000000' \
  'korvane date parse: not a date/time: "soon"' date parse
printf '2 * (3 + 4)\n1 / 8\n' >"$work/sums"
INPUT=$work/sums expect 0 $'14\n.125' '' number calc
printf '1\0002\n3\n' >"$work/zero"
INPUT=$work/zero expect 2 '3' 'korvane number calc: zero byte in "1\x002"' number calc

# The built-in defaults serve without a win.ini; --profile selects another one.
expect_match 0 '^regional settings from built-in defaults \(no win.ini at ' settings
expect_match 0 'decimal "\." thousands ","' settings
europe=$DATA/europe.ini
expect_match 0 "^regional settings from $europe\$" --profile "$europe" settings
expect 0 $'1.234.567,89\n-1.234,50' '' --profile "$europe" number format '#.##0,00' 1234567.891 -1234.5
expect 0 $'1.234,50\n0,50' '' --profile "$europe" number format '' 1234.5 .5
expect 0 '-1.234,50 DM' '' number format '$' -1234.5 --profile="$europe"
expect 0 '1234.5' '' --profile "$europe" number parse '' '1.234,5'
expect 0 '2001-03-15-13.45.00.000000' '' --profile "$europe" date parse '15.03.2001 13:45'
expect 0 '15.03.2001' '' --profile "$europe" date format S 2001-03-15
# The US picture is not one under these settings.
expect 2 '' 'korvane number format: invalid number picture "#,##0.00"' --profile "$europe" number format '#,##0.00' 1
expect 2 '' 'korvane: cannot read profile "/nonexistent/win.ini"' --profile /nonexistent/win.ini settings
expect 2 '' 'korvane: --profile needs a file (see korvane --help)' settings --profile

expect_match 0 'double-byte text  yes \(Japanese\)' --lang 0x0411 charset
expect_match 0 '^system language   0x0412' --lang 1042 charset
expect 2 '' 'korvane: --lang takes a language id such as 0x0411, not "zz" (see korvane --help)' --lang zz charset

# The demo: every step, exit status 0, with and without a European win.ini.
expect_match 0 '^\(555\) 123-4567$' demo
expect_match 0 '^1,234,567\.89$' demo
expect_match 0 '^1\.234\.567,89$' --profile "$europe" demo
finish
