// Date/time values and date pictures: ISO text, picture queries, default pictures and the
// comparison of date/time NUMBERs.
#include "format/settings.h"
#include "number/digits.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <utility>

namespace {

TEST(DatePictures, IsoTextToFields) {
  const std::pair<const char*, DATDEF> cases[] = {
      {"2001-03-15-13.45.30.000250", {3, 15, 2001, 13, 45, 30, 250}},
      {"2001/03/15 13:45:30.000250", {3, 15, 2001, 13, 45, 30, 250}},
      {"2001-03-15-13.45.30.00025", {3, 15, 2001, 13, 45, 30, 0}},  // 25 characters
      {"2001", {0, 0, 2001, 0, 0, 0, 0}}, {"2001-3", {0, 0, 2001, 0, 0, 0, 0}},
      {" 7x  -1", {-1, 0, 7, 0, 0, 0, 0}}, {"abcd-ef-gh", {}}, {"", {}}, {nullptr, {}},
  };
  for (const auto& [text, expected] : cases) {
    DATDEF d;
    std::memset(&d, 0x5A, sizeof d);
    EXPECT_EQ(FMTIsoToDatDef(text, &d), 1);
    EXPECT_EQ(std::memcmp(&d, &expected, sizeof d), 0) << (text ? text : "null");
  }
  EXPECT_EQ(FMTIsoToDatDef("2001", nullptr), 1);
}

TEST(DatePictures, ValidityAndElementQueries) {
  struct Case {
    const char* picture;
    int valid, hasDate, hasTime;
  };
  const Case cases[] = {
      {"", 1, 0, 0}, {"S", 1, 0, 0}, {"L", 1, 0, 0}, {"T", 1, 0, 0}, {"E", 1, 0, 0}, {"ED", 1, 0, 0},
      {"s", 0, 0, 0}, {"EDx", 0, 0, 0}, {"dddd, MMMM dd, yyyy", 1, 1, 0}, {"hh:mm:ss AMPM", 1, 0, 1},
      {"yyyy-MM-dd hhhh.mm", 1, 1, 1}, {"'text' / -", 1, 0, 0}, {"h", 1, 0, 1}, {"d", 1, 1, 0},
      {"yyyy mmmmmm", 1, 1, 1}, {"yyy", 0, 0, 0}, {"ddddd hh", 0, 0, 0}, {"m", 0, 0, 0}, {nullptr, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const char* name = c.picture ? c.picture : "null";
    EXPECT_EQ(FMTIsDatePicValid(c.picture), c.valid) << name;
    EXPECT_EQ(FMTDatePicHasDate(c.picture), c.hasDate) << name;
    EXPECT_EQ(FMTDatePicHasTime(c.picture), c.hasTime) << name;
  }
}

// The copy made into a buffer of `size` bytes, which must be zero-filled to its end and
// untouched after it.
std::string copied(int (*get)(LPSTR, int), int size) {
  char buffer[80];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(get(buffer, size), 1);
  for (int i = static_cast<int>(std::strlen(buffer)); i < size; ++i) EXPECT_EQ(buffer[i], '\0') << i;
  EXPECT_EQ(buffer[size], '#');
  return buffer;
}

TEST(DatePictures, DefaultPictures) {
  {
    TempWinIni ini("[intl]\nsShortDate=M/d/yy\nsLongDate=dddd, MMMM dd, yyyy\n");
    EXPECT_EQ(copied(FMTGetDefaultShortDatePic, 64), "M/d/yy");
    EXPECT_EQ(copied(FMTGetDefaultShortDatePic, 4), "M/d");
    EXPECT_EQ(copied(FMTGetDefaultShortDatePic, 1), "");
    EXPECT_EQ(copied(FMTGetDefaultLongDatePic, 6), "dddd,");
    ASSERT_NE(kv::FMTGetIntlValue(kv::kDateType), 0);
    EXPECT_EQ(copied(FMTGetDefaultDatePic, 64), "M/d/yy");
    char buffer[4] = "abc";  // no room even for the terminator: nothing is written
    EXPECT_EQ(FMTGetDefaultShortDatePic(buffer, 0) + FMTGetDefaultDatePic(buffer, -1), 0);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(FMTGetDefaultLongDatePic(nullptr, 10), 0);
  }
  {
    TempWinIni ini("[intl]\nsLongDate=d. MMMM yyyy\n[VEXTOOLS]\nsDateType=longgregorian\n");
    ASSERT_EQ(kv::FMTGetIntlValue(kv::kDateType), 0);
    EXPECT_EQ(copied(FMTGetDefaultDatePic, 64), "d. MMMM yyyy");
  }
}

TEST(DatePictures, CutsNeverSplitACharacterUnderAJapaneseSystem) {
  EmulatedSystem japanese(0x0411);
  KV_ONLY_ON(japanese);
  TempWinIni ini("[intl]\nsShortDate=yyyy'\x94\x4E'M\n");
  EXPECT_EQ(copied(FMTGetDefaultShortDatePic, 7), "yyyy'");
  EXPECT_EQ(copied(FMTGetDefaultShortDatePic, 8), "yyyy'\x94\x4E");
}

// --- DateCompare: values are multiples of 100^-15 held in 128-bit integers. -----------

using Scaled = __int128;
const Scaled kOne = Scaled{1000000000000000} * 1000000000000000;  // 1e30: the value 1
const Scaled kTolerance = Scaled{300000000000000};                // 3e-16

tagNUMBER record(const BYTE* digits, int count, int negative, int exponent) {
  tagNUMBER n{};
  n.bLength = static_cast<BYTE>(kv::NumPackDigits(kv::NumBytes(&n) + 1, digits, count, negative, exponent, 0));
  return n;
}

tagNUMBER fromScaled(Scaled v) {
  BYTE digits[24] = {};
  int count = 0;
  for (Scaled m = v < 0 ? -v : v; m; m /= 100) digits[count++] = static_cast<BYTE>(m % 100);
  std::reverse(digits, digits + count);
  return record(digits, count, v < 0, 49 + count);  // 0.d1d2... x 100^(e - 64)
}

// Keeps the top ten base-100 digits, which a 12-byte record of either sign holds.
Scaled topTen(Scaled v) {
  Scaled unit = 1;
  for (Scaled m = (v < 0 ? -v : v) / 100000000000000000 / 1000; m; m /= 100) unit *= 100;
  return v / unit * unit;
}

int cmp(tagNUMBER a, tagNUMBER b) { return DateCompare(&a, &b); }

TEST(DateCompare, NullZeroSignsAndLengths) {
  // Null, -1, zero, 1 in ascending order.
  const tagNUMBER ordered[] = {tagNUMBER{}, fromScaled(-kOne), fromScaled(0), fromScaled(kOne)};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) EXPECT_EQ(cmp(ordered[i], ordered[j]), (i > j) - (i < j)) << i << ' ' << j;
  }
  EXPECT_EQ(DateCompare(nullptr, nullptr), 0);
  tagNUMBER bad = ordered[3], flagged = ordered[3];
  for (BYTE length : {25, 0x3F}) {  // invalid lengths compare equal to anything
    bad.bLength = length;
    EXPECT_EQ(cmp(bad, ordered[0]) | cmp(ordered[2], bad), 0);
  }
  flagged.bLength |= 0x80;  // with bit 7 only the low four bits are the length
  EXPECT_EQ(cmp(flagged, ordered[3]), 0);
  // Records that differ from their 12th base-100 digit on are equal, and stay as they are.
  const BYTE da[] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, db[] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 5};
  tagNUMBER a = record(da, 12, 0, 65), b = record(db, 13, 0, 65);
  const tagNUMBER a0 = a, b0 = b;
  EXPECT_EQ(DateCompare(&a, &b) | DateCompare(&b, &a), 0);
  EXPECT_EQ(std::memcmp(&a, &a0, sizeof a) | std::memcmp(&b, &b0, sizeof b), 0);
  EXPECT_EQ(NumCompare(&a, &b), -1);
}

