// FMTFormatDateTime and FMTGetMaxFormattedDTLen: a DATDEF laid into a date/time picture.
#include <korvane/datetime.h>
#include <korvane/format.h>

#include "format/calendar.h"
#include "format/calendar_names.h"
#include "format/date_format.h"
#include "format/date_picture_cache.h"
#include "format/settings.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool validType(const FMTCNTLBLOCK* block) {
  return block->nFormatType == FMT_TYPE_DATE || block->nFormatType == FMT_TYPE_TIME ||
         block->nFormatType == FMT_TYPE_DATETIME;
}

// The output so far; every element checks its field's range first, so that a block sized by
// FMTGetMaxFormattedDTLen is never overrun whatever the DATDEF holds.
struct Output {
  char* text;
  size_t length;
  void add(const char* s) {
    const size_t n = std::strlen(s);
    std::memcpy(text + length, s, n + 1);
    length += n;
  }
  // The value with zeros before it up to `width` digits, as "%0*ld" writes it; every
  // field is range-checked to be at least 0 before it gets here.
  void number(int width, long value) {
    if (value < 0) {
      char digits[24];
      std::snprintf(digits, sizeof digits, "%0*ld", width, value);
      add(digits);
      return;
    }
    char digits[24];
    int n = 0;
    do {
      digits[n++] = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (value);
    while (n < width) digits[n++] = '0';
    for (int i = n - 1; i >= 0; --i) text[length++] = digits[i];
    text[length] = '\0';
  }
  void dropLastCharacter() {
    if (length == 0) return;
    length = static_cast<size_t>(CharPrevA(text, text + length) - text);
    text[length] = '\0';
  }
};

// A copy of a calendar name, taken under the settings lock.
void addName(Output& out, const char* (*name)(int), int index) {
  char copy[32];
  {
    kv::CrLock lock(&kv::gSettingsLock);
    kv::copyDateText(copy, sizeof copy, name(index));
  }
  out.add(copy);
}

bool inRange(LONG v, LONG low, LONG high) { return v >= low && v <= high; }

// Lays one token out; false for a kind that is no picture element, or a field the element
// cannot show.
bool formatToken(Output& out, const kv::DateToken* t, const DATDEF& d, const kv::DateSettings& s, bool dropZeroMicro) {
  switch (t->kind) {
    case kv::kTokText: out.add(reinterpret_cast<const char*>(t->value)); return true;
    case kv::kTokChar: {
      const char ch[2] = {static_cast<char>(t->value), '\0'};
      out.add(ch);
      return true;
    }
    case kv::kTokBlanks:
      for (LONG_PTR i = 0; i < t->value; ++i) out.text[out.length++] = ' ';
      out.text[out.length] = '\0';
      return true;
    case kv::kTokDay:
    case kv::kTokDay2:
      if (!inRange(d.day, 1, 31)) return false;
      out.number(t->kind == kv::kTokDay ? 1 : 2, d.day);
      return true;
    case kv::kTokMonth:
    case kv::kTokMonth2:
      if (!inRange(d.month, 1, 12)) return false;
      out.number(t->kind == kv::kTokMonth ? 1 : 2, d.month);
      return true;
    case kv::kTokDayAbbrev:
    case kv::kTokDayName:
      if (!inRange(d.month, 1, 12) || !inRange(d.day, 1, 31) || !inRange(d.year, 0, 9999)) return false;
      addName(out, t->kind == kv::kTokDayAbbrev ? kv::dayAbbrevName : kv::dayFullName,
              kv::dayOfWeek(d.month, d.day, d.year));
      return true;
    case kv::kTokMonthAbbrev:
    case kv::kTokMonthName:
      if (!inRange(d.month, 1, 12)) return false;
      addName(out, t->kind == kv::kTokMonthAbbrev ? kv::monthAbbrevName : kv::monthFullName, d.month);
      return true;
    case kv::kTokYear2:
      if (!inRange(d.year, 0, 9999)) return false;
      out.number(2, d.year % 100);
      return true;
    case kv::kTokYear4:
      if (!inRange(d.year, 0, 9999)) return false;
      out.number(4, d.year);
      return true;
    case kv::kTokHour12:
    case kv::kTokHour12Bare:
    case kv::kTokHour24:
    case kv::kTokHour24Bare: {
      if (!inRange(d.hour, 0, 23)) return false;
      const bool clock12 = t->kind == kv::kTokHour12 || t->kind == kv::kTokHour12Bare;
      const LONG h = clock12 ? (d.hour % 12 == 0 ? 12 : d.hour % 12) : d.hour;
      const bool zero = (t->kind == kv::kTokHour12 || t->kind == kv::kTokHour24) && s.hourLeadingZero;
      out.number(zero ? 2 : 1, h);
      return true;
    }
    case kv::kTokMinute:
      if (!inRange(d.minute, 0, 59)) return false;
      out.number(2, d.minute);
      return true;
    case kv::kTokSecond:
      if (!inRange(d.second, 0, 59)) return false;
      out.number(2, d.second);
      return true;
    case kv::kTokMicrosecond:
      if (d.microsecond > 999999) return false;
      if (d.microsecond < 0 || (dropZeroMicro && d.microsecond < 1)) {
        out.dropLastCharacter();
        return true;
      }
      out.number(6, d.microsecond);
      return true;
    case kv::kTokAmPm: out.add(d.hour >= 12 ? s.pm : s.am); return true;
    default: return false;
  }
}

// Longest name of a table, in bytes.
LONG longestName(const char* (*name)(int), int count) {
  kv::CrLock lock(&kv::gSettingsLock);
  size_t longest = 0;
  for (int i = 1; i <= count; ++i) longest = std::max(longest, std::strlen(name(i)));
  return static_cast<LONG>(longest);
}

LONG longestFullDayName() {
  kv::FormatThreadRecord* r = kv::formatThreadRecord();
  if (!r) return longestName(kv::dayFullName, 7);
  if (r->longestDayName == -1) kv::measureLongestDayName();
  return r->longestDayName;
}

LONG longestFullMonthName() {
  kv::FormatThreadRecord* r = kv::formatThreadRecord();
  if (!r) return longestName(kv::monthFullName, 12);
  if (r->longestMonthName == -1) kv::measureLongestMonthName();
  return r->longestMonthName;
}

// The most bytes a token can produce; -1 for a kind that is no picture element.
LONG tokenWidth(const kv::DateToken* t, const kv::DateSettings& s) {
  switch (t->kind) {
    case kv::kTokText: return static_cast<LONG>(std::strlen(reinterpret_cast<const char*>(t->value)));
    case kv::kTokChar: return 1;
    case kv::kTokBlanks: return static_cast<LONG>(t->value);
    // Abbreviations are three letters in English; other tables may hold longer ones.
    case kv::kTokDayAbbrev: return std::max<LONG>(3, longestName(kv::dayAbbrevName, 7));
    case kv::kTokMonthAbbrev: return std::max<LONG>(3, longestName(kv::monthAbbrevName, 12));
    case kv::kTokDayName: return longestFullDayName();
    case kv::kTokMonthName: return longestFullMonthName();
    case kv::kTokYear4: return 4;
    case kv::kTokMicrosecond: return 6;
    case kv::kTokAmPm: return static_cast<LONG>(std::max(std::strlen(s.am), std::strlen(s.pm)));
    default: return t->kind >= kv::kTokDay && t->kind <= kv::kTokHour24Bare ? 2 : -1;
  }
}

}  // namespace

