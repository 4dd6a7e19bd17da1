// korvane date: formatting, parsing and shape guessing of dates and times.
#include <korvane/korvane.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"

namespace kvt {
namespace {

const char kDateHelp[] =
    "usage: korvane date format PICTURE ISO-DATETIME...   format dates and times by a picture\n"
    "       korvane date parse [--picture P] TEXT...       read typed dates as ISO text\n"
    "       korvane date guess TEXT...                     the standard shape a text is written in\n"
    "ISO text is yyyy-mm-dd, yyyy-mm-dd-hh.mm, yyyy-mm-dd-hh.mm.ss or yyyy-mm-dd-hh.mm.ss.uuuuuu\n"
    "(any non-digit may stand between the fields). Without values, one value per line is\n"
    "read from standard input.\n";

const char kFormatHelp[] =
    "usage: korvane date format PICTURE [ISO-DATETIME...]\n"
    "Formats each date/time by PICTURE, e.g. \"dddd, MMMM dd, yyyy\" or \"hh:mm AMPM\", with\n"
    "the names and designators of the regional settings. Elements: d dd ddd dddd, M MM MMM\n"
    "MMMM, yy yyyy, h hh (12-hour) hhh hhhh (24-hour), mm, ss, mmmmmm, AMPM, 'quoted text'.\n"
    "Named pictures: \"\" the default date picture, S and L the short and long date\n"
    "pictures, T the time, ED the Japanese era date, E the era date and time.\n";

const char kParseHelp[] =
    "usage: korvane date parse [--picture P] [TEXT...]\n"
    "Reads each TEXT as a date and/or time and prints it as yyyy-mm-dd-hh.mm.ss.uuuuuu.\n"
    "Without --picture the regional short and long date pictures and the standard shapes\n"
    "are tried; with it, the text must follow P (named pictures as for `date format`).\n"
    "A time without a date is shown on 1900-01-01, the date the library starts from.\n";

const char kGuessHelp[] =
    "usage: korvane date guess [TEXT...]\n"
    "Prints the standard shape each TEXT is written in (for example \"MMM dd, yyyy\" or\n"
    "\"yyyy-MM-dd\"), a tab and the date it stands for.\n";

// The standard shapes the library recognises, as their pictures.
const char* const kDateShapes[] = {"MMM d, yyyy",  "MMM dd, yyyy",  "MMMM d, yyyy", "MMMM dd, yyyy",
                                   "yyyy-MM-dd",   "d MMM, yyyy",   "dd MMM, yyyy", "d MMMM, yyyy",
                                   "dd MMMM, yyyy", "M/d/yyyy",     "d-MMM-yyyy"};
const char* const kTimeShapes[] = {"hh.mm.ss.mmmmmm AMPM", "hhhh.mm.ss.mmmmmm"};

std::string isoText(const DATDEF& d) {
  char text[96];
  std::snprintf(text, sizeof text, "%04ld-%02ld-%02ld-%02ld.%02ld.%02ld.%06ld", static_cast<long>(d.year),
                static_cast<long>(d.month), static_cast<long>(d.day), static_cast<long>(d.hour),
                static_cast<long>(d.minute), static_cast<long>(d.second), static_cast<long>(d.microsecond));
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int monthLength(long month, long year) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// Reads ISO text in the library's fixed columns and checks every field's range.
bool readIso(const std::string& text, DATDEF& d, std::string& why) {
  why = "not an ISO date/time (yyyy-mm-dd-hh.mm.ss.uuuuuu): " + quoted(text);
  const std::size_t n = text.size();
  if (n != 10 && n != 16 && n != 19 && n != 26) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const bool separator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16 || i == 19;
    if (separator == isDigit(text[i])) return false;
  }
  FMTIsoToDatDef(text.c_str(), &d);
  why = "no such date/time: " + quoted(text);
  if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > monthLength(d.month, d.year)) return false;
  if (d.hour > 23 || d.minute > 59 || d.second > 59) return false;
  return true;
}

// The regional settings a block with its own fields needs, kept alive for the block.
struct TimeSettings {
  tagINTLPROFILE profile{};
  std::string timeSep, am, pm;

  TimeSettings() {
    FMTGetProfileIntl(&profile);
    timeSep = profile.sTime;
    am = profile.s1159;
    pm = profile.s2359;
  }

