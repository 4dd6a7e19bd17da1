// The two fixed Japanese date forms: the Gregorian year with the Japanese year, month and
// day characters, and the same with the emperor era and its year.
#include "format/calendar.h"
#include "format/date_era.h"
#include "format/date_format.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <cstdio>
#include <cstring>

namespace kv {

namespace {

bool dateInRange(const DATDEF& d) {
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31;
}

// Two digits: a leading zero below 10, the last two digits above 99.
int twoDigits(char* out, LONG value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02ld", static_cast<long>(value));
  const size_t n = std::strlen(text);
  std::memcpy(out, text + n - 2, 2);
  out[2] = '\0';
  return 2;
}

int writeMonthDay(char* out, const DATDEF& d) {
  int n = twoDigits(out, d.month);
  std::memcpy(out + n, kMonthChar, 2);
  n += 2;
  n += twoDigits(out + n, d.day);
  std::memcpy(out + n, kDayChar, 3);  // with its terminator
  return n + 2;
}

}  // namespace

int writeJapaneseGregorian(char* out, const DATDEF& d) {
  if (!dateInRange(d)) return -1;
  CrLock lock(&gSettingsLock);
  int n = std::snprintf(out, 8, "%04ld", static_cast<long>(d.year));
  std::memcpy(out + n, kYearChar, 2);
  n += 2;
  return n + writeMonthDay(out + n, d);
}

int writeEraForm(char* out, const DATDEF& d) {
  if (!dateInRange(d)) return -1;
  CrLock lock(&gSettingsLock);
  const int z = dayNumber(d.month, d.day, d.year);
  const EraRecord* era = nullptr;
  for (const EraRecord* e = kEraTable; e->firstDay != 0 && e->firstDay <= z; ++e) era = e;
  if (!era) return -1;
  int m0 = 0, d0 = 0, y0 = 0;
  dateOfDayNumber(era->firstDay, m0, d0, y0);
  int n = 4;
  std::memcpy(out, era->name, 4);
  n += twoDigits(out + n, d.year - y0 + 1);
  std::memcpy(out + n, kYearChar, 2);
  n += 2;
  return n + writeMonthDay(out + n, d);
}

}  // namespace kv
