// korvane: the library's everyday work from a shell.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <cstdio>
#include <cstring>

namespace {

const char* dbcsName() {
  if (!IntlDBCSEnabled()) return "none";
  switch (IntlDBCSBlank()) {
    case 0x8140: return "Japanese";
    case 0xA140: return "Chinese";
    case 0xA1A1: return "Korean";
    default: return "unknown";
  }
}

int showCharset() {
  std::printf("system language  0x%04X\n", static_cast<unsigned>(GetSystemDefaultLangID()));
  std::printf("user locale      0x%04X\n", static_cast<unsigned>(GetUserDefaultLCID()));
  std::printf("ANSI code page   %u\n", static_cast<unsigned>(GetACP()));
  std::printf("double-byte text %s (%s)\n", IntlDBCSEnabled() ? "yes" : "no", dbcsName());
  std::printf("right-to-left    %s\n", IntlIsBiDiEnabled() ? "yes" : "no");
  std::printf("double-byte blank 0x%04X\n", static_cast<unsigned>(IntlDBCSBlank()));
#if !defined(_WIN32)
  std::printf("win.ini          %s\n", KwWinIniPath());
#endif
  return 0;
}

const char* dateTypeName(UINT type) {
  switch (type) {
    case INTL_DATE_LONG_GREGORIAN: return "LongGregorian";
    case INTL_DATE_JAPAN_GREGORIAN: return "JapanGregorian";
    case INTL_DATE_JAPAN_EMPEROR: return "JapanEmperor";
    default: return "ShortGregorian";
  }
}

// A one-character setting as text; an empty value means no separator.
const char* charSetting(char c, char (&buf)[4]) {
  if (!c) return "(none)";
  buf[0] = '"';
  buf[1] = c;
  buf[2] = '"';
  buf[3] = '\0';
  return buf;
}

int showSettings() {
  tagINTLPROFILE p{};
  FMTGetProfileIntl(&p);
  char b1[4], b2[4], b3[4], b4[4];
#if !defined(_WIN32)
  std::printf("regional settings from %s\n", KwWinIniPath());
#endif
  std::printf("  country          %u \"%s\" language \"%s\"\n", p.iCountry, p.sCountry, p.sLanguage);
  std::printf("  decimal %s thousands %s list %s digits %u leading zero %u measure %s\n",
              charSetting(p.sDecimal, b1), charSetting(p.sThousand, b2), charSetting(p.sList, b3), p.iDigits,
              p.iLzero, p.iMeasure ? "U.S." : "metric");
  std::printf("  currency         \"%s\" %s%s, %u digits, negative form %u\n", p.sCurrency,
              p.iCurrAfter ? "after the amount" : "before the amount", p.iCurrSeparated ? ", separated" : "",
              p.iCurrDigits, p.iNegCurr);
  std::printf("  short date       \"%s\" (order %u, separator %s)\n", p.sShortDate, p.iDate, charSetting(p.sDate, b4));
  std::printf("  long date        \"%s\"\n", p.sLongDate);
  std::printf("  time             %s-hour, separator \"%s\", leading zero %u, \"%s\"/\"%s\"\n",
              p.iTime ? "24" : "12", p.sTime, p.iTLZero, p.s1159, p.s2359);
  std::printf("  calendar         %s, emperor-era boundary check %u\n", dateTypeName(p.iDateType), p.iEmpDateBoundryCheck);
  return 0;
}

int demo() {
  std::printf("== character set\n");
  showCharset();
  std::printf("\n== ");
  return showSettings();
}

int usage() {
  std::fprintf(stderr,
               "usage: korvane demo       a short tour of the library\n"
               "       korvane charset    the character-set state in force\n"
               "       korvane settings   the regional settings in force and where they came from\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  if (!std::strcmp(argv[1], "demo")) return demo();
  if (!std::strcmp(argv[1], "charset")) return showCharset();
  if (!std::strcmp(argv[1], "settings")) return showSettings();
  return usage();
}
