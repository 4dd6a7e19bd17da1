// Date/time values and date pictures: ISO text to a DATDEF, the queries on pictures, the
// regional default pictures and the comparison of date/time NUMBERs.
#include <korvane/datetime.h>
#include <korvane/intl.h>

#include "format/date_grammar.h"
#include "format/settings.h"
#include "frame/statics.h"
#include "memory/cr_lock.h"
#include "number/digits.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

// atoi of count bytes from column `from`.
LONG column(LPCSTR text, size_t from, size_t count) {
  char field[8] = {};
  std::memcpy(field, text + from, count);
  return static_cast<LONG>(std::atol(field));
}

// 1 when the picture parses in picture mode and one of its tokens has a kind for which
// `wanted` holds.
int pictureHas(LPCSTR picture, bool (*wanted)(LONG)) {
  kv::DateToken* head = kv::FMTParseDateString(picture, kv::kParsePicture);
  int found = 0;
  for (const kv::DateToken* t = head; t && !found; t = t->next) found = wanted(t->kind) ? 1 : 0;
  kv::FMTFreeDateTokens(head);
  return found;
}

// Copies a regional picture as strncpy would, terminated in its last byte, but never
// leaving half of a double-byte character at the cut.
int copySettingsPicture(LPSTR buffer, int size, UINT index) {
  if (!buffer || size < 1) return 0;
  // Under the settings lock so that a refresh cannot change the picture while it is copied.
  kv::CrLock lock(&kv::gSettingsLock);
  LPCSTR picture = kv::FMTGetIntlString(index);
  if (!picture) picture = "";
  const auto room = static_cast<size_t>(size - 1);
  size_t n = 0;
  for (LPCSTR p = picture; *p;) {
    LPCSTR next = CharNextA(p);
    if (static_cast<size_t>(next - picture) > room) break;
    n = static_cast<size_t>(next - picture);
    p = next;
  }
  std::memcpy(buffer, picture, n);
  std::memset(buffer + n, 0, static_cast<size_t>(size) - n);
  return 1;
}

// The record's bytes cut to at most 12 (11 base-100 digits), in a copy of the caller's record.
int cutCopy(tagNUMBER& copy, const tagNUMBER* n) {
  const int length = kv::NumArithLength(n) > 12 ? 12 : kv::NumArithLength(n);
  copy = tagNUMBER{};
  copy.bLength = static_cast<BYTE>(length);
  std::memcpy(kv::NumBytes(&copy) + 1, kv::NumBytes(n) + 1, static_cast<size_t>(length));
  return length;
}

// Sign, exponent and digits of a record whose length the caller has taken.
struct Unpacked {
  BYTE digit[48];
  int count;
  int exponent;
  int negative;
};

void unpack(Unpacked& u, const tagNUMBER* n, int length) {
  u.count = length;
  u.negative = kv::NumUnpackDigits(u.digit, kv::NumBytes(n) + 1, &u.count, &u.exponent);
}

}  // namespace

KV_API int KV_CALL FMTIsoToDatDef(LPCSTR text, DATDEF* record) {
  if (!record) return 1;
  *record = DATDEF{};
  if (!text) return 1;
  const size_t length = std::strlen(text);
  if (length >= 4) record->year = column(text, 0, 4);
  if (length >= 7) record->month = column(text, 5, 2);
  if (length >= 10) record->day = column(text, 8, 2);
  if (length >= 13) record->hour = column(text, 11, 2);
  if (length >= 16) record->minute = column(text, 14, 2);
  if (length >= 19) record->second = column(text, 17, 2);
  if (length >= 26) record->microsecond = column(text, 20, 6);
  return 1;
}

KV_API int KV_CALL FMTIsDatePicValid(LPCSTR picture) {
  if (!picture) return 0;
  for (LPCSTR named : {"", "S", "L", "E", "T", "ED"}) {
    if (IntlIsStrEqual(picture, named)) return 1;
  }
  kv::DateToken* head = kv::FMTParseDateString(picture, kv::kParsePicture);
  const int valid = head ? 1 : 0;
  kv::FMTFreeDateTokens(head);
  return valid;
}

KV_API int KV_CALL FMTDatePicHasDate(LPCSTR picture) { return pictureHas(picture, kv::isDateElement); }

KV_API int KV_CALL FMTDatePicHasTime(LPCSTR picture) { return pictureHas(picture, kv::isTimeElement); }

KV_API int KV_CALL FMTGetDefaultShortDatePic(LPSTR buffer, int size) {
  return copySettingsPicture(buffer, size, kv::kShortDatePic);
}

KV_API int KV_CALL FMTGetDefaultLongDatePic(LPSTR buffer, int size) {
  return copySettingsPicture(buffer, size, kv::kLongDatePic);
}

KV_API int KV_CALL FMTGetDefaultDatePic(LPSTR buffer, int size) {
  // Date type 0 is long Gregorian.
  if (kv::FMTGetIntlValue(kv::kDateType) == 0) return FMTGetDefaultLongDatePic(buffer, size);
  return FMTGetDefaultShortDatePic(buffer, size);
}

KV_CPP_API int KV_CALL DateCompare(tagNUMBER* a, tagNUMBER* b) {
  const tagNUMBER* ra = kv::NumOrNull(a);
  const tagNUMBER* rb = kv::NumOrNull(b);
  if (kv::NumArithLength(ra) >= 25 || kv::NumArithLength(rb) >= 25) return 0;
  // Dates compare by their first 11 base-100 digits. The cut is made in copies: the
  // callers' records are left as they are.
  tagNUMBER ca;
  tagNUMBER cb;
  const int la = cutCopy(ca, ra);
  const int lb = cutCopy(cb, rb);
  if (la == 0) return lb != 0 ? -1 : 0;
  if (lb == 0) return 1;

  Unpacked wa;
  Unpacked wb;
  unpack(wa, &ca, la);
  unpack(wb, &cb, lb);
  if (wa.count == 0) return wb.count == 0 ? 0 : (wb.negative ? 1 : -1);
  if (wb.count == 0) return wa.negative ? -1 : 1;
  if (wa.negative != wb.negative) return wa.negative ? -1 : 1;

  tagNUMBER d;
  NumSubtract(&d, &ca, &cb);
  Unpacked wd;
  unpack(wd, &d, kv::NumArithLength(&d));
  // Equal below 3e-16: the magnitude is 0.d1... x 100^(e - 64), so e = 57 puts d1 at 1e-16.
  constexpr int kToleranceExponent = 57;
  constexpr int kToleranceDigit = 3;
  if (wd.count == 0 || wd.exponent < kToleranceExponent ||
      (wd.exponent == kToleranceExponent && wd.digit[0] < kToleranceDigit)) {
    return 0;
  }
  return wd.negative ? -1 : 1;
}
