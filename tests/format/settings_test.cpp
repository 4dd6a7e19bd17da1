// The regional settings record, its cache and the long date rewrite.
#include "format/long_date.h"
#include "format/settings.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

using kv::FMTGetIntlString;
using kv::FMTGetIntlValue;

tagINTLPROFILE read(const std::string& ini) {
  TempWinIni file(ini);
  tagINTLPROFILE p;
  std::memset(&p, 0x5A, sizeof p);
  FMTGetProfileIntl(&p);
  return p;
}

TEST(Settings, RecordLayoutIsPacked) {
  EXPECT_EQ(offsetof(tagINTLPROFILE, sList), 4u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, iCurrSeparated), 10u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, iDigits), 18u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, iTime), 33u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, sShortDate), 66u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, sLongDate), 86u);
  EXPECT_EQ(offsetof(tagINTLPROFILE, iEmpDateBoundryCheck), 153u);
  EXPECT_EQ(sizeof(tagINTLPROFILE), 157u);
}

TEST(Settings, MissingSectionGivesDefaults) {
  tagINTLPROFILE p = read("[windows]\ndevice=x\n");
  EXPECT_EQ(+p.iCountry, 1u);
  EXPECT_EQ(p.sList, ',');
  EXPECT_STREQ(p.sCurrency, "$");
  EXPECT_EQ(+p.iCurrSeparated, 0u);
  EXPECT_EQ(+p.iCurrAfter, 0u);
  EXPECT_EQ(+p.iDigits, 2u);
  EXPECT_EQ(p.sThousand, ',');
  EXPECT_EQ(p.sDecimal, '.');
  EXPECT_EQ(p.sDate, '/');
  EXPECT_STREQ(p.s1159, "AM");
  EXPECT_STREQ(p.s2359, "PM");
  EXPECT_STREQ(p.sTime, ":");
  EXPECT_EQ(+p.iMeasure, 1u);
  EXPECT_EQ(+p.iCurrDigits, 2u);
  EXPECT_STREQ(p.sShortDate, "M/d/yy");
  EXPECT_STREQ(p.sLongDate, "dddd, MMMM dd, yyyy");
  EXPECT_STREQ(p.sCountry, "United States");
  EXPECT_STREQ(p.sLanguage, "usa");
  EXPECT_EQ(+p.iDateType, 1u);
  EXPECT_EQ(+p.iEmpDateBoundryCheck, 0u);
  EXPECT_EQ(+p.iReserved, 0x5A5A5A5Au);  // the caller's value stays

  TempWinIni none("");
  EXPECT_EQ(FMTGetIntlValue(kv::kCurrencyPosition), 0);
  EXPECT_STREQ(FMTGetIntlString(kv::kThousandSep), ",");
  EXPECT_STREQ(FMTGetIntlString(kv::kCurrencySymbol), "$");
  for (UINT bad : {8u, 9u, 12u, 1000u}) EXPECT_EQ(FMTGetIntlValue(bad), -1) << bad;
  EXPECT_EQ(FMTGetIntlString(8), nullptr);
}

TEST(Settings, EveryFieldIsReadBack) {
  tagINTLPROFILE p = read(
      "[Intl]\r\niCountry=49\r\nsList=;\r\nsCurrency= EUR\r\niCurrency=3\r\niDigits=3\r\nsThousand=.\r\n"
      "sDecimal=,\r\niLzero=1\r\niDate=1\r\nsDate=.\r\niTime=1\r\ns1159=vorm\r\ns2359=nachm\r\n"
      "sTime=::\r\niTLZero=1\r\niMeasure=0\r\niCurrDigits=4\r\niNegCurr=8\r\nsShortDate=dd.MM.yyyy\r\n"
      "sLongDate=dddd, d. MMMM yyyy\r\nsCountry=Germany\r\nsLanguage=deu\r\n"
      "[VEXTOOLS]\r\nsDateType=longgregorian\r\niEmpDateBoundryCheck=1\r\n");
  EXPECT_EQ(+p.iCountry, 49u);
  EXPECT_EQ(p.sList, ';');
  EXPECT_STREQ(p.sCurrency, "EUR");  // blanks around a value are not kept
  EXPECT_EQ(+p.iCurrSeparated, 1u);
  EXPECT_EQ(+p.iCurrAfter, 1u);
  EXPECT_EQ(+p.iDigits, 3u);
  EXPECT_EQ(p.sThousand, '.');
  EXPECT_EQ(p.sDecimal, ',');
  EXPECT_EQ(+p.iLzero, 1u);
  EXPECT_EQ(+p.iDate, 1u);
  EXPECT_EQ(p.sDate, '.');
  EXPECT_EQ(+p.iTime, 1u);
  EXPECT_STREQ(p.s1159, "vorm");
  EXPECT_STREQ(p.s2359, "nach");  // cut to the field
  EXPECT_STREQ(p.sTime, "::");
  EXPECT_EQ(+p.iTLZero, 1u);
  EXPECT_EQ(+p.iMeasure, 0u);
  EXPECT_EQ(+p.iCurrDigits, 4u);
  EXPECT_EQ(+p.iNegCurr, 8u);
  EXPECT_STREQ(p.sShortDate, "dd.MM.yyyy");
  EXPECT_STREQ(p.sLongDate, "dddd, d. MMMM yyyy");
  EXPECT_STREQ(p.sCountry, "Germany");
  EXPECT_STREQ(p.sLanguage, "deu");
  EXPECT_EQ(+p.iDateType, 0u);
  EXPECT_EQ(+p.iEmpDateBoundryCheck, 1u);
}

