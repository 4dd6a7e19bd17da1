// Month and day names are the library's own string resources, so a translated library
// carries its own names. Loaded into the library state record and two lookup tables
// sorted by name for searching by halving.
#include "format/calendar_names.h"

#include "format/calendar.h"
#include "format/settings.h"
#include "frame/state.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <cstring>

namespace kv {

namespace {

struct NameRecord {
  CHAR name[16];
  LONG number;
};

// Numbers are fixed; names are loaded and the tables sorted by name.
constinit NameRecord gDayTable[14] = {{"", 1}, {"", 1}, {"", 2}, {"", 2}, {"", 3}, {"", 3}, {"", 4},
                                      {"", 4}, {"", 5}, {"", 5}, {"", 6}, {"", 6}, {"", 7}, {"", 7}};
constinit NameRecord gMonthTable[24] = {{"", 1},  {"", 1},  {"", 2},  {"", 2},  {"", 3},  {"", 3},
                                        {"", 4},  {"", 4},  {"", 5},  {"", 5},  {"", 6},  {"", 6},
                                        {"", 7},  {"", 7},  {"", 8},  {"", 8},  {"", 9},  {"", 9},
                                        {"", 10}, {"", 10}, {"", 11}, {"", 11}, {"", 12}, {"", 12}};

// Saturday first: the abbreviation and the full name of each day.
constexpr UINT kDayIds[14] = {2030, 2037, 2031, 2038, 2025, 2032, 2026, 2033, 2027, 2034, 2028, 2035, 2029, 2036};

constexpr UINT kShortestNameBuffer = 15;  // a name holds at most 14 bytes

bool load(UINT id, CHAR* out, int size) {
  return LoadStringA(gpState->module, id, out, size) != 0;
}

void shellSort(NameRecord* table, int n) {
  for (int gap = n / 2; gap > 0; gap /= 2) {
    for (int i = gap; i < n; ++i) {
      for (int j = i - gap; j >= 0 && lstrcmpiA(table[j].name, table[j + gap].name) >= 1; j -= gap) {
        NameRecord t = table[j];
        table[j] = table[j + gap];
        table[j + gap] = t;
      }
    }
  }
}

int loadLocked() {
  LibraryState& s = *gpState;
  for (int i = 0; i < 14; ++i)
    if (!load(kDayIds[i], gDayTable[i].name, kShortestNameBuffer)) return 0;
  for (int d = 0; d < 7; ++d) {
    std::memcpy(s.dayAbbrev[d], gDayTable[2 * d].name, sizeof s.dayAbbrev[d]);
    std::memcpy(s.dayFull[d], gDayTable[2 * d + 1].name, sizeof s.dayFull[d]);
  }
  for (int m = 0; m < 12; ++m) {
    if (!load(2001 + m, gMonthTable[2 * m].name, kShortestNameBuffer)) return 0;
    if (!load(2013 + m, gMonthTable[2 * m + 1].name, kShortestNameBuffer)) return 0;
    std::memcpy(s.monthAbbrev[m], gMonthTable[2 * m].name, sizeof s.monthAbbrev[m]);
    std::memcpy(s.monthFull[m], gMonthTable[2 * m + 1].name, sizeof s.monthFull[m]);
  }
  shellSort(gDayTable, 14);
  shellSort(gMonthTable, 24);
  if (!load(2039, s.keyDateType, sizeof s.keyDateType) ||
      !load(2041, s.wordShortGregorian, sizeof s.wordShortGregorian) ||
      !load(2040, s.wordLongGregorian, sizeof s.wordLongGregorian) ||
      !load(2042, s.wordJapanGregorian, sizeof s.wordJapanGregorian) ||
      !load(2043, s.wordJapanEmperor, sizeof s.wordJapanEmperor) ||
      !load(2044, s.keyEmpDateBoundaryCheck, sizeof s.keyEmpDateBoundaryCheck))
    return 0;
  s.namesLoaded = 1;
  return 1;
}

// Call with the settings lock held.
bool ensureLoaded() { return gpState->namesLoaded || loadLocked(); }

const char* pick(const CHAR (*names)[16], int count, int number) {
  CrLock lock(&gSettingsLock);
  if (number < 1 || number > count || !ensureLoaded()) return "";
  return names[number - 1];
}

int search(const NameRecord* table, int n, const char* text) {
  CrLock lock(&gSettingsLock);
  if (!text || !ensureLoaded()) return 0;
  int low = 0;
  int high = n - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int c = lstrcmpiA(text, table[middle].name);
    if (c == 0) return table[middle].number;
    if (c < 0) high = middle - 1;
    else low = middle + 1;
  }
  return 0;
}

LONG longest(const CHAR (*names)[16], int count) {
  LONG most = 0;
  for (int i = 0; i < count; ++i) {
    const LONG len = lstrlenA(names[i]);
    if (len > most) most = len;
  }
  return most;
}

}  // namespace

int loadCalendarNames() {
  CrLock lock(&gSettingsLock);
  return ensureLoaded() ? 1 : 0;
}

const char* dayAbbrevName(int dow) { return pick(gpState->dayAbbrev, 7, dow); }
const char* dayFullName(int dow) { return pick(gpState->dayFull, 7, dow); }
const char* monthAbbrevName(int month) { return pick(gpState->monthAbbrev, 12, month); }
const char* monthFullName(int month) { return pick(gpState->monthFull, 12, month); }

int monthOfName(const char* text) { return search(gMonthTable, 24, text); }
int dayOfWeekOfName(const char* text) { return search(gDayTable, 14, text); }

void measureLongestDayName() {
  CrLock lock(&gSettingsLock);
  ensureLoaded();
  if (FormatThreadRecord* r = formatThreadRecord()) r->longestDayName = longest(gpState->dayFull, 7);
}

void measureLongestMonthName() {
  CrLock lock(&gSettingsLock);
  ensureLoaded();
  if (FormatThreadRecord* r = formatThreadRecord()) r->longestMonthName = longest(gpState->monthFull, 12);
}

int checkDate(int month, int day, int year, const char* dayName) {
  CrLock lock(&gSettingsLock);
  if (!ensureLoaded()) return 0;
  if (day < 1 || day > 31 || month < 1 || month > 12) return 0;
  if (dayName && *dayName) {
    const int dow = dayOfWeek(month, day, year);
    if (lstrcmpiA(dayName, gpState->dayAbbrev[dow - 1]) != 0 && lstrcmpiA(dayName, gpState->dayFull[dow - 1]) != 0)
      return 0;
  }
  static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int length = kLength[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= length ? 1 : 0;
}

}  // namespace kv
