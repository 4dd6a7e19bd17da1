// Reading a Japanese date typed with the year, month and day characters, in an emperor era
// or (from FMTValidateDateTime) as a Gregorian year.
#include <korvane/intl.h>

#include "format/calendar.h"
#include "format/calendar_names.h"
#include "format/date_era.h"
#include "format/date_format.h"
#include "format/settings.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <cstring>

namespace kv {

namespace {

// A number at p that is followed by more text; its byte count, or 0.
int fetchNumber(const char* p, LONG& value) {
  const int n = IntlFetchNextNumLong(&value, p);
  if (n < 1 || p[n] == '\0') return 0;
  return n;
}

bool takeChar(const char*& p, const char* ch) {
  if (p[0] != ch[0] || p[1] != ch[1]) return false;
  p += 2;
  return true;
}

}  // namespace

int FMTReadEraDate(FMTCNTLBLOCK* block, int mode) {
  if (!block || !block->lpszInput) return -1;
  CrLock lock(&gSettingsLock);
  const char* start = block->lpszInput;
  const char* p = IntlStripStartSpace(start);
  const bool boundaryCheck =
      block->bUseIntl ? FMTGetIntlValue(kEmpDateBoundaryCheck) == 1 : block->iEmpDateBoundryCheck == 1;

  const EraRecord* era = nullptr;
  LONG year = 0;
  bool twoDigitYear = false;
  int n = 0;
  if (IntlIsDBChar(p)) {
    if (std::strlen(p) < 4) return -1;
    for (const EraRecord* e = kEraTable; e->firstDay != 0 && !era; ++e) {
      if (std::memcmp(p, e->name, 4) == 0) era = e;
    }
    if (!era) return -1;
    int m0 = 0, d0 = 0, y0 = 0;
    dateOfDayNumber(era->firstDay, m0, d0, y0);
    p += 4;
    LONG eraYear = 0;
    if (!(n = fetchNumber(p, eraYear)) || eraYear < 1 || eraYear > 9999) return -1;
    year = y0 + eraYear - 1;
    p += n;
  } else if (IsCharAlphaA(*p)) {
    return -1;  // an era letter is not read as an era
  } else {
    if (mode == 1 || !(n = fetchNumber(p, year))) return -1;
    twoDigitYear = n < 3;
    p += n;
  }
  LONG month = 0, day = 0;
  if (!takeChar(p, kYearChar) || !(n = fetchNumber(p, month))) return -1;
  p += n;
  if (!takeChar(p, kMonthChar) || !(n = fetchNumber(p, day))) return -1;
  p += n;
  if (!takeChar(p, kDayChar)) return -1;
  if (twoDigitYear && year >= 0 && year <= 99) year += 1900;
  if (year < 1 || year > 9999 || !checkDate(static_cast<int>(month), static_cast<int>(day), static_cast<int>(year), nullptr))
    return -1;

  if (era) {
    const int z = dayNumber(static_cast<int>(month), static_cast<int>(day), static_cast<int>(year));
    const LONG boundary = era[1].firstDay;
    if (z < era->firstDay || (boundaryCheck && boundary != 0 && z >= boundary)) return -1;
  }
  block->dtValue = DATDEF{static_cast<LONG>(month), static_cast<LONG>(day), static_cast<LONG>(year), 0, 0, 0, 0};
  return static_cast<int>(p - start);
}

}  // namespace kv
