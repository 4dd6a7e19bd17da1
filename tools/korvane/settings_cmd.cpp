// korvane settings and korvane charset: the regional settings and character set in force.
#include <korvane/korvane.h>
#if !defined(_WIN32)
#include <korvane/platform.h>
#endif

#include <cstdio>
#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kSettingsHelp[] =
    "usage: korvane [--profile FILE] [--lang ID] settings\n"
    "Shows the regional settings in force and the win.ini they came from; without one the\n"
    "built-in United States defaults serve.\n";

const char kCharsetHelp[] =
    "usage: korvane [--lang ID] charset\n"
    "Shows the system language, code page and the double-byte and right-to-left text state.\n";

const char* dbcsName() {
  if (!IntlDBCSEnabled()) return "none";
  switch (IntlDBCSBlank()) {
    case 0x8140: return "Japanese";
    case 0xA140: return "Chinese";
    case 0xA1A1: return "Korean";
    default: return "unknown";
  }
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
std::string charSetting(char c) { return c ? std::string("\"") + c + "\"" : "(none)"; }

// Where the settings come from, in words.
std::string source() {
#if defined(_WIN32)
  return "the system's win.ini";
#else
  const char* path = KwWinIniPath();
  if (std::FILE* f = std::fopen(path, "r")) {
    std::fclose(f);
    return path;
  }
  return std::string("built-in defaults (no win.ini at ") + path + ")";
#endif
}

}  // namespace

int charsetCommand(Args args) {
  Reporter report("charset");
  if (wantsHelp(args)) return showHelp(kCharsetHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (!args.empty()) return report.usage("unexpected argument " + quoted(args[0]));
  std::printf("system language   0x%04X\n", static_cast<unsigned>(GetSystemDefaultLangID()));
  std::printf("user locale       0x%04X\n", static_cast<unsigned>(GetUserDefaultLCID()));
  std::printf("ANSI code page    %u\n", static_cast<unsigned>(GetACP()));
  std::printf("double-byte text  %s (%s)\n", IntlDBCSEnabled() ? "yes" : "no", dbcsName());
  std::printf("right-to-left     %s\n", IntlIsBiDiEnabled() ? "yes" : "no");
  std::printf("double-byte blank 0x%04X\n", static_cast<unsigned>(IntlDBCSBlank()));
  return 0;
}

int settingsCommand(Args args) {
  Reporter report("settings");
  if (wantsHelp(args)) return showHelp(kSettingsHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (!args.empty()) return report.usage("unexpected argument " + quoted(args[0]));
  tagINTLPROFILE p{};
  FMTGetProfileIntl(&p);
  std::printf("regional settings from %s\n", source().c_str());
  std::printf("  country          %u \"%s\" language \"%s\"\n", p.iCountry, p.sCountry, p.sLanguage);
  std::printf("  decimal %s thousands %s list %s digits %u leading zero %u measure %s\n",
              charSetting(p.sDecimal).c_str(), charSetting(p.sThousand).c_str(), charSetting(p.sList).c_str(),
              p.iDigits, p.iLzero, p.iMeasure ? "U.S." : "metric");
  std::printf("  currency         \"%s\" %s%s, %u digits, negative form %u\n", p.sCurrency,
              p.iCurrAfter ? "after the amount" : "before the amount", p.iCurrSeparated ? ", separated" : "",
              p.iCurrDigits, p.iNegCurr);
  std::printf("  short date       \"%s\" (order %u, separator %s)\n", p.sShortDate, p.iDate,
              charSetting(p.sDate).c_str());
  std::printf("  long date        \"%s\"\n", p.sLongDate);
  std::printf("  time             %s-hour, separator \"%s\", leading zero %u, \"%s\"/\"%s\"\n",
              p.iTime ? "24" : "12", p.sTime, p.iTLZero, p.s1159, p.s2359);
  std::printf("  calendar         %s, emperor-era boundary check %u\n", dateTypeName(p.iDateType),
              p.iEmpDateBoundryCheck);
  return 0;
}

}  // namespace kvt
