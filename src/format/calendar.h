// Day numbers: the Julian day number of a date in the proleptic Gregorian calendar.
#pragma once

namespace kv {

// 1 January 2000 is 2451545.
int dayNumber(int month, int day, int year);
// The inverse of dayNumber for 1 January 1 to 31 December 9999.
void dateOfDayNumber(int dayNumber, int& month, int& day, int& year);
// 1 Saturday, 2 Sunday, ... 7 Friday.
int dayOfWeek(int month, int day, int year);
// The century (a multiple of 100) that puts a two-digit year within 50 years of the
// current year of the system clock.
int centuryOfTwoDigitYear(int yy);

}  // namespace kv