TEST(DateCompare, SymmetricWithATolerance) {
  std::mt19937_64 rng(15032001);
  int equal = 0, nearMisses = 0;
  for (int i = 0; i < 20000; ++i) {
    Scaled a = static_cast<Scaled>(rng() % 100000000000000000) * 1000;
    for (int k = static_cast<int>(rng() % 9); k > 0; --k) a *= 100;
    a = topTen(rng() % 2 ? -a : a);
    Scaled delta = static_cast<Scaled>(rng() % 1000 + 1);  // a nearby value, around 3e-16 apart
    for (int k = static_cast<int>(rng() % 14); k > 0; --k) delta *= 10;
    const Scaled b = topTen(rng() % 4 ? a + (rng() % 2 ? delta : -delta) : static_cast<Scaled>(rng()) * 1000000000);
    const Scaled diff = a - b;
    const int expected = (diff < kTolerance && diff > -kTolerance) ? 0 : (diff > 0 ? 1 : -1);
    ASSERT_EQ(cmp(fromScaled(a), fromScaled(b)), expected) << i;
    ASSERT_EQ(cmp(fromScaled(b), fromScaled(a)), -expected) << i;
    equal += expected == 0;
    nearMisses += expected != 0 && diff < 10 * kTolerance && diff > -10 * kTolerance;
  }
  EXPECT_GT(equal, 500);  // both sides of the tolerance were reached
  EXPECT_GT(nearMisses, 500);
  EXPECT_EQ(cmp(fromScaled(kOne), fromScaled(kOne + kTolerance)), -1);
  EXPECT_EQ(cmp(fromScaled(kOne), fromScaled(kOne + kTolerance - 1000000000000)), 0);
}

}  // namespace
