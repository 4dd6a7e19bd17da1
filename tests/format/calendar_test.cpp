// Day numbers, calendar names and the date check.
#include "format/calendar.h"
#include "format/calendar_names.h"
#include "format/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono;

TEST(Calendar, DayNumbersOfKnownDates) {
  EXPECT_EQ(kv::dayNumber(1, 1, 2000), 2451545);
  EXPECT_EQ(kv::dayNumber(12, 30, 1899), 2415019);
  EXPECT_EQ(kv::dayNumber(10, 15, 1582), 2299161);
  EXPECT_EQ(kv::dayOfWeek(1, 1, 2000), 1);   // Saturday
  EXPECT_EQ(kv::dayOfWeek(2, 29, 2000), 4);  // Tuesday
  EXPECT_GE(kv::dayOfWeek(1, 1, -40000), 1);  // before the epoch: still a day of the week
  EXPECT_LE(kv::dayOfWeek(1, 1, -40000), 7);
}

TEST(Calendar, DayNumbersAgreeWithAnIndependentCalendar) {
  constexpr int kUnixEpochDayNumber = 2440588;  // 1 January 1970
  for (int y : {1, 4, 100, 1582, 1899, 1900, 2000, 9999}) {
    for (sys_days d = sys_days{year{y} / January / 1}; d <= sys_days{year{y} / December / 31}; d += days{1}) {
      const year_month_day ymd{d};
      const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
      const int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
      const int z = kv::dayNumber(m, day, y);
      ASSERT_EQ(z, d.time_since_epoch().count() + kUnixEpochDayNumber) << y << '-' << m << '-' << day;
      const int expectedDow = static_cast<int>((weekday{d}.c_encoding() + 1) % 7 + 1);
      ASSERT_EQ(kv::dayOfWeek(m, day, y), expectedDow) << y << '-' << m << '-' << day;
    }
  }
}

TEST(Calendar, DateOfDayNumberInvertsEveryDayOfTheRange) {
  const int first = kv::dayNumber(1, 1, 1);
  const int last = kv::dayNumber(12, 31, 9999);
  int m = 0, d = 0, y = 0;
  int expectM = 1, expectD = 1, expectY = 1;
  for (int z = first; z <= last; ++z) {
    kv::dateOfDayNumber(z, m, d, y);
    ASSERT_TRUE(m == expectM && d == expectD && y == expectY) << z << ": " << y << '-' << m << '-' << d;
    ASSERT_EQ(kv::dayNumber(m, d, y), z);
    // Next expected date, by the calendar rules rather than by the code under test.
    const bool leap = (expectY % 4 == 0 && expectY % 100 != 0) || expectY % 400 == 0;
    const int length[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++expectD > length[expectM - 1]) {
      expectD = 1;
      if (++expectM > 12) {
        expectM = 1;
        ++expectY;
      }
    }
  }
}

TEST(Calendar, TwoDigitYearsLandWithinFiftyYears) {
  struct {
    int now, yy, century;
  } cases[] = {{2001, 0, 2000}, {2001, 49, 2000}, {2001, 50, 1900}, {2001, 99, 1900},
               {2049, 50, 1900}, {2050, 49, 2100}, {2050, 50, 2000}, {1999, 5, 2000},
               {2026, 120, 2000}, {2026, -1, 2000}};
  for (const auto& c : cases) {
    setFakeYear(c.now);
    EXPECT_EQ(kv::centuryOfTwoDigitYear(c.yy), c.century) << c.now << " " << c.yy;
  }
  setFakeYear(0);
}

TEST(Calendar, NameLookups) {
  EXPECT_EQ(kv::monthOfName("sept"), 0);
  EXPECT_EQ(kv::monthOfName("SEP"), 9);
  EXPECT_EQ(kv::monthOfName("may"), 5);
  EXPECT_EQ(kv::monthOfName("December"), 12);
  EXPECT_EQ(kv::monthOfName("jan"), 1);
  EXPECT_EQ(kv::monthOfName(""), 0);
  EXPECT_EQ(kv::monthOfName(nullptr), 0);
  EXPECT_EQ(kv::dayOfWeekOfName("sunday"), 2);
  EXPECT_EQ(kv::dayOfWeekOfName("SAT"), 1);
  EXPECT_EQ(kv::dayOfWeekOfName("Friday"), 7);
  EXPECT_EQ(kv::dayOfWeekOfName("Fr"), 0);
  EXPECT_STREQ(kv::monthAbbrevName(0), "");
  EXPECT_STREQ(kv::monthAbbrevName(13), "");
  EXPECT_STREQ(kv::monthAbbrevName(9), "Sep");
  EXPECT_STREQ(kv::monthFullName(12), "December");
  EXPECT_STREQ(kv::dayAbbrevName(2), "Sun");
  EXPECT_STREQ(kv::dayFullName(1), "Saturday");
  EXPECT_STREQ(kv::dayFullName(8), "");

  kv::measureLongestDayName();
  kv::measureLongestMonthName();
  const kv::FormatThreadRecord* r = kv::formatThreadRecord();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->longestDayName, 9);    // Wednesday
  EXPECT_EQ(r->longestMonthName, 9);  // September
}

TEST(Calendar, DateCheck) {
  EXPECT_EQ(kv::checkDate(2, 29, 1900, nullptr), 0);
  EXPECT_EQ(kv::checkDate(2, 29, 2000, nullptr), 1);
  EXPECT_EQ(kv::checkDate(2, 29, 2004, ""), 1);
  EXPECT_EQ(kv::checkDate(2, 30, 2000, nullptr), 0);
  EXPECT_EQ(kv::checkDate(4, 31, 2001, nullptr), 0);
  EXPECT_EQ(kv::checkDate(12, 31, 9999, nullptr), 1);
  EXPECT_EQ(kv::checkDate(3, 15, 2001, "thu"), 1);
  EXPECT_EQ(kv::checkDate(3, 15, 2001, "Thursday"), 1);
  EXPECT_EQ(kv::checkDate(3, 15, 2001, "Friday"), 0);
  EXPECT_EQ(kv::checkDate(0, 1, 2001, nullptr), 0);
  EXPECT_EQ(kv::checkDate(13, 1, 2001, nullptr), 0);
  EXPECT_EQ(kv::checkDate(1, 0, 2001, nullptr), 0);
  EXPECT_EQ(kv::checkDate(1, 32, 2001, nullptr), 0);
  EXPECT_EQ(kv::checkDate(1, 1, -2000000000, "Mon"), 0);  // absurd years: no overflow
}

}  // namespace