TEST(Settings, EmptyAndOverlongValues) {
  tagINTLPROFILE p = read(
      "[intl]\nsThousand=\ns1159=\ns2359=\nsCurrency=ABCDEFG\nsCountry=A very long country name\n"
      "sShortDate=dddd MMMM yyyy hh mm ss ap\nsTime=abc\niDigits=4x\niCountry=x\n");
  EXPECT_EQ(p.sThousand, '\0');
  EXPECT_STREQ(p.s1159, "AM");
  EXPECT_STREQ(p.s2359, "PM");
  EXPECT_STREQ(p.sCurrency, "ABCD");
  EXPECT_STREQ(p.sCountry, "A very long co");
  EXPECT_STREQ(p.sShortDate, "dddd MMMM yyyy hh m");
  EXPECT_STREQ(p.sTime, "ab");
  EXPECT_EQ(+p.iDigits, 4u);
  EXPECT_EQ(+p.iCountry, 0u);

  TempWinIni file("[intl]\nsThousand=\n");
  EXPECT_STREQ(FMTGetIntlString(kv::kThousandSep), "");
}

TEST(Settings, CurrencyCodesAndDateTypes) {
  struct {
    const char* code;
    UINT separated, after;
    LONG position;
  } currency[] = {{"0", 0, 0, 0}, {"1", 0, 1, 1}, {"2", 1, 0, 2}, {"3", 1, 1, 3}, {"7", 0, 0, 0}};
  for (const auto& c : currency) {
    TempWinIni file(std::string("[intl]\niCurrency=") + c.code + "\n");
    tagINTLPROFILE p{};
    FMTGetProfileIntl(&p);
    EXPECT_EQ(+p.iCurrSeparated, c.separated) << c.code;
    EXPECT_EQ(+p.iCurrAfter, c.after) << c.code;
    EXPECT_EQ(FMTGetIntlValue(kv::kCurrencyPosition), c.position) << c.code;
  }
  struct {
    const char* word;
    LONG type;
  } types[] = {{"LongGregorian", 0},  {"SHORTGREGORIAN", 1}, {"japangregorian", 2},
               {"japanemperor", 3},   {"JapanEmperor", 3},   {"Gregorian", 1}, {"", 1}};
  for (const auto& t : types) {
    TempWinIni file(std::string("[vextools]\nsdatetype=") + t.word + "\n");
    EXPECT_EQ(FMTGetIntlValue(kv::kDateType), t.type) << t.word;
  }
}

TEST(Settings, CountryFixUps) {
  EXPECT_STREQ(read("[intl]\niCountry=43\nsShortDate=yyyy-MM-dddd\n").sShortDate, "yyyy-MM-dd");
  EXPECT_STREQ(read("[intl]\niCountry=44\nsShortDate=yyyy-MM-dddd\n").sShortDate, "yyyy-MM-dddd");
  EXPECT_STREQ(read("[intl]\niCountry=2\nsCountry=Canada (French)\nsShortDate=yy-MM-dd\n").sShortDate, "yy/MM/dd");
  EXPECT_STREQ(read("[intl]\niCountry=2\nsCountry=Canada\nsShortDate=yy-MM-dd\n").sShortDate, "yy-MM-dd");
  EXPECT_STREQ(read("[intl]\niCountry=358\nsLongDate=d. MMMMta yyyy\n").sLongDate, "d. MMMM'ta' yyyy");
}

