// Records to and from double, and the locale-free text form of a double.
#include <charconv>
#include <clocale>
#include <cstring>
#include <stdlib.h>  // _gcvt of the Windows run time

#include "number/digits.h"

KV_API void KV_CALL NumToDouble(const NUMBER* number, double* value) {
  if (!value) return;
  *value = 0.0;
  if (!number) return;
  BYTE digits[kv::kWideDigits];
  int count = 0;
  int e = 0;
  const int negative = kv::NumUnpackRecord(number, digits, count, e);
  if (count == 0) return;
  // The digits as decimal text with the exponent of the last one; from_chars gives the
  // nearest double, with no rounding on the way.
  char text[2 * kv::kWideDigits + 8];
  char* p = text;
  if (negative) *p++ = '-';
  for (int i = 0; i < count; ++i) {
    *p++ = static_cast<char>('0' + digits[i] / 10);
    *p++ = static_cast<char>('0' + digits[i] % 10);
  }
  *p++ = 'e';
  p = std::to_chars(p, text + sizeof text, 2 * (e - 64 - count)).ptr;
  double v = 0.0;
  std::from_chars(text, p, v);  // out of double's range: nothing is stored, v stays 0.0
  *value = v;
}

KV_API void KV_CALL NumToDoubleNotNull(const NUMBER* number, double* value) {
  if (value && number && number->bLength == 0) {
    *value = 0.0;
    return;
  }
  NumToDouble(number, value);
}

KV_API LPSTR KV_CALL FMTgcvt(double value, LPSTR text) {
  if (!text) return text;
  if (!(value < 0.0 || value > 0.0)) {
    text[0] = '0';
    text[1] = '\0';
    return text;
  }
  _gcvt(value, 15, text);
#if defined(_WIN32)
  // The run time writes the decimal point of the process locale; ours is always ".".
  const char point = *std::localeconv()->decimal_point;
  if (point != '.' && point != '\0')
    for (char* p = text; *p; ++p)
      if (*p == point) *p = '.';
#endif
  return text;
}

KV_API int KV_CALL NumDoubleToNumber(NUMBER* number, double value) {
  if (!number) return 0;
  NumMakeNull(number);
  if (NumIsNullDouble(value)) return 1;
  char text[64];
  FMTgcvt(value, text);
  return NumAsciiToNumber(number, text) >= 1 ? 1 : 0;
}
