#include "format/calendar.h"

#include <korvane/win32.h>

namespace kv {

namespace {
// Wide enough that no field value of a caller's record overflows.
long long wideDayNumber(long long m, long long d, long long y) {
  // Integer arithmetic truncating toward zero; (m - 9) / 7 is 0 or -1 for months 1-12.
  return 367 * y - 7 * (y + (m + 9) / 12) / 4 - 3 * ((y + (m - 9) / 7) / 100 + 1) / 4 + 275 * m / 9 + d + 1721029;
}
}  // namespace

int dayNumber(int m, int d, int y) { return static_cast<int>(wideDayNumber(m, d, y)); }

void dateOfDayNumber(int z, int& month, int& day, int& year) {
  // Each step truncates to an integer; the constants make the steps exact inverses of
  // dayNumber over years 1 to 9999.
  const long long a = static_cast<long long>(z * 2.7379070069885075e-5 - 51.12264);
  const long long b = a - a / 4 + z + 1525;
  const long long g = static_cast<long long>(static_cast<double>(b) * 0.0027378507871321013 - 0.3343);
  const long long dd = static_cast<long long>(static_cast<double>(g) * 365.25);
  const long long e = static_cast<long long>(static_cast<double>(b - dd) * 0.032669062397909183);
  month = static_cast<int>(e < 14 ? e - 1 : e - 13);
  day = static_cast<int>(static_cast<double>(b - static_cast<long long>(static_cast<double>(e) * 30.61) - dd) + 0.5);
  year = static_cast<int>(g - 4716 + (month <= 2 ? 1 : 0));
}

int dayOfWeek(int month, int day, int year) {
  // Kept in 1 ... 7 also for dates before the epoch of day numbers.
  const long long r = (wideDayNumber(month, day, year) + 2) % 7;
  return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

int centuryOfTwoDigitYear(int yy) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  int k = now.wYear / 100;
  const int r = now.wYear % 100;
  if (yy >= 0 && yy <= 99) {
    if (r < 50 && yy >= 50) --k;
    else if (r >= 50 && yy < 50) ++k;
  }
  return k * 100;
}

}  // namespace kv