TEST(Settings, LongDateRewrite) {
  struct {
    const char* in;
    UINT country;
    const char* out;
  } cases[] = {
      {"dddd', 'MMMM d', 'yyyy", 1, "dddd, MMMM d, yyyy"},
      {"d'. de 'MMMM", 1, "d.' de 'MMMM"},
      {"'Le 'd", 1, "'Le 'd"},
      {"''d", 1, "d"},                          // nothing quoted
      {"yyyy'年'M'月'd'日'", 1, "yyyy'年'M'月'd'日'"},  // text without separators stays quoted
      {"d' de/'MMMM", 1, "d' de'/MMMM"},
      {"'a-b'd", 1, "'a'-'b'd"},
      {"'-x-'d", 1, "-'x'-d"},
      {"'a,,b'", 1, "'a',,'b'"},
      {"d 'unpaired", 1, "d 'unpaired"},
      {"MMMMt", 358, "MMMM't'"},                // nothing read past the end
      {"dMMMMta", 358, "dMMMM'ta'"},
      {"MMMM", 358, "MMMM"},
  };
  for (const auto& c : cases) {
    char field[40] = {};
    std::strncpy(field, c.in, sizeof field - 1);
    kv::rewriteLongDatePicture(field, sizeof field, c.country);
    EXPECT_STREQ(field, c.out) << c.in;
  }
  // Growth past the field is cut to it, at a character boundary.
  char field[40];
  std::strcpy(field, "'a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a-a'");
  kv::rewriteLongDatePicture(field, sizeof field, 1);
  EXPECT_EQ(std::strlen(field), 39u);
  EXPECT_EQ(std::strncmp(field, "'a'-'a'-'a'-", 12), 0);
}

TEST(Settings, LongDateRewriteKeepsDoubleByteCharactersWholeUnderAJapaneseSystem) {
  // 0x95 0x5C is one Shift-JIS character whose trail byte is a backslash.
  const char* picture = "'\x95\x5C-'d";
  char field[40];
  {
    EmulatedSystem japanese(0x0411);
    std::strcpy(field, picture);
    kv::rewriteLongDatePicture(field, sizeof field, 1);
    if (japanese.active()) {
      EXPECT_STREQ(field, "'\x95\x5C'-d");
    }
  }
  EmulatedSystem english(0x0409);
  std::strcpy(field, picture);
  kv::rewriteLongDatePicture(field, sizeof field, 1);
  if (english.active()) {
    EXPECT_STREQ(field, "'\x95'\\-d");
  }
  FMTGetProfileIntl(nullptr);  // refused quietly
}

TEST(Settings, ChangesAreSeenOnlyAfterWinIniChanged) {
  TempWinIni file("[intl]\nsDecimal=.\n");
  EXPECT_STREQ(FMTGetIntlString(kv::kDecimalSep), ".");
  file.write("[intl]\nsDecimal=,\n");
  EXPECT_STREQ(FMTGetIntlString(kv::kDecimalSep), ".");
  FMTWinIniChanged();
  EXPECT_STREQ(FMTGetIntlString(kv::kDecimalSep), ",");
}

TEST(Settings, SeparatorStringIsPerThread) {
  TempWinIni file("[intl]\nsThousand='\nsDecimal=,\n");
  const char* six = FMTGetIntlString(kv::kThousandSep);
  EXPECT_STREQ(six, "'");
  const char* seven = FMTGetIntlString(kv::kDecimalSep);
  EXPECT_EQ(six, seven);  // the same string, now the decimal separator
  EXPECT_STREQ(seven, ",");

  bool ok[2] = {false, false};
  auto worker = [&](int t) {
    bool good = true;
    for (int i = 0; i < 2000 && good; ++i) {
      const UINT index = (i + t) % 2 ? kv::kDecimalSep : kv::kThousandSep;
      const char* s = FMTGetIntlString(index);
      good = s && s[0] == (index == kv::kDecimalSep ? ',' : '\'') && s[1] == '\0';
    }
    ok[t] = good;
  };
  std::thread a(worker, 0), b(worker, 1);
  a.join();
  b.join();
  EXPECT_TRUE(ok[0]);
  EXPECT_TRUE(ok[1]);
}

TEST(Settings, RefreshReentersTheHeldLock) {
  TempWinIni file("[intl]\niDigits=5\n");
  kv::CrLock hold(&kv::gSettingsLock);
  EXPECT_EQ(FMTGetIntlValue(kv::kDigits), 5);
  EXPECT_EQ(CR_LockCount(&kv::gSettingsLock), 1);
}

}  // namespace
