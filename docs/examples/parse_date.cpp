// Example: validate a date as a user typed it, then unformat one by a picture.
// Family: Date and time
#include <korvane/korvane.h>

#include <cstdio>
#include <cstring>

static void print(const char* what, int ok, const DATDEF& d) {
  if (!ok) {
    std::printf("%s: not a date\n", what);
    return;
  }
  std::printf("%s: %04ld-%02ld-%02ld %02ld:%02ld\n", what, static_cast<long>(d.year), static_cast<long>(d.month),
              static_cast<long>(d.day), static_cast<long>(d.hour), static_cast<long>(d.minute));
}

int main() {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.bUseIntl = TRUE;  // the short and long date pictures of win.ini's [intl]

  // Validation tries the regional pictures and the common shapes of a date.
  block.nFormatType = FMT_TYPE_DATE;
  const char* typed[] = {"3/15/2001", "Thursday, March 15, 2001", "15-Mar-2001", "March 32, 2001"};
  for (const char* text : typed) {
    block.lpszInput = const_cast<LPSTR>(text);
    print(text, FMTValidateDateTime(&block), block.dtValue);
  }

  // Unformatting reads the text by one picture only.
  block.nFormatType = FMT_TYPE_DATETIME;
  block.lpszPicture = const_cast<LPSTR>("dd.MM.yyyy hhhh:mm");
  block.lpszInput = const_cast<LPSTR>("15.03.2001 13:05");
  print(block.lpszInput, FMTUnformatDateTimeStr(&block), block.dtValue);
  return 0;
}

/* Prints:
3/15/2001: 2001-03-15 00:00
Thursday, March 15, 2001: 2001-03-15 00:00
15-Mar-2001: 2001-03-15 00:00
March 32, 2001: not a date
15.03.2001 13:05: 2001-03-15 13:05
*/
