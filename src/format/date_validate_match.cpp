// The matcher: typed value tokens walked beside the tokens of a picture, assigning numbers
// and names to the fields of a DATDEF.
#include <korvane/intl.h>

#include "format/calendar.h"
#include "format/calendar_names.h"
#include "format/date_format.h"

#include <cstring>

namespace kv {

namespace {

constexpr size_t kWordSize = 128;

// The text without blanks at either end, into `out`; false when it does not fit.
bool trimmed(const char* text, char* out) {
  while (*text == ' ' || *text == '\t') ++text;
  size_t n = std::strlen(text);
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
  if (n >= kWordSize) return false;
  std::memcpy(out, text, n);
  out[n] = '\0';
  return true;
}

const char* textOf(const DateToken* t) { return reinterpret_cast<const char*>(t->value); }

bool isSkipped(const DateToken* t) {
  if (t->kind == kTokBlanks) return true;
  if (t->kind != kTokText) return false;
  const char* text = textOf(t);
  while (*text == ' ' || *text == '\t') ++text;
  return *text == '\0';
}

const DateToken* skip(const DateToken* t) {
  while (t && isSkipped(t)) t = t->next;
  return t;
}

bool sameWord(const DateToken* value, const char* wanted) {
  char a[kWordSize], b[kWordSize];
  return value && value->kind == kTokText && trimmed(textOf(value), a) && trimmed(wanted, b) && b[0] &&
         lstrcmpiA(a, b) == 0;
}

// The month of a word, or of the word with `glued` cut from its end; 0 when neither names one.
int monthOfGluedWord(const char* word, const char* glued) {
  char literal[kWordSize];
  if (!trimmed(glued, literal) || !literal[0]) return 0;
  const size_t n = std::strlen(word), g = std::strlen(literal);
  if (n <= g || std::strcmp(word + n - g, literal) != 0) return 0;
  char head[kWordSize];
  std::memcpy(head, word, n - g);
  head[n - g] = '\0';
  return monthOfName(head);
}

struct MatchState {
  DATDEF d{1, 1, 1900, 0, 0, 0, 0};
  char dayName[kWordSize] = "";
  bool hadDate = false, hadTime = false, noLeadingZero = false, hour12 = false, hour24 = false;
};

bool isNumber(const DateToken* v, LONG max) {
  return v && v->kind == kTokNumber && tokenNumber(v) >= 0 && tokenNumber(v) <= max;
}

// A year element: numbers below 100 are completed by the century rule, except a four-digit
// year typed with leading zeros where the picture asks for four digits.
bool takeYear(MatchState& m, const DateToken* v, bool fourDigits) {
  if (!isNumber(v, 9999)) return false;
  LONG year = tokenNumber(v);
  if (year < 100 && !(fourDigits && hasFourDigitMarker(v))) year += centuryOfTwoDigitYear(year);
  if (year < 1) return false;
  m.d.year = year;
  m.hadDate = true;
  return true;
}

}  // namespace

int matchDateTime(const DateToken* value, const DateToken* picture, FMTCNTLBLOCK* block, const DateSettings& s) {
  if (!value || !picture || !block) return 0;
  const bool timeType = block->nFormatType == FMT_TYPE_TIME || block->nFormatType == FMT_TYPE_DATETIME;
  MatchState m;
  const DateToken* v = value;
  for (const DateToken* p = picture; p; p = p->next) {
    if (isSkipped(p)) continue;
    v = skip(v);
    switch (p->kind) {
      case kTokText:
        if (!sameWord(v, textOf(p))) return 0;
        break;
      case kTokChar:
        // The picture's separator is optional and any typed separator stands for it. Between
        // 24-hour time fields it is required, unless the text has ended.
        if (v && v->kind == kTokChar) break;
        if (v && timeType && m.hour24) return 0;
        continue;
      case kTokDay:
      case kTokDay2:
        if (!isNumber(v, 31) || tokenNumber(v) < 1) return 0;
        m.d.day = tokenNumber(v);
        m.hadDate = true;
        break;
      case kTokMonth:
      case kTokMonth2:
        if (!isNumber(v, 12) || tokenNumber(v) < 1) return 0;
        m.d.month = tokenNumber(v);
        m.hadDate = true;
        break;
      case kTokDayAbbrev:
      case kTokDayName:
        if (!v || v->kind != kTokText || !dayOfWeekOfName(textOf(v)) || !trimmed(textOf(v), m.dayName)) return 0;
        break;
      case kTokMonthAbbrev:
      case kTokMonthName: {
        if (!v || v->kind != kTokText) return 0;
        int month = monthOfName(textOf(v));
        if (!month && p->next && p->next->kind == kTokText) {
          month = monthOfGluedWord(textOf(v), textOf(p->next));
          if (month) p = p->next;
        }
        if (!month) return 0;
        m.d.month = month;
        m.hadDate = true;
        break;
      }
      case kTokYear2:
      case kTokYear4:
        if (!takeYear(m, v, p->kind == kTokYear4)) return 0;
        break;
      case kTokHour12:
      case kTokHour12Bare:
      case kTokHour24:
      case kTokHour24Bare: {
        if (!v) continue;
        const bool clock12 = p->kind == kTokHour12 || p->kind == kTokHour12Bare;
        // A 24-hour hour is 0 to 23: "24" would leave a DATDEF out of its range.
        if (!isNumber(v, clock12 ? 12 : 23)) return 0;
        m.d.hour = tokenNumber(v);
        (clock12 ? m.hour12 : m.hour24) = true;
        if (p->kind == kTokHour12Bare || p->kind == kTokHour24Bare) m.noLeadingZero = true;
        m.hadTime = true;
        break;
      }
      case kTokMinute:
      case kTokSecond:
      case kTokMicrosecond: {
        if (!v) continue;
        if (v->kind != kTokNumber) {
          if (m.hour24) return 0;
          continue;
        }
        const LONG max = p->kind == kTokMicrosecond ? 999999 : 59;
        if (!isNumber(v, max)) return 0;
        (p->kind == kTokMinute ? m.d.minute : p->kind == kTokSecond ? m.d.second : m.d.microsecond) = tokenNumber(v);
        m.hadTime = true;
        break;
      }
      case kTokAmPm: {
        if (!v) {
          if (m.hour12) return 0;
          continue;
        }
        const bool pm = sameWord(v, s.pm);
        if (!pm && !sameWord(v, s.am)) return 0;
        if (m.d.hour < 1 || m.d.hour > 12) return 0;
        if (pm && m.d.hour != 12) m.d.hour += 12;
        if (!pm && m.d.hour == 12) m.d.hour = 0;
        break;
      }
      default: return 0;
    }
    v = v ? v->next : nullptr;
  }
  if (skip(v)) return 0;
  if (block->nFormatType != FMT_TYPE_TIME && !checkDate(m.d.month, m.d.day, m.d.year, m.dayName)) return 0;

  block->dtValue = m.d;
  block->wFlags &= ~static_cast<DWORD>(FMT_FLAG_HAD_DATE | FMT_FLAG_HAD_TIME | FMT_FLAG_HOUR_NO_LZERO);
  if (m.hadDate) block->wFlags |= FMT_FLAG_HAD_DATE;
  if (m.hadTime) block->wFlags |= FMT_FLAG_HAD_TIME;
  if (m.noLeadingZero) block->wFlags |= FMT_FLAG_HOUR_NO_LZERO;
  return 1;
}

}  // namespace kv
