// Example: format a number by a picture with the regional separators.
// Family: Number pictures and formatting
#include <korvane/korvane.h>

#include <cstdio>
#include <cstring>
#include <vector>

static void show(const char* value, const char* picture) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.nFormatType = FMT_TYPE_PICTURE;
  block.bUseIntl = TRUE;  // separators from win.ini's [intl]
  block.lpszPicture = const_cast<LPSTR>(picture);
  NumAsciiToNumber(&block.number, value);

  // Room for the longest text of the picture for values of up to 15 integer digits.
  std::vector<char> output(FMTGetMaxFormattedNumLen(picture, 15, 0) + 1);
  block.lpszOutput = output.data();
  if (FMTFormatNumber(&block) == 1) std::printf("%-13s %-28s -> %s\n", value, picture, output.data());
}

int main() {
  show("1234567.891", "#,##0.00");
  show("-1234567.891", "#,##0.00;(#,##0.00)");
  show("0.5", "0%");
  show("0", "#,##0.00;(#,##0.00);'zero: '0");
  return 0;
}

/* Prints:
1234567.891   #,##0.00                     -> 1,234,567.89
-1234567.891  #,##0.00;(#,##0.00)          -> (1,234,567.89)
0.5           0%                           -> 50%
0             #,##0.00;(#,##0.00);'zero: '0 -> zero: 0
*/