  void apply(FMTCNTLBLOCK& block) {
    block.iTime = static_cast<INT>(profile.iTime);
    block.lpszTimeSep = timeSep.data();
    block.iTLZero = static_cast<INT>(profile.iTLZero);
    block.lpsz1159 = am.data();
    block.lpsz2359 = pm.data();
    block.iCountry = static_cast<INT>(profile.iCountry);
  }
};

bool checkPicture(const std::string& picture, Reporter& report) {
  if (picture.size() > FMT_MAX_PICTURE) {
    report.problem("picture longer than 63 bytes: " + quoted(picture));
    return false;
  }
  if (!FMTIsDatePicValid(picture.c_str())) {
    report.problem("invalid date picture " + quoted(picture));
    return false;
  }
  return true;
}

int format(Args args) {
  Reporter report("date format");
  if (wantsHelp(args)) return showHelp(kFormatHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing PICTURE");
  std::string picture = args[0];
  if (!checkPicture(picture, report)) return report.status();
  TimeSettings settings;

  forEachValue(Args(args.begin() + 1, args.end()), report, [&](const std::string& value) {
    DATDEF d{};
    std::string why;
    if (!readIso(value, d, why)) return report.problem(why);
    // The block carries the picture as its short date picture; a date block formats
    // every element of it, time elements included.
    FMTCNTLBLOCK block;
    FMTInitCntlBlock(&block);
    block.nFormatType = FMT_TYPE_DATE;
    block.bUseIntl = FALSE;
    settings.apply(block);
    block.iDateType = INTL_DATE_SHORT_GREGORIAN;
    block.lpszShortPic = picture.data();
    block.lpszLongPic = picture.data();
    block.dtValue = d;
    const int longest = FMTGetMaxFormattedDTLen(&block, 64);
    if (longest < 0) return report.problem("cannot format by " + quoted(picture));
    std::vector<char> out(static_cast<std::size_t>(longest) + 1);
    block.lpszOutput = out.data();
    if (!FMTFormatDateTime(&block)) return report.problem("cannot format " + quoted(value) + " by " + quoted(picture));
    report.result(out.data());
  });
  return report.status();
}

int parse(Args args) {
  Reporter report("date parse");
  if (wantsHelp(args)) return showHelp(kParseHelp);
  std::string picture;
  const int hasPicture = takeOption(args, "picture", picture);
  if (hasPicture < 0) return report.usage("--picture needs a picture");
  if (!checkNoOptions(args, report)) return report.status();
  if (hasPicture > 0 && !checkPicture(picture, report)) return report.status();

  forEachValue(args, report, [&](const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) return report.problem("empty text");
    std::string input = text;
    FMTCNTLBLOCK block;
    FMTInitCntlBlock(&block);
    block.bUseIntl = TRUE;
    block.lpszInput = input.data();
    block.nFormatType = FMT_TYPE_DATETIME;
    bool ok;
    if (hasPicture > 0) {
      block.lpszPicture = picture.data();
      ok = FMTUnformatDateTimeStr(&block) == 1;
    } else {
      // A date with an optional time first; then a time alone.
      ok = FMTValidateDateTime(&block) == 1;
      if (!ok) {
        block.nFormatType = FMT_TYPE_TIME;
        ok = FMTValidateDateTime(&block) == 1;
      }
    }
    if (!ok) {
      if (hasPicture > 0) return report.problem("not a date/time by picture " + quoted(picture) + ": " + quoted(text));
      return report.problem("not a date/time: " + quoted(text));
    }
    report.result(isoText(block.dtValue));
  });
  return report.status();
}

// The shape pictures a block of the given type can be in.
std::vector<std::string> shapesOf(LONG type) {
  std::vector<std::string> shapes;
  if (type == FMT_TYPE_DATE)
    for (const char* s : kDateShapes) shapes.emplace_back(s);
  if (type == FMT_TYPE_TIME)
    for (const char* s : kTimeShapes) shapes.emplace_back(s);
  if (type == FMT_TYPE_DATETIME)
    for (const char* date : kDateShapes)
      for (const char* time : kTimeShapes)
        shapes.push_back(std::string(date) + (std::strcmp(date, "yyyy-MM-dd") == 0 ? "-" : " ") + time);
  return shapes;
}

int guess(Args args) {
  Reporter report("date guess");
  if (wantsHelp(args)) return showHelp(kGuessHelp);
  if (!checkNoOptions(args, report)) return report.status();

  forEachValue(args, report, [&](const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) return report.problem("empty text");
    bool inShape = false;
    for (LONG type : {FMT_TYPE_DATE, FMT_TYPE_TIME, FMT_TYPE_DATETIME}) {
      for (std::string& shape : shapesOf(type)) {
        std::string input = text;
        FMTCNTLBLOCK block;
        FMTInitCntlBlock(&block);
        block.bUseIntl = TRUE;
        block.nFormatType = type;
        block.lpszInput = input.data();
        block.lpszPicture = shape.data();
        const int found = FMTIsValidDateString(&block);
        if (found == 1) return report.result(shape + "\t" + isoText(block.dtValue));
        if (found != 4) break;  // in no shape of this type
        inShape = true;
      }
    }
    report.problem((inShape ? "not valid in its standard shape: " : "in no standard shape: ") + quoted(text));
  });
  return report.status();
}

}  // namespace

int dateCommand(Args args) {
  Reporter report("date");
  if (args.empty()) return report.usage("missing subcommand");
  const std::string sub = args[0];
  args.erase(args.begin());
  if (sub == "format") return format(std::move(args));
  if (sub == "parse") return parse(std::move(args));
  if (sub == "guess") return guess(std::move(args));
  if (sub == "--help" || sub == "-h") return showHelp(kDateHelp);
  return report.usage("unknown subcommand " + quoted(sub));
}

}  // namespace kvt
