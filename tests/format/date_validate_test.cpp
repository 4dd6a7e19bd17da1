// Date/time validation and unformatting: picture elements against typed text, the standard
// shapes, the time fallback, Japanese era input, and the round trip from formatting.
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

namespace {

const char kUsIni[] =
    "[intl]\niCountry=1\niTime=0\nsTime=:\niTLZero=1\ns1159=AM\ns2359=PM\nsShortDate=M/d/yy\n"
    "sLongDate=dddd, MMMM dd, yyyy\n[VEXTOOLS]\nsDateType=longgregorian\n";

FMTCNTLBLOCK usBlock(const char* input, const char* picture = nullptr, int type = FMT_TYPE_DATE) {
  FMTCNTLBLOCK b;
  std::memset(&b, 0, sizeof b);
  FMTInitCntlBlock(&b);
  b.nFormatType = type;
  b.lpszInput = const_cast<LPSTR>(input);
  b.lpszPicture = const_cast<LPSTR>(picture);
  b.lpsz1159 = const_cast<LPSTR>("AM");
  b.lpsz2359 = const_cast<LPSTR>("PM");
  b.lpszTimeSep = const_cast<LPSTR>(":");
  return b;
}

bool sameDate(const DATDEF& a, const DATDEF& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string show(const DATDEF& d) {
  char text[96];
  std::snprintf(text, sizeof text, "%ld/%ld/%ld %ld:%ld:%ld.%ld", static_cast<long>(d.month), static_cast<long>(d.day),
                static_cast<long>(d.year), static_cast<long>(d.hour), static_cast<long>(d.minute),
                static_cast<long>(d.second), static_cast<long>(d.microsecond));
  return text;
}

struct Case {
  const char *picture, *text;
  int result;
  DATDEF date;
  DWORD bits;  // had date, had time, no leading zero
};

TEST(DateValidate, PictureElementsAgainstTypedText) {
  setFakeYear(2001);
  const DWORD D = FMT_FLAG_HAD_DATE, T = FMT_FLAG_HAD_TIME, Z = FMT_FLAG_HOUR_NO_LZERO;
  const Case cases[] = {
      {"M/d/yy", "3/15/01", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"M/d/yy", "3-15-01", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"M/d/yy", "3 15 01", 1, {3, 15, 2001, 0, 0, 0, 0}, D},  // separators are optional
      {"M/d/yy", "3/15", 0, {}, 0},
      {"M/d/yy", "3/15/01/7", 0, {}, 0},
      {"MM/dd/yyyy", "13/15/2001", 0, {}, 0},
      {"d/M/yyyy", "31/4/2001", 0, {}, 0},
      {"M/d/yyyy", "2/30/2001", 0, {}, 0},
      {"M/d/yyyy", "2/29/2000", 1, {2, 29, 2000, 0, 0, 0, 0}, D},
      {"yyyy", "0099", 1, {1, 1, 99, 0, 0, 0, 0}, D},
      {"yyyy", "99", 1, {1, 1, 1999, 0, 0, 0, 0}, D},
      {"yy", "49", 1, {1, 1, 2049, 0, 0, 0, 0}, D},
      {"yyyy", "0000", 0, {}, 0},
      {"yyyy/MM/dd", "20010315", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"dddd, MMMM dd, yyyy", "Thursday, March 15, 2001", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"dddd, MMMM dd, yyyy", "Friday, March 15, 2001", 0, {}, 0},
      {"ddd MMM d yyyy", "thu mar 15 2001", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"ddd MMM d yyyy", "xyz mar 15 2001", 0, {}, 0},
      {"MMMM'de' yyyy", "Marchde 2001", 1, {3, 1, 2001, 0, 0, 0, 0}, D},  // literal glued to the name
      {"MMMM'de' yyyy", "March de 2001", 1, {3, 1, 2001, 0, 0, 0, 0}, D},
      {"MMMM'de' yyyy", "MarchDE 2001", 0, {}, 0},
      {"d 'of' MMMM yyyy", "15 OF march 2001", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"d 'of' MMMM yyyy", "15 in march 2001", 0, {}, 0},
      {"hh:mm AMPM", "12:30 am", 1, {1, 1, 1900, 0, 30, 0, 0}, T},
      {"hh:mm AMPM", "12:30 PM", 1, {1, 1, 1900, 12, 30, 0, 0}, T},
      {"hh:mm AMPM", "1:30 pm", 1, {1, 1, 1900, 13, 30, 0, 0}, T},
      {"hh:mm AMPM", "13:30 PM", 0, {}, 0},
      {"hh:mm AMPM", "1:30", 0, {}, 0},  // a 12-hour hour needs its designator
      {"hh:mm AMPM", "1:30 XM", 0, {}, 0},
      {"h:mm", "9:05", 1, {1, 1, 1900, 9, 5, 0, 0}, T | Z},
      {"hhh:mm", "21:05", 1, {1, 1, 1900, 21, 5, 0, 0}, T | Z},
      {"hhhh:mm:ss", "13:45", 1, {1, 1, 1900, 13, 45, 0, 0}, T},  // time fields may be missing at the end
      {"hhhh:mm:ss", "13 45", 0, {}, 0},  // but 24-hour fields need their separators
      {"hh:mm:ss", "1 45", 1, {1, 1, 1900, 1, 45, 0, 0}, T},
      {"hhhh:mm", "24:00", 0, {}, 0},
      {"hhhh:mm", "23:60", 0, {}, 0},
      {"hhhh.mm.ss.mmmmmm", "13.45.30.000250", 1, {1, 1, 1900, 13, 45, 30, 250}, T},
      {"M/d/yy hh:mm AMPM", "3/15/01 1:05 PM", 1, {3, 15, 2001, 13, 5, 0, 0}, D | T},
      {"M/d/yy hh:mm AMPM", "3/15/01", 1, {3, 15, 2001, 0, 0, 0, 0}, D},
      {"", "Thursday, March 15, 2001", 0, {}, 0},  // the regional default picture: empty profile
      {"'just text'", "just text", 0, {}, 0},
      {"yyy", "2001", 0, {}, 0},
  };
  TempWinIni ini("[intl]\nsShortDate=M/d/yy\n");
  for (const Case& c : cases) {
    FMTCNTLBLOCK b = usBlock(c.text, c.picture, 7);
    b.dtValue = {9, 9, 9, 9, 9, 9, 9};
    b.wFlags |= FMT_FLAG_HAD_DATE | FMT_FLAG_HOUR_NO_LZERO | FMT_FLAG_NOTIFY;
    EXPECT_EQ(FMTUnformatDateTimeStr(&b), c.result) << c.picture << " | " << c.text;
    EXPECT_EQ(b.nFormatType, 7);
    const DATDEF unchanged{9, 9, 9, 9, 9, 9, 9};
    EXPECT_TRUE(sameDate(b.dtValue, c.result ? c.date : unchanged)) << c.text << " -> " << show(b.dtValue);
    const DWORD bits = FMT_FLAG_HAD_DATE | FMT_FLAG_HAD_TIME | FMT_FLAG_HOUR_NO_LZERO;
    if (c.result) {
      EXPECT_EQ(b.wFlags & bits, c.bits) << c.text;
    }
    EXPECT_NE(b.wFlags & FMT_FLAG_NOTIFY, 0u);
  }
  FMTCNTLBLOCK b = usBlock("", "d");
  EXPECT_EQ(FMTUnformatDateTimeStr(&b) + FMTUnformatDateTimeStr(nullptr), 0);
  setFakeYear(0);
}

TEST(DateValidate, BlockPicturesShapesAndTimeFallback) {
  setFakeYear(2001);
  TempWinIni ini(kUsIni);
  struct Row {
    int type;
    DWORD flags;
    const char* text;
    int result;
    DATDEF date;
  };
  const DWORD std = FMT_FLAG_DEFAULT_TIME;
  const Row rows[] = {
      {1, std, "3/15/01", 1, {3, 15, 2001, 0, 0, 0, 0}},
      {1, std, "Thursday, March 15, 2001", 1, {3, 15, 2001, 0, 0, 0, 0}},
      {1, std, "March 15, 2001", 1, {3, 15, 2001, 0, 0, 0, 0}},  // standard shapes
      {1, std, "Mar 5, 2001", 1, {3, 5, 2001, 0, 0, 0, 0}},
      {1, std, "15 March, 2001", 1, {3, 15, 2001, 0, 0, 0, 0}},
      {1, std, "2001-03-15", 1, {3, 15, 2001, 0, 0, 0, 0}},
      {1, std, "15-Mar-2001", 1, {3, 15, 2001, 0, 0, 0, 0}},
      {1, std, "March 32, 2001", 0, {}},
      {1, std, "hello", 0, {}},
      {2, std, "1:05:09 PM", 1, {1, 1, 1900, 13, 5, 9, 0}},
      {2, std, "13:05", 1, {1, 1, 1900, 13, 5, 0, 0}},  // the 24-hour standard shape
      {2, std | FMT_FLAG_NO_TIME_SHAPES, "13:05", 0, {}},
      {3, std, "3/15/01 1:05 PM", 1, {3, 15, 2001, 13, 5, 0, 0}},
      {3, std, "3/15/01 13:05:09", 1, {3, 15, 2001, 13, 5, 9, 0}},  // the 24-hour fallback
      {3, std, "March 15, 2001 12:30:05 AM", 1, {3, 15, 2001, 0, 30, 5, 0}},
      {3, 0, "3/15/01 1:05 PM", 0, {}},  // the regional settings need the default time picture
      {4, std, "3/15/01", 0, {}},
  };
  for (const Row& r : rows) {
    FMTCNTLBLOCK b = usBlock(r.text, nullptr, r.type);
    b.bUseIntl = TRUE;
    b.wFlags = r.flags;
    EXPECT_EQ(FMTValidateDateTime(&b), r.result) << r.type << " " << r.text;
    if (r.result) {
      EXPECT_TRUE(sameDate(b.dtValue, r.date)) << r.text << " -> " << show(b.dtValue);
    }
  }
  // The numeric standard shape only where the country code allows it.
  FMTCNTLBLOCK b = usBlock("3/15/2001");
  b.lpszShortPic = b.lpszLongPic = const_cast<LPSTR>("dd.MM.yyyy");
  b.iCountry = 49;
  EXPECT_EQ(FMTValidateDateTime(&b), 0);
  b.iCountry = 1;
  EXPECT_EQ(FMTValidateDateTime(&b), 1);
  EXPECT_TRUE(sameDate(b.dtValue, {3, 15, 2001, 0, 0, 0, 0}));
  setFakeYear(0);
}

TEST(DateValidate, StandardShapeAgainstPicture) {
  TempWinIni ini(kUsIni);
  const struct {
    const char *picture, *text;
    int result;
  } cases[] = {
      {"MMM dd, yyyy", "Dec 25, 2001", 1}, {"MMM dd, yyyy", "December 25, 2001", 4},
      {"MMM dd, yyyy", "Dec 32, 2001", 4}, {"M/d/yyyy", "12/25/2001", 1}, {"yyyy-MM-dd", "2001-12-25", 1},
      {"MMM dd, yyyy", "hello", 2},        {"", "Dec 25, 2001", 0},           {"MMM dd, yyyy", "", 0},
  };
  for (const auto& c : cases) {
    FMTCNTLBLOCK b = usBlock(c.text, c.picture);
    EXPECT_EQ(FMTIsValidDateString(&b), c.result) << c.picture << " | " << c.text;
  }
  FMTCNTLBLOCK b = usBlock("12/25/2001", "M/d/yyyy");
  b.iCountry = 49;
  EXPECT_EQ(FMTIsValidDateString(&b), 2);
}

TEST(DateValidate, JapaneseEraInput) {
  EmulatedSystem japanese(0x0411);
  KV_ONLY_ON(japanese);
  TempWinIni ini(kUsIni);
  struct Row {
    const char* text;
    int type, boundaryCheck, result;
    DATDEF date;
  };
  const Row rows[] = {
      {HEISEI "13" NEN "3" GETSU "15" NICHI, 1, 0, 1, {3, 15, 2001, 0, 0, 0, 0}},
      {"  " HEISEI "13" NEN "03" GETSU "15" NICHI " ", 1, 0, 1, {3, 15, 2001, 0, 0, 0, 0}},
      {"13" NEN "3" GETSU "15" NICHI, 1, 0, 1, {3, 15, 1913, 0, 0, 0, 0}},
      {"2001" NEN "3" GETSU "15" NICHI, 1, 0, 1, {3, 15, 2001, 0, 0, 0, 0}},
      {"H13" NEN "3" GETSU "15" NICHI, 1, 0, 0, {}},
      {SHOWA "64" NEN "1" GETSU "7" NICHI, 1, 1, 1, {1, 7, 1989, 0, 0, 0, 0}},
      {SHOWA "64" NEN "1" GETSU "8" NICHI, 1, 1, 0, {}},
      {SHOWA "64" NEN "1" GETSU "8" NICHI, 1, 0, 1, {1, 8, 1989, 0, 0, 0, 0}},
      {MEIJI "1" NEN "9" GETSU "28" NICHI, 1, 0, 0, {}},
      {MEIJI "1" NEN "9" GETSU "29" NICHI, 1, 0, 1, {9, 29, 1868, 0, 0, 0, 0}},
      {HEISEI "13" NEN "2" GETSU "30" NICHI, 1, 0, 0, {}},
      {HEISEI "0" NEN "2" GETSU "3" NICHI, 1, 0, 0, {}},
      {HEISEI "13" NEN "3" GETSU "15", 1, 0, 0, {}},
      {HEISEI "13" NEN "3" GETSU "15" NICHI " 1:05 PM", 3, 0, 1, {3, 15, 2001, 13, 5, 0, 0}},
      {HEISEI "13" NEN "3" GETSU "15" NICHI " 1:05 PM", 1, 0, 0, {}},
      {HEISEI "13" NEN "3" GETSU "15" NICHI " soon", 3, 0, 0, {}},
  };
  for (const Row& r : rows) {
    FMTCNTLBLOCK b = usBlock(r.text, nullptr, r.type);
    b.bUseIntl = TRUE;
    b.wFlags = FMT_FLAG_DEFAULT_TIME;
    TempWinIni boundary(std::string(kUsIni) + "iEmpDateBoundryCheck=" + std::to_string(r.boundaryCheck) + "\n",
                        "boundary-win.ini");
    EXPECT_EQ(FMTValidateDateTime(&b), r.result) << r.text;
    if (!r.result) continue;
    EXPECT_TRUE(sameDate(b.dtValue, r.date)) << r.text << " -> " << show(b.dtValue);
    EXPECT_NE(b.wFlags & FMT_FLAG_HAD_DATE, 0u);
    EXPECT_EQ((b.wFlags & FMT_FLAG_HAD_TIME) != 0, r.type == 3);
  }
  // By the named pictures: "ED" reads an era date only, "E" an era date and a time.
  FMTCNTLBLOCK b = usBlock(HEISEI "13" NEN "3" GETSU "15" NICHI, "ED");
  EXPECT_EQ(FMTUnformatDateTimeStr(&b), 1);
  EXPECT_TRUE(sameDate(b.dtValue, {3, 15, 2001, 0, 0, 0, 0}));
  b = usBlock("2001" NEN "3" GETSU "15" NICHI, "ED");
  EXPECT_EQ(FMTUnformatDateTimeStr(&b), 0);
  b = usBlock(HEISEI "13" NEN "3" GETSU "15" NICHI "1:05 PM", "ED");
  EXPECT_EQ(FMTUnformatDateTimeStr(&b), 0);
  b.lpszPicture = const_cast<LPSTR>("E");
  EXPECT_EQ(FMTUnformatDateTimeStr(&b), 1);
  EXPECT_TRUE(sameDate(b.dtValue, {3, 15, 2001, 13, 5, 0, 0}));
}

// Formatting and reading back by the same picture gives the same DATDEF.
TEST(DateValidate, RoundTripOverRandomDates) {
  TempWinIni ini(std::string(kUsIni) + "");
  const char* const corpus[] = {
      "M/d/yyyy", "MM/dd/yyyy hh:mm:ss AMPM", "dddd, MMMM dd, yyyy", "d MMM yyyy hhhh:mm:ss.mmmmmm",
      "yyyy-MM-dd hhhh.mm.ss", "ddd d-MMM-yyyy h:mm:ss AMPM", "dd.MM.yyyy hhh:mm:ss", "yyyy MMMM dd",
      "'on' MMMM d, yyyy 'at' hh:mm:ss.mmmmmm AMPM", "hhhh:mm:ss", "h:mm:ss AMPM",
  };
  std::mt19937 random(2001);
  auto pick = [&](int low, int high) { return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1)); };
  static const int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int i = 0; i < 3000; ++i) {
    const char* picture = corpus[i % (sizeof corpus / sizeof *corpus)];
    const int year = pick(1, 9999), month = pick(1, 12);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    DATDEF d{month, pick(1, kLength[month - 1] + (month == 2 && leap)), year, pick(0, 23), pick(0, 59), pick(0, 59),
             pick(0, 999999)};
    const bool hasDate = FMTDatePicHasDate(picture), hasTime = FMTDatePicHasTime(picture);
    if (!hasDate) d.month = d.day = 1, d.year = 1900;
    if (!hasTime) d.hour = d.minute = 0;
    if (!std::strstr(picture, "mmmmmm")) d.microsecond = 0;
    if (!std::strstr(picture, "ss")) d.second = 0;

    FMTCNTLBLOCK b = usBlock(nullptr, picture, hasDate ? FMT_TYPE_DATE : FMT_TYPE_TIME);
    b.lpszLongPic = b.lpszShortPic = const_cast<LPSTR>(picture);
    b.iTLZero = 1;
    b.wFlags &= ~FMT_FLAG_DEFAULT_TIME;  // a time-only block formats by its own picture
    b.dtValue = d;
    std::vector<char> text(static_cast<size_t>(FMTGetMaxFormattedDTLen(&b, 0)) + 1);
    b.lpszOutput = text.data();
    ASSERT_EQ(FMTFormatDateTime(&b), 1) << picture;
    FMTCNTLBLOCK back = usBlock(text.data(), picture);
    ASSERT_EQ(FMTUnformatDateTimeStr(&back), 1) << picture << " | " << text.data();
    EXPECT_TRUE(sameDate(back.dtValue, d)) << text.data() << " -> " << show(back.dtValue);
  }
  // Through the regional pictures and the default time picture, with microseconds.
  TempWinIni full("[intl]\niTime=0\nsTime=:\niTLZero=1\nsShortDate=M/d/yyyy\nsLongDate=dddd, MMMM dd, yyyy\n"
                  "[VEXTOOLS]\nsDateType=longgregorian\n");
  for (int i = 0; i < 500; ++i) {
    const int month = pick(1, 12);
    const DATDEF d{month, pick(1, kLength[month - 1]), pick(1, 9999), pick(0, 23), pick(0, 59), pick(0, 59),
                   pick(0, 999999)};
    FMTCNTLBLOCK b = usBlock(nullptr, nullptr, FMT_TYPE_DATETIME);
    b.bUseIntl = TRUE;
    b.dtValue = d;
    char text[96];
    b.lpszOutput = text;
    ASSERT_EQ(FMTFormatDateTime(&b), 1);
    b.lpszInput = text;
    b.dtValue = DATDEF{};
    ASSERT_EQ(FMTValidateDateTime(&b), 1) << text;
    EXPECT_TRUE(sameDate(b.dtValue, d)) << text << " -> " << show(b.dtValue);
  }
}

}  // namespace
