// Date/time formatting: every picture element under two profiles, the default time picture,
// the Japanese date forms and era boundaries, the length bound, and the long date picture
// without day names.
#include "format/date_grammar.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#define NEN "\x94\x4E"
#define GETSU "\x8C\x8E"
#define NICHI "\x93\xFA"
#define MEIJI "\x96\xBE\x8E\xA1"
#define SHOWA "\x8F\xBA\x98\x61"
#define HEISEI "\x95\xBD\x90\xAC"
#define REIWA "\x97\xDF\x98\x61"

namespace {

// US settings with the given hour leading zero and date type.
std::string usIni(int leadingZero = 1, const char* dateType = "longgregorian") {
  return "[intl]\niTime=0\nsTime=:\niTLZero=" + std::to_string(leadingZero) +
         "\ns1159=AM\ns2359=PM\nsShortDate=M/d/yy\nsLongDate=dddd, MMMM dd, yyyy\n[VEXTOOLS]\nsDateType=" + dateType +
         "\n";
}
const std::string kUsIni = usIni();

struct Profile {
  int time24;
  const char* sep;
  int leadingZero;
  const char* am;
  const char* pm;
};
const Profile kUs{0, ":", 1, "AM", "PM"};
const Profile kOther{1, ".", 0, "vorm", "nachm"};

FMTCNTLBLOCK blockFor(int type, const DATDEF& d) {
  FMTCNTLBLOCK b;
  std::memset(&b, 0, sizeof b);
  FMTInitCntlBlock(&b);
  b.nFormatType = type;
  b.dtValue = d;
  return b;
}

FMTCNTLBLOCK ownBlock(int type, const char* picture, const DATDEF& d, const Profile& p) {
  FMTCNTLBLOCK b = blockFor(type, d);
  b.lpszLongPic = b.lpszShortPic = const_cast<LPSTR>(picture);
  b.iTime = p.time24;
  b.lpszTimeSep = const_cast<LPSTR>(p.sep);
  b.iTLZero = p.leadingZero;
  b.lpsz1159 = const_cast<LPSTR>(p.am);
  b.lpsz2359 = const_cast<LPSTR>(p.pm);
  return b;
}

// Formats into a buffer of exactly FMTGetMaxFormattedDTLen + 1 bytes (so that an overrun is
// caught by the sanitizer as well as by the length check); "<0>" for a failure.
std::string format(FMTCNTLBLOCK& b) {
  const int max = FMTGetMaxFormattedDTLen(&b, 0);
  if (max < 0) return "<len>";
  std::vector<char> buffer(static_cast<size_t>(max) + 1, '#');
  b.lpszOutput = buffer.data();
  const int ok = FMTFormatDateTime(&b);
  const size_t length = strnlen(buffer.data(), buffer.size());
  EXPECT_LT(length, buffer.size()) << "unterminated";
  b.lpszOutput = nullptr;
  return ok ? std::string(buffer.data(), length) : "<0>";
}

std::string formatOwn(const char* picture, const DATDEF& d, const Profile& p, int type = FMT_TYPE_DATE) {
  FMTCNTLBLOCK b = ownBlock(type, picture, d, p);
  return format(b);
}

const DATDEF kAfternoon{3, 15, 2001, 13, 5, 9, 250};
const DATDEF kMorning{3, 5, 2001, 9, 7, 0, 0};

TEST(DateFormat, EveryElementUnderTwoProfiles) {
  struct Case {
    const char* picture;
    DATDEF date;
    const char *us, *other;
  };
  const Case cases[] = {
      {"d", kAfternoon, "15", "15"}, {"d", kMorning, "5", "5"}, {"dd", kMorning, "05", "05"},
      {"ddd", kAfternoon, "Thu", "Thu"}, {"dddd", kMorning, "Monday", "Monday"}, {"M", kAfternoon, "3", "3"},
      {"MM", kAfternoon, "03", "03"}, {"MMM", kAfternoon, "Mar", "Mar"}, {"MMMM", kAfternoon, "March", "March"},
      {"yy", kAfternoon, "01", "01"}, {"yyyy", kAfternoon, "2001", "2001"}, {"hh", kAfternoon, "01", "1"},
      {"hh", kMorning, "09", "9"}, {"h", kMorning, "9", "9"}, {"hhhh", kMorning, "09", "9"},
      {"hhh", kMorning, "9", "9"}, {"hhhh", kAfternoon, "13", "13"}, {"mm", kMorning, "07", "07"},
      {"ss", kAfternoon, "09", "09"}, {"mmmmmm", kAfternoon, "000250", "000250"},
      {"AMPM", kAfternoon, "PM", "nachm"}, {"AMPM", kMorning, "AM", "vorm"},
      {"dd'de'MMMM", kAfternoon, "15deMarch", "15deMarch"}, {"d  \tM", kMorning, "5   3", "5   3"},
      {"yyyy-MM-dd hhhh.mm.ss.mmmmmm", kAfternoon, "2001-03-15 13.05.09.000250", "2001-03-15 13.05.09.000250"},
      {"hh:mm:ss.mmmmmm", kAfternoon, "01:05:09.000250", "1:05:09.000250"},
      {"ss.mmmmmm", {1, 1, 1, 0, 0, 9, -1}, "09", "09"},  // a negative microsecond drops with its separator
      {"ss.mmmmmm", {1, 1, 1, 0, 0, 9, 0}, "09.000000", "09.000000"},
      {"h:mm AMPM", {1, 1, 2001, 0, 0, 0, 0}, "12:00 AM", "12:00 vorm"},
      {"hh AMPM", {1, 1, 2001, 12, 0, 0, 0}, "12 PM", "12 nachm"},
      {"yy", {1, 1, 2005, 0, 0, 0, 0}, "05", "05"}, {"yy", {1, 1, 1999, 0, 0, 0, 0}, "99", "99"},
      {"yyyy", {1, 1, 33, 0, 0, 0, 0}, "0033", "0033"}, {"yy", {1, 1, 7, 0, 0, 0, 0}, "07", "07"},
      {"dddd d MMMM yyyy", {2, 29, 2000, 0, 0, 0, 0}, "Tuesday 29 February 2000", "Tuesday 29 February 2000"},
      // Not formattable: a picture that does not parse, fields out of range.
      {"yyy", kAfternoon, "<len>", "<len>"}, {"hh", {1, 1, 2001, 24, 0, 0, 0}, "<0>", "<0>"},
      {"MMMM", {13, 1, 2001, 0, 0, 0, 0}, "<0>", "<0>"}, {"mmmmmm", {1, 1, 1, 0, 0, 0, 1000000}, "<0>", "<0>"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatOwn(c.picture, c.date, kUs), c.us) << c.picture;
    EXPECT_EQ(formatOwn(c.picture, c.date, kOther), c.other) << c.picture;
  }
}

TEST(DateFormat, RegionalDefaultTimePictureAndLeadingZeros) {
  struct Case {
    const char* ini;
    DWORD flags;
    DATDEF date;
    const char* expected;
  };
  const std::string us = kUsIni;
  const std::string usNoZero = usIni(0);
  const std::string other =
      "[intl]\niTime=1\nsTime=.\niTLZero=0\ns1159=vorm\ns2359=nachm\nsShortDate=dd.MM.yyyy\n"
      "sLongDate=d. MMMM yyyy\n[VEXTOOLS]\nsDateType=longgregorian\n";
  const Case cases[] = {
      {us.c_str(), FMT_FLAG_DEFAULT_TIME, kAfternoon, "Thursday, March 15, 2001 01:05:09 PM"},
      {usNoZero.c_str(), FMT_FLAG_DEFAULT_TIME, kAfternoon, "Thursday, March 15, 2001 1:05:09 PM"},
      {us.c_str(), FMT_FLAG_DEFAULT_TIME | FMT_FLAG_MICROSECONDS, kAfternoon,
       "Thursday, March 15, 2001 01:05:09:000250 PM"},
      {other.c_str(), FMT_FLAG_DEFAULT_TIME, kMorning, "5. March 2001 9.07.00"},
      {other.c_str(), FMT_FLAG_DEFAULT_TIME | FMT_FLAG_MICROSECONDS, kAfternoon, "15. March 2001 13.05.09.000250"},
  };
  for (const Case& c : cases) {
    TempWinIni ini(c.ini);
    FMTCNTLBLOCK b = blockFor(FMT_TYPE_DATETIME, c.date);
    b.bUseIntl = TRUE;
    b.wFlags = c.flags;
    EXPECT_EQ(format(b), c.expected);
    b.nFormatType = FMT_TYPE_TIME;
    const std::string full = c.expected;
    EXPECT_EQ(format(b), full.substr(full.rfind(' ', full.size() - 4) + 1).substr(0)) << c.expected;
    b.wFlags &= ~FMT_FLAG_DEFAULT_TIME;  // the regional settings need the default time picture
    EXPECT_EQ(format(b), "<len>");
  }
  // "T" is the time without microseconds and clears the block's microsecond bit.
  TempWinIni ini(kUsIni);
  FMTCNTLBLOCK b = ownBlock(FMT_TYPE_DATE, "T", kAfternoon, kUs);
  EXPECT_EQ(format(b), "01:05:09 PM");
  EXPECT_EQ(b.wFlags & FMT_FLAG_MICROSECONDS, 0u);
  // Hours written by "h" or "hhh" are kept without a leading zero by the block's bit.
  b = ownBlock(FMT_TYPE_TIME, "", kMorning, kUs);
  b.wFlags = FMT_FLAG_DEFAULT_TIME | FMT_FLAG_HOUR_NO_LZERO;
  EXPECT_EQ(format(b), "9:07:00 AM");
  // Named and empty pictures, and the kinds and flags that cannot be formatted.
  EXPECT_EQ(formatOwn("S", kMorning, kUs), "3/5/01");
  EXPECT_EQ(formatOwn("L", kMorning, kUs), "Monday, March 05, 2001");
  EXPECT_EQ(formatOwn("", kMorning, kUs), "Monday, March 05, 2001");
  EXPECT_EQ(formatOwn(nullptr, kMorning, kUs), "<len>");
  b = ownBlock(4, "d", kMorning, kUs);
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), -1);
  char out[8] = "x";
  b.lpszOutput = out;
  EXPECT_EQ(FMTFormatDateTime(&b), 0);
  EXPECT_STREQ(out, "x");  // a block of another kind is not touched
  EXPECT_EQ(FMTFormatDateTime(nullptr) + FMTGetMaxFormattedDTLen(nullptr, 5), -1);
}

