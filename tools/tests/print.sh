# korvane printers and korvane print, to a PDF-file printer of a private win.ini and with
# no CUPS server to be had.
source "$(dirname "$0")/lib.sh"

export CUPS_SERVER="$work/none.sock"
export KORVANE_WININI="$work/win.ini"
pdf="$work/out.pdf"
printf '[devices]\nFile PDF=PDF Writer,%s\nNowhere=PDF Writer,%s/no/x.pdf\n[windows]\ndevice=File PDF,PDF Writer,%s\n' \
  "$pdf" "$work" "$pdf" >"$KORVANE_WININI"

expect_match 0 '^File PDF \(default\)$' printers
expect_match 0 '^  papers: Letter 8 1/2 x 11 in, Legal .*, A4 210 x 297 mm, ' printers

# 130 lines: 50 to a Letter page with one-inch margins at 10 points.
seq -f 'line %g' 1 130 >"$work/text.txt"
expect 0 $'page 1\npage 2\npage 3\n3 sheets to File PDF on '"$pdf" '' print "$work/text.txt"
checks=$((checks + 1))
if [[ $(pdfinfo "$pdf" | grep -E '^Pages:' | tr -s ' ') != "Pages: 3" ]] ||
  ! pdftotext "$pdf" - | grep -qx 'line 130'; then
  failures=$((failures + 1)); echo "FAIL: the PDF lacks its 3 pages or its last line"; pdfinfo "$pdf"
fi

# A page's worth of lines, one sheet a copy.
seq -f 'line %g' 1 20 >"$work/short.txt"
expect 0 $'page 1\npage 2\n2 sheets to File PDF on '"$pdf" '' print --copies 2 --paper 9 --landscape "$work/short.txt"
checks=$((checks + 1))
if ! pdfinfo "$pdf" | grep -q 'Page size: *841.92 x 595.32 pts (A4)'; then
  failures=$((failures + 1)); echo "FAIL: not A4 landscape"; pdfinfo "$pdf"
fi

# Its directory is missing: the box (headless, on standard error) and result 3.
expect 2 'page 1' $'korvane print: Out of Disk Space [OK]\nkorvane print: cannot start the printer (result 3)' \
  print --printer Nowhere "$work/text.txt"
checks=$((checks + 1))
if [[ -e $work/no ]]; then failures=$((failures + 1)); echo "FAIL: a directory was made"; fi
expect 2 '' 'korvane print: no printer "Nobody"' print --printer Nobody "$work/text.txt"
expect 2 '' 'korvane print: cannot read "'"$work"'/missing.txt"' print "$work/missing.txt"
expect 2 '' 'korvane print: --copies takes 1 to 999 (see korvane print --help)' print --copies 0 "$work/text.txt"
# The setup dialog, chosen as a person would; the new default lands in win.ini.
expect 0 $'device: Nowhere\ndriver: PDF Writer\nport: '"$work"$'/no/x.pdf\ndevice mode: the printer\'s default' '' \
  printers --setup --choose 'Nowhere on '
checks=$((checks + 1))
if ! grep -qx "device=Nowhere,PDF Writer,$work/no/x.pdf" "$KORVANE_WININI"; then
  failures=$((failures + 1)); echo "FAIL: win.ini lacks the new default"; cat "$KORVANE_WININI"
fi
expect 1 'cancelled' '' printers --setup --choose 'Nobody on '
expect 2 '' 'korvane printers: without a display, --setup needs --choose LINE (see korvane printers --help)' \
  printers --setup
finish