KV_API int KV_CALL FMTFormatDateTime(FMTCNTLBLOCK* block) {
  if (!block || !validType(block) || !block->lpszOutput) return 0;
  block->lpszOutput[0] = '\0';
  if (block->bUseIntl && !(block->wFlags & FMT_FLAG_DEFAULT_TIME)) return 0;

  kv::DateSettings settings;
  kv::loadDateSettings(block, settings);
  kv::DatePlan plan;
  if (!kv::planDateTime(block, settings, plan, true)) return 0;

  Output out{block->lpszOutput, 0};
  if (plan.form != 0) {
    const int n = plan.form == 2 ? kv::writeJapaneseGregorian(out.text, block->dtValue)
                                 : kv::writeEraForm(out.text, block->dtValue);
    if (n < 0) {
      out.text[0] = '\0';
      return 0;
    }
    out.length = static_cast<size_t>(n);
    if (plan.formOnly) return 1;
  }
  if (!plan.picture[0]) return 0;

  const kv::PictureTokens tokens(plan.picture);
  if (!tokens.head()) return 0;
  const bool dropZeroMicro = (block->wFlags & FMT_FLAG_DROP_ZERO_MICRO) != 0;
  for (const kv::DateToken* t = tokens.head(); t; t = t->next) {
    if (!formatToken(out, t, block->dtValue, settings, dropZeroMicro)) return 0;
  }
  return 1;
}

KV_API int KV_CALL FMTGetMaxFormattedDTLen(FMTCNTLBLOCK* block, int minimum) {
  if (!block || !validType(block)) return -1;
  if (block->bUseIntl && !(block->wFlags & FMT_FLAG_DEFAULT_TIME)) return -1;

  kv::DateSettings settings;
  kv::loadDateSettings(block, settings);
  kv::DatePlan plan;
  if (!kv::planDateTime(block, settings, plan, false)) return -1;

  LONG sum = plan.form == 2 ? kv::kJapaneseGregorianLength : plan.form == 3 ? kv::kEraFormLength : 0;
  if (!plan.formOnly && plan.picture[0]) {
    const kv::PictureTokens tokens(plan.picture);
    if (!tokens.head()) return -1;
    for (const kv::DateToken* t = tokens.head(); t; t = t->next) {
      const LONG width = tokenWidth(t, settings);
      if (width < 0) return -1;
      sum += width;
    }
  }
  return sum > minimum ? sum : minimum;
}