TEST(DateFormat, JapaneseFormsAndEraBoundaries) {
  EmulatedSystem japanese(0x0411);
  KV_ONLY_ON(japanese);
  struct Case {
    DATDEF date;
    const char* era;
  };
  const Case cases[] = {
      {{9, 28, 1868, 0, 0, 0, 0}, "<0>"},
      {{9, 29, 1868, 0, 0, 0, 0}, MEIJI "01" NEN "09" GETSU "29" NICHI},
      {{7, 29, 1912, 0, 0, 0, 0}, MEIJI "45" NEN "07" GETSU "29" NICHI},
      {{1, 7, 1989, 0, 0, 0, 0}, SHOWA "64" NEN "01" GETSU "07" NICHI},
      {{1, 8, 1989, 0, 0, 0, 0}, HEISEI "01" NEN "01" GETSU "08" NICHI},
      {{4, 30, 2019, 0, 0, 0, 0}, HEISEI "31" NEN "04" GETSU "30" NICHI},
      {{5, 1, 2019, 0, 0, 0, 0}, REIWA "01" NEN "05" GETSU "01" NICHI},
      {{1, 1, 1, 0, 0, 0, 0}, "<0>"},
  };
  for (const Case& c : cases) {
    {
      TempWinIni ini(usIni(1, "japanemperor"));
      FMTCNTLBLOCK b = blockFor(FMT_TYPE_DATE, c.date);
      b.bUseIntl = TRUE;
      EXPECT_EQ(format(b), c.era) << c.date.year;
      EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), 16);
      b.wFlags |= FMT_FLAG_IGNORE_DATE_TYPE;  // back to the long picture
      EXPECT_EQ(format(b).find('\x94'), std::string::npos);
    }
    EXPECT_EQ(formatOwn("ED", c.date, kUs), c.era);
  }
  // The Gregorian form; a time follows directly when the default time picture is used.
  FMTCNTLBLOCK b = ownBlock(FMT_TYPE_DATETIME, "", kAfternoon, kUs);
  b.iDateType = 2;
  b.wFlags = FMT_FLAG_DEFAULT_TIME;
  EXPECT_EQ(format(b), "2001" NEN "03" GETSU "15" NICHI "01:05:09 PM");
  b.wFlags = 0;  // no time picture: the date form alone
  EXPECT_EQ(format(b), "2001" NEN "03" GETSU "15" NICHI);
  b.iDateType = 3;
  EXPECT_EQ(format(b), HEISEI "13" NEN "03" GETSU "15" NICHI);
  // "E": the era date and the default time, whose zero microseconds drop with their separator.
  b = ownBlock(FMT_TYPE_DATE, "E", {3, 15, 2001, 13, 5, 9, 0}, kUs);
  EXPECT_EQ(format(b), HEISEI "13" NEN "03" GETSU "15" NICHI "01:05:09 PM");
  EXPECT_NE(b.wFlags & FMT_FLAG_DROP_ZERO_MICRO, 0u);
  b.dtValue.microsecond = 7;
  EXPECT_EQ(format(b), HEISEI "13" NEN "03" GETSU "15" NICHI "01:05:09:000007 PM");
  b.dtValue.year = 1800;
  EXPECT_EQ(format(b), "<0>");
}

