// Month and day names from the library's string table, and the lookups on them. All run
// under the settings lock and load the names first when they are not loaded yet.
#pragma once

#include <korvane/win32.h>

namespace kv {

// Loads names and profile words into the library state record; 1 on success, 0 when a
// string is missing (what was loaded stays, and the next call tries again).
int loadCalendarNames();

// Names by day of week 1 (Saturday) to 7, and by month 1 to 12; "" for anything else.
const char* dayAbbrevName(int dayOfWeek);
const char* dayFullName(int dayOfWeek);
const char* monthAbbrevName(int month);
const char* monthFullName(int month);

// 1-12 / 1-7 for an abbreviated or full name in any case, else 0.
int monthOfName(const char* text);
int dayOfWeekOfName(const char* text);

// Store the longest full day / month name length in the thread's format record.
void measureLongestDayName();
void measureLongestMonthName();

// 1 when the date exists and the day name, when given and not empty, fits it.
int checkDate(int month, int day, int year, const char* dayName);

}  // namespace kv