TEST(DateFormat, MaximumLength) {
  TempWinIni ini(kUsIni);
  FMTCNTLBLOCK b = ownBlock(FMT_TYPE_DATE, "dddd", kMorning, kUs);
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), 9);
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 40), 40);
  b.lpszLongPic = const_cast<LPSTR>("MMMM d, yyyy 'at' hh:mm:ss.mmmmmm AMPM ddd MMM");
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, -5), 9 + 1 + 2 + 2 + 4 + 1 + 2 + 1 + 2 + 1 + 2 + 1 + 2 + 1 + 6 + 1 + 2 + 1 + 3 + 1 + 3);
  b.lpszLongPic = const_cast<LPSTR>("ED");
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), 16);
  b.lpszLongPic = const_cast<LPSTR>("E");  // with the microseconds the block asks for
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), 16 + 18);
  b.lpszLongPic = const_cast<LPSTR>("yyy");
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), -1);
  b.bUseIntl = TRUE;
  b.wFlags = 0;
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), -1);
  b.nFormatType = FMT_TYPE_DATETIME;
  b.wFlags = FMT_FLAG_DEFAULT_TIME;
  EXPECT_EQ(FMTGetMaxFormattedDTLen(&b, 0), 9 + 2 + 9 + 1 + 2 + 2 + 4 + 1 + 11);
}

// Any valid picture, any DATDEF in range, any profile: the text fits the measured length.
TEST(DateFormat, NeverWritesPastTheMeasuredLength) {
  std::mt19937 random(11);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* const parts[] = {"d", "dd", "ddd", "dddd", "M", "MM", "MMM", "MMMM", "yy", "yyyy", "hh", "hhhh",
                               "mm", "ss", "mmmmmm", "AMPM", "h", "hhh", "/", ":", ".", " ", "   ", "'at'",
                               "'x y'", ",", "-", "\\"};
  const char* const named[] = {"", "S", "L", "T", "E", "ED"};
  const Profile profiles[] = {kUs, kOther, {0, "::", 1, "a.m.", "post meridiem"}, {1, "", 1, "", ""}};
  const std::string inis[] = {kUsIni, "[VEXTOOLS]\nsDateType=japangregorian\n", "[VEXTOOLS]\nsDateType=japanemperor\n",
                              "[intl]\niTime=1\nsTime=h\ns2359=afternoon\n"};
  for (int round = 0; round < 4; ++round) {
    TempWinIni ini(inis[round]);
    for (int i = 0; i < 1500; ++i) {
      std::string picture;
      if (pick(8) == 0) {
        picture = named[pick(6)];
      } else {
        // Elements separated so that no two runs of one letter merge.
        for (int n = 1 + pick(6); n > 0; --n) picture += std::string(parts[pick(28)]) + (pick(2) ? "," : " ");
        if (picture.size() > 60) picture.resize(60);
        if (!FMTIsDatePicValid(picture.c_str())) continue;
      }
      const int month = 1 + pick(12), year = 1 + pick(9999);
      const DATDEF d{month, 1 + pick(28), year, pick(24), pick(60), pick(60), pick(1000000)};
      FMTCNTLBLOCK b = ownBlock(1 + pick(3), picture.c_str(), d, profiles[pick(4)]);
      b.iDateType = pick(4);
      b.wFlags = static_cast<DWORD>(pick(0x2000));
      b.bUseIntl = pick(3) == 0;
      const std::string out = format(b);  // checks the bound itself
      (void)out;
    }
  }
}

TEST(DateFormat, LongPictureWithoutDayNames) {
  struct Case {
    const char* longPic;
    BOOL withTime;
    const char* expected;
  };
  const Case cases[] = {
      {"dddd, MMMM dd, yyyy", TRUE, "MMMM dd, yyyy hh:mm:ss AMPM"},
      {"dddd, MMMM dd, yyyy", FALSE, "MMMM dd, yyyy"},
      {"yyyy MMMM d, dddd", FALSE, "yyyy MMMM d"},
      {"d 'de' MMMM 'de' yyyy", FALSE, "d   MMMM   yyyy"},
      {"MMM d ddd yyyy '-' hh", FALSE, "MMM d yyyy - hh"},
  };
  for (const Case& c : cases) {
    TempWinIni ini(std::string("[intl]\niTime=0\nsTime=:\nsLongDate=") + c.longPic + "\n");
    char buffer[80];
    EXPECT_EQ(FMTGetGeeLongDatePic(buffer, sizeof buffer, c.withTime), 1);
    EXPECT_STREQ(buffer, c.expected) << c.longPic;
  }
  TempWinIni ini("[intl]\nsLongDate=dddd, MMMM dd, yyyy\n");
  char small[6];
  EXPECT_EQ(FMTGetGeeLongDatePic(small, sizeof small, FALSE), 1);
  EXPECT_STREQ(small, "MMMM ");
  EXPECT_EQ(FMTGetGeeLongDatePic(nullptr, 10, FALSE), 0);
}

}  // namespace
